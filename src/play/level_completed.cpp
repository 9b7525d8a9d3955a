// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Scoring a finished level and preparing the next one.
#include "play/score_arithmetic.h"
#include "platform/fields.h"
#include "shell/form1.h"
#include "shell/texts.h"
#include "sim/speed_factor.h"

namespace orvane {

void Form1::LevelCompleted()
{
    Paused = true;
    if (Testing) {
        Testing = false;
        SpeedFactor = SpeedFactorFor(platform.clock().loopSeconds() - TestStartTime);
    }
    TotalScore = AddPoints(TotalScore, LevelPoints(SecondsLeft, PointsPerSecond));

    // The level after the last possible level number is past every game's
    // end, so saturating it still ends the game.
    const bool pastLast = CurrentLevel + 1 > LevelCount;
    CurrentLevel = NextLevel(CurrentLevel);
    if (pastLast) {
        platform.dialogs().messageBox("Congratulations! You finished the game!" + CrLf + CrLf +
                                          "Your score is: " + DecimalText(TotalScore),
                                      ProgramTitle, Buttons::Ok, Icon::Information);
        GameOver();
        return;
    }

    LoadLevel(LevelFileName(CurrentLevel));
    Shape1->moveTo(BallX - BallRadius, BallY - BallRadius);
    Shape1->setVisible(true);
    BallVX *= SpeedFactor;
    BallVY *= SpeedFactor;
    Label2->setCaption("Level " + DecimalText(CurrentLevel));
    UpdateLevelInfo();
    FrameLevelInfo->setVisible(true);
    Label1->setCaption("Click here to start level " + DecimalText(CurrentLevel) + ".");
    Label1->setVisible(true);
    Label1->setCustomPointer(true);
}

void Form1::UpdateLevelInfo()
{
    Label3->setCaption(DecimalText(SecondsLeft));
    Label4->setCaption("Level points: " + DecimalText(LevelPoints(SecondsLeft, PointsPerSecond)));
    Label5->setCaption("Total score: " + DecimalText(TotalScore));
}

} // namespace orvane
