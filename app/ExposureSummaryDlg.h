#pragma once

#include "CDialog.h"
#include "CListCtrl.h"
#include "ExposureSummary.h"

#include <cstdint>
#include <optional>
#include <vector>

class CNolvexTest;

// The Exposure Summary window of an analysis view: a modeless table of the
// exposure figures of the view's test and, beside them, of its chart
// selection. The view tells it when its test or the test's data changed and
// when the selection may have moved; it recomputes a moment after the last
// such change, so that dragging a selection over a day-long test stays as
// quick as without it.
class CExposureSummaryDlg : public CDialog
{
public:
    // The wait after the last change before the figures are recomputed.
    static constexpr UINT kRefreshDelayMs = 150;
    // The table's columns.
    enum Column
    {
        kFigureColumn = 0,
        kUnitColumn = 1,
        kTestColumn = 2,
        kSelectionColumn = 3
    };

    CExposureSummaryDlg();
    ~CExposureSummaryDlg() override;

    // The test to summarise (null for none) or its data changed: both
    // columns are recomputed.
    void FollowTest(const CNolvexTest* test);
    // The chart's selection may have moved: its column is recomputed when
    // it did.
    void SelectionMoved();
    // Recomputes now what is waiting.
    void RefreshNow();

    // The table as tab-separated lines: a heading line, then one line per
    // figure, sections on lines of their own.
    CString TableText() const;
    const CListCtrl& GetTable() const { return m_table; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR id) override;

private:
    // A line of the table: a section's name, or a figure with its unit and
    // its values for the test and the selection.
    struct TableLine
    {
        bool section = false;
        CString figure;
        CString unit;
        CString testValue;
        CString selectionValue;
    };
    static std::vector<TableLine> BuildLines(const ExposureSummary& test,
                                             const std::optional<ExposureSummary>& selection);

    // The samples of the selection, when the chart has one.
    struct SampleRange
    {
        std::int32_t first = 0;
        std::int32_t last = 0;
        bool operator==(const SampleRange&) const = default;
    };
    std::optional<SampleRange> CurrentSelection() const;
    void ScheduleRefresh();
    void FillTable();

    CListCtrl m_table;
    const CNolvexTest* m_test = nullptr;
    bool m_testChanged = true;
    // What the table shows now.
    std::optional<ExposureSummary> m_testSummary;
    std::optional<ExposureSummary> m_selectionSummary;
    std::int32_t m_shownSampleCount = -1;
    std::optional<SampleRange> m_shownSelection;
    // The selection and the sample count the view last told of.
    std::optional<SampleRange> m_lastSelection;
    std::int32_t m_lastSampleCount = -1;
    std::vector<TableLine> m_lines;
};
