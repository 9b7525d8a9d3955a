// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The segment table: every straight line the ball can meet. Rows 0 to 50
// hold the player's strokes as a ring, rows 51 onward the level's margins in
// file order; the last row is the goal line.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvane {

using Segment = std::array<std::int32_t, 4>; // X1, Y1, X2, Y2

inline constexpr int PlayerRows = 51;   // rows 0 to 50
inline constexpr int LastPlayerRow = 50;

// The rows, and a count of the times they could have been written to: the
// ball's search keeps what it worked out from the rows until it changes.
// Every access that may write counts, so a row is written through the
// reference operator[] hands out at that moment, not kept for later.
class SegmentTable {
public:
    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    const Segment& operator[](std::size_t row) const { return rows_[row]; }
    const Segment& at(std::size_t row) const { return rows_.at(row); }
    const Segment& back() const { return rows_.back(); }

    Segment& operator[](std::size_t row)
    {
        ++writes_;
        return rows_[row];
    }
    void assign(std::size_t rows, const Segment& value)
    {
        ++writes_;
        rows_.assign(rows, value);
    }

    std::uint64_t writes() const { return writes_; }

private:
    std::vector<Segment> rows_;
    std::uint64_t writes_ = 0;
};

} // namespace orvane
