#include "ChartDlg.h"

#include "ChartDialogTemplates.h"
#include "ChartPage.h"
#include "DialogControlIds.h"
#include "XGraph.h"

namespace {

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
                              GetTemplateRect(IDC_CHART_BACKGROUND_COLOUR), this,
                              IDC_CHART_BACKGROUND_COLOUR);
    m_frameButton.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                         GetTemplateRect(IDC_CHART_FRAME_COLOUR), this, IDC_CHART_FRAME_COLOUR);
    m_plotButton.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, GetTemplateRect(IDC_CHART_PLOT_COLOUR),
                        this, IDC_CHART_PLOT_COLOUR);
    for (const char* position : {"Left of the plot", "Right of the plot"})
        GetDlgItem(IDC_CHART_LEGEND_POSITION)->AddString(position);
    GetDlgItem(IDC_CHART_SNAP_DISTANCE_SPIN)->SetRange32(0, 100);
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
            GetDlgItem(IDC_CHART_X_AXIS)->AddString(Entry(i, m_pGraph->XAxisAt(i).m_title));
            if (&m_pGraph->XAxisAt(i) == axis)
                m_xAxisIndex = i;
        }
        for (int i = 0; i < m_pGraph->GetYAxisCount(); ++i) {
            GetDlgItem(IDC_CHART_Y_AXIS)->AddString(Entry(i, m_pGraph->YAxisAt(i).m_title));
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
    CDialogItem* list = GetDlgItem(IDC_CHART_SERIES);
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
    DDX_Check(pDX, IDC_CHART_SHOW_LEGEND, m_showLegend);
    DDX_CBIndex(pDX, IDC_CHART_LEGEND_POSITION, m_legendPosition);
    DDX_Check(pDX, IDC_CHART_DOUBLE_BUFFER, m_doubleBuffer);
    DDX_Check(pDX, IDC_CHART_SNAP_CURSOR, m_snapCursor);
    DDX_Text(pDX, IDC_CHART_SNAP_DISTANCE, m_snapRange);
    DDV_MinMaxInt(pDX, m_snapRange, 0, 100);
    DDX_CBIndex(pDX, IDC_CHART_SERIES, m_seriesIndex);
    DDX_CBIndex(pDX, IDC_CHART_X_AXIS, m_xAxisIndex);
    DDX_CBIndex(pDX, IDC_CHART_Y_AXIS, m_yAxisIndex);
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
        m_pGraph->SetLegendPosition(GetDlgItem(IDC_CHART_LEGEND_POSITION)->GetCurSel());
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
        case IDC_CHART_X_AXIS:
            OnXAxisChosen();
            return TRUE;
        case IDC_CHART_Y_AXIS:
            OnYAxisChosen();
            return TRUE;
        case IDC_CHART_SERIES:
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
    if (id != IDC_CHART_SHOW_LEGEND && id != IDC_CHART_DOUBLE_BUFFER &&
        id != IDC_CHART_SNAP_CURSOR && id != IDC_CHART_LEGEND_POSITION &&
        id != IDC_CHART_SNAP_DISTANCE)
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
    GetDlgItem(IDC_CHART_LEGEND_POSITION)
        ->EnableWindow(IsDlgButtonChecked(IDC_CHART_SHOW_LEGEND) != 0);
}

void CChartDlg::OnXAxisChosen()
{
    const int index = GetDlgItem(IDC_CHART_X_AXIS)->GetCurSel();
    if (m_pGraph == nullptr || index < 0 || index >= m_pGraph->GetXAxisCount())
        return;
    m_xAxisIndex = index;
    m_yAxisIndex = -1;
    GetDlgItem(IDC_CHART_Y_AXIS)->SetCurSel(-1);
    if (m_pPage != nullptr)
        m_pPage->SetCurrentAxis(&m_pGraph->XAxisAt(index));
    m_pGraph->SelectXAxisOnly(index);
}

void CChartDlg::OnYAxisChosen()
{
    const int index = GetDlgItem(IDC_CHART_Y_AXIS)->GetCurSel();
    if (m_pGraph == nullptr || index < 0 || index >= m_pGraph->GetYAxisCount())
        return;
    m_yAxisIndex = index;
    m_xAxisIndex = -1;
    GetDlgItem(IDC_CHART_X_AXIS)->SetCurSel(-1);
    if (m_pPage != nullptr)
        m_pPage->SetCurrentAxis(&m_pGraph->YAxisAt(index));
    m_pGraph->SelectYAxisOnly(index);
}

void CChartDlg::OnSeriesChosen()
{
    const int index = GetDlgItem(IDC_CHART_SERIES)->GetCurSel();
    if (m_pGraph == nullptr || index < 0 || index >= m_pGraph->GetSeriesCount())
        return;
    m_seriesIndex = index;
    if (m_pPage != nullptr)
        m_pPage->SetCurrentSeries(&m_pGraph->SeriesAt(index));
    m_pGraph->SelectSeriesOnly(index);
}
