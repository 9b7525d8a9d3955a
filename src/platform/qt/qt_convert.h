// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Conversions between the game's plain values and Qt's. The game's strings
// are UTF-8 throughout.
#pragma once
#include <string>

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include "platform/controls.h"

namespace orvane::qt {

inline QString ToQString(const std::string& text) { return QString::fromStdString(text); }
inline std::string ToStdString(const QString& text) { return text.toStdString(); }

inline QColor ToQColor(Colour colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

inline QRect ToQRect(const Rect& r) { return QRect(r.x, r.y, r.w, r.h); }

// The game ends its lines with "\r\n"; Qt's boxes want plain line breaks.
QString PlainLines(const std::string& text);

// Captions are taken literally: "&" marks no shortcut key.
QString LiteralCaption(const std::string& caption);

// The designed face first, then faces that look alike and take the same
// widths where it is missing.
QFont ToQFont(const FontDesign& design);

} // namespace orvane::qt
