// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The player's strokes: every move with the left button alone held down
// adds one segment to a ring of 51 and draws it at once.
#include <algorithm>
#include <cmath>
#include <limits>

#include "shell/form1.h"

namespace orvane {

namespace {

// To the nearest whole pixel, a half going to the even neighbour; pointer
// positions far off the window are held within range.
std::int32_t Rounded(float coordinate)
{
    double r = std::nearbyint(static_cast<double>(coordinate));
    if (!(r == r)) return 0;
    return static_cast<std::int32_t>(std::clamp<double>(r, std::numeric_limits<std::int32_t>::min(),
                                                        std::numeric_limits<std::int32_t>::max()));
}

} // namespace

void Form1::Form_MouseDown(int, int, float X, float Y)
{
    if (Paused || Testing) return;
    LastX = Rounded(X);
    LastY = Rounded(Y);
    RemoveAll();
}

void Form1::Form_MouseMove(int Button, int, float X, float Y)
{
    if (Button != static_cast<int>(MouseButton::Left)) {
        LastX = Rounded(X);
        LastY = Rounded(Y);
        return;
    }
    if (Paused || Testing) return;

    // Drawn from the pointer's own position, stored rounded.
    window->drawLine(Line{X, Y, static_cast<float>(LastX), static_cast<float>(LastY), std::nullopt});
    if (static_cast<std::size_t>(LineIndex) < Segments.size())
        Segments[static_cast<std::size_t>(LineIndex)] = Segment{LastX, LastY, Rounded(X), Rounded(Y)};
    LineIndex = static_cast<std::int16_t>((LineIndex + 1) % PlayerRows);
    LastX = Rounded(X);
    LastY = Rounded(Y);

    if (FrameDue()) {
        window->clearDrawing();
        Redraw();
    }
}

void Form1::Form_MouseUp(int, int, float, float)
{
    if (Paused || Testing) return;
    window->clearDrawing();
    Redraw();
}

} // namespace orvane
