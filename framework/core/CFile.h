#pragma once

#include "CString.h"
#include "Types.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class QFileDevice;

// A file on disk. Every failure throws CFileException naming the file.
class CFile
{
public:
    enum OpenFlags : unsigned
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeCreate = 0x1000,
        // With modeWrite: the data goes to a temporary file beside the target,
        // which Close puts in the target's place in one step. Until then, and
        // for good when the file is aborted, the target stays as it was.
        modeReplaceOnClose = 0x10000,
    };

    CFile();
    CFile(const CString& path, unsigned flags);
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    virtual void Open(const CString& path, unsigned flags);
    virtual std::size_t Read(void* buffer, std::size_t size);
    virtual void Write(const void* data, std::size_t size);
    // The file's length now, in bytes (what is waiting, for a pipe).
    virtual std::uint64_t GetLength() const;
    // Closes the file; a replacing write takes the target's place here.
    virtual void Close();
    // Closes without throwing; a replacing write is discarded.
    virtual void Abort();

    const CString& GetFilePath() const { return m_path; }

protected:
    [[noreturn]] void ThrowFileError(int cause) const;

    CString m_path;

private:
    std::unique_ptr<QFileDevice> m_device;
    bool m_replaceOnClose = false;
};

// Moves a finished temporary file into the place of path in one step, with
// a new file's usual permissions rather than the temporary file's private
// ones. False, and path as it was, when the move failed.
bool MoveFileIntoPlace(const CString& temporaryPath, const CString& path);

// Whether two paths name the same file (the same absolute path, or the same
// file behind links).
bool IsSameFile(const CString& left, const CString& right);
