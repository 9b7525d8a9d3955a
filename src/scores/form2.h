// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The high-score window: the table in three parallel lists, RESET ALL, OK,
// and a hidden spot that jumps to a chosen level. Built means loaded (the
// file has been read), unless it is built to be loaded later; destroyed
// means unloaded.
#pragma once
#include <memory>
#include <string>

#include "platform/window.h"
#include "scores/score_place.h"

namespace orvane {

class Form1;

class Form2 {
public:
    explicit Form2(Form1& form1, bool load = true);
    ~Form2();

    void Form_Load();
    void SaveHighScores();
    void Command1_Click();
    void Command2_Click();
    void Image1_DblClick();

    // Set before the load at a game's end: other copies of the program
    // wait from the read until the save, so that two games ending at once
    // both reach the file.
    bool holdUntilSaved = false;

    // Puts an entry in all three lists at the index (the count appends).
    void InsertEntry(int index, const std::string& name, std::int32_t score);

    std::unique_ptr<Window> window;
    ListBox* List1 = nullptr; // display lines
    ListBox* List2 = nullptr; // names
    ListBox* List3 = nullptr; // score texts
    Button* Command1 = nullptr;
    Button* Command2 = nullptr;
    ImageArea* Image1 = nullptr;

private:
    std::string FilePath() const;
    // Keeps a file that could not be read to its end beside it under a
    // name no other copy has, and returns that name (empty on failure).
    std::string KeepOriginal(const std::string& contents);

    Form1& form1_;
    ScorePlace place_;
    std::unique_ptr<FileHold> hold_;
    // The file holds records that the table lacks and that no copy keeps:
    // a save would lose them, so the file is left alone.
    bool leaveFileAlone_ = false;
};

} // namespace orvane
