#include "NolvexView.h"

#include "CCmdUI.h"
#include "CDC.h"
#include "CFileDialog.h"
#include "CMDIFrameWnd.h"
#include "CWaitCursor.h"
#include "CsvExport.h"
#include "Cursor.h"
#include "Exceptions.h"
#include "ExposureSummaryDlg.h"
#include "MetricCatalogue.h"
#include "MetricChart.h"
#include "ModalSeam.h"
#include "NolvexDoc.h"
#include "NolvexMetric.h"
#include "NolvexTest.h"
#include "PropTreeItemStatic.h"
#include "SystemMetrics.h"
#include "WindowClass.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

int SampleAt(double seconds)
{
    // Truncated toward zero, kept inside what an int holds.
    const double index = seconds * 10.0;
    if (!(index > -2e9))
        return -2000000000;
    if (index > 2e9)
        return 2000000000;
    return static_cast<int>(index);
}

} // namespace

CNolvexView::CNolvexView()
    : m_treeBrush(RGB(255, 255, 240)), m_secondBrush(RGB(255, 248, 240)),
      m_faceBrush(GetSysColor(COLOR_BTNFACE)), m_dataTypeNames(MetricCatalogue::BuildNames())
{
}

CNolvexView::~CNolvexView()
{
    // The summary window closes with its view.
    m_summary.reset();
    // The panes go before the splitters that hold them.
    if (m_tree.GetSafeHwnd() != nullptr)
        m_tree.DestroyWindow();
    if (m_chart.GetSafeHwnd() != nullptr)
        m_chart.DestroyWindow();
    if (m_list.GetSafeHwnd() != nullptr)
        m_list.DestroyWindow();
    m_inner.reset();
    m_outer.reset();
}

CNolvexDoc* CNolvexView::GetDocument() const
{
    return static_cast<CNolvexDoc*>(CView::GetDocument());
}

CNolvexTest* CNolvexView::GetCurrentTest() const
{
    const CPropTreeItem* focused = m_tree.GetFocusedItem();
    return focused != nullptr ? static_cast<CNolvexTest*>(focused->GetItemData()) : nullptr;
}

// Layout ---------------------------------------------------------------------

int CNolvexView::OnCreate(LPCREATESTRUCT create)
{
    if (CView::OnCreate(create) == -1)
        return -1;
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    const CString treeClass = AfxRegisterWndClass(CS_DBLCLKS, arrow, &m_treeBrush);
    AfxRegisterWndClass(CS_DBLCLKS, arrow, &m_secondBrush);
    AfxRegisterWndClass(CS_DBLCLKS, arrow, &m_faceBrush);

    if (auto* frame = dynamic_cast<CMDIChildWnd*>(GetParent()))
        frame->MDIMaximize();
    m_outer = std::make_unique<CSimpleSplitter>(1);
    if (!m_outer->Create(this))
        return -1;
    m_inner = std::make_unique<CSimpleSplitter>(2);
    if (!m_inner->Create(m_outer.get()))
        return -1;
    if (!m_outer->CreatePane(0, &m_tree, PROP_STYLE_NOTIFY, treeClass))
        return -1;
    m_outer->AttachPane(m_inner.get());
    if (!m_inner->CreatePane(0, &m_chart, WS_GROUP | WS_TABSTOP, CXGraph::kClassName))
        return -1;
    if (!m_inner->CreatePane(1, &m_list,
                             WS_GROUP | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                             CListCtrl::kClassName))
        return -1;
    m_outer->SetProportions({25, 75});
    m_inner->SetProportions({70, 30});
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    return 0;
}

void CNolvexView::OnSize(UINT type, int cx, int cy)
{
    CView::OnSize(type, cx, cy);
    if (m_outer && m_outer->GetSafeHwnd() != nullptr)
        m_outer->MoveWindow(0, 0, cx, cy);
}

