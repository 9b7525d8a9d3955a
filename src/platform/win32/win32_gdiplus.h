// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// GDI+ for the antialiased line work and the ball, and for reading pictures.
// Its headers want min and max, which NOMINMAX keeps out of windows.h.
#pragma once
#include "platform/win32/win32_text.h"

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <objidl.h>
#include <gdiplus.h>
