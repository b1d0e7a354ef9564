#include "MeasurementFile.h"

#include "CArchive.h"
#include "Exceptions.h"
#include "NolvexDoc.h"
#include "NolvexTest.h"
#include "SampleRecordLayout.h"
#include "SampleStore.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <numeric>
#include <vector>

namespace {

using SampleRecordLayout::kRecordStride;

// Reads the sample records and markers that follow a test's header, up to
// the next test header, the end tag or a record cut short, which is left for
// the caller to read. The file comes a block at a time; a block's records
// are stored while the next block is read.
void ReadSamplesAndMarkers(CArchive& ar, CNolvexTest& test)
{
    using MeasurementFile::kTagMarker;
    using MeasurementFile::kTagSample;
    SampleStore store(test);
    std::vector<SampleStore::Run> runs;
    std::int32_t sampleTotal = 0;
    bool testEnded = false;
    while (!testEnded) {
        // At least one whole record stands in the buffer, unless the file
        // ends first.
        const std::size_t size = ar.Fill(kRecordStride);
        const BYTE* const data = ar.GetCurrentPointer();
        runs.clear();
        bool runOpen = false;
        std::size_t position = 0;
        while (position < size) {
            const BYTE tag = data[position];
            const std::size_t left = size - position;
            if (tag == kTagSample && left >= kRecordStride) {
                if (sampleTotal >=
                    std::numeric_limits<std::int32_t>::max() - CNolvexTest::kGrowthStep)
                    throw CMemoryException();
                if (!runOpen)
                    runs.push_back({data + position + 1, 0, sampleTotal});
                runOpen = true;
                ++runs.back().count;
                ++sampleTotal;
                position += kRecordStride;
            } else if (tag == kTagMarker && left >= 2) {
                if (!test.AppendMarker(sampleTotal, data[position + 1])) {
                    // Refused rather than dropped, so that a later save cannot
                    // silently lose the markers beyond the table.
                    ar.ThrowGenericError(CString::Formatted(
                        "the test \"%s\" has more than %d markers, more than Nolvex can keep",
                        test.name.ToUtf8().c_str(), CNolvexTest::kMaxMarkers));
                }
                runOpen = false;
                position += 2;
            } else {
                // A record cut short by the block's end is read again at the
                // front of the next block; any other byte ends the test (the
                // next header, the end tag or a stray byte).
                testEnded = tag != kTagSample && tag != kTagMarker;
                break;
            }
        }
        // The file ended at the block's end, or a record is cut short at the
        // start of a block that holds all the file has left.
        if (size == 0 || position == 0)
            testEnded = true;
        std::optional<std::uint64_t> bytesStillToCome;
        if (!testEnded)
            bytesStillToCome = ar.GetUnreadLength() - position;
        store.StoreBlock(runs, sampleTotal, bytesStillToCome);
        ar.ReadInPlace(position);
    }
    store.Finish();
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

std::optional<UnreadTail> Read(CArchive& ar, CNolvexDoc& document)
{
    CNolvexTest* current = nullptr;
    while (true) {
        const std::uint64_t tagOffset = ar.GetPosition();
        const BYTE tag = ar.ReadValue<BYTE>();
        if (tag == kTagTest) {
            // Linked before its header is read, so that the document owns it
            // whatever happens next.
            current = document.AddTestAfter(current);
            ReadHeader(ar, *current);
            ReadSamplesAndMarkers(ar, *current);
        } else if (tag == kTagSample) {
            // Before the first test, a sample has no test and is dropped;
            // after one, it is a record cut short, and reading it fails.
            ar.ReadInPlace(kSampleRecordSize);
        } else if (tag == kTagMarker) {
            // Likewise for a marker, or one whose code byte is missing.
            ar.ReadValue<BYTE>();
        } else {
            // A file cut short while it was read may have given zeros for
            // the bytes that went, ending the reading early or not: it is
            // the end-of-file error either way.
            if (ar.FileShrank())
                ar.ThrowEndOfFile();
            // The end tag is the last byte of a whole file; any other byte
            // was not read as data either.
            const std::uint64_t unread = ar.GetUnreadLength() + (tag == kTagEnd ? 0 : 1);
            if (unread == 0)
                return std::nullopt;
            return UnreadTail{tagOffset, unread};
        }
    }
}

CString DescribeUnreadTail(const CString& path, const UnreadTail& tail)
{
    return CString::Formatted("Nolvex stopped reading %s at byte %llu, before the end of the "
                              "file: %llu bytes were not read.",
                              path.ToUtf8().c_str(),
                              static_cast<unsigned long long>(tail.stopOffset),
                              static_cast<unsigned long long>(tail.byteCount));
}

void Write(CArchive& ar, const CNolvexDoc& document)
{
    // Records are built a block at a time, one data type after another, so
    // that each array is read in long runs (as the reader stores them). Only the
    // values change from record to record: the tags and version bytes are 1
    // and the unused floats of each weighting block 0 throughout.
    constexpr std::size_t kRecordBytes = kRecordStride;
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
            record[1 + 1 + weighting * SampleRecordLayout::kWeightingBlockSize] = 0x01;
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
            for (const SampleRecordLayout::Field& field : SampleRecordLayout::kFields) {
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
