#include "MeasurementFile.h"

#include "CArchive.h"
#include "Exceptions.h"
#include "NolvexDoc.h"
#include "NolvexTest.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <numeric>
#include <vector>

namespace {

using namespace MetricCatalogue;

struct RecordField
{
    std::size_t offset; // from the first byte of the sample record
    int dataType;
};

constexpr std::size_t kWeightingBlockSize = 61;

// Where each of the 61 values stands in a sample record. A weighting block
// holds its quantities in the meter's order, which is not the catalogue's;
// the octave bands come band by band, four quantities each.
constexpr std::array<RecordField, kMetricCount> MakeRecordLayout()
{
    std::array<RecordField, kMetricCount> layout{};
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

constexpr std::array<RecordField, kMetricCount> kRecordLayout = MakeRecordLayout();

// The samples that follow up to the next test header or the end of the data,
// so that a test's arrays are allocated once at their final size.
std::int32_t CountSamplesAhead(const BYTE* data, std::size_t size)
{
    std::size_t position = 0;
    std::int64_t count = 0;
    while (position < size && count < std::numeric_limits<std::int32_t>::max()) {
        const BYTE tag = data[position];
        if (tag == MeasurementFile::kTagSample) {
            if (size - position - 1 < MeasurementFile::kSampleRecordSize)
                break;
            position += 1 + MeasurementFile::kSampleRecordSize;
            ++count;
        } else if (tag == MeasurementFile::kTagMarker) {
            position += 2;
        } else {
            break;
        }
    }
    return static_cast<std::int32_t>(count);
}

// Sample records read but not yet stored. Storing a block at a time, one
// data type after another, writes each of the 61 arrays in long runs; storing
// each sample as it comes would write one value into each of 61 arrays in
// turn, which the memory system handles many times slower.
class PendingSamples
{
public:
    static constexpr std::size_t kBlockSize = 1024;

    std::int32_t Count() const { return static_cast<std::int32_t>(m_count); }

    void Add(CNolvexTest& test, const BYTE* record)
    {
        m_records[m_count++] = record;
        if (m_count == kBlockSize)
            StoreInto(test);
    }

    // Appends the pending samples to the test.
    void StoreInto(CNolvexTest& test)
    {
        if (m_count == 0)
            return;
        test.ReserveSamples(test.sampleCount + Count());
        BringIntoCache();
        for (const RecordField& field : kRecordLayout) {
            float* values =
                test.values[static_cast<std::size_t>(field.dataType)].get() + test.sampleCount;
            if (field.dataType == kTwa)
                CopyField(values, field.offset, false);
            else
                CopyField(values, field.offset, true);
        }
        test.sampleCount += Count();
        m_count = 0;
    }

private:
    // Reads the records' bytes in order before they are taken apart by data
    // type: memory streams an ordered read far faster than the 61 strided
    // passes would fetch it.
    void BringIntoCache() const
    {
        const BYTE* first = m_records[0];
        const BYTE* last = m_records[m_count - 1] + MeasurementFile::kSampleRecordSize;
        unsigned sum = 0;
        for (const BYTE* line = first; line < last; line += 64)
            sum += *line;
        m_cacheTouch = sum;
    }

    void CopyField(float* values, std::size_t offset, bool clampNegative) const
    {
        for (std::size_t k = 0; k < m_count; ++k) {
            float value;
            std::memcpy(&value, m_records[k] + offset, sizeof value);
            // Levels and doses below zero are read as 0 (a comparison with a
            // value that is not a number is false, so such values stay as
            // they are). "TWA" is an average level, negative while no level
            // has reached the dose threshold, and is kept as read.
            values[k] = clampNegative && value < 0.0f ? 0.0f : value;
        }
    }

    std::array<const BYTE*, kBlockSize> m_records;
    std::size_t m_count = 0;
    mutable unsigned m_cacheTouch = 0;
};

void ReadHeader(CArchive& ar, CNolvexTest& test)
{
    ar >> test.headerValue;
    ar >> test.name;
    ar >> test.info;
    ar >> test.testNumber;
}

} // namespace

namespace MeasurementFile {

void Read(CArchive& ar, CNolvexDoc& document)
{
    CNolvexTest* current = nullptr;
    // Records stay where the archive holds them until they are stored.
    PendingSamples pending;
    while (true) {
        const BYTE tag = ar.ReadValue<BYTE>();
        if (tag == kTagSample) {
            const BYTE* record = ar.ReadInPlace(kSampleRecordSize);
            if (current)
                pending.Add(*current, record);
        } else if (tag == kTagTest) {
            if (current)
                pending.StoreInto(*current);
            // Linked before its header is read, so that the document owns it
            // whatever happens next.
            current = document.AddTestAfter(current);
            ReadHeader(ar, *current);
            current->ReserveSamples(CountSamplesAhead(ar.GetCurrentPointer(), ar.GetRemaining()));
        } else if (tag == kTagMarker) {
            const BYTE code = ar.ReadValue<BYTE>();
            if (!current)
                continue;
            if (!current->AppendMarker(current->sampleCount + pending.Count(), code)) {
                // Refused rather than dropped, so that a later save cannot
                // silently lose the markers beyond the table.
                ar.ThrowGenericError(CString::Formatted(
                    "the test \"%s\" has more than %d markers, more than Nolvex can keep",
                    current->name.ToUtf8().c_str(), CNolvexTest::kMaxMarkers));
            }
        } else {
            if (current)
                pending.StoreInto(*current);
            return;
        }
    }
}

void Write(CArchive& ar, const CNolvexDoc& document)
{
    // Records are built a block at a time, one data type after another, so
    // that each array is read in long runs (see PendingSamples). Only the
    // values change from record to record: the tags and version bytes are 1
    // and the unused floats of each weighting block 0 throughout.
    constexpr std::size_t kRecordBytes = 1 + kSampleRecordSize;
    // A block of records small enough to stay in the first-level cache while
    // it is filled one data type at a time.
    constexpr std::size_t kBlockSize = 128;
    std::int32_t longestTest = 0;
    for (const CNolvexTest* test = document.firstTest; test; test = test->next)
        longestTest = std::max(longestTest, test->sampleCount);
    const std::size_t blockRecords = std::min(kBlockSize, static_cast<std::size_t>(longestTest));
    std::vector<BYTE> block(blockRecords * kRecordBytes, 0);
    for (std::size_t k = 0; k < blockRecords; ++k) {
        BYTE* record = block.data() + k * kRecordBytes;
        record[0] = kTagSample;
        record[1] = 0x01;
        for (std::size_t weighting = 0; weighting < 3; ++weighting)
            record[1 + 1 + weighting * kWeightingBlockSize] = 0x01;
    }

    for (const CNolvexTest* test = document.firstTest; test; test = test->next) {
        ar << kTagTest << test->headerValue << test->name << test->info << test->testNumber;

        // Markers in sample order, those of one sample in table order.
        std::vector<int> order(static_cast<std::size_t>(test->markerCount));
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [test](int left, int right) {
            return test->markers[static_cast<std::size_t>(left)].sampleIndex <
                   test->markers[static_cast<std::size_t>(right)].sampleIndex;
        });
        std::size_t nextMarker = 0;
        auto nextMarkerSample = [&]() {
            return nextMarker < order.size()
                       ? test->markers[static_cast<std::size_t>(order[nextMarker])].sampleIndex
                       : std::numeric_limits<std::int32_t>::max();
        };
        auto writeMarkersBefore = [&](std::int32_t sample) {
            while (nextMarkerSample() <= sample) {
                const Marker& marker = test->markers[static_cast<std::size_t>(order[nextMarker])];
                if (marker.sampleIndex == sample) {
                    const BYTE bytes[2] = {kTagMarker, static_cast<BYTE>(marker.code)};
                    ar.Write(bytes, sizeof bytes);
                }
                ++nextMarker;
            }
        };

        for (std::int32_t first = 0; first < test->sampleCount;
             first += static_cast<std::int32_t>(blockRecords)) {
            const std::int32_t count =
                std::min(static_cast<std::int32_t>(blockRecords), test->sampleCount - first);
            for (const RecordField& field : kRecordLayout) {
                const float* values =
                    test->values[static_cast<std::size_t>(field.dataType)].get() + first;
                BYTE* destination = block.data() + 1 + field.offset;
                for (std::int32_t k = 0; k < count; ++k) {
                    // Asks for the next block's values of this data type
                    // ahead of time, a cache line at a time.
                    if (k % 16 == 0)
                        __builtin_prefetch(values + blockRecords + k);
                    std::memcpy(destination + static_cast<std::size_t>(k) * kRecordBytes,
                                &values[k], sizeof(float));
                }
            }
            // The records go out in runs between the samples that have markers.
            std::int32_t runStart = 0;
            for (std::int32_t k = 0; k < count; ++k) {
                if (nextMarkerSample() > first + k)
                    continue;
                ar.Write(block.data() + static_cast<std::size_t>(runStart) * kRecordBytes,
                         static_cast<std::size_t>(k - runStart) * kRecordBytes);
                writeMarkersBefore(first + k);
                runStart = k;
            }
            ar.Write(block.data() + static_cast<std::size_t>(runStart) * kRecordBytes,
                     static_cast<std::size_t>(count - runStart) * kRecordBytes);
        }
        writeMarkersBefore(test->sampleCount);
    }
    ar << kTagEnd;
}

} // namespace MeasurementFile
