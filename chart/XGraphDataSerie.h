#pragma once

#include "CString.h"
#include "DataPoint.h"
#include "Gdi.h"
#include "XGraphObject.h"

#include <array>
#include <vector>

class CXGraphAxis;

// The coefficients of the last polynomial trend computed from a series.
struct PolynomialCoefficients
{
    int count = 0;
    std::array<double, 21> values{};
};

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
    DECLARE_SERIAL(CXGraphDataSerie)
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
    PolynomialCoefficients m_polynomial;
    // The line pieces the last Draw drew, in drawing order.
    std::vector<CurveSegment> m_segments;
};
