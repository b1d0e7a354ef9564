#pragma once

#include "CString.h"

#include <exception>
#include <string>

// The framework's exceptions: every failure of reading, writing or allocating
// reaches the user as one of these, with a message a person understands.
class CException : public std::exception
{
public:
    // The whole message, naming the file where one is concerned.
    virtual CString GetErrorMessage() const = 0;
    const char* what() const noexcept override;

private:
    mutable std::string m_what;
};

class CArchiveException : public CException
{
public:
    enum Cause
    {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema
    };

    // The detail, when given, replaces the standard wording of the cause.
    explicit CArchiveException(Cause cause, CString fileName = {}, CString detail = {});
    CString GetErrorMessage() const override;

    Cause m_cause;
    CString m_strFileName;
    CString m_strDetail;
};

class CFileException : public CException
{
public:
    enum Cause
    {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    // The system's own description of the error, when there is one, follows
    // the standard wording of the cause.
    CFileException(Cause cause, CString fileName, CString systemMessage = {});
    CString GetErrorMessage() const override;

    Cause m_cause;
    CString m_strFileName;
    CString m_strSystemMessage;
};

class CMemoryException : public CException
{
public:
    CString GetErrorMessage() const override;
};

class CInvalidArgException : public CException
{
public:
    explicit CInvalidArgException(CString detail = {});
    CString GetErrorMessage() const override;

    CString m_strDetail;
};

// A window class, menu, bitmap or other resource could not be made or found.
class CResourceException : public CException
{
public:
    explicit CResourceException(CString detail = {});
    CString GetErrorMessage() const override;

    CString m_strDetail;
};
