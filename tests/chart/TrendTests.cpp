// Curves derived from a series: the polynomial solver, the five moving
// averages, the trend lines, and the commands that add them to the chart.

#include "ChartTestSupport.h"
#include "ModalSeam.h"
#include "PolynomialSolver.h"
#include "WindowDC.h"
#include "XGraphDataSerie.h"

#include <cmath>
#include <limits>

using namespace charttest;

namespace {

// A series over the caller's points, as the chart keeps one without a copy.
struct SourceSeries
{
    std::vector<DataPoint> points;
    CXGraphDataSerie series;
    explicit SourceSeries(std::vector<DataPoint> given) : points(std::move(given))
    {
        series.m_points = points.data();
        series.m_count = static_cast<int>(points.size());
    }
};

// Points at x = 0, 1, 2, ... with these y values.
std::vector<DataPoint> Values(std::initializer_list<double> ys)
{
    std::vector<DataPoint> points;
    double x = 0;
    for (double y : ys)
        points.push_back({x++, y});
    return points;
}

std::vector<double> Ys(const std::vector<DataPoint>& points)
{
    std::vector<double> ys;
    for (const DataPoint& point : points)
        ys.push_back(point.fYVal);
    return ys;
}

void ExpectYs(const std::vector<DataPoint>& points, const std::vector<double>& expected)
{
    ASSERT_EQ(points.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(points[i].fYVal, expected[i], 1e-12) << "point " << i;
}

// Counts the message boxes a command shows and keeps the last one.
struct MessageBoxes
{
    int count = 0;
    ModalRequest last;
    ScopedModalResponder responder{[this](const ModalRequest& request) -> INT_PTR {
        if (request.kind == ModalRequest::messageBox) {
            ++count;
            last = request;
        }
        return IDOK;
    }};
};

} // namespace

// The solver ---------------------------------------------------------------------

TEST(PolynomialSolverTest, SolvesASystemThatNeedsItsRowsSwapped)
{
    // A zero on the diagonal of the first row: without pivoting the first
    // division would be by zero.
    std::vector<std::vector<double>> matrix = {{0, 2, 1}, {1, 1, 1}, {2, 1, 0}};
    // The solution is (1, 2, 3).
    std::vector<double> rhs = {7, 6, 4};
    ASSERT_TRUE(CPolynomialSolver::SolveLinearSystem(matrix, rhs, 3));
    EXPECT_NEAR(rhs[0], 1, 1e-12);
    EXPECT_NEAR(rhs[1], 2, 1e-12);
    EXPECT_NEAR(rhs[2], 3, 1e-12);
}

TEST(PolynomialSolverTest, ASingularOrTooSmallSystemFails)
{
    // The second column becomes all zero once the first is eliminated.
    std::vector<std::vector<double>> singular = {{1, 2}, {2, 4}};
    std::vector<double> rhs = {1, 2};
    EXPECT_FALSE(CPolynomialSolver::SolveLinearSystem(singular, rhs, 2));

    std::vector<std::vector<double>> small = {{1, 0}, {0, 1}};
    std::vector<double> shortRhs = {1};
    EXPECT_FALSE(CPolynomialSolver::SolveLinearSystem(small, shortRhs, 2));
    EXPECT_FALSE(CPolynomialSolver::SolveLinearSystem(small, rhs, 3));
    EXPECT_FALSE(CPolynomialSolver::SolveLinearSystem(small, rhs, -1));
}

TEST(PolynomialSolverTest, AFitRecoversTheCoefficientsOfItsPoints)
{
    // y = 2 - 3x + 0.5x^2 at uneven x.
    std::vector<DataPoint> points;
    for (double x : {-2.0, -0.5, 0.0, 1.0, 2.5, 4.0, 5.0})
        points.push_back({x, 2 - 3 * x + 0.5 * x * x});
    CPolynomialSolver solver;
    ASSERT_TRUE(solver.Fit(3, points.data(), static_cast<int>(points.size())));
    EXPECT_EQ(solver.m_coefficientCount, 3);
    EXPECT_NEAR(solver.m_coefficients[0], 2, 1e-9);
    EXPECT_NEAR(solver.m_coefficients[1], -3, 1e-9);
    EXPECT_NEAR(solver.m_coefficients[2], 0.5, 1e-9);
    EXPECT_NEAR(solver.Evaluate(3), 2 - 9 + 4.5, 1e-9);

    // One coefficient more: the cubic term is not there.
    ASSERT_TRUE(solver.Fit(4, points.data(), static_cast<int>(points.size())));
    EXPECT_NEAR(solver.m_coefficients[3], 0, 1e-9);
    EXPECT_NEAR(solver.m_coefficients[2], 0.5, 1e-9);
}

TEST(PolynomialSolverTest, ALineThroughScatteredPointsIsTheLeastSquaresLine)
{
    // Through (0, 0), (1, 2), (2, 1): slope 0.5, intercept 0.5.
    const std::vector<DataPoint> points = {{0, 0}, {1, 2}, {2, 1}};
    CPolynomialSolver solver;
    ASSERT_TRUE(solver.Fit(2, points.data(), 3));
    EXPECT_NEAR(solver.m_coefficients[0], 0.5, 1e-12);
    EXPECT_NEAR(solver.m_coefficients[1], 0.5, 1e-12);
}

TEST(PolynomialSolverTest, ThreeCoefficientsOverOneXValueDoNotFit)
{
    const std::vector<DataPoint> points = {{1, 1}, {1, 2}, {1, 3}};
    CPolynomialSolver solver;
    EXPECT_FALSE(solver.Fit(3, points.data(), 3));
}

TEST(PolynomialSolverTest, CountsOutsideTwoToTwentyAreRefusedAndChangeNothing)
{
    const std::vector<DataPoint> points = Line(30, 0, 1, 1, 2);
    CPolynomialSolver solver;
    ASSERT_TRUE(solver.Fit(2, points.data(), 30));
    const CPolynomialSolver before = solver;
    for (int count : {-3, 0, 1, 21, 22, 1000}) {
        EXPECT_FALSE(solver.Fit(count, points.data(), 30)) << count;
        EXPECT_EQ(solver.m_coefficientCount, 2);
        EXPECT_EQ(solver.m_coefficients, before.m_coefficients);
    }
    EXPECT_TRUE(solver.Fit(20, points.data(), 30));
    EXPECT_EQ(solver.m_coefficientCount, 20);
}

TEST(PolynomialSolverTest, EvaluatingSumsEveryPowerAndStaysInsideTheSlots)
{
    CPolynomialSolver solver;
    solver.m_coefficientCount = 3;
    solver.m_coefficients = {1, 2, 3};
    EXPECT_EQ(solver.Evaluate(2), 1 + 4 + 12);
    EXPECT_EQ(solver.Evaluate(-1), 1 - 2 + 3);

    CPolynomialSolver high;
    high.m_coefficientCount = 14;
    high.m_coefficients[13] = 1;
    EXPECT_EQ(high.Evaluate(2), 8192);
    EXPECT_EQ(high.Evaluate(-1.5), std::pow(-1.5, 13));

    // A count from outside reads no more than the 21 slots.
    CPolynomialSolver ones;
    ones.m_coefficients.fill(1);
    ones.m_coefficientCount = 50;
    EXPECT_EQ(ones.Evaluate(1), 21);
    const std::string formula = ones.FormulaText().ToUtf8();
    EXPECT_NE(formula.find("X^20"), std::string::npos);
    EXPECT_EQ(formula.find("X^21"), std::string::npos);
}

TEST(PolynomialSolverTest, TheFormulaLeavesOutZeroTerms)
{
    CPolynomialSolver solver;
    solver.m_coefficientCount = 3;
    solver.m_coefficients = {1.5, 0, -2};
    EXPECT_EQ(solver.FormulaText(), CString("f(x)=1.5000e+00*X^0+\n-2.0000e+00*X^2"));

    // With the last coefficient zero the text ends on the separator.
    solver.m_coefficients = {1, 0.25, 0};
    EXPECT_EQ(solver.FormulaText(), CString("f(x)=1.0000e+00*X^0+\n2.5000e-01*X^1+\n"));

    solver.m_coefficients = {0, 0, 0};
    EXPECT_EQ(solver.FormulaText(), CString("f(x)="));
}

// Moving averages ----------------------------------------------------------------

TEST(MovingAverageTest, TheSimpleAverageGrowsItsWindowFromTheSecondPoint)
{
    std::vector<DataPoint> points = Values({1, 2, 3, 4, 5});
    for (DataPoint& point : points)
        point.fXVal = point.fXVal * 0.5 + 7;
    SourceSeries source(points);
    const std::vector<DataPoint> average = source.series.SimpleMovingAverage(3);
    ExpectYs(average, {1, 2, 2.5, 3, 4});
    for (std::size_t i = 0; i < points.size(); ++i)
        EXPECT_EQ(average[i].fXVal, points[i].fXVal);

    // A window longer than the series averages everything after the first
    // point.
    ExpectYs(source.series.SimpleMovingAverage(std::numeric_limits<int>::max()),
             {1, 2, 2.5, 3, 3.5});
}

TEST(MovingAverageTest, TheExponentialAverageWithAWindowOfOneIsTheInput)
{
    SourceSeries source(Values({3, -1, 4, 1, -5, 9}));
    ExpectYs(source.series.ExponentialMovingAverage(1), {3, -1, 4, 1, -5, 9});
    // N = 3: half of each point and half of the average before it.
    SourceSeries doubling(Values({1, 2, 3}));
    ExpectYs(doubling.series.ExponentialMovingAverage(3), {1, 1.5, 2.25});
    // The largest window does not overflow into a negative weight.
    const std::vector<DataPoint> slow =
        doubling.series.ExponentialMovingAverage(std::numeric_limits<int>::max());
    EXPECT_NEAR(slow[2].fYVal, 1, 1e-8);
}

TEST(MovingAverageTest, TheLinearAverageWeightsTheNewestPointMost)
{
    SourceSeries source(Values({1, 2, 3}));
    ExpectYs(source.series.LinearMovingAverage(2), {1, 2, 8.0 / 3.0});
    // N = 3 over 1, 2, 3, 10: (3 * 10 + 2 * 3 + 1 * 2) / 6.
    SourceSeries longer(Values({1, 2, 3, 10}));
    ExpectYs(longer.series.LinearMovingAverage(3), {1, 2, 8.0 / 3.0, 38.0 / 6.0});
}

TEST(MovingAverageTest, TheTriangularAverageWeightsTheMiddleOfItsWindow)
{
    // Windows of 1 and 2 weigh evenly; a window of 3 weighs 1.5, 3, 1.5.
    SourceSeries source(Values({1, 2, 4, 8, 16}));
    ExpectYs(source.series.TriangularMovingAverage(3), {1, 2, 3, 4.5, 9});
}

TEST(MovingAverageTest, TheSineWeightsKeepTheirDivisorOnceTheWindowIsFull)
{
    // N = 3: the angle is pi / 4, so the weights are sin 45, sin 90 and
    // sin 135 degrees.
    const double s = std::sqrt(0.5);
    SourceSeries source(Values({1, 2, 4, 8, 16, 32}));
    const std::vector<DataPoint> average = source.series.SineWeightedMovingAverage(3);
    ASSERT_EQ(average.size(), 6u);
    EXPECT_EQ(average[0].fYVal, 1);
    EXPECT_NEAR(average[1].fYVal, 2, 1e-12);
    // A window of two still uses the angle of the requested window: the
    // newest point weighs sin 90, the older sin 45.
    EXPECT_NEAR(average[2].fYVal, (s * 2 + 1 * 4) / (s + 1), 1e-12);
    EXPECT_NEAR(average[3].fYVal, (s * 2 + 1 * 4 + s * 8) / (2 * s + 1), 1e-12);
    // Beyond the window: the full window's divisor.
    EXPECT_NEAR(average[4].fYVal, (s * 4 + 1 * 8 + s * 16) / (2 * s + 1), 1e-12);
    EXPECT_NEAR(average[5].fYVal, (s * 8 + 1 * 16 + s * 32) / (2 * s + 1), 1e-12);
}

TEST(MovingAverageTest, NoPointsOrAnEmptyWindowGiveNoAverage)
{
    using Average = std::vector<DataPoint> (CXGraphDataSerie::*)(int) const;
    const Average averages[] = {
        &CXGraphDataSerie::SimpleMovingAverage, &CXGraphDataSerie::LinearMovingAverage,
        &CXGraphDataSerie::ExponentialMovingAverage, &CXGraphDataSerie::TriangularMovingAverage,
        &CXGraphDataSerie::SineWeightedMovingAverage};
    SourceSeries source(Values({1, 2, 3}));
    SourceSeries single(Values({42}));
    const CXGraphDataSerie empty;
    for (const Average average : averages) {
        EXPECT_TRUE((empty.*average)(3).empty());
        for (int window : {0, -1, std::numeric_limits<int>::min()})
            EXPECT_TRUE((source.series.*average)(window).empty()) << window;
        const std::vector<DataPoint> one = (single.series.*average)(5);
        ASSERT_EQ(one.size(), 1u);
        EXPECT_EQ(one[0].fYVal, 42);
        for (double y : Ys((source.series.*average)(1)))
            EXPECT_TRUE(std::isfinite(y));
    }
}

// Trend lines --------------------------------------------------------------------

TEST(TrendLineTest, ALinearTrendOfALineIsTheLineAndItsForecast)
{
    // x spaced 0.5 at the start, unevenly later: the forecast keeps the
    // first spacing.
    SourceSeries source({{1.0, 2}, {1.5, 4}, {3.0, 6}});
    ExpectYs(source.series.LinearTrend(0), {2, 4, 6});
    const std::vector<DataPoint> forecast = source.series.LinearTrend(2);
    ExpectYs(forecast, {2, 4, 6, 8, 10});
    EXPECT_EQ(forecast[2].fXVal, 3.0);
    EXPECT_EQ(forecast[3].fXVal, 3.5);
    EXPECT_EQ(forecast[4].fXVal, 4.0);
}

TEST(TrendLineTest, ALinearTrendFitsThePointNumberNotX)
{
    // Over k = 1, 2, 3 the least-squares line through 1, 3, 2 has slope
    // 0.5 and passes 1.5 at k = 1, whatever the x values are.
    SourceSeries source({{0, 1}, {10, 3}, {11, 2}});
    ExpectYs(source.series.LinearTrend(0), {1.5, 2, 2.5});
}

TEST(TrendLineTest, ACubicTrendOfCubesIsTheCubes)
{
    SourceSeries source(Values({1, 8, 27}));
    ExpectYs(source.series.CubicTrend(0), {1, 8, 27});
    const std::vector<DataPoint> forecast = source.series.CubicTrend(1);
    ExpectYs(forecast, {1, 8, 27, 64});
    EXPECT_EQ(forecast[3].fXVal, 3);
    // Twice the cubes: the factor is 2.
    SourceSeries doubled(Values({2, 16, 54, 128}));
    ExpectYs(doubled.series.CubicTrend(0), {2, 16, 54, 128});
}

TEST(TrendLineTest, TrendsNeedTwoPointsAndNoNegativeForecast)
{
    SourceSeries single(Values({5}));
    EXPECT_TRUE(single.series.LinearTrend(0).empty());
    EXPECT_TRUE(single.series.CubicTrend(3).empty());
    EXPECT_TRUE(single.series.PolynomialTrend(2, 1).empty());
    SourceSeries pair(Values({5, 6}));
    EXPECT_EQ(pair.series.LinearTrend(0).size(), 2u);
    EXPECT_TRUE(pair.series.LinearTrend(-1).empty());
    EXPECT_TRUE(pair.series.CubicTrend(-1).empty());
    EXPECT_TRUE(pair.series.PolynomialTrend(2, -1).empty());
    // A forecast past what a point count can hold.
    EXPECT_TRUE(pair.series.LinearTrend(std::numeric_limits<int>::max()).empty());
}

TEST(TrendLineTest, APolynomialTrendFollowsItsFitAndContinuesTheLastSpacing)
{
    // y = 1 + 2x + 3x^2 at x = 0, 1, 3, 4: the last spacing is 1.
    std::vector<DataPoint> points;
    for (double x : {0.0, 1.0, 3.0, 4.0})
        points.push_back({x, 1 + 2 * x + 3 * x * x});
    SourceSeries source(points);
    const std::vector<DataPoint> trend = source.series.PolynomialTrend(3, 2);
    ASSERT_EQ(trend.size(), 6u);
    const double xs[] = {0, 1, 3, 4, 5, 6};
    for (std::size_t j = 0; j < 6; ++j) {
        EXPECT_EQ(trend[j].fXVal, xs[j]);
        EXPECT_NEAR(trend[j].fYVal, 1 + 2 * xs[j] + 3 * xs[j] * xs[j], 1e-9);
    }
    EXPECT_EQ(source.series.m_polynomial.m_coefficientCount, 3);
    EXPECT_NEAR(source.series.m_polynomial.m_coefficients[2], 3, 1e-9);
}

TEST(TrendLineTest, APolynomialOverOneXValueOrWithABadCountGivesNothing)
{
    SourceSeries same({{1, 1}, {1, 2}, {1, 3}});
    EXPECT_TRUE(same.series.PolynomialTrend(3, 0).empty());
    SourceSeries line(Line(10, 0, 1, 0, 1));
    for (int count : {0, 1, 21, -4})
        EXPECT_TRUE(line.series.PolynomialTrend(count, 0).empty()) << count;
    EXPECT_EQ(line.series.m_polynomial.m_coefficientCount, 0);
}

// The commands -------------------------------------------------------------------

TEST(TrendCommandTest, TheChartsLinearTrendCommandAddsATrendOfTheClickedCurve)
{
    MessageBoxes boxes;
    PlainChart shown;
    shown.chart.SeriesAt(0).SetName("LAeq");
    shown.Paint();
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_SELECT, 0);
    shown.Paint();
    const CXGraphDataSerie& curve = shown.chart.SeriesAt(0);
    shown.Click(shown.chart.SeriesPointToPixel(curve, {50, 5}));
    ASSERT_EQ(shown.chart.GetSelectedSeries(), 0);

    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_LINEAR_TREND, 0);
    EXPECT_EQ(boxes.count, 0);
    ASSERT_EQ(shown.chart.GetSeriesCount(), 2);
    const CXGraphDataSerie& trend = shown.chart.SeriesAt(1);
    EXPECT_EQ(trend.GetName(), CString("LAeq linear trend"));
    EXPECT_EQ(trend.m_index, 1);
    EXPECT_EQ(trend.m_xAxis, 0);
    EXPECT_EQ(trend.m_yAxis, 0);
    EXPECT_EQ(trend.m_colour, RGB(255, 0, 0));
    // Its own copy of the trend: the straight line over the same x.
    EXPECT_TRUE(trend.m_ownsPoints);
    ASSERT_EQ(trend.m_count, 101);
    EXPECT_NE(trend.m_points, shown.points.data());
    for (int i = 0; i < 101; i += 25) {
        EXPECT_EQ(trend.m_points[i].fXVal, i);
        EXPECT_NEAR(trend.m_points[i].fYVal, 0.1 * i, 1e-9);
    }

    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_CUBIC_TREND, 0);
    ASSERT_EQ(shown.chart.GetSeriesCount(), 3);
    EXPECT_EQ(shown.chart.SeriesAt(2).GetName(), CString("LAeq cubic trend"));
    EXPECT_EQ(shown.chart.SeriesAt(2).m_count, 101);
    // The source is as it was.
    EXPECT_EQ(shown.chart.SeriesAt(0).m_points, shown.points.data());
    EXPECT_EQ(shown.chart.SeriesAt(0).GetName(), CString("LAeq"));
}

