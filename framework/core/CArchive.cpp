#include "CArchive.h"

#include "CFile.h"
#include "CodePage1252.h"
#include "Exceptions.h"

#include <algorithm>

namespace {

constexpr std::size_t kStoreBufferSize = 1 << 20;
// Large enough that a block of a long test is shared out among the cores
// in stretches worth starting a thread for (a day-long recording loads
// fastest so), small enough to be no burden beside the test's arrays.
constexpr std::size_t kLoadBlockSize = 32 << 20;
// A small file gets a buffer of its own size, but no smaller than this.
constexpr std::size_t kSmallestLoadBuffer = 4096;

} // namespace

CArchive::CArchive(CFile* file, Mode mode) : m_file(file), m_mode(mode) {}

void CArchive::GrowLoadBuffer(std::size_t capacity)
{
    auto grown = std::make_unique_for_overwrite<BYTE[]>(capacity);
    if (m_loadEnd > m_position)
        std::memcpy(grown.get(), m_loadBuffer.get() + m_position, m_loadEnd - m_position);
    m_bufferOffset += m_position;
    m_loadEnd -= m_position;
    m_position = 0;
    m_loadBuffer = std::move(grown);
    m_loadCapacity = capacity;
}

void CArchive::SwapLoadBuffers()
{
    if (m_spareCapacity < m_loadCapacity) {
        m_spareBuffer.reset();
        m_spareBuffer = std::make_unique_for_overwrite<BYTE[]>(m_loadCapacity);
        m_spareCapacity = m_loadCapacity;
    }
    const std::size_t unread = GetBuffered();
    if (unread > 0)
        std::memcpy(m_spareBuffer.get(), m_loadBuffer.get() + m_position, unread);
    std::swap(m_loadBuffer, m_spareBuffer);
    std::swap(m_loadCapacity, m_spareCapacity);
    m_bufferOffset += m_position;
    m_position = 0;
    m_loadEnd = unread;
}

std::size_t CArchive::Fill(std::size_t size)
{
    if (GetBuffered() >= size || m_fileEnded || m_mode != load)
        return GetBuffered();
    if (!m_loadBuffer) {
        // The first block: the file's whole length when it is short.
        const std::uint64_t length = m_file->GetLength();
        const std::uint64_t wanted = std::max<std::uint64_t>(length + 1, size);
        GrowLoadBuffer(static_cast<std::size_t>(
            std::clamp<std::uint64_t>(wanted, kSmallestLoadBuffer, kLoadBlockSize)));
    } else if (m_position > 0) {
        SwapLoadBuffers();
    }
    do {
        if (m_loadEnd == m_loadCapacity) {
            // Doubles at most, so that the buffer never runs far ahead of
            // the bytes that actually came.
            GrowLoadBuffer(std::max(m_loadCapacity + 1, std::min(size, m_loadCapacity * 2)));
        }
        const std::size_t read =
            m_file->Read(m_loadBuffer.get() + m_loadEnd, m_loadCapacity - m_loadEnd);
        if (read == 0)
            m_fileEnded = true;
        m_loadEnd += read;
    } while (GetBuffered() < size && !m_fileEnded);
    return GetBuffered();
}

std::uint64_t CArchive::GetUnreadLength()
{
    if (m_fileEnded)
        return GetBuffered();
    const std::uint64_t readSoFar = m_bufferOffset + m_loadEnd;
    const std::uint64_t length = m_file->GetLength();
    return GetBuffered() + (length > readSoFar ? length - readSoFar : 0);
}

bool CArchive::FileShrank()
{
    return m_file->GetLength() < m_bufferOffset + m_loadEnd;
}

void CArchive::ThrowEndOfFile() const
{
    throw CArchiveException(CArchiveException::endOfFile, m_file->GetFilePath());
}

void CArchive::ThrowGenericError(const CString& detail) const
{
    throw CArchiveException(CArchiveException::genericException, m_file->GetFilePath(), detail);
}

CString CArchive::ReadString()
{
    // The length prefix: one byte, then wider forms behind 0xFF markers. The
    // marker 0xFFFE in the 16-bit place announces Unicode characters, after
    // which the length starts again with one byte.
    bool unicode = false;
    std::uint64_t length = ReadValue<BYTE>();
    if (length == 0xFF) {
        length = ReadValue<WORD>();
        if (length == 0xFFFE) {
            unicode = true;
            length = ReadValue<BYTE>();
            if (length == 0xFF)
                length = ReadValue<WORD>();
        }
        if (length == 0xFFFF) {
            length = ReadValue<DWORD>();
            if (length == 0xFFFFFFFF) {
                length = ReadValue<std::uint64_t>();
                if (length > 0x7FFFFFFF)
                    ThrowGenericError(CString::Formatted(
                        "a text of %llu characters is declared, more than a file can hold",
                        static_cast<unsigned long long>(length)));
            }
        }
    }
    // Read before anything is allocated for the text, so that a damaged
    // length cannot ask for more memory than the file holds.
    const std::uint64_t byteCount = unicode ? length * 2 : length;
    const BYTE* bytes = ReadInPlace(static_cast<std::size_t>(byteCount));
    if (!unicode)
        return CodePage1252::Decode(std::string_view(reinterpret_cast<const char*>(bytes),
                                                     static_cast<std::size_t>(length)));
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    std::memcpy(text.data(), bytes, static_cast<std::size_t>(byteCount));
    return CString(std::move(text));
}

void CArchive::Write(const void* data, std::size_t size)
{
    if (m_mode != store)
        throw CArchiveException(CArchiveException::readOnly, m_file->GetFilePath());
    if (m_buffer.size() + size > kStoreBufferSize)
        Flush();
    // Large pieces go to the file as they are, without a copy in between.
    if (size >= kStoreBufferSize / 4) {
        Flush();
        m_file->Write(data, size);
        return;
    }
    const BYTE* bytes = static_cast<const BYTE*>(data);
    m_buffer.insert(m_buffer.end(), bytes, bytes + size);
}

void CArchive::WriteString(const CString& text)
{
    const std::size_t length = static_cast<std::size_t>(text.GetLength());
    const BYTE unicodeMarker[3] = {0xFF, 0xFE, 0xFF};
    Write(unicodeMarker, sizeof unicodeMarker);
    if (length < 0xFF) {
        WriteValue(static_cast<BYTE>(length));
    } else if (length < 0xFFFE) {
        WriteValue(static_cast<BYTE>(0xFF));
        WriteValue(static_cast<WORD>(length));
    } else {
        WriteValue(static_cast<BYTE>(0xFF));
        WriteValue(static_cast<WORD>(0xFFFF));
        WriteValue(static_cast<DWORD>(length));
    }
    Write(text.GetString(), length * 2);
}

void CArchive::Flush()
{
    if (m_mode != store || m_buffer.empty())
        return;
    m_file->Write(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
}

void CArchive::Close()
{
    Flush();
}
