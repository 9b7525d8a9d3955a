// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win32/win32_text.h"

#include <cmath>

namespace orvane::win32 {

std::wstring Wide(const std::string& text)
{
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), n);
    return wide;
}

std::string Utf8(const std::wstring& text)
{
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), n, nullptr, nullptr);
    return narrow;
}

std::wstring LiteralCaption(const std::string& caption)
{
    std::wstring text;
    for (wchar_t c : Wide(caption)) {
        if (c == L'&') text += L'&';
        text += c;
    }
    return text;
}

namespace {

HFONT CreateFace(const wchar_t* face, int height, bool bold)
{
    return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

} // namespace

HFONT CreateGameFont(const FontDesign& design, UINT dpi)
{
    // A size the font mapper cannot take (zero, negative, absurd) keeps the
    // dialogs' size.
    const double points = design.points > 0 && design.points < 1000 ? design.points : 8.25;
    const int height = -static_cast<int>(std::lround(points * dpi / 72.0));
    return CreateFace(Wide(design.face).c_str(), height, design.bold);
}

HFONT CreateDialogFont(UINT dpi) { return CreateFace(L"MS Shell Dlg 2", -MulDiv(8, static_cast<int>(dpi), 72), false); }

} // namespace orvane::win32
