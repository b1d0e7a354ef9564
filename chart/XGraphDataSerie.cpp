#include "XGraphDataSerie.h"

#include "ArchiveLimits.h"
#include "BrushSelector.h"
#include "CArchive.h"
#include "DCEx.h"
#include "Exceptions.h"
#include "FontSelector.h"
#include "PenSelector.h"
#include "PixelLimits.h"
#include "QuickFont.h"
#include "XGraph.h"
#include "XGraphAxis.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>

IMPLEMENT_DYNAMIC(CXGraphDataSerie, CXGraphObject)

namespace {

COLORREF Inverse(COLORREF colour)
{
    return RGB(GetRValue(colour) ^ 255, GetGValue(colour) ^ 255, GetBValue(colour) ^ 255);
}

// The mapping of one axis for a whole curve: the same arithmetic as the
// axis' ValueToPoint, worked out once instead of once per point.
class AxisMapper
{
public:
    explicit AxisMapper(CXGraphAxis& axis) : m_axis(axis)
    {
        const CRect plot = axis.m_graph != nullptr ? axis.m_graph->GetPlotRect() : CRect();
        m_span = axis.m_viewMax - axis.m_viewMin;
        axis.m_span = m_span;
        m_factor = axis.m_length / m_span;
        m_minimum = axis.m_viewMin;
        m_left = plot.left;
        m_bottom = plot.bottom;
        m_linear = axis.m_linear != 0;
    }
    int X(double value) const
    {
        if (!m_linear)
            return m_axis.ValueToPoint({value, 0}).x;
        return ToPixel(m_factor * (value - m_minimum) + m_left);
    }
    int Y(double value) const
    {
        if (!m_linear)
            return m_axis.ValueToPoint({0, value}).y;
        return ToPixel(m_bottom - m_factor * (value - m_minimum));
    }

private:
    CXGraphAxis& m_axis;
    double m_span = 1.0;
    double m_factor = 1.0;
    double m_minimum = 0.0;
    double m_left = 0.0;
    double m_bottom = 0.0;
    bool m_linear = true;
};

} // namespace

CXGraphDataSerie::CXGraphDataSerie(const CXGraphDataSerie& other) : CXGraphObject(other)
{
    *this = other;
}

CXGraphDataSerie& CXGraphDataSerie::operator=(const CXGraphDataSerie& other)
{
    if (this == &other)
        return *this;
    ReleasePoints();
    CXGraphObject::operator=(other);
    m_count = other.m_count;
    m_reservedA = other.m_reservedA;
    m_reservedB = other.m_reservedB;
    m_xAxis = other.m_xAxis;
    m_yAxis = other.m_yAxis;
    m_index = other.m_index;
    m_lineWidth = other.m_lineWidth;
    m_fillStyle = other.m_fillStyle;
    m_symbolKind = other.m_symbolKind;
    m_symbolNumber = other.m_symbolNumber;
    m_symbolSize = other.m_symbolSize;
    m_penStyle = other.m_penStyle;
    m_ownsPoints = other.m_ownsPoints;
    m_showCurveSymbols = other.m_showCurveSymbols;
    m_fill = other.m_fill;
    m_transparentFill = other.m_transparentFill;
    m_fillColour = other.m_fillColour;
    m_name = other.m_name;
    m_drawMode = other.m_drawMode;
    m_fillToSeries = other.m_fillToSeries;
    m_polynomial = other.m_polynomial;
    m_segments = other.m_segments;
    if (other.m_ownsPoints && other.m_points != nullptr && other.m_count > 0) {
        m_points = new DataPoint[static_cast<std::size_t>(other.m_count)];
        std::memcpy(m_points, other.m_points,
                    static_cast<std::size_t>(other.m_count) * sizeof(DataPoint));
    } else {
        m_points = other.m_points;
    }
    return *this;
}

CXGraphDataSerie::CXGraphDataSerie(CXGraphDataSerie&& other) noexcept : CXGraphObject(other)
{
    *this = std::move(other);
}

CXGraphDataSerie& CXGraphDataSerie::operator=(CXGraphDataSerie&& other) noexcept
{
    if (this == &other)
        return *this;
    const bool owned = other.m_ownsPoints;
    DataPoint* points = other.m_points;
    // Copy everything but the points, then take the array itself.
    other.m_ownsPoints = false;
    *this = static_cast<const CXGraphDataSerie&>(other);
    m_points = points;
    m_ownsPoints = owned;
    other.m_points = nullptr;
    return *this;
}

CXGraphDataSerie::~CXGraphDataSerie()
{
    ReleasePoints();
}

void CXGraphDataSerie::ReleasePoints()
{
    if (m_ownsPoints)
        delete[] m_points;
    m_points = nullptr;
    m_ownsPoints = false;
}

void CXGraphDataSerie::CopyPoints(const DataPoint* points, int count)
{
    ReleasePoints();
    m_count = std::max(count, 0);
    if (m_count > 0) {
        m_points = new DataPoint[static_cast<std::size_t>(m_count)];
        std::memcpy(m_points, points, static_cast<std::size_t>(m_count) * sizeof(DataPoint));
    }
    m_ownsPoints = true;
}

