// The chart properties sheet: which tab it opens on and with what, the tab
// switching, the Chart tab's lists choosing what the other tabs edit, and
// the tabs' OK and Cancel ending the sheet.

#include "AxisDlg.h"
#include "ChartDialogRunners.h"
#include "ChartDialogTemplates.h"
#include "ChartDialogs.h"
#include "ChartDlg.h"
#include "ChartPage.h"
#include "ChartTestChart.h"
#include "CurveDlg.h"
#include "DialogControlIds.h"
#include "ModalSeam.h"
#include "PersonInput.h"

#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>

using chartdlgtest::Choose;
using chartdlgtest::ThreeSeriesChart;

namespace {

// Runs the sheet through the chart's runner; the answer looks at the open
// sheet and says which button ends it.
INT_PTR RunSheet(CXGraph& chart, CXGraphAxis* axis, CXGraphDataSerie* series,
                 const std::function<INT_PTR(CChartPage&)>& answer)
{
    InstallChartDialogs();
    INT_PTR result = -1;
    int sheets = 0;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        if (request.text != CString("CChartPage"))
            return IDOK;
        ++sheets;
        EXPECT_EQ(request.templateId, Resources::IDD_CHART_PAGE);
        result = answer(*static_cast<CChartPage*>(request.dialogObject));
        return result;
    });
    RunChartPage(&chart, axis, series);
    EXPECT_EQ(sheets, 1);
    SetChartPageRunner(nullptr);
    return result;
}

void Press(CDialog& dialog, UINT id)
{
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.GetDlgItem(id)));
}

// The sheet, telling whether it was ended.
class ObservedChartPage : public CChartPage
{
public:
    using CChartPage::CChartPage;
    using CDialog::IsEnded;
};

bool Shown(CDialog* tab)
{
    return (tab->GetStyle() & WS_VISIBLE) != 0 && tab->IsWindowEnabled();
}

} // namespace

TEST(ChartPageTest, EmptyChartAreaOpensOnChartWithTheFirstAxisAndSeriesInTheOtherTabs)
{
    ThreeSeriesChart shown;
    RunSheet(shown.chart, nullptr, nullptr, [&](CChartPage& page) {
        CDialogItem* tabs = page.GetDlgItem(IDC_CHART_PAGE_TABS);
        EXPECT_EQ(tabs->GetCount(), 3);
        EXPECT_EQ(chartdlgtest::EntryText(tabs, 0), CString("Chart"));
        EXPECT_EQ(chartdlgtest::EntryText(tabs, 1), CString("Axis"));
        EXPECT_EQ(chartdlgtest::EntryText(tabs, 2), CString("Curve"));
        EXPECT_EQ(tabs->GetCurSel(), 0);
        EXPECT_EQ(page.GetShownTab(), 0);
        EXPECT_TRUE(Shown(page.m_pChartTab));
        EXPECT_FALSE(Shown(page.m_pAxisTab));
        EXPECT_EQ(page.m_pAxisTab->m_pAxis, &shown.chart.YAxisAt(0));
        EXPECT_EQ(page.m_pCurveTab->m_pSeries, &shown.chart.SeriesAt(0));
        EXPECT_EQ(page.m_pAxisTab->GetDlgItemText(IDC_AXIS_TITLE), CString("dB"));
        EXPECT_EQ(page.m_pCurveTab->GetDlgItemText(IDC_CURVE_NAME), CString("LAF"));
        // The Chart tab's lists show them.
        EXPECT_EQ(page.m_pChartTab->GetDlgItem(IDC_CHART_Y_AXIS)->GetCurSel(), 0);
        EXPECT_EQ(page.m_pChartTab->GetDlgItem(IDC_CHART_X_AXIS)->GetCurSel(), -1);
        EXPECT_EQ(page.m_pChartTab->GetDlgItem(IDC_CHART_SERIES)->GetCurSel(), 0);
        // The tab sits below the tab strip, without a caption.
        CRect where;
        page.m_pChartTab->GetWindowRect(&where);
        page.GetDlgItem(IDC_CHART_PAGE_TABS)->ScreenToClient(&where);
        EXPECT_EQ(where.TopLeft(), CPoint(8, 25));
        EXPECT_EQ(page.m_pChartTab->GetStyle() & WS_CAPTION, 0u);
        return IDCANCEL;
    });
}

