#pragma once

#include "CFont.h"
#include "CString.h"
#include "DataPoint.h"
#include "XGraphObject.h"

#include <vector>

// A value band drawn behind the curves, stored byte for byte (552 bytes).
struct AxisColorRange
{
    double from = 0.0;
    double to = 0.0;
    COLORREF colour1 = 0;
    COLORREF colour2 = 0;
    // 0 to 5 a hatch style, 6 solid.
    int style = 6;
    char16_t label[262] = {};
};
static_assert(sizeof(AxisColorRange) == 552);

// A marker line at a value of the axis. Stored as a 120-byte record whose
// last four bytes stand where the label was referenced; the label itself is
// not stored.
struct AxisMarker
{
    double value = 0.0;
    COLORREF colour = 0;
    // Stored with the marker, not used by drawing.
    bool stored = true;
    bool showValue = true;
    int penStyle = PS_SOLID;
    int penWidth = 1;
    LOGFONT font{};
    CString label;
};

// One tick of a logarithmic scale; decade values (1, 10, 100, ... times a
// power of ten) carry the labels.
struct DecadeTick
{
    double value = 0.0;
    bool decade = false;
};

// One view range an axis had before a zoom.
struct ZoomRange
{
    double minimum = 0.0;
    double maximum = 0.0;
};

// One X or Y axis of the chart: the range on display, the tick step and the
// tick labels, the value-to-pixel mapping of everything the chart draws, the
// value bands and marker lines, and the symbols of the series bound to it.
// The chart's layout sets the origin and far edge before each Draw; the
// mapping uses the length that the last Draw computed.
class CXGraphAxis : public CXGraphObject
{
    DECLARE_DYNAMIC(CXGraphAxis)
public:
    enum Orientation
    {
        horizontal = 0,
        vertical = 1
    };
    enum Placement
    {
        placementLeft = 0,
        placementRight = 1,
        placementAuto = 2
    };

    // A logarithmic scale keeps its view minimum and maximum at or above
    // these, so that both have a logarithm.
    static constexpr double kLogFloorMin = 1e-16;
    static constexpr double kLogFloorMax = 1e-15;

    CXGraphAxis();
    CXGraphAxis(const CXGraphAxis& other);
    CXGraphAxis& operator=(const CXGraphAxis& other);
    ~CXGraphAxis() override = default;

    // Data range and view range; false, and nothing changed, when min > max.
    bool SetFullRange(double minimum, double maximum);
    // The view range only; a step of 0 is estimated.
    bool SetViewRange(double minimum, double maximum, double step);
    // Chooses a nice step and widens the view range to it; a logarithmic
    // scale widens it to whole decades.
    virtual void AutoScale(CDCEx* dc);

    // The pixel of a data point along this axis: x for a horizontal axis
    // (y = 0), y for a vertical one (x = 0).
    POINT ValueToPoint(const DataPoint& point);
    // The value at a pixel coordinate along this axis.
    double PointToValue(int pixel);

    void Draw(CDCEx* dc) override;
    void Serialize(CArchive& archive) override;

    // The pixels the symbols of the bound series need at the far end; draws
    // them when draw is true.
    int LayoutSeriesSymbols(CDCEx* dc, bool draw);
    // The step that puts one label in each label-sized piece of the axis.
    void StepFromLabelSize();
    // The nice step for an axis of that many pixels: labels at least a "W"
    // apart along a horizontal axis, half a label height along a vertical
    // one.
    double StepForLength(double pixels);
    int MeasureLabelWidth();
    int MeasureLabelHeight();
    CSize MeasureTitle();

    // The text of a tick label at this value.
    CString FormatLabel(double value) const;

    void SetTitle(const CString& title) { m_title = title; }
    void SetDisplayFormat(const CString& format) { m_displayFormat = format; }
    // Appends when index is the count, else replaces; both colours yellow.
    void SetColorRange(int index, double from, double to, int style, const CString& label);
    void SetMarker(int index, double value);
    void RemoveMarker(int index);

    // 1, 2 or 5 times a power of ten at or above raw; 0 for a raw step that
    // is not a positive finite number.
    static double NiceStep(double raw);
    // Widens the range outward by one step onto multiples of the step.
    static void AlignToStep(double& minimum, double& maximum, double step);
    // A step in days from the table of time steps for n labels.
    static double TimeStep(int n, double minimum, double maximum);
    // Moves the ends onto whole multiples of the step since 1970.
    static void AlignToTimeStep(double& minimum, double& maximum, double step);
    // The ticks of a logarithmic scale over [minimum, maximum] (each end
    // kept at its floor): 1 to 9 times each power of ten from the one at or
    // below the minimum up to the one below the power at or above the
    // maximum, in order.
    static std::vector<DecadeTick> DecadeTicks(double minimum, double maximum);

