#include "SampleStore.h"

#include "Exceptions.h"
#include "NolvexTest.h"
#include "SampleRecordLayout.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <sys/mman.h>
#include <system_error>
#include <unistd.h>

namespace {

using SampleRecordLayout::kRecordStride;
using ArrayPointers = SampleStore::ArrayPointers;

// Below this many samples a block is stored by the reading thread alone:
// starting a helper would cost more than it saves.
constexpr std::int64_t kSamplesPerHelper = 8192;
// The samples a helper takes at a time: small enough that the cores end a
// block close together, large enough that each array's pages in it are
// asked for in one request.
constexpr std::int64_t kSamplesPerShare = 16384;

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

// Takes apart the records of a run by data type. Storing a stretch at a
// time, one data type after another, writes each of the 61 arrays in long
// runs; storing each sample as it comes would write one value into each of
// 61 arrays in turn, which the memory system handles many times slower.
void StoreRun(const ArrayPointers& arrays, const SampleStore::Run& run)
{
    // A stretch's records stay in the second-level cache through the 61
    // passes over them.
    constexpr std::int32_t kStretch = 512;
    for (std::int32_t done = 0; done < run.count; done += kStretch) {
        const std::int32_t count = std::min(kStretch, run.count - done);
        const BYTE* first = run.firstRecord + static_cast<std::size_t>(done) * kRecordStride;
        const BYTE* last = first + static_cast<std::size_t>(count) * kRecordStride;
        // Reads the records' bytes in order before they are taken apart:
        // memory streams an ordered read far faster than the 61 strided
        // passes would fetch it.
        unsigned touched = 0;
        for (const BYTE* line = first; line < last; line += 64)
            touched += *line;
        [[maybe_unused]] volatile unsigned keepTouched = touched;
        for (const SampleRecordLayout::Field& field : SampleRecordLayout::kFields) {
            float* values =
                arrays[static_cast<std::size_t>(field.dataType)] + run.firstSample + done;
            StoreField(values, first + field.offset, count,
                       field.dataType != MetricCatalogue::kTwa);
        }
    }
}

// Has the system hand out the pages of the arrays' samples first..end in
// one request per array, which costs less than taking them one fault at a
// time as they are first written. Where the system cannot, the pages still
// come on first write.
void PrepareArrays(const ArrayPointers& arrays, std::int32_t first, std::int32_t end)
{
#ifdef MADV_POPULATE_WRITE
    const auto pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    for (float* array : arrays) {
        // Only whole pages inside the span: a page shared with the next
        // span comes when it is written.
        const auto begin = reinterpret_cast<std::uintptr_t>(array + first);
        const auto finish = reinterpret_cast<std::uintptr_t>(array + end);
        const std::uintptr_t pageBegin = (begin + pageSize - 1) / pageSize * pageSize;
        const std::uintptr_t pageEnd = finish / pageSize * pageSize;
        if (pageEnd > pageBegin)
            madvise(reinterpret_cast<void*>(pageBegin), pageEnd - pageBegin, MADV_POPULATE_WRITE);
    }
#else
    (void)arrays;
    (void)first;
    (void)end;
#endif
}

void StoreShare(const ArrayPointers& arrays, const std::vector<SampleStore::Run>& share)
{
    if (share.empty())
        return;
    PrepareArrays(arrays, share.front().firstSample, share.back().firstSample + share.back().count);
    for (const SampleStore::Run& run : share)
        StoreRun(arrays, run);
}

// Cuts the runs, samples first..end, into `count` shares of equal sample
// counts; a run across a cut is split in two.
std::vector<std::vector<SampleStore::Run>> ShareOut(const std::vector<SampleStore::Run>& runs,
                                                    std::int64_t first, std::int64_t end,
                                                    std::size_t count)
{
    const std::int64_t total = end - first;
    std::vector<std::vector<SampleStore::Run>> shares(count);
    std::size_t share = 0;
    for (SampleStore::Run run : runs) {
        while (run.count > 0) {
            const std::int64_t shareEnd = first + total * static_cast<std::int64_t>(share + 1) /
                                                      static_cast<std::int64_t>(count);
            const std::int64_t take = std::min<std::int64_t>(run.count, shareEnd - run.firstSample);
            if (take <= 0) {
                ++share;
                continue;
            }
            shares[share].push_back(
                {run.firstRecord, static_cast<std::int32_t>(take), run.firstSample});
            run.firstRecord += static_cast<std::size_t>(take) * kRecordStride;
            run.firstSample += static_cast<std::int32_t>(take);
            run.count -= static_cast<std::int32_t>(take);
        }
    }
    return shares;
}

} // namespace