TEST(TrendCommandTest, WithoutASelectedCurveOrWithOnePointTheCommandSaysWhy)
{
    MessageBoxes boxes;
    PlainChart shown;
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_LINEAR_TREND, 0);
    EXPECT_EQ(boxes.count, 1);
    EXPECT_EQ(shown.chart.GetSeriesCount(), 1);

    DataPoint single{3, 4};
    shown.chart.SetSeriesData(&single, 1, 1, 0, 0, false);
    shown.chart.SetSelectedSeries(1);
    shown.chart.SendMessage(WM_COMMAND, ID_XGRAPH_CUBIC_TREND, 0);
    EXPECT_EQ(boxes.count, 2);
    EXPECT_NE(boxes.last.text.ToUtf8().find("two points"), std::string::npos);
    EXPECT_EQ(shown.chart.GetSeriesCount(), 2);
    EXPECT_EQ(shown.chart.AddLinearTrendSeries(1, 5), -1);
    EXPECT_EQ(shown.chart.AddCubicTrendSeries(1, 0), -1);
    EXPECT_EQ(shown.chart.AddPolynomialTrendSeries(1, 3, 0), -1);
    EXPECT_EQ(boxes.count, 5);
    EXPECT_EQ(shown.chart.GetSeriesCount(), 2);
}