TEST(ChartPageTest, ASeriesOpensOnCurveAndAnAxisOnAxis)
{
    ThreeSeriesChart shown;
    RunSheet(shown.chart, nullptr, &shown.chart.SeriesAt(1), [&](CChartPage& page) {
        EXPECT_EQ(page.GetShownTab(), 2);
        EXPECT_EQ(page.GetDlgItem(IDC_CHART_PAGE_TABS)->GetCurSel(), 2);
        EXPECT_EQ(page.m_pCurveTab->GetDlgItemText(IDC_CURVE_NAME), CString("LCpeak"));
        EXPECT_EQ(page.m_pChartTab->GetDlgItem(IDC_CHART_SERIES)->GetCurSel(), 1);
        return IDCANCEL;
    });
    RunSheet(shown.chart, &shown.chart.XAxisAt(0), nullptr, [&](CChartPage& page) {
        EXPECT_EQ(page.GetShownTab(), 1);
        EXPECT_EQ(page.m_pAxisTab->GetDlgItemText(IDC_AXIS_TITLE), CString("Time"));
        EXPECT_EQ(page.m_pChartTab->GetDlgItem(IDC_CHART_X_AXIS)->GetCurSel(), 0);
        EXPECT_EQ(page.m_pChartTab->GetDlgItem(IDC_CHART_Y_AXIS)->GetCurSel(), -1);
        return IDCANCEL;
    });
}

TEST(ChartPageTest, ChangingTabsShowsOnlyTheChosenOne)
{
    ThreeSeriesChart shown;
    RunSheet(shown.chart, nullptr, nullptr, [&](CChartPage& page) {
        CDialogItem* tabs = page.GetDlgItem(IDC_CHART_PAGE_TABS);
        tabs->SetCurSel(2);
        NMHDR header{tabs, IDC_CHART_PAGE_TABS, TCN_SELCHANGE};
        page.SendMessage(WM_NOTIFY, IDC_CHART_PAGE_TABS, reinterpret_cast<LPARAM>(&header));
        EXPECT_TRUE(Shown(page.m_pCurveTab));
        EXPECT_FALSE(Shown(page.m_pChartTab));
        EXPECT_FALSE(Shown(page.m_pAxisTab));
        EXPECT_EQ(page.GetShownTab(), 2);
        return IDCANCEL;
    });
}

TEST(ChartPageTest, TheChartTabsListsChooseWhatTheOtherTabsEdit)
{
    ThreeSeriesChart shown;
    RunSheet(shown.chart, nullptr, nullptr, [&](CChartPage& page) {
        CChartDlg& chartTab = *page.m_pChartTab;
        Choose(chartTab, IDC_CHART_X_AXIS, 0);
        EXPECT_EQ(page.m_pCurrentAxis, &shown.chart.XAxisAt(0));
        EXPECT_EQ(page.m_pAxisTab->m_pAxis, &shown.chart.XAxisAt(0));
        EXPECT_EQ(page.m_pAxisTab->GetDlgItemText(IDC_AXIS_TITLE), CString("Time"));
        EXPECT_EQ(chartTab.GetDlgItem(IDC_CHART_Y_AXIS)->GetCurSel(), -1);
        EXPECT_TRUE(shown.chart.XAxisAt(0).m_selected);
        Choose(chartTab, IDC_CHART_Y_AXIS, 0);
        EXPECT_EQ(page.m_pCurrentAxis, &shown.chart.YAxisAt(0));
        EXPECT_EQ(chartTab.GetDlgItem(IDC_CHART_X_AXIS)->GetCurSel(), -1);
        EXPECT_TRUE(shown.chart.YAxisAt(0).m_selected);
        Choose(chartTab, IDC_CHART_SERIES, 2);
        EXPECT_EQ(page.m_pCurrentSeries, &shown.chart.SeriesAt(2));
        EXPECT_EQ(page.m_pCurveTab->GetDlgItemText(IDC_CURVE_NAME), CString("TWA"));
        EXPECT_TRUE(shown.chart.SeriesAt(2).m_selected);
        return IDCANCEL;
    });
}

