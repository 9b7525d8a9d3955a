// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The pure pieces every windowing platform places its labels, keeps its line work, times its paints and
// the speed test and waits for a held file with, and the Windows window's size and place at each ratio.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>
#include <vector>

#include "platform/frame_clock.h"
#include "platform/held_loops.h"
#include "platform/label_fit.h"
#include "platform/line_record.h"
#include "platform/native/native_files.h"
#include "platform/window_size.h"

namespace orvane {
namespace {

TEST(FitLabel, GrowsAboutTheDesignedCentreAndStaysInsideItsParent)
{
    // A text that fits keeps the designed box; a larger one is centred on the designed centre, pushed
    // back inside at either edge, or, wider than the parent, centred on it.
    const Size room{600, 400};
    EXPECT_EQ(FitLabel({256, 168, 77, 24}, {40, 20}, room), (Rect{256, 168, 77, 24}));
    EXPECT_EQ(FitLabel({256, 168, 77, 24}, {277, 30}, room), (Rect{156, 165, 277, 30}));
    EXPECT_EQ(FitLabel({0, 64, 185, 25}, {100, 40}, {185, 89}), (Rect{0, 49, 185, 40}));
    EXPECT_EQ(FitLabel({10, 0, 20, 10}, {100, 10}, room), (Rect{0, 0, 100, 10}));
    EXPECT_EQ(FitLabel({560, 0, 20, 10}, {100, 10}, room), (Rect{500, 0, 100, 10}));
    EXPECT_EQ(FitLabel({0, 0, 100, 10}, {200, 10}, {150, 50}), (Rect{-50, 0, 200, 10}));
}

TEST(LineRecord, KeepsEachDistinctLineOnceInTheOrderFirstDrawnWithEndsARasteriserTakes)
{
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    LineRecord record;
    ASSERT_TRUE(record.add({1, 2, 3, 4, std::nullopt}, White) && record.add({5, 6, 7, 8, Red}, White));
    EXPECT_FALSE(record.add({1, 2, 3, 4, White}, White)); // the same line again, its colour given as the foreground
    // NaN and -0 are tamed to one value, so the line again is the same line.
    EXPECT_EQ(record.add({nan, -inf, inf, -0.0f, std::nullopt}, Black), (DrawnLine{0, -100000, 100000, 0, Black}));
    EXPECT_FALSE(record.add({nan, -inf, inf, 0.0f, std::nullopt}, Black));
    EXPECT_EQ(record.lines(), (std::vector<DrawnLine>{{1, 2, 3, 4, White}, {5, 6, 7, 8, Red}, {0, -100000, 100000, 0, Black}}));
    EXPECT_EQ(TameCoordinate(1e9), 100000); // far outside any window
    record.clear();
    EXPECT_TRUE(record.add({1, 2, 3, 4, std::nullopt}, White) && record.size() == 1u);
}

TEST(WindowSize, TheGameAndTheTableWindowAtEveryCommonPixelRatioOnAMonitorLeftOfThePrimary)
{
    // Frame, caption and menu bar as Wine gives them; the game's client area is 600 x 400, the table's
    // 170 x 295 (no menu bar); the monitor's work area starts left of the primary's.
    const Rect work{-1920, 0, 1920, 1040};
    struct Row { int dpi; FrameEdges game, table; Size gameOuter, tableOuter, screen; Point placed; };
    const Row rows[] = {
        {96, {3, 41, 3, 3}, {3, 22, 3, 3}, {606, 444}, {176, 320}, {1920, 1040}, {-1820, 50}},
        {120, {3, 51, 3, 3}, {3, 27, 3, 3}, {756, 554}, {219, 399}, {1536, 832}, {-1795, 63}},
        {144, {3, 59, 3, 3}, {3, 31, 3, 3}, {906, 662}, {261, 477}, {1280, 693}, {-1770, 75}},
        {168, {3, 69, 3, 3}, {3, 36, 3, 3}, {1056, 772}, {304, 555}, {1097, 594}, {-1745, 88}},
        {192, {3, 77, 3, 3}, {3, 40, 3, 3}, {1206, 880}, {346, 633}, {960, 520}, {-1720, 100}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dpi);
        EXPECT_EQ(OuterSize({600, 400}, row.dpi, row.game), row.gameOuter);
        EXPECT_EQ(OuterSize({170, 295}, row.dpi, row.table), row.tableOuter);
        EXPECT_EQ(LogicalSize(work, row.dpi), row.screen);
        EXPECT_EQ(PlaceInWorkArea(work, row.dpi, 100, 50), row.placed);
        // A window larger than the monitor keeps its caption on it.
        EXPECT_EQ(PlaceInWorkArea(work, row.dpi, -30, -10), (Point{-1920, 0}));
    }
    EXPECT_EQ(DevicePixels(-5, 144), -8); // halves away from zero, as MulDiv
}

TEST(FrameClock, PaintsOnceAPeriodOnTheScreensFramesAndALateLookSkipsAhead)
{
    constexpr FrameClock::Ticks ms = 1'000'000;
    struct Look { FrameClock::Ticks at; bool due; FrameClock::Ticks next; };
    struct Case { const char* what; FrameClock::Ticks period; std::optional<FrameClock::Ticks> phase; std::vector<Look> looks; };
    // 2.5 frames late: one paint, the missed frames skipped. A little late: the next frame stays on the grid. A
    // period and more without a paint (nothing changed): the first change paints at once and the frames run from it.
    const Case cases[] = {
        {"frames from the screen's phase", 16 * ms, 5 * ms,
         {{100 * ms, true, 101 * ms}, {100 * ms, false, 101 * ms}, {100'999'999, false, 101 * ms}, {101 * ms, true, 117 * ms},
          {116 * ms, false, 117 * ms}, {157 * ms, true, 165 * ms}, {160 * ms, false, 165 * ms}, {166 * ms, true, 181 * ms}}},
        {"without a phase, from the first paint", 10 * ms, std::nullopt,
         {{-3 * ms, true, 7 * ms}, {6 * ms, false, 7 * ms}, {7 * ms, true, 17 * ms}, {20 * ms, true, 27 * ms},
          {41 * ms, true, 51 * ms}, {51 * ms, true, 61 * ms}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FrameClock clock;
        clock.setPeriod(c.period, c.phase);
        for (const Look& look : c.looks) {
            EXPECT_EQ(clock.due(look.at), look.due) << look.at;
            EXPECT_EQ(clock.next(), look.next) << look.at;
        }
    }
    // A rate no screen has is taken as 60 Hz; 144 Hz is 6.94 ms.
    EXPECT_EQ((std::vector{FrameClock::periodOf(0), FrameClock::periodOf(60), FrameClock::periodOf(144)}),
              (std::vector<FrameClock::Ticks>{16'666'667, 16'666'667, 6'944'444}));
}

// The system's loops are taken off the clock, nested ones once, the open one as it runs; a leave
// without an entry changes nothing.
TEST(HeldLoops, TakeEveryHeldStretchOffTheClockOnce)
{
    HeldLoops held;
    EXPECT_EQ(held.outside(100), 100);
    held.leave(100);
    held.enter(101), held.enter(102); // a move loop inside a menu's
    EXPECT_EQ(held.outside(104), 101);
    held.leave(105);
    EXPECT_EQ(held.outside(106), 101);
    held.leave(107);
    EXPECT_EQ(held.outside(110), 104);
    held.enter(111), held.leave(111.5);
    EXPECT_EQ(held.outside(112), 105.5);
}

// A held file is tried again after waits that grow from 10 ms to 250 ms, for about two seconds; what
// is done or refused is never tried again.
TEST(RetryWhileHeld, WaitsGrowingForAboutTwoSecondsThenGivesUp)
{
    using std::chrono::milliseconds;
    struct Case { int heldTries; Attempt last; bool done; int tries; long long waited; }; // tries Held before the last; ms
    for (const Case& c : {Case{0, Attempt::Done, true, 1, 0}, Case{0, Attempt::Refused, false, 1, 0},
                          Case{3, Attempt::Done, true, 4, 70}, Case{6, Attempt::Done, true, 7, 560},
                          Case{2, Attempt::Refused, false, 3, 30}, Case{1000, Attempt::Done, false, 13, 2060}}) {
        SCOPED_TRACE(c.heldTries);
        int tries = 0;
        std::vector<long long> waits;
        const bool done = RetryWhileHeld([&] { return ++tries > c.heldTries ? c.last : Attempt::Held; },
                                         [&](milliseconds ms) { waits.push_back(ms.count()); });
        EXPECT_TRUE(done == c.done && tries == c.tries && std::is_sorted(waits.begin(), waits.end()));
        EXPECT_EQ(std::accumulate(waits.begin(), waits.end(), 0LL), c.waited);
    }
}

} // namespace
} // namespace orvane
