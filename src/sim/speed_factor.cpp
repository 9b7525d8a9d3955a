// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/speed_factor.h"

#include <algorithm>
#include <cmath>

namespace orvane {

float SpeedFactorFor(double elapsedSeconds)
{
    float factor = static_cast<float>(elapsedSeconds) / static_cast<float>(ReferenceTestSeconds);
    if (!std::isfinite(factor)) return MaxSpeedFactor;
    return std::clamp(factor, MinSpeedFactor, MaxSpeedFactor);
}

} // namespace orvane
