// The chart window: its series and axes, objects, commands and
// notifications, the layout and painting of a paint, and printing.

#include "CPrintDialog.h"
#include "ChartTestSupport.h"
#include "DCEx.h"
#include "ModalSeam.h"
#include "PdfPages.h"
#include "WindowDC.h"
#include "XGraphDataNotation.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <cstdlib>
#include <cstring>

using namespace charttest;

namespace {

bool IsDark(COLORREF colour)
{
    return GetRValue(colour) < 60 && GetGValue(colour) < 60 && GetBValue(colour) < 60;
}

// Attaches dc to a PDF printer writing to path and starts its document.
void StartPdfDocument(QPrinter& printer, CDC& dc, const QString& path, int dotsPerInch)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(dotsPerInch);
    ASSERT_TRUE(dc.AttachPrinter(&printer));
    DOCINFO info{};
    info.cbSize = sizeof(DOCINFO);
    ASSERT_GT(dc.StartDoc(&info), 0);
}

// A printed chart paints its window again in its own look: the plot's grey
// where no curve passes.
void ExpectItPaintsTheScreenAsBefore(PlainChart& shown)
{
    shown.Paint();
    const CPoint aboveTheCurve = shown.chart.SeriesPointToPixel(shown.chart.SeriesAt(0), {10, 9});
    EXPECT_EQ(shown.At(aboveTheCurve.x, aboveTheCurve.y), RGB(240, 240, 240));
}

} // namespace

TEST(ChartWindowTest, TheWindowClassIsRegisteredOnceWithItsStyles)
{
    CXGraph first;
    CXGraph second;
    WNDCLASS windowClass;
    ASSERT_TRUE(GetClassInfo(CXGraph::kClassName, &windowClass));
    EXPECT_EQ(windowClass.style, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
}

TEST(ChartWindowTest, TheScrollBarRunsFifteenPixelsHighAlongTheBottom)
{
    ShownChart shown(400, 300);
    ASSERT_NE(shown.chart.GetScrollBar().GetSafeHwnd(), nullptr);
    EXPECT_EQ(shown.chart.GetScrollBar().GetDlgCtrlID(), 12345);
    CRect bar;
    shown.chart.GetScrollBar().GetWindowRect(&bar);
    shown.chart.ScreenToClient(&bar);
    EXPECT_EQ(bar, CRect(0, 285, 400, 300));
}

TEST(SeriesDataTest, TheFirstSeriesMakesItsAxesAndScrollRange)
{
    ShownChart shown;
    std::vector<DataPoint> points = Line(601, 0, 0.1, 40, 0.05);
    CXGraphDataSerie* series = shown.chart.SetSeriesData(points.data(), 601, 0, 0, 0, false);
    ASSERT_NE(series, nullptr);
    EXPECT_EQ(shown.chart.GetSeriesCount(), 1);
    EXPECT_EQ(shown.chart.GetXAxisCount(), 1);
    EXPECT_EQ(shown.chart.GetYAxisCount(), 1);
    EXPECT_EQ(shown.chart.XAxisAt(0).m_orientation, CXGraphAxis::horizontal);
    EXPECT_EQ(shown.chart.YAxisAt(0).m_orientation, CXGraphAxis::vertical);
    EXPECT_EQ(shown.chart.XAxisAt(0).m_fullMin, 0);
    EXPECT_DOUBLE_EQ(shown.chart.XAxisAt(0).m_fullMax, 60);
    EXPECT_EQ(shown.chart.YAxisAt(0).m_fullMin, 40);
    EXPECT_DOUBLE_EQ(shown.chart.YAxisAt(0).m_fullMax, 70);
    EXPECT_EQ(series->m_graph, &shown.chart);
    EXPECT_EQ(shown.chart.XAxisAt(0).m_graph, &shown.chart);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    shown.chart.GetScrollBar().GetScrollInfo(&info, SIF_ALL);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 600);
    EXPECT_EQ(info.nPage, 600u);
    EXPECT_EQ(info.nPos, 0);
}

TEST(SeriesDataTest, ReplacingDataKeepsTheLookAndAdoptsThePointer)
{
    ShownChart shown;
    std::vector<DataPoint> first = Line(10, 0, 1, 0, 1);
    std::vector<DataPoint> second = Line(20, 0, 1, 5, 1);
    CXGraphDataSerie* series = shown.chart.SetSeriesData(first.data(), 10, 0, 0, 0, false);
    EXPECT_EQ(series->m_points, first.data());
    EXPECT_FALSE(series->m_ownsPoints);
    series->SetName("LAeq");
    const COLORREF colour = series->m_colour;
    series = shown.chart.SetSeriesData(second.data(), 20, 0, 0, 0, false);
    EXPECT_EQ(shown.chart.GetSeriesCount(), 1);
    EXPECT_EQ(series->m_points, second.data());
    EXPECT_EQ(series->m_count, 20);
    EXPECT_EQ(series->GetName(), CString("LAeq"));
    EXPECT_EQ(series->m_colour, colour);
    // The ranges grow from what the axes had.
    EXPECT_EQ(shown.chart.YAxisAt(0).m_fullMin, 0);
    EXPECT_EQ(shown.chart.YAxisAt(0).m_fullMax, 24);
}

