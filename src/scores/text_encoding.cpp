// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/text_encoding.h"

#include <cstdint>
#include <string_view>

namespace orvane {

namespace {

// The characters of bytes 0x80 to 0x9F; the five unassigned bytes keep
// their own code points.
constexpr std::uint16_t High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void Append(std::string& out, std::uint32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

bool IsValidUtf8(const std::string& text)
{
    for (std::string_view rest = text; !rest.empty();) {
        auto byte = static_cast<unsigned char>(rest.front());
        int extra = byte < 0x80 ? 0 : (byte >> 5) == 0x6 ? 1 : (byte >> 4) == 0xE ? 2 : (byte >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || (extra == 1 && byte < 0xC2) || (extra == 3 && byte > 0xF4)) return false;
        rest.remove_prefix(1);
        const std::string_view following = rest.substr(0, static_cast<std::size_t>(extra));
        if (following.size() != static_cast<std::size_t>(extra)) return false; // the text ends inside the letter
        for (char c : following)
            if ((static_cast<unsigned char>(c) >> 6) != 0x2) return false;
        rest.remove_prefix(following.size());
    }
    return true;
}

std::string Windows1252ToUtf8(const std::string& text)
{
    std::string out;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        Append(out, byte >= 0x80 && byte < 0xA0 ? High[byte - 0x80] : byte);
    }
    return out;
}

} // namespace orvane
