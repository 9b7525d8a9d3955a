#include <functional>

#include "game_fixture.h"
#include "platform/data_files.h"

using namespace orvane;
using namespace orvane::testing;

class StartUp : public GameTest {
protected:
    StartUp() { game.LevelCount = 0; }
};

TEST_F(StartUp, FindsTheDataFolderBesideTheProgram)
{
    platform.memoryFiles().folder = "/game";
    files()["/game/Data/Welcome.jpg"] = "JFIF"; // the GIF comes first
    game.Form_Load();
    EXPECT_EQ(game.AppPath, "/game/");
    EXPECT_EQ(game.DataPath, "/game/Data/");
    EXPECT_EQ(game.LevelCount, 3);
    EXPECT_EQ(game.BallRadius, 5);
    EXPECT_TRUE(game.Paused);
    EXPECT_TRUE(game.Testing);
    EXPECT_EQ(window().picture, "/game/Data/Welcome.gif");
    EXPECT_TRUE(boxes().empty());
    EXPECT_FALSE(game.files.isOpen(4));

    // A program folder reported with its separator, as a drive root is, gets
    // no second one.
    memory::MemoryPlatform other;
    other.memoryFiles().folder = "/";
    other.memoryFiles().files = {{"/Data/General.ooo", "12\r\n99\r\n"}, {"/Data/Welcome.jpg", "JFIF"}};
    Form1 atRoot(other);
    atRoot.Form_Load();
    EXPECT_EQ(atRoot.AppPath, "/");
    EXPECT_EQ(atRoot.DataPath, "/Data/");
    EXPECT_EQ(atRoot.LevelCount, 12);
    EXPECT_EQ(other.find("Form1")->picture, "/Data/Welcome.jpg"); // no GIF: the JPEG, silently
    EXPECT_TRUE(other.boxes().shown.empty());
}

TEST_F(StartUp, CentresTheWindowBeforeSizingIt)
{
    window().screen = {1280, 1024};
    window().outer = {613, 452};
    game.Form_Load();
    EXPECT_EQ(window().left, 640 - 306);
    EXPECT_EQ(window().top, 512 - 226);
    EXPECT_EQ(window().outer, (Size{603, 441}));
}

TEST_F(StartUp, ABrokenLevelCountIsReportedOnceAndTheWindowStillOpens)
{
    const std::string general = "/game/Data/General.ooo";
    const std::pair<const char*, std::function<void(memory::MemoryFileSystem&)>> faults[] = {
        {"empty", [&](auto& disk) { disk.files[general] = ""; }},
        {"too large a number", [&](auto& disk) { disk.files[general] = "40000"; }},
        {"missing", [](auto&) {}},
        {"a FIFO", [&](auto& disk) { disk.special.insert(general); }},
        {"endless", [&](auto& disk) { disk.files[general] = "12", disk.sizes[general] = MaxLevelCountFileBytes + 1; }},
    };
    for (const auto& [name, fault] : faults) {
        SCOPED_TRACE(name);
        memory::MemoryPlatform p;
        fault(p.memoryFiles());
        p.memoryFiles().files["/game/Data/Welcome.gif"] = "GIF89a";
        Form1 f(p);
        f.Form_Load();
        EXPECT_EQ(f.LevelCount, 0);
        ASSERT_EQ(p.boxes().shown.size(), 1u);
        EXPECT_EQ(p.boxes().shown[0].text, "An Error has occurred while loading the game.");
        EXPECT_EQ(p.boxes().shown[0].title, "Error");
        EXPECT_EQ(p.boxes().shown[0].icon, Icon::Critical);
        EXPECT_FALSE(p.find("Form1")->picture.has_value()); // stopped before the picture
        EXPECT_FALSE(f.files.isOpen(4));
    }
}

