#include <gtest/gtest.h>

#include "platform/fields.h"

using namespace orvane;

TEST(Fields, CommasAndLineEndsAreInterchangeable)
{
    FieldReader oneLine("\"Example.gif\",300,350,0,-2.5\r\n");
    FieldReader perLine("Example.gif\n300\r\n350\n0\n-2.5");
    for (FieldReader* r : {&oneLine, &perLine}) {
        EXPECT_EQ(r->next().text, "Example.gif");
        EXPECT_EQ(ToInt32(r->next()), 300);
        EXPECT_EQ(ToInt32(r->next()), 350);
        EXPECT_EQ(ToSingle(r->next()), 0.0);
        EXPECT_EQ(ToSingle(r->next()), -2.5);
        EXPECT_TRUE(r->atEnd());
        EXPECT_THROW(r->next(), FileError);
    }
}

TEST(Fields, QuotesBlanksAndEmptyFields)
{
    FieldReader r("  \"a, b\" ,  plain text  ,,\r\n\r\nnot a number,12abc,\"\"\r\n300 350 ,-2.5\t\r\n7 \r\n");
    EXPECT_EQ(r.next().text, "a, b");
    EXPECT_EQ(r.next().text, "plain text"); // a string runs to the comma
    EXPECT_EQ(ToInt16(r.nextNumber()), 0); // nothing between two commas
    EXPECT_EQ(ToInt16(r.nextNumber()), 0); // nothing between a comma and the line end
    EXPECT_EQ(ToInt16(r.nextNumber()), 0); // the empty line
    FieldText word = r.nextNumber(); // a blank ends a number field: "not", "a", "number"
    EXPECT_EQ(word.text, "not");
    EXPECT_EQ(word.line, 3);
    EXPECT_EQ(r.nextNumber().text, "a");
    EXPECT_EQ(ToInt32(r.nextNumber()), 0);
    EXPECT_EQ(ToInt32(r.nextNumber()), 12);
    EXPECT_EQ(r.next().text, "");
    // Blanks after a number lead to its comma or line end, which they share.
    EXPECT_EQ(ToInt32(r.nextNumber()), 300);
    EXPECT_EQ(ToInt32(r.nextNumber()), 350);
    EXPECT_EQ(ToSingle(r.nextNumber()), -2.5);
    EXPECT_EQ(ToInt32(r.nextNumber()), 7);
    EXPECT_TRUE(r.atEnd());
}

TEST(Fields, NumbersTooLargeForTheirTypeAreErrors)
{
    EXPECT_EQ(ToInt16({"32767"}), 32767);
    EXPECT_EQ(ToInt16({"-32768"}), -32768);
    EXPECT_THROW(ToInt16({"32768"}), FileError);
    EXPECT_EQ(ToInt32({"-2147483648"}), INT32_MIN);
    EXPECT_THROW(ToInt32({"2147483648"}), FileError);
    EXPECT_THROW(ToInt32({"1e300"}), FileError);
    EXPECT_THROW(ToSingle({"1e39"}), FileError);
    EXPECT_EQ(ToSingle({"1e-400"}), 0.0);
    // fractions in integer fields round half to even
    EXPECT_EQ(ToInt32({"2.5"}), 2);
    EXPECT_EQ(ToInt32({"3.5"}), 4);
}

TEST(Fields, LeadingNumberAndRecords)
{
    EXPECT_EQ(LeadingNumber("  17th"), 17);
    EXPECT_EQ(LeadingNumber("-.5x"), -0.5);
    EXPECT_EQ(LeadingNumber("x1"), 0);
    EXPECT_EQ(LeadingNumber("1e2x"), 100);
    EXPECT_EQ(LeadingNumber("2.5E-1"), 0.25);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_TRUE(IsNumber(" -12 "));
    EXPECT_FALSE(IsNumber("12a"));
    EXPECT_FALSE(IsNumber(""));
    EXPECT_FALSE(IsNumber("-"));
    EXPECT_FALSE(IsNumber("."));
    RecordWriter w;
    EXPECT_EQ(w.quoted("Anna, B").number(-5).end(), "\"Anna, B\",-5\r\n");
    EXPECT_EQ(w.quoted("").end(), "\"\"\r\n");
}
