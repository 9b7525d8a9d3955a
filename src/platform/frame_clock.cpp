// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/frame_clock.h"

#include <cstdlib>

namespace orvane {

namespace {

// The start of the frame that holds `now`, on frames of `period` from `origin`.
FrameClock::Ticks FrameStart(FrameClock::Ticks now, FrameClock::Ticks origin, FrameClock::Ticks period)
{
    FrameClock::Ticks offset = (now - origin) % period;
    if (offset < 0) offset += period;
    return now - offset;
}

} // namespace

FrameClock::Ticks FrameClock::periodOf(double hertz, Ticks ticksPerSecond)
{
    // 24 Hz to 1000 Hz covers every screen sold; outside it the answer is
    // a platform's failure to tell, not a screen.
    if (!(hertz >= 24 && hertz <= 1000)) hertz = 60;
    return static_cast<Ticks>(static_cast<double>(ticksPerSecond) / hertz + 0.5);
}

double RefreshRate(double reported)
{
    const char* forced = std::getenv("ORVANE_REFRESH_RATE");
    const double rate = forced ? std::atof(forced) : 0;
    return rate > 0 ? rate : reported;
}

void FrameClock::setPeriod(Ticks period, std::optional<Ticks> phase)
{
    if (period > 0) period_ = period;
    phase_ = phase;
}

bool FrameClock::due(Ticks now)
{
    if (now < next_) return false;
    Ticks origin = now;
    if (phase_) origin = *phase_;
    // Paints that follow one another keep to the frames they started on, so
    // that a late one does not shift the later ones.
    else if (next_ != Unset && now - next_ < period_) origin = next_;
    next_ = FrameStart(now, origin, period_) + period_;
    return true;
}

} // namespace orvane
