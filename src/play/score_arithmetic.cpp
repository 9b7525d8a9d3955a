// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "play/score_arithmetic.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace orvane {

namespace {

std::int32_t Saturate(long long value)
{
    return static_cast<std::int32_t>(std::clamp<long long>(value, std::numeric_limits<std::int32_t>::min(),
                                                           std::numeric_limits<std::int32_t>::max()));
}

} // namespace

std::int32_t LevelPoints(std::int32_t secondsLeft, std::int32_t pointsPerSecond)
{
    return Saturate(static_cast<long long>(secondsLeft) * pointsPerSecond);
}

std::int32_t AddPoints(std::int32_t total, std::int32_t points)
{
    return Saturate(static_cast<long long>(total) + points);
}

std::int16_t NextLevel(std::int16_t level)
{
    return level == std::numeric_limits<std::int16_t>::max() ? level : static_cast<std::int16_t>(level + 1);
}

std::string LevelFileName(int level)
{
    char number[16];
    std::snprintf(number, sizeof number, "%03d", level);
    return std::string("Level") + number + ".ooo";
}

} // namespace orvane
