#include "ChartDlg.h"

#include "ChartDialogTemplates.h"
#include "ChartPage.h"
#include "XGraph.h"

namespace {

constexpr UINT kBackgroundButton = 6047;
constexpr UINT kFrameButton = 6048;
constexpr UINT kPlotButton = 6049;
constexpr UINT kLegendCheck = 6050;
constexpr UINT kLegendPositionList = 6051;
constexpr UINT kDoubleBufferCheck = 6052;
constexpr UINT kSnapCheck = 6076;
constexpr UINT kSnapRangeEdit = 6075;
constexpr UINT kSnapRangeSpin = 6074;
constexpr UINT kSeriesList = 6057;
constexpr UINT kXAxisList = 6055;
constexpr UINT kYAxisList = 6070;

CString Entry(int index, const CString& name)
{
    return CString::Formatted("%d %s", index + 1, name.ToUtf8().c_str());
}

} // namespace

CChartDlg::CChartDlg(CWnd* parent) : CChartObjectDlg(Resources::IDD_CHART, parent)
{
    Resources::RegisterChartDialogTemplates();
    m_dialogName = "CChartDlg";
}

BOOL CChartDlg::OnInitDialog()
{
    m_backgroundButton.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                              GetTemplateRect(kBackgroundButton), this, kBackgroundButton);
    m_frameButton.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, GetTemplateRect(kFrameButton), this,
                         kFrameButton);
    m_plotButton.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, GetTemplateRect(kPlotButton), this,
                        kPlotButton);
    for (const char* position : {"Left of the plot", "Right of the plot"})
        GetDlgItem(kLegendPositionList)->AddString(position);
    GetDlgItem(kSnapRangeSpin)->SetRange32(0, 100);
    if (m_pGraph != nullptr) {
        const ChartColours& colours = m_pGraph->GetColours();
        m_backgroundButton.SetColour(colours.background);
        m_frameButton.SetColour(colours.frame);
        m_plotButton.SetColour(colours.plot);
        m_showLegend = m_pGraph->IsLegendShown() ? 1 : 0;
        m_doubleBuffer = m_pGraph->IsDoubleBuffered() ? 1 : 0;
        m_legendPosition = m_pGraph->GetLegendPosition();
        m_snapCursor = m_pGraph->IsCursorSnapped() ? 1 : 0;
        m_snapRange = m_pGraph->GetSnapRange();
        const CXGraphAxis* axis = m_pPage != nullptr ? m_pPage->m_pCurrentAxis : nullptr;
        const CXGraphDataSerie* series = m_pPage != nullptr ? m_pPage->m_pCurrentSeries : nullptr;
        m_seriesIndex = m_pGraph->IndexOfSeries(series);
        RefillSeriesList();
        for (int i = 0; i < m_pGraph->GetXAxisCount(); ++i) {
            GetDlgItem(kXAxisList)->AddString(Entry(i, m_pGraph->XAxisAt(i).m_title));
            if (&m_pGraph->XAxisAt(i) == axis)
                m_xAxisIndex = i;
        }
        for (int i = 0; i < m_pGraph->GetYAxisCount(); ++i) {
            GetDlgItem(kYAxisList)->AddString(Entry(i, m_pGraph->YAxisAt(i).m_title));
            if (&m_pGraph->YAxisAt(i) == axis)
                m_yAxisIndex = i;
        }
    }
    const BOOL result = CChartObjectDlg::OnInitDialog();
    EnableLegendPosition();
    return result;
}

void CChartDlg::RefillSeriesList()
{
    if (m_pGraph == nullptr)
        return;
    if (m_pPage != nullptr)
        m_seriesIndex = m_pGraph->IndexOfSeries(m_pPage->m_pCurrentSeries);
    CDialogItem* list = GetDlgItem(kSeriesList);
    const bool wasLoading = m_loading;
    m_loading = true;
    list->ResetContent();
    for (int i = 0; i < m_pGraph->GetSeriesCount(); ++i)
        list->AddString(Entry(i, m_pGraph->SeriesAt(i).GetName()));
    list->SetCurSel(m_seriesIndex);
    m_loading = wasLoading;
}

void CChartDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, kLegendCheck, m_showLegend);
    DDX_CBIndex(pDX, kLegendPositionList, m_legendPosition);
    DDX_Check(pDX, kDoubleBufferCheck, m_doubleBuffer);
    DDX_Check(pDX, kSnapCheck, m_snapCursor);
    DDX_Text(pDX, kSnapRangeEdit, m_snapRange);
    DDV_MinMaxInt(pDX, m_snapRange, 0, 100);
    DDX_CBIndex(pDX, kSeriesList, m_seriesIndex);
    DDX_CBIndex(pDX, kXAxisList, m_xAxisIndex);
    DDX_CBIndex(pDX, kYAxisList, m_yAxisIndex);
}

BOOL CChartDlg::Apply()
{
    if (!UpdateData(TRUE))
        return FALSE;
    if (m_pGraph != nullptr) {
        m_pGraph->SetColours(
            {m_backgroundButton.GetColour(), m_frameButton.GetColour(), m_plotButton.GetColour()});
        m_pGraph->ShowLegend(m_showLegend != 0);
        m_pGraph->SetDoubleBuffer(m_doubleBuffer != 0);
        m_pGraph->SetLegendPosition(GetDlgItem(kLegendPositionList)->GetCurSel());
        m_pGraph->SetSnapCursor(m_snapCursor != 0);
        m_pGraph->SetSnapRange(m_snapRange);
        if (m_pGraph->GetSafeHwnd() != nullptr)
            m_pGraph->Invalidate();
    }
    EnableApply(false);
    return TRUE;
}

BOOL CChartDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == CBN_SELCHANGE && !m_loading) {
        switch (LOWORD(wParam)) {
        case kXAxisList:
            OnXAxisChosen();
            return TRUE;
        case kYAxisList:
            OnYAxisChosen();
            return TRUE;
        case kSeriesList:
            OnSeriesChosen();
            return TRUE;
        default:
            break;
        }
    }
    return CChartObjectDlg::OnCommand(wParam, lParam);
}

void CChartDlg::OnControlChanged(UINT id)
{
    if (id != kLegendCheck && id != kDoubleBufferCheck && id != kSnapCheck &&
        id != kLegendPositionList && id != kSnapRangeEdit)
        return;
    // Only the tab on show takes changes.
    if ((GetStyle() & WS_VISIBLE) == 0)
        return;
    if (!UpdateData(TRUE))
        return;
    EnableApply(true);
    EnableLegendPosition();
}

void CChartDlg::EnableLegendPosition()
{
    GetDlgItem(kLegendPositionList)->EnableWindow(IsDlgButtonChecked(kLegendCheck) != 0);
}

void CChartDlg::OnXAxisChosen()
{
    const int index = GetDlgItem(kXAxisList)->GetCurSel();
    if (m_pGraph == nullptr || index < 0 || index >= m_pGraph->GetXAxisCount())
        return;
    m_xAxisIndex = index;
    m_yAxisIndex = -1;
    GetDlgItem(kYAxisList)->SetCurSel(-1);
    if (m_pPage != nullptr)
        m_pPage->SetCurrentAxis(&m_pGraph->XAxisAt(index));
    m_pGraph->SelectXAxisOnly(index);
}

void CChartDlg::OnYAxisChosen()
{
    const int index = GetDlgItem(kYAxisList)->GetCurSel();
    if (m_pGraph == nullptr || index < 0 || index >= m_pGraph->GetYAxisCount())
        return;
    m_yAxisIndex = index;
    m_xAxisIndex = -1;
    GetDlgItem(kXAxisList)->SetCurSel(-1);
    if (m_pPage != nullptr)
        m_pPage->SetCurrentAxis(&m_pGraph->YAxisAt(index));
    m_pGraph->SelectYAxisOnly(index);
}

void CChartDlg::OnSeriesChosen()
{
    const int index = GetDlgItem(kSeriesList)->GetCurSel();
    if (m_pGraph == nullptr || index < 0 || index >= m_pGraph->GetSeriesCount())
        return;
    m_seriesIndex = index;
    if (m_pPage != nullptr)
        m_pPage->SetCurrentSeries(&m_pGraph->SeriesAt(index));
    m_pGraph->SelectSeriesOnly(index);
}
