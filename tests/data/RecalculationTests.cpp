// The level and dose accumulator, the recomputation of the running metrics
// and cutting a selection out of a test.

#include "MeasurementBytes.h"

#include "ISPL.h"
#include "SelectionCut.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

using namespace testing_bytes;

namespace {

constexpr int kAFast = 0;
constexpr int kALeq = 2;
constexpr int kAPeak = 3;
constexpr int kAShortLeq = 4;
constexpr int kAShortPeak = 5;
constexpr int kCLeq = 9;
constexpr int kCPeak = 10;
constexpr int kCShortLeq = 11;
constexpr int kCShortPeak = 12;
constexpr int kZLeq = 16;
constexpr int kZPeak = 17;
constexpr int kZShortLeq = 18;
constexpr int kZShortPeak = 19;
constexpr int kTwa = 21;
constexpr int kDoseA = 22;
constexpr int kProjDoseA = 23;
constexpr int kPascalSqHrs = 24;
constexpr int kBandLeq = 43;
constexpr int kBandShortLeq = 52;

// The data types the recomputation writes: the eighteen running ones and the
// projected dose.
bool IsRecomputed(int dataType)
{
    return MetricCatalogue::IsCumulative(dataType) || dataType == kProjDoseA;
}

// Levels that change from sample to sample and between data types, in the
// range a meter shows, crossing the dose threshold of 80 dB now and then.
float LevelAt(int dataType, int sample)
{
    return static_cast<float>(55.0 + 0.5 * (dataType % 20) + 0.3 * sample +
                              12.0 * std::sin(0.7 * sample + dataType));
}

Sample VariedSample(int i)
{
    Sample sample{};
    for (int d = 0; d < MetricCatalogue::kMetricCount; ++d)
        sample[static_cast<std::size_t>(d)] = LevelAt(d, i);
    return sample;
}

Sample ConstantShortLeq(float aShortLeq)
{
    Sample sample{};
    sample[kAShortLeq] = aShortLeq;
    return sample;
}

float At(const CNolvexTest& test, int dataType, int sample)
{
    return test.values[static_cast<std::size_t>(dataType)][static_cast<std::size_t>(sample)];
}

std::vector<float> Column(const CNolvexTest& test, int dataType)
{
    const float* values = test.values[static_cast<std::size_t>(dataType)].get();
    return std::vector<float>(values, values + test.sampleCount);
}

// Every value of every data type, to compare a test before and after.
std::vector<std::vector<float>> Snapshot(const CNolvexTest& test)
{
    std::vector<std::vector<float>> columns;
    for (int d = 0; d < MetricCatalogue::kMetricCount; ++d)
        columns.push_back(Column(test, d));
    return columns;
}

void Select(CNolvexTest& test, int start, int end)
{
    test.selectionStart = start;
    test.selectionEnd = end;
}

} // namespace

TEST(Accumulator, StartsEmptyWithTheMeterDefaults)
{
    const ISPL accumulator;
    EXPECT_EQ(accumulator.energySum, 0.0);
    EXPECT_EQ(accumulator.count, 0.0);
    EXPECT_EQ(accumulator.doseSum, 0.0);
    EXPECT_EQ(accumulator.criterionLevel, 90.0);
    EXPECT_EQ(accumulator.thresholdLevel, 80.0);
    EXPECT_EQ(accumulator.exchangeCode, 3);
    EXPECT_EQ(accumulator.ProjectedDose(), 0.0);
    EXPECT_EQ(accumulator.Dose(), 0.0);
}

TEST(Accumulator, AddSumsEnergyAndTheDoseAtOrAboveTheThreshold)
{
    ISPL accumulator;
    const float levels[] = {79.9f, 80.0f, 100.0f};
    EXPECT_EQ(accumulator.Add(levels, 3), 3.0);
    const double energy = std::pow(10.0, 7.99) + 1e8 + 1e10;
    EXPECT_NEAR(accumulator.energySum, energy, energy * 1e-6);
    EXPECT_DOUBLE_EQ(accumulator.doseSum, 1e8 + 1e10);
    const float more[] = {90.0f};
    EXPECT_EQ(accumulator.Add(more, 1), 4.0);
    EXPECT_DOUBLE_EQ(accumulator.doseSum, 1e8 + 1e9 + 1e10);
    EXPECT_EQ(accumulator.Add(more, 0), 4.0);
}

