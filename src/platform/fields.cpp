// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/fields.h"

#include <algorithm>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <limits>

namespace orvane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The length of the decimal number at the start of text (after the caller
// skipped blanks), or 0 when there is none.
std::size_t NumberLength(std::string_view text)
{
    std::string_view rest = text;
    auto skip = [&](std::string_view oneOf) {
        const bool found = !rest.empty() && oneOf.find(rest.front()) != std::string_view::npos;
        if (found) rest.remove_prefix(1);
        return found;
    };
    auto digits = [&] { // whether there were any
        bool any = false;
        while (skip("0123456789")) any = true;
        return any;
    };
    skip("+-");
    const bool whole = digits();
    bool fraction = false;
    if (skip(".")) fraction = digits();
    if (!whole && !fraction) return 0;
    const char* end = rest.data();
    // An exponent without digits is not part of the number.
    if (skip("eE")) {
        skip("+-");
        if (digits()) end = rest.data();
    }
    return static_cast<std::size_t>(end - text.data());
}

std::string_view TrimmedFront(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

double ParseDecimal(std::string_view number)
{
    // from_chars ignores the locale: the files always use a decimal point,
    // whatever language the player's desktop speaks.
    if (!number.empty() && number.front() == '+') number.remove_prefix(1);
    double value = 0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        bool tiny = number.find("e-") != std::string_view::npos ||
                    number.find("E-") != std::string_view::npos;
        if (tiny) return 0.0;
        return number.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    return value;
}

template <typename Int>
Int ToInteger(const FieldText& field, const char* type)
{
    double value = std::nearbyint(LeadingNumber(field.text)); // ties to even
    if (!(value >= std::numeric_limits<Int>::min() && value <= std::numeric_limits<Int>::max()))
        throw FileError(FileError::Kind::Overflow,
                        "the number " + field.text + " is too large for a " + type + " field",
                        field.line);
    return static_cast<Int>(value);
}

} // namespace

bool FieldReader::at(char c) const
{
    return std::string_view(text_).substr(pos_).starts_with(c);
}

void FieldReader::passToSeparator()
{
    while (!atEnd() && !at(',') && !atLineEnd()) ++pos_;
}

bool FieldReader::atBlank() const { return !atEnd() && IsBlank(text_[pos_]); }

bool FieldReader::atLineEnd() const
{
    return at('\r') || at('\n');
}

void FieldReader::skipBlanks()
{
    while (atBlank()) ++pos_;
}

void FieldReader::skipLineEnd()
{
    if (at('\r')) ++pos_;
    if (at('\n')) ++pos_;
    ++line_;
}

// Passes over whatever stands between the end of a field's value and its
// separator, and over the separator itself.
void FieldReader::finishField()
{
    passToSeparator();
    skipSeparator();
}

void FieldReader::skipSeparator()
{
    if (at(',')) ++pos_;
    else if (atLineEnd()) skipLineEnd();
}

FieldText FieldReader::next()
{
    skipBlanks();
    if (atEnd())
        throw FileError(FileError::Kind::PastEnd, "the file ends before all its fields", line_);

    FieldText field;
    field.line = line_;
    if (at('"')) {
        field.quoted = true;
        if (doubledQuotes_) {
            field.text = quotedOnItsLine();
        } else {
            std::size_t close = text_.find('"', pos_ + 1);
            field.text = text_.substr(pos_ + 1, (close == std::string::npos ? text_.size() : close) - pos_ - 1);
            for (char c : field.text)
                if (c == '\n') ++line_;
            pos_ = close == std::string::npos ? text_.size() : close + 1;
        }
        finishField();
        return field;
    }

    std::size_t start = pos_;
    passToSeparator();
    std::string_view raw(text_.data() + start, pos_ - start);
    while (!raw.empty() && IsBlank(raw.back())) raw.remove_suffix(1);
    field.text = std::string(raw);
    finishField();
    return field;
}

std::string FieldReader::quotedOnItsLine()
{
    // The field closes at the last double quote of its line that stands
    // before a comma or the line end, so that a name keeps a double quote
    // written doubled ("Say ""hi""",5) or not, as older copies wrote it
    // ("abc"",5), and a comma too. Without such a quote it runs to the line
    // end: a name never takes in the next line's record.
    const std::size_t lineEnd = std::min(text_.find_first_of("\r\n", pos_), text_.size());
    std::size_t close = lineEnd;
    for (std::size_t q = lineEnd; close == lineEnd && q-- > pos_ + 1;) {
        std::size_t after = q + 1;
        while (after < lineEnd && IsBlank(text_[after])) ++after;
        if (text_[q] == '"' && (after == lineEnd || text_[after] == ',')) close = q;
    }
    const std::string_view body = std::string_view(text_).substr(pos_ + 1, close - pos_ - 1);
    std::string value;
    for (std::size_t i = 0; i < body.size(); ++i) {
        value += body[i];
        if (body[i] == '"' && body.substr(i + 1).starts_with('"')) ++i; // two stand for one
    }
    pos_ = close == lineEnd ? lineEnd : close + 1;
    return value;
}

FieldText FieldReader::nextNumber()
{
    skipBlanks();
    if (atEnd() || at('"')) return next();
    FieldText field;
    field.line = line_;
    const std::size_t start = pos_;
    while (!atEnd() && !atBlank() && !at(',') && !atLineEnd()) ++pos_;
    field.text = text_.substr(start, pos_ - start);
    skipBlanks();
    skipSeparator();
    return field;
}

double LeadingNumber(std::string_view text)
{
    text = TrimmedFront(text);
    std::size_t length = NumberLength(text);
    return length == 0 ? 0.0 : ParseDecimal(text.substr(0, length));
}

bool IsNumber(std::string_view text)
{
    text = TrimmedFront(text);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return !text.empty() && NumberLength(text) == text.size();
}

std::int16_t ToInt16(const FieldText& field) { return ToInteger<std::int16_t>(field, "16-bit integer"); }

std::int32_t ToInt32(const FieldText& field) { return ToInteger<std::int32_t>(field, "32-bit integer"); }

double ToSingle(const FieldText& field)
{
    double value = LeadingNumber(field.text);
    if (!std::isfinite(value) || std::fabs(value) > FLT_MAX)
        throw FileError(FileError::Kind::Overflow,
                        "the number " + field.text + " is too large for a single-precision field",
                        field.line);
    return value;
}

void RecordWriter::separate()
{
    if (!first_) line_ += ',';
    first_ = false;
}

RecordWriter& RecordWriter::quoted(std::string_view text)
{
    separate();
    line_ += '"';
    line_ += text;
    line_ += '"';
    return *this;
}

RecordWriter& RecordWriter::number(long long value)
{
    separate();
    line_ += DecimalText(value);
    return *this;
}

std::string RecordWriter::end()
{
    std::string record = std::move(line_) + "\r\n";
    line_.clear();
    first_ = true;
    return record;
}

std::string DecimalText(long long value) { return std::to_string(value); }

} // namespace orvane