    std::vector<AxisColorRange> m_colorRanges;
    std::vector<AxisMarker> m_markers;
    double m_fullMin;
    double m_fullMax;
    double m_viewMin;
    double m_viewMax;
    double m_step = 0.1;
    // The step is the chart's own estimate, not one the user gave (the
    // axis dialog, SetViewRange with a step): without auto-scaling it is
    // estimated again from the laid-out axis at every drawing, a nice 1, 2
    // or 5 times a power of ten (or a time step) that keeps the labels
    // apart, and the ticks stand on its multiples.
    bool m_stepEstimated = true;
    // Pixels kept free before the far end: ticks and title.
    double m_endMargin = 0.0;
    // Pixels of the series symbols at the far end.
    double m_symbolSpace = 0.0;
    double m_span = 1.0;
    int m_originY = 0;
    int m_originX = 0;
    int m_length = 1;
    int m_farEdge = 0;
    // The colour of the frame the labels and titles stand on, set with the
    // origin by the chart's layout.
    COLORREF m_labelBackground = RGB(255, 255, 255);
    CFont m_labelFont;
    CFont m_titleFont;
    int m_orientation = horizontal;
    // 1 linear, 0 logarithmic.
    int m_linear = 1;
    int m_placement = placementAuto;
    bool m_showSymbols = true;
    // Values are OLE dates (days since 1899-12-30).
    bool m_dateTime = false;
    bool m_grid = true;
    bool m_autoScale = true;
    CString m_title;
    // printf format of numeric labels, or date pattern in date-time mode.
    CString m_displayFormat;
    int m_tickLength = 5;
    int m_symbolSize = 10;
    int m_labelGap = 5;
    COLORREF m_gridColour = RGB(150, 150, 150);
    int m_gridStyle = PS_DOT;
    // Pushed by each zoom, popped by zooming back; not stored.
    std::vector<ZoomRange> m_zoomHistory;

private:
    // Where the ticks start for a step.
    double FirstTick(double step) const;

protected:
    // How a drawing places values: evenly, or by their logarithm.
    enum class Scale
    {
        linear,
        logarithmic
    };

    // The context a drawing goes to: dc, or for an invisible axis a scratch
    // context on which it only lays itself out.
    CDCEx* DrawingTarget(CDCEx* dc, CDCEx& scratch) const;
    // The drawing of a logarithmic scale: the linear layout, a tick at each
    // decade value and a label at each decade, and the marker lines.
    void DrawLogScale(CDCEx* dc);
    // The layout, bands, optionally markers, symbols, title, ticks and axis
    // line of one orientation, with values placed on the scale.
    void DrawVertical(CDCEx* dc, Scale scale, bool markers);
    void DrawHorizontal(CDCEx* dc, Scale scale, bool markers);
    // One tick (and its grid line) at a pixel coordinate along the axis,
    // with its label when labelled.
    void DrawVerticalTick(CDCEx* dc, double value, double y, bool labelled);
    void DrawHorizontalTick(CDCEx* dc, double value, double x, bool labelled);
    void DrawColorRanges(CDCEx* dc, Scale scale);
    void DrawMarkers(CDCEx* dc);
    void DrawArrow(CDCEx* dc, int x, int y, bool up);
    COLORREF TextBackground(CDCEx* dc) const;
    // The pixel of a point on either scale, as ValueToPoint gives it.
    POINT MapOnScale(const DataPoint& point, Scale scale);
    // Where a value lies between the logarithms of the view's ends, 0 to 1.
    double LogFraction(double value) const;
    // The step the tick loops walk with: the axis step when it gives a
    // bounded number of ticks, else a nice tenth of the span, else 0 (no
    // ticks).
    double TickStep() const;
    CRect PlotRect() const;
    void UpdateScrollBar();
    // Checks a range and widens an empty one; false for a reversed range or
    // one that is not a number.
    bool NormalizeRange(double& minimum, double& maximum);
    void EstimateStep();
    // Brings what was just loaded into the ranges drawing can take.
    void KeepLoadedValuesDrawable();
};
