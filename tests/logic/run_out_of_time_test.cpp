// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_fixture.h"

using namespace orvane;
using namespace orvane::testing;

using RunOutOfTime = GameTest;

// The timer fires through the platform as its clock goes on; a name is
// asked for only after a positive score; no time at all stays at 0.
TEST_F(RunOutOfTime, TheLevelEndsOnItsLastSecond)
{
    platform.memoryClock().seconds = 50000.5;
    events().secondsPerYield = 0.25;
    for (int score : {0, 1, -1}) {
        SCOPED_TRACE(score);
        const int limit = score < 0 ? 0 : 3;
        files()[DataFolder + "Level001.ooo"] =
            "Pic.gif,100,100,3,-2," + std::to_string(limit) + ",50,255,255,255,1,590,390,591,391\r\n";
        game.Testing = false;
        game.SpeedFactor = 1;
        game.Restart();
        game.TotalScore = std::max(score, 0);
        boxes().clear();
        game.Label1->onClick();
        std::vector<std::string> shown{Caption("Label3")};
        for (int pass = 0; pass < 40; ++pass) { // ten seconds of the main loop
            game.MainLoopPass();
            platform.events().yield();
            if (shown.back() != Caption("Label3")) shown.push_back(Caption("Label3"));
        }
        EXPECT_EQ(game.SecondsLeft, 0);
        EXPECT_EQ(game.Paused, limit != 0);
        EXPECT_TRUE(game.Timer1->enabled());
        EXPECT_EQ(game.mnuPause->caption(), "Pause");
        EXPECT_EQ(shown, (limit ? std::vector<std::string>{"3", "2", "1", "0"} : std::vector<std::string>{"0"}));
        ASSERT_EQ(boxes().size(), limit == 0 ? 0u : score > 0 ? 2u : 1u);
        if (limit == 0) continue;
        EXPECT_EQ(boxes()[0].text, "Sorry, time is over. Click 'Restart' to try again.\r\n\r\nYour score is: " +
                                       std::to_string(score));
        EXPECT_EQ(boxes()[0].title, "Orvane");
    }
}
