#include "CDocument.h"

#include "CArchive.h"
#include "CFile.h"
#include "Exceptions.h"

#include <new>

bool CDocument::OnOpenDocument(const CString& path)
{
    DeleteContents();
    try {
        CFile file(path, CFile::modeRead);
        CArchive archive(&file, CArchive::load);
        Serialize(archive);
        archive.Close();
        file.Close();
    } catch (const CException& error) {
        DeleteContents();
        ReportSaveLoadException(path, error.GetErrorMessage(), false);
        return false;
    } catch (const std::bad_alloc&) {
        DeleteContents();
        ReportSaveLoadException(path, CMemoryException().GetErrorMessage(), false);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const CString& path)
{
    try {
        CFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::modeReplaceOnClose);
        CArchive archive(&file, CArchive::store);
        Serialize(archive);
        archive.Close();
        file.Close();
    } catch (const CException& error) {
        ReportSaveLoadException(path, error.GetErrorMessage(), true);
        return false;
    } catch (const std::bad_alloc&) {
        ReportSaveLoadException(path, CMemoryException().GetErrorMessage(), true);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

void CDocument::ReportSaveLoadException(const CString&, const CString& message, bool)
{
    m_strLastError = message;
}