TEST(Accumulator, ProjectedDoseAndDose)
{
    ISPL loud;
    const float level100[] = {100.0f};
    loud.Add(level100, 1);
    // 10 dB above the criterion at 3 dB... 10 dB per doubling: ten times the dose.
    EXPECT_NEAR(loud.ProjectedDose(), 1000.0, 1e-6);
    EXPECT_NEAR(loud.Dose(), 1000.0 * (0.1 / 3600.0) * 0.125, 1e-12);

    ISPL quiet;
    const float level85[] = {85.0f, 85.0f};
    quiet.Add(level85, 2);
    EXPECT_EQ(quiet.ProjectedDose(), 0.0);
    EXPECT_EQ(quiet.Dose(), 0.0);
}

TEST(Accumulator, ExchangeDivisorOfEachCode)
{
    ISPL accumulator;
    const std::pair<int, double> cases[] = {{3, 10.0}, {4, 13.288}, {5, 16.61},
                                            {0, 10.0}, {6, 10.0},   {-4, 10.0}};
    for (const auto& [code, divisor] : cases) {
        accumulator.exchangeCode = static_cast<std::int8_t>(code);
        EXPECT_EQ(accumulator.ExchangeDivisor(), divisor) << code;
        EXPECT_EQ(accumulator.ExchangeMultiplier(),
                  static_cast<double>(static_cast<float>(divisor)))
            << code;
    }
    accumulator.exchangeCode = 4;
    EXPECT_NE(accumulator.ExchangeMultiplier(), 13.288);
    accumulator.exchangeCode = 3;
    EXPECT_EQ(accumulator.ExchangeMultiplier(), 10.0);
}

TEST(Accumulator, ExchangeCodesFourAndFive)
{
    // Levels are scaled down by the double divisor, logarithms up by its
    // float rounding.
    for (const auto& [code, divisor] : {std::pair<int, double>{4, 13.288}, {5, 16.61}}) {
        ISPL accumulator;
        accumulator.exchangeCode = static_cast<std::int8_t>(code);
        const float levels[] = {100.0f, 70.0f, 96.0f};
        accumulator.Add(levels, 3);
        const double doseSum = std::pow(10.0, 100.0 / divisor) + std::pow(10.0, 96.0 / divisor);
        EXPECT_DOUBLE_EQ(accumulator.doseSum, doseSum) << code;

        const double multiplier = static_cast<float>(divisor);
        const double excess = multiplier * std::log10((doseSum + 0.0005) / 3.0) - 90.0;
        const double projected = 100.0 * std::pow(10.0, excess / divisor);
        EXPECT_DOUBLE_EQ(accumulator.ProjectedDose(), projected) << code;
        EXPECT_DOUBLE_EQ(accumulator.Dose(), projected * (3.0 * 0.1 / 3600.0) * 0.125) << code;

        // The float rounding makes a difference the check above can see.
        const double unrounded =
            100.0 *
            std::pow(10.0, (divisor * std::log10((doseSum + 0.0005) / 3.0) - 90.0) / divisor);
        EXPECT_GT(std::fabs(unrounded - projected), 1e-12 * projected) << code;
    }
}

TEST(Recompute, OneHourAt94Decibels)
{
    CNolvexTest test;
    Fill(test, 36000, [](int) { return ConstantShortLeq(94.0f); });
    SelectionCut::RecalculateRunningMetrics(test);
    const int last = 35999;
    EXPECT_NEAR(At(test, kALeq, last), 94.0f, 1e-3);
    EXPECT_NEAR(At(test, kPascalSqHrs, last), 1.0f, 1e-4);
    EXPECT_NEAR(At(test, kTwa, last), 94.0f, 1e-3);
    EXPECT_NEAR(At(test, kProjDoseA, last), 100.0 * std::pow(10.0, 0.4), 0.01);
    EXPECT_NEAR(At(test, kProjDoseA, last), 251.19f, 0.01);
    EXPECT_NEAR(At(test, kDoseA, last), 31.40f, 0.01);
    // Half way: half the exposure and half the dose; the projection is the same.
    EXPECT_NEAR(At(test, kPascalSqHrs, 17999), 0.5f, 1e-4);
    EXPECT_NEAR(At(test, kDoseA, 17999), 15.70f, 0.01);
    EXPECT_NEAR(At(test, kProjDoseA, 0), 251.19f, 0.01);
    EXPECT_NEAR(At(test, kALeq, 0), 94.0f, 1e-3);
    EXPECT_NEAR(At(test, kDoseA, 0), 251.1886 * 0.1 / 3600.0 * 0.125, 1e-6);
}

