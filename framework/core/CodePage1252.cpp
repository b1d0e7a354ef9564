#include "CodePage1252.h"

#include <QString>

#include <array>

namespace {

// The characters of bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t CharacterOf(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return kHighControlRange[byte - 0x80];
    return byte;
}

// The byte of a character, or -1 when the code page has none.
int ByteOf(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<int>(character);
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == character)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

} // namespace

namespace CodePage1252 {

CString Decode(std::string_view bytes)
{
    std::u16string text(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        text[i] = CharacterOf(static_cast<unsigned char>(bytes[i]));
    return CString(std::move(text));
}

std::string Encode(const CString& text)
{
    const QString composed = text.ToQString().normalized(QString::NormalizationForm_C);
    const std::u32string characters = composed.toStdU32String();
    std::string bytes;
    bytes.reserve(characters.size());
    for (char32_t character : characters) {
        const int byte = ByteOf(character);
        bytes.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return bytes;
}

} // namespace CodePage1252
