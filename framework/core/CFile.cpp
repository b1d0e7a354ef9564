#include "CFile.h"

#include "Exceptions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

CString SystemMessageOf(const QFileDevice& device)
{
    return CString::FromQString(device.errorString());
}

CFileException::Cause OpenFailureCause(const QString& path, bool reading,
                                       QFileDevice::FileError error)
{
    const QFileInfo info(path);
    if (error == QFileDevice::PermissionsError)
        return CFileException::accessDenied;
    if (reading && !info.exists())
        return CFileException::fileNotFound;
    if (info.isDir())
        return CFileException::badPath;
    if (!reading && !info.absoluteDir().exists())
        return CFileException::badPath;
    if ((reading && info.exists() && !info.isReadable()) ||
        (!reading && info.exists() && !info.isWritable()))
        return CFileException::accessDenied;
    return CFileException::genericException;
}

} // namespace

CFile::CFile() = default;

CFile::CFile(const CString& path, unsigned flags)
{
    Open(path, flags);
}

CFile::~CFile()
{
    Abort();
}

void CFile::Open(const CString& path, unsigned flags)
{
    Abort();
    m_path = path;
    const QString qpath = path.ToQString();
    const bool writing = (flags & modeWrite) != 0;
    m_replaceOnClose = writing && (flags & modeReplaceOnClose) != 0;
    std::unique_ptr<QFileDevice> device;
    if (m_replaceOnClose)
        device = std::make_unique<QSaveFile>(qpath);
    else
        device = std::make_unique<QFile>(qpath);

    bool opened = false;
    if (!writing) {
        const QFileInfo info(qpath);
        if (!info.exists())
            throw CFileException(CFileException::fileNotFound, m_path);
        if (!info.isFile())
            throw CFileException(CFileException::badPath, m_path,
                                 CString("it is a folder or device, not a file"));
        opened = device->open(QIODevice::ReadOnly);
    } else {
        QIODevice::OpenMode mode = QIODevice::WriteOnly;
        if (flags & modeCreate)
            mode |= QIODevice::Truncate;
        opened = device->open(mode);
    }
    if (!opened) {
        const auto cause = OpenFailureCause(qpath, !writing, device->error());
        throw CFileException(cause, m_path, SystemMessageOf(*device));
    }
    m_device = std::move(device);
}

void CFile::ThrowFileError(int cause) const
{
    CString systemMessage = m_device ? SystemMessageOf(*m_device) : CString();
    throw CFileException(static_cast<CFileException::Cause>(cause), m_path, systemMessage);
}

std::size_t CFile::Read(void* buffer, std::size_t size)
{
    if (!m_device)
        ThrowFileError(CFileException::invalidFile);
    const qint64 read = m_device->read(static_cast<char*>(buffer), static_cast<qint64>(size));
    if (read < 0)
        ThrowFileError(CFileException::hardIO);
    return static_cast<std::size_t>(read);
}

void CFile::Write(const void* data, std::size_t size)
{
    if (!m_device)
        ThrowFileError(CFileException::invalidFile);
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const qint64 written = m_device->write(bytes, static_cast<qint64>(size));
        if (written <= 0)
            ThrowFileError(CFileException::hardIO);
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
}

std::uint64_t CFile::GetLength() const
{
    if (!m_device)
        ThrowFileError(CFileException::invalidFile);
    return static_cast<std::uint64_t>(std::max<qint64>(0, m_device->size()));
}

void CFile::Close()
{
    if (!m_device)
        return;
    std::unique_ptr<QFileDevice> device = std::move(m_device);
    if (m_replaceOnClose) {
        auto* saveFile = static_cast<QSaveFile*>(device.get());
        if (!saveFile->commit())
            throw CFileException(CFileException::hardIO, m_path, SystemMessageOf(*saveFile));
        return;
    }
    if (!device->flush()) {
        const CString message = SystemMessageOf(*device);
        device->close();
        throw CFileException(CFileException::hardIO, m_path, message);
    }
    device->close();
}

void CFile::Abort()
{
    if (!m_device)
        return;
    if (m_replaceOnClose)
        static_cast<QSaveFile*>(m_device.get())->cancelWriting();
    m_device.reset();
}

bool IsSameFile(const CString& left, const CString& right)
{
    const QFileInfo leftInfo(left.ToQString());
    const QFileInfo rightInfo(right.ToQString());
    if (leftInfo.absoluteFilePath() == rightInfo.absoluteFilePath())
        return true;
    return leftInfo.exists() && leftInfo.canonicalFilePath() == rightInfo.canonicalFilePath();
}

bool MoveFileIntoPlace(const CString& temporaryPath, const CString& path)
{
    const QByteArray from = QFile::encodeName(temporaryPath.ToQString());
    const mode_t mask = umask(0);
    umask(mask);
    chmod(from.constData(), 0666 & ~mask);
    return std::rename(from.constData(), QFile::encodeName(path.ToQString()).constData()) == 0;
}
