// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The end of a game: the player's name into the table at its rank, and the
// High Scores menu command.
#include <algorithm>

#include "platform/fields.h"
#include "scores/form2.h"
#include "shell/form1.h"

namespace orvane {

void Form1::GameOver()
{
    const std::string prompt = "Your score is: " + DecimalText(TotalScore) + "\r\n\r\n" +
                               "To appear on the High Scores list, please enter your name: ";
    std::string name = platform.dialogs().inputBox(prompt, "High Scores", "");
    if (name.empty()) return;
    // A record is one line of the file: a line break that reached the box
    // (pasted) becomes a blank.
    std::replace_if(name.begin(), name.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');

    // The countdown can run out while the window is open from the menu: the
    // score then goes into that window, which is not opened a second time.
    const bool opened = !form2;
    if (opened) LoadHighScores(true);
    Form2& table = *form2;

    // Only strictly greater scores stay above: the newest of equal games
    // comes first.
    int P = 0;
    for (int i = 1; i <= table.List3->count(); ++i)
        if (LeadingNumber(table.List3->item(i - 1)) > TotalScore) P = i;
    table.InsertEntry(P, name, TotalScore);
    table.SaveHighScores();

    if (!opened) return;
    table.window->showModal();
    form2.reset();
}

void Form1::mnuHighScores_Click()
{
    if (Testing && !Paused) return; // the speed test is running
    if (form2) return;
    LoadHighScores();
    form2->window->showModal();
    form2.reset();
}

void Form1::LoadHighScores(bool toSave)
{
    // The window is known before it reads the file: the countdown goes on
    // behind the box of a failed read, and a game that ends there goes into
    // this window instead of opening a second one.
    form2 = std::make_unique<Form2>(*this, false);
    form2->holdUntilSaved = toSave;
    form2->Form_Load();
}

} // namespace orvane
