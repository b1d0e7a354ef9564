#include "CurveDlg.h"

#include "ChartDialogTemplates.h"
#include "DCEx.h"
#include "MovingAvgDlg.h"
#include "SystemMetrics.h"
#include "TrendDlg.h"
#include "XGraph.h"

#include <algorithm>

namespace {

constexpr UINT kName = 6010;
constexpr UINT kVisible = 6009;
constexpr UINT kColour = 6007;
constexpr UINT kDrawMode = 6034;
constexpr UINT kLineWidth = 6035;
constexpr UINT kLineWidthSpin = 6006;
constexpr UINT kPenStyle = 6008;
constexpr UINT kShowSymbols = 6038;
// The symbol kind radios: numbered square, then the chart's symbol.
constexpr UINT kSymbolNumbered = 6062;
constexpr UINT kSymbolCustom = 6059;
constexpr UINT kSymbolList = 6060;
constexpr UINT kSymbolSize = 6022;
constexpr UINT kSymbolSizeSpin = 6023;
constexpr UINT kFill = 6011;
// The fill style radios, hatch styles 0 to 5, then solid.
constexpr UINT kFillStyles[] = {6045, 6027, 6028, 6042, 6043, 6031, 6032};
constexpr UINT kTransparentFill = 6012;
constexpr UINT kFillTo = 6085;
constexpr UINT kMovingAverage = 6065;
constexpr UINT kLinearTrend = 6066;
constexpr UINT kCubicTrend = 6067;
constexpr UINT kPolynomialTrend = 6080;

constexpr int kMinLineWidth = 1;
constexpr int kMaxLineWidth = 5;
constexpr int kMinSymbolSize = 1;
constexpr int kMaxSymbolSize = 20;

constexpr int kPenStyleCount = 5;
constexpr int kSymbolCount = 8;
constexpr int kEntryHeight = 16;
constexpr int kLineStyleEntryWidth = 100;
// The line of a line-style entry lies this far below the entry's top.
constexpr int kSymbolInset = 2;
constexpr int kSymbolEntrySize = 10;

} // namespace

CCurveDlg::CCurveDlg(CWnd* parent) : CChartObjectDlg(Resources::IDD_CURVE, parent)
{
    Resources::RegisterChartDialogTemplates();
    m_dialogName = "CCurveDlg";
}

CXGraph* CCurveDlg::Graph() const
{
    return m_pSeries != nullptr ? m_pSeries->m_graph : nullptr;
}

int CCurveDlg::SeriesPosition() const
{
    const CXGraph* graph = Graph();
    return graph != nullptr ? graph->IndexOfSeries(m_pSeries) : -1;
}

BOOL CCurveDlg::OnInitDialog()
{
    if (m_colourButton.GetSafeHwnd() == nullptr)
        m_colourButton.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, GetTemplateRect(kColour), this,
                              kColour);

    CDialogItem* drawModes = GetDlgItem(kDrawMode);
    drawModes->ResetContent();
    drawModes->AddString("Lines");
    drawModes->AddString("Marks");
    // The owner-drawn lists show their entries as drawn; the texts only
    // name them.
    CDialogItem* penStyles = GetDlgItem(kPenStyle);
    penStyles->ResetContent();
    for (const char* style : {"Solid", "Dash", "Dot", "Dash-dot", "Dash-dot-dot"})
        penStyles->AddString(style);
    CDialogItem* symbols = GetDlgItem(kSymbolList);
    symbols->ResetContent();
    for (int number = 0; number < kSymbolCount; ++number)
        symbols->AddString(CString::Formatted("Symbol %d", number + 1));
    GetDlgItem(kLineWidthSpin)->SetRange32(kMinLineWidth, kMaxLineWidth);
    GetDlgItem(kSymbolSizeSpin)->SetRange32(kMinSymbolSize, kMaxSymbolSize);

    m_loading = true;
    CopyFromSeries();
    m_loading = false;
    const BOOL result = CChartObjectDlg::OnInitDialog();
    UpdateEnabling();
    return result;
}

void CCurveDlg::LoadFromSeries()
{
    // Before creation OnInitDialog loads.
    if (GetSafeHwnd() == nullptr)
        return;
    m_loading = true;
    CopyFromSeries();
    UpdateData(FALSE);
    m_loading = false;
    UpdateEnabling();
    EnableApply(false);
}

