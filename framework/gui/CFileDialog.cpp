#include "CFileDialog.h"

#include "CWnd.h"
#include "ModalSeam.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QStringList>

namespace {

// "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||" as Qt's name filters.
QString QtFilter(const CString& filter)
{
    const QStringList parts = filter.ToQString().split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        const QString name = parts[i].contains('(') ? parts[i] : parts[i] + " (" + patterns + ")";
        filters << name;
    }
    return filters.join(";;");
}

QWidget* Owner(CWnd* parent)
{
    return parent != nullptr ? parent->GetHostWidget() : nullptr;
}

} // namespace

CFileDialog::CFileDialog(BOOL openFile, const CString& defaultExtension, const CString& fileName,
                         DWORD flags, const CString& filter, CWnd* parent)
    : m_openFile(openFile), m_defaultExtension(defaultExtension), m_path(fileName), m_flags(flags),
      m_filter(filter), m_parent(parent)
{
}

INT_PTR CFileDialog::DoModal()
{
    ModalRequest request;
    request.kind = ModalRequest::dialog;
    request.text = "CFileDialog";
    request.dialogObject = this;
    request.owner = m_parent;
    return ModalSeam::Run(request, [this]() -> INT_PTR {
        QFileDialog dialog(Owner(m_parent));
        dialog.setAcceptMode(m_openFile ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog.setFileMode(m_openFile ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        dialog.setNameFilter(QtFilter(m_filter));
        dialog.setDefaultSuffix(m_defaultExtension.ToQString());
        if ((m_flags & OFN_OVERWRITEPROMPT) == 0)
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (!m_path.IsEmpty())
            dialog.selectFile(m_path.ToQString());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return IDCANCEL;
        m_path = CString::FromQString(dialog.selectedFiles().front());
        return IDOK;
    });
}

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent)
    : m_colour(initial), m_flags(flags), m_parent(parent)
{
}

INT_PTR CColorDialog::DoModal()
{
    ModalRequest request;
    request.kind = ModalRequest::dialog;
    request.text = "CColorDialog";
    request.dialogObject = this;
    request.owner = m_parent;
    return ModalSeam::Run(request, [this]() -> INT_PTR {
        const QColor chosen = QColorDialog::getColor(
            QColor(GetRValue(m_colour), GetGValue(m_colour), GetBValue(m_colour)), Owner(m_parent));
        if (!chosen.isValid())
            return IDCANCEL;
        m_colour = RGB(chosen.red(), chosen.green(), chosen.blue());
        return IDOK;
    });
}
