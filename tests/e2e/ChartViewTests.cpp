// The analysis view's chart under a person's hand: the right button pans
// the curves in cursor mode, and only while it is held and moved.

#include "ProgramSession.h"

namespace {

class ChartViewTest : public ProgramTest
{
protected:
    unsigned long window = 0;
    ViewPanes panes;

    void OpenWithAMetric()
    {
        const std::string path = MakeRecording("chart.nolvex", 120);
        StartNolvex({path});
        window = WaitForWindow("Nolvex - ");
        ASSERT_NE(window, 0u);
        Desktop().Key("alt+e");
        Desktop().Key("Return");
        Desktop().Settle(300);
        panes = FindPanes(window);
        ASSERT_TRUE(panes.Found());
    }
    // The chart's bottom and left edges, where the axes' labels stand: they
    // change when the curves are panned, not when the cursor moves.
    QImage AxisLabels()
    {
        const QImage chart = Desktop().Screenshot(panes.chart);
        QImage labels(chart.width(), 110, QImage::Format_RGB32);
        labels.fill(Qt::white);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < chart.width(); ++x)
                labels.setPixel(x, y, chart.pixel(x, chart.height() - 60 + y));
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 60; ++x)
                labels.setPixel(x, 60 + y, chart.pixel(x, chart.height() / 2 + y));
        return labels;
    }
    // A right press, one move of a pixel and the release.
    void RightPress(QPoint at)
    {
        Desktop().MoveTo(at);
        Desktop().Press(3);
        Desktop().MoveTo(at + QPoint(1, 0));
        Desktop().Release(3);
        Desktop().Settle(200);
    }
};

} // namespace

TEST_F(ChartViewTest, RightPressesWithoutADragMoveNothingAndARightDragPans)
{
    OpenWithAMetric();
    const QImage before = AxisLabels();
    const QPoint centre = panes.chart.center();
    RightPress(centre + QPoint(-150, 40));
    Desktop().MoveTo(centre + QPoint(150, -40));
    Desktop().Settle(100);
    RightPress(centre + QPoint(150, -40));
    // Away from the chart, so that nothing follows the pointer.
    Desktop().MoveTo(panes.tree.center());
    Desktop().Settle(200);
    EXPECT_EQ(AxisLabels(), before) << "the axes moved without a drag";
    SaveScreenshot("chart-right-presses");

    // Held and moved, the right button pans the time and the value axes.
    Desktop().MoveTo(centre);
    Desktop().Press(3);
    for (int step = 1; step <= 6; ++step)
        Desktop().MoveTo(centre + QPoint(-20 * step, 10 * step));
    Desktop().Release(3);
    Desktop().MoveTo(panes.tree.center());
    Desktop().Settle(300);
    EXPECT_NE(AxisLabels(), before) << "a right drag did not pan";
    SaveScreenshot("chart-right-drag");
}