// Welcome.gif is passed over where it is not a regular file; a Welcome.jpg
// that is none, or too large for a picture, is reported and never opened.
TEST_F(StartUp, AWelcomePictureThatIsNoPictureFileIsNeverOpened)
{
    std::vector<std::string> opened;
    platform.pictureSize = [&](const std::string& path) {
        opened.push_back(path);
        return std::optional<Size>(Size{600, 400});
    };
    memory::MemoryFileSystem& disk = platform.memoryFiles();
    disk.special = {"/game/Data/Welcome.gif", "/game/Data/Welcome.jpg"};
    files().erase("/game/Data/Welcome.gif");
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        game.Form_Load();
        EXPECT_EQ(game.LevelCount, 3);
        ASSERT_EQ(boxes().size(), 1u);
        EXPECT_EQ(boxes()[0].text, "An Error has occurred while loading the game.");
        EXPECT_FALSE(window().picture.has_value());
        EXPECT_TRUE(opened.empty());
        boxes().clear();
        disk.special.erase("/game/Data/Welcome.jpg");
        files()["/game/Data/Welcome.jpg"] = "JFIF";
        disk.sizes["/game/Data/Welcome.jpg"] = MaxPictureBytes + 1;
    }
}

TEST_F(StartUp, TheWindowIsBuiltAsDesigned)
{
    EXPECT_EQ(window().design.caption,
              "Orvane  v1.20      Download other software from:  https://orvane.example.org/");
    EXPECT_EQ(window().design.client, (Size{600, 400}));
    std::vector<std::string> captions;
    for (const auto& m : window().menus) captions.push_back(m->text);
    EXPECT_EQ(captions, (std::vector<std::string>{"Exit", " About...", "Website...", "Options", "Display Margins",
                                                  "High Scores...", "Pause", "  RESTART"}));
    EXPECT_EQ(window().menu("mnuMargins")->design.parent, game.mnuOptions);
    ASSERT_NE(window().label("Label6"), nullptr);
    EXPECT_EQ(window().label("Label6")->caption(), "seconds left");
    EXPECT_FALSE(window().label("Label1")->visible());
    EXPECT_FALSE(window().frame("FrameLevelInfo")->visible());
    EXPECT_FALSE(window().shape("Shape1")->visible());
    EXPECT_FALSE(window().timer("Timer1")->enabled());
    EXPECT_EQ(window().area("ImageClickToStart")->design.place, (Rect{208, 336, 193, 57}));
}

class ShellCommands : public GameTest {};

TEST_F(ShellCommands, AboutIsRefusedOnlyWhileTheSpeedTestRuns)
{
    struct State {
        const char* name;
        bool paused, testing;
        bool shows;
    };
    for (State s : {State{"before the test", true, true, true}, State{"test running", false, true, false},
                    State{"between levels", true, false, true}, State{"level running", false, false, true}}) {
        SCOPED_TRACE(s.name);
        boxes().clear();
        game.Paused = s.paused, game.Testing = s.testing;
        game.mnuAbout_Click();
        ASSERT_EQ(boxes().size(), s.shows ? 1u : 0u);
        if (!s.shows) continue;
        EXPECT_EQ(boxes()[0].title, "About");
        EXPECT_EQ(boxes()[0].icon, Icon::Information);
        EXPECT_EQ(boxes()[0].text.substr(0, 60),
                  std::string("Orvane  v1.20\r\n\r\nNew versions and other software can be\r\nfound at: https://")
                      .substr(0, 60));
    }
}

TEST_F(ShellCommands, WebsiteOpensTheHomePageOnlyAfterOk)
{
    platform.boxes().answers = {Answer::Cancel, Answer::Ok};
    game.mnuWebsite_Click();
    EXPECT_TRUE(platform.memoryShell().opened.empty());
    game.mnuWebsite_Click();
    EXPECT_EQ(platform.memoryShell().opened, (std::vector<std::string>{"https://orvane.example.org/"}));
    EXPECT_EQ(boxes()[0].text,
              "To visit the Orvane Web site you must be connected to the Internet. Click 'OK' when ready.");
    EXPECT_EQ(boxes()[0].title, "orvane.example.org");
    EXPECT_EQ(boxes()[0].buttons, Buttons::OkCancel);
}

TEST_F(ShellCommands, ExitAndClosingTheWindowEndTheProgram)
{
    game.files.openInput(1, DataFolder + "General.ooo", 100);
    window().onUnload();
    EXPECT_FALSE(game.files.isOpen(1));
    EXPECT_TRUE(platform.events().ending());
}