TEST(ChartPageTest, OkInATabAppliesAndEndsTheSheetAndCancelKeepsWhatWasApplied)
{
    ThreeSeriesChart shown;
    shown.chart.SetSnapRange(10);
    shown.chart.SetDoubleBuffer(true);
    // Each answer is the other button: it counts only if the button pressed
    // did not end the sheet.
    RunSheet(shown.chart, nullptr, nullptr, [&](CChartPage& page) {
        page.m_pChartTab->SetDlgItemText(IDC_CHART_SNAP_DISTANCE, "33");
        Press(*page.m_pChartTab, IDOK);
        return IDCANCEL;
    });
    EXPECT_EQ(shown.chart.GetSnapRange(), 33);

    RunSheet(shown.chart, nullptr, nullptr, [&](CChartPage& page) {
        CChartDlg& chartTab = *page.m_pChartTab;
        chartTab.CheckDlgButton(IDC_CHART_DOUBLE_BUFFER, 0);
        Press(chartTab, IDC_CHART_DOUBLE_BUFFER);
        Press(chartTab, IDC_APPLY);
        chartTab.SetDlgItemText(IDC_CHART_SNAP_DISTANCE, "77");
        Press(chartTab, IDCANCEL);
        return IDOK;
    });
    EXPECT_FALSE(shown.chart.IsDoubleBuffered());
    EXPECT_EQ(shown.chart.GetSnapRange(), 33);
}

TEST(ChartPageTest, AValueThatDoesNotPassKeepsTheSheetOpen)
{
    ThreeSeriesChart shown;
    shown.chart.SetSnapRange(10);
    RunSheet(shown.chart, nullptr, nullptr, [&](CChartPage& page) {
        // The range message is answered by the same responder.
        page.m_pChartTab->SetDlgItemText(IDC_CHART_SNAP_DISTANCE, "500");
        Press(*page.m_pChartTab, IDOK);
        EXPECT_EQ(shown.chart.GetSnapRange(), 10);
        // Still open: the answer OK takes the value put right.
        page.m_pChartTab->SetDlgItemText(IDC_CHART_SNAP_DISTANCE, "40");
        return IDOK;
    });
    EXPECT_EQ(shown.chart.GetSnapRange(), 40);
}

TEST(ChartPageTest, TheChartTabListsTheSeriesTheCurveTabAdded)
{
    ThreeSeriesChart shown;
    InstallChartDialogs();
    int sheets = 0;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        if (request.text != CString("CChartPage"))
            return IDOK;
        ++sheets;
        auto& page = *static_cast<CChartPage*>(request.dialogObject);
        // The moving average of the second series, answered with OK.
        Press(*page.m_pCurveTab, IDC_CURVE_ADD_MOVING_AVERAGE);
        EXPECT_EQ(shown.chart.GetSeriesCount(), 4);
        page.ShowTab(0);
        CDialogItem* list = page.m_pChartTab->GetDlgItem(IDC_CHART_SERIES);
        EXPECT_EQ(list->GetCount(), 4);
        EXPECT_EQ(list->GetCurSel(), 1);
        EXPECT_EQ(page.m_pCurrentSeries, &shown.chart.SeriesAt(1));
        return IDCANCEL;
    });
    RunChartPage(&shown.chart, nullptr, &shown.chart.SeriesAt(1));
    EXPECT_EQ(sheets, 1);
    SetChartPageRunner(nullptr);
}

