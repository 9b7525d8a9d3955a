// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A window's size and place on a monitor of any pixel ratio, worked out as
// the window system works them out, without the window system: a fixed
// client area of logical pixels, the frame, caption and menu bar around it
// in device pixels, and a monitor's work area.
#pragma once
#include "platform/geometry.h"

namespace orvane {

// Dots per inch of a monitor at a pixel ratio of 1.
inline constexpr int LogicalDpi = 96;

// A logical length in the device pixels of a monitor of this many dots per
// inch, rounded to the nearest pixel, halves away from zero (as MulDiv).
int DevicePixels(int logical, int dpi);

// The frame, caption and menu bar around a client area, device pixels.
struct FrameEdges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The outer size, device pixels, of a window whose client area is this many
// logical pixels, with these edges at that many dots per inch.
Size OuterSize(Size client, int dpi, const FrameEdges& edges);

// A work area of device pixels as the game sees it: its size in logical
// pixels, whole pixels only.
Size LogicalSize(const Rect& workArea, int dpi);

// Where the top-left corner of a window goes, device pixels, when the game
// places it (left, top) logical pixels from a work area's corner: inside the
// work area, so that a window larger than the monitor keeps its caption,
// and the player the means to move it, on the screen.
struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};
Point PlaceInWorkArea(const Rect& workArea, int dpi, int left, int top);

} // namespace orvane
