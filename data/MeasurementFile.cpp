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

void AppendRecord(CNolvexTest& test, const BYTE* record)
{
    float sample[kMetricCount];
    for (const RecordField& field : kRecordLayout) {
        float value;
        std::memcpy(&value, record + field.offset, sizeof value);
        // Levels and doses below zero are read as 0; a comparison with a
        // value that is not a number is false, so such values stay as they are.
        sample[field.dataType] = value < 0.0f ? 0.0f : value;
    }
    // "TWA" is an average level and is negative while no level has reached
    // the dose threshold, so it is kept as read.
    std::memcpy(&sample[kTwa], record + kRecordLayout[3 * 7].offset, sizeof(float));
    test.AppendSample(sample);
}

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
    static_assert(kRecordLayout[3 * 7].dataType == kTwa);
    CNolvexTest* current = nullptr;
    while (true) {
        const BYTE tag = ar.ReadValue<BYTE>();
        if (tag == kTagSample) {
            const BYTE* record = ar.ReadInPlace(kSampleRecordSize);
            if (current)
                AppendRecord(*current, record);
        } else if (tag == kTagTest) {
            // Linked before its header is read, so that the document owns it
            // whatever happens next.
            auto* test = new CNolvexTest;
            if (current)
                current->next = test;
            else
                document.firstTest = test;
            current = test;
            ReadHeader(ar, *current);
            current->ReserveSamples(CountSamplesAhead(ar.GetCurrentPointer(), ar.GetRemaining()));
        } else if (tag == kTagMarker) {
            const BYTE code = ar.ReadValue<BYTE>();
            if (current && !current->AppendMarker(current->sampleCount, code)) {
                // Refused rather than dropped, so that a later save cannot
                // silently lose the markers beyond the table.
                ar.ThrowGenericError(CString::Formatted(
                    "the test \"%s\" has more than %d markers, more than Nolvex can keep",
                    current->name.ToUtf8().c_str(), CNolvexTest::kMaxMarkers));
            }
        } else {
            return;
        }
    }
}

void Write(CArchive& ar, const CNolvexDoc& document)
{
    // The record's version bytes are 1 and the unused floats of each
    // weighting block 0; only the values change from sample to sample.
    std::array<BYTE, 1 + kSampleRecordSize> record{};
    record[0] = kTagSample;
    record[1] = 0x01;
    for (std::size_t block = 0; block < 3; ++block)
        record[1 + 1 + block * kWeightingBlockSize] = 0x01;

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
        auto writeMarkersBefore = [&](std::int32_t sample) {
            while (nextMarker < order.size()) {
                const Marker& marker = test->markers[static_cast<std::size_t>(order[nextMarker])];
                if (marker.sampleIndex > sample)
                    break;
                if (marker.sampleIndex == sample) {
                    const BYTE bytes[2] = {kTagMarker, static_cast<BYTE>(marker.code)};
                    ar.Write(bytes, sizeof bytes);
                }
                ++nextMarker;
            }
        };

        for (std::int32_t i = 0; i < test->sampleCount; ++i) {
            writeMarkersBefore(i);
            for (const RecordField& field : kRecordLayout)
                std::memcpy(record.data() + 1 + field.offset,
                            &test->values[static_cast<std::size_t>(field.dataType)][i],
                            sizeof(float));
            ar.Write(record.data(), record.size());
        }
        writeMarkersBefore(test->sampleCount);
    }
    ar << kTagEnd;
}

} // namespace MeasurementFile
