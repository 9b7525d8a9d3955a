// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_fixture.h"
#include "scores/score_file.h"

using namespace orvane;
using namespace orvane::testing;

using FinishTheGame = GameTest;

// A whole game through the main loop, as the window system delivers it: the clock starts late in the
// day, the prompts are clicked as they show, and the game ends after its last level, worth most.
TEST_F(FinishTheGame, TheGameEndsAfterItsLastLevel)
{
    files()[DataFolder + "SystemTest.ooo"] = SpeedTestLevel;
    files()[DataFolder + "HighScores.ooo"] = FormatScores({{"Bob", 100}});
    for (int level : {1, 2, 3}) // each ball flies straight up into its goal
        files()[DataFolder + "Level00" + std::to_string(level) + ".ooo"] =
            "Pic.gif,300,200,0,-10,60," + std::string(level == 3 ? "1000" : "50") + ",1,2,3,1,250,20,350,20\r\n";
    platform.memoryClock().seconds = 40000, platform.boxes().inputs = {"Ann"};
    events().secondsPerYield = 0.1, events().yieldLimit = 5000; // the test takes 10.5 s
    std::vector<std::string> prompts;
    events().onYield = [&](long long) {
        if (game.Testing || !game.Label1->visible()) return;
        prompts.push_back(Caption("Label1"));
        events().secondsPerYield = 0.01, game.Label1->onClick(); // each level then ends before a tick
    };
    platform.whileModal = [&](memory::MemoryWindow&) { platform.events().endProgram(); };
    game.Form_Load(), game.ImageClickToStart->onClick();

    EXPECT_EQ(prompts, (std::vector<std::string>{"Click here to start level 1.", "Click here to start level 2.", "Click here to start level 3."}));
    ASSERT_EQ(boxes().size(), 2u); // then the game-over name prompt
    EXPECT_EQ(boxes()[0].text, "Congratulations! You finished the game!\r\n\r\nYour score is: 66000");
    EXPECT_EQ(files()[DataFolder + "HighScores.ooo"], FormatScores({{"Ann", 66000}, {"Bob", 100}}));
    EXPECT_EQ(Caption("Label5"), "Total score: 6000"); // the panel keeps level 3's start

    game.Restart(); // a restart keeps the calibration
    EXPECT_FLOAT_EQ(game.SpeedFactor, 1.5f);
    EXPECT_DOUBLE_EQ(game.BallVY, -15);
}

using RunOutOfTime = GameTest;

// The timer fires through the platform as its clock goes on; a name is asked for only after a positive
// score; no time at all stays at 0.
TEST_F(RunOutOfTime, TheLevelEndsOnItsLastSecond)
{
    platform.memoryClock().seconds = 50000.5, events().secondsPerYield = 0.25;
    for (int score : {0, 1, -1}) {
        SCOPED_TRACE(score);
        const int limit = score < 0 ? 0 : 3;
        ReachLevel1("Pic.gif,100,100,3,-2," + std::to_string(limit) + ",50,255,255,255,1,590,390,591,391\r\n");
        game.TotalScore = std::max(score, 0), boxes().clear(), game.Label1->onClick();
        std::vector<std::string> shown{Caption("Label3")};
        for (int pass = 0; pass < 40; ++pass) { // ten seconds of the main loop
            game.MainLoopPass(), platform.events().yield();
            if (shown.back() != Caption("Label3")) shown.push_back(Caption("Label3"));
        }
        EXPECT_TRUE(game.SecondsLeft == 0 && game.Paused == (limit != 0) && game.Timer1->enabled());
        EXPECT_EQ(game.mnuPause->caption(), "Pause");
        EXPECT_EQ(shown, (limit ? std::vector<std::string>{"3", "2", "1", "0"} : std::vector<std::string>{"0"}));
        ASSERT_EQ(boxes().size(), limit == 0 ? 0u : score > 0 ? 2u : 1u);
        if (limit == 0) continue;
        EXPECT_EQ(boxes()[0].title + ": " + boxes()[0].text,
                  "Orvane: Sorry, time is over. Click 'Restart' to try again.\r\n\r\nYour score is: " + std::to_string(score));
    }
}
