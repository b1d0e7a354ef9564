#pragma once

#include "CFont.h"
#include "CString.h"
#include "XGraphObject.h"

// A text box on the chart: filled or transparent, framed or not, optionally
// joined by a line to the middle point of a series.
class CXGraphLabel : public CXGraphObject
{
    DECLARE_SERIAL(CXGraphLabel)
public:
    CXGraphLabel();
    CXGraphLabel(const CXGraphLabel&) = default;
    CXGraphLabel& operator=(const CXGraphLabel&) = default;
    ~CXGraphLabel() override = default;

    void Draw(CDCEx* dc) override;
    void Serialize(CArchive& archive) override;

    CString m_text{" "};
    CFont m_font;
    COLORREF m_fillColour;
    COLORREF m_textColour = 0;
    bool m_border = true;
    bool m_transparent = false;
    // DrawText flags.
    UINT m_textFormat = 0;
    // The series the connector line leads to, or -1.
    int m_attachedSeries = -1;
};
