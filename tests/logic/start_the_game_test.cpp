// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <limits>

#include "game_fixture.h"

using namespace orvane;
using namespace orvane::testing;

using StartTheGame = GameTest;

TEST_F(StartTheGame, OpensCentredOnTheWelcomePictureWithItsMenus)
{
    files()["/game/Data/Welcome.jpg"] = "JFIF", window().outer = {613, 452}, game.Form_Load(); // the GIF comes first
    // Centred with the size it had, then grown to the right and down.
    EXPECT_EQ((std::tuple{window().left, window().top, window().outer}), (std::tuple{640 - 306, 512 - 226, Size{603, 441}}));
    EXPECT_TRUE(game.DataPath == "/game/Data/" && game.LevelCount == 3 && game.BallRadius == 5);
    EXPECT_TRUE(window().picture == "/game/Data/Welcome.gif" && boxes().empty() && !game.files.isOpen(4));
    EXPECT_TRUE(game.ImageClickToStart->visible()); // the welcome's button takes the click
    EXPECT_EQ(window().design.caption, "Orvane  v1.20      Download other software from:  https://orvane.example.org/");
    std::vector<std::string> captions;
    for (const auto& m : window().menus) captions.push_back(m->text);
    EXPECT_EQ(captions, (std::vector<std::string>{"Exit", " About...", "Website...", "Options", "Display Margins",
                                                  "High Scores...", "Pause", "  RESTART"}));
    EXPECT_TRUE(window().design.client == (Size{600, 400}) && Caption("Label6") == "seconds left");
    for (const auto& label : window().labels) EXPECT_EQ(label->design.font.face, "MS Sans Serif") << label->design.name;
    EXPECT_FALSE(window().label("Label1")->visible() || window().frame("FrameLevelInfo")->visible() ||
                 window().shape("Shape1")->visible() || window().timer("Timer1")->enabled());

    // Without its speed test the start area and its picture stay, to try again.
    files()[DataFolder + "SystemTest.ooo"] = "Missing.gif,1,2", game.ImageClickToStart->onClick();
    EXPECT_TRUE(boxes().size() == 1u && game.ImageClickToStart->visible() && game.Paused && game.Testing &&
                window().picture == DataFolder + "Welcome.gif" && events().yields == 0);
}

// The speed test, timed on a clock late in the day, scales every level's ball by its seconds over 7,
// held within 1/16 and 64; a clock that reads no number gives the slowest machine's factor. A menu held
// open meanwhile (the system holds the main loop) is not timed; a machine that slept starts it again.
TEST_F(StartTheGame, TheSpeedTestScalesEveryLevelsBall)
{
    struct Case { double secondsPerPass; float factor; std::string meanwhile = ""; };
    for (const Case& c : {Case{7.0 / 105, 1}, Case{14.0 / 105, 2}, Case{0, 1.0f / 64}, Case{10, 64},
                          Case{std::numeric_limits<double>::quiet_NaN(), 64}, Case{7.0 / 105, 1, "a menu held open"},
                          Case{7.0 / 105, 1, "asleep"}}) {
        SCOPED_TRACE(c.meanwhile + " " + std::to_string(c.secondsPerPass));
        memory::MemoryPlatform p;
        p.memoryFiles().files = files();
        p.memoryFiles().files[DataFolder + "SystemTest.ooo"] = SpeedTestLevel;
        std::string level1 = ExampleLevel; // moving on both axes
        p.memoryFiles().files[DataFolder + "Level001.ooo"] = level1.replace(level1.find("0,-2.5"), 6, "1.5,-2.5");
        p.memoryClock().seconds = 50000, p.memoryEvents().secondsPerYield = c.secondsPerPass;
        Form1 f(p);
        std::string during;
        p.memoryEvents().onYield = [&](long long n) {
            if (n == 1) during = f.Label1->caption();
            if (n == 50 && c.meanwhile == "a menu held open") p.memoryClock().holdInSystemLoop(3, p);
            if (n == 50 && c.meanwhile == "asleep") p.memoryClock().seconds += 3600, p.events().onWake();
            if (!f.Testing) p.events().endProgram();
        };
        f.Form_Load(), f.ImageClickToStart->onClick();
        EXPECT_TRUE(during == "Testing system performance. Please wait..." && !f.ImageClickToStart->visible());
        EXPECT_FLOAT_EQ(f.SpeedFactor, c.factor);
        EXPECT_TRUE(f.BallVX == 1.5 * c.factor && f.BallVY == -2.5 * c.factor) << f.BallVX << "," << f.BallVY;
        EXPECT_TRUE(f.CurrentLevel == 1 && f.TotalScore == 0);
        p.events().onWake(); // after the test: nothing to time again
        EXPECT_EQ(f.CurrentLevel, 1);
        EXPECT_FLOAT_EQ(f.SpeedFactor, c.factor);
    }
}

// While the speed test runs, About, Pause, RESTART and the prompt do nothing; Website asks first; Exit
// and closing the window end the program.
TEST_F(StartTheGame, TheMenusAroundTheGame)
{
    for (auto [paused, testing] : {std::pair{true, true}, {true, false}, {false, false}, {false, true}}) {
        boxes().clear(), game.Paused = paused, game.Testing = testing, game.mnuAbout->onClick();
        ASSERT_EQ(boxes().size(), !paused && testing ? 0u : 1u);
    }
    game.mnuPause->onClick(), game.mnuRestart->onClick(), game.Label1->onClick();
    EXPECT_EQ(game.mnuPause->caption(), "Pause");
    EXPECT_TRUE(!game.Paused && game.CurrentLevel == 0 && !game.Timer1->enabled());
    game.Paused = true, game.mnuAbout->onClick();
    EXPECT_TRUE(boxes().at(0).title == "About" && boxes()[0].icon == Icon::Information);
    EXPECT_TRUE(boxes()[0].text.starts_with(
        "Orvane  v1.20\r\n\r\nNew versions and other software can be\r\nfound at: https://orvane.example.org/"));

    boxes().clear(), platform.boxes().answers = {Answer::Cancel, Answer::Ok}, game.mnuWebsite->onClick();
    EXPECT_TRUE(platform.memoryShell().opened.empty());
    game.mnuWebsite->onClick();
    EXPECT_EQ(platform.memoryShell().opened, (std::vector<std::string>{"https://orvane.example.org/"}));
    EXPECT_EQ(boxes()[0].text, "To visit the Orvane Web site you must be connected to the Internet. Click 'OK' when ready.");
    EXPECT_TRUE(boxes()[0].title == "orvane.example.org" && boxes()[0].buttons == Buttons::OkCancel);

    game.mnuExit->onClick();
    EXPECT_TRUE(platform.events().ending());
    game.files.openInput(1, DataFolder + "General.ooo", 100);
    window().onUnload();
    EXPECT_FALSE(game.files.isOpen(1));
}
