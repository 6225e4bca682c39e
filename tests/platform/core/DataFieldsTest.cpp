#include "platform/core/DataFields.h"

#include <gtest/gtest.h>

using sorban::platform::convertInt;
using sorban::platform::FieldCursor;
using sorban::platform::intOr;

TEST(FieldCursorTest, takesCommaTerminatedFieldsAndRemovesThem)
{
    FieldCursor fields("12,ab,,c\n");
    EXPECT_EQ(fields.take(), "12");
    EXPECT_EQ(fields.take(), "ab");
    EXPECT_EQ(fields.take(), "");
    EXPECT_EQ(fields.rest(), "c\n");
}

TEST(FieldCursorTest, fieldWithoutItsCommaReadsEmptyAndLeavesTheRest)
{
    FieldCursor fields("a,last\n");
    EXPECT_EQ(fields.take(), "a");
    EXPECT_EQ(fields.take(), "");
    EXPECT_EQ(fields.take(), "");
    EXPECT_EQ(fields.rest(), "last\n");
}

TEST(FieldCursorTest, skipRemovesFieldsUnreadAndStopsAtTheEnd)
{
    FieldCursor fields("1,2,3,4,");
    fields.skip(3);
    EXPECT_EQ(fields.take(), "4");
    fields.skip(5);
    EXPECT_EQ(fields.rest(), "");
}

TEST(ConvertIntTest, acceptsBlanksSignAndDecimalDigits)
{
    EXPECT_EQ(convertInt("0"), 0);
    EXPECT_EQ(convertInt("0012"), 12);
    EXPECT_EQ(convertInt("   7"), 7);
    EXPECT_EQ(convertInt("+15"), 15);
    EXPECT_EQ(convertInt("-1"), -1);
    EXPECT_EQ(convertInt("2147483647"), 2147483647);
    EXPECT_EQ(convertInt("-2147483648"), INT32_MIN);
}

TEST(ConvertIntTest, acceptsHexadecimalAfterDollarXOrZeroX)
{
    EXPECT_EQ(convertInt("$1F"), 31);
    EXPECT_EQ(convertInt("x10"), 16);
    EXPECT_EQ(convertInt("X10"), 16);
    EXPECT_EQ(convertInt("0x1a"), 26);
    EXPECT_EQ(convertInt("-$10"), -16);
}

TEST(ConvertIntTest, rejectsEverythingElse)
{
    for (const char* bad : {"", " ", "+", "-", "12 ", "1a", "abc", "$", "0x", "1.5", "--1", "2147483648", "-2147483649",
                            "99999999999999999999", "$100000000", "\t3", "3\n"})
        EXPECT_EQ(convertInt(bad), std::nullopt) << '"' << bad << '"';
}

TEST(ConvertIntTest, intOrGivesTheFallbackOnlyWhenNothingConverts)
{
    EXPECT_EQ(intOr("x", -1), -1);
    EXPECT_EQ(intOr("", 16), 16);
    EXPECT_EQ(intOr("0", 16), 0);
}
