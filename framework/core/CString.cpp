#include "CString.h"

#include <QString>

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

std::string FormatToUtf8(const char* format, va_list arguments)
{
    va_list copy;
    va_copy(copy, arguments);
    char small[256];
    const int length = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (length < 0)
        return {};
    if (static_cast<std::size_t>(length) < sizeof small)
        return std::string(small, static_cast<std::size_t>(length));
    std::vector<char> large(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(large.data(), large.size(), format, arguments);
    return std::string(large.data(), static_cast<std::size_t>(length));
}

} // namespace

CString::CString(const char* utf8) : CString(std::string_view(utf8 ? utf8 : "")) {}

CString::CString(std::string_view utf8) : m_text(FromUtf8(utf8).m_text) {}

CString::CString(const char16_t* text) : m_text(text ? text : u"") {}

CString CString::FromUtf8(std::string_view utf8)
{
    return FromQString(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

CString CString::FromQString(const QString& text)
{
    return CString(reinterpret_cast<const char16_t*>(text.utf16()),
                   static_cast<std::size_t>(text.size()));
}

std::string CString::ToUtf8() const
{
    return ToQString().toStdString();
}

QString CString::ToQString() const
{
    return QString::fromUtf16(m_text.data(), static_cast<qsizetype>(m_text.size()));
}

void CString::Format(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    *this = FromUtf8(FormatToUtf8(format, arguments));
    va_end(arguments);
}

CString CString::Formatted(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    CString text = FromUtf8(FormatToUtf8(format, arguments));
    va_end(arguments);
    return text;
}