TEST(Recompute, Constant85DecibelsGivesNoDose)
{
    CNolvexTest test;
    Fill(test, 3000, [](int) { return ConstantShortLeq(85.0f); });
    SelectionCut::RecalculateRunningMetrics(test);
    for (int i = 0; i < 3000; ++i) {
        ASSERT_NEAR(At(test, kTwa, i), 85.0f, 1e-3) << i;
        ASSERT_EQ(At(test, kProjDoseA, i), 0.0f) << i;
        ASSERT_EQ(At(test, kDoseA, i), 0.0f) << i;
        ASSERT_NEAR(At(test, kALeq, i), 85.0f, 1e-3) << i;
    }
}

TEST(Recompute, Constant70DecibelsStaysBelowTheThreshold)
{
    CNolvexTest test;
    Fill(test, 1000, [](int) { return ConstantShortLeq(70.0f); });
    SelectionCut::RecalculateRunningMetrics(test);
    EXPECT_NEAR(At(test, kTwa, 0), -33.01f, 0.01);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_FLOAT_EQ(At(test, kTwa, i), static_cast<float>(10.0 * std::log10(0.0005 / (i + 1))))
            << i;
        ASSERT_EQ(At(test, kProjDoseA, i), 0.0f) << i;
        ASSERT_EQ(At(test, kDoseA, i), 0.0f) << i;
        ASSERT_NEAR(At(test, kALeq, i), 70.0f, 1e-3) << i;
    }
    EXPECT_NEAR(At(test, kPascalSqHrs, 999), std::pow(10.0, -2.4) * 100.0 / 3600.0, 1e-9);
}

TEST(Recompute, EachLeqFromItsOwnPerSampleLevel)
{
    CNolvexTest test;
    Fill(test, 20, [](int i) {
        Sample sample{};
        sample[kAShortLeq] = 60.0f;
        sample[kCShortLeq] = i < 10 ? 70.0f : 80.0f;
        sample[kZShortLeq] = 90.0f;
        for (int b = 0; b < 9; ++b) {
            sample[static_cast<std::size_t>(kBandShortLeq + b)] = 40.0f + static_cast<float>(b);
            // Whatever the band Leq arrays held before does not count.
            sample[static_cast<std::size_t>(kBandLeq + b)] = 500.0f;
        }
        return sample;
    });
    SelectionCut::RecalculateRunningMetrics(test);
    EXPECT_NEAR(At(test, kALeq, 19), 60.0f, 1e-4);
    EXPECT_NEAR(At(test, kCLeq, 9), 70.0f, 1e-4);
    EXPECT_NEAR(At(test, kCLeq, 19), 10.0 * std::log10((1e7 + 1e8) / 2.0), 1e-4);
    EXPECT_NEAR(At(test, kZLeq, 19), 90.0f, 1e-4);
    for (int b = 0; b < 9; ++b) {
        EXPECT_NEAR(At(test, kBandLeq + b, 0), 40.0f + static_cast<float>(b), 1e-4) << b;
        EXPECT_NEAR(At(test, kBandLeq + b, 19), 40.0f + static_cast<float>(b), 1e-4) << b;
    }
}

TEST(Recompute, PeaksAreRunningMaximaFromZero)
{
    const float shortPeaks[] = {-5.0f, 3.0f, 7.5f, 5.0f, -2.0f, 9.0f, 1.0f};
    const float expected[] = {0.0f, 3.0f, 7.5f, 7.5f, 7.5f, 9.0f, 9.0f};
    CNolvexTest test;
    Fill(test, 7, [&](int i) {
        Sample sample{};
        sample[kAShortPeak] = shortPeaks[i];
        sample[kCShortPeak] = shortPeaks[i] + 1.0f;
        sample[kZShortPeak] = -1.0f;
        sample[kAPeak] = 200.0f;
        return sample;
    });
    SelectionCut::RecalculateRunningMetrics(test);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(At(test, kAPeak, i), expected[i]) << i;
        EXPECT_EQ(At(test, kCPeak, i), std::max(0.0f, expected[i] + (i == 0 ? 0.0f : 1.0f))) << i;
        EXPECT_EQ(At(test, kZPeak, i), 0.0f) << i;
    }
    // The short peaks themselves are left as they were.
    EXPECT_EQ(At(test, kAShortPeak, 0), -5.0f);
}

TEST(Recompute, PerSampleValuesAreLeftAlone)
{
    CNolvexTest test;
    Fill(test, 50, VariedSample);
    const auto before = Snapshot(test);
    SelectionCut::RecalculateRunningMetrics(test);
    for (int d = 0; d < MetricCatalogue::kMetricCount; ++d) {
        if (!IsRecomputed(d)) {
            EXPECT_EQ(Column(test, d), before[static_cast<std::size_t>(d)]) << "data type " << d;
        }
    }
}

