// The field reader of the data files on any text, read as strings and
// numbers in turn: it always ends, every field it gives is one the
// convention allows, and typed reads either give a value or say the number
// is too large.
#include <algorithm>
#include <type_traits>

#include "fuzz_check.h"
#include "platform/fields.h"

using namespace orvane;

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A typed read gives a value or throws FileError; nothing else escapes.
template <typename Read>
void ReadTyped(const FieldText& field, Read read)
{
    try {
        auto value = read(field);
        // What the game writes of a whole number reads back as that number.
        if constexpr (std::is_integral_v<decltype(value)>) FUZZ_CHECK(read(FieldText{DecimalText(value)}) == value);
    } catch (const FileError& error) {
        FUZZ_CHECK(error.kind == FileError::Kind::Overflow);
    }
}

void ReadAll(const std::string& text, bool doubledQuotes)
{
    const auto lineEnds = static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }));
    FieldReader reader(text, doubledQuotes);
    std::size_t fields = 0;
    int line = 1;
    while (!reader.atEnd()) {
        // Strings and numbers in turn: a blank ends a number, not a string.
        const bool number = fields % 2 == 1;
        FieldText field;
        try {
            field = number ? reader.nextNumber() : reader.next();
        } catch (const FileError& error) {
            // Only blanks were left.
            FUZZ_CHECK(error.kind == FileError::Kind::PastEnd);
            FUZZ_CHECK(reader.atEnd());
            break;
        }
        // Every field but an empty one takes at least a character, and an
        // empty one takes its separator: more fields than that is a reader
        // that stopped moving.
        FUZZ_CHECK(++fields <= text.size() + 1);
        FUZZ_CHECK(field.line >= line);
        FUZZ_CHECK(static_cast<std::size_t>(field.line) <= lineEnds + 1);
        line = field.line;
        FUZZ_CHECK(field.text.size() <= text.size());
        if (field.quoted) {
            if (!doubledQuotes) FUZZ_CHECK(field.text.find('"') == std::string::npos);
        } else {
            FUZZ_CHECK(field.text.find_first_of(",\r\n") == std::string::npos);
            FUZZ_CHECK(field.text.empty() || (!IsBlank(field.text.front()) && !IsBlank(field.text.back())));
            if (number) FUZZ_CHECK(std::none_of(field.text.begin(), field.text.end(), IsBlank));
        }

        ReadTyped(field, ToInt16);
        ReadTyped(field, ToInt32);
        ReadTyped(field, ToSingle);

        // Any text without a double quote survives being written quoted.
        if (field.text.find('"') == std::string::npos) {
            FieldReader again(RecordWriter().quoted(field.text).end());
            FUZZ_CHECK(again.next().text == field.text);
        }
    }
    FUZZ_CHECK(reader.line() >= line);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = fuzz::TextOf(data, size);
    ReadAll(text, false);
    ReadAll(text, true);
    return 0;
}
