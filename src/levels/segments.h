// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The segment table: every straight line the ball can meet. Rows 0 to 50
// hold the player's strokes as a ring, rows 51 onward the level's margins in
// file order; the last row is the goal line.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace orvane {

using Segment = std::array<std::int32_t, 4>; // X1, Y1, X2, Y2
using SegmentTable = std::vector<Segment>;

inline constexpr int PlayerRows = 51;   // rows 0 to 50
inline constexpr int LastPlayerRow = 50;

} // namespace orvane
