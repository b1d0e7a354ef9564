#pragma once

// One point of a chart series: x and y in the units of their axes. A series'
// data is one contiguous array of them, which the measurement data fills and
// the chart reads without copying.
struct DataPoint
{
    double fXVal = 0.0;
    double fYVal = 0.0;
};
