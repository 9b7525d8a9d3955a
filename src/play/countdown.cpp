// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The countdown, pause and resume, the start prompt and RESTART.
#include "platform/fields.h"
#include "shell/form1.h"
#include "shell/texts.h"

namespace orvane {

void Form1::Timer1_Timer()
{
    if (SecondsLeft <= 0 || Paused) return;
    --SecondsLeft;
    UpdateLevelInfo();
    if (SecondsLeft != 0) return;
    Paused = true;
    platform.dialogs().messageBox("Sorry, time is over. Click 'Restart' to try again." + CrLf + CrLf +
                                      "Your score is: " + DecimalText(TotalScore),
                                  ProgramTitle, Buttons::Ok, Icon::Information);
    if (TotalScore > 0) GameOver();
}

void Form1::PauseAll()
{
    mnuPause->setCaption("Resume");
    Paused = true;
    Timer1->setEnabled(false);
}

void Form1::ResumeAll()
{
    mnuPause->setCaption("Pause");
    Paused = false;
    Timer1->setEnabled(true);
    Label1->setVisible(false);
}

void Form1::mnuPause_Click()
{
    if (mnuPause->caption() == "Pause") {
        if (Paused || Testing) return;
        PauseAll();
    } else {
        ResumeAll();
    }
}

void Form1::Label1_Click()
{
    if (Testing) return;
    ResumeAll();
}

void Form1::mnuRestart_Click()
{
    if (!Testing) Restart();
}

void Form1::Restart()
{
    TotalScore = 0;
    PointsPerSecond = 0;
    CurrentLevel = 0;
    LevelCompleted();
}

} // namespace orvane
