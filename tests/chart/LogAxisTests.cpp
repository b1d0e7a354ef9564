// Logarithmic scales: an axis with its linear flag cleared, and the
// logarithmic axis class with its one-digit scaling and its own drawing.

#include "CArchive.h"
#include "ChartTestSupport.h"
#include "XGraphLogAxis.h"

#include <cmath>
#include <set>

using namespace charttest;

namespace {

constexpr COLORREF kGridBlue = RGB(0, 0, 255);

// An axis of either class laid out on a chart without a window, with solid
// blue grid lines, no title and no series symbols, so that its length is
// the plot height less two tick lengths (290 pixels) when vertical.
template <typename Axis> struct LaidOut
{
    CXGraph graph;
    Axis axis;
    explicit LaidOut(int orientation)
    {
        LayOutAxis(graph, axis, orientation);
        axis.m_title = "";
        axis.m_showSymbols = false;
        axis.m_gridStyle = PS_SOLID;
        axis.m_gridColour = kGridBlue;
    }
};

// The row of a value on a vertical logarithmic scale from `low` to `high`
// over the 290 pixels above the plot bottom at 310.
int LogRow(double value, double low, double high)
{
    const double fraction =
        (std::log10(value) - std::log10(low)) / (std::log10(high) - std::log10(low));
    return static_cast<int>(310 - fraction * 290);
}

// The rows in which a grid line crosses the plot at x = 300.
std::set<int> GridRows(const AxisCanvas& canvas)
{
    std::set<int> rows;
    for (int y = 10; y < 310; ++y)
        if (canvas.At(300, y) == kGridBlue)
            rows.insert(y);
    return rows;
}

} // namespace

// Ticks and mapping ----------------------------------------------------------------

TEST(LogScaleTest, DecadesGiveNineTicksEachWithALabelAtEachDecade)
{
    const std::vector<DecadeTick> ticks = CXGraphAxis::DecadeTicks(3, 300);
    std::vector<double> values;
    std::vector<double> labelled;
    for (const DecadeTick& tick : ticks) {
        values.push_back(tick.value);
        if (tick.decade)
            labelled.push_back(tick.value);
    }
    const std::vector<double> expected = {3,  4,  5,  6,  7,  8,  9,   10,  20, 30,
                                          40, 50, 60, 70, 80, 90, 100, 200, 300};
    EXPECT_EQ(values, expected);
    // 1 lies outside the range and gets no label.
    EXPECT_EQ(labelled, (std::vector<double>{10, 100}));

    // A maximum on a decade: the decade below it is the last one walked.
    const std::vector<DecadeTick> whole = CXGraphAxis::DecadeTicks(1, 1000);
    ASSERT_EQ(whole.size(), 27u);
    EXPECT_EQ(whole.back().value, 900);
}

TEST(LogScaleTest, ValuesAtOrBelowZeroKeepTheFloorsAndStayFinite)
{
    const std::vector<DecadeTick> ticks = CXGraphAxis::DecadeTicks(-5, 0);
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(ticks.front().value, 1e-16);
    for (const DecadeTick& tick : ticks) {
        EXPECT_GT(tick.value, 0);
        EXPECT_LE(tick.value, 1e-15);
    }

    LaidOut<CXGraphAxis> laid(CXGraphAxis::horizontal);
    laid.axis.m_linear = 0;
    // What a dialog could write straight into the fields.
    laid.axis.m_viewMin = -10;
    laid.axis.m_viewMax = 0;
    // Everything at or below the floor maps to the low end of the view.
    for (double value : {-1.0, 0.0, 1e-300})
        EXPECT_EQ(laid.axis.ValueToPoint({value, 0}).x, 50) << value;
    // 1.5 decades of 1e-16 ... 1e-15 along 400 pixels.
    const double value = laid.axis.PointToValue(200);
    EXPECT_TRUE(std::isfinite(value));
    EXPECT_NEAR(std::log10(value), -16 + 150.0 / 400.0, 1e-12);
    AxisCanvas canvas;
    laid.axis.AutoScale(&canvas.dc);
    EXPECT_EQ(laid.axis.m_viewMin, 1e-16);
    EXPECT_EQ(laid.axis.m_viewMax, 1e-15);
}

