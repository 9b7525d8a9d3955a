// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The speed calibration: how much faster or slower than the reference
// machine this one runs the main loop.
#pragma once

namespace orvane {

// The speed test takes this long on the machine for which the velocities
// in the level files are right.
inline constexpr double ReferenceTestSeconds = 7.0;

// That machine's main loop passes a second: the level files' velocities are
// pixels a step there, and the speed test's ball reaches its goal after
// 7.0 seconds' worth of them. The game never reads it; the level tools
// write and check the files by it. It sits near what today's machines do,
// so that the test is long enough to time well and short enough not to
// keep a player waiting.
inline constexpr double ReferencePassesPerSecond = 1'000'000;

// Every pass of the main loop takes a ball step and yields to the window
// system; on the fastest machine we know (a quarter of a microsecond a pass
// under Wine) the speed test takes a sixteenth of the reference time, and
// no machine takes a pass in much less than a tenth of a microsecond. A
// factor far below that comes from a clock that did not move (or jumped),
// and would leave every ball standing still or crawling: it is raised to
// this bound. A machine sixty-four times slower than the reference could not
// show a moving ball at all; the upper bound keeps a test that was held up
// (a window dragged for a minute) from making every ball leap.
inline constexpr float MinSpeedFactor = 1.0f / 64.0f;
inline constexpr float MaxSpeedFactor = 64.0f;

// elapsed seconds / 7.0, in single precision, within the bounds above.
float SpeedFactorFor(double elapsedSeconds);

} // namespace orvane