TEST(ChartPageTest, AColourPopUpTakesClicksWhileTheSheetRunsModally)
{
    ThreeSeriesChart shown;
    ChartColours colours = shown.chart.GetColours();
    colours.background = RGB(255, 255, 255);
    shown.chart.SetColours(colours);
    CChartPage page(&shown.chart);
    page.m_pGraph = &shown.chart;
    COLORREF chosen = 0;
    bool applyEnabled = false;
    QTimer::singleShot(0, [&] {
        // Clicks go through the window system, where a modal dialog blocks
        // the windows that do not belong to it.
        CColorButton& button = page.m_pChartTab->m_backgroundButton;
        PersonInput::Click(PersonInput::OnScreen(button, QPoint(10, 10)));
        if (CColourPopup* popup = button.GetPopup()) {
            const CPoint entry = popup->GetEntryRect(5).CenterPoint();
            PersonInput::Click(PersonInput::OnScreen(*popup, QPoint(entry.x, entry.y)));
        }
        chosen = button.GetColour();
        applyEnabled = page.m_pChartTab->GetDlgItem(IDC_APPLY)->IsWindowEnabled() != FALSE;
        page.EndDialog(IDCANCEL);
    });
    page.DoModal();
    EXPECT_NE(chosen, RGB(255, 255, 255));
    EXPECT_TRUE(applyEnabled);
}

TEST(ChartPageTest, TabReachesTheColourButtonsAndTheirPopUpsKeepTheirKeys)
{
    ThreeSeriesChart shown;
    ChartColours colours = shown.chart.GetColours();
    colours.background = RGB(255, 255, 255);
    shown.chart.SetColours(colours);
    ObservedChartPage page(&shown.chart);
    page.m_pGraph = &shown.chart;
    std::vector<CWnd*> reached;
    bool popupOpened = false;
    bool openAfterReturn = true;
    bool sheetOpenAfterPopupKeys = false;
    COLORREF chosen = 0;
    QTimer::singleShot(0, [&] {
        if (!QTest::qWaitForWindowActive(page.GetHostWidget(), 2000)) {
            page.EndDialog(-2);
            return;
        }
        CColorButton& background = page.m_pChartTab->m_backgroundButton;
        for (int i = 0; i < 30; ++i) {
            PersonInput::Key(Qt::Key_Tab);
            reached.push_back(CWnd::GetFocus());
        }
        for (int i = 0; i < 30 && CWnd::GetFocus() != &background; ++i)
            PersonInput::Key(Qt::Key_Tab);
        if (CWnd::GetFocus() != &background) {
            page.EndDialog(-2);
            return;
        }
        // Space opens the pop-up; its keys are its own: Left moves (from
        // white, the last cell, to lavender), Enter takes the colour without
        // ending the sheet.
        PersonInput::Key(Qt::Key_Space);
        popupOpened = background.GetPopup() != nullptr;
        PersonInput::Key(Qt::Key_Left);
        PersonInput::Key(Qt::Key_Return);
        openAfterReturn = background.GetPopup() != nullptr;
        chosen = background.GetColour();
        // Escape in a pop-up closes the pop-up, not the sheet.
        PersonInput::Key(Qt::Key_Space);
        PersonInput::Key(Qt::Key_Escape);
        QCoreApplication::processEvents();
        sheetOpenAfterPopupKeys = !page.IsEnded();
        PersonInput::Key(Qt::Key_Escape);
        if (!page.IsEnded())
            page.EndDialog(-2);
    });
    EXPECT_EQ(page.DoModal(), IDCANCEL);
    const auto has = [&reached](CWnd* window) {
        return std::find(reached.begin(), reached.end(), window) != reached.end();
    };
    EXPECT_TRUE(has(&page.m_pChartTab->m_backgroundButton));
    EXPECT_TRUE(has(&page.m_pChartTab->m_frameButton));
    EXPECT_TRUE(has(&page.m_pChartTab->m_plotButton));
    EXPECT_TRUE(popupOpened);
    EXPECT_FALSE(openAfterReturn);
    EXPECT_EQ(chosen, RGB(230, 230, 250));
    EXPECT_TRUE(sheetOpenAfterPopupKeys);
}