TEST(LogScaleTest, AnAxisWithoutItsLinearFlagMapsByTheLogarithm)
{
    LaidOut<CXGraphAxis> horizontal(CXGraphAxis::horizontal);
    horizontal.axis.m_linear = 0;
    ASSERT_TRUE(horizontal.axis.SetViewRange(1, 10000, 0));
    EXPECT_EQ(horizontal.axis.m_step, 0);
    EXPECT_EQ(horizontal.axis.ValueToPoint({1, 0}).x, 50);
    EXPECT_EQ(horizontal.axis.ValueToPoint({10, 0}).x, 150);
    EXPECT_EQ(horizontal.axis.ValueToPoint({100, 0}).x, 250);
    EXPECT_EQ(horizontal.axis.ValueToPoint({10000, 0}).x, 450);
    EXPECT_NEAR(horizontal.axis.PointToValue(250), 100, 1e-9);
    // Zero maps as 1e-16: sixteen decades below the view, clamped.
    EXPECT_EQ(horizontal.axis.ValueToPoint({0, 0}).x, 50 - 1600);

    LaidOut<CXGraphAxis> vertical(CXGraphAxis::vertical);
    vertical.axis.m_linear = 0;
    vertical.axis.m_length = 400;
    vertical.axis.SetViewRange(1, 10000, 0);
    EXPECT_EQ(vertical.axis.ValueToPoint({0, 10}).y, 210);
    EXPECT_NEAR(vertical.axis.PointToValue(110), 100, 1e-9);
}

TEST(LogScaleTest, AutoScalingWidensToWholeDecades)
{
    LaidOut<CXGraphAxis> laid(CXGraphAxis::vertical);
    laid.axis.m_linear = 0;
    ASSERT_TRUE(laid.axis.SetFullRange(3.5, 250));
    AxisCanvas canvas;
    laid.axis.AutoScale(&canvas.dc);
    EXPECT_DOUBLE_EQ(laid.axis.m_viewMin, 1);
    EXPECT_DOUBLE_EQ(laid.axis.m_viewMax, 1000);
}

// Drawing of an axis without its linear flag -----------------------------------------

TEST(LogScaleDrawingTest, TicksAtEveryDecadeValueLabelsAtTheDecadesAndMarkers)
{
    LaidOut<CXGraphAxis> laid(CXGraphAxis::vertical);
    laid.axis.m_linear = 0;
    laid.axis.SetFullRange(3.5, 250);
    laid.axis.SetMarker(0, 35);
    AxisCanvas canvas;
    laid.axis.Draw(&canvas.dc);
    ASSERT_DOUBLE_EQ(laid.axis.m_viewMin, 1);
    ASSERT_DOUBLE_EQ(laid.axis.m_viewMax, 1000);
    EXPECT_EQ(laid.axis.m_length, 290);

    // Grid lines at 2 ... 9, 10 ... 90, 100 ... 900; the tick at 1 lies on
    // the plot's bottom edge and stops at the axis line.
    std::set<int> expected;
    for (double decade : {1.0, 10.0, 100.0})
        for (int multiple = 1; multiple <= 9; ++multiple)
            if (decade * multiple > 1)
                expected.insert(LogRow(decade * multiple, 1, 1000));
    EXPECT_EQ(GridRows(canvas), expected);
    EXPECT_EQ(canvas.At(46, 310), kGridBlue);
    EXPECT_NE(canvas.At(300, 310), kGridBlue);

    // The marker line at 35, between the ticks at 30 and 40.
    const int marker = LogRow(35, 1, 1000);
    EXPECT_EQ(canvas.At(300, marker), RGB(0, 0, 0));

    // Labels at 1, 10 and 100; none at 1000, which ends the last decade.
    for (double value : {1.0, 10.0, 100.0}) {
        const int row = LogRow(value, 1, 1000);
        EXPECT_TRUE(canvas.Inked(QRect(0, row - 3, 43, 7))) << value;
    }
    EXPECT_FALSE(canvas.Inked(QRect(0, 12, 43, 16)));
    // Nothing between the decade labels.
    EXPECT_FALSE(canvas.Inked(QRect(0, LogRow(5, 1, 1000) - 3, 43, 7)));
    EXPECT_FALSE(canvas.Inked(QRect(0, LogRow(40, 1, 1000) - 3, 43, 7)));
}

// The logarithmic axis class -------------------------------------------------------

TEST(LogAxisTest, ItIsAnAxisWithALogarithmicDrawing)
{
    const CXGraphLogAxis axis;
    EXPECT_TRUE(axis.IsKindOf(RUNTIME_CLASS(CXGraphAxis)));
    EXPECT_EQ(axis.GetRuntimeClass(), RUNTIME_CLASS(CXGraphLogAxis));
    EXPECT_EQ(axis.m_linearDrawing, 0);
    // Its ranges follow the linear rules: the linear flag stays set.
    EXPECT_EQ(axis.m_linear, 1);
    EXPECT_EQ(axis.m_displayFormat, CString("%5.1f"));
    EXPECT_TRUE(axis.m_autoScale);
}

