// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/score_file.h"

#include <cmath>

#include "platform/fields.h"
#include "scores/text_encoding.h"

namespace orvane {

ScoreTable ParseScores(const std::string& text)
{
    ScoreTable table;
    FieldReader reader(IsValidUtf8(text) ? text : Windows1252ToUtf8(text), true);
    try {
        while (!reader.atEnd()) {
            std::string name = reader.next().text;
            FieldText stored = reader.next();
            double value = LeadingNumber(stored.text);
            if (!IsNumber(stored.text) || value != std::floor(value) || value < INT32_MIN || value > INT32_MAX) {
                table.complete = false;
                break;
            }
            table.entries.push_back({name, static_cast<std::int32_t>(value) ^ ScoreMask});
        }
    } catch (const FileError&) {
        table.complete = false;
    }
    return table;
}

std::string FormatScores(const std::vector<ScoreEntry>& entries)
{
    std::string text;
    RecordWriter record;
    for (const ScoreEntry& entry : entries) {
        std::string name;
        for (char c : entry.name) name += c == '"' ? std::string("\"\"") : std::string(1, c);
        text += record.quoted(name).number(entry.score ^ ScoreMask).end();
    }
    return text;
}

} // namespace orvane
