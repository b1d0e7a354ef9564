#pragma once

#include "CObList.h"
#include "CScrollBar.h"
#include "CWnd.h"
#include "DataPoint.h"
#include "SymbolShapes.h"
#include "XGraphAxis.h"
#include "XGraphDataSerie.h"
#include "XGraphLabel.h"

#include "ChartDialogs.h"

#include <array>
#include <vector>

class CDC;
class CDCEx;

// Notifications the chart posts to its parent, with the chart in lParam.
constexpr UINT WM_XGRAPH_YAXIS_CLICKED = WM_USER + 1;
constexpr UINT WM_XGRAPH_XAXIS_CLICKED = WM_USER + 2;
constexpr UINT WM_XGRAPH_SERIES_CLICKED = WM_USER + 3;
constexpr UINT WM_XGRAPH_YAXIS_OPEN = WM_USER + 4;
constexpr UINT WM_XGRAPH_XAXIS_OPEN = WM_USER + 5;
constexpr UINT WM_XGRAPH_SERIES_OPEN = WM_USER + 6;
constexpr UINT WM_XGRAPH_CHART_OPEN = WM_USER + 7;
constexpr UINT WM_XGRAPH_RBUTTONUP = WM_USER + 8;
constexpr UINT WM_XGRAPH_CURSOR = WM_USER + 9;
constexpr UINT WM_XGRAPH_ZOOMED = WM_USER + 10;
constexpr UINT WM_XGRAPH_POINT_EDITED = WM_USER + 11;
constexpr UINT WM_XGRAPH_USER_COMMAND = 40012;

// Commands the chart carries out itself.
constexpr UINT ID_XGRAPH_SELECT = 40000;
constexpr UINT ID_XGRAPH_INSERT_LABEL = 40001;
constexpr UINT ID_XGRAPH_ZOOM = 40002;
constexpr UINT ID_XGRAPH_RESET_ZOOM = 40003;
constexpr UINT ID_XGRAPH_PAN = 40004;
constexpr UINT ID_XGRAPH_PROPERTIES = 40005;
constexpr UINT ID_XGRAPH_LABEL_PROPERTIES = 40006;
constexpr UINT ID_XGRAPH_PRINT = 40007;
constexpr UINT ID_XGRAPH_LINEAR_TREND = 40009;
constexpr UINT ID_XGRAPH_CUBIC_TREND = 40010;
constexpr UINT ID_XGRAPH_CURSOR = 40011;
constexpr UINT ID_XGRAPH_USER = 40012;
constexpr UINT ID_XGRAPH_ZOOM_BACK = 40013;
constexpr UINT ID_XGRAPH_EDIT_POINTS = 40014;
constexpr UINT ID_XGRAPH_MEASURE = 40015;

// The WM_NOTIFY code of the cursor record.
constexpr UINT XGN_CURSOR_MOVED = 1033;
// The child id of the chart's scroll bar.
constexpr UINT XGRAPH_SCROLLBAR_ID = 12345;

// Sent (synchronously) to the parent while the cursor moves.
struct CursorNotify
{
    NMHDR hdr;
    double cursorX;
    double selectionMin;
    double selectionMax;
    // 1 while the left button drags the selection end.
    int selecting;
};

// A finished measure: from a point of one series to a point of another.
struct MeasureRecord
{
    int startSeries = 0;
    int startPoint = 0;
    int endSeries = 0;
    int endPoint = 0;
};

// One line of the legend and the series it names.
struct LegendEntry
{
    CRect rect;
    CXGraphDataSerie* series = nullptr;
};

// The marker line being dragged, shared by all charts.
struct DraggedMarker
{
    const void* graph = nullptr;
    int orientation = -1;
    int axis = -1;
    int marker = -1;
};

// The (series, point) pair being edited, shared by all charts.
struct EditedPoint
{
    int series = -1;
    int point = -1;
};

// The payload of WM_XGRAPH_POINT_EDITED.
struct PointEdited
{
    int series = -1;
    int point = -1;
    double oldY = 0.0;
    double newY = 0.0;
};

enum ChartMode
{
    ModeSelect = 0,
    ModeZoom = 1,
    ModePan = 3,
    ModeCursor = 4,
    ModeEditPoints = 7,
    ModeMeasure = 8
};

// The kinds of moving average, in the order the curve dialog lists them.
enum MovingAverageKind
{
    AverageSimple = 0,
    AverageLinear = 1,
    AverageExponential = 2,
    AverageTriangular = 3,
    AverageSineWeighted = 4
};

