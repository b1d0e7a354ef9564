#include "NolvexTest.h"

#include "Exceptions.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

void CNolvexTest::SetCapacity(std::int32_t newCapacity)
{
    // Allocate every array before replacing any, so that running out of
    // memory leaves the test as it was.
    std::array<std::unique_ptr<float[]>, MetricCatalogue::kMetricCount> grown;
    try {
        for (auto& array : grown)
            array = std::make_unique_for_overwrite<float[]>(static_cast<std::size_t>(newCapacity));
    } catch (const std::bad_alloc&) {
        throw CMemoryException();
    }
    for (std::size_t d = 0; d < grown.size(); ++d) {
        if (sampleCount > 0)
            std::memcpy(grown[d].get(), values[d].get(),
                        static_cast<std::size_t>(sampleCount) * sizeof(float));
        values[d] = std::move(grown[d]);
    }
    capacity = newCapacity;
}

void CNolvexTest::ReserveSamples(std::int32_t sampleTotal)
{
    if (sampleTotal <= capacity)
        return;
    const std::int64_t rounded =
        (static_cast<std::int64_t>(sampleTotal) + kGrowthStep - 1) / kGrowthStep * kGrowthStep;
    if (rounded > std::numeric_limits<std::int32_t>::max())
        throw CMemoryException();
    SetCapacity(static_cast<std::int32_t>(rounded));
}

void CNolvexTest::AppendSample(const float (&sample)[MetricCatalogue::kMetricCount])
{
    if (sampleCount == capacity) {
        if (capacity > std::numeric_limits<std::int32_t>::max() - kGrowthStep)
            throw CMemoryException();
        SetCapacity(capacity + kGrowthStep);
    }
    for (std::size_t d = 0; d < values.size(); ++d)
        values[d][static_cast<std::size_t>(sampleCount)] = sample[d];
    ++sampleCount;
}

bool CNolvexTest::AppendMarker(std::int32_t sampleIndex, std::int32_t code)
{
    if (markerCount >= kMaxMarkers)
        return false;
    markers[static_cast<std::size_t>(markerCount)] = Marker{sampleIndex, code};
    ++markerCount;
    return true;
}

float CNolvexTest::Value(int dataType, std::int32_t sample) const
{
    MetricCatalogue::CheckDataType(dataType);
    if (sample < 0 || sample >= sampleCount)
        throw CInvalidArgException(CString::Formatted(
            "sample %d is outside the test, which has %d samples", sample, sampleCount));
    return values[static_cast<std::size_t>(dataType)][static_cast<std::size_t>(sample)];
}