TEST(SeriesDataTest, CopiesAreOwnedAndTheCallersArrayIsNeverTaken)
{
    ShownChart shown;
    std::vector<DataPoint> points = Line(5, 0, 1, 0, 1);
    CXGraphDataSerie* series = shown.chart.SetSeriesData(points.data(), 5, 0, 0, 0, true);
    EXPECT_NE(series->m_points, points.data());
    EXPECT_TRUE(series->m_ownsPoints);
    EXPECT_EQ(series->m_points[4].fYVal, 4);
    // Asked to copy while replacing, the series copies instead of taking
    // the caller's array for its own.
    std::vector<DataPoint> other = Line(3, 0, 1, 9, 0);
    series = shown.chart.SetSeriesData(other.data(), 3, 0, 0, 0, true);
    EXPECT_NE(series->m_points, other.data());
    EXPECT_TRUE(series->m_ownsPoints);
    EXPECT_EQ(series->m_points[2].fYVal, 9);
}

TEST(SeriesDataTest, NoPointsOrIndexesPastTheNextChangeNothing)
{
    ShownChart shown;
    std::vector<DataPoint> points = Line(5, 0, 1, 0, 1);
    EXPECT_EQ(shown.chart.SetSeriesData(nullptr, 5, 0, 0, 0, false), nullptr);
    EXPECT_EQ(shown.chart.SetSeriesData(points.data(), 0, 0, 0, 0, false), nullptr);
    EXPECT_EQ(shown.chart.SetSeriesData(points.data(), 5, 1, 0, 0, false), nullptr);
    EXPECT_EQ(shown.chart.SetSeriesData(points.data(), 5, 0, 2, 0, false), nullptr);
    EXPECT_EQ(shown.chart.GetSeriesCount(), 0);
    EXPECT_EQ(shown.chart.GetXAxisCount(), 0);
}

TEST(SeriesDataTest, ColoursComeFromTheTwelveColourPaletteInTurn)
{
    ShownChart shown;
    std::vector<DataPoint> points = Line(5, 0, 1, 0, 1);
    for (int i = 0; i < 13; ++i)
        shown.chart.SetSeriesData(points.data(), 5, i, 0, 0, false);
    EXPECT_EQ(shown.chart.SeriesAt(0).m_colour, RGB(128, 0, 0));
    EXPECT_EQ(shown.chart.SeriesAt(1).m_colour, RGB(255, 0, 0));
    EXPECT_EQ(shown.chart.SeriesAt(11).m_colour, RGB(255, 0, 255));
    EXPECT_EQ(shown.chart.SeriesAt(12).m_colour, shown.chart.SeriesAt(0).m_colour);
    EXPECT_EQ(shown.chart.SeriesAt(12).m_index, 12);
    EXPECT_EQ(shown.chart.IndexOfSeries(&shown.chart.SeriesAt(7)), 7);
    EXPECT_EQ(shown.chart.IndexOfAxis(&shown.chart.YAxisAt(0)), 0);
}

TEST(PointLookupTest, FindsTheNeighbourOfAValue)
{
    ShownChart shown;
    std::vector<DataPoint> points = Line(100, 0, 0.1, 0, 1);
    shown.chart.SetSeriesData(points.data(), 100, 0, 0, 0, false);
    // The first point after x, walking up from the estimate.
    EXPECT_EQ(shown.chart.FindPointIndex(0, 2.05), 21);
    EXPECT_EQ(shown.chart.FindPointIndex(0, 2.0), 21);
    EXPECT_EQ(shown.chart.FindPointIndex(0, -5), 0);
    EXPECT_EQ(shown.chart.FindPointIndex(0, 1000), 100);
    // Uneven spacing: from an estimate too far on, the walk goes back down
    // to the last point at or before x.
    std::vector<DataPoint> uneven = {{0, 0}, {0.1, 0}, {5, 0}, {6, 0}};
    shown.chart.SetSeriesData(uneven.data(), 4, 1, 0, 0, false);
    EXPECT_EQ(shown.chart.FindPointIndex(1, 3), 1);
    EXPECT_EQ(shown.chart.FindPointIndex(1, 5), 2);
}

TEST(PointLookupTest, ShortOrFlatStartsNeitherDivideByZeroNorReadPastTheEnd)
{
    ShownChart shown;
    std::vector<DataPoint> single = {{5, 1}};
    shown.chart.SetSeriesData(single.data(), 1, 0, 0, 0, false);
    EXPECT_EQ(shown.chart.FindPointIndex(0, 4), 0);
    EXPECT_EQ(shown.chart.FindPointIndex(0, 5), 1);
    std::vector<DataPoint> flat = {{1, 0}, {1, 0}, {2, 0}, {3, 0}};
    shown.chart.SetSeriesData(flat.data(), 4, 1, 0, 0, false);
    EXPECT_EQ(shown.chart.FindPointIndex(1, 2.5), 3);
    EXPECT_EQ(shown.chart.FindPointIndex(1, 0.5), 0);
    EXPECT_EQ(shown.chart.FindPointIndex(7, 1), 0);
}

TEST(ChartObjectListTest, ClearingKeepsOnlyTheReadoutLabel)
{
    ShownChart shown;
    std::vector<DataPoint> points = Line(5, 0, 1, 0, 1);
    shown.chart.SetSeriesData(points.data(), 5, 0, 0, 0, false);
    shown.chart.AddLabel(CRect(0, 0, 10, 10), "one");
    CXGraphLabel* row = shown.chart.AddTextLabel(10, 40, RGB(255, 0, 0), "LAeq 85.00");
    shown.chart.InsertCenteredLabel("centred");
    EXPECT_EQ(row->m_rect, CRect(55, 10, 500, 40));
    EXPECT_TRUE(row->m_transparent);
    EXPECT_FALSE(row->m_border);
    EXPECT_EQ(CString(row->m_font.m_logFont.lfFaceName), CString("Times New Roman"));
    EXPECT_EQ(row->m_font.m_logFont.lfHeight, 30);
    shown.chart.SetSelection(3, 4);
    EXPECT_EQ(shown.chart.GetObjectCount(), 4);

    shown.chart.ClearChart();
    EXPECT_EQ(shown.chart.GetObjectCount(), 1);
    EXPECT_EQ(shown.chart.ObjectAt(0), &shown.chart.Readout());
    EXPECT_EQ(shown.chart.GetSeriesCount(), 0);
    EXPECT_EQ(shown.chart.GetXAxisCount(), 0);
    EXPECT_EQ(shown.chart.GetYAxisCount(), 0);
    EXPECT_EQ(shown.chart.GetSelectionStart(), 0);
    EXPECT_EQ(shown.chart.GetSelectionEnd(), 0);
    // It paints without them.
    shown.Paint();
}

