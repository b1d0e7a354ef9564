#pragma once

#include "CFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

// A file held in memory: the bytes written to it, or given to it to be read.
// The tests, benchmarks and fuzzers read and write measurement files and
// charts through it without a disk.
class CMemFile : public CFile
{
public:
    CMemFile() = default;
    explicit CMemFile(std::vector<BYTE> contents) : m_bytes(std::move(contents)) {}

    void Open(const CString& path, unsigned flags) override
    {
        m_path = path;
        m_position = 0;
        if (flags & modeCreate)
            m_bytes.clear();
    }

    std::size_t Read(void* buffer, std::size_t size) override
    {
        const std::size_t count = std::min(size, m_bytes.size() - m_position);
        // An empty file has no bytes to copy from, not even a place.
        if (count > 0)
            std::memcpy(buffer, m_bytes.data() + m_position, count);
        m_position += count;
        return count;
    }

    void Write(const void* data, std::size_t size) override
    {
        const BYTE* bytes = static_cast<const BYTE*>(data);
        if (m_position == m_bytes.size()) {
            m_bytes.insert(m_bytes.end(), bytes, bytes + size);
        } else {
            if (m_position + size > m_bytes.size())
                m_bytes.resize(m_position + size);
            std::memcpy(m_bytes.data() + m_position, bytes, size);
        }
        m_position += size;
    }

    std::uint64_t GetLength() const override { return m_bytes.size(); }
    void Close() override {}
    void Abort() override {}

    void Reserve(std::size_t size) { m_bytes.reserve(size); }
    const std::vector<BYTE>& Bytes() const { return m_bytes; }
    std::vector<BYTE> TakeBytes() { return std::move(m_bytes); }

private:
    std::vector<BYTE> m_bytes;
    std::size_t m_position = 0;
};
