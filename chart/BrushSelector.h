#pragma once

#include "CBrush.h"

class CDCEx;

// Selects a solid or hatched brush for its lifetime and puts the previous
// one back.
class CBrushSelector
{
public:
    CBrushSelector(CDCEx* dc, COLORREF colour);
    CBrushSelector(CDCEx* dc, int hatch, COLORREF colour);
    ~CBrushSelector();
    CBrushSelector(const CBrushSelector&) = delete;
    CBrushSelector& operator=(const CBrushSelector&) = delete;

private:
    CDCEx* m_dc;
    CBrush m_brush;
    CBrush* m_old;
};
