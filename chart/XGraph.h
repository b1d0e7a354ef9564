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

// A chart window: any number of data series against any number of X and Y
// axes, free-standing objects (labels, pictures, data notes), a measuring
// cursor with an X-range selection, zooming, panning, measures and
// printing. The chart reports to its parent with posted notifications and,
// while the cursor moves, a synchronous WM_NOTIFY.
class CXGraph : public CWnd
{
    DECLARE_DYNCREATE(CXGraph)
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

    // Paints the chart into a printing device context (printer or preview).
    void RenderToDC(CDC* dc);
    // Asks for a printer and prints the chart on one page.
    void PrintChart();

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
    // The point of a series at or next to x: the last point at or before x
    // when x lies before the estimated index, else the first point after x.
    int FindPointIndex(int series, double x) const;
    // The plot pixel of a data point on a series' axes.
    CPoint SeriesPointToPixel(const CXGraphDataSerie& series, const DataPoint& point);

    // Paints the whole chart into the target, as WM_PAINT and printing do.
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

    // State the host sets directly.
    COLORREF m_backColour = RGB(255, 255, 255);
    COLORREF m_frameColour = RGB(255, 255, 255);
    COLORREF m_plotColour = RGB(240, 240, 240);
    bool m_doubleBuffer = true;
    bool m_showLegend = true;
    bool m_interactive = true;
    // 0 legend at the left of the plot, 1 at the right.
    int m_legendPosition = 1;
    bool m_snapCursor = true;
    int m_snapRange = 10;
    UINT m_cursorFlags = CursorHLine | CursorVLine | CursorReadout;
    int m_fixedCursorSeries = -1;

    // State of the chart.
    CScrollBar m_scrollBar;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    std::array<SymbolProcedure, 8> m_symbolProcedures = kSymbolProcedures;
    CDCEx* m_renderTarget = nullptr;
    CRectTracker* m_activeTracker = nullptr;
    CRect m_plotRect;
    CRect m_measureRect;
    CRect m_pageRect;
    CPoint m_panAnchor;
    int m_mode = ModeSelect;
    int m_cursorSeries = -1;
    int m_measureEndSeries = 0;
    int m_marginLeft = 5;
    int m_marginTop = 5;
    int m_marginRight = 5;
    int m_marginBottom = 35;
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

    // Drawing steps of a paint; the interaction draws some of them straight
    // on the window.
    void DrawLegend(CDCEx* dc, CRect& inner);
    void DrawMeasures(CDCEx* dc);
    void DrawMeasure(CDCEx* dc, CRect rect);
    void DrawSelectionBand(CDCEx* dc);
    // Moves the selection's end, inverting on the window what changes.
    void MoveSelectionEnd(CDCEx* dc, double end);
    void DrawZoomRect(CDCEx* dc);
    void DrawCursor(CDCEx* dc);
    void DrawCursorReadout(CDCEx* dc);

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

protected:
    void PostToParent(UINT message, WPARAM wParam);
    // The band's first column and the column after its last.
    CPoint SelectionBandColumns(double start, double end);
    void InvertColumns(CDCEx* dc, int from, int to);
    // On paper, which has no raster operations: draws what the inverted
    // columns show on the screen, in the colours the inversion gives.
    void DrawInvertedColumnsOnPaper(CDCEx* dc, int from, int to);
    // What lies in the plot: its background, the axes' grids, ranges and
    // markers, the curves and the measures.
    void DrawPlotContents(CDCEx* dc);
    // Adds the points as the next series on the source's axes, named after
    // the source; the index of the new series, or -1.
    int AddDerivedSeries(int source, std::vector<DataPoint> points, const CString& suffix);
    // Whether a trend can be drawn for the series with that forecast; says
    // why not.
    bool CanAddTrend(int series, int forecast);
    void HideReadout();
    void LayoutAndDraw(CDCEx* dc, const CRect& area);
    void RenderPage(CDCEx* dc, bool wholeJob);
};
