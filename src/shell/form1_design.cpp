// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The playfield window as it is designed: every control at its place with
// its first text, font and colour, and the menu bar.
#include "scores/form2.h"
#include "shell/form1.h"
#include "shell/texts.h"

namespace orvane {

namespace {

FontDesign Bold(double points) { return FontDesign{"MS Sans Serif", points, true}; }
FontDesign Regular(double points) { return FontDesign{"MS Sans Serif", points, false}; }

} // namespace

Form1::Form1(Platform& platform) : platform(platform), files(platform.files())
{
    BuildWindow();
}

Form1::~Form1()
{
    platform.events().onWake = nullptr;
}

void Form1::BuildWindow()
{
    ownWindow_ = platform.createWindow(WindowDesign{
        "Form1",
        ProgramVersion + "      Download other software from:  " + WebAddress,
        Size{600, 400},
        Black,
        // The player's strokes must show on every level picture, and ours
        // are dark.
        White,
    });
    window = ownWindow_.get();
    Window& w = *window;

    Shape1 = &w.addShape({"Shape1", {0, 0, 10, 10}, false});
    FrameLevelInfo = &w.addFrame({"FrameLevelInfo", {0, 288, 185, 89}, "Frame1", Black, false});
    Label2 = &w.addLabel({"Label2", {112, 8, 73, 33}, "Level 1", LightGrey, Bold(12), true, FrameLevelInfo});
    Label3 = &w.addLabel({"Label3", {23, 26, 73, 25}, "23", White, Regular(13.5), true, FrameLevelInfo});
    Label6 = &w.addLabel({"Label6", {88, 32, 97, 17}, "seconds left", LightGrey, Bold(9.75), true, FrameLevelInfo});
    Label4 = &w.addLabel({"Label4", {0, 48, 185, 25}, "Level points: 13000", LightGrey, Bold(9.75), true, FrameLevelInfo});
    Label5 = &w.addLabel({"Label5", {0, 64, 185, 25}, "Total score: 16700", LightGrey, Bold(9.75), true, FrameLevelInfo});
    Label1 = &w.addLabel({"Label1", {256, 168, 77, 24}, "LABEL1", White, Bold(13.5), false, nullptr});
    ImageClickToStart = &w.addImageArea({"ImageClickToStart", {208, 336, 193, 57}, true});
    Timer1 = &w.addTimer({"Timer1", 1000, false});

    mnuExit = &w.addMenu({"mnuExit", "Exit"});
    mnuAbout = &w.addMenu({"mnuAbout", " About..."});
    mnuWebsite = &w.addMenu({"mnuWebsite", "Website..."});
    mnuOptions = &w.addMenu({"mnuOptions", "Options"});
    mnuMargins = &w.addMenu({"mnuMargins", "Display Margins", mnuOptions, false});
    mnuHighScores = &w.addMenu({"mnuHighScores", "High Scores...", mnuOptions, false});
    mnuPause = &w.addMenu({"mnuPause", "Pause"});
    mnuRestart = &w.addMenu({"mnuRestart", "  RESTART"});

    mnuExit->onClick = [this] { mnuExit_Click(); };
    mnuAbout->onClick = [this] { mnuAbout_Click(); };
    mnuWebsite->onClick = [this] { mnuWebsite_Click(); };
    mnuMargins->onClick = [this] { mnuMargins_Click(); };
    mnuHighScores->onClick = [this] { mnuHighScores_Click(); };
    mnuPause->onClick = [this] { mnuPause_Click(); };
    mnuRestart->onClick = [this] { mnuRestart_Click(); };
    Label1->onClick = [this] { Label1_Click(); };
    ImageClickToStart->onClick = [this] { ImageClickToStart_Click(); };
    Timer1->onTick = [this] { Timer1_Timer(); };
    w.onMouseDown = [this](const MouseEvent& e) { Form_MouseDown(e.buttons, e.shift, e.x, e.y); };
    w.onMouseMove = [this](const MouseEvent& e) { Form_MouseMove(e.buttons, e.shift, e.x, e.y); };
    w.onMouseUp = [this](const MouseEvent& e) { Form_MouseUp(e.buttons, e.shift, e.x, e.y); };
    w.onUnload = [this] { Form_Unload(); };
    platform.events().onWake = [this] { System_Resume(); };
}

} // namespace orvane
