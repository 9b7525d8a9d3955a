#include "game_fixture.h"

using namespace orvane;
using namespace orvane::testing;

using StartTheGame = GameTest;

TEST_F(StartTheGame, OpensCentredOnTheWelcomePictureWithItsMenus)
{
    files()["/game/Data/Welcome.jpg"] = "JFIF"; // the GIF comes first
    window().outer = {613, 452};
    game.Form_Load();
    // Centred with the size it had, then grown to the right and down.
    EXPECT_EQ(window().left, 640 - 306);
    EXPECT_EQ(window().top, 512 - 226);
    EXPECT_EQ(window().outer, (Size{603, 441}));
    EXPECT_EQ(game.DataPath, "/game/Data/");
    EXPECT_EQ(game.LevelCount, 3);
    EXPECT_EQ(game.BallRadius, 5);
    EXPECT_TRUE(game.Paused && game.Testing);
    EXPECT_EQ(window().picture, "/game/Data/Welcome.gif");
    EXPECT_TRUE(boxes().empty());
    EXPECT_FALSE(game.files.isOpen(4));

    EXPECT_EQ(window().design.caption,
              "Orvane  v1.20      Download other software from:  https://orvane.example.org/");
    EXPECT_EQ(window().design.client, (Size{600, 400}));
    std::vector<std::string> captions;
    for (const auto& m : window().menus) captions.push_back(m->text);
    EXPECT_EQ(captions, (std::vector<std::string>{"Exit", " About...", "Website...", "Options", "Display Margins",
                                                  "High Scores...", "Pause", "  RESTART"}));
    EXPECT_EQ(window().menu("mnuMargins")->design.parent, game.mnuOptions);
    EXPECT_EQ(Caption("Label6"), "seconds left");
    EXPECT_FALSE(window().label("Label1")->visible());
    EXPECT_FALSE(window().frame("FrameLevelInfo")->visible());
    EXPECT_FALSE(window().shape("Shape1")->visible());
    EXPECT_FALSE(window().timer("Timer1")->enabled());
    EXPECT_EQ(window().area("ImageClickToStart")->design.place, (Rect{208, 336, 193, 57}));
}

// The click on the start area times the speed test on a clock that reads
// late in the day: every level's ball then flies at its file's velocity
// times the test's seconds over 7, held within 1/16 and 64.
TEST_F(StartTheGame, TheSpeedTestScalesEveryLevelsBall)
{
    struct Case {
        double secondsPerPass;
        float factor;
    };
    for (Case c : {Case{7.0 / 105, 1}, Case{14.0 / 105, 2}, Case{0, 1.0f / 16}, Case{10, 64}}) {
        SCOPED_TRACE(c.secondsPerPass);
        memory::MemoryPlatform p;
        p.memoryFiles().files = files();
        p.memoryFiles().files[DataFolder + "SystemTest.ooo"] = SpeedTestLevel;
        p.memoryFiles().files[DataFolder + "Level001.ooo"] = ExampleLevel;
        p.memoryClock().seconds = 50000;
        p.memoryEvents().secondsPerYield = c.secondsPerPass;
        Form1 f(p);
        std::string during;
        p.memoryEvents().onYield = [&](long long n) {
            if (n == 1) during = f.Label1->caption();
            if (!f.Testing) p.events().endProgram();
        };
        f.Form_Load();
        f.ImageClickToStart->onClick();
        EXPECT_EQ(during, "Testing system performance. Please wait...");
        EXPECT_FALSE(f.ImageClickToStart->visible());
        EXPECT_FLOAT_EQ(f.SpeedFactor, c.factor);
        EXPECT_DOUBLE_EQ(f.BallVY, -2.5 * c.factor);
        EXPECT_EQ(f.CurrentLevel, 1);
        EXPECT_EQ(f.TotalScore, 0);
    }
}

TEST_F(StartTheGame, AMissingSpeedTestLeavesTheStartToTryAgain)
{
    game.Form_Load();
    files()[DataFolder + "SystemTest.ooo"] = "Missing.gif,1,2";
    game.ImageClickToStart->onClick();
    EXPECT_EQ(boxes().size(), 1u);
    EXPECT_TRUE(game.ImageClickToStart->visible());
    EXPECT_EQ(window().picture, DataFolder + "Welcome.gif");
    EXPECT_TRUE(game.Paused && game.Testing);
    EXPECT_EQ(events().yields, 0);
}

TEST_F(StartTheGame, AboutWebsiteAndExit)
{
    struct State {
        bool paused, testing, shows;
    };
    // About is refused only while the speed test runs.
    for (State s : {State{true, true, true}, State{false, true, false}, State{true, false, true},
                    State{false, false, true}}) {
        boxes().clear();
        game.Paused = s.paused, game.Testing = s.testing;
        game.mnuAbout->onClick();
        ASSERT_EQ(boxes().size(), s.shows ? 1u : 0u);
        if (!s.shows) continue;
        EXPECT_EQ(boxes()[0].title, "About");
        EXPECT_EQ(boxes()[0].icon, Icon::Information);
        EXPECT_TRUE(boxes()[0].text.starts_with(
            "Orvane  v1.20\r\n\r\nNew versions and other software can be\r\nfound at: https://orvane.example.org/"));
    }

    boxes().clear();
    platform.boxes().answers = {Answer::Cancel, Answer::Ok};
    game.mnuWebsite->onClick();
    EXPECT_TRUE(platform.memoryShell().opened.empty());
    game.mnuWebsite->onClick();
    EXPECT_EQ(platform.memoryShell().opened, (std::vector<std::string>{"https://orvane.example.org/"}));
    EXPECT_EQ(boxes()[0].text,
              "To visit the Orvane Web site you must be connected to the Internet. Click 'OK' when ready.");
    EXPECT_EQ(boxes()[0].title, "orvane.example.org");
    EXPECT_EQ(boxes()[0].buttons, Buttons::OkCancel);

    game.files.openInput(1, DataFolder + "General.ooo", 100);
    window().onUnload();
    EXPECT_FALSE(game.files.isOpen(1));
    EXPECT_TRUE(platform.events().ending());
    memory::MemoryPlatform other;
    Form1 exiting(other);
    exiting.mnuExit->onClick();
    EXPECT_TRUE(other.events().ending());
}
