// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/label_fit.h"

#include <algorithm>

namespace orvane {

namespace {

// The start of a span of `wanted` centred on the designed span, moved back
// inside [0, room) where it fits there.
int Place(int start, int designed, int wanted, int room)
{
    int placed = start - (wanted - designed) / 2;
    if (wanted <= room) placed = std::clamp(placed, 0, room - wanted);
    return placed;
}

} // namespace

Rect FitLabel(const Rect& designed, Size text, Size room)
{
    const int w = std::max(designed.w, text.width);
    const int h = std::max(designed.h, text.height);
    return Rect{Place(designed.x, designed.w, w, room.width), Place(designed.y, designed.h, h, room.height), w, h};
}

} // namespace orvane
