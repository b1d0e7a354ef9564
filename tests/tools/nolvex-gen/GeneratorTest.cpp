// The sample generator: deterministic, with values that agree with one
// another as a meter's would, and running metrics that are the program's own.

#include "CArchive.h"
#include "CFile.h"
#include "CMemFile.h"
#include "Exceptions.h"
#include "MetricCatalogue.h"
#include "NolvexDoc.h"
#include "NolvexTest.h"
#include "SampleGenerator.h"
#include "SelectionCut.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <set>
#include <vector>

namespace {

using namespace MetricCatalogue;

constexpr std::array<double, kBandCount> kACorrection = {-1.1, 1.0,   1.2,   0.0,  -3.2,
                                                         -8.6, -16.1, -26.2, -39.4};
constexpr std::array<double, kBandCount> kCCorrection = {-3.0, -0.8, 0.0,  0.0, 0.0,
                                                         0.0,  -0.2, -0.8, -3.0};

// Sums of levels computed from floats agree with a stored float level to
// well within this.
constexpr double kLevelToleranceDb = 0.001;

std::unique_ptr<CNolvexDoc> Generate(std::uint64_t seed, double durationSeconds, int testCount = 1)
{
    auto document = std::make_unique<CNolvexDoc>();
    GeneratorOptions options;
    options.seed = seed;
    options.durationSeconds = durationSeconds;
    options.testCount = testCount;
    GenerateDocument(options, *document);
    return document;
}

std::vector<BYTE> FileBytes(CNolvexDoc& document)
{
    CMemFile file;
    CArchive archive(&file, CArchive::store);
    document.Serialize(archive);
    archive.Close();
    return file.TakeBytes();
}

float At(const CNolvexTest& test, int dataType, std::int32_t sample)
{
    return test.values[static_cast<std::size_t>(dataType)][static_cast<std::size_t>(sample)];
}

double Energy(double level)
{
    return std::pow(10.0, level / 10.0);
}
double Level(double energy)
{
    return 10.0 * std::log10(energy);
}

std::vector<const CNolvexTest*> Tests(const CNolvexDoc& document)
{
    std::vector<const CNolvexTest*> tests;
    for (const CNolvexTest* test = document.firstTest; test; test = test->next)
        tests.push_back(test);
    return tests;
}

bool SameValues(const CNolvexTest& left, const CNolvexTest& right, int dataType)
{
    if (left.sampleCount != right.sampleCount)
        return false;
    return left.sampleCount == 0 ||
           std::memcmp(left.values[static_cast<std::size_t>(dataType)].get(),
                       right.values[static_cast<std::size_t>(dataType)].get(),
                       static_cast<std::size_t>(left.sampleCount) * sizeof(float)) == 0;
}

// One day-long test, generated once for the checks that want many samples.
class DayLongTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { day = Generate(24, 24 * 3600.0).release(); }
    static void TearDownTestSuite()
    {
        delete day;
        day = nullptr;
    }
    static const CNolvexTest& Day() { return *day->firstTest; }

    static CNolvexDoc* day;
};

CNolvexDoc* DayLongTest::day = nullptr;

TEST(Generator, SameSeedGivesIdenticalFiles)
{
    const auto first = Generate(5, 120.0, 2);
    const auto second = Generate(5, 120.0, 2);
    const std::vector<BYTE> firstBytes = FileBytes(*first);
    EXPECT_EQ(firstBytes, FileBytes(*second));

    const auto other = Generate(6, 120.0, 2);
    EXPECT_NE(firstBytes, FileBytes(*other));
    EXPECT_FALSE(SameValues(*first->firstTest, *other->firstTest, kWeightingA + ShortLeq));
}

TEST(Generator, TestsOfOneDocumentAreDifferentRecordings)
{
    const auto document = Generate(8, 120.0, 3);
    const std::vector<const CNolvexTest*> tests = Tests(*document);
    ASSERT_EQ(tests.size(), 3u);
    EXPECT_FALSE(SameValues(*tests[0], *tests[1], kWeightingA + ShortLeq));
    EXPECT_FALSE(SameValues(*tests[1], *tests[2], kWeightingA + ShortLeq));
    EXPECT_FALSE(SameValues(*tests[0], *tests[2], kBandShortLeq + 4));
}

TEST(Generator, SampleCountIsTheDurationInTenthsOfASecondRounded)
{
    struct Case
    {
        double seconds;
        std::int32_t samples;
    };
    for (const Case& c : {Case{0.0, 0}, Case{0.04, 0}, Case{12.34, 123}, Case{12.36, 124},
                          Case{30.0, 300}, Case{59.99, 600}, Case{600.0, 6000}}) {
        const auto document = Generate(3, c.seconds, 2);
        const std::vector<const CNolvexTest*> tests = Tests(*document);
        ASSERT_EQ(tests.size(), 2u) << c.seconds;
        for (const CNolvexTest* test : tests)
            EXPECT_EQ(test->sampleCount, c.samples) << c.seconds;
    }
}

