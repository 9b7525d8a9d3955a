// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The field reader of the data files on any text, read as strings and numbers in turn: it always ends,
// every field it gives is one the convention allows, and typed reads give a value or say it is too large.
#include <algorithm>
#include <type_traits>

#include "fuzz.h"
#include "platform/fields.h"

using namespace orvane;

static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A typed read gives a value or throws FileError::Overflow; a whole number the game writes reads back.
template <typename Read>
static void ReadTyped(const FieldText& field, Read read)
{
    try {
        auto value = read(field);
        if constexpr (std::is_integral_v<decltype(value)>) FUZZ_CHECK(read(FieldText{DecimalText(value)}) == value);
    } catch (const FileError& error) {
        FUZZ_CHECK(error.kind == FileError::Kind::Overflow);
    }
}

static void ReadAll(const std::string& text, bool doubledQuotes)
{
    const auto lines = 1 + std::count_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
    FieldReader reader(text, doubledQuotes);
    std::size_t fields = 0;
    int line = 1;
    while (!reader.atEnd()) {
        // Strings and numbers in turn: a blank ends a number, not a string.
        const bool number = fields % 2 == 1;
        FieldText field;
        try {
            field = number ? reader.nextNumber() : reader.next();
        } catch (const FileError& error) { // only blanks were left
            FUZZ_CHECK(error.kind == FileError::Kind::PastEnd && reader.atEnd());
            break;
        }
        FUZZ_CHECK(++fields <= text.size() + 1); // a field takes a character or a separator: else the reader stopped
        FUZZ_CHECK(field.line >= line && field.line <= lines), line = field.line;
        if (field.quoted) FUZZ_CHECK(doubledQuotes || field.text.find('"') == std::string::npos);
        else {
            FUZZ_CHECK(field.text.find_first_of(",\r\n") == std::string::npos);
            FUZZ_CHECK(field.text.empty() || (!IsBlank(field.text.front()) && !IsBlank(field.text.back())));
            FUZZ_CHECK(!number || std::none_of(field.text.begin(), field.text.end(), IsBlank));
        }
        ReadTyped(field, ToInt16), ReadTyped(field, ToInt32), ReadTyped(field, ToSingle);
        if (field.text.find('"') == std::string::npos) // any text without a double quote survives being written quoted
            FUZZ_CHECK(FieldReader(RecordWriter().quoted(field.text).end()).next().text == field.text);
    }
}

void FuzzOne(const std::string& input)
{
    ReadAll(input, false);
    ReadAll(input, true);
}
