#include "SymbolShapes.h"

#include "BrushSelector.h"
#include "DCEx.h"
#include "PenSelector.h"

namespace {

// Filled shapes: a black one-pixel outline around the colour, or around
// black where the device has few colours.
template <typename Draw> void DrawFilled(COLORREF colour, CDCEx* dc, Draw draw)
{
    CPenSelector pen(dc, RGB(0, 0, 0), 1);
    CBrushSelector brush(dc, dc->m_whiteBackground ? RGB(0, 0, 0) : colour);
    draw();
}

void DrawFilledPolygon(const POINT (&points)[3], COLORREF colour, CDCEx* dc)
{
    DrawFilled(colour, dc, [&] { dc->Polygon(points, 3); });
}

} // namespace

void DrawSymbolSquare(int x, int y, int size, COLORREF colour, int, CDCEx* dc)
{
    DrawFilled(colour, dc, [&] { dc->Rectangle(x, y, x + size, y + size); });
}

void DrawSymbolCircle(int x, int y, int size, COLORREF colour, int, CDCEx* dc)
{
    DrawFilled(colour, dc, [&] { dc->Ellipse(x, y, x + size, y + size); });
}

void DrawSymbolCross(int x, int y, int size, COLORREF colour, int, CDCEx* dc)
{
    CPenSelector pen(dc, dc->m_whiteBackground ? RGB(0, 0, 0) : colour, 2);
    CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
    dc->MoveTo(x, y);
    dc->LineTo(x + size, y + size);
    dc->MoveTo(x + size, y);
    dc->LineTo(x, y + size);
    dc->SelectObject(static_cast<CBrush*>(oldBrush));
}

void DrawSymbolDiamond(int x, int y, int size, COLORREF colour, int, CDCEx* dc)
{
    const POINT points[4] = {
        {x + size / 2, y}, {x + size, y + size / 2}, {x + size / 2, y + size}, {x, y + size / 2}};
    DrawFilled(colour, dc, [&] { dc->Polygon(points, 4); });
}

void DrawSymbolTriangleLeft(int x, int y, int size, COLORREF colour, int, CDCEx* dc)
{
    DrawFilledPolygon({{x + size - 1, y}, {x, y + size / 2}, {x + size - 1, y + size}}, colour, dc);
}

void DrawSymbolTriangleUp(int x, int y, int size, COLORREF colour, int, CDCEx* dc)
{
    DrawFilledPolygon({{x + size / 2, y}, {x + size, y + size}, {x, y + size}}, colour, dc);
}

void DrawSymbolTriangleRight(int x, int y, int size, COLORREF colour, int, CDCEx* dc)
{
    DrawFilledPolygon({{x, y}, {x + size, y + size / 2}, {x, y + size}}, colour, dc);
}

void DrawSymbolTriangleDown(int x, int y, int size, COLORREF colour, int, CDCEx* dc)
{
    DrawFilledPolygon({{x, y}, {x + size, y}, {x + size / 2, y + size}}, colour, dc);
}

const std::array<SymbolProcedure, 8> kSymbolProcedures = {
    DrawSymbolSquare,       DrawSymbolCircle,     DrawSymbolCross,         DrawSymbolDiamond,
    DrawSymbolTriangleLeft, DrawSymbolTriangleUp, DrawSymbolTriangleRight, DrawSymbolTriangleDown,
};
