// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Building a level from its file, and wiping the player's trail.
#include <algorithm>

#include "platform/data_files.h"
#include "shell/form1.h"

namespace orvane {

namespace {

constexpr int LevelFile = 1;

// A colour part above 255 counts as 255. The file format leaves negative
// parts undefined; they are taken as 0 so that a stray minus sign can never
// spill into the neighbouring colour.
Colour Part(std::int16_t value) { return static_cast<Colour>(std::clamp<int>(value, 0, 255)); }

} // namespace

bool Form1::LoadLevel(const std::string& FileName)
{
    // Names what is being read when an error strikes, for the level checker.
    std::string reading = "the file";
    auto number = [&](std::string what) {
        reading = std::move(what);
        return files.readNumber(LevelFile);
    };
    try {
        window->clearPicture();
        PictureName.clear();
        files.openInput(LevelFile, DataPath + FileName, MaxLevelFileBytes);

        reading = "the picture name";
        PictureName = files.readField(LevelFile).text;
        reading = "the picture " + PictureName;
        if (!StaysInFolder(PictureName))
            throw FileError(FileError::Kind::NotFound, "the picture lies outside the data folder");
        if (!ShowPicture(DataPath + PictureName))
            throw FileError(FileError::Kind::NotFound, "cannot show the picture " + PictureName);

        BallX = ToSingle(number("the ball's start x"));
        BallY = ToSingle(number("the ball's start y"));
        BallVX = ToSingle(number("the start velocity x"));
        BallVY = ToSingle(number("the start velocity y"));
        SecondsLeft = ToInt32(number("the time limit"));
        PointsPerSecond = ToInt32(number("the points per second"));

        std::int16_t red = ToInt16(number("the prompt colour's red part"));
        std::int16_t green = ToInt16(number("the prompt colour's green part"));
        std::int16_t blue = ToInt16(number("the prompt colour's blue part"));
        Label1->setForeColour(Part(red) + 256 * Part(green) + 65536 * Part(blue));

        std::int16_t marginCount = ToInt16(number("the margin count"));
        int last = marginCount + LastPlayerRow;
        if (last > INT16_MAX)
            throw FileError(FileError::Kind::Overflow, "the margin count is too large");
        // Checked before LastSegment changes, so that it always names the
        // last row the table has.
        if (marginCount < 0)
            throw FileError(FileError::Kind::Overflow, "the margin count is below zero");
        LastSegment = static_cast<std::int16_t>(last);

        Segments.assign(static_cast<std::size_t>(LastSegment) + 1, Segment{0, 0, 0, 0});
        for (int k = 1; k <= marginCount; ++k) {
            std::string margin = "margin " + std::to_string(k) + (k == marginCount ? " (the goal line)" : "");
            for (std::size_t column = 0; column < 4; ++column)
                Segments[static_cast<std::size_t>(LastPlayerRow + k)][column] = ToInt32(number(margin));
        }
        files.close(LevelFile);
        LoadError.clear();
        return true;
    } catch (const FileError& error) {
        files.close(LevelFile);
        LoadError = "while reading " + reading + ": " + error.what();
        if (error.line > 0) LoadError += " (line " + std::to_string(error.line) + ")";
        ShowError("An error has occurred while trying to load the game.");
        return false;
    }
}

void Form1::RemoveAll()
{
    for (std::size_t row = 0; row < std::min<std::size_t>(PlayerRows, Segments.size()); ++row)
        Segments[row] = Segment{0, 0, 0, 0};
    LineIndex = 0;
    window->clearDrawing();
    Redraw();
}

} // namespace orvane
