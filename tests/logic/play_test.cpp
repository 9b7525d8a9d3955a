#include <limits>

#include "game_fixture.h"
#include "scores/form2.h"
#include "scores/score_file.h"

using namespace orvane;
using namespace orvane::testing;

class Play : public GameTest {
protected:
    memory::MemoryEvents& events() { return platform.memoryEvents(); }
    std::string Prompt() { return game.Label1->caption(); }
};

// A whole game through the main loop, as the window system delivers it:
// the clock starts late in the day, the prompts are clicked as they show,
// and the game ends after its last level, which is played.
TEST_F(Play, AGameIsPlayedFromTheSpeedTestToItsLastLevel)
{
    // The test ball crosses its goal on its 106th step, after 105 passes of
    // 0.1 s: the test lasts 10.5 s, and scores nothing.
    files()[DataFolder + "SystemTest.ooo"] = "Pic.gif,194,200,1,0,60,0,0,0,0,2,0,0,0,0,300,100,300,300\r\n";
    files()[DataFolder + "HighScores.ooo"] = FormatScores({{"Bob", 100}});
    // Each ball flies straight up into its goal; the last level is worth most.
    for (int level : {1, 2, 3})
        files()[DataFolder + "Level00" + std::to_string(level) + ".ooo"] =
            "Pic.gif,300,200,0,-10,60," + std::string(level == 3 ? "1000" : "50") +
            ",1,2,3,1,250,20,350,20\r\n";
    platform.memoryClock().seconds = 40000;
    events().secondsPerYield = 0.1;
    events().yieldLimit = 5000;
    platform.boxes().inputs = {"Ann"};
    std::vector<std::string> prompts;
    events().onYield = [&](long long) {
        if (game.Testing || !game.Label1->visible()) return;
        prompts.push_back(Prompt());
        EXPECT_TRUE(window().label("Label1")->customPointer);
        EXPECT_EQ(window().label("Label1")->colour, 0x030201u);
        if (prompts.size() == 1) {
            EXPECT_FLOAT_EQ(game.SpeedFactor, 1.5f);
            EXPECT_DOUBLE_EQ(game.BallVY, -15);
            EXPECT_EQ(window().label("Label2")->caption(), "Level 1");
            EXPECT_EQ(window().label("Label4")->caption(), "Level points: 3000");
            for (const auto& label : window().labels) EXPECT_TRUE(label->visible()) << label->design.name;
            events().secondsPerYield = 0.01; // each level then ends before a tick
        }
        game.Label1->onClick();
    };
    platform.whileModal = [&](memory::MemoryWindow&) { platform.events().endProgram(); };
    game.Form_Load();
    ASSERT_TRUE(game.ImageClickToStart->visible()); // the start, waiting for its click
    game.ImageClickToStart->onClick();

    EXPECT_EQ(prompts, (std::vector<std::string>{"Click here to start level 1.", "Click here to start level 2.",
                                                 "Click here to start level 3."}));
    ASSERT_EQ(boxes().size(), 2u); // then the game-over name prompt
    EXPECT_EQ(boxes()[0].text, "Congratulations! You finished the game!\r\n\r\nYour score is: 66000");
    EXPECT_EQ(boxes()[0].title, "Orvane");
    EXPECT_TRUE(boxes()[1].input);
    EXPECT_EQ(files()[DataFolder + "HighScores.ooo"], FormatScores({{"Ann", 66000}, {"Bob", 100}}));
    EXPECT_EQ(window().label("Label5")->caption(), "Total score: 6000"); // the panel keeps level 3's start
    EXPECT_TRUE(game.Paused);

    // A restart keeps the calibration.
    game.Restart();
    EXPECT_DOUBLE_EQ(game.BallVY, -15);
    EXPECT_EQ(game.TotalScore, 0);
}

TEST_F(Play, AFailedSpeedTestLoadDoesNotEnterTheLoop)
{
    game.Form_Load();
    files()[DataFolder + "SystemTest.ooo"] = "Missing.gif,1,2";
    game.ImageClickToStart_Click();
    EXPECT_EQ(boxes().size(), 1u);
    // To try again: the start area, and the welcome picture that shows it.
    EXPECT_TRUE(game.ImageClickToStart->visible());
    EXPECT_EQ(window().picture, DataFolder + "Welcome.gif");
    EXPECT_TRUE(game.Paused);
    EXPECT_TRUE(game.Testing);
    EXPECT_EQ(events().yields, 0);
}

