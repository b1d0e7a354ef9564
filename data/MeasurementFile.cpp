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
#include <sys/mman.h>
#include <system_error>
#include <thread>
#include <unistd.h>
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

// A run of sample records that lie one after the other in the data, with
// no marker between them; the run's first record is sample firstSample.
struct SampleRun
{
    const BYTE* firstRecord;
    std::int32_t count;
    std::int32_t firstSample;
};

constexpr std::size_t kRecordStride = 1 + MeasurementFile::kSampleRecordSize;

// A value as the reader keeps it. Levels and doses below zero are read as 0
// (a comparison with a value that is not a number is false, so such values
// stay as they are). "TWA" is an average level, negative while no level has
// reached the dose threshold, and is kept as read.
inline float FieldValue(const BYTE* source, bool clampNegative)
{
    float value;
    std::memcpy(&value, source, sizeof value);
    return clampNegative && value < 0.0f ? 0.0f : value;
}

// Copies one data type's value out of each of `count` consecutive records.
void StoreField(float* values, const BYTE* source, std::int32_t count, bool clampNegative)
{
    for (std::int32_t k = 0; k < count; ++k, source += kRecordStride)
        values[k] = FieldValue(source, clampNegative);
}

// Takes apart the records of a run by data type. Storing a block at a time,
// one data type after another, writes each of the 61 arrays in long runs;
// storing each sample as it comes would write one value into each of 61
// arrays in turn, which the memory system handles many times slower.
void StoreRun(CNolvexTest& test, const SampleRun& run)
{
    // A block's records stay in the second-level cache through the 61
    // passes over them.
    constexpr std::int32_t kBlockSize = 256;
    for (std::int32_t done = 0; done < run.count; done += kBlockSize) {
        const std::int32_t count = std::min(kBlockSize, run.count - done);
        const BYTE* first = run.firstRecord + static_cast<std::size_t>(done) * kRecordStride;
        const BYTE* last = first + static_cast<std::size_t>(count) * kRecordStride;
        // Reads the records' bytes in order before they are taken apart:
        // memory streams an ordered read far faster than the 61 strided
        // passes would fetch it.
        unsigned touched = 0;
        for (const BYTE* line = first; line < last; line += 64)
            touched += *line;
        [[maybe_unused]] volatile unsigned keepTouched = touched;
        for (const RecordField& field : kRecordLayout) {
            float* values = test.values[static_cast<std::size_t>(field.dataType)].get() +
                            run.firstSample + done;
            StoreField(values, first + field.offset, count, field.dataType != kTwa);
        }
    }
}

// Has the system hand out the pages of the arrays' samples first..end in
// one request per array, which costs less than taking them one fault at a
// time as they are first written. Where the system cannot, the pages still
// come on first write.
void PrepareArrays(CNolvexTest& test, std::int32_t first, std::int32_t end)
{
#ifdef MADV_POPULATE_WRITE
    const auto pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    for (auto& array : test.values) {
        // Only whole pages inside the span: a page shared with the next
        // span comes when it is written.
        const auto begin = reinterpret_cast<std::uintptr_t>(array.get() + first);
        const auto finish = reinterpret_cast<std::uintptr_t>(array.get() + end);
        const std::uintptr_t pageBegin = (begin + pageSize - 1) / pageSize * pageSize;
        const std::uintptr_t pageEnd = finish / pageSize * pageSize;
        if (pageEnd > pageBegin)
            madvise(reinterpret_cast<void*>(pageBegin), pageEnd - pageBegin, MADV_POPULATE_WRITE);
    }
#else
    (void)test;
    (void)first;
    (void)end;
#endif
}

// Below this many samples a block is stored by the reading thread alone:
// starting a helper would cost more than it saves.
constexpr std::int64_t kSamplesPerHelper = 8192;