TEST(ChartSelectionTest, SelectingOneLeavesTheOthersUnselected)
{
    ShownChart shown;
    std::vector<DataPoint> points = Line(5, 0, 1, 0, 1);
    for (int i = 0; i < 3; ++i)
        shown.chart.SetSeriesData(points.data(), 5, i, 0, 0, false);
    EXPECT_TRUE(shown.chart.SelectSeriesOnly(1));
    EXPECT_FALSE(shown.chart.SelectSeriesOnly(-1));
    EXPECT_FALSE(shown.chart.SelectSeriesOnly(3));
    EXPECT_FALSE(shown.chart.SeriesAt(0).m_selected);
    EXPECT_TRUE(shown.chart.SeriesAt(1).m_selected);
    EXPECT_FALSE(shown.chart.SeriesAt(2).m_selected);
    EXPECT_TRUE(shown.chart.SelectXAxisOnly(0));
    EXPECT_FALSE(shown.chart.SelectYAxisOnly(1));
    EXPECT_TRUE(shown.chart.XAxisAt(0).m_selected);
}

TEST(ChartCommandTest, TheCursorCommandStopsAutoScalingAndPlacesTheReadout)
{
    PlainChart shown;
    shown.chart.XAxisAt(0).m_autoScale = true;
    shown.Paint();
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_CURSOR, 0);
    EXPECT_EQ(shown.chart.GetMode(), ModeCursor);
    EXPECT_FALSE(shown.chart.XAxisAt(0).m_autoScale);
    EXPECT_FALSE(shown.chart.YAxisAt(0).m_autoScale);
    EXPECT_FALSE(shown.chart.IsCursorDrawn());
    const CRect plot = shown.chart.GetPlotRect();
    EXPECT_EQ(shown.chart.Readout().m_rect,
              CRect(plot.left + 1, plot.top, plot.left + 150, plot.top + 50));
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_ZOOM, 0);
    EXPECT_EQ(shown.chart.GetMode(), ModeZoom);
    EXPECT_FALSE(shown.chart.Readout().m_visible);
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_MEASURE, 0);
    EXPECT_EQ(shown.chart.GetMode(), ModeMeasure);
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_EDIT_POINTS, 0);
    EXPECT_EQ(shown.chart.GetMode(), ModeEditPoints);
}

TEST(ChartCommandTest, ResetZoomShowsTheWholeDataRange)
{
    PlainChart shown;
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_RESET_ZOOM, 0);
    EXPECT_EQ(shown.chart.XAxisAt(0).m_viewMin, 0);
    EXPECT_EQ(shown.chart.XAxisAt(0).m_viewMax, 100);
    EXPECT_DOUBLE_EQ(shown.chart.XAxisAt(0).m_step, 10);
    EXPECT_DOUBLE_EQ(shown.chart.YAxisAt(0).m_step, 1);
}

TEST(ChartCommandTest, ZoomingBackWalksTheHistoryAndAlwaysReports)
{
    PlainChart shown;
    CXGraphAxis& x = shown.chart.XAxisAt(0);
    x.m_zoomHistory.push_back({0, 100});
    x.m_zoomHistory.push_back({20, 60});
    x.SetViewRange(30, 40, 1);
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_ZOOM_BACK, 0);
    EXPECT_EQ(x.m_viewMin, 20);
    EXPECT_EQ(x.m_viewMax, 60);
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_ZOOM_BACK, 0);
    EXPECT_EQ(x.m_viewMin, 0);
    EXPECT_EQ(x.m_viewMax, 100);
    EXPECT_TRUE(x.m_zoomHistory.empty());
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_ZOOM_BACK, 0);
    EXPECT_EQ(x.m_viewMin, 0);
    EXPECT_EQ(x.m_viewMax, 100);
    shown.DeliverPosted();
    EXPECT_EQ(shown.parent.Count(WM_XGRAPH_ZOOMED), 3);
    for (const Posted& posted : shown.parent.received)
        if (posted.message == WM_XGRAPH_ZOOMED) {
            EXPECT_EQ(posted.lParam, reinterpret_cast<LPARAM>(&shown.chart));
        }
}

TEST(ChartCommandTest, TheUserCommandIsPostedToTheParent)
{
    PlainChart shown;
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_USER, 0);
    EXPECT_EQ(shown.parent.Count(WM_XGRAPH_USER_COMMAND), 0);
    shown.DeliverPosted();
    EXPECT_EQ(shown.parent.Count(WM_XGRAPH_USER_COMMAND), 1);
}