void CCurveDlg::CopyFromSeries()
{
    if (m_pSeries == nullptr) {
        FillFillToList(-1);
        return;
    }
    const CXGraphDataSerie& series = *m_pSeries;
    m_name = series.GetName();
    m_visible = series.m_visible ? 1 : 0;
    m_colourButton.SetColour(series.m_colour);
    m_drawMode = series.m_drawMode;
    m_lineWidth = series.m_lineWidth;
    m_penStyle = series.m_penStyle;
    m_showSymbols = series.m_showCurveSymbols ? 1 : 0;
    m_symbolKind = series.m_symbolKind;
    m_symbolNumber = series.m_symbolNumber;
    m_symbolSize = series.m_symbolSize;
    m_fill = series.m_fill ? 1 : 0;
    m_fillStyle = series.m_fillStyle;
    m_transparentFill = series.m_transparentFill ? 1 : 0;
    FillFillToList(series.m_fillToSeries);
    // The spins step from the values shown; the edits then get the values
    // themselves, out of range or not.
    GetDlgItem(kLineWidthSpin)->SetPos32(m_lineWidth);
    GetDlgItem(kSymbolSizeSpin)->SetPos32(m_symbolSize);
}

void CCurveDlg::FillFillToList(int fillToSeries)
{
    CDialogItem* list = GetDlgItem(kFillTo);
    list->ResetContent();
    m_fillToEntries.clear();
    m_fillToEntry = -1;
    CXGraph* graph = Graph();
    if (graph != nullptr) {
        const int edited = SeriesPosition();
        for (int index = 0; index < graph->GetSeriesCount(); ++index) {
            if (index == edited)
                continue;
            const CXGraphDataSerie& other = graph->SeriesAt(index);
            list->AddString(
                CString::Formatted("%d %s", index + 1, other.GetName().ToUtf8().c_str()));
            if (index == fillToSeries)
                m_fillToEntry = static_cast<int>(m_fillToEntries.size());
            m_fillToEntries.push_back(index);
        }
    }
    // A fill-to series that is no other series of the chart shows none.
    list->SetCurSel(m_fillToEntry);
}

int CCurveDlg::ChosenFillToSeries() const
{
    if (m_fillToEntry < 0 || m_fillToEntry >= static_cast<int>(m_fillToEntries.size()))
        return -1;
    return m_fillToEntries[static_cast<std::size_t>(m_fillToEntry)];
}

void CCurveDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kName, m_name);
    DDX_Check(pDX, kVisible, m_visible);
    DDX_CBIndex(pDX, kDrawMode, m_drawMode);
    DDX_Text(pDX, kLineWidth, m_lineWidth);
    DDV_MinMaxInt(pDX, m_lineWidth, kMinLineWidth, kMaxLineWidth);
    DDX_CBIndex(pDX, kPenStyle, m_penStyle);
    DDX_Check(pDX, kShowSymbols, m_showSymbols);
    DDX_Radio(pDX, kSymbolNumbered, m_symbolKind);
    DDX_CBIndex(pDX, kSymbolList, m_symbolNumber);
    DDX_Text(pDX, kSymbolSize, m_symbolSize);
    DDV_MinMaxInt(pDX, m_symbolSize, kMinSymbolSize, kMaxSymbolSize);
    DDX_Check(pDX, kFill, m_fill);
    DDX_Radio(pDX, kFillStyles[0], m_fillStyle);
    DDX_Check(pDX, kTransparentFill, m_transparentFill);
    DDX_CBIndex(pDX, kFillTo, m_fillToEntry);
}

BOOL CCurveDlg::Apply()
{
    if (m_pSeries == nullptr || !UpdateData(TRUE))
        return FALSE;
    CXGraphDataSerie& series = *m_pSeries;
    // A list or radio group without a choice (the series held a value none
    // of its entries stands for) leaves that value as it was.
    if (m_drawMode >= 0)
        series.m_drawMode = m_drawMode;
    series.m_lineWidth = m_lineWidth;
    series.m_colour = m_colourButton.GetColour();
    if (m_penStyle >= 0)
        series.m_penStyle = m_penStyle;
    series.m_visible = m_visible != 0;
    series.m_showCurveSymbols = m_showSymbols != 0;
    series.m_fill = m_fill != 0;
    if (m_fillStyle >= 0)
        series.m_fillStyle = m_fillStyle;
    series.m_transparentFill = m_transparentFill != 0;
    series.SetName(m_name);
    if (m_symbolKind >= 0)
        series.m_symbolKind = m_symbolKind;
    series.m_symbolSize = m_symbolSize;
    if (m_symbolNumber >= 0)
        series.m_symbolNumber = m_symbolNumber;
    series.m_fillToSeries = static_cast<short>(ChosenFillToSeries());
    if (CXGraph* graph = Graph(); graph != nullptr && graph->GetSafeHwnd() != nullptr)
        graph->Invalidate();
    EnableApply(false);
    return TRUE;
}

// Enabling -------------------------------------------------------------------

void CCurveDlg::EnableControl(UINT id, bool enable)
{
    if (CDialogItem* item = GetDlgItem(id))
        item->EnableWindow(enable ? TRUE : FALSE);
}

