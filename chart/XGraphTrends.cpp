// The chart's commands that add a moving average or a trend line of one of
// its series as a series of its own.

#include "XGraph.h"
#include "XGraphLabel.h"

#include "CWaitCursor.h"
#include "ModalSeam.h"
#include "WindowDC.h"

#include <utility>

namespace {

void SayWhy(const char* text)
{
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

const char* CXGraph::MovingAverageWord(int kind)
{
    switch (kind) {
    case AverageSimple:
        return "simple";
    case AverageLinear:
        return "linear";
    case AverageExponential:
        return "exponential";
    case AverageTriangular:
        return "triangular";
    case AverageSineWeighted:
        return "sine weighted";
    default:
        return nullptr;
    }
}

int CXGraph::AddDerivedSeries(int source, std::vector<DataPoint> points, const CString& suffix)
{
    if (points.empty())
        return -1;
    // Adding a series may move the list: take what is needed of the source
    // first and find both by position afterwards.
    const CXGraphDataSerie& from = SeriesAt(source);
    const CString name = from.GetName() + suffix;
    const int xAxis = from.m_xAxis;
    const int yAxis = from.m_yAxis;
    const int added = GetSeriesCount();
    // An axis that does not scale itself keeps the range the user gave it
    // (in the Axis tab, or by zooming): the new curve widens only its full
    // range.
    struct KeptView
    {
        bool kept;
        double minimum;
        double maximum;
        double step;
    };
    auto keep = [](const CXGraphAxis& axis) {
        return KeptView{!axis.m_autoScale, axis.m_viewMin, axis.m_viewMax,
                        axis.m_stepEstimated ? 0.0 : axis.m_step};
    };
    const KeptView keptX = keep(XAxisAt(xAxis));
    const KeptView keptY = keep(YAxisAt(yAxis));
    // The chart keeps a copy; these points go when the command ends.
    if (SetSeriesData(points.data(), static_cast<int>(points.size()), added, xAxis, yAxis, true) ==
        nullptr)
        return -1;
    for (auto [axis, view] : {std::pair{&XAxisAt(xAxis), keptX}, std::pair{&YAxisAt(yAxis), keptY}})
        if (view.kept)
            axis->SetViewRange(view.minimum, view.maximum, view.step);
    SeriesAt(added).SetName(name);
    return added;
}

bool CXGraph::CanAddTrend(int series, int forecast)
{
    if (series < 0 || series >= GetSeriesCount())
        return false;
    if (SeriesAt(series).m_points == nullptr || SeriesAt(series).m_count < 2) {
        SayWhy("A trend line needs a curve of at least two points.");
        return false;
    }
    if (forecast < 0 || forecast > kMaxForecast) {
        SayWhy("A trend line forecasts from 0 to 100000000 points.");
        return false;
    }
    return true;
}

// The chart's own commands -------------------------------------------------------

int CXGraph::AddLinearTrend()
{
    if (m_selectedSeries < 0 || m_selectedSeries >= GetSeriesCount()) {
        SayWhy("Click a curve first: the trend line is drawn for the selected curve.");
        return -1;
    }
    if (!CanAddTrend(m_selectedSeries, 0))
        return -1;
    const CWaitCursor wait;
    return AddDerivedSeries(m_selectedSeries, SeriesAt(m_selectedSeries).LinearTrend(0),
                            " linear trend");
}

int CXGraph::AddCubicTrend()
{
    if (m_selectedSeries < 0 || m_selectedSeries >= GetSeriesCount()) {
        SayWhy("Click a curve first: the trend line is drawn for the selected curve.");
        return -1;
    }
    if (!CanAddTrend(m_selectedSeries, 0))
        return -1;
    const CWaitCursor wait;
    return AddDerivedSeries(m_selectedSeries, SeriesAt(m_selectedSeries).CubicTrend(0),
                            " cubic trend");
}

// The curve dialog's commands ----------------------------------------------------

int CXGraph::AddMovingAverageSeries(int series, int kind, int window)
{
    const char* word = MovingAverageWord(kind);
    if (word == nullptr || series < 0 || series >= GetSeriesCount())
        return -1;
    const CXGraphDataSerie& source = SeriesAt(series);
    if (source.m_points == nullptr || source.m_count < 1) {
        SayWhy("A moving average needs a curve of at least one point.");
        return -1;
    }
    if (window < 1) {
        SayWhy("A moving average takes a window of at least one point.");
        return -1;
    }
    // Every window is summed afresh: a wide window over a day-long curve
    // takes a while.
    const CWaitCursor wait;
    std::vector<DataPoint> points;
    switch (kind) {
    case AverageSimple:
        points = source.SimpleMovingAverage(window);
        break;
    case AverageLinear:
        points = source.LinearMovingAverage(window);
        break;
    case AverageExponential:
        points = source.ExponentialMovingAverage(window);
        break;
    case AverageTriangular:
        points = source.TriangularMovingAverage(window);
        break;
    default:
        points = source.SineWeightedMovingAverage(window);
        break;
    }
    return AddDerivedSeries(series, points, CString(" AVG, ") + word);
}

int CXGraph::AddLinearTrendSeries(int series, int forecast)
{
    if (!CanAddTrend(series, forecast))
        return -1;
    const CWaitCursor wait;
    return AddDerivedSeries(series, SeriesAt(series).LinearTrend(forecast), " Trend (lin.)");
}

int CXGraph::AddCubicTrendSeries(int series, int forecast)
{
    if (!CanAddTrend(series, forecast))
        return -1;
    const CWaitCursor wait;
    return AddDerivedSeries(series, SeriesAt(series).CubicTrend(forecast), " Trend (cub.)");
}

int CXGraph::AddPolynomialTrendSeries(int series, int coefficients, int forecast)
{
    if (!CanAddTrend(series, forecast))
        return -1;
    if (coefficients < CPolynomialSolver::kMinCoefficients ||
        coefficients > CPolynomialSolver::kMaxCoefficients) {
        SayWhy("A polynomial trend takes from 2 to 20 coefficients.");
        return -1;
    }
    const CWaitCursor wait;
    const std::vector<DataPoint> points = SeriesAt(series).PolynomialTrend(coefficients, forecast);
    if (points.empty()) {
        AfxMessageBox("No polynomial of that many coefficients fits this curve: it has too few "
                      "distinct x values.",
                      MB_OK | MB_ICONERROR);
        return -1;
    }
    const CString formula = SeriesAt(series).m_polynomial.FormulaText();
    const int added = AddDerivedSeries(series, points, " Trend (poly.) ");
    if (added < 0)
        return -1;
    // The label is as large as the formula in the label's own font, with
    // the pixel the label keeps free inside each edge.
    CXGraphLabel* label = AddLabel(CRect(200, 200, 210, 210), formula);
    CClientDC dc(GetSafeHwnd() != nullptr ? this : nullptr);
    CFont* oldFont = dc.SelectObject(&label->m_font);
    CRect rect(200, 200, 200, 200);
    dc.DrawText(formula, &rect, DT_CALCRECT | label->m_textFormat);
    dc.SelectObject(oldFont);
    rect.right += 2;
    rect.bottom += 2;
    label->m_rect = rect;
    return added;
}
