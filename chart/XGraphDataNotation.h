#pragma once

#include "CFont.h"
#include "CString.h"
#include "XGraphObject.h"

// A note above one data point of a series, with a line down to the point.
// It is measured once and moves with its point on every zoom.
class CXGraphDataNotation : public CXGraphObject
{
    DECLARE_DYNAMIC(CXGraphDataNotation)
public:
    CXGraphDataNotation();
    CXGraphDataNotation(const CXGraphDataNotation&) = default;
    CXGraphDataNotation& operator=(const CXGraphDataNotation&) = default;
    ~CXGraphDataNotation() override = default;

    void Draw(CDCEx* dc) override;
    void Serialize(CArchive& archive) override;

    CFont m_font;
    double m_x = 0.0;
    double m_y = 0.0;
    int m_seriesIndex = 0;
    int m_pointIndex = 0;
    CString m_text;
    // Whether the box was measured.
    bool m_sized = false;
};
