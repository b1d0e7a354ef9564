#pragma once

#include "CString.h"
#include "Types.h"

#include <bit>
#include <cstddef>
#include <cstring>
#include <span>
#include <type_traits>
#include <vector>

class CFile;

// Serialization to and from a file: little-endian numbers and the archive
// string form. A loading archive reads from the file's whole contents at once
// (mapped or read in large blocks); a storing archive collects bytes in a
// large buffer and hands them to the file block by block.
class CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1
    };

    CArchive(CFile* file, Mode mode);
    // A storing archive that was not closed writes nothing more.
    ~CArchive() = default;
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsLoading() const { return m_mode == load; }
    bool IsStoring() const { return m_mode == store; }
    CFile* GetFile() const { return m_file; }

    // Storing: hands the buffered bytes to the file.
    void Flush();
    void Close();

    // Loading. Every read past the end throws the end-of-file error.
    std::size_t GetRemaining() const { return m_contents.size() - m_position; }
    // The unread bytes, for looking ahead without consuming them.
    const BYTE* GetCurrentPointer() const { return m_contents.data() + m_position; }
    // Consumes size bytes and returns where they stand.
    const BYTE* ReadInPlace(std::size_t size)
    {
        if (size > GetRemaining())
            ThrowEndOfFile();
        const BYTE* bytes = GetCurrentPointer();
        m_position += size;
        return bytes;
    }
    void Read(void* buffer, std::size_t size) { std::memcpy(buffer, ReadInPlace(size), size); }
    template <typename T> T ReadValue()
    {
        static_assert(std::is_arithmetic_v<T>);
        T value;
        Read(&value, sizeof value);
        return value;
    }
    // The archive string form: ANSI (converted from Windows-1252) or Unicode.
    CString ReadString();

    // Storing.
    void Write(const void* data, std::size_t size);
    template <typename T> void WriteValue(T value)
    {
        static_assert(std::is_arithmetic_v<T>);
        Write(&value, sizeof value);
    }
    // Always the Unicode form: FF FE FF, the length, UTF-16LE characters.
    void WriteString(const CString& text);

    template <typename T> CArchive& operator>>(T& value)
    {
        value = ReadValue<T>();
        return *this;
    }
    CArchive& operator>>(CString& text)
    {
        text = ReadString();
        return *this;
    }
    template <typename T> CArchive& operator<<(T value)
    {
        WriteValue(value);
        return *this;
    }
    CArchive& operator<<(const CString& text)
    {
        WriteString(text);
        return *this;
    }

    [[noreturn]] void ThrowEndOfFile() const;
    // The archive's generic error; the detail says what was wrong.
    [[noreturn]] void ThrowGenericError(const CString& detail) const;

private:
    static_assert(std::endian::native == std::endian::little,
                  "archives are read and written in the machine's own byte order");

    CFile* m_file;
    Mode m_mode;
    std::span<const BYTE> m_contents;
    std::size_t m_position = 0;
    std::vector<BYTE> m_buffer;
};