TEST(TrendCommandTest, AMovingAverageIsNamedAfterItsSourceAndKind)
{
    MessageBoxes boxes;
    PlainChart shown;
    shown.chart.SeriesAt(0).SetName("LCpeak");
    const char* words[] = {"simple", "linear", "exponential", "triangular", "sine weighted"};
    for (int kind = 0; kind < 5; ++kind) {
        EXPECT_STREQ(CXGraph::MovingAverageWord(kind), words[kind]);
        // Each addition may move the chart's list; the source is found by
        // its position every time.
        const int added = shown.chart.AddMovingAverageSeries(0, kind, 4);
        ASSERT_EQ(added, kind + 1);
        const CXGraphDataSerie& average = shown.chart.SeriesAt(added);
        EXPECT_EQ(average.GetName(), CString("LCpeak AVG, ") + words[kind]);
        EXPECT_EQ(average.m_count, 101);
        EXPECT_TRUE(average.m_ownsPoints);
    }
    // The simple one of a line lags behind it by one and a half steps.
    EXPECT_NEAR(shown.chart.SeriesAt(1).m_points[50].fYVal, 4.85, 1e-12);
    EXPECT_EQ(boxes.count, 0);

    // Unknown kinds do nothing, quietly.
    EXPECT_EQ(CXGraph::MovingAverageWord(5), nullptr);
    EXPECT_EQ(shown.chart.AddMovingAverageSeries(0, 5, 4), -1);
    EXPECT_EQ(shown.chart.AddMovingAverageSeries(0, -1, 4), -1);
    EXPECT_EQ(boxes.count, 0);
    EXPECT_EQ(shown.chart.GetSeriesCount(), 6);
}