void CXGraphDataSerie::Draw(CDCEx* dc)
{
    m_segments.clear();
    if (m_graph == nullptr || !m_graph->IsPlottable(*this))
        return;
    const COLORREF lineColour =
        dc->m_whiteBackground ? RGB(0, 0, 0) : (m_selected ? Inverse(m_colour) : m_colour);
    CPenSelector pen(dc, lineColour, m_lineWidth, m_penStyle);

    const AxisMapper mapX(m_graph->XAxisAt(m_xAxis));
    const AxisMapper mapY(m_graph->YAxisAt(m_yAxis));
    const int x0 = mapX.X(m_points[0].fXVal);
    const int y0 = mapY.Y(m_points[0].fYVal);

    const CXGraphDataSerie* closing = nullptr;
    if (m_fill && m_fillToSeries >= 0 && m_fillToSeries < m_graph->GetSeriesCount())
        closing = &m_graph->SeriesAt(m_fillToSeries);
    const bool filling = m_fill && (m_fillToSeries == -1 || closing != nullptr);
    std::vector<POINT> polygon;
    if (filling) {
        polygon.reserve(static_cast<std::size_t>(m_count) +
                        (closing != nullptr ? static_cast<std::size_t>(closing->m_count) : 2));
        polygon.push_back({x0, y0});
    }

    const int width = m_lineWidth;
    int lastX = x0;
    int lastY = y0;
    if (m_drawMode == drawLines)
        dc->MoveTo(x0, y0);
    else if (m_drawMode == drawMarks)
        dc->Ellipse(x0 - width, y0 - width, x0 + width, y0 + width);

    for (int i = 1; i < m_count; ++i) {
        const int x = mapX.X(m_points[i].fXVal);
        // Only the first point of each pixel column is drawn.
        if (x == lastX)
            continue;
        const int y = mapY.Y(m_points[i].fYVal);
        if (m_drawMode == drawLines) {
            dc->LineTo(x, y);
            m_segments.push_back({lastX, lastY, x, y});
        } else if (m_drawMode == drawMarks) {
            dc->Ellipse(x - width, y - width, x + width, y + width);
        }
        if (filling)
            polygon.push_back({x, y});
        lastX = x;
        lastY = y;
    }

    if (filling) {
        if (closing == nullptr) {
            polygon.push_back({lastX, m_graph->GetPlotRect().bottom});
            polygon.push_back({x0, m_graph->GetPlotRect().bottom});
        } else if (m_graph->IsPlottable(*closing)) {
            const AxisMapper closingX(m_graph->XAxisAt(closing->m_xAxis));
            const AxisMapper closingY(m_graph->YAxisAt(closing->m_yAxis));
            for (int i = closing->m_count - 1; i >= 0; --i)
                polygon.push_back({closingX.X(closing->m_points[i].fXVal),
                                   closingY.Y(closing->m_points[i].fYVal)});
        }
        const int oldMode = dc->GetBkMode();
        const int oldRop = dc->GetROP2();
        if (m_transparentFill) {
            dc->SetBkMode(TRANSPARENT);
            dc->SetROP2(R2_NOTXORPEN);
        } else {
            dc->SetBkMode(OPAQUE);
            dc->SetROP2(R2_COPYPEN);
        }
        {
            CPenSelector noPen(dc, 0, 1, PS_NULL);
            const COLORREF brushColour = dc->m_whiteBackground ? RGB(0, 0, 0) : m_fillColour;
            std::unique_ptr<CBrushSelector> brush;
            if (m_fillStyle == 6)
                brush = std::make_unique<CBrushSelector>(dc, brushColour);
            else
                brush = std::make_unique<CBrushSelector>(dc, m_fillStyle, brushColour);
            dc->Polygon(polygon.data(), static_cast<int>(polygon.size()));
        }
        dc->SetBkMode(oldMode);
        dc->SetROP2(oldRop);
    }
}

void CXGraphDataSerie::DrawCurveSymbols(CDCEx* dc)
{
    if (m_graph == nullptr || m_symbolSize <= 0 || !m_graph->IsPlottable(*this))
        return;
    const CRect plot = m_graph->GetPlotRect();
    int every = 2;
    const int perPlot = (plot.right - plot.left) / m_symbolSize / 4;
    if (perPlot > 0) {
        every = m_count / perPlot;
        if (every < 1)
            every = 2;
    }
    if (m_graph->GetMode() == ModeEditPoints)
        every = 1;
    const COLORREF colour = dc->m_whiteBackground ? RGB(0, 0, 0) : m_colour;
    const int number =
        m_symbolKind == symbolNumbered ? m_graph->IndexOfSeries(this) : m_symbolNumber;
    CXGraphAxis& xAxis = m_graph->XAxisAt(m_xAxis);
    CXGraphAxis& yAxis = m_graph->YAxisAt(m_yAxis);
    for (int i = 0; i < m_count; i += every) {
        const int x = xAxis.ValueToPoint(m_points[i]).x;
        const int y = yAxis.ValueToPoint(m_points[i]).y;
        DrawSymbol(&yAxis, number, m_symbolSize, m_symbolKind == symbolCustom, x - m_symbolSize / 2,
                   y - m_symbolSize / 2, colour, dc);
    }
}

