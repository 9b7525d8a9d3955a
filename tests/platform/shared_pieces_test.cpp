// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The pure pieces every windowing platform places its labels and keeps its
// line work with.
#include <gtest/gtest.h>

#include <limits>

#include "platform/label_fit.h"
#include "platform/line_record.h"

namespace orvane {
namespace {

TEST(FitLabel, GrowsAboutTheDesignedCentreAndStaysInsideItsParent)
{
    const Size room{600, 400};
    // A text that fits keeps the designed box.
    EXPECT_EQ(FitLabel({256, 168, 77, 24}, {40, 20}, room), (Rect{256, 168, 77, 24}));
    // Wider and taller: centred on the designed centre.
    EXPECT_EQ(FitLabel({256, 168, 77, 24}, {277, 30}, room), (Rect{156, 165, 277, 30}));
    // Pushed back inside at either edge.
    EXPECT_EQ(FitLabel({0, 64, 185, 25}, {100, 40}, {185, 89}), (Rect{0, 49, 185, 40}));
    EXPECT_EQ(FitLabel({10, 0, 20, 10}, {100, 10}, room), (Rect{0, 0, 100, 10}));
    EXPECT_EQ(FitLabel({560, 0, 20, 10}, {100, 10}, room), (Rect{500, 0, 100, 10}));
    // Wider than the parent: centred, as no place inside exists.
    EXPECT_EQ(FitLabel({0, 0, 100, 10}, {200, 10}, {150, 50}), (Rect{-50, 0, 200, 10}));
}

TEST(LineRecord, KeepsEachDistinctLineOnceInTheOrderFirstDrawnWithEndsARasteriserTakes)
{
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    LineRecord record;
    ASSERT_TRUE(record.add({1, 2, 3, 4, std::nullopt}, White));
    ASSERT_TRUE(record.add({5, 6, 7, 8, Red}, White));
    // The same line again, its colour given as the foreground: nothing new.
    EXPECT_FALSE(record.add({1, 2, 3, 4, White}, White));
    // NaN and -0 are tamed to one value, so the line again is the same line.
    EXPECT_EQ(record.add({nan, -inf, inf, -0.0f, std::nullopt}, Black), (DrawnLine{0, -100000, 100000, 0, Black}));
    EXPECT_FALSE(record.add({nan, -inf, inf, 0.0f, std::nullopt}, Black));
    EXPECT_EQ(record.lines(), (std::vector<DrawnLine>{{1, 2, 3, 4, White}, {5, 6, 7, 8, Red}, {0, -100000, 100000, 0, Black}}));
    EXPECT_EQ(TameCoordinate(1e9), 100000); // far outside any window
    record.clear();
    EXPECT_TRUE(record.add({1, 2, 3, 4, std::nullopt}, White));
    EXPECT_EQ(record.size(), 1u);
}

} // namespace
} // namespace orvane