TEST(Cut, RemovesTheSpanMovesTheRestAndAdjustsMarkers)
{
    CNolvexDoc document;
    CNolvexTest& test = AddTest(document);
    Fill(test, 100, VariedSample);
    for (int index : {5, 10, 15, 19, 20, 25, 100})
        test.AppendMarker(index, index + 1);
    const auto before = Snapshot(test);
    Select(test, 10, 19);

    ASSERT_TRUE(document.CutSelection(test));
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(test.sampleCount, 90);
    EXPECT_EQ(test.capacity, 300);
    EXPECT_EQ(test.selectionStart, 10);
    EXPECT_EQ(test.selectionEnd, 19);
    EXPECT_EQ(At(test, kAFast, 10), before[kAFast][20]);
    EXPECT_EQ(At(test, kAFast, 9), before[kAFast][9]);
    EXPECT_EQ(At(test, kAFast, 89), before[kAFast][99]);
    for (int d = 0; d < MetricCatalogue::kMetricCount; ++d) {
        if (IsRecomputed(d))
            continue;
        for (int j = 0; j < 90; ++j)
            ASSERT_EQ(At(test, d, j), before[static_cast<std::size_t>(d)][j < 10 ? j : j + 10])
                << "data type " << d << " sample " << j;
    }

    const std::pair<int, int> markers[] = {{5, 6}, {10, 21}, {15, 26}, {90, 101}};
    ASSERT_EQ(test.markerCount, 4);
    for (int m = 0; m < 4; ++m) {
        EXPECT_EQ(test.markers[static_cast<std::size_t>(m)].sampleIndex, markers[m].first) << m;
        EXPECT_EQ(test.markers[static_cast<std::size_t>(m)].code, markers[m].second) << m;
    }
}

TEST(Cut, RunningMetricsEqualAFreshRecomputation)
{
    CNolvexTest cut;
    Fill(cut, 100, VariedSample);
    SelectionCut::RecalculateRunningMetrics(cut);
    Select(cut, 10, 19);
    ASSERT_TRUE(SelectionCut::Cut(cut));

    // The same test as if samples 10 to 19 had never been recorded.
    CNolvexTest fresh;
    Fill(fresh, 90, [](int j) { return VariedSample(j < 10 ? j : j + 10); });
    SelectionCut::RecalculateRunningMetrics(fresh);
    ASSERT_EQ(cut.sampleCount, 90);
    for (int d = 0; d < MetricCatalogue::kMetricCount; ++d)
        EXPECT_EQ(Column(cut, d), Column(fresh, d)) << "data type " << d;
    // And they did change: the cut samples no longer count.
    CNolvexTest uncut;
    Fill(uncut, 100, VariedSample);
    SelectionCut::RecalculateRunningMetrics(uncut);
    EXPECT_NE(At(cut, kALeq, 89), At(uncut, kALeq, 99));
}

TEST(Cut, LoudSpanCutFromAnHourAt94Decibels)
{
    CNolvexTest test;
    Fill(test, 36600, [](int i) {
        Sample sample = ConstantShortLeq(i >= 1000 && i < 1600 ? 120.0f : 94.0f);
        sample[kAShortPeak] = i >= 1000 && i < 1600 ? 130.0f : 100.0f;
        return sample;
    });
    SelectionCut::RecalculateRunningMetrics(test);
    EXPECT_GT(At(test, kDoseA, 36599), 100.0f);
    Select(test, 1000, 1599);
    ASSERT_TRUE(SelectionCut::Cut(test));
    ASSERT_EQ(test.sampleCount, 36000);
    const int last = 35999;
    EXPECT_NEAR(At(test, kALeq, last), 94.0f, 1e-3);
    EXPECT_NEAR(At(test, kPascalSqHrs, last), 1.0f, 1e-4);
    EXPECT_NEAR(At(test, kTwa, last), 94.0f, 1e-3);
    EXPECT_NEAR(At(test, kProjDoseA, last), 251.19f, 0.01);
    EXPECT_NEAR(At(test, kDoseA, last), 31.40f, 0.01);
    EXPECT_EQ(At(test, kAPeak, last), 100.0f);
}