TEST_F(Play, APausedLoopWaitsForEventsAndASecondLoopIsRefused)
{
    ReachLevel1();
    int inner = 0;
    events().onYield = [&](long long n) {
        if (n == 1) {
            game.MainLoop(); // a handler trying to start the loop again
            ++inner;
        }
        if (n == 50) platform.events().endProgram();
    };
    game.MainLoop();
    EXPECT_EQ(inner, 1);
    EXPECT_EQ(events().waits, 50); // paused all the while: no spinning
    EXPECT_EQ(game.FrameCounter, 0);
}

TEST_F(Play, TheLoopStepsTheBallAndRedrawsEvery30thPass)
{
    ReachLevel1();
    game.Label1_Click();
    events().onYield = [&](long long n) {
        if (n == 31) platform.events().endProgram();
    };
    std::size_t before = window().lines.size();
    game.MainLoop();
    EXPECT_EQ(game.FrameCounter, 1);
    EXPECT_EQ(window().lines.size(), before + 51); // one redraw, margins off
    EXPECT_DOUBLE_EQ(game.BallY, 350 - 2.5 * 31);
    EXPECT_DOUBLE_EQ(window().shape("Shape1")->top, game.BallY - 5);
    EXPECT_DOUBLE_EQ(window().shape("Shape1")->left, game.BallX - 5);
}

TEST_F(Play, ScoresAndLevelNumbersSaturateInsteadOfWrapping)
{
    ReachLevel1();
    game.TotalScore = std::numeric_limits<std::int32_t>::max() - 5;
    game.SecondsLeft = 1'000'000;
    game.PointsPerSecond = 1'000'000;
    game.UpdateLevelInfo();
    EXPECT_EQ(window().label("Label4")->caption(), "Level points: 2147483647");
    game.CurrentLevel = 0;
    game.LevelCompleted();
    EXPECT_EQ(game.TotalScore, std::numeric_limits<std::int32_t>::max());

    game.LevelCount = std::numeric_limits<std::int16_t>::max();
    game.CurrentLevel = std::numeric_limits<std::int16_t>::max();
    boxes().clear();
    game.LevelCompleted();
    EXPECT_EQ(game.CurrentLevel, std::numeric_limits<std::int16_t>::max());
    EXPECT_EQ(boxes().at(0).text.substr(0, 15), "Congratulations");

    files()[DataFolder + "Level1000.ooo"] = LevelWith("590,390,591,391", 1);
    game.LevelCount = 2000;
    game.CurrentLevel = 999;
    game.LevelCompleted();
    EXPECT_EQ(window().picture, DataFolder + "Pic.gif"); // Level1000.ooo was found
}

// The one-second timer, fired by the platform as the clock goes on, counts
// a level's time down while its ball flies about and never finds the goal.
TEST_F(Play, TimeRunsOutOnTheLevelsLastSecond)
{
    platform.memoryClock().seconds = 50000.5;
    for (int score : {0, 1, -1}) {
        SCOPED_TRACE(score);
        const int limit = score < 0 ? 0 : 3; // a level with no time at all is over before it starts
        files()[DataFolder + "SystemTest.ooo"] = LevelWith("0,0,0,0", 1);
        files()[DataFolder + "Level001.ooo"] =
            "Pic.gif,100,100,3,-2," + std::to_string(limit) + ",50,255,255,255,1,590,390,591,391\r\n";
        game.Testing = false;
        game.SpeedFactor = 1;
        game.Restart();
        game.TotalScore = std::max(score, 0);
        events().secondsPerYield = 0.25;
        boxes().clear();
        game.Label1->onClick();
        std::vector<std::string> shown{window().label("Label3")->caption()};
        for (int pass = 0; pass < 40; ++pass) { // ten seconds of the main loop
            game.MainLoopPass();
            platform.events().yield();
            if (shown.back() != window().label("Label3")->caption()) shown.push_back(window().label("Label3")->caption());
        }
        EXPECT_EQ(game.SecondsLeft, 0);
        EXPECT_EQ(game.Paused, limit != 0);
        if (limit == 0) {
            EXPECT_EQ(shown, std::vector<std::string>{"0"});
            EXPECT_TRUE(boxes().empty());
            continue;
        }
        EXPECT_EQ(shown, (std::vector<std::string>{"3", "2", "1", "0"}));
        ASSERT_GE(boxes().size(), 1u);
        EXPECT_EQ(boxes()[0].text, "Sorry, time is over. Click 'Restart' to try again.\r\n\r\nYour score is: " +
                                       std::to_string(score));
        // Game over asks for a name only after a positive score.
        EXPECT_EQ(boxes().size(), score > 0 ? 2u : 1u);
        EXPECT_TRUE(game.Timer1->enabled());
        EXPECT_EQ(game.mnuPause->caption(), "Pause");
    }
}

