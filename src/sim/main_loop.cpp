// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The speed test and the endless main loop: one ball step a pass.
#include "shell/form1.h"

namespace orvane {

void Form1::ImageClickToStart_Click()
{
    ImageClickToStart->setVisible(false);
    Testing = true;
    if (!LoadLevel("SystemTest.ooo")) {
        // Without its test level the game cannot calibrate, and a loop over
        // no level would leave the player before a blank field for ever.
        // The loader has told the player; the welcome picture, whose button
        // shows where to click, comes back with the start area, so that a
        // repaired data folder can be tried again.
        ShowWelcome();
        ImageClickToStart->setVisible(true);
        return;
    }
    Label1->setCaption("Testing system performance. Please wait...");
    Label1->setVisible(true);
    TestStartTime = platform.clock().loopSeconds();
    Paused = false;
    MainLoop();
}

// Asleep, the machine ran no pass while the clock ran on: the test starts
// again as the click started it. Before the click nothing is timed, and
// after the test its factor stands. The test runs unpaused only inside the
// main loop, whose yields deliver the wake.
void Form1::System_Resume()
{
    if (!Testing || Paused) return;
    Paused = true;
    ImageClickToStart_Click();
}

void Form1::MainLoopPass()
{
    if (Paused) return;
    MoveBall();
    Shape1->moveTo(BallX - BallRadius, BallY - BallRadius);
    if (FrameDue()) Redraw();
}

void Form1::MainLoop()
{
    // Handlers run inside the loop's yields; none of them may start a
    // second loop inside the first.
    if (InMainLoop) return;
    InMainLoop = true;
    EventLoop& events = platform.events();
    while (!events.ending()) {
        MainLoopPass();
        // A paused game waits for the next event instead of spinning: a
        // game left paused uses next to no processor time, and ticks and
        // input still arrive at once.
        if (Paused) events.waitForEvents();
        else events.yield();
    }
    InMainLoop = false;
}

} // namespace orvane
