#pragma once

#include <compare>
#include <cstddef>
#include <string>
#include <string_view>

class QString;

// Text as UTF-16 code units, the framework's string type. Conversions to and
// from UTF-8 are explicit; Format follows the C library's printf in the C
// locale, with "%s" taking UTF-8 text.
class CString
{
public:
    CString() = default;
    CString(const char* utf8);
    CString(std::string_view utf8);
    CString(const char16_t* text);
    CString(std::u16string text) : m_text(std::move(text)) {}
    CString(const char16_t* text, std::size_t length) : m_text(text, length) {}

    static CString FromUtf8(std::string_view utf8);
    static CString FromQString(const QString& text);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    char16_t GetAt(int index) const { return m_text.at(static_cast<std::size_t>(index)); }
    char16_t operator[](int index) const { return GetAt(index); }

    // The zero-terminated UTF-16 text.
    const char16_t* GetString() const { return m_text.c_str(); }
    const std::u16string& Text() const { return m_text; }

    std::string ToUtf8() const;
    QString ToQString() const;

    // Replaces the text by printf-style formatting of the arguments.
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    static CString Formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));

    CString& operator+=(const CString& other)
    {
        m_text += other.m_text;
        return *this;
    }
    friend CString operator+(CString left, const CString& right)
    {
        left += right;
        return left;
    }
    friend bool operator==(const CString& left, const CString& right) = default;
    friend std::strong_ordering operator<=>(const CString& left, const CString& right) = default;

private:
    std::u16string m_text;
};
