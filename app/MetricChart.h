#pragma once

#include "XGraph.h"

class CNolvexDoc;
class CNolvexTest;

// The chart of a test's metrics: what the analysis view shows and what a
// printed page of it carries. The view and the batch tool's page both build
// their chart with these.
namespace MetricChart {

// The screen look of the view's chart: grey, without legend, a vertical
// cursor line, and clicks that neither select nor open anything.
void ApplyScreenLook(CXGraph& chart);

// Gives the chart series 0 of a single point at (0, 0) on axes 0, so that
// it always has a series and one axis of each kind.
void ShowPlaceholder(CXGraph& chart);

// Refills the chart with a curve per metric of the document, newest metric
// first, over the test's samples (a tenth of a second apart), the test's
// markers as bands on the time axis, and the axes ranged over what the
// curves cover; then puts it in cursor mode. Without a test (or a
// document) it shows only the placeholder.
void Build(CXGraph& chart, CNolvexDoc* document, CNolvexTest* test);

// The look of a printed page: white, with the legend, and a line
// "<metric>: <last value>" per cumulative metric, in the metric's colour,
// when the test has samples.
PrintLook PageLook(const CNolvexDoc& document, const CNolvexTest* test);

} // namespace MetricChart