TEST(Generator, HeadersArePlausibleAndFollowOneAnother)
{
    constexpr double kSeconds = 900.0;
    const auto document = Generate(11, kSeconds, 4);
    const std::vector<const CNolvexTest*> tests = Tests(*document);
    ASSERT_EQ(tests.size(), 4u);
    std::set<CString> names;
    for (std::size_t k = 0; k < tests.size(); ++k) {
        const CNolvexTest& test = *tests[k];
        EXPECT_FALSE(test.name.IsEmpty());
        EXPECT_FALSE(test.info.IsEmpty());
        names.insert(test.name);
        EXPECT_GT(test.testNumber, 0);
        // An OLE date (days since 1899-12-30) in the 2020s.
        EXPECT_GE(test.headerValue, 43831.0);
        EXPECT_LT(test.headerValue, 47849.0);
        if (k > 0) {
            EXPECT_GT(test.testNumber, tests[k - 1]->testNumber);
            // A test starts after the one before has ended.
            EXPECT_GE(test.headerValue, tests[k - 1]->headerValue + kSeconds / 86400.0);
        }
    }
    EXPECT_EQ(names.size(), tests.size());
}

TEST(Generator, RefusesWhatItCannotGenerate)
{
    CNolvexDoc document;
    GeneratorOptions options;
    options.durationSeconds = 1.0;

    options.testCount = 0;
    EXPECT_THROW(GenerateDocument(options, document), CInvalidArgException);
    EXPECT_EQ(document.firstTest, nullptr);

    options.testCount = 1;
    options.durationSeconds = -1.0;
    EXPECT_THROW(GenerateDocument(options, document), CInvalidArgException);
    options.durationSeconds = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(GenerateDocument(options, document), CInvalidArgException);
    options.durationSeconds = 1e9; // more samples than a test can hold
    EXPECT_THROW(GenerateDocument(options, document), CInvalidArgException);
    EXPECT_EQ(document.firstTest, nullptr);

    options.durationSeconds = 1.0;
    GenerateDocument(options, document);
    ASSERT_EQ(document.GetTestCount(), 1);
    EXPECT_THROW(GenerateDocument(options, document), CInvalidArgException);
    EXPECT_EQ(document.GetTestCount(), 1);
}

TEST_F(DayLongTest, HoldsADayOfSamples)
{
    EXPECT_EQ(Day().sampleCount, 864000);
    // Room for the day and no more: 864000 is a whole number of growth steps.
    EXPECT_EQ(Day().capacity, 864000);
}

TEST_F(DayLongTest, ALevelWandersWithinItsPlausibleRange)
{
    const CNolvexTest& test = Day();
    float lowest = std::numeric_limits<float>::max();
    float highest = std::numeric_limits<float>::lowest();
    for (std::int32_t i = 0; i < test.sampleCount; ++i) {
        const float level = At(test, kWeightingA + ShortLeq, i);
        ASSERT_TRUE(std::isfinite(level)) << i;
        lowest = std::min(lowest, level);
        highest = std::max(highest, level);
    }
    // The background wanders between 60 and 100 dB, with a little jitter;
    // loud events add up to 20 dB.
    EXPECT_GE(lowest, 55.0f);
    EXPECT_LE(highest, 125.0f);
    // Over a day it goes all the way.
    EXPECT_LT(lowest, 63.0f);
    EXPECT_GT(highest, 105.0f);
}

TEST_F(DayLongTest, CAndZAreNeverBelowA)
{
    const CNolvexTest& test = Day();
    for (int quantity : {ShortLeq, ShortPeak, Fast, Slow, Impulse}) {
        for (std::int32_t i = 0; i < test.sampleCount; ++i) {
            const float a = At(test, kWeightingA + quantity, i);
            const float c = At(test, kWeightingC + quantity, i);
            const float z = At(test, kWeightingZ + quantity, i);
            ASSERT_GE(c, a) << "quantity " << quantity << " sample " << i;
            ASSERT_GE(z, c) << "quantity " << quantity << " sample " << i;
        }
    }
}

TEST_F(DayLongTest, PeaksLieEightToTwentyDecibelsAboveTheShortLeq)
{
    const CNolvexTest& test = Day();
    for (int weighting : {kWeightingA, kWeightingC, kWeightingZ}) {
        for (std::int32_t i = 0; i < test.sampleCount; ++i) {
            const double crest =
                At(test, weighting + ShortPeak, i) - At(test, weighting + ShortLeq, i);
            ASSERT_GE(crest, 8.0 - kLevelToleranceDb) << weighting << " " << i;
            ASSERT_LE(crest, 20.0 + kLevelToleranceDb) << weighting << " " << i;
        }
    }
}

