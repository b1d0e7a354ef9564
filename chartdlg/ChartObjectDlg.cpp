#include "ChartObjectDlg.h"

#include "CFont.h"
#include "CFontDialog.h"
#include "CPen.h"
#include "ColourPopup.h"
#include "DialogControlIds.h"
#include "SystemMetrics.h"

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

void CChartObjectDlg::DrawLineStyleEntry(LPDRAWITEMSTRUCT drawItem)
{
    CDC* dc = drawItem->hDC;
    const CRect rect = drawItem->rcItem;
    const bool selected = (drawItem->itemState & ODS_SELECTED) != 0;
    dc->FillSolidRect(&rect, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (drawItem->itemID > static_cast<UINT>(PS_DASHDOTDOT))
        return;
    CPen pen(static_cast<int>(drawItem->itemID), 1,
             GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    CPen* oldPen = dc->SelectObject(&pen);
    // The gaps of a broken line show the entry's background.
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    const int y = rect.top + 6;
    dc->MoveTo(rect.left, y);
    dc->LineTo(rect.right, y);
    dc->SetBkMode(oldMode);
    dc->SelectObject(oldPen);
}

BOOL CChartObjectDlg::ChooseFontFor(CFont& font, COLORREF* textColour)
{
    LOGFONT current{};
    font.GetLogFont(&current);
    CFontDialog dialog(&current, CF_SCREENFONTS | CF_EFFECTS, this);
    if (textColour != nullptr)
        dialog.m_cf.rgbColors = *textColour;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    LOGFONT chosen{};
    dialog.GetCurrentFont(&chosen);
    font.DeleteObject();
    font.CreateFontIndirect(&chosen);
    if (textColour != nullptr)
        *textColour = dialog.GetColor();
    return TRUE;
}
