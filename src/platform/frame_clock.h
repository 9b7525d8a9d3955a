// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// When the screen shows its next frame. The game's main loop passes far more
// often than a screen refreshes, so a playfield paints what changed once a
// refresh period, when this clock says a frame is due, and not from a
// window-system timer, whose ticks (15.6 ms on Windows) beat against the
// screen's. Times are ticks of whatever steady clock the platform reads
// (nanoseconds, or the performance counter's ticks on Windows).
#pragma once
#include <cstdint>
#include <optional>

namespace orvane {

class FrameClock {
public:
    using Ticks = std::int64_t;

    // The period a screen of this many frames a second shows a frame for,
    // in ticks of a clock of the given rate; 60 Hz for a rate no screen has
    // (0, negative, absurdly high).
    static Ticks periodOf(double hertz, Ticks ticksPerSecond = 1'000'000'000);

    // Frames start every period (one of 0 or less is refused) from the
    // phase (a moment a frame started)
    // where the platform knows one; else from the first paint, and again
    // from a paint that follows a period or more without one (the first
    // change after a pause paints at once).
    void setPeriod(Ticks period, std::optional<Ticks> phase = std::nullopt);
    Ticks period() const { return period_; }

    // Whether a paint is due now: once in each period, at its start or the
    // first look after it. A late look paints once and skips the frames it
    // missed, never two paints in one period.
    bool due(Ticks now);

    // When the next paint is due (now or earlier when one is due already).
    Ticks next() const { return next_; }

private:
    static constexpr Ticks Unset = INT64_MIN;
    Ticks period_ = periodOf(60);
    std::optional<Ticks> phase_;
    Ticks next_ = Unset;
};

// The refresh rate a platform read from its screen, or the one the
// environment's ORVANE_REFRESH_RATE forces (benches, to paint at 144 Hz on a
// display server that reports 60).
double RefreshRate(double reported);

} // namespace orvane
