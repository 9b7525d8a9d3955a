// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The speed calibration: how much faster or slower than the reference
// machine this one runs the main loop.
#pragma once

namespace orvane {

// The speed test takes this long on the machine for which the velocities
// in the level files are right.
inline constexpr double ReferenceTestSeconds = 7.0;

// Every pass of the main loop yields to the window system, which costs at
// least a microsecond or so on any machine; no machine can therefore finish
// the speed test in less than about a quarter of the reference time. A
// factor far below that comes from a clock that did not move (or jumped),
// and would leave every ball standing still or crawling: it is raised to
// this bound. A machine sixty-four times slower than the reference could not
// show a moving ball at all; the upper bound keeps a test that was held up
// (a window dragged for a minute) from making every ball leap.
inline constexpr float MinSpeedFactor = 1.0f / 16.0f;
inline constexpr float MaxSpeedFactor = 64.0f;

// elapsed seconds / 7.0, in single precision, within the bounds above.
float SpeedFactorFor(double elapsedSeconds);

} // namespace orvane
