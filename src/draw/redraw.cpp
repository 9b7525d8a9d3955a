// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The line work on the playfield: the player's strokes, and the level's
// margins in red while Display Margins is checked.
#include <algorithm>

#include "shell/form1.h"

namespace orvane {

namespace {

Line LineOf(const Segment& s, std::optional<Colour> colour)
{
    return Line{static_cast<float>(s[0]), static_cast<float>(s[1]), static_cast<float>(s[2]),
                static_cast<float>(s[3]), colour};
}

} // namespace

void Form1::Redraw()
{
    // Empty rows are drawn too, as a dot at the top-left corner. The margins
    // run from the player's rows to the goal line, the table's last row.
    const SegmentTable& table = Segments; // read only: the ball's search keeps its work
    const int rows = static_cast<int>(table.size());
    for (int row = 0; row <= LastPlayerRow && row < rows; ++row)
        window->drawLine(LineOf(table[static_cast<std::size_t>(row)], std::nullopt));
    if (!mnuMargins->checked()) return;
    for (int row = PlayerRows; row < rows; ++row)
        window->drawLine(LineOf(table[static_cast<std::size_t>(row)], Red));
}

bool Form1::FrameDue()
{
    if (++FrameCounter < RepaintPeriod) return false;
    FrameCounter = 0;
    return true;
}

void Form1::mnuMargins_Click()
{
    mnuMargins->setChecked(!mnuMargins->checked());
    if (Paused) return;
    window->clearDrawing();
    Redraw();
}

} // namespace orvane
