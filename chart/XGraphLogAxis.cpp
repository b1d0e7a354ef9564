#include "XGraphLogAxis.h"

#include "DCEx.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_DYNAMIC(CXGraphLogAxis, CXGraphAxis)

void CXGraphLogAxis::AutoScale(CDCEx* dc)
{
    if (m_linearDrawing != 0)
        CXGraphAxis::AutoScale(dc);
    else
        RoundViewToOneDigit();
}

void CXGraphLogAxis::RoundViewToOneDigit()
{
    // Values at or below zero have no logarithm; the ends keep the floors
    // of a logarithmic range.
    m_viewMin = std::max(m_viewMin, kLogFloorMin);
    m_viewMax = std::max(m_viewMax, kLogFloorMax);
    // Decades from 1e-16 upward, each the exact power of ten and each
    // multiple an exact product, so that an end already on one digit (3)
    // stays where it is.
    bool rounded = false;
    for (int exponent = -16; !rounded && m_viewMin > std::pow(10.0, exponent); ++exponent) {
        const double decade = std::pow(10.0, exponent);
        for (int multiple = 1; multiple <= 9; ++multiple) {
            if (m_viewMin < multiple * decade) {
                m_viewMin = (multiple - 1) * decade;
                rounded = true;
                break;
            }
        }
    }
    rounded = false;
    for (int exponent = -16; !rounded && m_viewMax > std::pow(10.0, exponent); ++exponent) {
        const double decade = std::pow(10.0, exponent);
        for (int multiple = 1; multiple <= 9; ++multiple) {
            if (m_viewMax < multiple * decade) {
                m_viewMax = multiple * decade;
                rounded = true;
                break;
            }
        }
    }
}

POINT CXGraphLogAxis::ScaleValueToPoint(const DataPoint& point)
{
    return MapOnScale(point, m_linearDrawing != 0 ? Scale::linear : Scale::logarithmic);
}

void CXGraphLogAxis::Draw(CDCEx* dc)
{
    if (m_linearDrawing != 0) {
        CXGraphAxis::Draw(dc);
        return;
    }
    CDCEx scratch;
    CDCEx* target = DrawingTarget(dc, scratch);
    if (m_autoScale)
        RoundViewToOneDigit();
    m_span = m_viewMax - m_viewMin;
    target->SetTextColor(RGB(0, 0, 0));
    // The same layout, bands and symbols as a linear axis; no marker lines.
    if (m_orientation == vertical)
        DrawVertical(target, Scale::logarithmic, false);
    else
        DrawHorizontal(target, Scale::logarithmic, false);
}
