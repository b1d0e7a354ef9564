#include "ChartDemoFrame.h"

#include "COleDateTime.h"
#include "Cursor.h"
#include "WindowClass.h"

#include <QImage>
#include <QWidget>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr UINT kChartId = 100;
constexpr int kMinutesPerDay = 24 * 60;
constexpr double kMinute = 1.0 / kMinutesPerDay;

// The dose criterion of the sample: 85 dB(A) for 8 hours, 3 dB exchange.
constexpr double kCriterionLevel = 85.0;
constexpr double kCriterionHours = 8.0;
constexpr double kExchangeRate = 3.0;

// One item of the pop-up menu that puts the chart into a mode.
struct ModeCommand
{
    UINT id;
    const char* text;
    int mode;
};

constexpr ModeCommand kModeCommands[] = {{ID_XGRAPH_SELECT, "&Select", ModeSelect},
                                         {ID_XGRAPH_ZOOM, "&Zoom", ModeZoom},
                                         {ID_XGRAPH_PAN, "&Pan", ModePan},
                                         {ID_XGRAPH_CURSOR, "&Cursor", ModeCursor},
                                         {ID_XGRAPH_MEASURE, "&Measure", ModeMeasure},
                                         {ID_XGRAPH_EDIT_POINTS, "&Edit Points", ModeEditPoints}};

double Energy(double level)
{
    return std::pow(10.0, level / 10.0);
}

double LevelOfEnergy(double energy)
{
    return 10.0 * std::log10(energy);
}

// The A-weighted fast level of each minute of the day: a quiet night, two
// shifts of machines from 06:00 to 22:00 with hammer blows every 37
// minutes, a quiet lunch break and a short shift change.
std::vector<double> FastLevels()
{
    // A fixed seed, so that every run shows the same day.
    std::mt19937 random(20240312);
    const auto uniform = [&random]() { return random() / 4294967296.0; };
    std::vector<double> levels(kMinutesPerDay);
    for (int minute = 0; minute < kMinutesPerDay; ++minute) {
        const double hour = minute / 60.0;
        double level = 0.0;
        if (hour < 6.0 || hour >= 22.0) {
            level = 46.0 + 6.0 * uniform();
        } else if (hour >= 12.0 && hour < 12.5) {
            level = 60.0 + 6.0 * uniform();
        } else if (hour >= 14.0 && hour < 14.25) {
            level = 68.0 + 6.0 * uniform();
        } else {
            level = 79.0 + 4.0 * std::sin(minute / 15.0) + 8.0 * uniform();
            if (minute % 37 == 0)
                level += 10.0;
        }
        levels[static_cast<std::size_t>(minute)] = level;
    }
    return levels;
}

// The leq over the last `span` minutes up to each minute (fewer at the
// start of the day).
std::vector<double> RunningLeq(const std::vector<double>& levels, int span)
{
    std::vector<double> leq(levels.size());
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const std::size_t first = i + 1 >= static_cast<std::size_t>(span) ? i + 1 - span : 0;
        double energy = 0.0;
        for (std::size_t k = first; k <= i; ++k)
            energy += Energy(levels[k]);
        leq[i] = LevelOfEnergy(energy / static_cast<double>(i + 1 - first));
    }
    return leq;
}

// The running dose in per cent of the criterion, minute by minute from
// midnight.
std::vector<double> RunningDose(const std::vector<double>& levels)
{
    std::vector<double> dose(levels.size());
    double total = 0.0;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const double allowedHours =
            kCriterionHours * std::pow(2.0, (kCriterionLevel - levels[i]) / kExchangeRate);
        total += 100.0 * (1.0 / 60.0) / allowedHours;
        dose[i] = total;
    }
    return dose;
}

std::string SeriesName(CXGraph& chart, int series)
{
    return chart.SeriesAt(series).GetName().ToUtf8();
}

void Say(const char* text)
{
    std::printf("chart: %s\n", text);
    std::fflush(stdout);
}

} // namespace

