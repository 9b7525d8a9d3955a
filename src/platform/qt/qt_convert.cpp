// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/qt_convert.h"

#include <QStringList>

namespace orvane::qt {

QString PlainLines(const std::string& text)
{
    QString lines = ToQString(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

QString LiteralCaption(const std::string& caption)
{
    QString text = ToQString(caption);
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return text;
}

QFont ToQFont(const FontDesign& design)
{
    // Liberation Sans and Arial have the widths of Windows' TrueType "MS Sans
    // Serif", so a label takes the same room on both desktops; the common
    // Linux faces run a fifth wider.
    QStringList families{ToQString(design.face)};
    for (const char* alike : {"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial", "Sans Serif"})
        if (!families.contains(QLatin1String(alike))) families << QLatin1String(alike);
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    // A point size Qt refuses (zero, negative) keeps the default size.
    if (design.points > 0 && design.points < 1000) font.setPointSizeF(design.points);
    font.setBold(design.bold);
    return font;
}

} // namespace orvane::qt
