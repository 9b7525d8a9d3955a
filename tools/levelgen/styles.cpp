// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "styles.h"

namespace orvane::levelgen {

namespace {

constexpr Style Styles[] = {
    {"slate", Rgb(28, 36, 51), Rgb(44, 55, 74), Rgb(14, 19, 29), Rgb(127, 176, 255)},
    {"moss", Rgb(23, 38, 29), Rgb(37, 58, 43), Rgb(11, 21, 15), Rgb(155, 224, 138)},
    {"sand", Rgb(58, 45, 31), Rgb(79, 62, 42), Rgb(33, 24, 15), Rgb(255, 204, 102)},
    {"ember", Rgb(51, 24, 21), Rgb(72, 35, 29), Rgb(28, 11, 9), Rgb(255, 138, 77)},
    {"ice", Rgb(20, 44, 51), Rgb(31, 66, 75), Rgb(10, 24, 28), Rgb(142, 232, 255)},
    {"dusk", Rgb(38, 28, 54), Rgb(54, 41, 75), Rgb(20, 14, 31), Rgb(210, 155, 255)},
    {"night", Rgb(15, 22, 48), Rgb(27, 37, 70), Rgb(7, 11, 26), Rgb(255, 210, 74)},
};

} // namespace

const Style* FindStyle(const std::string& name)
{
    for (const Style& style : Styles)
        if (name == style.name) return &style;
    return nullptr;
}

std::string StyleNames()
{
    std::string names;
    for (const Style& style : Styles) names += (names.empty() ? "" : ", ") + std::string(style.name);
    return names;
}

} // namespace orvane::levelgen
