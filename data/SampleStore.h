#pragma once

#include "MetricCatalogue.h"
#include "Types.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <thread>
#include <vector>

class CNolvexTest;

// Takes the sample records of one test apart into the test's 61 value
// arrays, a block of the file at a time. A block is stored in the background
// on the processor's cores while the reader reads the next block; the
// records of a block must stay in place until the next block is handed over
// or Finish is called.
class SampleStore
{
public:
    // A run of sample records that lie one after the other in the file, with
    // no marker between them; the run's first record is sample firstSample.
    struct Run
    {
        const BYTE* firstRecord; // the first byte after the record's tag
        std::int32_t count;
        std::int32_t firstSample;
    };

    using ArrayPointers = std::array<float*, MetricCatalogue::kMetricCount>;

    explicit SampleStore(CNolvexTest& test);
    // Waits for the block being stored.
    ~SampleStore();
    SampleStore(const SampleStore&) = delete;
    SampleStore& operator=(const SampleStore&) = delete;

    // Waits for the block before, makes room for the samples up to
    // sampleTotal and starts storing the runs. bytesStillToCome is how much
    // of the file is left after the block while the test may go on, so that
    // a long test is allocated once; empty when the test ends in this block.
    void StoreBlock(const std::vector<Run>& runs, std::int32_t sampleTotal,
                    std::optional<std::uint64_t> bytesStillToCome);
    // Waits for the last block and gives back the room not needed.
    void Finish();

private:
    void ReserveFor(std::int32_t sampleTotal, std::optional<std::uint64_t> bytesStillToCome);
    // Stores shares of the block until none is left.
    void TakeShares();
    // Helps store the rest of the block and waits until it is stored.
    void Wait();

    CNolvexTest& m_test;
    ArrayPointers m_arrays{};
    // The runs of the block being stored, cut into shares, and the next
    // share nobody has taken yet.
    std::vector<std::vector<Run>> m_shares;
    std::atomic<std::size_t> m_nextShare = 0;
    std::vector<std::thread> m_helpers;
};