TEST(ChartLayoutTest, MarginsAndAxesCarveOutThePlot)
{
    PlainChart shown;
    shown.Paint();
    CXGraphAxis& y = shown.chart.YAxisAt(0);
    CXGraphAxis& x = shown.chart.XAxisAt(0);
    EXPECT_EQ(y.m_placement, CXGraphAxis::placementLeft);
    // Inner rectangle (5, 5, 395, 250) of a 400 x 300 window less its
    // scroll bar.
    const int left = 5 + std::max(y.MeasureLabelWidth(), y.m_tickLength + y.MeasureTitle().cx) + 5;
    const int bottom = 250 - (x.MeasureLabelHeight() + 5);
    EXPECT_EQ(shown.chart.GetPlotRect(), CRect(left + 1, 5, 395, bottom));
    EXPECT_EQ(y.m_originX, left);
    EXPECT_EQ(y.m_originY, bottom);
    EXPECT_EQ(x.m_originX, left);
    EXPECT_EQ(x.m_originY, bottom);

    // Pixels: plot colour inside, the axis lines on its left and bottom
    // edges, the frame and background outside.
    EXPECT_EQ(shown.At(left + 20, 150), RGB(240, 240, 240));
    EXPECT_EQ(shown.At(left, 150), RGB(0, 0, 0));
    EXPECT_EQ(shown.At(left + 20, bottom), RGB(0, 0, 0));
    EXPECT_EQ(shown.At(394, 100), RGB(240, 240, 240));
    EXPECT_EQ(shown.At(395, 100), RGB(255, 255, 255));
}

TEST(ChartLayoutTest, AutomaticAxesAlternateAndInvisibleOnesTakeNoSpace)
{
    PlainChart shown;
    std::vector<DataPoint> points = Line(5, 0, 1, 0, 1);
    shown.chart.SetSeriesData(points.data(), 5, 1, 0, 1, false);
    shown.chart.SetSeriesData(points.data(), 5, 2, 0, 2, false);
    for (int i = 1; i < 3; ++i) {
        shown.chart.YAxisAt(i).m_autoScale = false;
        shown.chart.YAxisAt(i).m_grid = false;
    }
    shown.Paint();
    CXGraphAxis& first = shown.chart.YAxisAt(0);
    CXGraphAxis& second = shown.chart.YAxisAt(1);
    CXGraphAxis& third = shown.chart.YAxisAt(2);
    EXPECT_EQ(first.m_placement, CXGraphAxis::placementLeft);
    EXPECT_EQ(second.m_placement, CXGraphAxis::placementRight);
    EXPECT_EQ(third.m_placement, CXGraphAxis::placementLeft);
    const auto leftWidth = [](CXGraphAxis& axis) {
        return std::max(axis.MeasureLabelWidth(), axis.m_tickLength + axis.MeasureTitle().cx) + 5;
    };
    EXPECT_EQ(first.m_originX, 5 + leftWidth(first));
    EXPECT_EQ(third.m_originX, first.m_originX + leftWidth(third));
    const int right = 395 - (std::max(second.MeasureLabelWidth(), second.MeasureTitle().cx) + 5);
    EXPECT_EQ(second.m_originX, right);
    EXPECT_EQ(shown.chart.GetPlotRect().left, third.m_originX + 1);
    EXPECT_EQ(shown.chart.GetPlotRect().right, right);

    // An invisible left axis moves nothing but still gets its origin.
    first.m_visible = false;
    shown.Paint();
    EXPECT_EQ(first.m_originX, 5);
    EXPECT_EQ(third.m_originX, 5 + leftWidth(third));
}

TEST(AxisLabelTest, LabelsAndTitlesStandOnTheFrameWhateverTheBackground)
{
    PlainChart shown;
    shown.chart.XAxisAt(0).SetTitle("Seconds");
    shown.chart.YAxisAt(0).SetTitle("dB");
    const COLORREF background = RGB(120, 160, 230);
    ChartColours colours = shown.chart.GetColours();
    colours.background = background;
    shown.chart.SetColours(colours);
    shown.Paint();
    // The background shows only in the margins around the frame: no label
    // or title carries a box of it inside.
    CRect client;
    shown.chart.GetClientRect(&client);
    const CRect frame(
        CXGraph::kMarginLeft, CXGraph::kMarginTop, client.right - CXGraph::kMarginRight,
        shown.chart.XAxisAt(0).m_originY + shown.chart.XAxisAt(0).MeasureLabelHeight());
    int boxed = 0;
    for (int y = frame.top; y < frame.bottom; ++y)
        for (int x = frame.left; x < frame.right; ++x)
            boxed += shown.At(x, y) == background ? 1 : 0;
    EXPECT_EQ(boxed, 0);
}

TEST(LegendTest, AnEmptyLegendIsSixteenByTwoAndStillTakesItsRoom)
{
    ShownChart shown;
    shown.Paint();
    // Inner right 395 less 36 pixels.
    EXPECT_EQ(shown.chart.GetPlotRect(), CRect(6, 5, 359, 250));
    // The box (369, 15) to (385, 17), framed in black.
    EXPECT_EQ(shown.At(369, 15), RGB(0, 0, 0));
    EXPECT_EQ(shown.At(384, 16), RGB(0, 0, 0));
    EXPECT_NE(shown.At(385, 15), RGB(0, 0, 0));
    EXPECT_NE(shown.At(369, 17), RGB(0, 0, 0));
    EXPECT_TRUE(shown.chart.GetLegendEntries().empty());
}

