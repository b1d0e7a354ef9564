#pragma once

#include "CString.h"
#include "MetricCatalogue.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>

// A marker the meter set during a test: it belongs to the sample it precedes.
struct Marker
{
    std::int32_t sampleIndex = 0;
    std::int32_t code = 0;
};

// A value array is held by the C library's allocator, so that it can be
// resized in place: a long array grows or shrinks without a copy.
struct FreeValueArray
{
    void operator()(float* values) const { std::free(values); }
};
using ValueArray = std::unique_ptr<float[], FreeValueArray>;

// A test's 61 value arrays, one per data type. The table of their pointers
// is itself allocated on first change, so that a test without samples (a
// file may hold many such headers) costs one pointer for it.
class ValueArrays
{
public:
    static constexpr std::size_t kCount = MetricCatalogue::kMetricCount;
    using Table = std::array<ValueArray, kCount>;

    ValueArray& operator[](std::size_t dataType) { return Writable()[dataType]; }
    const ValueArray& operator[](std::size_t dataType) const
    {
        return m_table ? (*m_table)[dataType] : NoArray();
    }
    ValueArray* begin() { return Writable().data(); }
    ValueArray* end() { return Writable().data() + kCount; }
    const ValueArray* begin() const { return m_table ? m_table->data() : nullptr; }
    const ValueArray* end() const { return m_table ? m_table->data() + kCount : nullptr; }
    std::size_t size() const { return kCount; }

private:
    Table& Writable()
    {
        if (!m_table)
            m_table = std::make_unique<Table>();
        return *m_table;
    }
    static const ValueArray& NoArray()
    {
        static const ValueArray none;
        return none;
    }

    std::unique_ptr<Table> m_table;
};

// One test (measurement run): its header, one value array per data type and
// its markers. Sample i lies i / 10 seconds after the start of the test.
// The test owns its arrays; it does not own the test after it in the chain.
class CNolvexTest
{
public:
    // Arrays grow by this many samples at a time, never by doubling, so that
    // capacities are always a multiple of it.
    static constexpr std::int32_t kGrowthStep = 300;
    static constexpr std::int32_t kMaxMarkers = 1000;

    CNolvexTest() = default;
    virtual ~CNolvexTest() = default;
    CNolvexTest(const CNolvexTest&) = delete;
    CNolvexTest& operator=(const CNolvexTest&) = delete;

    // Adds one sample, one value per data type; when the arrays are full they
    // grow by kGrowthStep, keeping their contents.
    void AppendSample(const float (&sample)[MetricCatalogue::kMetricCount]);
    // Makes room for this many samples in all, as growing one sample at a
    // time would have: the capacity becomes the next multiple of kGrowthStep.
    // Lets a reader that knows the final count allocate once.
    void ReserveSamples(std::int32_t sampleTotal);
    // Gives back the room beyond what the samples need, as growing one sample
    // at a time would have left it: the next multiple of kGrowthStep.
    void ShrinkToFit();
    // Adds a marker; false, and nothing changed, when the table is full. The
    // table is allocated on the first marker, so that the many tests without
    // markers cost nothing for it.
    bool AppendMarker(std::int32_t sampleIndex, std::int32_t code);

    // The value of a data type at a sample; the data type is checked.
    float Value(int dataType, std::int32_t sample) const;
    bool HasSamples() const { return sampleCount > 0; }

    double headerValue = 0.0; // kept from the file as it was read; nothing else uses it
    CString name;
    CString info;
    std::int32_t testNumber = 0;
    std::int32_t sampleCount = 0;
    std::int32_t capacity = 0;
    ValueArrays values;
    std::unique_ptr<Marker[]> markers; // kMaxMarkers entries once there is a marker

    std::int32_t markerCount = 0;
    // The span last selected on the chart, inclusive sample indexes.
    std::int32_t selectionStart = 0;
    std::int32_t selectionEnd = 0;
    CNolvexTest* next = nullptr;

private:
    static std::int32_t RoundedCapacity(std::int64_t sampleTotal);
    void SetCapacity(std::int32_t newCapacity);
};