void FillSampleDay(CXGraph& chart)
{
    const double midnight = COleDateTime(2024, 3, 12, 0, 0, 0).m_dt;
    const std::vector<double> fast = FastLevels();
    const std::vector<double> tenMinutes = RunningLeq(fast, 10);
    const std::vector<double> dose = RunningDose(fast);

    std::vector<DataPoint> fastPoints;
    std::vector<DataPoint> tenMinutePoints;
    std::vector<DataPoint> dosePoints;
    for (int minute = 0; minute < kMinutesPerDay; ++minute) {
        const double x = midnight + minute * kMinute;
        const auto i = static_cast<std::size_t>(minute);
        fastPoints.push_back({x, fast[i]});
        tenMinutePoints.push_back({x, tenMinutes[i]});
        dosePoints.push_back({x, dose[i]});
    }
    // The sparse curve: one leq per hour, placed in the middle of its hour.
    std::vector<DataPoint> hourlyPoints;
    for (int hour = 0; hour < 24; ++hour) {
        double energy = 0.0;
        for (int minute = hour * 60; minute < (hour + 1) * 60; ++minute)
            energy += Energy(fast[static_cast<std::size_t>(minute)]);
        hourlyPoints.push_back({midnight + (hour + 0.5) / 24.0, LevelOfEnergy(energy / 60.0)});
    }

    struct SampleCurve
    {
        std::vector<DataPoint>* points;
        int yAxis;
        const char* name;
        COLORREF colour;
        int width;
    };
    const SampleCurve curves[] = {
        {&fastPoints, AxisLevel, "A fast", RGB(100, 149, 237), 1},
        {&tenMinutePoints, AxisLevel, "A leq 10 min", RGB(200, 0, 0), 2},
        {&hourlyPoints, AxisLevel, "A leq hourly", RGB(0, 128, 0), 2},
        {&dosePoints, AxisDose, "Dose A", RGB(128, 0, 128), 2},
    };
    for (int series = 0; series < 4; ++series) {
        const SampleCurve& curve = curves[series];
        CXGraphDataSerie* added =
            chart.SetSeriesData(curve.points->data(), static_cast<int>(curve.points->size()),
                                series, 0, curve.yAxis, true);
        if (added == nullptr)
            continue;
        added->SetName(curve.name);
        added->m_colour = curve.colour;
        added->m_lineWidth = curve.width;
    }
    chart.SeriesAt(SeriesHourlyLeq).m_showCurveSymbols = true;

    CXGraphAxis& time = chart.XAxisAt(0);
    time.m_dateTime = true;
    time.SetDisplayFormat("%H:%M");
    time.SetTitle("Time");
    time.SetFullRange(midnight, midnight + 1.0);
    // The lunch break as a band; too narrow for a word in it.
    time.SetColorRange(0, midnight + 12.0 / 24.0, midnight + 12.5 / 24.0, 6, CString());

    CXGraphAxis& level = chart.YAxisAt(AxisLevel);
    level.SetTitle("dB(A)");
    level.SetDisplayFormat("%.0f");
    level.SetMarker(0, kCriterionLevel);
    level.m_markers[0].colour = RGB(220, 0, 0);
    level.m_markers[0].penStyle = PS_DASH;
    level.m_markers[0].label = "Action level";

    // The chart keeps its axes by value as CXGraphAxis, so a CXGraphLogAxis
    // cannot be one of them; an axis of the chart with its linear flag off
    // scales, maps and draws by whole decades instead. The range is set
    // again so that the logarithmic range rules apply to it.
    CXGraphAxis& doseAxis = chart.YAxisAt(AxisDose);
    doseAxis.m_linear = 0;
    doseAxis.SetFullRange(doseAxis.m_fullMin, doseAxis.m_fullMax);
    doseAxis.SetTitle("Dose %");
    doseAxis.SetDisplayFormat("%g");
    // Its nine ticks a decade would bury the level grid.
    doseAxis.m_grid = false;

    CXGraphLabel* title =
        chart.AddLabel(CRect(70, 8, 330, 28), "Foundry, Tuesday 12 March 2024, 1 min");
    title->m_textFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    CXGraphLabel* hourly = chart.AddLabel(CRect(420, 40, 530, 60), "Hourly leq");
    hourly->m_textFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    hourly->m_attachedSeries = SeriesHourlyLeq;
}

