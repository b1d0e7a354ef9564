// The chart demo's frame: its right-click menu reaches the chart with the
// command of the item chosen, and the dose of its sample day lies on a
// logarithmic axis.

#include "COleDateTime.h"
#include "ChartDemoFrame.h"
#include "ModalSeam.h"
#include "PersonInput.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

namespace {

// The demo's frame as the program shows it, painted once, with an answer
// for its pop-up menus: the item of a given text.
struct ShownDemo
{
    ChartDemoFrame frame;
    CXGraph& chart = frame.chart;
    CString chosenText;
    std::vector<std::vector<CMenu::Item>> menusShown;
    ScopedModalResponder responder{[this](const ModalRequest& request) -> INT_PTR {
        if (request.kind != ModalRequest::popupMenu)
            return IDCANCEL;
        const auto* menu = static_cast<const CMenu*>(request.dialogObject);
        menusShown.push_back(menu->Items());
        for (const CMenu::Item& item : menu->Items())
            if (item.text == chosenText)
                return item.id;
        ADD_FAILURE() << "the menu has no item " << chosenText.ToUtf8();
        return 0;
    }};

    ShownDemo()
    {
        EXPECT_TRUE(frame.CreateDemo(CRect(0, 0, 900, 540)));
        EXPECT_TRUE(PersonInput::ShowAndActivate(frame));
        Paint();
    }
    void Paint()
    {
        chart.Invalidate();
        chart.UpdateWindow();
    }
    void DeliverPosted()
    {
        QApplication::sendPostedEvents();
        QApplication::processEvents();
    }
    // The mouse at a point of the chart on the screen, as a person gives it.
    void Mouse(QEvent::Type type, CPoint at, Qt::MouseButton button, Qt::MouseButtons)
    {
        PersonInput::Mouse(type, PersonInput::OnScreen(chart, QPoint(at.x, at.y)), button);
    }
    // A right click at the point, then the item of that text from the menu
    // the frame shows for it.
    void Choose(CPoint at, const char* text)
    {
        chosenText = text;
        Mouse(QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
        Mouse(QEvent::MouseButtonRelease, at, Qt::RightButton, Qt::NoButton);
        DeliverPosted();
        Paint();
    }
    void DragLeft(CPoint from, CPoint to)
    {
        Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
        DeliverPosted();
        Paint();
    }
    double Midnight() const { return COleDateTime(2024, 3, 12, 0, 0, 0).m_dt; }
    // The pixel of a value at an hour of the day on a series' axes.
    CPoint At(int series, double hour, double value)
    {
        return chart.SeriesPointToPixel(chart.SeriesAt(series), {Midnight() + hour / 24.0, value});
    }
    // A point of the plot at 03:00 and 92 dB(A): no curve, label or axis
    // there.
    CPoint Empty() { return At(SeriesFastLevel, 3.0, 92.0); }
    const CMenu::Item* LastMenuItem(const char* text) const
    {
        if (menusShown.empty())
            return nullptr;
        for (const CMenu::Item& item : menusShown.back())
            if (item.text == CString(text))
                return &item;
        return nullptr;
    }
};

CXGraph* g_pageGraph = nullptr;
CXGraphAxis* g_pageAxis = nullptr;
CXGraphDataSerie* g_pageSeries = nullptr;
int g_pageRuns = 0;
void RecordChartPage(CXGraph* graph, CXGraphAxis* axis, CXGraphDataSerie* series)
{
    g_pageGraph = graph;
    g_pageAxis = axis;
    g_pageSeries = series;
    ++g_pageRuns;
}

} // namespace

TEST(ChartDemoMenuTest, EachModeItemPutsTheChartInItsModeAndIsCheckedAfterwards)
{
    ShownDemo shown;
    struct Expected
    {
        const char* text;
        int mode;
    };
    const Expected modes[] = {{"&Zoom", ModeZoom},
                              {"&Pan", ModePan},
                              {"&Cursor", ModeCursor},
                              {"&Measure", ModeMeasure},
                              {"&Edit Points", ModeEditPoints},
                              {"&Select", ModeSelect}};
    const char* previous = "&Select";
    for (const Expected& expected : modes) {
        shown.Choose(shown.Empty(), expected.text);
        EXPECT_EQ(shown.chart.GetMode(), expected.mode) << expected.text;
        // The menu just shown had the mode the chart was in checked.
        const CMenu::Item* checked = shown.LastMenuItem(previous);
        ASSERT_NE(checked, nullptr) << previous;
        EXPECT_NE(checked->flags & MF_CHECKED, 0u) << previous;
        // The item chosen named another mode than the chart's.
        const CMenu::Item* chosen = shown.LastMenuItem(expected.text);
        ASSERT_NE(chosen, nullptr);
        EXPECT_EQ(chosen->flags & MF_CHECKED, 0u) << expected.text;
        previous = expected.text;
    }
    EXPECT_EQ(shown.menusShown.size(), std::size(modes));
}

TEST(ChartDemoMenuTest, ZoomBackIsGreyedUntilAZoomAndThenRestoresTheView)
{
    ShownDemo shown;
    CXGraphAxis& time = shown.chart.XAxisAt(0);
    const double fullMin = time.m_viewMin;
    const double fullMax = time.m_viewMax;
    shown.Choose(shown.Empty(), "&Zoom");
    ASSERT_NE(shown.LastMenuItem("Zoom &Back"), nullptr);
    EXPECT_NE(shown.LastMenuItem("Zoom &Back")->flags & MF_GRAYED, 0u);

    // A band over the afternoon.
    shown.DragLeft(shown.At(SeriesFastLevel, 13.0, 95.0), shown.At(SeriesFastLevel, 17.0, 60.0));
    EXPECT_GT(time.m_viewMin, fullMin);
    EXPECT_LT(time.m_viewMax, fullMax);

    // Low in the zoomed afternoon, where no curve runs.
    shown.Choose(shown.At(SeriesFastLevel, 16.5, 62.0), "Zoom &Back");
    EXPECT_EQ(shown.LastMenuItem("Zoom &Back")->flags & MF_GRAYED, 0u);
    EXPECT_DOUBLE_EQ(time.m_viewMin, fullMin);
    EXPECT_DOUBLE_EQ(time.m_viewMax, fullMax);
}

TEST(ChartDemoMenuTest, ALinearTrendIsDrawnForTheCurveRightClicked)
{
    ShownDemo shown;
    // The dose curve in the evening runs far above the level curves.
    const CXGraphDataSerie& dose = shown.chart.SeriesAt(SeriesDose);
    const int evening = 19 * 60;
    shown.Choose(shown.chart.SeriesPointToPixel(dose, dose.m_points[evening]), "Li&near Trend");
    ASSERT_EQ(shown.chart.GetSeriesCount(), 5);
    EXPECT_EQ(shown.chart.SeriesAt(4).GetName(), CString("Dose A linear trend"));
    EXPECT_EQ(shown.chart.SeriesAt(4).m_yAxis, AxisDose);
}

TEST(ChartDemoMenuTest, InsertLabelPutsANewLabelOnTheChart)
{
    ShownDemo shown;
    const int objects = shown.chart.GetObjectCount();
    shown.Choose(shown.Empty(), "Insert &Label");
    EXPECT_EQ(shown.chart.GetObjectCount(), objects + 1);
}

TEST(ChartDemoMenuTest, PropertiesOpenTheChartPageForTheEmptyPlotRightClicked)
{
    ShownDemo shown;
    SetChartPageRunner(RecordChartPage);
    g_pageRuns = 0;
    g_pageGraph = nullptr;
    shown.Choose(shown.Empty(), "Propert&ies...");
    SetChartPageRunner(nullptr);
    EXPECT_EQ(g_pageRuns, 1);
    EXPECT_EQ(g_pageGraph, &shown.chart);
    EXPECT_EQ(g_pageAxis, nullptr);
    EXPECT_EQ(g_pageSeries, nullptr);
}

TEST(ChartDemoSampleTest, TheDoseAxisPlacesItsDecadesEvenly)
{
    ShownDemo shown;
    CXGraphAxis& doseAxis = shown.chart.YAxisAt(AxisDose);
    EXPECT_EQ(doseAxis.m_linear, 0);
    // The running dose rises over decades; whole decades hold all of it.
    const CXGraphDataSerie& dose = shown.chart.SeriesAt(SeriesDose);
    EXPECT_LE(doseAxis.m_viewMin, dose.m_points[0].fYVal);
    EXPECT_GE(doseAxis.m_viewMax, dose.m_points[dose.m_count - 1].fYVal);
    const int y1 = shown.At(SeriesDose, 12, 0.01).y;
    const int y2 = shown.At(SeriesDose, 12, 0.1).y;
    const int y3 = shown.At(SeriesDose, 12, 1.0).y;
    const int y4 = shown.At(SeriesDose, 12, 10.0).y;
    EXPECT_GT(y1 - y2, 20);
    EXPECT_NEAR(y1 - y2, y2 - y3, 1);
    EXPECT_NEAR(y2 - y3, y3 - y4, 1);
}
