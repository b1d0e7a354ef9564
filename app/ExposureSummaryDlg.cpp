#include "ExposureSummaryDlg.h"

#include "Clipboard.h"
#include "DialogControlIds.h"
#include "NolvexTest.h"
#include "Resources.h"

#include <algorithm>
#include <vector>

namespace {

constexpr UINT_PTR kRefreshTimer = 1;

} // namespace

std::vector<CExposureSummaryDlg::TableLine>
CExposureSummaryDlg::BuildLines(const ExposureSummary& test,
                                const std::optional<ExposureSummary>& selection)
{
    const std::vector<ExposureSummaryRow> testRows = BuildExposureSummaryRows(test);
    std::vector<ExposureSummaryRow> selectionRows;
    if (selection)
        selectionRows = BuildExposureSummaryRows(*selection);
    std::vector<TableLine> lines;
    for (std::size_t i = 0; i < testRows.size(); ++i) {
        const ExposureSummaryRow& row = testRows[i];
        if (i == 0 || row.section != testRows[i - 1].section)
            lines.push_back({true, CString::FromUtf8(row.section), {}, {}, {}});
        lines.push_back(
            {false, CString::FromUtf8(row.figure), CString::FromUtf8(row.unit),
             CString::FromUtf8(row.value),
             i < selectionRows.size() ? CString::FromUtf8(selectionRows[i].value) : CString()});
    }
    return lines;
}

CExposureSummaryDlg::CExposureSummaryDlg() : CDialog(Resources::IDD_EXPOSURE_SUMMARY)
{
    Resources::RegisterExposureSummaryTemplate();
    m_dialogName = "CExposureSummaryDlg";
}

CExposureSummaryDlg::~CExposureSummaryDlg()
{
    // The table goes before the window that holds it.
    if (m_table.GetSafeHwnd() != nullptr)
        m_table.DestroyWindow();
}

BOOL CExposureSummaryDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_table.Create(
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
            GetTemplateRect(IDC_EXPOSURE_SUMMARY_TABLE), this, IDC_EXPOSURE_SUMMARY_TABLE))
        return FALSE;
    m_table.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_table.InsertColumn(kFigureColumn, "Figure", LVCFMT_LEFT, 166);
    m_table.InsertColumn(kUnitColumn, "Unit", LVCFMT_LEFT, 80);
    m_table.InsertColumn(kTestColumn, "Test", LVCFMT_RIGHT, 130);
    m_table.InsertColumn(kSelectionColumn, "Selection", LVCFMT_RIGHT, 130);
    FillTable();
    return TRUE;
}

void CExposureSummaryDlg::FollowTest(const CNolvexTest* test)
{
    m_test = test;
    m_testChanged = true;
    ScheduleRefresh();
}

void CExposureSummaryDlg::SelectionMoved()
{
    // A cursor move that leaves the selection and the data as they were at
    // the last move costs nothing more; a change puts the work off again.
    const std::optional<SampleRange> selection = CurrentSelection();
    const std::int32_t sampleCount = m_test != nullptr ? m_test->sampleCount : -1;
    if (selection == m_lastSelection && sampleCount == m_lastSampleCount)
        return;
    m_lastSelection = selection;
    m_lastSampleCount = sampleCount;
    ScheduleRefresh();
}

void CExposureSummaryDlg::ScheduleRefresh()
{
    // Each change puts the work off again: it is done once the changes
    // pause.
    KillTimer(kRefreshTimer);
    SetTimer(kRefreshTimer, kRefreshDelayMs);
}

void CExposureSummaryDlg::OnTimer(UINT_PTR id)
{
    if (id != kRefreshTimer) {
        CDialog::OnTimer(id);
        return;
    }
    RefreshNow();
}

std::optional<CExposureSummaryDlg::SampleRange> CExposureSummaryDlg::CurrentSelection() const
{
    // A selection as Cut Selection takes it: two ends apart.
    if (m_test == nullptr || m_test->selectionStart == m_test->selectionEnd)
        return std::nullopt;
    return SampleRange{std::min(m_test->selectionStart, m_test->selectionEnd),
                       std::max(m_test->selectionStart, m_test->selectionEnd)};
}

void CExposureSummaryDlg::RefreshNow()
{
    KillTimer(kRefreshTimer);
    // Hidden, the window waits: showing it again follows the test anew.
    if (!IsWindowVisible())
        return;
    const std::int32_t sampleCount = m_test != nullptr ? m_test->sampleCount : -1;
    if (m_testChanged || sampleCount != m_shownSampleCount) {
        m_testSummary.reset();
        if (m_test != nullptr)
            m_testSummary = SummarizeExposure(*m_test);
        m_shownSampleCount = sampleCount;
        m_testChanged = false;
    }
    m_shownSelection = CurrentSelection();
    m_lastSelection = m_shownSelection;
    m_lastSampleCount = m_shownSampleCount;
    m_selectionSummary.reset();
    if (m_shownSelection)
        m_selectionSummary =
            SummarizeExposure(*m_test, m_shownSelection->first, m_shownSelection->last);
    FillTable();
}

void CExposureSummaryDlg::FillTable()
{
    if (m_table.GetSafeHwnd() == nullptr)
        return;
    SetDlgItemText(IDC_EXPOSURE_SUMMARY_TEST, m_test != nullptr ? CString("Test: ") + m_test->name
                                                                : CString("No test chosen"));
    m_lines = BuildLines(m_testSummary.value_or(ExposureSummary{}), m_selectionSummary);
    if (m_test == nullptr)
        for (TableLine& line : m_lines)
            line.testValue = CString();
    const std::vector<TableLine>& lines = m_lines;
    // The lines are always the same figures: their texts change in place,
    // so that the table keeps where it is scrolled to.
    if (m_table.GetItemCount() != static_cast<int>(lines.size())) {
        while (m_table.GetItemCount() > 0)
            m_table.DeleteItem(0);
        for (std::size_t i = 0; i < lines.size(); ++i)
            m_table.InsertItem(static_cast<int>(i), lines[i].figure);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int row = static_cast<int>(i);
        // Figures stand indented under their section.
        m_table.SetItemText(row, kFigureColumn,
                            lines[i].section ? lines[i].figure : CString("    ") + lines[i].figure);
        m_table.SetItemText(row, kUnitColumn, lines[i].unit);
        m_table.SetItemText(row, kTestColumn, lines[i].testValue);
        m_table.SetItemText(row, kSelectionColumn, lines[i].selectionValue);
    }
    m_table.Invalidate(FALSE);
}

CString CExposureSummaryDlg::TableText() const
{
    CString text("Figure\tUnit\tTest\tSelection\n");
    for (const TableLine& line : m_lines) {
        text += line.section ? line.figure + "\n"
                             : line.figure + "\t" + line.unit + "\t" + line.testValue + "\t" +
                                   line.selectionValue + "\n";
    }
    return text;
}

BOOL CExposureSummaryDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_EXPOSURE_SUMMARY_COPY && HIWORD(wParam) == BN_CLICKED) {
        SetClipboardText(TableText());
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}