TEST(LegendTest, EachVisibleSeriesHasALineWithItsNumberAndSample)
{
    PlainChart shown;
    shown.chart.ShowLegend(true);
    shown.chart.SetLegendPosition(0);
    std::vector<DataPoint> points = Line(5, 0, 1, 0, 1);
    shown.chart.SetSeriesData(points.data(), 5, 1, 0, 0, false);
    shown.chart.SetSeriesData(points.data(), 5, 2, 0, 0, false);
    shown.chart.SeriesAt(0).SetName("LAeq");
    shown.chart.SeriesAt(1).m_visible = false;
    shown.Paint();
    ASSERT_EQ(shown.chart.GetLegendEntries().size(), 2u);
    EXPECT_EQ(shown.chart.GetLegendEntries()[0].series, &shown.chart.SeriesAt(0));
    EXPECT_EQ(shown.chart.GetLegendEntries()[1].series, &shown.chart.SeriesAt(2));
    const CRect line = shown.chart.GetLegendEntries()[0].rect;
    // On the left: 10 pixels in, inside the 1-pixel frame, 12 for the sample.
    EXPECT_EQ(line.left, 5 + 10 + 1 + 12);
    EXPECT_EQ(line.top, 5 + 10 + 1);
    EXPECT_EQ(shown.chart.GetLegendEntries()[1].rect.top, line.bottom);
    // The sample is filled with the series colour.
    EXPECT_EQ(shown.At(5 + 10 + 1 + 5, line.top + 3), shown.chart.SeriesAt(0).m_colour);
    // The plot starts after the legend's room: its widest line plus 36.
    const int widest = line.right - 30;
    EXPECT_GT(shown.chart.GetPlotRect().left, 5 + widest + 36);
}

// Whether every pixel of a legend line is its black text or the grey-scale
// anti-aliasing of it on the white legend background: no series colour.
static bool LegendLineIsGrey(const QImage& image, const CRect& line)
{
    for (int y = line.top; y < line.bottom; ++y)
        for (int x = line.left; x < line.right; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (std::abs(qRed(pixel) - qGreen(pixel)) > 8 ||
                std::abs(qGreen(pixel) - qBlue(pixel)) > 8)
                return false;
        }
    return true;
}

TEST(LegendTest, EveryLineIsWrittenOnTheLegendsOwnBackground)
{
    PlainChart shown;
    shown.chart.ShowLegend(true);
    std::vector<DataPoint> points = Line(5, 0, 1, 0, 1);
    shown.chart.SetSeriesData(points.data(), 5, 1, 0, 0, false);
    shown.chart.SetSeriesData(points.data(), 5, 2, 0, 0, false);
    for (int index = 0; index < 3; ++index)
        shown.chart.SeriesAt(index).SetName("LAFmax");
    shown.chart.SeriesAt(0).m_colour = RGB(255, 0, 0);
    shown.chart.SeriesAt(1).m_colour = RGB(0, 160, 0);
    const QImage& image = shown.Paint();
    ASSERT_EQ(shown.chart.GetLegendEntries().size(), 3u);
    for (const auto& entry : shown.chart.GetLegendEntries())
        EXPECT_TRUE(LegendLineIsGrey(image, entry.rect)) << entry.rect.top;

    // On paper too: a page of a colour printer.
    QTemporaryDir directory;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(directory.filePath("legend.pdf"));
    printer.setResolution(96);
    CDC attributes;
    ASSERT_TRUE(attributes.AttachPrinter(&printer));
    QImage page(printer.width(), printer.height(), QImage::Format_RGB32);
    CDC output;
    output.BeginPainting(&page);
    output.SetAttribDC(&attributes);
    shown.chart.RenderToDC(&output);
    output.EndPainting();
    ASSERT_EQ(shown.chart.GetLegendEntries().size(), 3u);
    for (const auto& entry : shown.chart.GetLegendEntries())
        EXPECT_TRUE(LegendLineIsGrey(page, entry.rect)) << entry.rect.top;
}

TEST(CurveDrawingTest, OnlyTheFirstPointOfEachPixelColumnIsDrawn)
{
    PlainChart shown;
    // Ten points in one pixel column, then a long run of dense points.
    std::vector<DataPoint> dense = Line(10, 50, 0.001, 1, 0.5);
    shown.chart.SetSeriesData(dense.data(), 10, 0, 0, 0, false);
    shown.Paint();
    EXPECT_TRUE(shown.chart.SeriesAt(0).m_segments.empty());

    std::vector<DataPoint> many = Line(100000, 0, 0.001, 2, 0.00005);
    shown.chart.SetSeriesData(many.data(), 100000, 0, 0, 0, false);
    shown.Paint();
    const std::vector<CurveSegment>& segments = shown.chart.SeriesAt(0).m_segments;
    ASSERT_FALSE(segments.empty());
    EXPECT_LE(segments.size(), static_cast<std::size_t>(shown.chart.GetPlotRect().Width()));
    for (std::size_t i = 0; i < segments.size(); ++i) {
        EXPECT_EQ(segments[i].x2, segments[i].x1 + 1);
        if (i > 0) {
            EXPECT_EQ(segments[i].x1, segments[i - 1].x2);
        }
    }
}

TEST(CurveDrawingTest, ASelectedSeriesIsDrawnInTheInverseColour)
{
    PlainChart shown;
    std::vector<DataPoint> flat = Line(11, 0, 10, 5, 0);
    shown.chart.SetSeriesData(flat.data(), 11, 0, 0, 0, false);
    CXGraphDataSerie& series = shown.chart.SeriesAt(0);
    series.m_colour = RGB(255, 0, 0);
    shown.Paint();
    const CPoint middle = shown.chart.SeriesPointToPixel(series, {50, 5});
    EXPECT_EQ(shown.At(middle.x, middle.y), RGB(255, 0, 0));
    series.m_selected = true;
    shown.Paint();
    EXPECT_EQ(shown.At(middle.x, middle.y), RGB(0, 255, 255));
}

