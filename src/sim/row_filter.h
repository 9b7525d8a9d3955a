// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A first look at the rows of the segment table for one step: the box each
// row's crossing point has to lie in, against the box of the step's path,
// compared for whole blocks of rows without a branch. Only the rows it
// cannot rule out go on to the exact test, so a step costs about the same
// whatever the level's margins and wherever they lie, and the speed test's
// timing holds for every level. It only ever rules out rows the exact test
// would not cross, so every decision stays the exact test's.
#pragma once
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <experimental/simd>
#include <vector>

#include "levels/segments.h"
#include "sim/crossing.h"

namespace orvane {

class RowFilter {
public:
    static constexpr int BlockRows = 64;
    // Every shipped level and the speed test fit in this many rows, so all
    // of them are looked at in the same number of blocks.
    static constexpr int LeastRows = 64;

    // Works the boxes out again if the table may have been written to: a
    // step that changed nothing pays only the look itself.
    void update(const SegmentTable& table);
    // How many times the boxes were worked out.
    std::uint64_t builds() const { return builds_; }

    // The first row up to `last` (in row order) that `crossed` says the
    // path crosses, of those this filter cannot rule out; -1 if none.
    template <class Crossed>
    int firstCrossed(const Path& path, int last, Crossed crossed) const
    {
        const Probe probe = probeFor(path);
        for (int block = 0; block * BlockRows <= last && block < blocks(); ++block) {
            for (std::uint64_t mask = maskOf(probe, block); mask != 0; mask &= mask - 1) {
                const int row = block * BlockRows + std::countr_zero(mask);
                if (row > last) return -1;
                if (crossed(row)) return row;
            }
        }
        return -1;
    }

    // How the exact test treats a row depends on whether the path slopes,
    // runs level or runs straight up or down: a box set for each.
    enum Kind { Sloping, Level, Upright, Kinds };

private:
    struct Boxes {
        std::vector<float> loX, hiX, loY, hiY;
    };
    struct Probe {
        int kind = Sloping;
        bool everyRow = false; // a path too long, too short or too far out to judge here
        float loX = 0, hiX = 0, loY = 0, hiY = 0;
        // For the side of a sloping row's line the path is on; the slope is
        // 0 for a path straight up or down.
        float fromX = 0, fromY = 0, toX = 0, toY = 0, slope = 0, steep = 0;
        float reachX = 0, spanX = 0, spanY = 0; // |BallX|, |BallX| + |NewX|, |BallY| + |NewY|
    };

    // A sloping row's line, dyS * (x - X1) - dxS * (y - Y1) = 0; zeros for
    // the other rows and for coordinates too large for a float to hold.
    struct Lines {
        std::vector<float> a, b, x1, y1;
    };

    Probe probeFor(const Path& path) const;
    using Lanes = std::experimental::native_simd<float>;
    static Lanes::mask_type Aside(const Probe& probe, const Lines& lines, std::size_t first);
    // The rows of a block the path may cross, a bit each from the block's first.
    std::uint64_t maskOf(const Probe& probe, int block) const;
    int blocks() const { return static_cast<int>(boxes_[Sloping].loX.size()) / BlockRows; }

    std::array<Boxes, Kinds> boxes_;
    Lines lines_;
    int rows_ = 0;
    std::uint64_t builtAt_ = ~std::uint64_t{0};
    std::uint64_t builds_ = 0;
};

} // namespace orvane
