#include "MetricChart.h"

#include "MetricCatalogue.h"
#include "NolvexDoc.h"
#include "NolvexMetric.h"
#include "NolvexTest.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Series data when there is nothing to plot. The chart only points at it.
DataPoint g_placeholder{0.0, 0.0};

constexpr COLORREF kChartGrey = RGB(210, 210, 210);
constexpr COLORREF kPaperWhite = RGB(255, 255, 255);
constexpr UINT kCursorFlags = CursorVLine | 8;

} // namespace

namespace MetricChart {

void ApplyScreenLook(CXGraph& chart)
{
    chart.SetCursorFlags(kCursorFlags);
    chart.SetInteractive(false);
    chart.SetColours({kChartGrey, kChartGrey, kChartGrey});
    chart.SetDoubleBuffer(true);
    chart.ShowLegend(false);
}

void ShowPlaceholder(CXGraph& chart)
{
    chart.SetSeriesData(&g_placeholder, 1, 0, 0, 0, false);
}

void Build(CXGraph& chart, CNolvexDoc* document, CNolvexTest* test)
{
    chart.ClearChart();
    ShowPlaceholder(chart);
    bool plotted = false;
    // What the curves cover, the placeholder left out: the axes show that.
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -std::numeric_limits<double>::infinity();
    if (test != nullptr && document != nullptr) {
        int series = 0;
        for (CNolvexMetric* metric = document->firstMetric; metric != nullptr;
             metric = metric->next, ++series) {
            MetricCatalogue::CheckDataType(metric->dataType);
            const std::int32_t count = test->sampleCount;
            CXGraphDataSerie* added = nullptr;
            if (count > 0) {
                DataPoint* points = metric->AllocatePoints(count);
                const float* values =
                    test->values[static_cast<std::size_t>(metric->dataType)].get();
                for (std::int32_t i = 0; i < count; ++i) {
                    const double value = values[i];
                    points[i] = {i / 10.0, value};
                    if (std::isfinite(value)) {
                        lowest = std::min(lowest, value);
                        highest = std::max(highest, value);
                    }
                }
                added = chart.SetSeriesData(points, count, series, 0, 0, false);
            } else {
                metric->FreePoints();
                added = chart.SetSeriesData(&g_placeholder, 1, series, 0, 0, false);
            }
            if (added != nullptr) {
                added->SetName(document->MetricName(metric->dataType));
                added->m_colour = metric->colour;
            }
            plotted = true;
        }
        for (std::int32_t j = 0; j < test->markerCount; ++j) {
            const Marker& marker = test->markers[static_cast<std::size_t>(j)];
            const double from = marker.sampleIndex / 10.0;
            chart.XAxisAt(0).SetColorRange(j, from, from + 0.1, 6,
                                           CString::Formatted("%d", marker.code));
        }
    }
    if (!plotted) {
        chart.XAxisAt(0).SetFullRange(0, 60);
    } else if (test->sampleCount > 0) {
        // Time from the first sample to the last; values from the smallest
        // to the largest plotted, when any is a number.
        chart.XAxisAt(0).SetFullRange(0, (test->sampleCount - 1) / 10.0);
        if (lowest <= highest)
            chart.YAxisAt(0).SetFullRange(lowest, highest);
    }
    CXGraphAxis& y = chart.YAxisAt(0);
    CXGraphAxis& x = chart.XAxisAt(0);
    y.SetDisplayFormat("%.2f");
    y.SetTitle("dB");
    x.SetTitle("Seconds");
    for (CXGraphAxis* axis : {&x, &y}) {
        axis->m_grid = true;
        axis->m_showSymbols = false;
    }
    chart.SetMode(ModeCursor);
}

PrintLook PageLook(const CNolvexDoc& document, const CNolvexTest* test)
{
    PrintLook look;
    look.colours = {kPaperWhite, kPaperWhite, kPaperWhite};
    look.showLegend = true;
    if (test == nullptr || test->sampleCount <= 0)
        return look;
    for (const CNolvexMetric* metric = document.firstMetric; metric != nullptr;
         metric = metric->next) {
        if (!MetricCatalogue::IsCumulative(metric->dataType))
            continue;
        const CString text = CString::Formatted(
            "%s: %.2lf", document.MetricName(metric->dataType).ToUtf8().c_str(),
            static_cast<double>(test->Value(metric->dataType, test->sampleCount - 1)));
        look.lines.push_back({text, metric->colour});
    }
    return look;
}

} // namespace MetricChart
