#pragma once

#include "CString.h"

class CArchive;
class CException;

// The file-handling part of a document: its path, its modified flag, and
// opening and saving through an archive. Views attach in the GUI layers.
class CDocument
{
public:
    CDocument() = default;
    virtual ~CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(const CString& path) { m_strPathName = path; }

    bool IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    // Reads the document from a loading archive or writes it to a storing one.
    virtual void Serialize(CArchive& ar) = 0;
    // Frees the document's contents; called before loading and when loading fails.
    virtual void DeleteContents() {}

    // Starts the document empty, as File New does; false when the document
    // cannot start empty.
    virtual bool OnNewDocument()
    {
        DeleteContents();
        SetModifiedFlag(false);
        return true;
    }
    // Reads the file into the document. On failure the contents are freed,
    // the failure is reported and false is returned.
    virtual bool OnOpenDocument(const CString& path);
    // Writes the document to the file. The file is replaced in one step only
    // once everything is written, so a failure leaves the old file untouched;
    // it is reported and false is returned.
    virtual bool OnSaveDocument(const CString& path);

    // What the user must hear about a document that did open: empty when all
    // is well. Shown once its window is up.
    virtual CString GetOpenWarning() const { return {}; }
    // A question to ask before the document is saved to the path, answered
    // No by default: empty when saving there needs no question.
    virtual CString GetOverwriteQuestion(const CString& path) const
    {
        (void)path;
        return {};
    }

    // The message of the last failed open or save.
    const CString& GetLastErrorMessage() const { return m_strLastError; }

protected:
    // Keeps the message; the GUI layers show it to the user as well.
    virtual void ReportSaveLoadException(const CString& path, const CString& message, bool saving);

private:
    CString m_strPathName;
    bool m_bModified = false;
    CString m_strLastError;
};