TEST_F(Play, PauseResumeAndRestartFollowThePlayStates)
{
    // Before the test and during it, nothing but the test message.
    game.mnuPause_Click();
    game.mnuRestart_Click();
    game.Label1_Click();
    EXPECT_EQ(game.mnuPause->caption(), "Pause");
    EXPECT_EQ(game.CurrentLevel, 0);

    ReachLevel1(); // between levels
    game.mnuPause_Click();
    EXPECT_EQ(game.mnuPause->caption(), "Pause");
    game.Label1_Click(); // level running
    EXPECT_FALSE(game.Paused);
    EXPECT_FALSE(game.Label1->visible());
    game.mnuPause_Click(); // paused by the player
    EXPECT_TRUE(game.Paused);
    EXPECT_EQ(game.mnuPause->caption(), "Resume");
    EXPECT_FALSE(game.Timer1->enabled());

    game.TotalScore = 500;
    game.mnuRestart_Click(); // level 1 again, still "Resume", timer off
    EXPECT_EQ(game.TotalScore, 0);
    EXPECT_EQ(game.CurrentLevel, 1);
    EXPECT_EQ(game.mnuPause->caption(), "Resume");
    EXPECT_FALSE(game.Timer1->enabled());
    EXPECT_EQ(window().label("Label5")->caption(), "Total score: 0");
    EXPECT_EQ(window().label("Label2")->caption(), "Level 1");
    game.mnuPause_Click(); // Resume starts level 1 as the prompt would
    EXPECT_FALSE(game.Paused);
    EXPECT_TRUE(game.Timer1->enabled());
    EXPECT_FALSE(game.Label1->visible());
}

class Drawing : public Play {
protected:
    Drawing()
    {
        ReachLevel1();
        game.Label1_Click();
    }
};

TEST_F(Drawing, ALongDragKeepsTheLast51Segments)
{
    game.Form_MouseDown(1, 0, 0, 0);
    for (int i = 1; i <= 60; ++i) game.Form_MouseMove(1, 0, static_cast<float>(i), 10);
    EXPECT_EQ(game.LineIndex, 9);
    // Rows 0..8 hold segments 52..60, rows 9..50 segments 10..51.
    EXPECT_EQ(game.Segments[0], (Segment{51, 10, 52, 10}));
    EXPECT_EQ(game.Segments[8], (Segment{59, 10, 60, 10}));
    EXPECT_EQ(game.Segments[9], (Segment{9, 10, 10, 10}));
    EXPECT_EQ(game.Segments[50], (Segment{50, 10, 51, 10}));
    EXPECT_EQ(game.FrameCounter, 0); // wrapped twice, at the 30th and 60th
    EXPECT_EQ(game.Segments[51], (Segment{200, 100, 200, 300})); // margins untouched

    game.Form_MouseDown(2, 0, 5, 7); // any button starts a new trail, there
    EXPECT_EQ(game.Segments[0], (Segment{0, 0, 0, 0}));
    EXPECT_EQ(game.LineIndex, 0);
    game.Form_MouseMove(1, 0, 8, 9);
    EXPECT_EQ(game.Segments[0], (Segment{5, 7, 8, 9}));
}

