// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The line work drawn on a window at run time, as a platform keeps it: the
// distinct lines since the last clear, in the order they were first drawn,
// so that the layer can be painted again (at another pixel ratio, say) and a
// line drawn again costs nothing.
#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <unordered_set>
#include <vector>

#include "platform/window.h"

namespace orvane {

// A coordinate a rasteriser can take: NaN becomes 0, infinities and values
// far outside any window are held at a distance; the game's own values stay
// well inside. -0 becomes 0, so that equal lines compare equal.
double TameCoordinate(double value);

struct DrawnLine {
    float x1, y1, x2, y2;
    Colour colour;
    friend bool operator==(const DrawnLine&, const DrawnLine&) = default;
};

class LineRecord {
public:
    // The line with tamed ends and its colour resolved, when it is not on
    // the record yet; nothing when it is.
    std::optional<DrawnLine> add(const Line& line, Colour foreground);
    void clear();
    const std::vector<DrawnLine>& lines() const { return order_; }
    std::size_t size() const { return order_.size(); }

private:
    struct Hash {
        std::size_t operator()(const DrawnLine& line) const;
    };
    std::unordered_set<DrawnLine, Hash> drawn_;
    std::vector<DrawnLine> order_;
    // The game draws its lines again every few passes, a margin only while
    // Display Margins is checked: a line drawn again is answered from a slot
    // of its own, a look of a few nanoseconds, so that the redraw costs a
    // pass next to nothing whatever it draws, as in the speed test.
    static constexpr std::size_t Slots = 256;
    static std::size_t SlotOf(const DrawnLine& line);
    std::array<std::optional<DrawnLine>, Slots> recent_;
};

} // namespace orvane
