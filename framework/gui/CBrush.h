#pragma once

#include "CGdiObject.h"

// A brush: solid, hatched (HS_*: lines in the brush colour over the
// background colour, or nothing where the background mode is transparent),
// a 50 % checker of white and black, or none.
class CBrush : public CGdiObject
{
public:
    enum Kind
    {
        solid,
        hatched,
        halftone,
        hollow
    };

    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    CBrush(int hatch, COLORREF colour) { CreateHatchBrush(hatch, colour); }

    BOOL CreateSolidBrush(COLORREF colour);
    BOOL CreateHatchBrush(int hatch, COLORREF colour);
    BOOL CreateHalftoneBrush();
    BOOL CreateHollowBrush();

    Kind m_kind = solid;
    int m_hatch = HS_HORIZONTAL;
    COLORREF m_colour = 0;
};