TEST_F(Drawing, OnlyTheLeftButtonAloneDrawsAndTheStartFollowsThePointer)
{
    game.Form_MouseMove(2, 0, 30, 40);
    game.Form_MouseMove(3, 0, 31, 41);
    game.Form_MouseMove(0, 0, 32.5f, 42.5f);
    EXPECT_EQ(game.LineIndex, 0);
    EXPECT_EQ(game.LastX, 32);
    EXPECT_EQ(game.LastY, 42);
    std::size_t lines = window().lines.size();
    game.Form_MouseMove(1, 0, 33.5f, 43.5f);
    EXPECT_EQ(game.Segments[0], (Segment{32, 42, 34, 44})); // halves to even
    ASSERT_EQ(window().lines.size(), lines + 1);
    EXPECT_EQ(window().lines.back(), (Line{33.5f, 43.5f, 32, 42, std::nullopt})); // drawn unrounded
    game.Form_MouseMove(1, 0, 33.5f, 43.5f); // the same place again: a zero-length segment
    EXPECT_EQ(game.LineIndex, 2);
}

TEST_F(Drawing, IsRefusedWhilePausedOrTesting)
{
    game.PauseAll();
    game.Form_MouseMove(0, 0, 100, 100); // the start point still follows
    game.Form_MouseDown(1, 0, 50, 50);
    game.Form_MouseMove(1, 0, 60, 60);
    game.Form_MouseUp(1, 0, 60, 60);
    EXPECT_EQ(game.LineIndex, 0);
    EXPECT_EQ(game.LastX, 100);
    game.ResumeAll();
    game.Form_MouseMove(1, 0, 110, 100);
    EXPECT_EQ(game.Segments[0], (Segment{100, 100, 110, 100}));

    game.Testing = true;
    game.Form_MouseMove(1, 0, 120, 100);
    EXPECT_EQ(game.LineIndex, 1);
}

TEST_F(Drawing, DisplayMarginsShowsAndHidesTheRedLinesAtOnce)
{
    auto reds = [&] {
        int n = 0;
        for (const Line& l : window().lines) n += l.colour == Red;
        return n;
    };
    game.mnuMargins_Click();
    EXPECT_TRUE(game.mnuMargins->checked());
    EXPECT_EQ(reds(), 3); // both walls and the goal line
    game.mnuMargins_Click();
    EXPECT_EQ(reds(), 0);
    EXPECT_EQ(window().lines.size(), 51u);

    game.PauseAll(); // paused: only the check mark changes
    game.mnuMargins_Click();
    EXPECT_EQ(reds(), 0);
    game.Form_MouseDown(1, 0, 1, 1);
    game.ResumeAll();
    game.Form_MouseUp(1, 0, 1, 1);
    EXPECT_EQ(reds(), 3);
}

// A new level repaints the playfield with its picture: no stroke and no
// margin of the old level stays drawn, and with Display Margins on the
// first redraw shows the new level's margins and nothing else.
TEST_F(Drawing, ANewLevelLeavesNoOldLineDrawn)
{
    files()[DataFolder + "Level002.ooo"] = LevelWith("10,20,30,40,50,60,70,80", 2);
    platform.memoryClock().day = 9;
    game.mnuMargins_Click();
    auto drawSomething = [&] {
        game.Label1_Click();
        game.Form_MouseDown(1, 0, 500, 300);
        game.Form_MouseMove(1, 0, 520, 310);
        ASSERT_FALSE(window().lines.empty());
    };
    auto firstRedrawShows = [&](std::vector<Segment> margins) {
        game.Label1_Click();
        for (int pass = 0; pass < Form1::RepaintPeriod; ++pass) game.MainLoopPass();
        std::vector<Segment> reds;
        for (const Line& l : window().lines)
            if (l.colour == Red) reds.push_back(Segment{int(l.x1), int(l.y1), int(l.x2), int(l.y2)});
        EXPECT_EQ(reds, margins);
    };
    const std::vector<Segment> level1{{200, 100, 200, 300}, {400, 100, 400, 300}, {250, 20, 350, 20}};
    const std::vector<Segment> level2{{10, 20, 30, 40}, {50, 60, 70, 80}};

    drawSomething();
    game.LevelCompleted();
    EXPECT_TRUE(window().lines.empty());
    firstRedrawShows(level2);

    drawSomething();
    game.Restart();
    EXPECT_TRUE(window().lines.empty());
    firstRedrawShows(level1);

    drawSomething();
    Form2 table(game);
    platform.boxes().inputs = {"9", "2"};
    table.Image1_DblClick();
    ASSERT_EQ(game.CurrentLevel, 2);
    EXPECT_TRUE(window().lines.empty());
    firstRedrawShows(level2);
}
