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
    // "MS Sans Serif" is a bitmap face of a few sizes, drawn without
    // smoothing, which the font mapper never trades for a TrueType face of
    // another name; "Microsoft Sans Serif" is the same design in TrueType.
    const std::wstring face = Wide(design.face);
    const bool bitmapFace = CompareStringOrdinal(face.c_str(), -1, L"MS Sans Serif", -1, TRUE) == CSTR_EQUAL;
    return CreateFace(bitmapFace ? L"Microsoft Sans Serif" : face.c_str(), height, design.bold);
}

LOGFONTW MessageFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi))
        return metrics.lfMessageFont;
    LOGFONTW font{};
    font.lfHeight = -MulDiv(9, static_cast<int>(dpi), 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, L"Segoe UI", LF_FACESIZE);
    return font;
}

HFONT CreateDialogFont(UINT dpi)
{
    const LOGFONTW font = MessageFont(dpi);
    return CreateFontIndirectW(&font);
}

} // namespace orvane::win32