void CNolvexView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    CNolvexDoc* document = GetDocument();
    CPropTreeItem* root = m_tree.AddItem(nullptr, new CPropTreeItem);
    root->SetLabelText("Tests");
    root->SetInfoText("This is a root level item");
    root->SetState(CPropTreeItem::ItemExpanded, true);
    CPropTreeItem* first = nullptr;
    for (CNolvexTest* test = document != nullptr ? document->firstTest : nullptr; test != nullptr;
         test = test->next) {
        auto* row = new CPropTreeItemStatic;
        row->SetItemData(test);
        row->SetLabelText(test->name);
        const CString description = CString::Formatted("%s - %d", test->info.ToUtf8().c_str(),
                                                       static_cast<int>(test->testNumber));
        row->SetValue(reinterpret_cast<LPARAM>(description.GetString()));
        row->SetInfoText(description);
        m_tree.AddItem(root, row);
        if (first == nullptr)
            first = row;
    }
    if (first != nullptr) {
        m_tree.FocusItem(first);
        first->SetState(CPropTreeItem::ItemSelected, true);
    }

    m_list.InsertColumn(kColourColumn, "Color", LVCFMT_LEFT, 80);
    m_list.InsertColumn(kDataTypeColumn, "Data Type", LVCFMT_LEFT, 150);
    m_list.InsertColumn(kCursorColumn, "Cursor Value", LVCFMT_LEFT, 100);
    m_list.InsertColumn(kAverageColumn, "Avg Selection Value", LVCFMT_LEFT, 100);
    m_list.InsertColumn(kCumulativeColumn, "Cumulative Value", LVCFMT_LEFT, 100);

    MetricChart::ApplyScreenLook(m_chart);
    MetricChart::ShowPlaceholder(m_chart);
    m_chart.XAxisAt(0).SetFullRange(0, 60);
}

// The chart ------------------------------------------------------------------

void CNolvexView::RebuildChart()
{
    MetricChart::Build(m_chart, GetDocument(), GetCurrentTest());
    m_chart.Invalidate();
    // A test chosen or cut: its summary is recomputed.
    if (m_summary)
        m_summary->FollowTest(GetCurrentTest());
}

void CNolvexView::RebuildKeepingRange()
{
    const double low = m_chart.XAxisAt(0).m_viewMin;
    const double high = m_chart.XAxisAt(0).m_viewMax;
    RebuildChart();
    m_chart.XAxisAt(0).SetFullRange(low, high);
}

CString CNolvexView::ValueText(const CNolvexTest& test, int dataType, std::int32_t sample) const
{
    return CString::Formatted("%.2lf", static_cast<double>(test.Value(dataType, sample)));
}

void CNolvexView::UpdateCumulativeValues()
{
    CNolvexTest* test = GetCurrentTest();
    if (test == nullptr)
        return;
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        auto* metric = reinterpret_cast<CNolvexMetric*>(m_list.GetRowData(row));
        if (metric == nullptr)
            continue;
        CString text;
        if (MetricCatalogue::IsCumulative(metric->dataType) && test->sampleCount > 0)
            text = ValueText(*test, metric->dataType, test->sampleCount - 1);
        m_list.SetCellText(row, kCumulativeColumn, text, metric->colour);
    }
}

// Notifications --------------------------------------------------------------

BOOL CNolvexView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header != nullptr) {
        if (header->hwndFrom == &m_chart) {
            if (header->code == XGN_CURSOR_MOVED)
                OnCursorMoved(*reinterpret_cast<const CursorNotify*>(lParam));
            m_list.UpdateWindow();
        } else if (header->hwndFrom == &m_tree &&
                   header->code == static_cast<UINT>(PROP_NOTIFY_SELECTION)) {
            RebuildChart();
            // The last values shown are the new test's.
            UpdateCumulativeValues();
        } else if (header->hwndFrom == &m_list && header->code == LIST_NOTIFY_CHOICE_DONE) {
            OnDataTypeChosen();
        } else if (header->hwndFrom == &m_list && header->code == LIST_NOTIFY_RIGHT_CLICK) {
            OnColourClicked();
            *result = 1;
            return TRUE;
        }
    }
    return CView::OnNotify(wParam, lParam, result);
}

void CNolvexView::OnCursorMoved(const CursorNotify& notify)
{
    CNolvexTest* test = GetCurrentTest();
    if (test == nullptr)
        return;
    const std::int32_t count = test->sampleCount;
    const int cursor = SampleAt(notify.cursorX);
    // The selection is the test's whatever the view's rows: Cut Selection
    // cuts what this view shows selected, also in a window without metrics.
    int start = SampleAt(notify.selectionMin);
    int end = SampleAt(notify.selectionMax);
    start = std::max(std::min(start, count - 1), 0);
    end = std::max(std::min(end, count - 1), 0);
    test->selectionStart = start;
    test->selectionEnd = end;
    if (m_summary)
        m_summary->SelectionMoved();
    const int n = end - start + 1;
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        auto* metric = reinterpret_cast<CNolvexMetric*>(m_list.GetRowData(row));
        if (metric == nullptr)
            continue;
        m_list.SetCellText(
            row, kCursorColumn,
            cursor >= 0 && cursor < count ? ValueText(*test, metric->dataType, cursor) : CString(),
            metric->colour);
        m_list.Invalidate(FALSE);

        CString average;
        if (n >= 2 && count > 0) {
            MetricCatalogue::CheckDataType(metric->dataType);
            // Straight from the test's array: a day is close to a million
            // samples a move.
            const float* values = test->values[static_cast<std::size_t>(metric->dataType)].get();
            double sum = 0.0;
            for (int i = start; i <= end; ++i)
                sum += values[i];
            average = CString::Formatted("%.2lf", sum / n);
        }
        m_list.SetCellText(row, kAverageColumn, average, metric->colour);
    }
}

