#pragma once

#include "MeasurementFile.h"
#include "MetricCatalogue.h"

#include <array>
#include <cstddef>

// Where each of the 61 values stands in a sample record of the measurement
// file, shared by the reader and the writer.
namespace SampleRecordLayout {

struct Field
{
    std::size_t offset; // from the first byte of the sample record
    int dataType;
};

// A weighting block: a version byte, then the quantities as floats.
inline constexpr std::size_t kWeightingBlockSize = 61;
// A record with its tag in front, as records follow one another in the file.
inline constexpr std::size_t kRecordStride = 1 + MeasurementFile::kSampleRecordSize;

// A weighting block holds its quantities in the meter's order, which is not
// the catalogue's; the octave bands come band by band, four quantities each.
constexpr std::array<Field, MetricCatalogue::kMetricCount> MakeFields()
{
    using namespace MetricCatalogue;
    std::array<Field, kMetricCount> layout{};
    std::size_t next = 0;
    const int weightings[3] = {kWeightingA, kWeightingC, kWeightingZ};
    const int blockOrder[7] = {Peak, Impulse, Fast, Slow, Leq, ShortLeq, ShortPeak};
    for (std::size_t block = 0; block < 3; ++block) {
        const std::size_t base = 1 + block * kWeightingBlockSize;
        for (std::size_t q = 0; q < 7; ++q)
            layout[next++] = {base + 1 + 4 * q, weightings[block] + blockOrder[q]};
    }
    layout[next++] = {184, kTwa};
    layout[next++] = {188, kDoseA};
    layout[next++] = {192, kProjectedDoseA};
    layout[next++] = {196, kPascalSquaredHours};
    for (int band = 0; band < kBandCount; ++band) {
        const std::size_t base = 200 + 16 * static_cast<std::size_t>(band);
        layout[next++] = {base, kBandFast + band};
        layout[next++] = {base + 4, kBandSlow + band};
        layout[next++] = {base + 8, kBandLeq + band};
        layout[next++] = {base + 12, kBandShortLeq + band};
    }
    return layout;
}

inline constexpr std::array<Field, MetricCatalogue::kMetricCount> kFields = MakeFields();

} // namespace SampleRecordLayout
