// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Score and level arithmetic that cannot overflow: totals saturate at the
// limits of their types instead of wrapping round to a negative score.
#pragma once
#include <cstdint>
#include <string>

namespace orvane {

std::int32_t LevelPoints(std::int32_t secondsLeft, std::int32_t pointsPerSecond);
std::int32_t AddPoints(std::int32_t total, std::int32_t points);
// The level after this one; the last level number saturates.
std::int16_t NextLevel(std::int16_t level);
// "Level" and the number with at least three digits, then ".ooo".
std::string LevelFileName(int level);

} // namespace orvane
