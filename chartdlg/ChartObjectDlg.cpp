#include "ChartObjectDlg.h"

#include "ColourPopup.h"

CChartObjectDlg::CChartObjectDlg(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

BOOL CChartObjectDlg::OnInitDialog()
{
    m_loading = true;
    const BOOL result = CDialog::OnInitDialog();
    m_loading = false;
    EnableApply(false);
    return result;
}

void CChartObjectDlg::OnOK()
{
    if (Apply())
        End(IDOK);
}

void CChartObjectDlg::OnCancel()
{
    End(IDCANCEL);
}

void CChartObjectDlg::End(int result)
{
    if (m_pSheet != nullptr)
        m_pSheet->EndDialog(result);
    else
        EndDialog(result);
}

void CChartObjectDlg::EnableApply(bool enable)
{
    if (CDialogItem* apply = GetDlgItem(IDC_APPLY))
        apply->EnableWindow(enable ? TRUE : FALSE);
}

void CChartObjectDlg::OnControlChanged(UINT)
{
    EnableApply(true);
}

void CChartObjectDlg::OnColourChosen(UINT)
{
    EnableApply(true);
}

BOOL CChartObjectDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == IDC_APPLY && code == BN_CLICKED) {
        Apply();
        return TRUE;
    }
    // OK and Cancel, and the radio groups, first.
    const BOOL handled = CDialog::OnCommand(wParam, lParam);
    if (id == IDOK || id == IDCANCEL || m_loading)
        return handled;
    if (code == BN_CLICKED || code == EN_CHANGE || code == CBN_SELCHANGE)
        OnControlChanged(id);
    return TRUE;
}

BOOL CChartObjectDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == DTN_DATETIMECHANGE && !m_loading)
        OnControlChanged(static_cast<UINT>(header->idFrom));
    return CDialog::OnNotify(wParam, lParam, result);
}

LRESULT CChartObjectDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CPN_SELENDOK) {
        OnColourChosen(static_cast<UINT>(lParam));
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
