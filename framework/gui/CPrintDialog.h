#pragma once

#include "CDC.h"
#include "WinTypes.h"

#include <QPrinter>

#include <memory>

class CWnd;

constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_NOSELECTION = 0x00000004;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_RETURNDC = 0x00000100;
constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;
constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;

// The system's print dialog over a printer of its own (the system's print
// service, or a PDF file). It runs through the modal seam as "CPrintDialog"
// with the dialog object, so that a test can point the printer at a file
// and answer IDOK.
class CPrintDialog
{
public:
    explicit CPrintDialog(BOOL printSetupOnly, DWORD flags = PD_ALLPAGES, CWnd* parent = nullptr);
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    INT_PTR DoModal();
    // Takes the printer as it is set up, without asking (printing straight
    // away).
    BOOL Confirm()
    {
        m_confirmed = true;
        return TRUE;
    }
    // A device context on the chosen printer, owned by the dialog; null
    // before the dialog was confirmed or without PD_RETURNDC.
    CDC* GetPrinterDC();
    QPrinter* GetPrinter() { return &m_printer; }
    // The page orientation printers start in.
    static void SetDefaultOrientation(QPageLayout::Orientation orientation);
    static QPageLayout::Orientation GetDefaultOrientation();

    DWORD m_flags;

private:
    QPrinter m_printer{QPrinter::HighResolution};
    CWnd* m_parent;
    bool m_confirmed = false;
    std::unique_ptr<CDC> m_dc;
};