void AppendChartCommands(CMenu& menu, CXGraph& chart)
{
    for (const ModeCommand& command : kModeCommands)
        menu.AppendMenu(MF_STRING | (chart.GetMode() == command.mode ? MF_CHECKED : 0), command.id,
                        command.text);
    menu.AppendMenu(MF_SEPARATOR);
    bool zoomed = false;
    for (int i = 0; i < chart.GetXAxisCount(); ++i)
        zoomed = zoomed || !chart.XAxisAt(i).m_zoomHistory.empty();
    for (int i = 0; i < chart.GetYAxisCount(); ++i)
        zoomed = zoomed || !chart.YAxisAt(i).m_zoomHistory.empty();
    menu.AppendMenu(MF_STRING, ID_XGRAPH_RESET_ZOOM, "&Reset Zoom");
    menu.AppendMenu(MF_STRING | (zoomed ? 0 : MF_GRAYED), ID_XGRAPH_ZOOM_BACK, "Zoom &Back");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ID_XGRAPH_INSERT_LABEL, "Insert &Label");
    menu.AppendMenu(MF_STRING, ID_XGRAPH_LINEAR_TREND, "Li&near Trend");
    menu.AppendMenu(MF_STRING, ID_XGRAPH_CUBIC_TREND, "C&ubic Trend");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ID_XGRAPH_PROPERTIES, "Propert&ies...");
    menu.AppendMenu(MF_STRING, ID_XGRAPH_PRINT, "P&rint...");
    menu.AppendMenu(MF_STRING, ID_XGRAPH_USER, "&User Command");
}

bool ChartDemoFrame::CreateDemo(const CRect& place)
{
    if (!Create(AfxRegisterWndClass(0), "Nolvex chart", WS_VISIBLE, place, nullptr, 0))
        return false;
    CRect client;
    GetClientRect(&client);
    if (!chart.Create(CXGraph::kClassName, "", WS_CHILD | WS_VISIBLE, client, this, kChartId))
        return false;
    // As a program that lets its user work on the chart: clicks select,
    // double clicks open the properties, right clicks reach this frame.
    chart.SetInteractive(true);
    FillSampleDay(chart);
    return true;
}

void ChartDemoFrame::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (chart.GetSafeHwnd() != nullptr)
        chart.MoveWindow(0, 0, cx, cy);
}

LRESULT ChartDemoFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The chart's notifications carry the chart in lParam.
    if (lParam != reinterpret_cast<LPARAM>(&chart))
        return CWnd::WindowProc(message, wParam, lParam);
    const int index = static_cast<int>(wParam);
    char text[200];
    switch (message) {
    case WM_XGRAPH_RBUTTONUP:
        ShowChartMenu();
        return 0;
    case WM_XGRAPH_SERIES_CLICKED:
        if (index >= 0 && index < chart.GetSeriesCount()) {
            std::snprintf(text, sizeof text, "%s selected", SeriesName(chart, index).c_str());
            Say(text);
        }
        return 0;
    case WM_XGRAPH_XAXIS_CLICKED:
    case WM_XGRAPH_YAXIS_CLICKED:
        std::snprintf(text, sizeof text, "%s axis %d selected",
                      message == WM_XGRAPH_XAXIS_CLICKED ? "X" : "Y", index + 1);
        Say(text);
        return 0;
    case WM_XGRAPH_ZOOMED:
        Say("zoomed");
        return 0;
    case WM_XGRAPH_POINT_EDITED: {
        const auto* edited = reinterpret_cast<const PointEdited*>(wParam);
        if (edited != nullptr && edited->series >= 0 && edited->series < chart.GetSeriesCount()) {
            std::snprintf(text, sizeof text, "point %d of %s from %.2f to %.2f", edited->point + 1,
                          SeriesName(chart, edited->series).c_str(), edited->oldY, edited->newY);
            Say(text);
        }
        return 0;
    }
    case WM_XGRAPH_USER_COMMAND:
        Say("user command");
        return 0;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void ChartDemoFrame::ShowChartMenu()
{
    CMenu menu;
    menu.CreatePopupMenu();
    AppendChartCommands(menu, chart);
    CPoint at;
    GetCursorPos(&at);
    const auto command =
        static_cast<UINT>(menu.TrackPopupMenu(TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, this));
    if (command != 0)
        chart.SendMessage(WM_COMMAND, command, 0);
}

QImage PaintWindow(ChartDemoFrame& frame)
{
    frame.chart.UpdateWindow();
    QWidget* window = frame.GetHostWidget();
    QImage image(window->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    window->render(&image);
    return image;
}
