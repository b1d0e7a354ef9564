#include "Exceptions.h"

namespace {

CString InFile(const CString& fileName, const char* problem)
{
    if (fileName.IsEmpty())
        return CString(problem);
    return CString::Formatted("%s: %s", fileName.ToUtf8().c_str(), problem);
}

const char* ArchiveProblem(CArchiveException::Cause cause)
{
    switch (cause) {
    case CArchiveException::none:
        return "no error";
    case CArchiveException::endOfFile:
        return "the data ends unexpectedly; the file is incomplete or damaged";
    case CArchiveException::readOnly:
        return "the data cannot be written: it is open for reading only";
    case CArchiveException::writeOnly:
        return "the data cannot be read: it is open for writing only";
    case CArchiveException::badIndex:
    case CArchiveException::badClass:
    case CArchiveException::badSchema:
    case CArchiveException::genericException:
        break;
    }
    return "the data is in an unexpected format";
}

const char* FileProblem(CFileException::Cause cause)
{
    switch (cause) {
    case CFileException::none:
        return "no error";
    case CFileException::fileNotFound:
        return "the file does not exist";
    case CFileException::badPath:
        return "the path is not valid";
    case CFileException::tooManyOpenFiles:
        return "too many files are open";
    case CFileException::accessDenied:
        return "access to the file is denied";
    case CFileException::invalidFile:
        return "the file is not open";
    case CFileException::removeCurrentDir:
        return "the current folder cannot be removed";
    case CFileException::directoryFull:
        return "the folder is full";
    case CFileException::badSeek:
        return "the file position cannot be set";
    case CFileException::hardIO:
        return "the file could not be read or written";
    case CFileException::sharingViolation:
        return "the file is in use";
    case CFileException::lockViolation:
        return "the file is locked";
    case CFileException::diskFull:
        return "the disk is full";
    case CFileException::endOfFile:
        return "the file ends unexpectedly";
    case CFileException::genericException:
        break;
    }
    return "the file could not be accessed";
}

} // namespace

const char* CException::what() const noexcept
{
    try {
        m_what = GetErrorMessage().ToUtf8();
    } catch (...) {
        return "error";
    }
    return m_what.c_str();
}

CArchiveException::CArchiveException(Cause cause, CString fileName, CString detail)
    : m_cause(cause), m_strFileName(std::move(fileName)), m_strDetail(std::move(detail))
{
}

CString CArchiveException::GetErrorMessage() const
{
    if (m_strDetail.IsEmpty())
        return InFile(m_strFileName, ArchiveProblem(m_cause));
    return InFile(m_strFileName, m_strDetail.ToUtf8().c_str());
}

CFileException::CFileException(Cause cause, CString fileName, CString systemMessage)
    : m_cause(cause), m_strFileName(std::move(fileName)),
      m_strSystemMessage(std::move(systemMessage))
{
}

CString CFileException::GetErrorMessage() const
{
    CString message = InFile(m_strFileName, FileProblem(m_cause));
    if (!m_strSystemMessage.IsEmpty())
        message += CString(" (") + m_strSystemMessage + CString(")");
    return message;
}

CString CMemoryException::GetErrorMessage() const
{
    return CString("there is not enough memory to complete the operation");
}

CInvalidArgException::CInvalidArgException(CString detail) : m_strDetail(std::move(detail)) {}

CString CInvalidArgException::GetErrorMessage() const
{
    if (m_strDetail.IsEmpty())
        return CString("an invalid argument was encountered");
    return m_strDetail;
}

CResourceException::CResourceException(CString detail) : m_strDetail(std::move(detail)) {}

CString CResourceException::GetErrorMessage() const
{
    if (m_strDetail.IsEmpty())
        return CString("a required resource was unavailable");
    return m_strDetail;
}
