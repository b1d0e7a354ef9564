// The analysis view's chart under a person's hand: the right button pans
// the curves in cursor mode, and only while it is held and moved; a printed
// selection shows the curves inside it.

#include "PdfPages.h"
#include "ProgramSession.h"

#include <QColor>
#include <QFile>

namespace {

class ChartViewTest : public ProgramTest
{
protected:
    unsigned long window = 0;
    ViewPanes panes;

    void OpenWithAMetric()
    {
        window = ProgramTest::OpenWithAMetric(MakeRecording("chart.nolvex", 120), panes);
        ASSERT_NE(window, 0u);
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

TEST_F(ChartViewTest, APrintedSelectionShowsTheCurveInsideTheBand)
{
    OpenWithAMetric();
    // A span selected with the mouse, as on the screen.
    const int row = panes.chart.top() + panes.chart.height() / 3;
    Desktop().Drag(QPoint(panes.chart.left() + panes.chart.width() / 4, row),
                   QPoint(panes.chart.left() + panes.chart.width() / 2, row));
    Desktop().Settle(200);
    // File > Print, and Print in the print dialog: the PDF printer writes
    // print.pdf in the home folder.
    Desktop().Key("ctrl+p");
    const unsigned long dialog = WaitForOtherWindow(window);
    ASSERT_NE(dialog, 0u) << "no print dialog";
    SaveScreenshot("print-dialog");
    Desktop().Key("Return");
    ASSERT_TRUE(WaitForOnly(window));
    const QString path = QString::fromStdString(Home() + "/print.pdf");
    ASSERT_TRUE(XDesktop::WaitUntil([&] { return QFile(path).size() > 0; }));
    Desktop().Settle(500);

    const QImage page = PdfPages::FirstPage(path, 72);
    ASSERT_FALSE(page.isNull());
    page.save(QString::fromStdString(ScreenshotPath("printed-selection")));
    // The curve is red outside the band and, inside the dark band, in the
    // colour the band's inversion makes of red (near cyan).
    int red = 0;
    int cyan = 0;
    int dark = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor pixel = page.pixelColor(x, y);
            red += pixel.red() > 200 && pixel.green() < 80 && pixel.blue() < 80 ? 1 : 0;
            cyan += pixel.red() < 80 && pixel.green() > 200 && pixel.blue() > 200 ? 1 : 0;
            dark += qGray(pixel.rgb()) < 30 ? 1 : 0;
        }
    EXPECT_GT(red, 200);
    EXPECT_GT(cyan, 100) << "no curve inside the band";
    EXPECT_GT(dark, 5000) << "no band";
}