TEST(TrendCommandTest, AnAverageWithoutPointsOrWindowSaysWhy)
{
    MessageBoxes boxes;
    PlainChart shown;
    EXPECT_EQ(shown.chart.AddMovingAverageSeries(0, AverageSimple, 0), -1);
    EXPECT_EQ(boxes.count, 1);
    EXPECT_NE(boxes.last.text.ToUtf8().find("window"), std::string::npos);
    // A host that emptied the series' buffer.
    shown.chart.SeriesAt(0).m_count = 0;
    EXPECT_EQ(shown.chart.AddMovingAverageSeries(0, AverageSineWeighted, 3), -1);
    EXPECT_EQ(boxes.count, 2);
    EXPECT_NE(boxes.last.text.ToUtf8().find("one point"), std::string::npos);
    EXPECT_EQ(shown.chart.GetSeriesCount(), 1);
}

TEST(TrendCommandTest, TheDialogsTrendsForecastAndCarryTheirSuffixes)
{
    MessageBoxes boxes;
    PlainChart shown;
    shown.chart.SeriesAt(0).SetName("A");
    ASSERT_EQ(shown.chart.AddLinearTrendSeries(0, 10), 1);
    ASSERT_EQ(shown.chart.AddCubicTrendSeries(0, 0), 2);
    EXPECT_EQ(shown.chart.SeriesAt(1).GetName(), CString("A Trend (lin.)"));
    EXPECT_EQ(shown.chart.SeriesAt(2).GetName(), CString("A Trend (cub.)"));
    const CXGraphDataSerie& linear = shown.chart.SeriesAt(1);
    ASSERT_EQ(linear.m_count, 111);
    EXPECT_EQ(linear.m_points[110].fXVal, 110);
    EXPECT_NEAR(linear.m_points[110].fYVal, 11, 1e-9);
    // The forecast widened the X axis' data range.
    EXPECT_EQ(shown.chart.XAxisAt(0).m_fullMax, 110);

    EXPECT_EQ(shown.chart.AddLinearTrendSeries(0, -1), -1);
    EXPECT_EQ(shown.chart.AddCubicTrendSeries(0, CXGraph::kMaxForecast + 1), -1);
    EXPECT_EQ(boxes.count, 2);
    EXPECT_EQ(shown.chart.GetSeriesCount(), 3);
}

