// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/window_size.h"

#include <algorithm>
#include <cstdint>

namespace orvane {

int DevicePixels(int logical, int dpi)
{
    const std::int64_t product = static_cast<std::int64_t>(logical) * dpi;
    const std::int64_t half = LogicalDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / LogicalDpi : -((-product + half) / LogicalDpi));
}

Size OuterSize(Size client, int dpi, const FrameEdges& edges)
{
    return {DevicePixels(client.width, dpi) + edges.left + edges.right,
            DevicePixels(client.height, dpi) + edges.top + edges.bottom};
}

Size LogicalSize(const Rect& workArea, int dpi)
{
    if (dpi <= 0) dpi = LogicalDpi;
    return {static_cast<int>(static_cast<std::int64_t>(workArea.w) * LogicalDpi / dpi),
            static_cast<int>(static_cast<std::int64_t>(workArea.h) * LogicalDpi / dpi)};
}

Point PlaceInWorkArea(const Rect& workArea, int dpi, int left, int top)
{
    return {std::max(workArea.x, workArea.x + DevicePixels(left, dpi)),
            std::max(workArea.y, workArea.y + DevicePixels(top, dpi))};
}

} // namespace orvane
