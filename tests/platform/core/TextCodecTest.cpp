#include "platform/core/TextCodec.h"

#include <gtest/gtest.h>

using sorban::platform::sjisToUtf8;
using sorban::platform::utf8ToSjis;

TEST(TextCodecTest, convertsBothWaysWithCodePage932)
{
    EXPECT_EQ(utf8ToSjis("愛"), "\x88\xA4");
    EXPECT_EQ(sjisToUtf8("\x88\xA4"), "愛");
    EXPECT_EQ(utf8ToSjis("････"), "\xA5\xA5\xA5\xA5"); // half-width dots are single bytes
    // Characters that only code page 932 (not plain Shift-JIS) maps this way.
    EXPECT_EQ(sjisToUtf8(utf8ToSjis("～①髙")), "～①髙");
    const std::string mixed = "漢字 kanji ＡＢ ｶﾅ、。";
    EXPECT_EQ(sjisToUtf8(utf8ToSjis(mixed)), mixed);
}

TEST(TextCodecTest, invalidShiftJisBytesBecomeReplacementCharacters)
{
    EXPECT_EQ(sjisToUtf8("a\x80"
                         "b"),
              "a\uFFFD"
              "b");
    EXPECT_EQ(sjisToUtf8("\x88"), "\uFFFD");        // lead byte at the end
    EXPECT_EQ(sjisToUtf8("\x88\x20x"), "\uFFFD x"); // lead byte before a byte that cannot trail
    EXPECT_EQ(sjisToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(TextCodecTest, inputWithoutCodePage932FormMatchesNoKanji)
{
    // "?" is no lead byte, so the first two bytes of the result can never equal a kanji text.
    EXPECT_EQ(utf8ToSjis("😀"), "?");
    EXPECT_EQ(utf8ToSjis("한愛"), "?\x88\xA4");
    EXPECT_EQ(utf8ToSjis("a\xFF"
                         "b"),
              "a?b");
    EXPECT_EQ(utf8ToSjis("\xE6\x84"), "?");
}