void CXGraphDataSerie::DrawSymbol(CXGraphAxis*, int number, int size, bool custom, int x, int y,
                                  COLORREF colour, CDCEx* dc)
{
    const SymbolProcedure procedure =
        custom && m_graph != nullptr ? m_graph->GetSymbolProcedure(number) : nullptr;
    if (procedure != nullptr) {
        procedure(x, y, size, colour, 0, dc);
        return;
    }
    const COLORREF fill = dc->m_whiteBackground ? RGB(0, 0, 0) : colour;
    dc->FillSolidRect(x, y, size, size, fill);
    CQuickFont font("Arial", size, FW_THIN);
    CFontSelector selectFont(dc, &font);
    COLORREF text = RGB(255, 255, 255);
    if (!dc->m_whiteBackground &&
        std::max({GetRValue(colour), GetGValue(colour), GetBValue(colour) / 2}) > 128)
        text = RGB(0, 0, 0);
    const COLORREF oldText = dc->SetTextColor(text);
    CRect cell(x, y, x + size, y + size);
    dc->DrawText(CString::Formatted("%d", number + 1), &cell, DT_CENTER | DT_NOPREFIX);
    dc->SetTextColor(oldText);
}

void CXGraphDataSerie::Serialize(CArchive& archive)
{
    CXGraphObject::Serialize(archive);
    if (archive.IsStoring()) {
        archive.WriteValue<std::int32_t>(m_points != nullptr ? m_count : 0);
        if (m_points != nullptr && m_count > 0)
            archive.Write(m_points, static_cast<std::size_t>(m_count) * sizeof(DataPoint));
        for (int value : {m_reservedA, m_reservedB, m_xAxis, m_yAxis, m_index, m_lineWidth,
                          m_fillStyle, m_symbolKind, m_symbolNumber, m_symbolSize, m_penStyle})
            archive.WriteValue<std::int32_t>(value);
        archive.WriteValue<std::uint8_t>(m_showCurveSymbols ? 1 : 0);
        archive.WriteValue<std::uint8_t>(m_fill ? 1 : 0);
        archive.WriteValue<std::uint8_t>(m_transparentFill ? 1 : 0);
        archive.WriteValue<std::int16_t>(m_fillToSeries);
        archive.WriteValue<std::int32_t>(static_cast<std::int32_t>(m_fillColour));
        archive.WriteString(m_name);
        archive.WriteValue<std::int32_t>(m_drawMode);
        return;
    }
    const auto count = archive.ReadValue<std::int32_t>();
    if (count < 0)
        throw CArchiveException(CArchiveException::genericException, {},
                                "The chart series holds a negative number of points.");
    // Read into a buffer that grows with what the archive really holds, so
    // that a damaged count cannot claim gigabytes up front.
    std::vector<DataPoint> points;
    for (std::int32_t i = 0; i < count; ++i) {
        DataPoint point;
        point.fXVal = archive.ReadValue<double>();
        point.fYVal = archive.ReadValue<double>();
        points.push_back(point);
    }
    CopyPoints(points.data(), count);
    for (int* value : {&m_reservedA, &m_reservedB, &m_xAxis, &m_yAxis, &m_index, &m_lineWidth,
                       &m_fillStyle, &m_symbolKind, &m_symbolNumber, &m_symbolSize, &m_penStyle})
        *value = archive.ReadValue<std::int32_t>();
    m_showCurveSymbols = archive.ReadValue<std::uint8_t>() != 0;
    m_fill = archive.ReadValue<std::uint8_t>() != 0;
    m_transparentFill = archive.ReadValue<std::uint8_t>() != 0;
    m_fillToSeries = archive.ReadValue<std::int16_t>();
    m_fillColour = static_cast<COLORREF>(archive.ReadValue<std::int32_t>());
    m_name = ClampedText(archive.ReadString());
    m_drawMode = archive.ReadValue<std::int32_t>();

    // The pen width is also the radius of the marks, and the symbol size
    // is added to pixel coordinates and divides the plot width.
    m_lineWidth = ClampedInt(m_lineWidth, 0, kMaxLineWidth);
    m_symbolSize = ClampedInt(m_symbolSize, 0, kMaxSymbolSize);
    m_fillStyle = KnownChoice(m_fillStyle, HS_HORIZONTAL, 6, 6);
    m_symbolKind = KnownChoice(m_symbolKind, symbolNumbered, symbolCustom, symbolNumbered);
    m_symbolNumber =
        KnownChoice(m_symbolNumber, 0, static_cast<int>(kSymbolProcedures.size()) - 1, 0);
    m_penStyle = KnownChoice(m_penStyle, PS_SOLID, PS_INSIDEFRAME, PS_SOLID);
    m_drawMode = KnownChoice(m_drawMode, drawLines, drawMarks, drawLines);
}
