#include "CPrintDialog.h"

#include "CWnd.h"
#include "ModalSeam.h"

#include <QPrintDialog>

namespace {

QPageLayout::Orientation g_orientation = QPageLayout::Portrait;

} // namespace

void CPrintDialog::SetDefaultOrientation(QPageLayout::Orientation orientation)
{
    g_orientation = orientation;
}

QPageLayout::Orientation CPrintDialog::GetDefaultOrientation()
{
    return g_orientation;
}

CPrintDialog::CPrintDialog(BOOL, DWORD flags, CWnd* parent) : m_flags(flags), m_parent(parent)
{
    m_printer.setPageOrientation(g_orientation);
}

INT_PTR CPrintDialog::DoModal()
{
    ModalRequest request;
    request.kind = ModalRequest::dialog;
    request.text = "CPrintDialog";
    request.dialogObject = this;
    request.owner = m_parent;
    const INT_PTR result = ModalSeam::Run(request, [this]() -> INT_PTR {
        QPrintDialog dialog(&m_printer, m_parent != nullptr ? m_parent->GetHostWidget() : nullptr);
        QAbstractPrintDialog::PrintDialogOptions options = dialog.options();
        options.setFlag(QAbstractPrintDialog::PrintSelection, (m_flags & PD_NOSELECTION) == 0);
        options.setFlag(QAbstractPrintDialog::PrintPageRange, (m_flags & PD_NOPAGENUMS) == 0);
        options.setFlag(QAbstractPrintDialog::PrintToFile, (m_flags & PD_HIDEPRINTTOFILE) == 0);
        dialog.setOptions(options);
        return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    });
    m_confirmed = result == IDOK;
    return result;
}

CDC* CPrintDialog::GetPrinterDC()
{
    if (!m_confirmed || (m_flags & PD_RETURNDC) == 0)
        return nullptr;
    if (!m_dc) {
        m_dc = std::make_unique<CDC>();
        m_dc->AttachPrinter(&m_printer);
    }
    return m_dc.get();
}