void CNolvexView::OnDataTypeChosen()
{
    const int row = m_list.GetSelectedRow();
    auto* metric = reinterpret_cast<CNolvexMetric*>(m_list.GetRowData(row));
    if (metric == nullptr)
        return;
    const int found = MetricCatalogue::FindByName(m_list.GetItemText(row, kDataTypeColumn));
    metric->dataType = found >= 0 ? found : 0;
    RebuildKeepingRange();
    UpdateCumulativeValues();
}

void CNolvexView::OnColourClicked()
{
    const int row = m_list.GetSelectedRow();
    if (row < 0)
        return;
    auto* metric = reinterpret_cast<CNolvexMetric*>(m_list.GetRowData(row));
    if (metric == nullptr)
        return;
    CColorDialog dialog(0, 0, this);
    if (dialog.DoModal() != IDOK)
        return;
    metric->colour = dialog.GetColor();
    for (int column = kColourColumn; column <= kCumulativeColumn; ++column)
        m_list.SetCellTextColour(row, column, metric->colour);
    Invalidate();
    m_list.Invalidate();
    RebuildKeepingRange();
}

// Commands -------------------------------------------------------------------

bool CNolvexView::HandlesCommand(UINT id) const
{
    switch (id) {
    case ID_EDIT_ADD_METRIC:
    case ID_EDIT_REMOVE_METRIC:
    case ID_EDIT_ZOOM_IN:
    case ID_EDIT_ZOOM_OUT:
    case ID_EDIT_CUT_SELECTION:
    case ID_FILE_EXPORT_CSV:
    case ID_VIEW_EXPOSURE_SUMMARY:
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
        return true;
    default:
        return CView::HandlesCommand(id);
    }
}

BOOL CNolvexView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    try {
        switch (LOWORD(wParam)) {
        case ID_EDIT_ADD_METRIC:
            OnAddMetric();
            return TRUE;
        case ID_EDIT_REMOVE_METRIC:
            OnRemoveMetric();
            return TRUE;
        case ID_EDIT_ZOOM_IN:
            OnZoomIn();
            return TRUE;
        case ID_EDIT_ZOOM_OUT:
            OnZoomOut();
            return TRUE;
        case ID_EDIT_CUT_SELECTION:
            OnCutSelection();
            return TRUE;
        case ID_FILE_EXPORT_CSV:
            OnExportCsv();
            return TRUE;
        case ID_VIEW_EXPOSURE_SUMMARY:
            OnExposureSummary();
            return TRUE;
        case ID_NEXT_PANE:
        case ID_PREV_PANE:
            MovePaneFocus(LOWORD(wParam) == ID_NEXT_PANE);
            return TRUE;
        default:
            return CView::OnCommand(wParam, lParam);
        }
    } catch (const CException& error) {
        // As the framework reports what a command could not do.
        AfxMessageBox(error.GetErrorMessage(), MB_OK | MB_ICONEXCLAMATION);
        return TRUE;
    }
}

void CNolvexView::MovePaneFocus(bool forward)
{
    // Tree, chart, list and round again.
    CWnd* panes[] = {&m_tree.GetList(), &m_chart, &m_list};
    CWnd* focused = CWnd::GetFocus();
    int current = -1;
    for (int i = 0; i < 3; ++i)
        if (focused == panes[i] || (i == 0 && focused == &m_tree))
            current = i;
    const int next = current < 0 ? 0 : (current + (forward ? 1 : 2)) % 3;
    panes[next]->SetFocus();
}

void CNolvexView::OnAddMetric()
{
    CNolvexDoc* document = GetDocument();
    if (document == nullptr)
        return;
    CNolvexMetric* metric = document->AddMetric();
    m_list.LockWindowUpdate();
    const int row = m_list.GetItemCount();
    m_list.AddRow(row);
    m_list.SetRowData(row, reinterpret_cast<DWORD_PTR>(metric));
    m_list.SetCellText(row, kColourColumn, CString("Select"), metric->colour);
    m_list.SetCellChoice(row, kDataTypeColumn, &m_dataTypeNames, 8, 0);
    m_list.SetCellTextColour(row, kDataTypeColumn, metric->colour);
    UpdateCumulativeValues();
    m_list.UnlockWindowUpdate();
    const double low = m_chart.XAxisAt(0).m_viewMin;
    const double high = m_chart.XAxisAt(0).m_viewMax;
    RebuildChart();
    if (document->firstMetric != nullptr && document->firstMetric->next != nullptr)
        m_chart.XAxisAt(0).SetFullRange(low, high);
}

