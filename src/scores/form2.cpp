// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Loading, saving and resetting the high-score table.
#include "scores/form2.h"

#include <cmath>

#include "platform/data_files.h"
#include "platform/fields.h"
#include "scores/score_file.h"
#include "shell/form1.h"
#include "shell/texts.h"

namespace orvane {

Form2::Form2(Form1& form1, bool load) : form1_(form1)
{
    window = form1.platform.createWindow({"Form2", "High Scores", Size{170, 295}, Rgb(212, 208, 200), Black});
    Window& w = *window;
    // Added in the keyboard's focus order, which windows follow.
    List1 = &w.addListBox({"List1", {8, 8, 153, 251}});
    Command1 = &w.addButton({"Command1", {88, 264, 73, 25}, "OK", true, true});
    Command2 = &w.addButton({"Command2", {8, 264, 73, 25}, "RESET ALL", false, false});
    List2 = &w.addListBox({"List2", {200, 8, 153, 251}});
    List3 = &w.addListBox({"List3", {352, 8, 153, 251}});
    Image1 = &w.addImageArea({"Image1", {0, 224, 9, 33}, false});
    Command1->onClick = [this] { Command1_Click(); };
    Command2->onClick = [this] { Command2_Click(); };
    Image1->onDoubleClick = [this] { Image1_DblClick(); };
    if (load) Form_Load();
}

Form2::~Form2() = default;

std::string Form2::FilePath() const { return place_.path; }

void Form2::InsertEntry(int index, const std::string& name, std::int32_t score)
{
    List1->insertItem(index, DecimalText(score) + " : " + name);
    List2->insertItem(index, name);
    List3->insertItem(index, DecimalText(score));
}

std::string Form2::KeepOriginal(const std::string& contents)
{
    FileSystem& files = form1_.platform.files();
    const std::string file = FilePath();
    const std::string folder = file.substr(0, file.rfind(files.separator()) + 1);
    for (int n = 0; n < 1000; ++n) {
        std::string name = n == 0 ? "HighScores.bak" : "HighScores." + std::to_string(n) + ".bak";
        std::string path = folder + name;
        if (files.exists(path)) {
            if (files.readFile(path) == contents) return name; // already kept
            continue;
        }
        return files.replaceFile(path, contents) ? name : std::string();
    }
    return {};
}

void Form2::Form_Load()
{
    Size screen = window->screenSize(), outer = window->outerSize();
    window->moveTo(screen.width / 2 - outer.width / 2, screen.height / 2 - outer.height / 2);
    for (ListBox* list : {List1, List2, List3}) list->clear();

    if (form1_.ScoresPlace.path.empty()) form1_.ScoresPlace = FindScorePlace(form1_.platform.files(), form1_.DataPath);
    place_ = form1_.ScoresPlace;
    if (holdUntilSaved) hold_ = form1_.platform.files().holdFile(FilePath());
    std::optional<std::string> contents = ReadDataFile(form1_.platform.files(), FilePath(), MaxHighScoreFileBytes);
    ScoreTable table = contents ? ParseScores(*contents) : ScoreTable{{}, false};
    for (const ScoreEntry& entry : table.entries) InsertEntry(List1->count(), entry.name, entry.score);
    if (table.complete) return;

    std::string text = "An error has occurred while trying to load the high scores list.";
    // A file read only in part would lose its unread records at the next
    // save: the original is kept beside it first, and where that cannot be
    // done the file is not replaced. Nor is anything there that cannot be
    // read at all: a file another program holds, one too large for any
    // table, a FIFO or a device.
    if (contents) {
        std::string kept = KeepOriginal(*contents);
        leaveFileAlone_ = kept.empty();
        text += kept.empty() ? CrLf + "The file could not be copied; new scores will not be saved in it."
                             : CrLf + "The whole file has been kept as " + kept + ".";
    } else {
        leaveFileAlone_ = form1_.platform.files().fileInfo(FilePath()).has_value();
    }
    // No copy waits on a box the player may leave open.
    hold_.reset();
    form1_.ShowError(text);
}

void Form2::SaveHighScores()
{
    std::vector<ScoreEntry> entries;
    for (int i = 0; i < List1->count(); ++i) {
        double score = std::nearbyint(LeadingNumber(List3->item(i)));
        score = std::fmax(INT32_MIN, std::fmin(INT32_MAX, score));
        entries.push_back({List2->item(i), static_cast<std::int32_t>(score)});
    }
    FileSystem& files = form1_.platform.files();
    const bool refused = leaveFileAlone_ && files.fileInfo(FilePath()).has_value();
    const bool saved = !refused && files.replaceFile(FilePath(), FormatScores(entries));
    hold_.reset();
    std::string text = "An error has occurred while trying to save the high scores list.";
    if (!place_.closedFolder.empty()) {
        // Where and why, and what the player can do; said once a run while
        // the player's own copy keeps the scores.
        if (saved && form1_.ToldScoresElsewhere) return;
        std::string folder = place_.closedFolder;
        if (folder.size() > 1 && folder.back() == files.separator()) folder.pop_back();
        text += CrLf + CrLf + "The folder " + folder + " cannot be written.";
        if (saved) text += " The high scores are kept for you in " + FilePath() + ".";
        text += CrLf + "To keep them with the game, move the game's whole folder to a folder you can write.";
        form1_.ToldScoresElsewhere = saved;
    } else if (saved) {
        return;
    }
    form1_.ShowError(text);
}

void Form2::Command1_Click() { window->close(); }

void Form2::Command2_Click()
{
    Answer answer = form1_.platform.dialogs().messageBox("Do you really want to remove all the high scores?",
                                                         "Warning!", Buttons::YesNo, Icon::Exclamation);
    if (answer != Answer::Yes) return;
    List1->clear();
    List2->clear();
    List3->clear();
    SaveHighScores();
}

} // namespace orvane
