// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Text and colour between the game's values and the Win32 API's. The
// game's strings are UTF-8 throughout; Windows speaks UTF-16.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

#include "platform/controls.h"

namespace orvane::win32 {

std::wstring Wide(const std::string& text);
std::string Utf8(const std::wstring& text);

// Captions are taken literally: "&" marks no shortcut key.
std::wstring LiteralCaption(const std::string& caption);

// The game writes colours as COLORREF does: red in the lowest byte.
inline COLORREF ColourRef(Colour colour) { return static_cast<COLORREF>(colour & 0xFFFFFF); }

// A logical length in the device pixels of a window at this many dots per inch.
inline int Scaled(int logical, UINT dpi) { return MulDiv(logical, static_cast<int>(dpi), 96); }

// The designed face at the designed size, in TrueType; the font mapper
// stands in a face that looks alike where it is missing.
HFONT CreateGameFont(const FontDesign& design, UINT dpi);

// The face of the system's message boxes at a window's dots per inch. The
// input box and the buttons and lists of the game's windows use it too, so
// that every box of the game speaks in one face.
LOGFONTW MessageFont(UINT dpi);
HFONT CreateDialogFont(UINT dpi);

} // namespace orvane::win32
