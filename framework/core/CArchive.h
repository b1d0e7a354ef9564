#pragma once

#include "CString.h"
#include "Types.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

class CFile;

// Serialization to and from a file: little-endian numbers and the archive
// string form. A loading archive reads the file in large blocks into a buffer
// of its own, never mapping it, so that a file that shrinks or fails while it
// is read gives the archive's end-of-file error or the file's error and never
// more memory than a block beyond what the reader keeps. A storing archive
// collects bytes in a large buffer and hands them to the file block by block.
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
    //
    // Makes at least `size` unread bytes stand at GetCurrentPointer, reading
    // on in the file as needed (and as much more as the buffer holds), and
    // returns how many stand there: fewer than `size` only when the file
    // ends first. The buffer grows only as far as the file's bytes come in,
    // so a damaged length asks for no more memory than the file holds.
    std::size_t Fill(std::size_t size);
    // The unread bytes already read from the file, for looking ahead without
    // consuming them. The buffer alternates between two blocks, so bytes
    // consumed before a Fill stay where they are through that Fill and are
    // overwritten only by the one after it: a reader may go on working on
    // one block while the next is read.
    std::size_t GetBuffered() const { return m_loadEnd - m_position; }
    const BYTE* GetCurrentPointer() const { return m_loadBuffer.get() + m_position; }
    // The byte offset in the file of the next unread byte.
    std::uint64_t GetPosition() const { return m_bufferOffset + m_position; }
    // How many bytes of the file are left unread, by the file's length now.
    std::uint64_t GetUnreadLength();
    // Whether the file is now shorter than the bytes already read from it: it
    // was cut short while it was read, and the system may have handed out
    // zeros in place of the bytes that went.
    bool FileShrank();
    // Consumes size bytes and returns where they stand.
    const BYTE* ReadInPlace(std::size_t size)
    {
        if (size > GetBuffered() && Fill(size) < size)
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

    // Loading: the buffer holds the file's bytes from m_bufferOffset on; those
    // before m_position are consumed, those from m_loadEnd on not read yet.
    void GrowLoadBuffer(std::size_t capacity);

    // Moves the unread bytes to the front of the other block, leaving the
    // consumed ones of this block in place.
    void SwapLoadBuffers();

    CFile* m_file;
    Mode m_mode;
    std::unique_ptr<BYTE[]> m_loadBuffer;
    std::size_t m_loadCapacity = 0;
    // The block read before the current one.
    std::unique_ptr<BYTE[]> m_spareBuffer;
    std::size_t m_spareCapacity = 0;
    std::size_t m_position = 0;
    std::size_t m_loadEnd = 0;
    std::uint64_t m_bufferOffset = 0;
    bool m_fileEnded = false;
    // Storing: the bytes not yet handed to the file.
    std::vector<BYTE> m_buffer;
};
