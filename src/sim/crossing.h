// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The geometry of one ball step: whether its path crosses a segment, and
// how the ball leaves a segment it bounced off. Pure functions.
#pragma once
#include "levels/segments.h"

namespace orvane {

// The ball's proposed move, from where it stands to where it would go.
struct Path {
    double fromX = 0, fromY = 0, toX = 0, toY = 0;
};

struct Velocity {
    double vx = 0, vy = 0;
    friend bool operator==(const Velocity&, const Velocity&) = default;
};

// The angle value of the game's physics: ten significant digits, as the game
// has always used it, so a bounce leaves the same tiny sideways trace (about
// 3e-10 of the speed) that it always has.
inline constexpr double GamePi = 3.141592653;

// Whether the path crosses the segment, both ends included. A path of
// length zero (a ball at rest) crosses nothing.
bool Crosses(const Path& path, const Segment& segment);

// The velocity after bouncing off the segment: the path's direction
// mirrored at the segment's line, at the speed of the proposed step.
Velocity Bounce(const Path& path, const Segment& segment);

} // namespace orvane
