// Speed of painting the chart: a 1600 x 900 chart with five series of
// 864,000 points each (a 24-hour test at 0.1 s) painted into its backing
// image, as every repaint of the analysis view does.

#include "CWnd.h"
#include "WindowClass.h"
#include "XGraph.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int kPoints = 864000;
constexpr int kSeries = 5;

struct DayChart
{
    CWnd parent;
    CXGraph chart;
    std::vector<std::vector<DataPoint>> series;

    DayChart()
    {
        parent.Create(AfxRegisterWndClass(0), "", WS_VISIBLE, CRect(0, 0, 1600, 900), nullptr, 0);
        chart.Create(CXGraph::kClassName, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1600, 900),
                     &parent, 100);
        chart.ShowLegend(false);
        for (int s = 0; s < kSeries; ++s) {
            std::vector<DataPoint> points(kPoints);
            for (int i = 0; i < kPoints; ++i)
                points[i] = {i / 10.0, 60 + 10 * s + 8 * std::sin(i / (500.0 + 97 * s)) +
                                           3 * std::sin(i * 0.37)};
            series.push_back(std::move(points));
            chart.SetSeriesData(series.back().data(), kPoints, s, 0, 0, false);
        }
        // As the analysis view shows it: cursor mode, fixed ranges.
        chart.SendMessage(WM_COMMAND, ID_XGRAPH_CURSOR, 0);
    }
};

// Made in main once the application exists, and gone before it goes.
DayChart* g_day = nullptr;

DayChart& Day()
{
    if (g_day == nullptr)
        g_day = new DayChart;
    return *g_day;
}

void PaintDayChart(benchmark::State& state)
{
    DayChart& day = Day();
    for (auto _ : state) {
        day.chart.Invalidate();
        day.chart.UpdateWindow();
        benchmark::DoNotOptimize(day.chart.GetBackingImage()->constBits());
    }
    state.counters["points"] = static_cast<double>(kPoints) * kSeries;
}
BENCHMARK(PaintDayChart)->Unit(benchmark::kMillisecond);

// One mouse move in cursor mode while a selection is dragged: cursor lines
// and band redrawn on the window, the posted cursor message and the
// cursor record sent to a parent that does nothing with it.
void DragSelectionOverDayChart(benchmark::State& state)
{
    DayChart& day = Day();
    day.chart.Invalidate();
    day.chart.UpdateWindow();
    const CRect plot = day.chart.GetPlotRect();
    day.chart.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(plot.left + 100, plot.top + 50));
    int step = 0;
    for (auto _ : state) {
        const int x = plot.left + 200 + (step++ % 800);
        day.chart.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, plot.top + 300));
        state.PauseTiming();
        // The posted cursor messages, delivered outside the measured move.
        QApplication::sendPostedEvents();
        state.ResumeTiming();
    }
    day.chart.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(plot.left + 900, plot.top + 300));
}
BENCHMARK(DragSelectionOverDayChart)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete g_day;
    g_day = nullptr;
    return 0;
}
