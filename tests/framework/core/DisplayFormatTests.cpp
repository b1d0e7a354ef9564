// The checks that keep display formats from stored archives and dialogs away
// from printf unless they hold exactly one conversion of one double.

#include "DisplayFormat.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Shown(const char* format, double value)
{
    return FormatDisplayValue(CString(format), value).ToUtf8();
}

} // namespace

TEST(DisplayFormatCheck, AcceptsOneFloatConversion)
{
    for (const char* format : {"%5.1f", "%5.2e", "%.2lf", "%g dB", "100%% %5.1f", "%f", "%F", "%E",
                               "%G", "%a", "%A", "%.f", "%999.999g", "%-+ #08.3f", "%0005.1f",
                               "x%%y%%%f", "Level: %6.2f mV", "%5.1f %%"}) {
        EXPECT_TRUE(IsSingleFloatFormat(CString(format))) << format;
    }
    EXPECT_TRUE(IsSingleFloatFormat(CString(u"%.1f \u00b0C")));
}

TEST(DisplayFormatCheck, RefusesOtherConversions)
{
    for (const char* format : {"%s", "%n", "%d", "%i", "%u", "%x", "%c", "%p", "%5.1f%n", "%5.1s",
                               "%Lf", "%hf", "%llf", "%lld", "%'f", "%jf", "%zf"}) {
        EXPECT_FALSE(IsSingleFloatFormat(CString(format))) << format;
    }
}

TEST(DisplayFormatCheck, RefusesAnythingButOneConversion)
{
    for (const char* format : {"%5.1f %5.1f", "%f%f", "abc", "", "%%", "100%%"}) {
        EXPECT_FALSE(IsSingleFloatFormat(CString(format))) << format;
    }
}

TEST(DisplayFormatCheck, RefusesIncompleteAndOversizedConversions)
{
    for (const char* format : {"%*f", "%.*f", "%5.*f", "%", "%5.1f %", "%5.1", "%5.", "%-",
                               "%10000f", "%1000f", "%.1000f", "%5.1 f", "%1$f", "%5.1ff%"}) {
        EXPECT_FALSE(IsSingleFloatFormat(CString(format))) << format;
    }
    // A zero ends the text printf sees, so what follows it is never checked by printf.
    EXPECT_FALSE(IsSingleFloatFormat(CString(std::u16string(u"%f\0%s", 5))));
}

TEST(DisplayFormatCheck, AtMostSixtyFourCharacters)
{
    const std::string longest = "%5.1f" + std::string(59, 'x');
    ASSERT_EQ(longest.size(), 64u);
    EXPECT_TRUE(IsSingleFloatFormat(CString(longest)));
    EXPECT_FALSE(IsSingleFloatFormat(CString(longest + "x")));
}

TEST(DisplayFormatSafe, KeepsGoodFormatsAndReplacesBadOnes)
{
    EXPECT_EQ(SafeDisplayFormat(CString("%.3e V")).ToUtf8(), "%.3e V");
    EXPECT_EQ(SafeDisplayFormat(CString("%s")).ToUtf8(), "%5.1f");
    EXPECT_EQ(SafeDisplayFormat(CString("")).ToUtf8(), "%5.1f");
}

TEST(DisplayFormatValue, FormatsWithTheGivenFormat)
{
    EXPECT_EQ(Shown("%.2lf", 3.14159), "3.14");
    EXPECT_EQ(Shown("%g dB", 0.5), "0.5 dB");
    EXPECT_EQ(Shown("100%% %5.1f", 2.26), "100%   2.3");
    EXPECT_EQ(Shown("%e", 1234.5), "1.234500e+03");
    EXPECT_EQ(Shown("%+08.2f", -1.5), "-0001.50");
    EXPECT_EQ(FormatDisplayValue(CString(u"%.1f \u00b0C"), 21.04).ToUtf8(), "21.0 \u00b0C");
}

TEST(DisplayFormatValue, FallsBackForBadFormats)
{
    for (const char* format : {"%s", "%n", "%d", "%5.1f %5.1f", "%*f", "%", "abc", "%10000f"})
        EXPECT_EQ(Shown(format, 12.345), " 12.3") << format;
    EXPECT_EQ(Shown("%s", -7.0), " -7.0");
}
