#include "CurveDlg.h"

#include "ChartDialogTemplates.h"
#include "DCEx.h"
#include "DialogControlIds.h"
#include "MovingAvgDlg.h"
#include "SystemMetrics.h"
#include "TrendDlg.h"
#include "XGraph.h"

#include <algorithm>

namespace {

// The fill style radios by style: hatch styles 0 to 5, then solid.
constexpr UINT kFillStyles[] = {IDC_CURVE_FILL_HORIZONTAL,
                                IDC_CURVE_FILL_VERTICAL,
                                IDC_CURVE_FILL_FALLING_DIAGONAL,
                                IDC_CURVE_FILL_RISING_DIAGONAL,
                                IDC_CURVE_FILL_CROSS,
                                IDC_CURVE_FILL_DIAGONAL_CROSS,
                                IDC_CURVE_FILL_SOLID};

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
        m_colourButton.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, GetTemplateRect(IDC_CURVE_COLOUR),
                              this, IDC_CURVE_COLOUR);

    CDialogItem* drawModes = GetDlgItem(IDC_CURVE_DRAW_MODE);
    drawModes->ResetContent();
    drawModes->AddString("Lines");
    drawModes->AddString("Marks");
    // The owner-drawn lists show their entries as drawn; the texts only
    // name them.
    CDialogItem* penStyles = GetDlgItem(IDC_CURVE_LINE_STYLE);
    penStyles->ResetContent();
    for (const char* style : {"Solid", "Dash", "Dot", "Dash-dot", "Dash-dot-dot"})
        penStyles->AddString(style);
    CDialogItem* symbols = GetDlgItem(IDC_CURVE_SYMBOL_LIST);
    symbols->ResetContent();
    for (int number = 0; number < kSymbolCount; ++number)
        symbols->AddString(CString::Formatted("Symbol %d", number + 1));
    GetDlgItem(IDC_CURVE_LINE_WIDTH_SPIN)->SetRange32(kMinLineWidth, kMaxLineWidth);
    GetDlgItem(IDC_CURVE_SYMBOL_SIZE_SPIN)->SetRange32(kMinSymbolSize, kMaxSymbolSize);

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
    GetDlgItem(IDC_CURVE_LINE_WIDTH_SPIN)->SetPos32(m_lineWidth);
    GetDlgItem(IDC_CURVE_SYMBOL_SIZE_SPIN)->SetPos32(m_symbolSize);
}

void CCurveDlg::FillFillToList(int fillToSeries)
{
    CDialogItem* list = GetDlgItem(IDC_CURVE_FILL_TO);
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
    DDX_Text(pDX, IDC_CURVE_NAME, m_name);
    DDX_Check(pDX, IDC_CURVE_VISIBLE, m_visible);
    DDX_CBIndex(pDX, IDC_CURVE_DRAW_MODE, m_drawMode);
    DDX_Text(pDX, IDC_CURVE_LINE_WIDTH, m_lineWidth);
    DDV_MinMaxInt(pDX, m_lineWidth, kMinLineWidth, kMaxLineWidth);
    DDX_CBIndex(pDX, IDC_CURVE_LINE_STYLE, m_penStyle);
    DDX_Check(pDX, IDC_CURVE_SHOW_SYMBOLS, m_showSymbols);
    DDX_Radio(pDX, IDC_CURVE_SYMBOL_NUMBERED, m_symbolKind);
    DDX_CBIndex(pDX, IDC_CURVE_SYMBOL_LIST, m_symbolNumber);
    DDX_Text(pDX, IDC_CURVE_SYMBOL_SIZE, m_symbolSize);
    DDV_MinMaxInt(pDX, m_symbolSize, kMinSymbolSize, kMaxSymbolSize);
    DDX_Check(pDX, IDC_CURVE_FILL, m_fill);
    DDX_Radio(pDX, kFillStyles[0], m_fillStyle);
    DDX_Check(pDX, IDC_CURVE_TRANSPARENT_FILL, m_transparentFill);
    DDX_CBIndex(pDX, IDC_CURVE_FILL_TO, m_fillToEntry);
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
    const bool fill = IsDlgButtonChecked(IDC_CURVE_FILL) != 0;
    for (UINT style : kFillStyles)
        EnableControl(style, fill);
    EnableControl(IDC_CURVE_TRANSPARENT_FILL, fill);
    EnableControl(IDC_CURVE_FILL_TO, fill);
    const bool symbols = IsDlgButtonChecked(IDC_CURVE_SHOW_SYMBOLS) != 0;
    EnableControl(IDC_CURVE_SYMBOL_NUMBERED, symbols);
    EnableControl(IDC_CURVE_SYMBOL_CUSTOM, symbols);
    EnableControl(IDC_CURVE_SYMBOL_LIST,
                  symbols && IsDlgButtonChecked(IDC_CURVE_SYMBOL_CUSTOM) != 0);
}

void CCurveDlg::OnControlChanged(UINT id)
{
    // A click on the colour button only opens its pop-up; a colour chosen
    // there enables the apply button.
    if (id == IDC_CURVE_COLOUR)
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
        if (id == IDC_CURVE_ADD_MOVING_AVERAGE) {
            AddMovingAverage();
            return TRUE;
        }
        if (id == IDC_CURVE_ADD_LINEAR_TREND || id == IDC_CURVE_ADD_CUBIC_TREND ||
            id == IDC_CURVE_ADD_POLYNOMIAL_TREND) {
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
    if (button == IDC_CURVE_ADD_LINEAR_TREND)
        added = graph->AddLinearTrendSeries(position, dialog.m_forecast);
    else if (button == IDC_CURVE_ADD_CUBIC_TREND)
        added = graph->AddCubicTrendSeries(position, dialog.m_forecast);
    else
        added = graph->AddPolynomialTrendSeries(position, dialog.m_coefficients, dialog.m_forecast);
    if (added >= 0)
        SeriesAdded(graph, position);
}

void CCurveDlg::SeriesAdded(CXGraph* graph, int position)
{
    const int chosenEntry = GetDlgItem(IDC_CURVE_FILL_TO)->GetCurSel();
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
    if (id == static_cast<int>(IDC_CURVE_LINE_STYLE)) {
        measure->itemWidth = kLineStyleEntryWidth;
        measure->itemHeight = kEntryHeight;
    } else if (id == static_cast<int>(IDC_CURVE_SYMBOL_LIST)) {
        measure->itemHeight = kEntryHeight;
    }
}

void CCurveDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT drawItem)
{
    if (id == static_cast<int>(IDC_CURVE_LINE_STYLE))
        DrawLineStyleEntry(drawItem);
    else if (id == static_cast<int>(IDC_CURVE_SYMBOL_LIST))
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
