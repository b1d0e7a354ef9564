// The axis on its own: ranges, nice and time steps, alignment, mapping,
// labels, decorations, drawing limits and its stored form.

#include "ChartTestSupport.h"
#include "DCEx.h"
#include "Exceptions.h"
#include "XGraphAxis.h"

#include <cmath>
#include <limits>

using namespace charttest;

namespace {

// An axis laid out by hand on a chart that has no window.
struct LaidOutAxis
{
    CXGraph graph;
    CXGraphAxis axis;
    explicit LaidOutAxis(int orientation) { LayOutAxis(graph, axis, orientation); }
};

} // namespace

TEST(AxisRangeTest, AnEmptyRangeIsWidenedByOneEitherSide)
{
    CXGraphAxis axis;
    EXPECT_TRUE(axis.SetFullRange(5, 5));
    EXPECT_EQ(axis.m_fullMin, 4);
    EXPECT_EQ(axis.m_fullMax, 6);
    EXPECT_EQ(axis.m_viewMin, 4);
    EXPECT_EQ(axis.m_viewMax, 6);
    // Without a shown window the step is a tenth of the range.
    EXPECT_DOUBLE_EQ(axis.m_step, 0.2);

    // Too large to move by one: still a range that is not empty.
    EXPECT_TRUE(axis.SetFullRange(1e300, 1e300));
    EXPECT_GT(axis.m_viewMax, axis.m_viewMin);
}

TEST(AxisRangeTest, ALogarithmicRangeIsWidenedByDecadesAndKeptPositive)
{
    CXGraphAxis axis;
    axis.m_linear = 0;
    EXPECT_TRUE(axis.SetFullRange(5, 5));
    EXPECT_DOUBLE_EQ(axis.m_fullMin, 0.5);
    EXPECT_DOUBLE_EQ(axis.m_fullMax, 50);
    EXPECT_EQ(axis.m_step, 0);
    EXPECT_TRUE(axis.SetFullRange(-3, 0));
    EXPECT_EQ(axis.m_viewMin, 1e-16);
    EXPECT_EQ(axis.m_viewMax, 1e-15);
}

TEST(AxisRangeTest, ReversedAndUndefinedRangesAreRefusedAndChangeNothing)
{
    CXGraphAxis axis;
    ASSERT_TRUE(axis.SetFullRange(0, 10));
    EXPECT_FALSE(axis.SetFullRange(3, 2));
    EXPECT_FALSE(axis.SetViewRange(3, 2, 0));
    EXPECT_FALSE(axis.SetFullRange(std::nan(""), 2));
    EXPECT_FALSE(axis.SetViewRange(0, std::numeric_limits<double>::infinity(), 0));
    EXPECT_EQ(axis.m_viewMin, 0);
    EXPECT_EQ(axis.m_viewMax, 10);
    EXPECT_EQ(axis.m_fullMax, 10);
}

TEST(AxisRangeTest, LargeValuesSwitchToExponentsExceptForDates)
{
    CXGraphAxis numbers;
    numbers.SetFullRange(0, 2e6);
    EXPECT_EQ(numbers.m_displayFormat, CString("%5.2e"));
    // It is not switched back.
    numbers.SetFullRange(0, 1);
    EXPECT_EQ(numbers.m_displayFormat, CString("%5.2e"));

    CXGraphAxis dates;
    dates.m_dateTime = true;
    dates.m_displayFormat = "%H:%M";
    dates.SetFullRange(1e6, 2e6);
    EXPECT_EQ(dates.m_displayFormat, CString("%H:%M"));
}

TEST(AxisRangeTest, TheViewRangeKeepsTheDataRangeAndAGivenStep)
{
    CXGraphAxis axis;
    axis.SetFullRange(0, 100);
    EXPECT_TRUE(axis.SetViewRange(10, 20, 2.5));
    EXPECT_EQ(axis.m_fullMin, 0);
    EXPECT_EQ(axis.m_fullMax, 100);
    EXPECT_EQ(axis.m_viewMin, 10);
    EXPECT_EQ(axis.m_viewMax, 20);
    EXPECT_EQ(axis.m_step, 2.5);
    EXPECT_TRUE(axis.SetViewRange(10, 30, 0));
    EXPECT_DOUBLE_EQ(axis.m_step, 2.0);
}