enum CursorFlags
{
    CursorHLine = 1,
    CursorVLine = 2,
    CursorReadout = 4
};

enum LegendPosition
{
    LegendLeft = 0,
    LegendRight = 1
};

// The colours the chart paints with: the background around the frame, the
// frame the axes stand in, and the plot inside the axes.
struct ChartColours
{
    COLORREF background = RGB(255, 255, 255);
    COLORREF frame = RGB(255, 255, 255);
    COLORREF plot = RGB(240, 240, 240);
};

// A line of text written over a printed chart, in its colour.
struct PageLine
{
    CString text;
    COLORREF colour = 0;
};

// How a page shows the chart. Printing paints in the look it is given and
// leaves the chart's own look (what the screen shows) as it is. A page is
// always painted straight onto the paper, so double buffering is not part of
// it, and the cursor lines are never printed.
struct PrintLook
{
    ChartColours colours;
    bool showLegend = true;
    // Written one under the other at the top left of the page, over the
    // chart.
    std::vector<PageLine> lines;
};

// A chart window: any number of data series against any number of X and Y
// axes, free-standing objects (labels, pictures, data notes), a measuring
// cursor with an X-range selection, zooming, panning, measures and
// printing. The chart reports to its parent with posted notifications and,
// while the cursor moves, a synchronous WM_NOTIFY.
class CXGraph : public CWnd
{
    DECLARE_DYNAMIC(CXGraph)
public:
    static constexpr const char* kClassName = "XGraph";
    static constexpr int kScrollBarHeight = 15;

    CXGraph();
    ~CXGraph() override;
    CXGraph(const CXGraph&) = delete;
    CXGraph& operator=(const CXGraph&) = delete;

    // Adds series number `series` when it is the next one, else replaces
    // the data of an existing series (adopting the pointer as passed).
    // Missing axes with the next index are created. Null for no points.
    CXGraphDataSerie* SetSeriesData(DataPoint* points, int count, int series, int xAxis, int yAxis,
                                    bool copy);
    CXGraphAxis& XAxisAt(int index) { return m_xAxes.at(static_cast<std::size_t>(index)); }
    CXGraphAxis& YAxisAt(int index) { return m_yAxes.at(static_cast<std::size_t>(index)); }
    int GetXAxisCount() const { return static_cast<int>(m_xAxes.size()); }
    int GetYAxisCount() const { return static_cast<int>(m_yAxes.size()); }
    int GetSeriesCount() const { return static_cast<int>(m_series.size()); }
    CXGraphDataSerie& SeriesAt(int index) { return m_series.at(static_cast<std::size_t>(index)); }
    int IndexOfAxis(const CXGraphAxis* axis) const;
    int IndexOfSeries(const CXGraphDataSerie* series) const;

    CXGraphLabel* AddTextLabel(int rowTop, int rowBottom, COLORREF colour, const CString& text);
    CXGraphLabel* AddLabel(const RECT& rect, const CString& text);
    CXGraphLabel* InsertCenteredLabel(const CString& text);
    // Removes axes, series and every object but the read-out label.
    void ClearChart();

    // Stores or loads the chart's objects: the X axes, the Y axes, the
    // series, then the labels, pictures and notes (each after a kind byte),
    // every group after its count. The read-out label and the chart's own
    // settings are not stored. Loading replaces the objects only when the
    // whole archive loaded.
    void Serialize(CArchive& archive) override;

    // Paints the chart into a printing device context (printer or preview):
    // in the chart's own look, or in the look given.
    void RenderToDC(CDC* dc);
    void RenderToDC(CDC* dc, const PrintLook& look);
    // Asks for a printer and prints the chart on one page in its own look.
    void PrintChart();
    // Paints the chart on a page in a look: dc is prepared for the paper
    // (its scale and white background), page is the page in chart pixels.
    // The chart lays itself out on the page as a paint on the screen does;
    // its look, objects and data stay as they are.
    void PaintPage(CDCEx* dc, const CRect& page, const PrintLook& look);
    // The look the chart shows on the screen: its colours and legend.
    PrintLook ScreenLook() const;

    bool SelectSeriesOnly(int index);
    bool SelectXAxisOnly(int index);
    bool SelectYAxisOnly(int index);

