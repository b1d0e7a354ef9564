#pragma once

#include "CFont.h"

class CDCEx;

// Selects a font for its lifetime and puts the previous one back. With
// rescale on a scaled context it selects a copy sized for the printer:
// height (height - 1) x scale Y, width x scale X.
class CFontSelector
{
public:
    CFontSelector(CDCEx* dc, CFont* font, bool rescale = true);
    ~CFontSelector();
    CFontSelector(const CFontSelector&) = delete;
    CFontSelector& operator=(const CFontSelector&) = delete;

private:
    CDCEx* m_dc;
    CFont m_scaled;
    CFont* m_old;
};
