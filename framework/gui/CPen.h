#pragma once

#include "CGdiObject.h"

// A pen: style (PS_SOLID, PS_DASH, ..., PS_NULL), width in device pixels
// (0 and 1 draw one pixel wide) and colour.
class CPen : public CGdiObject
{
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }

    BOOL CreatePen(int style, int width, COLORREF colour);

    int m_style = PS_SOLID;
    int m_width = 1;
    COLORREF m_colour = 0;
};