    // Curves derived from a series, added as the next series on the source's
    // axes (a copy the chart owns, in the next palette colour) and named
    // after the source. Each returns the new series' index, or -1 when it
    // added nothing; a source without enough points (one for an average,
    // two for a trend) or parameters out of range add nothing, and a
    // message box says why. The index of the source stays valid, though
    // references to series do not survive the addition.
    //
    // The chart's own trend commands, on the selected series: " linear
    // trend" and " cubic trend", without forecast.
    int AddLinearTrend();
    int AddCubicTrend();
    // What the curve dialog runs once its parameter dialog was confirmed.
    // A moving average of a kind (MovingAverageWord) over `window` points,
    // named "<name> AVG, <kind word>"; an unknown kind does nothing.
    int AddMovingAverageSeries(int series, int kind, int window);
    // The trends with `forecast` more points: " Trend (lin.)",
    // " Trend (cub.)" and " Trend (poly.) ". The polynomial one also adds a
    // label with its formula, as large as the text, at (200, 200).
    int AddLinearTrendSeries(int series, int forecast);
    int AddCubicTrendSeries(int series, int forecast);
    int AddPolynomialTrendSeries(int series, int coefficients, int forecast);
    // The words of the moving-average kinds 0 to 4 ("simple", "linear",
    // "exponential", "triangular", "sine weighted"); null for other kinds.
    static const char* MovingAverageWord(int kind);
    // The largest forecast the trend dialog offers.
    static constexpr int kMaxForecast = 100000000;

    // Mode commands and zooming without the mouse.
    void ResetZoom();
    void ZoomBack();
    // Goes into a mode (ChartMode) as its command does, without painting.
    void SetMode(int mode);
    int GetMode() const { return m_mode; }
    // The point of a series at or next to x: the last point at or before x
    // when x lies before the estimated index, else the first point after x.
    int FindPointIndex(int series, double x) const;
    // The plot pixel of a data point on a series' axes.
    CPoint SeriesPointToPixel(const CXGraphDataSerie& series, const DataPoint& point);
    // Whether a series can be drawn: it has points and both its axes exist.
    bool IsPlottable(const CXGraphDataSerie& series) const;
    bool IsPlottable(int series) const;

    // Paints the whole chart on the window in its own look, as WM_PAINT
    // does.
    void PaintChart(CDC* paintDC);

    // What lies under the mouse point: with hoverOnly 1 as soon as
    // something does, changing nothing; otherwise it selects, notifies and,
    // with open, opens the properties. Nothing unless interactive.
    int HitTest(bool open, bool hoverOnly);
    void ZoomToRect();
    void PanBy(CPoint point);
    // Moves point.y onto the nearest curve and records it as the start
    // (at the button-down point) or the end of the measure.
    void SnapMeasurePoint(CPoint& point);

    static DraggedMarker s_draggedMarker;
    static EditedPoint s_editedPoint;
    static PointEdited s_pointEdited;

    // The look and behaviour the host chooses. They take effect with the
    // next paint or mouse action.
    void SetColours(const ChartColours& colours) { m_colours = colours; }
    const ChartColours& GetColours() const { return m_colours; }
    void ShowLegend(bool shown) { m_showLegend = shown; }
    bool IsLegendShown() const { return m_showLegend; }
    // LegendLeft or LegendRight of the plot.
    void SetLegendPosition(int position) { m_legendPosition = position; }
    int GetLegendPosition() const { return m_legendPosition; }
    void SetDoubleBuffer(bool buffered) { m_doubleBuffer = buffered; }
    bool IsDoubleBuffered() const { return m_doubleBuffer; }
    // Whether clicks select, notify and open properties; zooming, panning,
    // the cursor and the keys work either way.
    void SetInteractive(bool interactive) { m_interactive = interactive; }
    bool IsInteractive() const { return m_interactive; }
    // The cursor's lines and read-out (CursorFlags).
    void SetCursorFlags(UINT flags) { m_cursorFlags = flags; }
    UINT GetCursorFlags() const { return m_cursorFlags; }
    // Whether the cursor moves onto a curve within the snap range (pixels).
    void SetSnapCursor(bool snap) { m_snapCursor = snap; }
    bool IsCursorSnapped() const { return m_snapCursor; }
    void SetSnapRange(int pixels) { m_snapRange = pixels; }
    int GetSnapRange() const { return m_snapRange; }
    // The series the cursor always follows, or -1 for snapping.
    void SetFixedCursorSeries(int series) { m_fixedCursorSeries = series; }
    // The procedure that draws symbol number 0 to 7.
    SymbolProcedure GetSymbolProcedure(int number) const;
    void SetSymbolProcedure(int number, SymbolProcedure procedure);