TEST(LogAxisTest, ItsStoredFormIsThatOfAnAxis)
{
    CXGraphLogAxis logarithmic;
    logarithmic.m_linearDrawing = 1;
    logarithmic.SetFullRange(2, 700);
    logarithmic.m_title = "Level";
    CXGraphAxis plain;
    plain.SetFullRange(2, 700);
    plain.m_title = "Level";
    EXPECT_EQ(Stored(logarithmic), Stored(plain));

    CXGraphLogAxis loaded;
    RoundTrip(logarithmic, loaded);
    EXPECT_EQ(loaded.m_linearDrawing, 0);
    EXPECT_EQ(loaded.m_viewMax, 700);
    EXPECT_EQ(loaded.m_title, CString("Level"));
}

TEST(LogAxisTest, AutoScalingRoundsEachEndToOneDigit)
{
    struct Case
    {
        double minimum, maximum, scaledMinimum, scaledMaximum;
    };
    const Case cases[] = {
        {3.5, 250, 3, 300},           {9.5, 95, 9.5, 95}, {3, 3.5, 3, 4},
        {0.47, 9.2, 0.4, 9.2},        {1, 1000, 1, 1000}, {2.5e20, 7.1e30, 2e20, 8e30},
        {0.0123, 0.0456, 0.01, 0.05},
    };
    AxisCanvas canvas;
    for (const Case& c : cases) {
        CXGraphLogAxis axis;
        axis.m_viewMin = c.minimum;
        axis.m_viewMax = c.maximum;
        axis.AutoScale(&canvas.dc);
        EXPECT_DOUBLE_EQ(axis.m_viewMin, c.scaledMinimum) << c.minimum;
        EXPECT_DOUBLE_EQ(axis.m_viewMax, c.scaledMaximum) << c.maximum;
    }
    // Ends at or below zero keep the floors.
    CXGraphLogAxis negative;
    negative.m_viewMin = -4;
    negative.m_viewMax = -1;
    negative.AutoScale(&canvas.dc);
    EXPECT_EQ(negative.m_viewMin, 1e-16);
    EXPECT_EQ(negative.m_viewMax, 1e-15);
}

TEST(LogAxisTest, ItsOwnMappingIsLogarithmicUnlessItDrawsLinearly)
{
    LaidOut<CXGraphLogAxis> laid(CXGraphAxis::horizontal);
    laid.axis.SetViewRange(1, 10000, 1000);
    EXPECT_EQ(laid.axis.ScaleValueToPoint({10, 0}).x, 150);
    EXPECT_EQ(laid.axis.ScaleValueToPoint({1000, 0}).x, 350);
    // The chart's mapping of the axis stays linear: 1000 lies a tenth of
    // the way along.
    EXPECT_EQ(laid.axis.ValueToPoint({1000, 0}).x, 89);
    laid.axis.m_linearDrawing = 1;
    EXPECT_EQ(laid.axis.ScaleValueToPoint({1000, 0}).x, 89);

    // A minimum written below zero maps as the floor.
    laid.axis.m_linearDrawing = 0;
    laid.axis.m_viewMin = -3;
    EXPECT_EQ(laid.axis.ScaleValueToPoint({1e-16, 0}).x, 50);
    EXPECT_EQ(laid.axis.ScaleValueToPoint({-7, 0}).x, 50);
}

TEST(LogAxisTest, ARangeOfThreeAndAHalfToTwoHundredFiftyIsDrawnFromThreeToThreeHundred)
{
    LaidOut<CXGraphLogAxis> laid(CXGraphAxis::vertical);
    laid.axis.SetFullRange(3.5, 250);
    // No marker lines on this axis.
    laid.axis.SetMarker(0, 3.5);
    AxisCanvas canvas;
    laid.axis.Draw(&canvas.dc);
    ASSERT_DOUBLE_EQ(laid.axis.m_viewMin, 3);
    ASSERT_DOUBLE_EQ(laid.axis.m_viewMax, 300);
    EXPECT_EQ(laid.axis.m_length, 290);

    // Ticks at 3 ... 9, 10 ... 90, 100 ... 300: the one at 3 on the plot's
    // bottom edge stops at the axis line.
    std::set<int> expected;
    for (double value : {4, 5, 6, 7, 8, 9, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 200, 300})
        expected.insert(LogRow(value, 3, 300));
    EXPECT_EQ(GridRows(canvas), expected);
    EXPECT_EQ(canvas.At(46, 310), kGridBlue);
    // No marker line anywhere across the plot.
    for (int y = 10; y < 310; ++y)
        ASSERT_NE(canvas.At(300, y), RGB(0, 0, 0)) << y;

    // Labels at 10 and 100 only.
    EXPECT_TRUE(canvas.Inked(QRect(0, LogRow(10, 3, 300) - 3, 43, 7)));
    EXPECT_TRUE(canvas.Inked(QRect(0, LogRow(100, 3, 300) - 3, 43, 7)));
    EXPECT_FALSE(canvas.Inked(QRect(0, 250, 43, 59)));
    EXPECT_FALSE(canvas.Inked(QRect(0, 110, 43, 105)));
    EXPECT_FALSE(canvas.Inked(QRect(0, 10, 43, 65)));
    // The axis line and its hit band as on a linear axis.
    EXPECT_EQ(canvas.At(49, 200), RGB(0, 0, 0));
    EXPECT_EQ(laid.axis.m_rect, CRect(44, 10, 54, 310));
}