TEST(Cut, EverySampleLeavesAnEmptyTest)
{
    CNolvexDoc document;
    CNolvexTest& test = AddTest(document);
    test.name = CString("t");
    Fill(test, 100, VariedSample);
    test.AppendMarker(0, 1);
    test.AppendMarker(50, 2);
    test.AppendMarker(100, 3);
    Select(test, 0, 99);
    ASSERT_TRUE(document.CutSelection(test));
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(test.sampleCount, 0);
    EXPECT_EQ(test.capacity, 300);
    ASSERT_EQ(test.markerCount, 1);
    EXPECT_EQ(test.markers[0].sampleIndex, 0);
    EXPECT_EQ(test.markers[0].code, 3);

    // Written as a header, the marker and the end.
    FileBytes expected;
    expected.Test(0.0, u"t", u"", 0).Marker(3).End();
    EXPECT_EQ(WriteDocument(document), expected.bytes);
}

TEST(Cut, SingleSampleSelectionCutsNothing)
{
    CNolvexDoc document;
    CNolvexTest& test = AddTest(document);
    Fill(test, 30, VariedSample);
    test.AppendMarker(7, 1);
    const auto before = Snapshot(test);
    for (int at : {0, 7, 29}) {
        Select(test, at, at);
        EXPECT_FALSE(document.CutSelection(test)) << at;
        EXPECT_FALSE(document.IsModified()) << at;
        EXPECT_EQ(test.sampleCount, 30);
        EXPECT_EQ(test.markerCount, 1);
        EXPECT_EQ(Snapshot(test), before);
    }
}

TEST(Cut, SameSelectionAgainCutsTheSameRangeOfWhatIsLeft)
{
    CNolvexTest test;
    Fill(test, 100, VariedSample);
    const auto before = Snapshot(test);
    Select(test, 10, 19);
    ASSERT_TRUE(SelectionCut::Cut(test));
    ASSERT_TRUE(SelectionCut::Cut(test));
    EXPECT_EQ(test.sampleCount, 80);
    EXPECT_EQ(At(test, kAFast, 10), before[kAFast][30]);
    EXPECT_EQ(At(test, kAFast, 79), before[kAFast][99]);
}

TEST(Cut, SelectionPastTheLastSampleIsCutUpToIt)
{
    // A selection kept from before an earlier cut may reach past the end.
    CNolvexDoc document;
    CNolvexTest& test = AddTest(document);
    Fill(test, 100, VariedSample);
    test.AppendMarker(89, 1);
    test.AppendMarker(95, 2);
    test.AppendMarker(100, 3);
    const auto before = Snapshot(test);
    Select(test, 90, 150);
    ASSERT_TRUE(document.CutSelection(test));
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(test.sampleCount, 90);
    EXPECT_EQ(At(test, kAFast, 89), before[kAFast][89]);
    ASSERT_EQ(test.markerCount, 2);
    EXPECT_EQ(test.markers[0].sampleIndex, 89);
    EXPECT_EQ(test.markers[1].sampleIndex, 90);
    EXPECT_EQ(test.markers[1].code, 3);
    EXPECT_EQ(test.selectionEnd, 150);
}

TEST(Cut, SelectionStartingPastTheEndReversedOrNegativeCutsNothing)
{
    CNolvexDoc document;
    CNolvexTest& test = AddTest(document);
    Fill(test, 100, VariedSample);
    test.AppendMarker(50, 1);
    const auto before = Snapshot(test);
    const std::pair<int, int> selections[] = {{100, 120}, {150, 160}, {20, 10},
                                              {-5, 10},   {-5, -1},   {99, 0}};
    for (const auto& [start, end] : selections) {
        Select(test, start, end);
        EXPECT_FALSE(document.CutSelection(test)) << start << ".." << end;
        EXPECT_FALSE(document.IsModified()) << start << ".." << end;
        EXPECT_EQ(test.sampleCount, 100);
        EXPECT_EQ(test.markerCount, 1);
        EXPECT_EQ(Snapshot(test), before) << start << ".." << end;
    }
    CNolvexTest empty;
    Select(empty, 0, 5);
    EXPECT_FALSE(SelectionCut::Cut(empty));
}

TEST(Cut, CuttingTheTailLeavesEarlierRunningValuesUnchanged)
{
    // The band Leq values are fed from each band's "Short Leq", so a test
    // whose running values were computed here keeps them all for the samples
    // before a cut at its end.
    CNolvexTest test;
    Fill(test, 100, VariedSample);
    SelectionCut::RecalculateRunningMetrics(test);
    auto before = Snapshot(test);
    Select(test, 90, 99);
    ASSERT_TRUE(SelectionCut::Cut(test));
    ASSERT_EQ(test.sampleCount, 90);
    for (auto& column : before)
        column.resize(90);
    EXPECT_EQ(Snapshot(test), before);
}