    // The cursor and the selection of X values it drags.
    CPoint GetMousePoint() const { return m_mousePoint; }
    double GetCursorX() const { return m_cursorX; }
    double GetCursorY() const { return m_cursorY; }
    // The series the cursor is on, or -1.
    int GetCursorSeries() const { return m_cursorSeries; }
    double GetSelectionStart() const { return m_selectionStart; }
    double GetSelectionEnd() const { return m_selectionEnd; }
    void SetSelection(double start, double end);
    // The series the trend commands and point editing act on, as a click on
    // its curve chooses it; -1 for none.
    int GetSelectedSeries() const { return m_selectedSeries; }
    void SetSelectedSeries(int series) { m_selectedSeries = series; }
    const std::vector<MeasureRecord>& GetMeasures() const { return m_measures; }
    // Whether cursor lines are on the window, to be inverted away by the
    // next move of the cursor.
    bool IsCursorDrawn() const { return m_lastCursorPoint != CPoint(-1, -1); }
    // Whether a pan took hold of a point and follows the mouse from it.
    bool HoldsPanAnchor() const { return m_panAnchor != CPoint(0, 0); }
    // Whether the value of the point being edited is written by the mouse.
    bool IsEditedValueShown() const { return m_showEditedValue; }

    // The layout of the last paint.
    const CRect& GetPlotRect() const { return m_plotRect; }
    // The plot area as a paint lays it out, for axes laid out without one.
    void SetPlotRect(const CRect& rect) { m_plotRect = rect; }
    const std::vector<LegendEntry>& GetLegendEntries() const { return m_legendEntries; }
    // The free margins of the chart's area around the frame.
    static constexpr int kMarginLeft = 5;
    static constexpr int kMarginTop = 5;
    static constexpr int kMarginRight = 5;
    static constexpr int kMarginBottom = 35;
    CScrollBar& GetScrollBar() { return m_scrollBar; }
    // The range of X values the scroll bar spans.
    double GetXExtentMin() const { return m_xExtentMin; }
    double GetXExtentMax() const { return m_xExtentMax; }

    // The free-standing objects, drawn in order over the plot; the first is
    // always the cursor's read-out label.
    CXGraphLabel& Readout() { return m_readout; }
    int GetObjectCount() const { return m_objects.GetCount(); }
    CXGraphObject* ObjectAt(int index);
    // Adopts an object (a label, picture or note) as the last one.
    void AddObject(CXGraphObject* object);
    // Takes an object off the list without deleting it: the caller owns it
    // again.
    void DetachObject(CXGraphObject* object);
    // The object the last button press was on, or null.
    CXGraphObject* GetCurrentObject() const { return m_currentObject; }
    // Adds a Y axis that no series is drawn against yet.
    CXGraphAxis& AddYAxis();

    // Drawing steps that also draw straight on the window: the selection
    // band and the cursor lines invert what lies under them, so that
    // drawing them twice erases them.
    void DrawSelectionBand(CDCEx* dc) { DrawSelectionBand(dc, m_colours.plot); }
    void DrawCursor(CDCEx* dc);

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    void OnKeyUp(UINT key, UINT repeatCount, UINT flags) override;
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message) override;
    void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar) override;

public:
    BOOL PreTranslateMessage(MSG* message) override;