// Stores the runs, samples first..end of the test, into the test's arrays,
// which already hold room for them. A large block is shared out among the
// processor's cores, each taking a stretch of consecutive samples: most of
// the time goes into the system handing out the arrays' fresh pages, and
// cores take those in parallel.
void StoreRuns(CNolvexTest& test, const std::vector<SampleRun>& runs, std::int64_t first,
               std::int64_t end)
{
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::int64_t total = end - first;
    const auto shares = static_cast<std::size_t>(
        std::clamp<std::int64_t>(total / kSamplesPerHelper, 1, std::min(cores, 8u)));
    // Cuts the runs into pieces of equal sample counts; a run across a cut
    // is split in two.
    std::vector<std::vector<SampleRun>> pieces(shares);
    std::size_t piece = 0;
    for (SampleRun run : runs) {
        while (run.count > 0) {
            const std::int64_t pieceEnd = first + total * static_cast<std::int64_t>(piece + 1) /
                                                      static_cast<std::int64_t>(shares);
            const std::int64_t take = std::min<std::int64_t>(run.count, pieceEnd - run.firstSample);
            if (take <= 0) {
                ++piece;
                continue;
            }
            pieces[piece].push_back(
                {run.firstRecord, static_cast<std::int32_t>(take), run.firstSample});
            run.firstRecord += static_cast<std::size_t>(take) * kRecordStride;
            run.firstSample += static_cast<std::int32_t>(take);
            run.count -= static_cast<std::int32_t>(take);
        }
    }
    auto storePiece = [&test](const std::vector<SampleRun>& piece) {
        if (piece.empty())
            return;
        PrepareArrays(test, piece.front().firstSample,
                      piece.back().firstSample + piece.back().count);
        for (const SampleRun& run : piece)
            StoreRun(test, run);
    };
    std::vector<std::thread> helpers;
    // Reserved first: the vector must not fail to grow while threads run.
    helpers.reserve(pieces.size());
    std::size_t own = 0; // the pieces from here on are stored by this thread
    for (; own + 1 < pieces.size(); ++own) {
        try {
            helpers.emplace_back(storePiece, std::cref(pieces[own]));
        } catch (const std::system_error&) {
            break; // no more threads to be had: the rest is stored here
        }
    }
    for (; own < pieces.size(); ++own)
        storePiece(pieces[own]);
    for (std::thread& helper : helpers)
        helper.join();
}

// Makes room in the test's arrays for its samples up to sampleTotal. While
// the test may go on past the bytes read so far, the room is made for every
// sample the rest of the file could still hold, so that a long test is
// allocated once; the reader gives back what was not needed at the end.
void ReserveForSamples(CArchive& ar, CNolvexTest& test, std::int64_t sampleTotal, bool testEnded)
{
    if (sampleTotal <= test.capacity)
        return;
    std::int64_t wanted = sampleTotal;
    if (!testEnded) {
        const auto stillPossible = static_cast<std::int64_t>(ar.GetUnreadLength() / kRecordStride);
        // A file that grows while it is read holds more than its length
        // said: the arrays then grow by half at a time.
        wanted =
            std::max(sampleTotal + stillPossible, static_cast<std::int64_t>(test.capacity) * 3 / 2);
    }
    constexpr std::int64_t kMostSamples =
        std::numeric_limits<std::int32_t>::max() - CNolvexTest::kGrowthStep;
    test.ReserveSamples(static_cast<std::int32_t>(std::min(wanted, kMostSamples)));
}

// Reads the sample records and markers that follow a test's header, up to
// the next test header, the end tag or a record cut short, which is left for
// the caller to read. The file comes a block at a time: each block's records
// are stored before the next block is read.
void ReadSamplesAndMarkers(CArchive& ar, CNolvexTest& test)
{
    using MeasurementFile::kTagMarker;
    using MeasurementFile::kTagSample;
    std::vector<SampleRun> runs;
    std::int64_t sampleTotal = 0;
    bool testEnded = false;
    while (!testEnded) {
        // At least one whole record stands in the buffer, unless the file
        // ends first.
        const std::size_t size = ar.Fill(kRecordStride);
        const BYTE* const data = ar.GetCurrentPointer();
        const std::int64_t firstSample = sampleTotal;
        runs.clear();
        bool runOpen = false;
        std::size_t position = 0;
        while (position < size) {
            const BYTE tag = data[position];
            const std::size_t left = size - position;
            if (tag == kTagSample) {
                if (left < kRecordStride)
                    break;
                if (sampleTotal >=
                    std::numeric_limits<std::int32_t>::max() - CNolvexTest::kGrowthStep)
                    throw CMemoryException();
                if (!runOpen)
                    runs.push_back(
                        {data + position + 1, 0, static_cast<std::int32_t>(sampleTotal)});
                runOpen = true;
                ++runs.back().count;
                ++sampleTotal;
                position += kRecordStride;
            } else if (tag == kTagMarker) {
                if (left < 2)
                    break;
                if (!test.AppendMarker(static_cast<std::int32_t>(sampleTotal),
                                       data[position + 1])) {
                    // Refused rather than dropped, so that a later save cannot
                    // silently lose the markers beyond the table.
                    ar.ThrowGenericError(CString::Formatted(
                        "the test \"%s\" has more than %d markers, more than Nolvex can keep",
                        test.name.ToUtf8().c_str(), CNolvexTest::kMaxMarkers));
                }
                runOpen = false;
                position += 2;
            } else {
                testEnded = true; // the next header, the end tag or a stray byte
                break;
            }
        }
        // The block is used up (the file ended there), or a record is cut
        // short at the start of a block that holds all the file has left.
        if (size == 0 || (position == 0 && !testEnded))
            testEnded = true;
        if (sampleTotal > firstSample) {
            ReserveForSamples(ar, test, sampleTotal, testEnded);
            StoreRuns(test, runs, firstSample, sampleTotal);
            test.sampleCount = static_cast<std::int32_t>(sampleTotal);
        }
        ar.ReadInPlace(position);
    }
    test.ShrinkToFit();
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
