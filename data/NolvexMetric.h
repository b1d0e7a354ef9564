#pragma once

#include "DataPoint.h"
#include "Types.h"

#include <cstdint>
#include <memory>

// One metric on display: which data type, in which colour, and the chart
// points of the current test. The chart's series refers to `points` without
// copying, so the buffer lives until the chart is rebuilt or the metric dies.
class CNolvexMetric
{
public:
    // Data type 0 ("A fast") and the palette's next colour.
    CNolvexMetric();
    virtual ~CNolvexMetric() = default;
    CNolvexMetric(const CNolvexMetric&) = delete;
    CNolvexMetric& operator=(const CNolvexMetric&) = delete;

    // Replaces the point buffer by one of pointCount uninitialised points.
    DataPoint* AllocatePoints(std::int32_t pointCount);
    void FreePoints() { points.reset(); }

    std::int32_t dataType = 0;
    COLORREF colour = 0;
    std::unique_ptr<DataPoint[]> points;
    CNolvexMetric* next = nullptr;
};

// The eleven colours new metrics take in turn. The turn is one counter for the
// whole program, whatever document or view adds the metric.
class MetricPalette
{
public:
    static constexpr int kColourCount = 11;

    static COLORREF ColourOfTurn(int turn);
    // The colour of the current turn; the turn advances, wrapping from 10 to 0.
    static COLORREF NextColour();
    static int CurrentTurn();

private:
    static int s_turn;
};