TEST_F(DayLongTest, BandsMakeUpTheWeightedShortLeq)
{
    const CNolvexTest& test = Day();
    for (std::int32_t i = 0; i < test.sampleCount; ++i) {
        double z = 0.0, a = 0.0, c = 0.0;
        for (int band = 0; band < kBandCount; ++band) {
            const double level = At(test, kBandShortLeq + band, i);
            z += Energy(level);
            a += Energy(level + kACorrection[static_cast<std::size_t>(band)]);
            c += Energy(level + kCCorrection[static_cast<std::size_t>(band)]);
        }
        const double levelA = At(test, kWeightingA + ShortLeq, i);
        ASSERT_NEAR(Level(z), At(test, kWeightingZ + ShortLeq, i), kLevelToleranceDb) << i;
        ASSERT_NEAR(Level(a), levelA, kLevelToleranceDb) << i;
        // C is held at A where the spectrum alone would put it below.
        ASSERT_NEAR(std::max(Level(c), levelA), At(test, kWeightingC + ShortLeq, i),
                    kLevelToleranceDb)
            << i;
    }
}

TEST_F(DayLongTest, MarkersAreFewInRangeAndAtLoudEvents)
{
    const CNolvexTest& test = Day();
    // A loud event every two minutes or so, each marked once.
    EXPECT_GT(test.markerCount, 300);
    EXPECT_LT(test.markerCount, 1000);
    for (std::int32_t m = 0; m < test.markerCount; ++m) {
        const Marker& marker = test.markers[static_cast<std::size_t>(m)];
        ASSERT_GE(marker.sampleIndex, 0);
        ASSERT_LT(marker.sampleIndex, test.sampleCount);
        ASSERT_GE(marker.code, 1);
        ASSERT_LE(marker.code, 9);
        if (m > 0) {
            ASSERT_GT(marker.sampleIndex,
                      test.markers[static_cast<std::size_t>(m - 1)].sampleIndex + 200);
        }
        // Loud events are at least 20 s apart, so the 10 s before one are
        // background: the marked sample stands well above their median.
        const std::int32_t from = marker.sampleIndex - 100;
        const std::int32_t to = marker.sampleIndex - 10;
        if (from < 0)
            continue;
        std::vector<float> before;
        for (std::int32_t i = from; i < to; ++i)
            before.push_back(At(test, kWeightingA + ShortLeq, i));
        std::nth_element(before.begin(), before.begin() + before.size() / 2, before.end());
        const float median = before[before.size() / 2];
        EXPECT_GT(At(test, kWeightingA + ShortLeq, marker.sampleIndex), median + 6.0f)
            << "marker at sample " << marker.sampleIndex;
    }
}

// The level a time weighting reaches at sample i from its level at i - 1,
// the energy of sample i held for 0.1 s.
double NextWeightedLevel(double previousLevel, double shortLeq, double riseSeconds,
                         double fallSeconds)
{
    const double previous = Energy(previousLevel);
    const double energy = Energy(shortLeq);
    const double keep = std::exp(-0.1 / (energy > previous ? riseSeconds : fallSeconds));
    return Level(energy + (previous - energy) * keep);
}

TEST(Generator, TimeWeightingsFollowTheShortLeq)
{
    const auto document = Generate(13, 3600.0);
    const CNolvexTest& test = *document->firstTest;
    struct Weighting
    {
        int dataType;
        int shortLeq;
        double riseSeconds;
        double fallSeconds;
    };
    const Weighting weightings[] = {
        {kWeightingA + Fast, kWeightingA + ShortLeq, 0.125, 0.125},
        {kWeightingA + Slow, kWeightingA + ShortLeq, 1.0, 1.0},
        {kWeightingA + Impulse, kWeightingA + ShortLeq, 0.035, 1.5},
        {kWeightingC + Fast, kWeightingC + ShortLeq, 0.125, 0.125},
        {kWeightingC + Impulse, kWeightingC + ShortLeq, 0.035, 1.5},
        {kWeightingZ + Slow, kWeightingZ + ShortLeq, 1.0, 1.0},
        {kBandFast + 0, kBandShortLeq + 0, 0.125, 0.125},
        {kBandSlow + 3, kBandShortLeq + 3, 1.0, 1.0},
        {kBandFast + 8, kBandShortLeq + 8, 0.125, 0.125},
    };
    for (const Weighting& w : weightings) {
        // The meter was running before the test: it starts settled.
        EXPECT_NEAR(At(test, w.dataType, 0), At(test, w.shortLeq, 0), kLevelToleranceDb);
        for (std::int32_t i = 1; i < test.sampleCount; ++i) {
            const double expected = NextWeightedLevel(
                At(test, w.dataType, i - 1), At(test, w.shortLeq, i), w.riseSeconds, w.fallSeconds);
            ASSERT_NEAR(At(test, w.dataType, i), expected, kLevelToleranceDb)
                << "data type " << w.dataType << " sample " << i;
        }
    }
}

