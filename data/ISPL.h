#pragma once

#include <cstdint>

// Accumulates one stream of levels (dB, one per 0.1 s sample) into the
// energy sum of the equivalent level and the dose sum of the exposure.
// The sums are doubles; results are rounded to float only where stored.
class ISPL
{
public:
    ISPL() = default;
    virtual ~ISPL() = default;

    // Adds n levels; returns the new count.
    double Add(const float* levels, int n);
    // The dose an 8-hour day at the average level so far would give, in
    // percent; 0 when the average is at or below the criterion level.
    double ProjectedDose() const;
    // The dose of the time accumulated so far, in percent of an 8-hour day.
    double Dose() const;

    // Decibels per doubling of exposure: 13.288 for code 4, 16.61 for code 5,
    // 10 otherwise. Levels are divided by the double value; logarithms are
    // multiplied by its float rounding, as the meter computes them.
    double ExchangeDivisor() const;
    double ExchangeMultiplier() const;

    double energySum = 0.0;
    double count = 0.0;
    double criterionLevel = 90.0;
    std::int8_t exchangeCode = 3;
    double thresholdLevel = 80.0;
    double doseSum = 0.0;
};