TEST(CurveDrawingTest, AFillReachesDownToThePlotBottom)
{
    PlainChart shown;
    std::vector<DataPoint> flat = Line(11, 0, 10, 5, 0);
    shown.chart.SetSeriesData(flat.data(), 11, 0, 0, 0, false);
    CXGraphDataSerie& series = shown.chart.SeriesAt(0);
    series.m_fill = true;
    series.m_fillToSeries = -1;
    series.m_transparentFill = false;
    series.m_fillColour = RGB(0, 0, 255);
    shown.Paint();
    const CPoint middle = shown.chart.SeriesPointToPixel(series, {50, 5});
    const CPoint quarter = shown.chart.SeriesPointToPixel(series, {50, 2.5});
    EXPECT_EQ(shown.At(middle.x, quarter.y), RGB(0, 0, 255));
    EXPECT_EQ(shown.At(middle.x, middle.y - 10), RGB(240, 240, 240));
}

TEST(SymbolTextTest, LightSymbolsGetBlackNumbersAndDarkOnesWhite)
{
    const auto render = [](COLORREF colour) {
        auto image = std::make_unique<QImage>(30, 30, QImage::Format_RGB32);
        image->fill(Qt::white);
        CDCEx dc;
        dc.BeginPainting(image.get());
        CXGraphDataSerie series;
        series.DrawSymbol(nullptr, 7, 20, false, 5, 5, colour, &dc);
        dc.EndPainting();
        return image;
    };
    const auto count = [](const QImage& image, auto test) {
        int found = 0;
        for (int y = 5; y < 25; ++y)
            for (int x = 5; x < 25; ++x)
                found += test(image.pixel(x, y)) ? 1 : 0;
        return found;
    };
    const auto blue = render(RGB(0, 0, 255));
    EXPECT_EQ(blue->pixel(6, 6), qRgb(0, 0, 255));
    EXPECT_GT(count(*blue, [](QRgb p) { return qRed(p) > 200 && qGreen(p) > 200; }), 5);
    const auto yellow = render(RGB(255, 255, 0));
    EXPECT_GT(count(*yellow, [](QRgb p) { return qRed(p) < 60 && qGreen(p) < 60; }), 5);
    EXPECT_EQ(count(*yellow, [](QRgb p) { return qBlue(p) > 200; }), 0);
}

TEST(NotationTest, ANoteFollowsItsPointAndKeepsItsMeasuredSize)
{
    PlainChart shown;
    auto* note = new CXGraphDataNotation;
    note->m_graph = &shown.chart;
    note->m_x = 50;
    note->m_y = 5;
    note->m_seriesIndex = 0;
    note->m_text = "peak";
    shown.chart.AddObject(note);
    shown.Paint();
    CXGraphDataSerie& series = shown.chart.SeriesAt(0);
    CPoint anchor = shown.chart.SeriesPointToPixel(series, {50, 5});
    EXPECT_EQ(note->m_rect.TopLeft(), CPoint(anchor.x, anchor.y - 20));
    const CSize size = CSize(note->m_rect.Width(), note->m_rect.Height());
    EXPECT_GT(size.cx, 10);
    // The frame and the dot are black, the box white.
    EXPECT_EQ(shown.At(anchor.x, anchor.y), RGB(0, 0, 0));
    EXPECT_EQ(shown.At(anchor.x - 1, anchor.y - 21), RGB(0, 0, 0));

    shown.chart.YAxisAt(0).SetViewRange(0, 20, 2);
    shown.Paint();
    anchor = shown.chart.SeriesPointToPixel(series, {50, 5});
    EXPECT_EQ(note->m_rect.TopLeft(), CPoint(anchor.x, anchor.y - 20));
    EXPECT_EQ(CSize(note->m_rect.Width(), note->m_rect.Height()), size);
}

TEST(ValueBandTest, ABandIsAtLeastAPixelWideAndItsLabelShowsOnlyWhereItFits)
{
    PlainChart shown;
    shown.chart.SeriesAt(0).m_visible = false;
    CXGraphAxis& x = shown.chart.XAxisAt(0);
    // A hundredth of a unit is far less than a pixel on this chart.
    x.SetColorRange(0, 50, 50.01, 6, "a long label that cannot fit");
    // At the last value, and wholly out of view.
    x.SetColorRange(1, 100, 100.01, 6, "");
    x.SetColorRange(2, 150, 160, 6, "");
    // Wide enough for its label.
    x.SetColorRange(3, 10, 40, 6, "wide");
    shown.Paint();
    const CRect plot = shown.chart.GetPlotRect();
    const COLORREF yellow = RGB(255, 255, 0);
    auto yellowColumns = [&](int from, int to) {
        int count = 0;
        for (int column = from; column < to; ++column)
            count += shown.At(column, (plot.top + plot.bottom) / 2) == yellow ? 1 : 0;
        return count;
    };
    const int middle = x.ValueToPoint({50, 0}).x;
    EXPECT_EQ(yellowColumns(middle - 5, middle + 6), 1);
    const int end = x.ValueToPoint({100, 0}).x;
    EXPECT_EQ(yellowColumns(end - 5, plot.right + 1), 1);
    // Nothing but the narrow band's column changed around it: no label.
    int inked = 0;
    for (int row = plot.top; row < plot.bottom; ++row)
        for (int column = middle - 40; column <= middle + 40; ++column) {
            const COLORREF pixel = shown.At(column, row);
            inked += pixel != yellow && pixel != RGB(240, 240, 240) ? 1 : 0;
        }
    EXPECT_EQ(inked, 0);
    // The wide band's label is written inside it.
    const int left = x.ValueToPoint({10, 0}).x;
    int written = 0;
    for (int row = plot.top; row < plot.top + 20; ++row)
        for (int column = left; column < left + 40; ++column)
            written += IsDark(shown.At(column, row)) ? 1 : 0;
    EXPECT_GT(written, 10);
}

