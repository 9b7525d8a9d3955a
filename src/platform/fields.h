// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The text convention of the game's data files: fields separated by commas
// or line ends, strings optionally between double quotes.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orvane {

// A failure while reading or writing a data file: what went wrong, and where.
class FileError : public std::runtime_error {
public:
    enum class Kind { NotFound, PastEnd, Overflow, BadNumber, WriteFailed };
    FileError(Kind kind, const std::string& what, int line = 0)
        : std::runtime_error(what), kind(kind), line(line) {}
    Kind kind;
    int line; // 1-based line of the field, 0 when not tied to a line
};

struct FieldText {
    std::string text;
    bool quoted = false;
    int line = 1; // the line the field starts on
};

// Reads fields one after another from a whole file held in memory.
class FieldReader {
public:
    // With doubledQuotes, a quoted field is one of a record a line: it ends
    // at its line's last double quote before a comma or the line end (at
    // the line end at the latest), and two double quotes inside it stand
    // for one that belongs to the value.
    explicit FieldReader(std::string contents, bool doubledQuotes = false)
        : text_(std::move(contents)), doubledQuotes_(doubledQuotes) {}

    // The next field, read as a string; throws FileError::PastEnd when the
    // text has ended.
    FieldText next();
    // The next field, read as a number: without a leading double quote it
    // ends at a blank too, so "300 350" is two fields. Blanks after it are
    // passed over with the comma or line end they lead to.
    FieldText nextNumber();
    bool atEnd() const { return pos_ >= text_.size(); }
    int line() const { return line_; }

private:
    bool at(char c) const; // the next character is c; never at the end
    bool atBlank() const;
    // Up to the next comma or line end, or the end of the text.
    void passToSeparator();
    void skipBlanks();
    void skipLineEnd();
    bool atLineEnd() const;
    void finishField();
    void skipSeparator();
    std::string quotedOnItsLine();

    std::string text_;
    bool doubledQuotes_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

// The decimal number at the start of a text: blanks are skipped, a fraction
// and an exponent are allowed, and a text that does not begin with a number
// counts as 0.
double LeadingNumber(std::string_view text);

// Whether the whole text, blanks around it aside, is one decimal number.
bool IsNumber(std::string_view text);

// Typed reads of a field. A number too large for its type throws
// FileError::Overflow; a fraction in an integer field rounds to the nearest
// whole number, a half going to the even neighbour.
std::int16_t ToInt16(const FieldText& field);
std::int32_t ToInt32(const FieldText& field);
// A single-precision field, held at double precision.
double ToSingle(const FieldText& field);

// A record as the convention writes it: each string between double quotes,
// fields separated by commas, ended by a carriage return and a line feed.
class RecordWriter {
public:
    RecordWriter& quoted(std::string_view text);
    RecordWriter& number(long long value);
    std::string end();

private:
    void separate();
    std::string line_;
    bool first_ = true;
};

// Plain decimal text: no grouping, a leading minus sign when negative.
std::string DecimalText(long long value);

} // namespace orvane