TEST(LogAxisTest, ItsValueBandsLieOnItsOwnScale)
{
    LaidOut<CXGraphLogAxis> laid(CXGraphAxis::vertical);
    laid.axis.m_autoScale = false;
    laid.axis.SetViewRange(1, 1000, 100);
    laid.axis.SetColorRange(0, 10, 100, 6, "");
    AxisCanvas canvas;
    laid.axis.Draw(&canvas.dc);
    const COLORREF yellow = RGB(255, 255, 0);
    EXPECT_EQ(canvas.At(300, LogRow(35, 1, 1000)), yellow);
    EXPECT_EQ(canvas.At(300, LogRow(10, 1, 1000) - 1), yellow);
    EXPECT_EQ(canvas.At(300, LogRow(6.5, 1, 1000)), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(300, LogRow(150, 1, 1000)), RGB(255, 255, 255));
}

TEST(LogAxisTest, AnInvisibleLogAxisDrawsNothingButLaysOut)
{
    LaidOut<CXGraphLogAxis> laid(CXGraphAxis::horizontal);
    laid.axis.m_visible = false;
    laid.axis.m_length = 1;
    laid.axis.SetFullRange(2, 50);
    AxisCanvas canvas;
    laid.axis.Draw(&canvas.dc);
    EXPECT_FALSE(canvas.Inked(QRect(0, 0, 500, 360)));
    EXPECT_EQ(laid.axis.m_length, 450 - 49 - 20);
    // Still scaled: a maximum on one digit goes up to the next.
    EXPECT_DOUBLE_EQ(laid.axis.m_viewMin, 2);
    EXPECT_DOUBLE_EQ(laid.axis.m_viewMax, 60);
}

TEST(LogAxisTest, DrawingLinearlyItIsALinearAxisPixelForPixel)
{
    for (int orientation : {CXGraphAxis::horizontal, CXGraphAxis::vertical}) {
        LaidOut<CXGraphLogAxis> logarithmic(orientation);
        logarithmic.axis.m_linearDrawing = 1;
        LaidOut<CXGraphAxis> linear(orientation);
        for (CXGraphAxis* axis : {static_cast<CXGraphAxis*>(&logarithmic.axis), &linear.axis}) {
            axis->m_title = "dB";
            axis->SetFullRange(3.5, 250);
            axis->SetColorRange(0, 50, 120, HS_CROSS, "band");
            axis->SetMarker(0, 75);
        }
        AxisCanvas first;
        AxisCanvas second;
        logarithmic.axis.Draw(&first.dc);
        linear.axis.Draw(&second.dc);
        EXPECT_TRUE(first.image == second.image) << orientation;
        EXPECT_EQ(logarithmic.axis.m_viewMin, linear.axis.m_viewMin);
        EXPECT_EQ(logarithmic.axis.m_viewMax, linear.axis.m_viewMax);
        EXPECT_EQ(logarithmic.axis.m_step, linear.axis.m_step);
        EXPECT_EQ(logarithmic.axis.m_length, linear.axis.m_length);
        EXPECT_EQ(logarithmic.axis.m_rect, linear.axis.m_rect);
        EXPECT_EQ(logarithmic.axis.ScaleValueToPoint({100, 100}).x,
                  linear.axis.ValueToPoint({100, 100}).x);
        EXPECT_EQ(logarithmic.axis.ScaleValueToPoint({100, 100}).y,
                  linear.axis.ValueToPoint({100, 100}).y);

        // Drawn logarithmically, the same axis looks different.
        logarithmic.axis.m_linearDrawing = 0;
        logarithmic.axis.SetFullRange(3.5, 250);
        AxisCanvas third;
        logarithmic.axis.Draw(&third.dc);
        EXPECT_FALSE(third.image == second.image) << orientation;
    }
}