TEST(NiceStepTest, RoundsUpToOneTwoOrFiveTimesAPowerOfTen)
{
    EXPECT_DOUBLE_EQ(CXGraphAxis::NiceStep(0.23), 0.5);
    EXPECT_DOUBLE_EQ(CXGraphAxis::NiceStep(7), 10);
    EXPECT_DOUBLE_EQ(CXGraphAxis::NiceStep(1), 1);
    EXPECT_DOUBLE_EQ(CXGraphAxis::NiceStep(150), 200);
    EXPECT_DOUBLE_EQ(CXGraphAxis::NiceStep(0.0012), 0.002);
    EXPECT_DOUBLE_EQ(CXGraphAxis::NiceStep(3000), 5000);
    // Steps that are not usable give no step instead of looping.
    EXPECT_EQ(CXGraphAxis::NiceStep(0), 0);
    EXPECT_EQ(CXGraphAxis::NiceStep(-4), 0);
    EXPECT_EQ(CXGraphAxis::NiceStep(std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(CXGraphAxis::NiceStep(std::nan("")), 0);
}

TEST(AlignToStepTest, WidensOutwardOntoMultiplesOfTheStep)
{
    double minimum = 0.3;
    double maximum = 9.7;
    CXGraphAxis::AlignToStep(minimum, maximum, 1);
    EXPECT_NEAR(minimum, 0, 1e-12);
    EXPECT_NEAR(maximum, 10, 1e-12);

    minimum = 3.3;
    maximum = 4.7;
    CXGraphAxis::AlignToStep(minimum, maximum, 1);
    EXPECT_NEAR(minimum, 2.0, 1e-12);
    EXPECT_NEAR(maximum, 5.0, 1e-12);

    minimum = -3.3;
    maximum = -4.7;
    CXGraphAxis::AlignToStep(minimum, maximum, 1);
    EXPECT_NEAR(minimum, -4.0, 1e-12);
    EXPECT_NEAR(maximum, -3.0, 1e-12);

    // A multiple of the step stays where it is.
    minimum = 2;
    maximum = 8;
    CXGraphAxis::AlignToStep(minimum, maximum, 2);
    EXPECT_EQ(minimum, 2);
    EXPECT_EQ(maximum, 8);
}

TEST(AlignToStepTest, FarFromZeroWithATinyStepItStillEnds)
{
    double minimum = 1e12 + 0.25;
    double maximum = 1e12 + 0.75;
    CXGraphAxis::AlignToStep(minimum, maximum, 0.1);
    EXPECT_LE(minimum, 1e12 + 0.25);
    EXPECT_GE(maximum, 1e12 + 0.75);
}

TEST(TimeStepTest, PicksTheNextStepOfTheTable)
{
    // One hour in six labels: 600 s a label.
    const double hour = 1.0 / 24;
    EXPECT_DOUBLE_EQ(CXGraphAxis::TimeStep(6, 46000, 46000 + hour), 600.0 / 86400);
    // Seven labels: 514 s lies between 300 and 600.
    EXPECT_DOUBLE_EQ(CXGraphAxis::TimeStep(7, 46000, 46000 + hour), 600.0 / 86400);
    // A day in 4: 21600 s goes up to 28800.
    EXPECT_DOUBLE_EQ(CXGraphAxis::TimeStep(4, 46000, 46001), 28800.0 / 86400);
    // Beyond the table the step is the time per label itself.
    EXPECT_DOUBLE_EQ(CXGraphAxis::TimeStep(1, 0, 20000 * 365.0),
                     std::floor(20000 * 365.0 * 86400 + 0.5) / 86400);
    EXPECT_EQ(CXGraphAxis::TimeStep(0, 46000, 46001), 0);
}

TEST(TimeStepTest, AlignmentFallsOnWholeStepsSince1970)
{
    const double tenMinutes = 600.0 / 86400;
    // 2026-12-09 08:03:20 to 09:57:00.
    double minimum = 46365 + (8 * 3600 + 3 * 60 + 20) / 86400.0;
    double maximum = 46365 + (9 * 3600 + 57 * 60) / 86400.0;
    CXGraphAxis::AlignToTimeStep(minimum, maximum, tenMinutes);
    EXPECT_NEAR(minimum, 46365 + 8 * 3600 / 86400.0, 1e-9);
    EXPECT_NEAR(maximum, 46365 + 10 * 3600 / 86400.0, 1e-9);
    // Dates after 2038 do not overflow the seconds.
    minimum = 55000.1;
    maximum = 55000.9;
    CXGraphAxis::AlignToTimeStep(minimum, maximum, 1.0);
    EXPECT_NEAR(minimum, 55000, 1e-9);
    EXPECT_NEAR(maximum, 55001, 1e-9);
}

TEST(AxisMappingTest, ValuesAndPixelsMapBothWays)
{
    LaidOutAxis horizontal(CXGraphAxis::horizontal);
    horizontal.axis.SetViewRange(0, 100, 10);
    EXPECT_EQ(horizontal.axis.ValueToPoint({0, 0}).x, 50);
    EXPECT_EQ(horizontal.axis.ValueToPoint({50, 0}).x, 250);
    EXPECT_EQ(horizontal.axis.ValueToPoint({50, 0}).y, 0);
    EXPECT_EQ(horizontal.axis.ValueToPoint({100, 0}).x, 450);
    EXPECT_DOUBLE_EQ(horizontal.axis.PointToValue(250), 50);
    // Truncated toward zero.
    EXPECT_EQ(horizontal.axis.ValueToPoint({0.99, 0}).x, 53);

    LaidOutAxis vertical(CXGraphAxis::vertical);
    vertical.axis.SetViewRange(-10, 10, 1);
    EXPECT_EQ(vertical.axis.ValueToPoint({0, -10}).y, 310);
    EXPECT_EQ(vertical.axis.ValueToPoint({0, 0}).y, 110);
    EXPECT_EQ(vertical.axis.ValueToPoint({0, 10}).x, 0);
    EXPECT_DOUBLE_EQ(vertical.axis.PointToValue(110), 0);
    EXPECT_DOUBLE_EQ(vertical.axis.m_span, 20);
}

TEST(AxisMappingTest, FarOutsideTheViewPixelsStayDrawable)
{
    LaidOutAxis axis(CXGraphAxis::horizontal);
    axis.axis.SetViewRange(0, 1e-6, 1e-7);
    const int far = axis.axis.ValueToPoint({1e12, 0}).x;
    EXPECT_GT(far, 450);
    EXPECT_LE(far, 1000000000);
}

TEST(AxisLabelTest, NumbersFollowTheFormatAndBadFormatsFallBack)
{
    CXGraphAxis axis;
    axis.m_displayFormat = "%.2f";
    EXPECT_EQ(axis.FormatLabel(85.256), CString("85.26"));
    axis.m_displayFormat = "%s%n";
    EXPECT_EQ(axis.FormatLabel(85.256), CString(" 85.3"));
    axis.m_displayFormat = "%5.1f %5.1f";
    EXPECT_EQ(axis.FormatLabel(3), CString("  3.0"));
}

TEST(AxisLabelTest, DatesFollowTheirPattern)
{
    CXGraphAxis axis;
    axis.m_dateTime = true;
    axis.m_displayFormat = "%d.%m.%Y %H:%M:%S";
    EXPECT_EQ(axis.FormatLabel(46365.5), CString("09.12.2026 12:00:00"));
}

TEST(AxisDecorationTest, ColourRangesAppendOrReplaceAndAreYellow)
{
    CXGraphAxis axis;
    axis.SetColorRange(0, 1, 2, 6, "first");
    axis.SetColorRange(1, 3, 4, HS_CROSS, "second");
    axis.SetColorRange(0, 5, 6, 6, "replaced");
    // An index past the end is ignored.
    axis.SetColorRange(5, 7, 8, 6, "lost");
    ASSERT_EQ(axis.m_colorRanges.size(), 2u);
    EXPECT_EQ(axis.m_colorRanges[0].from, 5);
    EXPECT_EQ(CString(axis.m_colorRanges[0].label), CString("replaced"));
    EXPECT_EQ(axis.m_colorRanges[1].style, HS_CROSS);
    EXPECT_EQ(axis.m_colorRanges[1].colour1, RGB(255, 255, 0));
    EXPECT_EQ(axis.m_colorRanges[1].colour2, RGB(255, 255, 0));
}

TEST(AxisDecorationTest, MarkersOfHorizontalAxesHaveUprightText)
{
    CXGraphAxis vertical;
    vertical.m_orientation = CXGraphAxis::vertical;
    vertical.SetMarker(0, 3.5);
    EXPECT_EQ(vertical.m_markers[0].font.lfEscapement, 0);
    EXPECT_EQ(vertical.m_markers[0].font.lfHeight, 13);

    CXGraphAxis horizontal;
    horizontal.SetMarker(0, 1);
    horizontal.SetMarker(1, 2);
    horizontal.SetMarker(0, 9);
    ASSERT_EQ(horizontal.m_markers.size(), 2u);
    EXPECT_EQ(horizontal.m_markers[0].value, 9);
    EXPECT_EQ(horizontal.m_markers[0].font.lfEscapement, 900);
    EXPECT_EQ(horizontal.m_markers[0].font.lfOrientation, 900);
    EXPECT_EQ(horizontal.m_markers[0].font.lfClipPrecision, CLIP_LH_ANGLES);
    horizontal.RemoveMarker(5);
    horizontal.RemoveMarker(-1);
    EXPECT_EQ(horizontal.m_markers.size(), 2u);
    horizontal.RemoveMarker(0);
    ASSERT_EQ(horizontal.m_markers.size(), 1u);
    EXPECT_EQ(horizontal.m_markers[0].value, 2);
}

TEST(AxisDrawingTest, AVerticalAxisStillToBePlacedDrawsNoLabelsOrTicks)
{
    LaidOutAxis laid(CXGraphAxis::vertical);
    laid.axis.m_placement = CXGraphAxis::placementAuto;
    laid.axis.m_autoScale = false;
    laid.axis.SetViewRange(0, 10, 1);
    AxisCanvas canvas;
    laid.axis.Draw(&canvas.dc);
    // The axis line is there, left of it nothing.
    EXPECT_EQ(canvas.image.pixel(49, 200), 0xFF000000);
    EXPECT_FALSE(canvas.Inked(QRect(0, 20, 45, 280)));

    LaidOutAxis placed(CXGraphAxis::vertical);
    placed.axis.m_autoScale = false;
    placed.axis.SetViewRange(0, 10, 1);
    AxisCanvas labelled;
    placed.axis.Draw(&labelled.dc);
    EXPECT_TRUE(labelled.Inked(QRect(0, 20, 45, 280)));
}

TEST(AxisDrawingTest, ItLaysOutItsLengthAndHitBand)
{
    LaidOutAxis laid(CXGraphAxis::vertical);
    laid.axis.m_autoScale = false;
    laid.axis.m_showSymbols = false;
    laid.axis.SetViewRange(0, 10, 1);
    AxisCanvas canvas;
    laid.axis.Draw(&canvas.dc);
    // Length: plot height less two tick lengths and the title's height.
    const int title = laid.axis.MeasureTitle().cy;
    EXPECT_EQ(laid.axis.m_length, 300 - (10 + title));
    EXPECT_EQ(laid.axis.m_rect, CRect(44, 10, 54, 310));

    LaidOutAxis across(CXGraphAxis::horizontal);
    across.axis.m_autoScale = false;
    across.axis.m_showSymbols = false;
    across.axis.SetViewRange(0, 10, 1);
    AxisCanvas second;
    across.axis.Draw(&second.dc);
    const int width = across.axis.MeasureTitle().cx;
    EXPECT_EQ(across.axis.m_length, 450 - 49 - (20 + width));
    EXPECT_EQ(across.axis.m_rect, CRect(49, 305, 450, 315));
}

TEST(AxisDrawingTest, AnInvisibleAxisDrawsNothingButStillLaysOut)
{
    LaidOutAxis laid(CXGraphAxis::horizontal);
    laid.axis.m_visible = false;
    laid.axis.m_autoScale = false;
    laid.axis.m_length = 1;
    laid.axis.SetViewRange(0, 10, 1);
    AxisCanvas canvas;
    laid.axis.Draw(&canvas.dc);
    EXPECT_FALSE(canvas.Inked(QRect(0, 0, 500, 360)));
    EXPECT_GT(laid.axis.m_length, 300);
    EXPECT_DOUBLE_EQ(laid.axis.m_span, 10);
}

TEST(AxisDrawingTest, AHorizontalAxisLeavesOneSymbolCellFreeWithoutSeries)
{
    LaidOutAxis horizontal(CXGraphAxis::horizontal);
    AxisCanvas canvas;
    EXPECT_EQ(horizontal.axis.LayoutSeriesSymbols(&canvas.dc, false), 10);
    LaidOutAxis vertical(CXGraphAxis::vertical);
    EXPECT_EQ(vertical.axis.LayoutSeriesSymbols(&canvas.dc, false), 0);
    horizontal.axis.m_showSymbols = false;
    EXPECT_EQ(horizontal.axis.LayoutSeriesSymbols(&canvas.dc, false), 0);
}

TEST(AxisDrawingTest, UnusableStepsStillEndTheTickLoops)
{
    for (double step : {0.0, -1.0, 1e-300, std::nan(""), std::numeric_limits<double>::infinity()}) {
        LaidOutAxis laid(CXGraphAxis::vertical);
        laid.axis.m_autoScale = false;
        laid.axis.SetViewRange(0, 10, 1);
        laid.axis.m_step = step;
        AxisCanvas canvas;
        laid.axis.Draw(&canvas.dc);
        // Ticks still show with a step the axis could use.
        EXPECT_TRUE(canvas.Inked(QRect(0, 20, 45, 280))) << step;
    }
    // A step lost in the size of the values: the loop stops after the one
    // tick it can place, at the start, and the axis line is drawn to its
    // end.
    LaidOutAxis huge(CXGraphAxis::horizontal);
    huge.axis.m_autoScale = false;
    huge.axis.SetViewRange(1e20, 1e20 + 1e6, 1e3);
    AxisCanvas canvas;
    huge.axis.Draw(&canvas.dc);
    EXPECT_TRUE(canvas.Inked(QRect(0, 315, 100, 20)));
    EXPECT_FALSE(canvas.Inked(QRect(200, 312, 200, 30)));
    EXPECT_TRUE(canvas.Inked(QRect(400, 310, 30, 1)));
}

TEST(AxisDrawingTest, TheTickOnZeroReadsZeroWithoutASign)
{
    // From -1.0 in steps of 0.2 the sum reaches zero only up to rounding
    // (-5.6e-17), which "%.1f" would print as "-0.0".
    LaidOutAxis laid(CXGraphAxis::vertical);
    laid.axis.m_autoScale = false;
    laid.axis.m_displayFormat = "%.1f";
    laid.axis.SetViewRange(-1.0, 1.2, 0.2);
    AxisCanvas canvas;
    laid.axis.Draw(&canvas.dc);
    // The labels left of the ticks, from the bottom up: the first ink
    // column of each.
    const int right = laid.axis.m_originX - laid.axis.m_tickLength - 1;
    std::vector<int> firstColumns;
    bool inLabel = false;
    for (int y = 359; y >= 0; --y) {
        int first = -1;
        for (int x = 0; x < right && first < 0; ++x)
            if (canvas.image.pixel(x, y) != 0xFFFFFFFF)
                first = x;
        if (first >= 0 && !inLabel)
            firstColumns.push_back(first);
        else if (first >= 0)
            firstColumns.back() = std::min(firstColumns.back(), first);
        inLabel = first >= 0;
    }
    ASSERT_EQ(firstColumns.size(), 12u);
    // "0.0" starts where "0.2" does, right of "-0.2".
    EXPECT_EQ(firstColumns[5], firstColumns[6]);
    EXPECT_GT(firstColumns[5], firstColumns[4]);
}

TEST(AxisDrawingTest, AutoScalingGivesANiceStepAndAlignedEnds)
{
    LaidOutAxis laid(CXGraphAxis::vertical);
    laid.axis.SetFullRange(0.3, 9.7);
    AxisCanvas canvas;
    laid.axis.Draw(&canvas.dc);
    const double step = laid.axis.m_step;
    EXPECT_EQ(step, CXGraphAxis::NiceStep(step));
    EXPECT_LE(laid.axis.m_viewMin, 0.3);
    EXPECT_GE(laid.axis.m_viewMax, 9.7);
    EXPECT_NEAR(std::remainder(laid.axis.m_viewMin, step), 0, 1e-9);
    EXPECT_NEAR(std::remainder(laid.axis.m_viewMax, step), 0, 1e-9);
}

TEST(AxisSerializationTest, AnAxisLoadsBackWithItsBandsMarkersAndFonts)
{
    CXGraphAxis original;
    original.m_orientation = CXGraphAxis::vertical;
    original.SetFullRange(-2, 8);
    original.SetViewRange(0, 4, 0.5);
    original.m_title = "Level (dB)";
    original.m_displayFormat = "%.2f";
    original.m_grid = false;
    original.m_dateTime = true;
    original.m_placement = CXGraphAxis::placementRight;
    original.m_gridColour = RGB(1, 2, 3);
    original.m_colour = RGB(4, 5, 6);
    original.m_length = 321;
    original.SetColorRange(0, 1, 2, 3, "band");
    original.SetMarker(0, 2.5);
    original.m_markers[0].label = "not stored";
    original.m_markers[0].showValue = false;
    original.m_labelFont.m_logFont.lfHeight = 17;
    original.m_titleFont.m_logFont.lfItalic = 1;

    const std::vector<BYTE> bytes = Stored(original);
    // Three flags, two strings, five doubles, eight ints, a double, a flag,
    // two doubles, three ints, a flag, two counts with their records and
    // the two fonts.
    const std::size_t strings = (1 + 4 * 2) + (1 + 10 * 2) + 2 * 3;
    EXPECT_EQ(bytes.size(),
              3 + strings + 5 * 8 + 8 * 4 + 8 + 1 + 16 + 12 + 1 + 4 + 552 + 4 + 120 + 2 * 92);

    CXGraphAxis loaded;
    RoundTrip(original, loaded);
    EXPECT_EQ(loaded.m_fullMin, -2);
    EXPECT_EQ(loaded.m_viewMax, 4);
    EXPECT_EQ(loaded.m_step, 0.5);
    EXPECT_EQ(loaded.m_title, original.m_title);
    EXPECT_EQ(loaded.m_displayFormat, CString("%.2f"));
    EXPECT_FALSE(loaded.m_grid);
    EXPECT_TRUE(loaded.m_dateTime);
    EXPECT_EQ(loaded.m_orientation, CXGraphAxis::vertical);
    EXPECT_EQ(loaded.m_placement, CXGraphAxis::placementRight);
    EXPECT_EQ(loaded.m_gridColour, RGB(1, 2, 3));
    EXPECT_EQ(loaded.m_colour, RGB(4, 5, 6));
    EXPECT_EQ(loaded.m_length, 321);
    ASSERT_EQ(loaded.m_colorRanges.size(), 1u);
    EXPECT_EQ(CString(loaded.m_colorRanges[0].label), CString("band"));
    EXPECT_EQ(loaded.m_colorRanges[0].style, 3);
    ASSERT_EQ(loaded.m_markers.size(), 1u);
    EXPECT_EQ(loaded.m_markers[0].value, 2.5);
    EXPECT_FALSE(loaded.m_markers[0].showValue);
    EXPECT_TRUE(loaded.m_markers[0].label.IsEmpty());
    EXPECT_EQ(loaded.m_labelFont.m_logFont.lfHeight, 17);
    EXPECT_EQ(loaded.m_titleFont.m_logFont.lfItalic, 1);
    EXPECT_EQ(CString(loaded.m_labelFont.m_logFont.lfFaceName), CString("Arial"));
}

TEST(AxisSerializationTest, ShortOrDamagedArchivesRaiseArchiveErrors)
{
    CXGraphAxis original;
    original.SetFullRange(0, 1);
    std::vector<BYTE> bytes = Stored(original);
    std::vector<BYTE> cut(bytes.begin(), bytes.end() - 10);
    CMemFile shortFile(cut);
    CArchive shortArchive(&shortFile, CArchive::load);
    CXGraphAxis loaded;
    try {
        loaded.Serialize(shortArchive);
        FAIL() << "a short archive loaded";
    } catch (const CArchiveException& error) {
        EXPECT_EQ(error.m_cause, CArchiveException::endOfFile);
    }
}

namespace {

bool IsNice(double step)
{
    const double exponent = std::floor(std::log10(step));
    const double mantissa = step / std::pow(10.0, exponent);
    return std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 ||
           std::fabs(mantissa - 5) < 1e-9 || std::fabs(mantissa - 10) < 1e-9;
}

} // namespace

TEST(EstimatedStepTest, AnEstimatedStepIsMadeNiceFromTheDrawnAxisAndFollowsItsWidth)
{
    PlainChart shown;
    CXGraphAxis& x = shown.chart.XAxisAt(0);
    // A range set without a step: the step is the chart's to choose.
    x.SetFullRange(0, 1263.2);
    EXPECT_TRUE(x.m_stepEstimated);
    shown.Paint();
    const double narrow = x.m_step;
    EXPECT_TRUE(IsNice(narrow)) << narrow;
    // As many labels as fit, each with room of its own.
    const int labels = static_cast<int>(1263.2 / narrow);
    EXPECT_LE(labels * (x.MeasureLabelWidth() + 5), x.m_length + x.MeasureLabelWidth());
    // Wider, the step is estimated again: finer.
    shown.parent.MoveWindow(0, 0, 1600, 300);
    shown.chart.MoveWindow(0, 0, 1600, 300);
    shown.Paint();
    EXPECT_TRUE(IsNice(x.m_step)) << x.m_step;
    EXPECT_LT(x.m_step, narrow);
}

TEST(EstimatedStepTest, AStepTheUserGaveIsKeptAndTicksStartAtItsMultiples)
{
    PlainChart shown;
    CXGraphAxis& x = shown.chart.XAxisAt(0);
    x.SetViewRange(3, 97, 7);
    EXPECT_FALSE(x.m_stepEstimated);
    shown.Paint();
    EXPECT_EQ(x.m_step, 7);
    // An estimated step counts from its multiples, not from the minimum.
    x.SetViewRange(3, 97, 0);
    shown.Paint();
    const double step = x.m_step;
    ASSERT_TRUE(IsNice(step));
    // The first tick is the first multiple of the step inside the range:
    // its grid line stands where that value maps.
    x.m_grid = true;
    const QImage& image = shown.Paint();
    const double first = std::ceil(3 / step) * step;
    // (The grid steps from the axis line, the mapping from the plot's edge
    // a pixel on: a pixel either way.)
    const int column = x.ValueToPoint({first, 0}).x;
    int dark = 0;
    for (int y = x.m_farEdge + 10; y < x.m_farEdge + 50; ++y)
        for (int c = column - 1; c <= column + 1; ++c)
            dark += qGray(image.pixel(c, y)) < 200 ? 1 : 0;
    EXPECT_GT(dark, 5) << "no grid line at " << first;
}