void CCurveDlg::UpdateEnabling()
{
    const bool fill = IsDlgButtonChecked(kFill) != 0;
    for (UINT style : kFillStyles)
        EnableControl(style, fill);
    EnableControl(kTransparentFill, fill);
    EnableControl(kFillTo, fill);
    const bool symbols = IsDlgButtonChecked(kShowSymbols) != 0;
    EnableControl(kSymbolNumbered, symbols);
    EnableControl(kSymbolCustom, symbols);
    EnableControl(kSymbolList, symbols && IsDlgButtonChecked(kSymbolCustom) != 0);
}

void CCurveDlg::OnControlChanged(UINT id)
{
    // A click on the colour button only opens its pop-up; a colour chosen
    // there enables the apply button.
    if (id == kColour)
        return;
    CChartObjectDlg::OnControlChanged(id);
    UpdateEnabling();
}

BOOL CCurveDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    // The derived curves are added to the chart at once; they change
    // nothing of this series.
    if (HIWORD(wParam) == BN_CLICKED && !m_loading) {
        if (id == kMovingAverage) {
            AddMovingAverage();
            return TRUE;
        }
        if (id == kLinearTrend || id == kCubicTrend || id == kPolynomialTrend) {
            AddTrend(id);
            return TRUE;
        }
    }
    return CChartObjectDlg::OnCommand(wParam, lParam);
}

// Derived curves ---------------------------------------------------------------

void CCurveDlg::AddMovingAverage()
{
    CXGraph* graph = Graph();
    const int position = SeriesPosition();
    if (graph == nullptr || position < 0)
        return;
    CMovingAvgDlg dialog(this);
    // Half the points; a curve of fewer than two points still allows a
    // window of one point rather than a range no window fits.
    dialog.m_maximum = std::max(1, m_pSeries->m_count / 2);
    // Offer a window the dialog accepts.
    dialog.m_window = std::min(dialog.m_window, dialog.m_maximum);
    if (dialog.DoModal() != IDOK)
        return;
    if (graph->AddMovingAverageSeries(position, dialog.m_kind, dialog.m_window) >= 0)
        SeriesAdded(graph, position);
}

void CCurveDlg::AddTrend(UINT button)
{
    CXGraph* graph = Graph();
    const int position = SeriesPosition();
    if (graph == nullptr || position < 0)
        return;
    CTrendDlg dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    int added = -1;
    if (button == kLinearTrend)
        added = graph->AddLinearTrendSeries(position, dialog.m_forecast);
    else if (button == kCubicTrend)
        added = graph->AddCubicTrendSeries(position, dialog.m_forecast);
    else
        added = graph->AddPolynomialTrendSeries(position, dialog.m_coefficients, dialog.m_forecast);
    if (added >= 0)
        SeriesAdded(graph, position);
}

void CCurveDlg::SeriesAdded(CXGraph* graph, int position)
{
    const int chosenEntry = GetDlgItem(kFillTo)->GetCurSel();
    const int chosen = chosenEntry >= 0 && chosenEntry < static_cast<int>(m_fillToEntries.size())
                           ? m_fillToEntries[static_cast<std::size_t>(chosenEntry)]
                           : -1;
    m_pSeries = &graph->SeriesAt(position);
    // Keep the fill-to choice the user made, applied or not.
    m_loading = true;
    FillFillToList(chosen);
    m_loading = false;
}

// Owner-drawn lists ------------------------------------------------------------

void CCurveDlg::OnMeasureItem(int id, LPMEASUREITEMSTRUCT measure)
{
    if (id == static_cast<int>(kPenStyle)) {
        measure->itemWidth = kLineStyleEntryWidth;
        measure->itemHeight = kEntryHeight;
    } else if (id == static_cast<int>(kSymbolList)) {
        measure->itemHeight = kEntryHeight;
    }
}

void CCurveDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT drawItem)
{
    if (id == static_cast<int>(kPenStyle))
        DrawLineStyleEntry(drawItem);
    else if (id == static_cast<int>(kSymbolList))
        DrawSymbolEntry(drawItem);
}

void CCurveDlg::DrawSymbolEntry(LPDRAWITEMSTRUCT drawItem)
{
    const CRect rect = drawItem->rcItem;
    const bool selected = (drawItem->itemState & ODS_SELECTED) != 0;
    drawItem->hDC->FillSolidRect(&rect, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (drawItem->itemID >= static_cast<UINT>(kSymbolCount))
        return;
    const COLORREF colour = (drawItem->itemState & ODS_DISABLED) != 0
                                ? GetSysColor(COLOR_INACTIVEBORDER)
                                : RGB(0, 0, 0);
    const CXGraph* graph = Graph();
    const SymbolProcedure draw = graph != nullptr
                                     ? graph->GetSymbolProcedure(static_cast<int>(drawItem->itemID))
                                     : kSymbolProcedures[drawItem->itemID];
    CDCEx dc(drawItem->hDC);
    draw(rect.left + kSymbolInset, rect.top + kSymbolInset, kSymbolEntrySize, colour, 0, &dc);
}
