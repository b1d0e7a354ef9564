#pragma once

#include "CString.h"
#include "DataPoint.h"
#include "Gdi.h"
#include "PolynomialSolver.h"
#include "XGraphObject.h"

#include <vector>

class CXGraphAxis;

// One drawn line piece of a curve, in chart pixels, for hit testing.
struct CurveSegment
{
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};

// One curve of the chart: its points, its look and the X and Y axes it is
// drawn against. It either refers to the caller's point array or owns a copy.
class CXGraphDataSerie : public CXGraphObject
{
    DECLARE_DYNAMIC(CXGraphDataSerie)
public:
    enum DrawMode
    {
        drawLines = 0,
        drawMarks = 1
    };
    enum SymbolKind
    {
        symbolNumbered = 0,
        symbolCustom = 1
    };

    CXGraphDataSerie() = default;
    CXGraphDataSerie(const CXGraphDataSerie& other);
    CXGraphDataSerie& operator=(const CXGraphDataSerie& other);
    // Moving hands the points over, so that the chart's list can grow
    // without copying owned arrays.
    CXGraphDataSerie(CXGraphDataSerie&& other) noexcept;
    CXGraphDataSerie& operator=(CXGraphDataSerie&& other) noexcept;
    ~CXGraphDataSerie() override;

    void Draw(CDCEx* dc) override;
    // The series symbol at evenly spread points along the curve.
    void DrawCurveSymbols(CDCEx* dc);
    void Serialize(CArchive& archive) override;

    void SetName(const CString& name) { m_name = name; }
    const CString& GetName() const { return m_name; }

    // One symbol cell with its top-left corner at (x, y): the chart's symbol
    // procedure of that number when custom, else a square of the colour
    // with number + 1 written in it.
    void DrawSymbol(CXGraphAxis* axis, int number, int size, bool custom, int x, int y,
                    COLORREF colour, CDCEx* dc);

    // Curves derived from this one, as new points for a series of their
    // own. A moving average keeps the x values, starts at the first point
    // and averages each later point with up to window - 1 points before it
    // (never the first); it needs at least one point and a window of at
    // least one, else it gives no points.
    std::vector<DataPoint> SimpleMovingAverage(int window) const;
    // Weights the newest point of the window highest, falling by one.
    std::vector<DataPoint> LinearMovingAverage(int window) const;
    // 2 / (window + 1) of each point and the rest of the previous average.
    std::vector<DataPoint> ExponentialMovingAverage(int window) const;
    // Weights rising to the middle of the window and falling again.
    std::vector<DataPoint> TriangularMovingAverage(int window) const;
    // Weights along half a sine wave over window + 1 steps.
    std::vector<DataPoint> SineWeightedMovingAverage(int window) const;

    // A trend over the point number 1 ... n (not over x), continued for
    // `forecast` more points spaced like the first two. Each needs at least
    // two points and a forecast of at least 0, else it gives no points.
    // The least-squares line:
    std::vector<DataPoint> LinearTrend(int forecast) const;
    // The least-squares a * k^3:
    std::vector<DataPoint> CubicTrend(int forecast) const;
    // The least-squares polynomial in x with `coefficients` terms (2 to
    // 20), kept in m_polynomial, continued with the spacing of the last two
    // points; no points when the fit fails or the series has fewer than
    // two points.
    std::vector<DataPoint> PolynomialTrend(int coefficients, int forecast);

    // Gives up the points (when owned) and takes a copy of these.
    void CopyPoints(const DataPoint* points, int count);
    void ReleasePoints();

    DataPoint* m_points = nullptr;
    int m_count = 0;
    // Stored and copied with the series, read by nothing.
    int m_reservedA = 0;
    int m_reservedB = 0;
    int m_xAxis = 0;
    int m_yAxis = 0;
    int m_index = 0;
    // Pen width; also the radius of the marks.
    int m_lineWidth = 1;
    // 0 to 5 a hatch style, 6 solid.
    int m_fillStyle = 6;
    int m_symbolKind = symbolNumbered;
    int m_symbolNumber = 0;
    int m_symbolSize = 10;
    int m_penStyle = PS_SOLID;
    bool m_ownsPoints = false;
    bool m_showCurveSymbols = false;
    bool m_fill = false;
    bool m_transparentFill = true;
    COLORREF m_fillColour = RGB(255, 255, 255);
    CString m_name{" "};
    int m_drawMode = drawLines;
    // -1 fills down to the plot bottom, else the series closing the area.
    short m_fillToSeries = 1;
    // The fit of the last polynomial trend computed from this series.
    CPolynomialSolver m_polynomial;
    // The line pieces the last Draw drew, in drawing order.
    std::vector<CurveSegment> m_segments;
};