private:
    // What the objects of the list did with a click.
    struct ObjectClick
    {
        bool hit = false;
        // An object opened for editing or took the tracker: the curves
        // under it are not clicked.
        bool tookClick = false;
    };

    void PostToParent(UINT message, WPARAM wParam);
    // Every axis shows its whole data range again.
    void ResetAxesToFullRange();

    // The steps of the hit test. Those that ask change nothing; those that
    // act select, notify and open, in the order HitTest runs them.
    bool IsAxisOrMarkerUnder(CPoint point);
    bool IsObjectUnder(CPoint point);
    bool IsCurveUnder(CPoint point) const;
    bool IsLegendLineUnder(CPoint point) const;
    // The grab band of an axis' marker line: 10 pixels to either side,
    // across the plot.
    CRect MarkerBand(CXGraphAxis& axis, const AxisMarker& marker) const;
    // Whether the curve's last drawing passes by the point.
    static bool IsOnCurve(const CXGraphDataSerie& series, CPoint point);
    // A legend line whose series is still on the chart and that holds the
    // point.
    bool IsLegendLineAt(const LegendEntry& entry, CPoint point) const;
    bool ClickAxes(CPoint point, bool open);
    // Removes, grabs, drags or lets go of the axis' marker lines.
    void ClickMarkers(CXGraphAxis& axis, int orientation, int index, CPoint point);
    ObjectClick ClickObjects(CPoint point, bool open);
    bool ClickCurves(CPoint point, bool open);
    // Moves the point being edited to the mouse's value, while the left
    // button drags it.
    void DragEditedPoint(CPoint point);
    bool ClickLegend(CPoint point, bool open);
    void OpenChartProperties();
    // Forgets the point being edited unless the left button still drags it.
    void ForgetEditedPointUnlessDragging();

    // The band's first column and the column after its last.
    CPoint SelectionBandColumns(double start, double end);
    void InvertColumns(CDCEx* dc, int from, int to, COLORREF plotColour);
    // On paper, which has no raster operations: draws what the inverted
    // columns show on the screen, in the colours the inversion gives.
    void DrawInvertedColumnsOnPaper(CDCEx* dc, int from, int to, COLORREF plotColour);
    void DrawSelectionBand(CDCEx* dc, COLORREF plotColour);
    // Moves the selection's end, inverting on the window what changes.
    void MoveSelectionEnd(CDCEx* dc, double end);
    // What lies in the plot: its background, the axes' grids, ranges and
    // markers, the curves and the measures.
    void DrawPlotContents(CDCEx* dc, COLORREF plotColour);
    void DrawLegend(CDCEx* dc, CRect& inner);
    void DrawMeasures(CDCEx* dc, COLORREF plotColour);
    void DrawMeasure(CDCEx* dc, CRect rect, COLORREF plotColour);
    void DrawZoomRect(CDCEx* dc, COLORREF plotColour);
    void DrawCursorReadout(CDCEx* dc);
    // The page's lines of text, drawn as labels over the chart.
    void DrawPageLines(CDCEx* dc, const std::vector<PageLine>& lines);
    // A transparent, borderless line of text in 30-pixel Times New Roman,
    // from x 55 to 500 between the rows.
    void SetUpTextLabel(CXGraphLabel& label, int rowTop, int rowBottom, COLORREF colour,
                        const CString& text);
    // Adds the points as the next series on the source's axes, named after
    // the source; the index of the new series, or -1.
    int AddDerivedSeries(int source, std::vector<DataPoint> points, const CString& suffix);
    // Whether a trend can be drawn for the series with that forecast; says
    // why not.
    bool CanAddTrend(int series, int forecast);
    void HideReadout();
    void LayoutAndDraw(CDCEx* dc, const CRect& area, const PrintLook& look);
    void RenderPage(CDCEx* dc, const PrintLook& look, bool wholeJob);

    // What the host chooses.
    ChartColours m_colours;
    bool m_doubleBuffer = true;
    bool m_showLegend = true;
    bool m_interactive = true;
    int m_legendPosition = LegendRight;
    bool m_snapCursor = true;
    int m_snapRange = 10;
    UINT m_cursorFlags = CursorHLine | CursorVLine | CursorReadout;
    int m_fixedCursorSeries = -1;

    // State of the chart.
    CScrollBar m_scrollBar;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    std::array<SymbolProcedure, 8> m_symbolProcedures = kSymbolProcedures;
    CRectTracker* m_activeTracker = nullptr;
    CRect m_plotRect;
    CRect m_measureRect;
    CPoint m_panAnchor;
    int m_mode = ModeSelect;
    int m_cursorSeries = -1;
    int m_measureEndSeries = 0;
    int m_axisGap = 5;
    CRect m_zoomRect;
    CPoint m_buttonDownPoint;
    CPoint m_lastCursorPoint{-1, -1};
    CPoint m_buttonUpPoint;
    CPoint m_mousePoint;
    bool m_leftButtonDown = false;
    bool m_rightButtonDown = false;
    bool m_mouseOverObject = false;
    bool m_showEditedValue = false;
    double m_editedValue = 0.0;
    int m_selectedSeries = -1;
    double m_cursorX = 0.0;
    double m_cursorY = 0.0;
    CXGraphLabel m_readout;
    MeasureRecord m_measure;
    std::vector<MeasureRecord> m_measures;
    std::vector<LegendEntry> m_legendEntries;
    std::vector<CXGraphDataSerie> m_series;
    std::vector<CXGraphAxis> m_xAxes;
    std::vector<CXGraphAxis> m_yAxes;
    CObList m_objects{10};
    CXGraphObject* m_currentObject = nullptr;
    double m_selectionStart = 0.0;
    double m_selectionEnd = 0.0;
    double m_xExtentMax = 0.0;
    double m_xExtentMin = 0.0;
};
