// The archive string form: every length prefix the reader accepts, the
// Windows-1252 conversion of ANSI strings, the Unicode form the writer always
// uses, and lengths that the data cannot hold.

#include "CArchive.h"
#include "CFile.h"
#include "CMemFile.h"
#include "Exceptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

void Append(Bytes& bytes, std::uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
}

void AppendUtf16(Bytes& bytes, const std::u16string& text)
{
    for (char16_t unit : text)
        Append(bytes, unit, 2);
}

// Reads one string from the bytes and checks that exactly the sentinel byte
// behind it is left unread.
CString ReadOne(Bytes bytes)
{
    bytes.push_back(0x5A);
    CMemFile file(std::move(bytes));
    CArchive ar(&file, CArchive::load);
    CString text = ar.ReadString();
    EXPECT_EQ(ar.Fill(2), 1u);
    if (ar.GetBuffered() == 1) {
        EXPECT_EQ(*ar.GetCurrentPointer(), 0x5A);
    }
    return text;
}

// The archive error that reading one string from the bytes raises.
CArchiveException::Cause ReadFailure(const Bytes& bytes)
{
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    try {
        ar.ReadString();
    } catch (const CArchiveException& error) {
        return error.m_cause;
    }
    ADD_FAILURE() << "the string was read without error";
    return CArchiveException::none;
}

Bytes Written(const CString& text)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.WriteString(text);
    ar.Close();
    return file.Bytes();
}

const Bytes kUnicodeMarker = {0xFF, 0xFE, 0xFF};

} // namespace

TEST(ArchiveStringRead, AnsiWithOneByteLength)
{
    Bytes bytes = {3, 'a', 'b', 'c'};
    EXPECT_EQ(ReadOne(bytes), CString("abc"));
    EXPECT_EQ(ReadOne({0}), CString());
    // The longest string with a one-byte length.
    bytes = {0xFE};
    bytes.insert(bytes.end(), 254, 'q');
    EXPECT_EQ(ReadOne(bytes), CString(std::string(254, 'q')));
}

TEST(ArchiveStringRead, AnsiWithSixteenBitLength)
{
    Bytes bytes = {0xFF};
    Append(bytes, 300, 2);
    bytes.insert(bytes.end(), 300, 'x');
    EXPECT_EQ(ReadOne(bytes), CString(std::string(300, 'x')));

    // 0xFFFD is still a 16-bit length; only 0xFFFE and 0xFFFF are markers.
    bytes = {0xFF};
    Append(bytes, 0xFFFD, 2);
    bytes.insert(bytes.end(), 0xFFFD, 'y');
    EXPECT_EQ(ReadOne(bytes).GetLength(), 0xFFFD);
}

TEST(ArchiveStringRead, AnsiWithThirtyTwoBitLength)
{
    Bytes bytes = {0xFF, 0xFF, 0xFF};
    Append(bytes, 70000, 4);
    bytes.insert(bytes.end(), 70000, 'z');
    EXPECT_EQ(ReadOne(bytes), CString(std::string(70000, 'z')));
}

