#pragma once

#include "CString.h"
#include "WinTypes.h"

class CWnd;

constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

// The system's open or save file dialog. The filter is the desktop's form,
// "Name (*.ext)|*.ext|...||". It runs through the modal seam as
// "CFileDialog" with the dialog object, so that a test can give the path.
class CFileDialog
{
public:
    CFileDialog(BOOL openFile, const CString& defaultExtension = {}, const CString& fileName = {},
                DWORD flags = OFN_HIDEREADONLY, const CString& filter = {}, CWnd* parent = nullptr);

    INT_PTR DoModal();
    CString GetPathName() const { return m_path; }

    BOOL m_openFile;
    CString m_defaultExtension;
    CString m_path;
    DWORD m_flags;
    CString m_filter;

private:
    CWnd* m_parent;
};

// The system's colour dialog, through the modal seam as "CColorDialog".
class CColorDialog
{
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);

    INT_PTR DoModal();
    COLORREF GetColor() const { return m_colour; }

    COLORREF m_colour;
    DWORD m_flags;

private:
    CWnd* m_parent;
};
