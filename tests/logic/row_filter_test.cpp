// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The ball's first look at the rows may only rule out rows the exact test
// would not cross: tried on rows and paths where roundings and the exact
// test's odd cases live (empty rows, axis-parallel lines, parallel paths,
// ends touching, paths along a row's line or nearly, steps far below a
// pixel).
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <utility>

#include "sim/row_filter.h"

using namespace orvane;

namespace {

// A coordinate near the rows: whole, a hair off a whole one, or anywhere.
double Near(std::mt19937_64& random, int low, int high)
{
    const double whole = std::uniform_int_distribution<int>(low, high)(random);
    switch (random() % 4) {
    case 0: return whole;
    case 1: return whole + std::ldexp(std::uniform_real_distribution<double>(-1, 1)(random), -20);
    case 2: return std::uniform_real_distribution<double>(low, high)(random);
    default: return static_cast<float>(std::uniform_real_distribution<double>(low, high)(random));
    }
}

} // namespace

TEST(Crossing, TheFirstLookNeverRulesOutACrossedRow)
{
    std::mt19937_64 random(20261207);
    long long crossed = 0, ruledOut = 0;
    for (int table = 0; table < 40; ++table) {
        // Every fourth table lies a million pixels out, where a float's
        // step is a sixteenth of a pixel and the roundings' room is widest.
        const int out = table % 4 == 1 ? 1 << 20 : 0;
        SegmentTable rows;
        // A few rows more than a block: the empty player rows stay among them.
        rows.assign(70, Segment{0, 0, 0, 0});
        for (std::size_t r = 20; r < rows.size(); ++r) {
            auto& s = rows[r];
            for (int& c : s) c = out + std::uniform_int_distribution<int>(-3, 12)(random);
            if (r % 3 == 0) s[2] = s[0]; // upright
            if (r % 3 == 1) s[3] = s[1]; // level
        }
        if (table % 8 == 0) rows[20] = {INT32_MIN, -3, INT32_MAX, 12}; // too large for a float to hold
        RowFilter filter;
        filter.update(rows);
        for (int p = 0; p < 2000; ++p) {
            Path path{out + Near(random, -2, 11), out + Near(random, -2, 11), 0, 0};
            // Down to steps too short for the first look, which it leaves to the exact test.
            const double length = std::ldexp(1.0, -static_cast<int>(random() % 10 == 0 ? 110 : random() % 40));
            path.toX = random() % 5 == 0 ? path.fromX : path.fromX + length * std::uniform_real_distribution<double>(-1, 1)(random);
            path.toY = random() % 5 == 0 ? path.fromY : path.fromY + length * std::uniform_real_distribution<double>(-1, 1)(random);
            if (random() % 6 == 0) { path.toX = out + Near(random, -2, 11), path.toY = out + Near(random, -2, 11); }
            if (random() % 4 == 0) { // along a row's line, or nearly
                const Segment& s = rows[21 + random() % 49];
                const double t = std::uniform_real_distribution<double>(-0.5, 1.5)(random);
                const double off = std::ldexp(std::uniform_real_distribution<double>(-1, 1)(random), -int(random() % 50));
                path.fromX = s[0] + t * (s[2] - s[0]) + off, path.fromY = s[1] + t * (s[3] - s[1]);
                const double turn = std::ldexp(std::uniform_real_distribution<double>(-1, 1)(random), -int(random() % 50));
                path.toX = path.fromX + length * (s[2] - s[0] - turn * (s[3] - s[1]));
                path.toY = path.fromY + length * (s[3] - s[1] + turn * (s[2] - s[0]));
            }
            std::vector<bool> kept(rows.size());
            filter.firstCrossed(path, static_cast<int>(rows.size()) - 1, [&](int r) { return !(kept[r] = true); });
            for (std::size_t r = 0; r < rows.size(); ++r) {
                if (!Crosses(path, rows[r])) {
                    ruledOut += !kept[r];
                    continue;
                }
                ++crossed;
                ASSERT_TRUE(kept[r]) << "row " << rows[r][0] << "," << rows[r][1] << " " << rows[r][2] << ","
                                     << rows[r][3] << " path " << path.fromX << "," << path.fromY << " to "
                                     << path.toX << "," << path.toY;
            }
        }
    }
    // The sweep met crossings, and the filter ruled out most of the rest.
    EXPECT_GT(crossed, 1000);
    EXPECT_GT(ruledOut, 0.9 * (2000 * 40 * 70 - crossed));
}

// Every row the first look keeps costs the exact test: a path that stops
// short of a row by half a pixel leaves it nothing to do, whichever way the
// path runs, and a million pixels out, where the roundings' room is widest.
TEST(Crossing, TheFirstLookKeepsNoRowThePathStopsShortOf)
{
    constexpr int Far = 1 << 20, Big = (1 << 22) + 1;
    const std::pair<Segment, Path> cases[] = {
        {{0, 0, 600, 0}, {300, 200, 301.5, 201}},                           // sloping, in the open
        {{10, -5, 10, 5}, {300, 0.25, 300, 0.75}},                          // straight up, beside an upright row
        {{-5, 0, 5, 0}, {0.25, 300, 0.75, 300}},                            // level, beside a level row
        {{Far, 1025, Far + 2048, 1025}, {Far, 0, Far + 1024, 1024.5}},      // far out
        {{Big, 0, Big + 1000, 1000}, {Big + 900, 100, Big + 901, 100.5}},   // far out, inside a sloping row's box
    };
    for (const auto& [row, path] : cases) {
        SegmentTable rows; // the player's rows empty, as at a level's start
        rows.assign(PlayerRows + 1, Segment{0, 0, 0, 0});
        rows[0] = rows[PlayerRows] = row; // a stroke and a margin
        RowFilter filter;
        filter.update(rows), filter.update(rows);
        EXPECT_EQ(filter.builds(), 1u); // a table not written to is not worked out again
        int looked = 0;
        filter.firstCrossed(path, PlayerRows, [&](int) { return ++looked, false; });
        EXPECT_EQ(looked, 0) << "path " << path.fromX << "," << path.fromY << " to " << path.toX << "," << path.toY;
    }
}
