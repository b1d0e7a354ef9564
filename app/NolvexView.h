#pragma once

#include "CBrush.h"
#include "CView.h"
#include "PropTree.h"
#include "ResourceIds.h"
#include "SimpleSplitter.h"
#include "XGraph.h"
#include "XListCtrl.h"

#include <memory>

class CExposureSummaryDlg;
class CNolvexDoc;
class CNolvexMetric;
class CNolvexTest;

// The analysis view of one document: the tree of its tests on the left, the
// chart of the metrics on display for the chosen test on the right, and the
// value list below the chart with the cursor, selection and cumulative
// values of each metric.
class CNolvexView : public CView
{
public:
    // The value list's columns.
    enum Column
    {
        kColourColumn = 0,
        kDataTypeColumn = 1,
        kCursorColumn = 2,
        kAverageColumn = 3,
        kCumulativeColumn = 4
    };

    CNolvexView();
    ~CNolvexView() override;

    CNolvexDoc* GetDocument() const;
    // The test of the focused tree row, or null.
    CNolvexTest* GetCurrentTest() const;

    void OnInitialUpdate() override;
    bool HandlesCommand(UINT id) const override;
    void OnDraw(CDC* dc) override;

    // Refills the chart from the current test and the document's metrics.
    void RebuildChart();
    // Refills the "Cumulative Value" column.
    void UpdateCumulativeValues();

    // The commands.
    void OnAddMetric();
    void OnRemoveMetric();
    void OnZoomIn();
    void OnZoomOut();
    void OnCutSelection();
    void OnExportCsv();
    // F6 and Shift+F6: the keyboard focus to the next or previous pane.
    void MovePaneFocus(bool forward);
    // View > Exposure Summary: opens the view's summary window, or shows it
    // again.
    void OnExposureSummary();

    // Another view of the document removed this metric: its rows go and
    // the chart no longer plots it.
    void OnMetricRemoved(const CNolvexMetric* metric);

    CPropTree& GetTree() { return m_tree; }
    CXGraph& GetChart() { return m_chart; }
    CXListCtrl& GetList() { return m_list; }
    CSimpleSplitter* GetOuterSplitter() { return m_outer.get(); }
    CSimpleSplitter* GetInnerSplitter() { return m_inner.get(); }
    // The view's summary window, null until it is first opened.
    CExposureSummaryDlg* GetExposureSummary() { return m_summary.get(); }
    // The value lines the last print put on the page.
    const std::vector<CString>& GetPrintedLines() const { return m_printedLines; }

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnPreparePrinting(CPrintInfo* info) override;

private:
    void OnCursorMoved(const CursorNotify& notify);
    void OnDataTypeChosen();
    void OnColourClicked();
    void PrintChart(CDC* dc);
    // Saves X axis 0's view range, rebuilds, and puts the range back.
    void RebuildKeepingRange();
    CString ValueText(const CNolvexTest& test, int dataType, std::int32_t sample) const;

    CBrush m_treeBrush;
    CBrush m_secondBrush;
    CBrush m_faceBrush;
    CPropTree m_tree;
    CXGraph m_chart;
    CXListCtrl m_list;
    std::unique_ptr<CSimpleSplitter> m_outer;
    std::unique_ptr<CSimpleSplitter> m_inner;
    CStringArray m_dataTypeNames;
    std::vector<CString> m_printedLines;
    std::unique_ptr<CExposureSummaryDlg> m_summary;
};
