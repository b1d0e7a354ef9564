#include "CArchive.h"

#include "CFile.h"
#include "CodePage1252.h"
#include "Exceptions.h"

namespace {

constexpr std::size_t kStoreBufferSize = 1 << 20;

} // namespace

CArchive::CArchive(CFile* file, Mode mode) : m_file(file), m_mode(mode)
{
    if (mode == load)
        m_contents = file->GetContents();
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
    // Checked before anything is allocated, so that a damaged length cannot
    // ask for gigabytes.
    const std::uint64_t byteCount = unicode ? length * 2 : length;
    if (byteCount > GetRemaining())
        ThrowEndOfFile();
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