TEST(SelectionBandTest, TheBandCoversTheSelectionAndDrawingItTwiceErasesIt)
{
    PlainChart shown;
    shown.chart.SetCursorFlags(0);
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_CURSOR, 0);
    shown.chart.SetSelection(20, 40);
    const QImage banded = shown.Paint().copy();
    CXGraphAxis& x = shown.chart.XAxisAt(0);
    const int left = x.ValueToPoint({20, 0}).x;
    const int right = x.ValueToPoint({40, 0}).x;
    const int row = (shown.chart.GetPlotRect().top + shown.chart.GetPlotRect().bottom) / 2;
    EXPECT_EQ(shown.At(left - 1, row), RGB(240, 240, 240));
    EXPECT_TRUE(IsDark(shown.At(left, row)));
    EXPECT_TRUE(IsDark(shown.At(right - 1, row)));
    EXPECT_EQ(shown.At(right, row), RGB(240, 240, 240));
    EXPECT_TRUE(IsDark(shown.At(left + 5, shown.chart.GetPlotRect().top)));
    EXPECT_TRUE(IsDark(shown.At(left + 5, shown.chart.GetPlotRect().bottom - 1)));

    // Reversed ends give the same band.
    shown.chart.SetSelection(40, 20);
    EXPECT_EQ(shown.Paint(), banded);

    // Drawn once more on the window, it is gone.
    CClientDC client(&shown.chart);
    CDCEx dc(&client);
    shown.chart.DrawSelectionBand(&dc);
    EXPECT_EQ(shown.At(left + 5, row), RGB(240, 240, 240));
}

TEST(CursorTest, TheCursorSnapsToTheNearestCurveAndReadsOut)
{
    PlainChart shown;
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_CURSOR, 0);
    shown.Paint();
    CXGraphDataSerie& series = shown.chart.SeriesAt(0);
    series.SetName("LAeq");
    const CPoint onCurve = shown.chart.SeriesPointToPixel(series, {50, 5});
    shown.Move(CPoint(onCurve.x, onCurve.y + 6));
    EXPECT_EQ(shown.chart.GetCursorSeries(), 0);
    // The line moves onto the point found for the value under the mouse.
    const int index = shown.chart.FindPointIndex(0, shown.chart.XAxisAt(0).PointToValue(onCurve.x));
    EXPECT_EQ(shown.chart.GetMousePoint().y,
              shown.chart.SeriesPointToPixel(series, series.m_points[index]).y);
    EXPECT_EQ(shown.chart.GetCursorY(), series.m_points[index].fYVal);
    EXPECT_TRUE(shown.chart.Readout().m_visible);
    const CString text = shown.chart.Readout().m_text;
    EXPECT_NE(text.ToUtf8().find(" X[01] : "), std::string::npos);
    EXPECT_NE(text.ToUtf8().find(" Y[01] : "), std::string::npos);
    EXPECT_NE(text.ToUtf8().find(" LAeq[01] : "), std::string::npos);
    EXPECT_NE(text.ToUtf8().find("\r\n"), std::string::npos);

    // Far from every curve nothing snaps.
    shown.Move(CPoint(onCurve.x, onCurve.y - 60));
    EXPECT_EQ(shown.chart.GetCursorSeries(), -1);
    EXPECT_EQ(shown.chart.GetMousePoint().y, onCurve.y - 60);
}

TEST(ChartPrintingTest, APrinterAt600DpiSeesAPageInScreenPixels)
{
    QTemporaryDir directory;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(directory.filePath("preview.pdf"));
    printer.setResolution(600);
    CDC attributes;
    ASSERT_TRUE(attributes.AttachPrinter(&printer));
    QImage page(200, 150, QImage::Format_RGB32);
    page.fill(Qt::black);
    CDC output;
    output.BeginPainting(&page);
    output.SetAttribDC(&attributes);

    PlainChart shown;
    shown.chart.RenderToDC(&output);
    // The chart was laid out on the page in screen pixels: its right margin
    // from the page's right edge, the time axis above its bottom margin.
    const int pageWidth = static_cast<int>(printer.width() / 6.25f);
    const int pageHeight = static_cast<int>(printer.height() / 6.25f);
    const CRect plot = shown.chart.GetPlotRect();
    EXPECT_EQ(plot.right, pageWidth - CXGraph::kMarginRight);
    EXPECT_LT(plot.bottom, pageHeight - CXGraph::kMarginBottom);
    EXPECT_GT(plot.bottom, pageHeight - CXGraph::kMarginBottom - 60);
    output.EndPainting();
    // The page was painted over (the background is white at scale).
    EXPECT_EQ(page.pixel(0, 0), 0xFFFFFFFF);
    ExpectItPaintsTheScreenAsBefore(shown);
}

