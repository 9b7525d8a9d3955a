// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The high-score file: one record a line, the name between double quotes and
// the score masked, top entry first.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

inline constexpr std::int32_t ScoreMask = 0x5D2A3;

struct ScoreEntry {
    std::string name; // UTF-8
    std::int32_t score = 0;
    friend bool operator==(const ScoreEntry&, const ScoreEntry&) = default;
};

struct ScoreTable {
    std::vector<ScoreEntry> entries;
    bool complete = true; // false: a malformed record stopped the reading
};

// Reads a file's text. A text that is not valid UTF-8 was written by an
// older copy of the game and is read as Windows-1252.
ScoreTable ParseScores(const std::string& text);

// A double quote in a name is written twice, as comma-separated text does:
// the game reads it back whole, and a reader that takes a quoted field to
// the next double quote still finds every record, only with the name cut
// short.
std::string FormatScores(const std::vector<ScoreEntry>& entries);

} // namespace orvane
