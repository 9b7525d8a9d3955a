// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The hidden spot of the high-score window: the day's code, then a level to
// go on at.
#include <cmath>

#include "platform/fields.h"
#include "scores/form2.h"
#include "shell/form1.h"
#include "shell/texts.h"

namespace orvane {

void Form2::Image1_DblClick()
{
    Form1& game = form1_;
    // Before the speed test there is no calibration: every level's ball
    // would stand still, so there is nothing to jump to yet.
    if (game.Testing) return;

    Dialogs& boxes = game.platform.dialogs();
    std::string code = boxes.inputBox("Please enter code:", ProgramTitle, "");
    if (LeadingNumber(code) != game.platform.clock().dayOfMonth()) return;

    std::string entry = boxes.inputBox("Please enter level number:", "Cheats", "");
    if (entry.empty()) return;
    const double v = LeadingNumber(entry);
    if (v > game.LevelCount) return;
    const double L = std::nearbyint(v - 1) + 1; // halves to even after one is taken off
    if (L < 1) return;
    game.CurrentLevel = static_cast<std::int16_t>(L - 1);
    game.LevelCompleted();
}

} // namespace orvane
