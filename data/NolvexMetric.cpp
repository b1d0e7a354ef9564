#include "NolvexMetric.h"

#include "Exceptions.h"

#include <array>
#include <new>

namespace {

constexpr std::array<COLORREF, MetricPalette::kColourCount> kPalette = {
    RGB(255, 0, 0),    RGB(0, 96, 0),    RGB(0, 0, 255),   RGB(110, 110, 0),
    RGB(0, 128, 128),  RGB(128, 0, 128), RGB(0, 0, 0),     RGB(128, 64, 64),
    RGB(64, 128, 128), RGB(0, 255, 0),   RGB(170, 170, 0),
};

} // namespace

int MetricPalette::s_turn = 0;

COLORREF MetricPalette::ColourOfTurn(int turn)
{
    return kPalette[static_cast<std::size_t>(turn % kColourCount)];
}

COLORREF MetricPalette::NextColour()
{
    const COLORREF colour = ColourOfTurn(s_turn);
    s_turn = (s_turn + 1) % kColourCount;
    return colour;
}

int MetricPalette::CurrentTurn()
{
    return s_turn;
}

CNolvexMetric::CNolvexMetric() : colour(MetricPalette::NextColour()) {}

DataPoint* CNolvexMetric::AllocatePoints(std::int32_t pointCount)
{
    points.reset();
    try {
        points = std::make_unique_for_overwrite<DataPoint[]>(
            static_cast<std::size_t>(pointCount > 0 ? pointCount : 0));
    } catch (const std::bad_alloc&) {
        throw CMemoryException();
    }
    return points.get();
}
