// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up: the play flags, the window's place, the program and data
// folders, the number of levels and the welcome picture.
#include <cmath>

#include "platform/data_files.h"
#include "shell/form1.h"
#include "shell/texts.h"

namespace orvane {

namespace {

constexpr int TwipsPerPixel = 15;
constexpr int OuterWidthTwips = 9045;
constexpr int OuterHeightTwips = 6615;
constexpr int GeneralFile = 4;

} // namespace

void Form1::ShowError(const std::string& text)
{
    platform.dialogs().messageBox(text, ErrorTitle, Buttons::Ok, Icon::Critical);
}

void Form1::Form_Load()
{
    try {
        Paused = true;
        Testing = true;

        // Centred with the size the window has now; the new size then grows
        // it to the right and downwards from there.
        Size screen = window->screenSize();
        Size outer = window->outerSize();
        float left = static_cast<float>(screen.width) / 2.0f - static_cast<float>(outer.width) / 2.0f;
        float top = static_cast<float>(screen.height) / 2.0f - static_cast<float>(outer.height) / 2.0f;
        window->moveTo(static_cast<int>(std::nearbyint(left)), static_cast<int>(std::nearbyint(top)));
        window->setOuterSize({OuterWidthTwips / TwipsPerPixel, OuterHeightTwips / TwipsPerPixel});

        const char sep = platform.files().separator();
        AppPath = platform.files().programFolder();
        if (!AppPath.empty() && AppPath.back() != sep) AppPath += sep;
        DataPath = AppPath + "Data" + sep;

        BallRadius = Shape1->place().w / 2.0;

        files.openInput(GeneralFile, DataPath + "General.ooo", MaxLevelCountFileBytes);
        LevelCount = ToInt16(files.readNumber(GeneralFile));
        files.close(GeneralFile);

        if (!ShowWelcome()) throw FileError(FileError::Kind::NotFound, "cannot show the welcome picture");
    } catch (const FileError&) {
        files.close(GeneralFile);
        std::string text = "An Error has occurred while loading the game.";
        // Windows runs a program straight from a zip by extracting it alone,
        // without its data.
        if (!DataPath.empty() && !platform.files().fileInfo(DataPath.substr(0, DataPath.size() - 1)))
            text += CrLf + "The Data folder is not beside the program: extract the whole zip first, then start the "
                           "game from the extracted folder.";
        ShowError(text);
    }
}

bool Form1::ShowPicture(const std::string& path)
{
    // Setting a picture clears the old one, whether or not the new one can
    // be read; a file that is not handed over leaves the window as the
    // caller cleared it.
    return IsDataFile(platform.files(), path, MaxPictureBytes) && window->setPicture(path);
}

bool Form1::ShowWelcome()
{
    std::string welcome = DataPath + "Welcome.gif";
    if (!platform.files().exists(welcome)) welcome = DataPath + "Welcome.jpg";
    return ShowPicture(welcome);
}

void Form1::mnuExit_Click() { platform.events().endProgram(); }

void Form1::Form_Unload()
{
    files.close(1);
    platform.events().endProgram();
}

void Form1::mnuAbout_Click()
{
    if (Testing && !Paused) return; // the speed test is running
    const std::string text = ProgramVersion + CrLf + CrLf + "New versions and other software can be" + CrLf +
                             "found at: " + WebAddress + CrLf + CrLf + RightsNoticeLine1 + CrLf +
                             RightsNoticeLine2;
    platform.dialogs().messageBox(text, "About", Buttons::Ok, Icon::Information);
}

void Form1::mnuWebsite_Click()
{
    Answer answer = platform.dialogs().messageBox(
        "To visit the Orvane Web site you must be connected to the Internet. Click 'OK' when ready.",
        WebHost, Buttons::OkCancel, Icon::Information);
    if (answer == Answer::Cancel) return;
    platform.shell().openUrl(WebAddress);
}

} // namespace orvane
