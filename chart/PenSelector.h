#pragma once

#include "CPen.h"

class CDCEx;

// Selects a new pen for its lifetime and puts the previous one back. A
// solid pen's width follows the printer's scale.
class CPenSelector
{
public:
    CPenSelector(CDCEx* dc, COLORREF colour, int width = 1, int style = PS_SOLID);
    ~CPenSelector();
    CPenSelector(const CPenSelector&) = delete;
    CPenSelector& operator=(const CPenSelector&) = delete;

private:
    CDCEx* m_dc;
    CPen m_pen;
    CPen* m_old;
};
