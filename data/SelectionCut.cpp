#include "SelectionCut.h"

#include "ISPL.h"
#include "NolvexTest.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using namespace MetricCatalogue;

float* Values(CNolvexTest& test, int dataType)
{
    return test.values[static_cast<std::size_t>(dataType)].get();
}

double EquivalentLevel(const ISPL& accumulator)
{
    return 10.0 * std::log10(accumulator.energySum / accumulator.count);
}

void RemoveSamples(CNolvexTest& test, std::int32_t start, std::int32_t end)
{
    const std::int32_t removed = end - start + 1;
    const std::int32_t following = test.sampleCount - end - 1;
    for (auto& array : test.values) {
        if (following > 0)
            std::memmove(array.get() + start, array.get() + end + 1,
                         static_cast<std::size_t>(following) * sizeof(float));
    }
    test.sampleCount -= removed;
}

void AdjustMarkers(CNolvexTest& test, std::int32_t start, std::int32_t end)
{
    const std::int32_t removed = end - start + 1;
    std::int32_t kept = 0;
    for (std::int32_t m = 0; m < test.markerCount; ++m) {
        Marker marker = test.markers[static_cast<std::size_t>(m)];
        if (marker.sampleIndex >= start && marker.sampleIndex <= end)
            continue;
        if (marker.sampleIndex > end)
            marker.sampleIndex -= removed;
        test.markers[static_cast<std::size_t>(kept++)] = marker;
    }
    test.markerCount = kept;
}

} // namespace

namespace SelectionCut {

bool Cut(CNolvexTest& test)
{
    const std::int32_t start = test.selectionStart;
    if (start == test.selectionEnd)
        return false;
    // A selection kept from before an earlier cut may reach past the data
    // that is left: only samples that exist are ever removed.
    if (start < 0 || start > test.selectionEnd || start >= test.sampleCount)
        return false;
    const std::int32_t end = std::min(test.selectionEnd, test.sampleCount - 1);
    if (start == end)
        return false;

    RemoveSamples(test, start, end);
    if (test.sampleCount > 0)
        RecalculateRunningMetrics(test);
    AdjustMarkers(test, start, end);
    return true;
}

void RecalculateRunningMetrics(CNolvexTest& test)
{
    ISPL weightingA, weightingC, weightingZ;
    ISPL bands[kBandCount];
    float peakA = 0.0f, peakC = 0.0f, peakZ = 0.0f;

    const float* shortPeakA = Values(test, kWeightingA + ShortPeak);
    const float* shortPeakC = Values(test, kWeightingC + ShortPeak);
    const float* shortPeakZ = Values(test, kWeightingZ + ShortPeak);
    const float* shortLeqA = Values(test, kWeightingA + ShortLeq);
    const float* shortLeqC = Values(test, kWeightingC + ShortLeq);
    const float* shortLeqZ = Values(test, kWeightingZ + ShortLeq);
    float* leqA = Values(test, kWeightingA + Leq);
    float* leqC = Values(test, kWeightingC + Leq);
    float* leqZ = Values(test, kWeightingZ + Leq);
    float* runningPeakA = Values(test, kWeightingA + Peak);
    float* runningPeakC = Values(test, kWeightingC + Peak);
    float* runningPeakZ = Values(test, kWeightingZ + Peak);
    float* twa = Values(test, kTwa);
    float* doseA = Values(test, kDoseA);
    float* projectedDoseA = Values(test, kProjectedDoseA);
    float* pascalSquaredHours = Values(test, kPascalSquaredHours);

    for (std::int32_t i = 0; i < test.sampleCount; ++i) {
        peakA = std::max(peakA, shortPeakA[i]);
        peakC = std::max(peakC, shortPeakC[i]);
        peakZ = std::max(peakZ, shortPeakZ[i]);
        runningPeakA[i] = peakA;
        runningPeakC[i] = peakC;
        runningPeakZ[i] = peakZ;

        weightingA.Add(&shortLeqA[i], 1);
        weightingC.Add(&shortLeqC[i], 1);
        weightingZ.Add(&shortLeqZ[i], 1);
        // Each band's running Leq is fed from the band's own per-sample level
        // (its "Short Leq"), as the weightings are fed from their short leq:
        // the stored band Leq values are themselves running values and would
        // not give the level of the remaining data.
        for (int band = 0; band < kBandCount; ++band)
            bands[band].Add(&Values(test, kBandShortLeq + band)[i], 1);

        const double levelA = EquivalentLevel(weightingA);
        leqA[i] = static_cast<float>(levelA);
        leqC[i] = static_cast<float>(EquivalentLevel(weightingC));
        leqZ[i] = static_cast<float>(EquivalentLevel(weightingZ));
        twa[i] = static_cast<float>(weightingA.ExchangeMultiplier() *
                                    std::log10((weightingA.doseSum + 0.0005) / weightingA.count));
        projectedDoseA[i] = static_cast<float>(weightingA.ProjectedDose());
        pascalSquaredHours[i] = static_cast<float>(std::pow(10.0, (levelA - 94.0) / 10.0) *
                                                   weightingA.count * 0.1 / 3600.0);
        doseA[i] = static_cast<float>(weightingA.Dose());
        for (int band = 0; band < kBandCount; ++band)
            Values(test, kBandLeq + band)[i] = static_cast<float>(EquivalentLevel(bands[band]));
    }
}

} // namespace SelectionCut