TEST(TrendCommandTest, APolynomialTrendAddsItsFormulaAsALabelAsLargeAsTheText)
{
    MessageBoxes boxes;
    ShownChart shown;
    // y = 1 + 2x + x^2 over x = -3 ... 3.
    std::vector<DataPoint> points;
    for (int x = -3; x <= 3; ++x)
        points.push_back({static_cast<double>(x), 1.0 + 2.0 * x + x * x});
    shown.chart.SetSeriesData(points.data(), 7, 0, 0, 0, false);
    shown.chart.SeriesAt(0).SetName("P");
    const int objectsBefore = shown.chart.GetObjectCount();

    ASSERT_EQ(shown.chart.AddPolynomialTrendSeries(0, 3, 1), 1);
    EXPECT_EQ(boxes.count, 0);
    const CXGraphDataSerie& trend = shown.chart.SeriesAt(1);
    EXPECT_EQ(trend.GetName(), CString("P Trend (poly.) "));
    ASSERT_EQ(trend.m_count, 8);
    EXPECT_EQ(trend.m_points[7].fXVal, 4);
    EXPECT_NEAR(trend.m_points[7].fYVal, 25, 1e-9);

    ASSERT_EQ(shown.chart.GetObjectCount(), objectsBefore + 1);
    auto* label =
        static_cast<CXGraphLabel*>(shown.chart.ObjectAt(shown.chart.GetObjectCount() - 1));
    const CPolynomialSolver& fit = shown.chart.SeriesAt(0).m_polynomial;
    EXPECT_EQ(label->m_text, fit.FormulaText());
    EXPECT_TRUE(label->m_text.ToUtf8().starts_with("f(x)="));
    // Three terms on three lines, measured in the font the label draws
    // them with, inside the pixel the label keeps free along its edges.
    CClientDC dc(&shown.chart);
    CFont* old = dc.SelectObject(&label->m_font);
    CRect line(0, 0, 0, 0);
    dc.DrawText("f(x)=", &line, DT_CALCRECT);
    CRect text(0, 0, 0, 0);
    dc.DrawText(label->m_text, &text, DT_CALCRECT);
    dc.SelectObject(old);
    EXPECT_EQ(label->m_rect.left, 200);
    EXPECT_EQ(label->m_rect.top, 200);
    EXPECT_EQ(label->m_rect.Height(), 3 * line.Height() + 2);
    EXPECT_EQ(label->m_rect.Width(), text.Width() + 2);
}