void CNolvexView::OnRemoveMetric()
{
    const int row = m_list.GetSelectedRow();
    if (row < 0)
        return;
    auto* metric = reinterpret_cast<CNolvexMetric*>(m_list.GetRowData(row));
    m_list.DeleteRow(row);
    CNolvexDoc* document = GetDocument();
    if (metric == nullptr || document == nullptr)
        return;
    // Every view keeps the time range it shows.
    std::vector<std::pair<CNolvexView*, std::pair<double, double>>> ranges;
    for (CView* view : CView::ViewsOf(document))
        if (auto* each = dynamic_cast<CNolvexView*>(view))
            ranges.push_back(
                {each, {each->m_chart.XAxisAt(0).m_viewMin, each->m_chart.XAxisAt(0).m_viewMax}});
    // Every other view of the document lets go of it first: their charts
    // plot its points and their lists may hold a row for it.
    for (const auto& [view, range] : ranges)
        if (view != this)
            view->OnMetricRemoved(metric);
    document->RemoveMetric(metric);
    for (const auto& [view, range] : ranges) {
        view->RebuildChart();
        view->m_chart.XAxisAt(0).SetFullRange(range.first, range.second);
    }
}

void CNolvexView::OnMetricRemoved(const CNolvexMetric* metric)
{
    for (int row = m_list.GetItemCount() - 1; row >= 0; --row)
        if (reinterpret_cast<const CNolvexMetric*>(m_list.GetRowData(row)) == metric)
            m_list.DeleteRow(row);
    // The chart must not keep pointing into the metric's points.
    m_chart.ClearChart();
    MetricChart::ShowPlaceholder(m_chart);
}

void CNolvexView::OnZoomIn()
{
    CXGraphAxis& x = m_chart.XAxisAt(0);
    const double low = x.m_viewMin;
    x.SetFullRange(low, low + (x.m_viewMax - low) * 0.6666666);
    m_chart.Invalidate();
}

void CNolvexView::OnZoomOut()
{
    CXGraphAxis& x = m_chart.XAxisAt(0);
    const double low = x.m_viewMin;
    x.SetFullRange(low, low + (x.m_viewMax - low) * 1.5);
    m_chart.Invalidate();
}

void CNolvexView::OnCutSelection()
{
    CNolvexTest* test = GetCurrentTest();
    if (test != nullptr) {
        if (test->selectionStart == test->selectionEnd)
            return;
        const CWaitCursor wait;
        GetDocument()->CutSelection(*test);
    }
    UpdateCumulativeValues();
    RebuildKeepingRange();
}

void CNolvexView::OnExposureSummary()
{
    if (!m_summary) {
        m_summary = std::make_unique<CExposureSummaryDlg>();
        if (!m_summary->CreateModeless(this)) {
            m_summary.reset();
            return;
        }
    } else {
        m_summary->ShowModeless();
    }
    m_summary->FollowTest(GetCurrentTest());
    // Opened, it shows the figures at once.
    m_summary->RefreshNow();
}

void CNolvexView::OnExportCsv()
{
    CNolvexTest* test = GetCurrentTest();
    if (test == nullptr)
        return;
    CFileDialog dialog(FALSE, "csv", CString(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||", this);
    if (dialog.DoModal() != IDOK)
        return;
    const CWaitCursor wait;
    CsvExport::Export(*test, GetDocument()->firstMetric, dialog.GetPathName());
}

// Printing -------------------------------------------------------------------

BOOL CNolvexView::OnPreparePrinting(CPrintInfo* info)
{
    return DoPreparePrinting(info);
}

void CNolvexView::OnDraw(CDC* dc)
{
    if (dc == nullptr || !dc->IsPrinting() || GetDocument() == nullptr)
        return;
    PrintChart(dc);
}

void CNolvexView::PrintChart(CDC* dc)
{
    const PrintLook look = MetricChart::PageLook(*GetDocument(), GetCurrentTest());
    m_printedLines.clear();
    for (const PageLine& line : look.lines)
        m_printedLines.push_back(line.text);
    m_chart.RenderToDC(dc, look);
    // The page laid the chart out on the paper: the screen's layout comes
    // back with the next paint.
    m_chart.Invalidate();
    Invalidate();
}
