#include "ChartPage.h"

#include "AxisDlg.h"
#include "ChartDialogTemplates.h"
#include "ChartDlg.h"
#include "CurveDlg.h"
#include "DialogControlIds.h"
#include "XGraph.h"

#include <algorithm>

namespace {

// Where a tab's dialog sits inside the tab control: below the tab strip.
constexpr int kTabLeft = 8;
constexpr int kTabTop = 25;
constexpr int kTabMargin = 8;

} // namespace

CChartPage::CChartPage(CWnd* parent)
    : CDialog(Resources::IDD_CHART_PAGE, parent), m_pChartTab(new CChartDlg),
      m_pCurveTab(new CCurveDlg), m_pAxisTab(new CAxisDlg)
{
    Resources::RegisterChartDialogTemplates();
    m_dialogName = "CChartPage";
}

CChartPage::~CChartPage()
{
    // The tabs are children of the sheet's window: it goes first.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
    delete m_pChartTab;
    delete m_pCurveTab;
    delete m_pAxisTab;
}

BOOL CChartPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    int firstTab = 0;
    if (m_pCurrentSeries != nullptr)
        firstTab = 2;
    else if (m_pCurrentAxis != nullptr)
        firstTab = 1;
    if (m_pGraph != nullptr) {
        if (m_pCurrentAxis == nullptr && m_pGraph->GetYAxisCount() > 0)
            m_pCurrentAxis = &m_pGraph->YAxisAt(0);
        if (m_pCurrentSeries == nullptr && m_pGraph->GetSeriesCount() > 0)
            m_pCurrentSeries = &m_pGraph->SeriesAt(0);
    }
    m_pChartTab->m_pGraph = m_pGraph;
    m_pChartTab->m_pPage = this;
    m_pCurveTab->m_pSeries = m_pCurrentSeries;
    m_pAxisTab->m_pAxis = m_pCurrentAxis;

    CDialogItem* tabs = GetDlgItem(IDC_CHART_PAGE_TABS);
    if (tabs == nullptr)
        return TRUE;
    CSize largest(0, 0);
    for (int index = 0; index < 3; ++index) {
        CDialog* tab = TabDialog(index);
        static_cast<CChartObjectDlg*>(tab)->m_pSheet = this;
        tab->CreateDialogWindow(tabs);
        CRect rect;
        tab->GetWindowRect(&rect);
        largest.cx = std::max<int>(largest.cx, rect.Width());
        largest.cy = std::max<int>(largest.cy, rect.Height());
        tab->ShowWindow(SW_HIDE);
        tab->EnableWindow(FALSE);
    }
    for (const char* caption : {"Chart", "Axis", "Curve"})
        tabs->AddString(caption);
    // The sheet is as large as its largest tab.
    const int width = kTabLeft + largest.cx + kTabMargin;
    const int height = kTabTop + largest.cy + kTabMargin;
    tabs->MoveWindow(0, 0, width, height);
    SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    tabs->SetCurSel(firstTab);
    ShowTab(firstTab);
    return TRUE;
}

CDialog* CChartPage::TabDialog(int index) const
{
    switch (index) {
    case 0:
        return m_pChartTab;
    case 1:
        return m_pAxisTab;
    case 2:
        return m_pCurveTab;
    default:
        return nullptr;
    }
}

void CChartPage::ShowTab(int index)
{
    CDialog* shown = TabDialog(index);
    if (shown == nullptr)
        return;
    for (int each = 0; each < 3; ++each) {
        TabDialog(each)->ShowWindow(SW_HIDE);
        TabDialog(each)->EnableWindow(FALSE);
    }
    if (index == 0) {
        // The series list and the current series follow what the Curve tab
        // added and edits (adding a series may move the chart's series).
        m_pCurrentSeries = m_pCurveTab->m_pSeries;
        m_pChartTab->RefillSeriesList();
    }
    shown->SetWindowPos(nullptr, kTabLeft, kTabTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    shown->ShowWindow(SW_SHOW);
    shown->EnableWindow(TRUE);
    shown->ModifyStyle(WS_CAPTION, 0);
    if (CDialogItem* tabs = GetDlgItem(IDC_CHART_PAGE_TABS);
        tabs != nullptr && tabs->GetCurSel() != index)
        tabs->SetCurSel(index);
}

int CChartPage::GetShownTab() const
{
    for (int index = 0; index < 3; ++index)
        if ((TabDialog(index)->GetStyle() & WS_VISIBLE) != 0)
            return index;
    return -1;
}

void CChartPage::SetCurrentAxis(CXGraphAxis* axis)
{
    m_pCurrentAxis = axis;
    m_pAxisTab->m_pAxis = axis;
    if (m_pAxisTab->GetSafeHwnd() != nullptr && axis != nullptr)
        m_pAxisTab->LoadFromAxis();
}

void CChartPage::SetCurrentSeries(CXGraphDataSerie* series)
{
    m_pCurrentSeries = series;
    m_pCurveTab->m_pSeries = series;
    if (m_pCurveTab->GetSafeHwnd() != nullptr && series != nullptr)
        m_pCurveTab->LoadFromSeries();
}

void CChartPage::OnOK()
{
    // Enter in the sheet is OK of the tab on show: it applies and ends.
    if (CDialog* shown = TabDialog(GetShownTab()))
        shown->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void CChartPage::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CChartPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == IDC_CHART_PAGE_TABS && header->code == TCN_SELCHANGE) {
        if (CDialogItem* tabs = GetDlgItem(IDC_CHART_PAGE_TABS))
            ShowTab(tabs->GetCurSel());
        *result = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, result);
}