TEST(ChartPrintingTest, AFewColourPrinterGetsWhiteBackgroundsAndBlackSamples)
{
    QTemporaryDir directory;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(directory.filePath("grey.pdf"));
    printer.setResolution(96);
    printer.setColorMode(QPrinter::GrayScale);
    CDC attributes;
    ASSERT_TRUE(attributes.AttachPrinter(&printer));
    QImage page(printer.width(), printer.height(), QImage::Format_RGB32);
    page.fill(Qt::black);
    CDC output;
    output.BeginPainting(&page);
    output.SetAttribDC(&attributes);

    PlainChart shown;
    shown.chart.ShowLegend(true);
    ChartColours colours = shown.chart.GetColours();
    colours.background = RGB(210, 210, 210);
    shown.chart.SetColours(colours);
    shown.chart.RenderToDC(&output);
    output.EndPainting();
    const CRect plot = shown.chart.GetPlotRect();
    EXPECT_EQ(page.pixel(2, 2), 0xFFFFFFFF);
    EXPECT_EQ(page.pixel(plot.left + 20, (plot.top + plot.bottom) / 2), 0xFFFFFFFF);
    ASSERT_EQ(shown.chart.GetLegendEntries().size(), 1u);
    const CRect line = shown.chart.GetLegendEntries()[0].rect;
    EXPECT_EQ(page.pixel(line.left - 7, line.top + 3), 0xFF000000);
}

TEST(ChartPrintingTest, PrintingAsksForAPrinterAndWritesOnePage)
{
    QTemporaryDir directory;
    const QString path = directory.filePath("chart.pdf");
    int asked = 0;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        ++asked;
        EXPECT_EQ(request.text, CString("CPrintDialog"));
        auto* dialog = static_cast<CPrintDialog*>(request.dialogObject);
        EXPECT_NE(dialog->m_flags & PD_RETURNDC, 0u);
        dialog->GetPrinter()->setOutputFormat(QPrinter::PdfFormat);
        dialog->GetPrinter()->setOutputFileName(path);
        return IDOK;
    });
    PlainChart shown;
    shown.chart.SeriesAt(0).SetName("LAeq");
    shown.chart.ShowLegend(true);
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_PRINT, 0);
    EXPECT_EQ(asked, 1);
    ExpectItPaintsTheScreenAsBefore(shown);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.startsWith("%PDF"));
    EXPECT_EQ(content.count("/Type /Page\n"), 1);
    EXPECT_TRUE(content.contains("LiberationSans"));
}

TEST(ChartPrintingTest, RenderingOnAPrinterEndsThePageAndTheDocument)
{
    QTemporaryDir directory;
    const QString path = directory.filePath("direct.pdf");
    QPrinter printer(QPrinter::HighResolution);
    CDC dc;
    StartPdfDocument(printer, dc, path, 300);
    ASSERT_FALSE(HasFatalFailure());
    PlainChart shown;
    shown.chart.RenderToDC(&dc);
    EXPECT_EQ(shown.chart.GetPlotRect().right,
              static_cast<int>(printer.width() / 3.125f) - CXGraph::kMarginRight);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.startsWith("%PDF"));
    EXPECT_TRUE(content.trimmed().endsWith("%%EOF"));
}

TEST(ChartPrintingTest, APrintedSelectionShowsTheCurvesInsideTheBand)
{
    QTemporaryDir directory;
    const QString path = directory.filePath("band.pdf");
    QPrinter printer(QPrinter::HighResolution);
    // Page coordinates from the paper's corner, as the rasteriser's.
    printer.setFullPage(true);
    CDC dc;
    StartPdfDocument(printer, dc, path, 96);
    ASSERT_FALSE(HasFatalFailure());

    PlainChart shown;
    shown.chart.SetCursorFlags(0);
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_CURSOR, 0);
    shown.chart.SeriesAt(0).m_colour = RGB(255, 0, 0);
    shown.chart.SeriesAt(0).m_lineWidth = 4;
    shown.chart.SetSelection(20, 60);
    shown.chart.RenderToDC(&dc);

    // The page as a viewer shows it, one pixel to a chart pixel.
    const QImage page = PdfPages::FirstPage(path, 96);
    ASSERT_FALSE(page.isNull());
    auto at = [&](CPoint point) {
        const QRgb pixel = page.pixel(point.x, point.y);
        return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
    };
    auto near = [](COLORREF seen, COLORREF expected) {
        return std::abs(GetRValue(seen) - GetRValue(expected)) <= 12 &&
               std::abs(GetGValue(seen) - GetGValue(expected)) <= 12 &&
               std::abs(GetBValue(seen) - GetBValue(expected)) <= 12;
    };
    const CXGraphDataSerie& series = shown.chart.SeriesAt(0);
    const CRect plot = shown.chart.GetPlotRect();
    // The band inverts the plot's (240, 240, 240) to nearly black, as its
    // brush of (10, 10, 10) does on the screen.
    const CPoint outsideBand(shown.chart.SeriesPointToPixel(series, {10, 0}).x, plot.top + 5);
    const CPoint insideBand(shown.chart.SeriesPointToPixel(series, {40, 0}).x, plot.top + 5);
    EXPECT_TRUE(near(at(outsideBand), RGB(240, 240, 240))) << std::hex << at(outsideBand);
    EXPECT_TRUE(near(at(insideBand), RGB(5, 5, 5))) << std::hex << at(insideBand);
    // The red curve is seen outside the band as red, inside it as what the
    // inversion makes of red.
    const CPoint curveOutside = shown.chart.SeriesPointToPixel(series, {10, 1});
    const CPoint curveInside = shown.chart.SeriesPointToPixel(series, {40, 4});
    EXPECT_TRUE(near(at(curveOutside), RGB(255, 0, 0))) << std::hex << at(curveOutside);
    EXPECT_TRUE(near(at(curveInside), RGB(10, 245, 245))) << std::hex << at(curveInside);
}

TEST(ChartPrintingTest, ACancelledPrintDialogPrintsNothing)
{
    ScopedModalResponder responder([](const ModalRequest&) -> INT_PTR { return IDCANCEL; });
    PlainChart shown;
    shown.chart.PrintChart();
    ExpectItPaintsTheScreenAsBefore(shown);
}
