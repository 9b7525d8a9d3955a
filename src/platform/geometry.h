// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Plain value types shared by the game logic and every platform.
#pragma once
#include <cstdint>

namespace orvane {

// A colour as the game's data files write it: red + 256 * green + 65536 * blue.
using Colour = std::uint32_t;

constexpr Colour Rgb(int red, int green, int blue)
{
    return static_cast<Colour>(red) | (static_cast<Colour>(green) << 8) |
           (static_cast<Colour>(blue) << 16);
}

inline constexpr Colour Black = Rgb(0, 0, 0);
inline constexpr Colour White = Rgb(255, 255, 255);
inline constexpr Colour Red = Rgb(255, 0, 0);
inline constexpr Colour LightGrey = Rgb(224, 224, 224);

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Place and size in logical pixels, relative to the parent's client area.
struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace orvane