TEST(TrendCommandTest, APolynomialThatDoesNotFitShowsAnErrorAndAddsNothing)
{
    MessageBoxes boxes;
    ShownChart shown;
    DataPoint same[] = {{1, 1}, {1, 2}, {1, 3}};
    shown.chart.SetSeriesData(same, 3, 0, 0, 0, false);
    const int objectsBefore = shown.chart.GetObjectCount();
    EXPECT_EQ(shown.chart.AddPolynomialTrendSeries(0, 3, 0), -1);
    EXPECT_EQ(boxes.count, 1);
    EXPECT_EQ(boxes.last.type & MB_ICONERROR, MB_ICONERROR);
    EXPECT_EQ(shown.chart.GetSeriesCount(), 1);
    EXPECT_EQ(shown.chart.GetObjectCount(), objectsBefore);

    // Coefficient counts the dialog would not offer.
    DataPoint line[] = {{0, 0}, {1, 1}, {2, 2}};
    shown.chart.SetSeriesData(line, 3, 0, 0, 0, false);
    EXPECT_EQ(shown.chart.AddPolynomialTrendSeries(0, 1, 0), -1);
    EXPECT_EQ(shown.chart.AddPolynomialTrendSeries(0, 21, 0), -1);
    EXPECT_EQ(boxes.count, 3);
    EXPECT_EQ(shown.chart.GetSeriesCount(), 1);
    EXPECT_EQ(shown.chart.GetObjectCount(), objectsBefore);
}
