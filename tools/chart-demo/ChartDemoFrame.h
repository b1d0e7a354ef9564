#pragma once

#include "CMenu.h"
#include "CWnd.h"
#include "XGraph.h"

class QImage;

// The series of the sample day, by their number on the chart.
enum SampleSeries
{
    SeriesFastLevel = 0,
    SeriesTenMinuteLeq = 1,
    SeriesHourlyLeq = 2,
    SeriesDose = 3
};

// The Y axes of the sample day: the levels on the left, the dose on the
// right on a logarithmic scale.
enum SampleYAxis
{
    AxisLevel = 0,
    AxisDose = 1
};

// The window of the chart demo: an interactive chart filling its client
// area, with a pop-up menu of the chart's commands on a right click. The
// chart owns copies of the sample points.
class ChartDemoFrame : public CWnd
{
public:
    CXGraph chart;

    // Makes the frame at that place on the screen and the chart in it, and
    // fills the chart with the sample day; false when a window could not be
    // made.
    bool CreateDemo(const CRect& place);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    // Shows the chart's commands at the mouse and sends the chosen one to
    // the chart.
    void ShowChartMenu();
};

// The chart's commands as the demo's pop-up menu lists them, the one of the
// chart's current mode checked and "Zoom Back" greyed while there is no
// zoom to go back from.
void AppendChartCommands(CMenu& menu, CXGraph& chart);

// Fills a chart with one day of a foundry's noise, at one point a minute:
// the A-weighted fast level, its 10-minute leq, the hourly leq and the
// running noise dose, over a date-time X axis, with a lunch-break band, an
// action-level marker line and two labels.
void FillSampleDay(CXGraph& chart);

// The frame's window as it shows on the screen.
QImage PaintWindow(ChartDemoFrame& frame);
