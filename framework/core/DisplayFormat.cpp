#include "DisplayFormat.h"

#include <string>
#include <string_view>

namespace {

constexpr int kLongestFormat = 64;
constexpr int kMostDigits = 3;
constexpr char16_t kFlags[] = u"-+ #0";
constexpr char16_t kFloatConversions[] = u"fFeEgGaA";

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool IsOneOf(char16_t c, std::u16string_view set)
{
    return set.find(c) != std::u16string_view::npos;
}

// Skips the digits at the position; false when there are more than allowed.
bool SkipDigits(std::u16string_view text, std::size_t& i)
{
    int count = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        if (++count > kMostDigits)
            return false;
    }
    return true;
}

// Reads one conversion whose '%' is before the position; true when it is a
// float conversion, leaving the position after it.
bool ReadFloatConversion(std::u16string_view text, std::size_t& i)
{
    while (i < text.size() && IsOneOf(text[i], kFlags))
        ++i;
    if (!SkipDigits(text, i))
        return false;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        if (!SkipDigits(text, i))
            return false;
    }
    if (i < text.size() && text[i] == u'l')
        ++i;
    if (i == text.size() || !IsOneOf(text[i], kFloatConversions))
        return false;
    ++i;
    return true;
}

} // namespace

bool IsSingleFloatFormat(const CString& format)
{
    if (format.GetLength() > kLongestFormat)
        return false;
    const std::u16string_view text = format.Text();
    int conversions = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        // A zero would end the text that printf sees.
        if (text[i] == u'\0')
            return false;
        if (text[i] != u'%') {
            ++i;
            continue;
        }
        ++i;
        if (i < text.size() && text[i] == u'%') {
            ++i;
            continue;
        }
        if (!ReadFloatConversion(text, i) || ++conversions > 1)
            return false;
    }
    return conversions == 1;
}

CString SafeDisplayFormat(const CString& format)
{
    return IsSingleFloatFormat(format) ? format : CString("%5.1f");
}

CString FormatDisplayValue(const CString& format, double value)
{
    const std::string checked = SafeDisplayFormat(format).ToUtf8();
    return CString::Formatted(checked.c_str(), value);
}