// A copy of the per-sample values only: the running values are spoilt, and
// each band's Leq gets the band's own level, which is what the generator
// hands the recalculation.
std::unique_ptr<CNolvexTest> CopyPerSampleValues(const CNolvexTest& source)
{
    auto copy = std::make_unique<CNolvexTest>();
    copy->ReserveSamples(source.sampleCount);
    float sample[kMetricCount];
    for (std::int32_t i = 0; i < source.sampleCount; ++i) {
        for (int dataType = 0; dataType < kMetricCount; ++dataType)
            sample[dataType] = At(source, dataType, i);
        for (int dataType = 0; dataType < kMetricCount; ++dataType) {
            if (IsCumulative(dataType) || dataType == kProjectedDoseA)
                sample[dataType] = -7.0f;
        }
        for (int band = 0; band < kBandCount; ++band)
            sample[kBandLeq + band] = sample[kBandShortLeq + band];
        copy->AppendSample(sample);
    }
    return copy;
}

TEST(Generator, RunningMetricsAreThoseOfTheRecalculation)
{
    const auto document = Generate(17, 1800.0, 2);
    for (const CNolvexTest* test : Tests(*document)) {
        const std::unique_ptr<CNolvexTest> recalculated = CopyPerSampleValues(*test);
        SelectionCut::RecalculateRunningMetrics(*recalculated);
        for (int dataType = 0; dataType < kMetricCount; ++dataType)
            EXPECT_TRUE(SameValues(*test, *recalculated, dataType)) << "data type " << dataType;

        // And they are running values: at the last sample the energy average
        // and the maximum of the whole test.
        double energy = 0.0;
        float peak = 0.0f;
        for (std::int32_t i = 0; i < test->sampleCount; ++i) {
            energy += Energy(At(*test, kWeightingA + ShortLeq, i));
            peak = std::max(peak, At(*test, kWeightingA + ShortPeak, i));
        }
        const std::int32_t last = test->sampleCount - 1;
        EXPECT_NEAR(At(*test, kWeightingA + Leq, last), Level(energy / test->sampleCount),
                    kLevelToleranceDb);
        EXPECT_EQ(At(*test, kWeightingA + Peak, last), peak);
    }
}

TEST(Generator, FileReadBackGivesTheSameTests)
{
    const auto written = Generate(19, 300.0, 3);
    const std::vector<BYTE> bytes = FileBytes(*written);

    CMemFile file(bytes);
    CArchive archive(&file, CArchive::load);
    CNolvexDoc read;
    read.Serialize(archive);

    const std::vector<const CNolvexTest*> writtenTests = Tests(*written);
    const std::vector<const CNolvexTest*> readTests = Tests(read);
    ASSERT_EQ(readTests.size(), writtenTests.size());
    std::int32_t markerTotal = 0;
    for (std::size_t k = 0; k < writtenTests.size(); ++k) {
        const CNolvexTest& expected = *writtenTests[k];
        const CNolvexTest& actual = *readTests[k];
        EXPECT_EQ(actual.name, expected.name);
        EXPECT_EQ(actual.info, expected.info);
        EXPECT_EQ(actual.testNumber, expected.testNumber);
        EXPECT_EQ(actual.headerValue, expected.headerValue);
        ASSERT_EQ(actual.sampleCount, expected.sampleCount);
        ASSERT_EQ(actual.markerCount, expected.markerCount);
        markerTotal += actual.markerCount;
        for (std::int32_t m = 0; m < actual.markerCount; ++m) {
            EXPECT_EQ(actual.markers[static_cast<std::size_t>(m)].sampleIndex,
                      expected.markers[static_cast<std::size_t>(m)].sampleIndex);
            EXPECT_EQ(actual.markers[static_cast<std::size_t>(m)].code,
                      expected.markers[static_cast<std::size_t>(m)].code);
        }
        for (int dataType = 0; dataType < kMetricCount; ++dataType)
            EXPECT_TRUE(SameValues(actual, expected, dataType)) << "data type " << dataType;
    }
    EXPECT_GT(markerTotal, 0);
    EXPECT_EQ(FileBytes(read), bytes);
}

} // namespace
