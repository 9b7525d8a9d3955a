// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/line_record.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace orvane {

double TameCoordinate(double value)
{
    constexpr double Far = 100000;
    if (!std::isfinite(value)) return value > 0 ? Far : (value < 0 ? -Far : 0);
    return std::clamp(value, -Far, Far) + 0.0; // + 0.0 turns -0 into 0
}

std::size_t LineRecord::Hash::operator()(const DrawnLine& line) const
{
    std::uint64_t h = 1469598103934665603ull;
    for (std::uint32_t word : {std::bit_cast<std::uint32_t>(line.x1), std::bit_cast<std::uint32_t>(line.y1),
                               std::bit_cast<std::uint32_t>(line.x2), std::bit_cast<std::uint32_t>(line.y2),
                               line.colour})
        h = (h ^ word) * 1099511628211ull;
    return static_cast<std::size_t>(h ^ (h >> 29));
}

std::size_t LineRecord::SlotOf(const DrawnLine& line)
{
    const std::uint32_t mixed =
        std::bit_cast<std::uint32_t>(line.x1) * 0x9E3779B1u ^ std::bit_cast<std::uint32_t>(line.y1) * 0x85EBCA77u ^
        std::bit_cast<std::uint32_t>(line.x2) * 0xC2B2AE3Du ^ std::bit_cast<std::uint32_t>(line.y2) * 0x27D4EB2Fu ^
        line.colour * 0x165667B1u;
    return (mixed >> 24) % Slots;
}

std::optional<DrawnLine> LineRecord::add(const Line& line, Colour foreground)
{
    auto tame = [](float v) { return static_cast<float>(TameCoordinate(v)); };
    DrawnLine drawn{tame(line.x1), tame(line.y1), tame(line.x2), tame(line.y2), line.colour.value_or(foreground)};
    std::optional<DrawnLine>& slot = recent_[SlotOf(drawn)];
    if (slot == drawn) return std::nullopt;
    slot = drawn;
    if (!drawn_.insert(drawn).second) return std::nullopt;
    order_.push_back(drawn);
    return drawn;
}

void LineRecord::clear()
{
    drawn_.clear();
    order_.clear();
    recent_.fill(std::nullopt);
}

} // namespace orvane
