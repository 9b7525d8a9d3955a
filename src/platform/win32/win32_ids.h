// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Message and identifier numbers the Win32 platform's windows share.
#pragma once
#include "platform/win32/win32_text.h"

namespace orvane::win32 {

// A click to run from the message loop; lParam points at the handler.
inline constexpr UINT WM_ORVANE_CLICK = WM_APP + 1;

// Timers of a game window: the playfield's repaint, then the game's own.
inline constexpr UINT_PTR RepaintTimerId = 1;
inline constexpr UINT_PTR FirstGameTimerId = 100;

// Command identifiers: menu entries, then buttons. Both stay clear of
// IDOK and IDCANCEL, which the dialog keys send.
inline constexpr UINT FirstMenuId = 100;
inline constexpr UINT FirstButtonId = 1000;

} // namespace orvane::win32