TEST(ArchiveStringRead, AnsiWithSixtyFourBitLength)
{
    Bytes bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    Append(bytes, 5, 8);
    bytes.insert(bytes.end(), {'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(ReadOne(bytes), CString("hello"));
}

TEST(ArchiveStringRead, UnicodeWithOneByteLength)
{
    const std::u16string text = u"\u00e9\u20acx\u03a9";
    Bytes bytes = kUnicodeMarker;
    bytes.push_back(static_cast<BYTE>(text.size()));
    AppendUtf16(bytes, text);
    EXPECT_EQ(ReadOne(bytes), CString(text));

    bytes = kUnicodeMarker;
    bytes.push_back(0);
    EXPECT_EQ(ReadOne(bytes), CString());

    // A character outside the basic plane is two code units, kept as they are.
    const std::u16string pair = u"\U0001F600";
    bytes = kUnicodeMarker;
    bytes.push_back(2);
    AppendUtf16(bytes, pair);
    EXPECT_EQ(ReadOne(bytes), CString(pair));
}

TEST(ArchiveStringRead, UnicodeWithSixteenBitLength)
{
    const std::u16string text(300, u'\u0416');
    Bytes bytes = kUnicodeMarker;
    bytes.push_back(0xFF);
    Append(bytes, text.size(), 2);
    AppendUtf16(bytes, text);
    EXPECT_EQ(ReadOne(bytes), CString(text));

    // Behind the Unicode marker 0xFFFE is a plain length.
    const std::u16string longer(0xFFFE, u'k');
    bytes = kUnicodeMarker;
    bytes.push_back(0xFF);
    Append(bytes, 0xFFFE, 2);
    AppendUtf16(bytes, longer);
    EXPECT_EQ(ReadOne(bytes), CString(longer));
}

TEST(ArchiveStringRead, UnicodeWithThirtyTwoBitLength)
{
    const std::u16string text(70000, u'\u00fc');
    Bytes bytes = kUnicodeMarker;
    bytes.insert(bytes.end(), {0xFF, 0xFF, 0xFF});
    Append(bytes, text.size(), 4);
    AppendUtf16(bytes, text);
    EXPECT_EQ(ReadOne(bytes), CString(text));
}

TEST(ArchiveStringRead, UnicodeWithSixtyFourBitLength)
{
    const std::u16string text = u"wide";
    Bytes bytes = kUnicodeMarker;
    bytes.insert(bytes.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    Append(bytes, text.size(), 8);
    AppendUtf16(bytes, text);
    EXPECT_EQ(ReadOne(bytes), CString(text));
}

TEST(ArchiveStringRead, SixtyFourBitLengthAboveLimitIsGenericError)
{
    for (std::uint64_t length : {0x80000000ull, 0xFFFFFFFFull, 0xFFFFFFFFFFFFFFFFull}) {
        Bytes ansi = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
        Append(ansi, length, 8);
        ansi.insert(ansi.end(), 16, 'a');
        EXPECT_EQ(ReadFailure(ansi), CArchiveException::genericException) << length;

        Bytes unicode = kUnicodeMarker;
        unicode.insert(unicode.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
        Append(unicode, length, 8);
        unicode.insert(unicode.end(), 16, 'a');
        EXPECT_EQ(ReadFailure(unicode), CArchiveException::genericException) << length;
    }
}

TEST(ArchiveStringRead, LengthBeyondTheDataIsEndOfFile)
{
    // Three ANSI characters declared, two present.
    EXPECT_EQ(ReadFailure({3, 'a', 'b'}), CArchiveException::endOfFile);
    // Three Unicode characters need six bytes; five are there.
    Bytes bytes = kUnicodeMarker;
    bytes.insert(bytes.end(), {3, 'a', 0, 'b', 0, 'c'});
    EXPECT_EQ(ReadFailure(bytes), CArchiveException::endOfFile);
    // The prefix itself is cut short.
    EXPECT_EQ(ReadFailure({}), CArchiveException::endOfFile);
    EXPECT_EQ(ReadFailure({0xFF, 0xFE}), CArchiveException::endOfFile);
    EXPECT_EQ(ReadFailure({0xFF, 0xFE, 0xFF}), CArchiveException::endOfFile);
    EXPECT_EQ(ReadFailure({0xFF, 0xFF, 0xFF, 0x01, 0x00}), CArchiveException::endOfFile);
}

TEST(ArchiveStringRead, HugeDeclaredLengthFailsAtOnce)
{
    // 0x7FFFFFFF characters declared in a file of 20 bytes: the reader must
    // see that they are not there rather than try to make room for them.
    Bytes bytes = kUnicodeMarker;
    bytes.insert(bytes.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    Append(bytes, 0x7FFFFFFF, 8);
    bytes.resize(20, 'a');
    ASSERT_EQ(bytes.size(), 20u);
    EXPECT_EQ(ReadFailure(bytes), CArchiveException::endOfFile);

    Bytes ansi = {0xFF, 0xFF, 0xFF};
    Append(ansi, 0xFFFFFFFE, 4);
    ansi.resize(20, 'a');
    EXPECT_EQ(ReadFailure(ansi), CArchiveException::endOfFile);
}

TEST(ArchiveStringRead, AnsiBytesAreWindows1252)
{
    // Bytes 0x80 to 0x9F as Windows-1252 defines them; the five it leaves
    // undefined stay the control characters of the same number.
    const char16_t expected[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    Bytes bytes = {32};
    for (int b = 0x80; b < 0xA0; ++b)
        bytes.push_back(static_cast<BYTE>(b));
    EXPECT_EQ(ReadOne(bytes), CString(std::u16string(expected, 32)));

    // The rest of the code page is Latin-1.
    bytes = {6, 'A', 0xA0, 0xC4, 0xE9, 0xFE, 0xFF};
    EXPECT_EQ(ReadOne(bytes), CString(u"A\u00a0\u00c4\u00e9\u00fe\u00ff"));
}

TEST(ArchiveStringWrite, EmptyAndShortStrings)
{
    EXPECT_EQ(Written(CString()), (Bytes{0xFF, 0xFE, 0xFF, 0x00}));
    EXPECT_EQ(Written(CString(u"a\u20ac")), (Bytes{0xFF, 0xFE, 0xFF, 0x02, 'a', 0, 0xAC, 0x20}));
}

TEST(ArchiveStringWrite, LengthPrefixAtEachBoundary)
{
    struct Case
    {
        int length;
        Bytes prefix;
    };
    const Case cases[] = {
        {254, {0xFF, 0xFE, 0xFF, 0xFE}},
        {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        std::u16string text(static_cast<std::size_t>(c.length), u'm');
        text.back() = u'\u0444';
        const Bytes bytes = Written(CString(text));
        ASSERT_EQ(bytes.size(), c.prefix.size() + 2 * text.size()) << c.length;
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(c.prefix.size())),
                  c.prefix)
            << c.length;
        // The characters follow as UTF-16LE, the last one included.
        EXPECT_EQ(bytes[c.prefix.size()], 'm');
        EXPECT_EQ(bytes[bytes.size() - 2], 0x44);
        EXPECT_EQ(bytes[bytes.size() - 1], 0x04);
        // And the reader takes the written form back.
        EXPECT_EQ(ReadOne(bytes), CString(text)) << c.length;
    }
}

TEST(ArchiveNumbers, LittleEndianBothWays)
{
    CMemFile file;
    CArchive store(&file, CArchive::store);
    store << static_cast<BYTE>(0x12) << static_cast<WORD>(0x3456) << static_cast<DWORD>(0x789ABCDE)
          << -2 << 1.5;
    store.Close();
    const Bytes expected = {0x12, 0x56, 0x34, 0xDE, 0xBC, 0x9A, 0x78, 0xFE, 0xFF, 0xFF,
                            0xFF, 0,    0,    0,    0,    0,    0,    0xF8, 0x3F};
    EXPECT_EQ(file.Bytes(), expected);

    CMemFile input(expected);
    CArchive load(&input, CArchive::load);
    EXPECT_EQ(load.ReadValue<BYTE>(), 0x12);
    EXPECT_EQ(load.ReadValue<WORD>(), 0x3456);
    EXPECT_EQ(load.ReadValue<DWORD>(), 0x789ABCDEu);
    EXPECT_EQ(load.ReadValue<std::int32_t>(), -2);
    EXPECT_EQ(load.ReadValue<double>(), 1.5);
    try {
        load.ReadValue<BYTE>();
        ADD_FAILURE() << "read past the end";
    } catch (const CArchiveException& error) {
        EXPECT_EQ(error.m_cause, CArchiveException::endOfFile);
    }
}

TEST(ArchiveNumbers, StoringArchiveNotClosedWritesNothingMore)
{
    CMemFile file;
    {
        CArchive store(&file, CArchive::store);
        store << static_cast<DWORD>(7);
    }
    EXPECT_TRUE(file.Bytes().empty());
}