SampleStore::SampleStore(CNolvexTest& test) : m_test(test) {}

SampleStore::~SampleStore()
{
    Wait();
}

void SampleStore::Wait()
{
    TakeShares();
    for (std::thread& helper : m_helpers)
        helper.join();
    m_helpers.clear();
    m_shares.clear();
}

// Makes room in the test's arrays for its samples up to sampleTotal. While
// the test may go on past the bytes read so far, the room is made for every
// sample the rest of the file could still hold, so that a long test is
// allocated once; Finish gives back what was not needed.
void SampleStore::ReserveFor(std::int32_t sampleTotal,
                             std::optional<std::uint64_t> bytesStillToCome)
{
    if (sampleTotal <= m_test.capacity)
        return;
    std::int64_t wanted = sampleTotal;
    if (bytesStillToCome) {
        const auto stillPossible = static_cast<std::int64_t>(*bytesStillToCome / kRecordStride);
        // A file that grows while it is read holds more than its length
        // said: the arrays then grow by half at a time.
        wanted = std::max(sampleTotal + stillPossible,
                          static_cast<std::int64_t>(m_test.capacity) * 3 / 2);
    }
    constexpr std::int64_t kMostSamples =
        std::numeric_limits<std::int32_t>::max() - CNolvexTest::kGrowthStep;
    m_test.ReserveSamples(static_cast<std::int32_t>(std::min(wanted, kMostSamples)));
}

void SampleStore::StoreBlock(const std::vector<Run>& runs, std::int32_t sampleTotal,
                             std::optional<std::uint64_t> bytesStillToCome)
{
    Wait();
    if (runs.empty())
        return;
    ReserveFor(sampleTotal, bytesStillToCome);
    for (std::size_t dataType = 0; dataType < m_arrays.size(); ++dataType)
        m_arrays[dataType] = m_test.values[dataType].get();
    const std::int64_t first = runs.front().firstSample;
    const std::int64_t total = sampleTotal - first;
    m_test.sampleCount = sampleTotal;
    if (total < kSamplesPerHelper) {
        for (const Run& run : runs)
            StoreRun(m_arrays, run);
        return;
    }
    // Most of the time goes into the system handing out the arrays' fresh
    // pages, and cores take those in parallel. The block is cut into shares
    // of consecutive samples that the helpers take one after another, and
    // the reading thread too once it has read the next block: whoever is
    // free takes the next share, so that all cores end together.
    m_shares =
        ShareOut(runs, first, sampleTotal,
                 static_cast<std::size_t>((total + kSamplesPerShare - 1) / kSamplesPerShare));
    m_nextShare = 0;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned helpers = std::clamp(cores - 1, 1u, 7u);
    // Reserved first: the vector must not fail to grow while threads run.
    m_helpers.reserve(helpers);
    for (unsigned k = 0; k < helpers; ++k) {
        try {
            m_helpers.emplace_back(&SampleStore::TakeShares, this);
        } catch (const std::system_error&) {
            break; // no more threads to be had: Wait stores the rest
        }
    }
}

void SampleStore::TakeShares()
{
    for (std::size_t share = m_nextShare++; share < m_shares.size(); share = m_nextShare++)
        StoreShare(m_arrays, m_shares[share]);
}

void SampleStore::Finish()
{
    Wait();
    m_test.ShrinkToFit();
}
