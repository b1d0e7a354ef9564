#pragma once

#include "XGraphAxis.h"

// An axis that draws its values on a base-10 logarithmic scale of its own,
// with view ends rounded to one significant digit instead of to whole
// decades. With linear drawing set it draws, scales and maps exactly like a
// linear CXGraphAxis. The chart never creates one; an embedding program
// does, through its runtime class.
class CXGraphLogAxis : public CXGraphAxis
{
    DECLARE_DYNAMIC(CXGraphLogAxis)
public:
    CXGraphLogAxis() = default;
    CXGraphLogAxis(const CXGraphLogAxis& other) = default;
    CXGraphLogAxis& operator=(const CXGraphLogAxis& other) = default;
    ~CXGraphLogAxis() override = default;

    // Rounds each view end to one significant digit: the minimum down, the
    // maximum up (3.5 to 250 becomes 3 to 300); an end from 9 times a power
    // of ten up to the next power stays.
    void AutoScale(CDCEx* dc) override;
    void Draw(CDCEx* dc) override;
    // The pixel of a data point on this axis' own scale, as its drawing
    // places it.
    POINT ScaleValueToPoint(const DataPoint& point);

    // 1: draw, scale and map like a linear axis; 0: logarithmic. Not stored.
    int m_linearDrawing = 0;

private:
    // The one-digit rounding of the view ends.
    void RoundViewToOneDigit();
};
