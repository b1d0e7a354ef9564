// Text to and from Windows-1252, the code page of ANSI archive strings and of
// the CSV export.

#include "CodePage1252.h"

#include <gtest/gtest.h>

#include <string>

TEST(CodePage1252Encode, ComposesBeforeConverting)
{
    EXPECT_EQ(CodePage1252::Encode(CString(u"e\u0301")), "\xE9");
    EXPECT_EQ(CodePage1252::Encode(CString(u"Cafe\u0301 A\u0308")), "Caf\xE9 \xC4");
}

TEST(CodePage1252Encode, CharactersOfTheHighRange)
{
    EXPECT_EQ(CodePage1252::Encode(CString(u"\u20ac\u0160\u2122\u0178")), "\x80\x8A\x99\x9F");
    EXPECT_EQ(CodePage1252::Encode(CString(u"\u00a0\u00ff")), "\xA0\xFF");
}

TEST(CodePage1252Encode, UnmappableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(CodePage1252::Encode(CString(u"\u03a9 \u4e2d\u6587")), "? ??");
    // A combining mark with no composed letter in the code page.
    EXPECT_EQ(CodePage1252::Encode(CString(u"q\u0301")), "q?");
}

TEST(CodePage1252Encode, OneQuestionMarkPerCharacterOutsideTheBasicPlane)
{
    EXPECT_EQ(CodePage1252::Encode(CString(u"a\U0001F600b\U00010348")), "a?b?");
}

TEST(CodePage1252, EveryByteSurvivesDecodeAndEncode)
{
    std::string bytes;
    for (int b = 1; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    const CString text = CodePage1252::Decode(bytes);
    ASSERT_EQ(text.GetLength(), 255);
    EXPECT_EQ(text[0x80 - 1], u'\u20ac');
    EXPECT_EQ(CodePage1252::Encode(text), bytes);
}
