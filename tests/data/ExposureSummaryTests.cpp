// The exposure summary of a test or a span of it, on tests whose figures
// are worked out by hand.

#include "MeasurementBytes.h"

#include "ExposureSummary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <vector>

using namespace testing_bytes;

namespace {

constexpr int kAFast = 0;
constexpr int kAImpulse = 1;
constexpr int kAShortLeq = 4;
constexpr int kAShortPeak = 5;
constexpr int kASlow = 6;
constexpr int kCShortLeq = 11;
constexpr int kCShortPeak = 12;
constexpr int kZShortLeq = 18;
constexpr int kZShortPeak = 19;
constexpr int kBandShortLeq = 52;

constexpr int kOshaPel = 0;
constexpr int kOshaHc = 1;
constexpr int kNiosh = 2;
constexpr int kIso = 3;

constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
constexpr int kSamplesPerHour = 36000;

// Fills the test with count samples, the value of each data type at each
// sample given by the function.
void FillLevels(CNolvexTest& test, int count, const std::function<float(int, int)>& levelAt)
{
    test.ReserveSamples(test.sampleCount + count);
    Fill(test, count, [&](int i) {
        Sample sample{};
        for (int d = 0; d < MetricCatalogue::kMetricCount; ++d)
            sample[static_cast<std::size_t>(d)] = levelAt(d, i);
        return sample;
    });
}

void FillConstant(CNolvexTest& test, int count, float level)
{
    FillLevels(test, count, [level](int, int) { return level; });
}

// The dose one 0.1 s sample adds, in percent, at a level under a profile.
double DoseOfOneSample(double level, double criterion, double exchangeRate)
{
    return 100.0 * 0.1 / 28800.0 * std::pow(2.0, (level - criterion) / exchangeRate);
}

// Expects a figure to have a value near the one given.
void ExpectNear(const std::optional<double>& figure, double expected, double tolerance,
                const char* name)
{
    ASSERT_TRUE(figure.has_value()) << name;
    EXPECT_NEAR(*figure, expected, tolerance) << name;
}

// Every figure that depends on values, with its name, for checks of all.
std::vector<std::pair<std::string, std::optional<double>>> AllFigures(const ExposureSummary& s)
{
    std::vector<std::pair<std::string, std::optional<double>>> figures = {
        {"LAeq", s.laeq},
        {"LCeq", s.lceq},
        {"LZeq", s.lzeq},
        {"LAFmax", s.lafMax},
        {"LAFmin", s.lafMin},
        {"LASmax", s.lasMax},
        {"LASmin", s.lasMin},
        {"LAImax", s.laiMax},
        {"LApeak", s.laPeak},
        {"LCpeak", s.lcPeak},
        {"LZpeak", s.lzPeak},
        {"LAE", s.lae},
        {"EA", s.exposurePaSquaredHours},
        {"LEX,8h", s.lex8h},
    };
    for (int p = 0; p < kExceedanceCount; ++p)
        figures.emplace_back("LAF" + std::to_string(kExceedancePercents[p]), s.lafExceeded[p]);
    for (int band = 0; band < MetricCatalogue::kBandCount; ++band)
        figures.emplace_back("band " + std::to_string(band), s.bandLeq[band]);
    for (int p = 0; p < kDoseProfileCount; ++p) {
        figures.emplace_back(std::string(kDoseProfiles[p].name) + " dose",
                             s.profiles[p].dosePercent);
        figures.emplace_back(std::string(kDoseProfiles[p].name) + " TWA", s.profiles[p].twa);
        figures.emplace_back(std::string(kDoseProfiles[p].name) + " projected",
                             s.profiles[p].projectedDosePercent);
    }
    return figures;
}

void ExpectAllEmpty(const ExposureSummary& summary)
{
    for (const auto& [name, figure] : AllFigures(summary))
        EXPECT_FALSE(figure.has_value()) << name;
}

} // namespace

TEST(ExposureLevels, OneHourAt94DecibelsIsOnePascalSquaredHour)
{
    CNolvexTest test;
    FillConstant(test, kSamplesPerHour, 94.0f);
    const ExposureSummary summary = SummarizeExposure(test);
    EXPECT_EQ(summary.samples, kSamplesPerHour);
    EXPECT_EQ(summary.nanSamples, 0);
    EXPECT_DOUBLE_EQ(summary.durationSeconds, 3600.0);
    EXPECT_DOUBLE_EQ(summary.startSeconds, 0.0);
    EXPECT_DOUBLE_EQ(summary.endSeconds, 3600.0);
    ExpectNear(summary.laeq, 94.0, 1e-9, "LAeq");
    // 10 log10(3600) = 35.563; 10 log10(3600 / 28800) = -9.031.
    ExpectNear(summary.lae, 94.0 + 35.563025, 1e-6, "LAE");
    ExpectNear(summary.lex8h, 94.0 - 9.030900, 1e-6, "LEX,8h");
    ExpectNear(summary.exposurePaSquaredHours, 1.0, 1e-9, "EA");
}

TEST(ExposureLevels, EquivalentLevelIsTheMeanOfEnergiesNotOfDecibels)
{
    // Half the time at 60 dB and half at 80: the energy mean is
    // 10 log10((10^6 + 10^8) / 2) = 77.03 dB, nowhere near the 70 dB of
    // the decibels' mean.
    CNolvexTest test;
    FillLevels(test, 1000, [](int dataType, int i) {
        return dataType == kAShortLeq ? (i % 2 == 0 ? 60.0f : 80.0f) : 50.0f;
    });
    const ExposureSummary summary = SummarizeExposure(test);
    ExpectNear(summary.laeq, 10.0 * std::log10((1e6 + 1e8) / 2.0), 1e-9, "LAeq");
    ExpectNear(summary.laeq, 77.0329, 1e-4, "LAeq");
    ExpectNear(summary.lceq, 50.0, 1e-9, "LCeq");
    // EA over 100 s: the mean of 10^((60 - 94) / 10) and 10^((80 - 94) /
    // 10), times 100 s / 3600 s.
    ExpectNear(summary.exposurePaSquaredHours,
               (std::pow(10.0, -3.4) + std::pow(10.0, -1.4)) / 2.0 / 36.0, 1e-12, "EA");
}

TEST(ExposureLevels, EnergiesAreExactOverTheWholeRangeOfLevels)
{
    // Levels from far below hearing to beyond any meter, each summed as
    // 10^(L/10) to fourteen digits: each constant level comes back as
    // itself, and a mixture gives what the definition's std::pow gives.
    for (float level : {-120.0f, -3.3f, 0.0f, 0.05f, 17.5f, 94.0f, 139.99f, 194.0f, 300.0f}) {
        CNolvexTest test;
        FillConstant(test, 40, level);
        const ExposureSummary summary = SummarizeExposure(test);
        ExpectNear(summary.laeq, level, 1e-10, "constant");
        ExpectNear(summary.bandLeq[4], level, 1e-10, "band");
    }
    std::mt19937 random(11);
    std::uniform_real_distribution<float> levels(20.0f, 140.0f);
    std::vector<float> drawn(997);
    for (float& level : drawn)
        level = levels(random);
    CNolvexTest test;
    FillLevels(test, static_cast<int>(drawn.size()), [&](int, int i) { return drawn[i]; });
    double energySum = 0.0;
    for (float level : drawn)
        energySum += std::pow(10.0, level / 10.0);
    const ExposureSummary summary = SummarizeExposure(test);
    ExpectNear(summary.lzeq, 10.0 * std::log10(energySum / drawn.size()), 1e-11, "mixture");
}

TEST(ExposureLevels, EachFigureReadsItsOwnMetric)
{
    // Every data type its own values, rising with the sample, so that a
    // figure taken from the wrong metric, or a highest taken for a lowest,
    // shows.
    CNolvexTest test;
    FillLevels(test, 20, [](int dataType, int i) { return 10.0f + dataType + 0.25f * i; });
    const ExposureSummary summary = SummarizeExposure(test);
    auto lastOf = [](int dataType) { return 10.0 + dataType + 0.25 * 19; };
    ExpectNear(summary.lafMax, lastOf(kAFast), 0.0, "LAFmax");
    ExpectNear(summary.lafMin, 10.0 + kAFast, 0.0, "LAFmin");
    ExpectNear(summary.lasMax, lastOf(kASlow), 0.0, "LASmax");
    ExpectNear(summary.lasMin, 10.0 + kASlow, 0.0, "LASmin");
    ExpectNear(summary.laiMax, lastOf(kAImpulse), 0.0, "LAImax");
    ExpectNear(summary.laPeak, lastOf(kAShortPeak), 0.0, "LApeak");
    ExpectNear(summary.lcPeak, lastOf(kCShortPeak), 0.0, "LCpeak");
    ExpectNear(summary.lzPeak, lastOf(kZShortPeak), 0.0, "LZpeak");
    ExpectNear(summary.lafExceeded[0], lastOf(kAFast), 0.0, "LAF1");

    // Each equivalent level lies within its metric's values, above their
    // middle as energy means do.
    auto expectWithin = [&](const std::optional<double>& level, int dataType, const char* name) {
        ASSERT_TRUE(level.has_value()) << name;
        EXPECT_GT(*level, 10.0 + dataType + 0.25 * 9.5) << name;
        EXPECT_LT(*level, lastOf(dataType)) << name;
    };
    expectWithin(summary.laeq, kAShortLeq, "LAeq");
    expectWithin(summary.lceq, kCShortLeq, "LCeq");
    expectWithin(summary.lzeq, kZShortLeq, "LZeq");
    for (int band = 0; band < MetricCatalogue::kBandCount; ++band)
        expectWithin(summary.bandLeq[band], kBandShortLeq + band, "band");
}

TEST(ExposureLevels, HighestAndLowestWhereverTheyLie)
{
    // A rise and a dip at every pair of places in a short test.
    for (int rise = 0; rise < 21; ++rise) {
        const int dip = (rise * 7 + 3) % 21;
        if (dip == rise)
            continue;
        CNolvexTest test;
        FillLevels(test, 21, [&](int, int i) {
            return i == rise ? 95.0f : i == dip ? 41.0f : 70.0f;
        });
        const ExposureSummary summary = SummarizeExposure(test);
        SCOPED_TRACE(rise);
        ExpectNear(summary.lafMax, 95.0, 0.0, "LAFmax");
        ExpectNear(summary.lafMin, 41.0, 0.0, "LAFmin");
        ExpectNear(summary.lasMax, 95.0, 0.0, "LASmax");
        ExpectNear(summary.lasMin, 41.0, 0.0, "LASmin");
        ExpectNear(summary.lcPeak, 95.0, 0.0, "LCpeak");
    }
}

TEST(ExposureLevels, BandNamesComeFromTheCatalogue)
{
    const auto names = OctaveBandNames();
    EXPECT_EQ(names[0], "8kHz");
    EXPECT_EQ(names[3], "1kHz");
    EXPECT_EQ(names[4], "500Hz");
    EXPECT_EQ(names[8], "31Hz");
    for (int band = 0; band < MetricCatalogue::kBandCount; ++band)
        EXPECT_EQ(MetricCatalogue::FindByName(CString::FromUtf8("Short Leq " + names[band])),
                  kBandShortLeq + band);
}

TEST(NoiseDose, EightHoursAt90DecibelsIsTheFullOshaDose)
{
    CNolvexTest test;
    FillConstant(test, 8 * kSamplesPerHour, 90.0f);
    const ExposureSummary summary = SummarizeExposure(test);
    for (int p : {kOshaPel, kOshaHc}) {
        const ProfileDose& dose = summary.profiles[p];
        ExpectNear(dose.dosePercent, 100.0, 1e-9, kDoseProfiles[p].name);
        ExpectNear(dose.twa, 90.0, 1e-9, kDoseProfiles[p].name);
        ExpectNear(dose.projectedDosePercent, 100.0, 1e-9, kDoseProfiles[p].name);
    }
    // 5 dB over the 85 dB criterion at 3 dB per doubling: 100 x 2^(5/3) %,
    // the same over A short leq, and the TWA is still the level itself.
    for (int p : {kNiosh, kIso}) {
        const ProfileDose& dose = summary.profiles[p];
        ExpectNear(dose.dosePercent, 317.48, 0.005, kDoseProfiles[p].name);
        ExpectNear(dose.dosePercent, 100.0 * std::pow(2.0, 5.0 / 3.0), 1e-7, kDoseProfiles[p].name);
        ExpectNear(dose.twa, 90.0, 1e-9, kDoseProfiles[p].name);
    }
    ExpectNear(summary.lex8h, 90.0, 1e-9, "LEX,8h");
}

TEST(NoiseDose, FourHoursAt85Decibels)
{
    CNolvexTest test;
    FillConstant(test, 4 * kSamplesPerHour, 85.0f);
    const ExposureSummary summary = SummarizeExposure(test);
    // Half the day at 5 dB under the criterion: 100 x 0.5 x 2^(-1) = 25 %.
    const ProfileDose& hearingConservation = summary.profiles[kOshaHc];
    ExpectNear(hearingConservation.dosePercent, 25.0, 1e-9, "HC dose");
    ExpectNear(hearingConservation.projectedDosePercent, 50.0, 1e-9, "HC projected");
    ExpectNear(hearingConservation.twa, 90.0 + 5.0 / std::log10(2.0) * std::log10(0.25), 1e-9,
               "HC TWA");
    ExpectNear(hearingConservation.twa, 80.0, 1e-9, "HC TWA");
    // Below the PEL's 90 dB threshold nothing counts: a dose of 0, no TWA.
    const ProfileDose& permissible = summary.profiles[kOshaPel];
    ExpectNear(permissible.dosePercent, 0.0, 0.0, "PEL dose");
    EXPECT_FALSE(permissible.twa.has_value());
    ExpectNear(permissible.projectedDosePercent, 0.0, 0.0, "PEL projected");
    // At the 85 dB criterion for half the day: 50 %, TWA 3 dB under it.
    for (int p : {kNiosh, kIso}) {
        ExpectNear(summary.profiles[p].dosePercent, 50.0, 1e-9, kDoseProfiles[p].name);
        ExpectNear(summary.profiles[p].projectedDosePercent, 100.0, 1e-9, kDoseProfiles[p].name);
        ExpectNear(summary.profiles[p].twa, 82.0, 1e-9, kDoseProfiles[p].name);
    }
}

TEST(NoiseDose, OnlyLevelsAtOrAboveTheThresholdCount)
{
    // One sample per level, each summarised alone. As floats 79.99 and
    // 89.99 lie a little under 79.99 and 89.99 (79.98999786...), still
    // under the thresholds; 80 and 90 are exact.
    const float slowLevels[] = {79.99f, 80.0f, 89.99f, 90.0f};
    CNolvexTest test;
    FillLevels(test, 4,
               [&](int dataType, int i) { return dataType == kASlow ? slowLevels[i] : 40.0f; });
    auto doseOf = [&](int sample, int profile) {
        return SummarizeExposure(test, sample, sample).profiles[profile].dosePercent.value();
    };
    EXPECT_EQ(doseOf(0, kOshaHc), 0.0);
    EXPECT_EQ(doseOf(0, kNiosh), 0.0);
    EXPECT_NEAR(doseOf(1, kOshaHc), DoseOfOneSample(80.0, 90.0, 5.0), 1e-15);
    EXPECT_NEAR(doseOf(1, kNiosh), DoseOfOneSample(80.0, 85.0, 3.0), 1e-15);
    EXPECT_EQ(doseOf(1, kOshaPel), 0.0);
    EXPECT_EQ(doseOf(2, kOshaPel), 0.0);
    EXPECT_NEAR(doseOf(2, kOshaHc), DoseOfOneSample(89.99f, 90.0, 5.0), 1e-15);
    EXPECT_NEAR(doseOf(3, kOshaPel), DoseOfOneSample(90.0, 90.0, 5.0), 1e-15);
    EXPECT_FALSE(SummarizeExposure(test, 0, 0).profiles[kOshaHc].twa.has_value());

    // ISO / EU has no threshold: 40 dB of A short leq counts, 2^(-15) of a
    // sample at the criterion, and has a TWA.
    const ProfileDose iso = SummarizeExposure(test, 0, 0).profiles[kIso];
    ExpectNear(iso.dosePercent, DoseOfOneSample(40.0, 85.0, 3.0), 1e-20, "ISO");
    ExpectNear(iso.twa, 85.0 + 3.0 / std::log10(2.0) * std::log10(iso.dosePercent.value() / 100.0),
               1e-9, "ISO TWA");
    // The four samples together: each counts where it did alone.
    ExpectNear(SummarizeExposure(test).profiles[kOshaHc].dosePercent,
               DoseOfOneSample(80.0, 90.0, 5.0) + DoseOfOneSample(89.99f, 90.0, 5.0) +
                   DoseOfOneSample(90.0, 90.0, 5.0),
               1e-15, "HC of all");
}

// The A fast levels of a test of those values, summarised.
std::array<std::optional<double>, kExceedanceCount> ExceedanceOf(const std::vector<float>& fast)
{
    CNolvexTest test;
    FillLevels(test, static_cast<int>(fast.size()),
               [&](int dataType, int i) { return dataType == kAFast ? fast[i] : 70.0f; });
    return SummarizeExposure(test).lafExceeded;
}

// LAF1, LAF5, LAF10, LAF50, LAF90, LAF95 and LAF99 as they should be.
void ExpectExceedance(const std::vector<float>& fast, const std::array<double, 7>& expected)
{
    const auto exceeded = ExceedanceOf(fast);
    for (int p = 0; p < kExceedanceCount; ++p) {
        ASSERT_TRUE(exceeded[p].has_value()) << "LAF" << kExceedancePercents[p];
        EXPECT_EQ(*exceeded[p], expected[p]) << "LAF" << kExceedancePercents[p];
    }
}

TEST(ExceedanceLevels, TenDistinctValues)
{
    // From the highest: v = 59, 58, ..., 50. LN = v[ceil(N x 10 / 100) - 1]:
    // LAF1, LAF5 and LAF10 are v[0], LAF50 v[4], LAF90 v[8], LAF95 and
    // LAF99 v[9].
    ExpectExceedance({53, 50, 58, 51, 59, 55, 52, 57, 54, 56}, {59, 59, 59, 55, 51, 50, 50});
}

TEST(ExceedanceLevels, ElevenDistinctValues)
{
    // From the highest: v = 60, 59, ..., 50. LAF10 is v[ceil(1.1) - 1] =
    // v[1], LAF50 v[5], LAF90 v[9], LAF95 v[10].
    ExpectExceedance({55, 60, 50, 57, 52, 59, 51, 58, 53, 56, 54}, {60, 60, 59, 55, 51, 50, 50});
}

TEST(ExceedanceLevels, SixtyValuesWhereARoundedProductWouldBeOneOff)
{
    // 95 x 60 / 100 is 57 exactly, so LAF95 is v[56]; 95 x 0.01 x 60 in
    // floating point is a little over 57 and would give v[57].
    std::vector<float> fast;
    for (int i = 0; i < 60; ++i)
        fast.push_back(static_cast<float>((i * 37) % 60)); // 0 to 59, each once
    // v[k] = 59 - k.
    ExpectExceedance(fast, {59, 57, 54, 30, 6, 3, 0});
}

TEST(ExceedanceLevels, TiesAndOneValue)
{
    ExpectExceedance({70, 60, 70, 70}, {70, 70, 70, 70, 60, 60, 60});
    ExpectExceedance({42.5f}, {42.5, 42.5, 42.5, 42.5, 42.5, 42.5, 42.5});
}

TEST(ExceedanceLevels, AgreeWithTheDefinitionOnASortedCopy)
{
    // Many values with ties, in an order of chance: the selection gives
    // what indexing a copy sorted from the highest gives, for every N.
    std::mt19937 random(5);
    std::uniform_int_distribution<int> tenths(600, 1000);
    for (int count : {7, 100, 1001, 4999}) {
        std::vector<float> fast(static_cast<std::size_t>(count));
        for (float& level : fast)
            level = tenths(random) / 10.0f;
        std::vector<float> sorted = fast;
        std::sort(sorted.begin(), sorted.end(), std::greater<float>());
        std::array<double, 7> expected{};
        for (int p = 0; p < kExceedanceCount; ++p) {
            const int rank = static_cast<int>(std::ceil(kExceedancePercents[p] * count / 100.0));
            expected[p] = sorted[std::max(rank - 1, 0)];
        }
        SCOPED_TRACE(count);
        ExpectExceedance(fast, expected);
    }
}

TEST(MissingValues, NanIsLeftOutOfEveryFigureAndCounted)
{
    // Samples 0 to 9: A fast NaN at 2, A short leq NaN at 2 and 5, band 3
    // NaN at 7, A slow NaN at 9; everything else 80, or 90 for A short leq
    // and A fast at sample 0.
    CNolvexTest test;
    FillLevels(test, 10, [](int dataType, int i) {
        if ((dataType == kAFast && i == 2) || (dataType == kAShortLeq && (i == 2 || i == 5)) ||
            (dataType == kBandShortLeq + 3 && i == 7) || (dataType == kASlow && i == 9))
            return kNan;
        if ((dataType == kAFast || dataType == kAShortLeq) && i == 0)
            return 90.0f;
        return 80.0f;
    });
    const ExposureSummary summary = SummarizeExposure(test);
    EXPECT_EQ(summary.samples, 10);
    EXPECT_EQ(summary.nanSamples, 4); // samples 2, 5, 7 and 9
    EXPECT_DOUBLE_EQ(summary.durationSeconds, 1.0);
    // Eight values of A short leq: one at 90, seven at 80.
    ExpectNear(summary.laeq, 10.0 * std::log10((1e9 + 7e8) / 8.0), 1e-9, "LAeq");
    // LAE and LEX,8h take the whole second.
    ExpectNear(summary.lae, 10.0 * std::log10((1e9 + 7e8) / 8.0), 1e-9, "LAE");
    ExpectNear(summary.lafMax, 90.0, 0.0, "LAFmax");
    ExpectNear(summary.lafMin, 80.0, 0.0, "LAFmin");
    // Nine values of A fast: LAF10 is v[ceil(0.9) - 1] = v[0], LAF50 v[4].
    ExpectNear(summary.lafExceeded[2], 90.0, 0.0, "LAF10");
    ExpectNear(summary.lafExceeded[3], 80.0, 0.0, "LAF50");
    ExpectNear(summary.bandLeq[3], 80.0, 1e-9, "band 3");
    ExpectNear(summary.lasMax, 80.0, 0.0, "LASmax");
    // Nine A slow values at 80 under OSHA HC; the projection takes the
    // 0.9 s those nine stand for.
    const double hcDose = 9 * DoseOfOneSample(80.0, 90.0, 5.0);
    ExpectNear(summary.profiles[kOshaHc].dosePercent, hcDose, 1e-15, "HC dose");
    ExpectNear(summary.profiles[kOshaHc].projectedDosePercent, hcDose * 28800.0 / 0.9, 1e-9,
               "HC projected");
}

TEST(MissingValues, OnlyNanGivesEmptyFigures)
{
    CNolvexTest test;
    FillConstant(test, 25, kNan);
    const ExposureSummary summary = SummarizeExposure(test);
    EXPECT_EQ(summary.samples, 25);
    EXPECT_EQ(summary.nanSamples, 25);
    EXPECT_DOUBLE_EQ(summary.durationSeconds, 2.5);
    ExpectAllEmpty(summary);

    // A metric the summary does not use may be NaN without a sample
    // counting as one with NaN.
    CNolvexTest other;
    FillLevels(other, 5,
               [](int dataType, int) { return dataType == MetricCatalogue::kTwa ? kNan : 70.0f; });
    EXPECT_EQ(SummarizeExposure(other).nanSamples, 0);
}

TEST(Ranges, ASpanIgnoresTheSamplesAroundIt)
{
    // Samples 0 to 99: 10 dB everywhere, but 120 dB just before the span
    // (sample 19) and just after it (sample 31), and in the span 20..30
    // levels rising from 70 (at 20) to 80 (at 30).
    CNolvexTest test;
    FillLevels(test, 100, [](int, int i) {
        if (i == 19 || i == 31)
            return 120.0f;
        if (i >= 20 && i <= 30)
            return 70.0f + (i - 20);
        return 10.0f;
    });
    const ExposureSummary summary = SummarizeExposure(test, 20, 30);
    EXPECT_EQ(summary.firstSample, 20);
    EXPECT_EQ(summary.samples, 11);
    EXPECT_DOUBLE_EQ(summary.startSeconds, 2.0);
    EXPECT_DOUBLE_EQ(summary.endSeconds, 3.1);
    EXPECT_DOUBLE_EQ(summary.durationSeconds, 1.1);
    ExpectNear(summary.lafMax, 80.0, 0.0, "LAFmax");
    ExpectNear(summary.lafMin, 70.0, 0.0, "LAFmin");
    ExpectNear(summary.lzPeak, 80.0, 0.0, "LZpeak");
    double energySum = 0.0;
    for (int level = 70; level <= 80; ++level)
        energySum += std::pow(10.0, level / 10.0);
    ExpectNear(summary.laeq, 10.0 * std::log10(energySum / 11.0), 1e-9, "LAeq");
    ExpectNear(summary.lae, 10.0 * std::log10(energySum / 11.0 * 1.1), 1e-9, "LAE");
    // Only the 80 dB of sample 30 reaches the HC threshold.
    ExpectNear(summary.profiles[kOshaHc].dosePercent, DoseOfOneSample(80.0, 90.0, 5.0), 1e-15,
               "HC dose");
}

TEST(Ranges, OneSampleIsATenthOfASecond)
{
    CNolvexTest test;
    FillLevels(test, 5, [](int, int i) { return 60.0f + i; });
    const ExposureSummary summary = SummarizeExposure(test, 3, 3);
    EXPECT_EQ(summary.samples, 1);
    EXPECT_DOUBLE_EQ(summary.startSeconds, 0.3);
    EXPECT_DOUBLE_EQ(summary.endSeconds, 0.4);
    EXPECT_DOUBLE_EQ(summary.durationSeconds, 0.1);
    ExpectNear(summary.laeq, 63.0, 1e-9, "LAeq");
    ExpectNear(summary.lae, 53.0, 1e-9, "LAE"); // 10 log10(0.1) = -10
    for (int p = 0; p < kExceedanceCount; ++p)
        ExpectNear(summary.lafExceeded[p], 63.0, 0.0, "LAFN");
    ExpectNear(summary.lafMin, 63.0, 0.0, "LAFmin");
}

TEST(Ranges, AnEmptyRangeOrTestGivesEmptyFigures)
{
    CNolvexTest test;
    FillConstant(test, 50, 85.0f);
    const ExposureSummary reversed = SummarizeExposure(test, 10, 9);
    EXPECT_EQ(reversed.samples, 0);
    EXPECT_EQ(reversed.nanSamples, 0);
    EXPECT_DOUBLE_EQ(reversed.durationSeconds, 0.0);
    EXPECT_DOUBLE_EQ(reversed.startSeconds, 1.0);
    EXPECT_DOUBLE_EQ(reversed.endSeconds, 1.0);
    ExpectAllEmpty(reversed);

    const CNolvexTest empty;
    const ExposureSummary none = SummarizeExposure(empty);
    EXPECT_EQ(none.samples, 0);
    EXPECT_DOUBLE_EQ(none.endSeconds, 0.0);
    ExpectAllEmpty(none);
}

TEST(Ranges, ARangeBeyondTheTestIsCutToIt)
{
    CNolvexTest test;
    FillLevels(test, 50, [](int, int i) { return 40.0f + i; });
    const ExposureSummary whole = SummarizeExposure(test, -5, 1000);
    EXPECT_EQ(whole.firstSample, 0);
    EXPECT_EQ(whole.samples, 50);
    EXPECT_DOUBLE_EQ(whole.endSeconds, 5.0);
    ExpectNear(whole.lafMax, 89.0, 0.0, "LAFmax");
    ExpectNear(whole.lafMin, 40.0, 0.0, "LAFmin");
    EXPECT_EQ(whole.laeq, SummarizeExposure(test).laeq);

    const ExposureSummary tail = SummarizeExposure(test, 45, 60);
    EXPECT_EQ(tail.samples, 5);
    ExpectNear(tail.lafMin, 85.0, 0.0, "LAFmin");

    const ExposureSummary after = SummarizeExposure(test, 70, 80);
    EXPECT_EQ(after.samples, 0);
    EXPECT_EQ(after.firstSample, 50);
    ExpectAllEmpty(after);
}

TEST(SummaryRows, ShowEveryFigureWithItsUnit)
{
    CNolvexTest test;
    FillConstant(test, kSamplesPerHour + 9999, 94.0f);
    const ExposureSummary summary = SummarizeExposure(test);
    const std::vector<ExposureSummaryRow> rows = BuildExposureSummaryRows(summary);
    // Six of the range, eleven levels, three of exposure, seven exceedance
    // levels, nine bands and three for each of the four profiles.
    ASSERT_EQ(rows.size(), 6u + 11u + 3u + 7u + 9u + 12u);
    auto find = [&](const std::string& section, const std::string& figure, int nth = 0) {
        for (const ExposureSummaryRow& row : rows) {
            if (row.section == section && row.figure == figure && nth-- == 0)
                return row;
        }
        ADD_FAILURE() << section << " " << figure;
        return ExposureSummaryRow{};
    };
    EXPECT_EQ(find("Range", "Samples").value, "45999");
    EXPECT_EQ(find("Range", "Samples").unit, "");
    EXPECT_EQ(find("Range", "Duration T").value, "4599.90");
    EXPECT_EQ(find("Range", "Duration T").unit, "s");
    EXPECT_EQ(find("Range", "Duration T", 1).value, "1:16:39.9");
    EXPECT_EQ(find("Range", "Duration T", 1).unit, "h:mm:ss.s");
    EXPECT_EQ(find("Levels", "LAeq").value, "94.00");
    EXPECT_EQ(find("Levels", "LAeq").unit, "dB");
    EXPECT_EQ(find("Exposure", "EA").value, "1.28"); // 4599.9 s / 3600 s
    EXPECT_EQ(find("Exposure", "EA").unit, "Pa\u00b2h");
    EXPECT_EQ(find("Exceedance levels", "LAF90").value, "94.00");
    EXPECT_EQ(find("Octave bands", "Leq 31Hz").value, "94.00");
    EXPECT_EQ(find("OSHA PEL", "Dose").unit, "%");
    EXPECT_EQ(find("NIOSH / ACGIH", "TWA").unit, "dB");
    EXPECT_EQ(find("ISO / EU", "Projected dose").unit, "%");
    for (const ExposureSummaryRow& row : rows)
        EXPECT_NE(row.value, "-") << row.section << " " << row.figure;
}

TEST(SummaryRows, EmptyFiguresShowAsADash)
{
    CNolvexTest test;
    FillConstant(test, 3, kNan);
    const std::vector<ExposureSummaryRow> rows = BuildExposureSummaryRows(SummarizeExposure(test));
    int dashes = 0;
    for (const ExposureSummaryRow& row : rows) {
        if (row.section == "Range")
            EXPECT_NE(row.value, "-") << row.figure;
        else
            dashes += row.value == "-";
    }
    EXPECT_EQ(dashes, 11 + 3 + 7 + 9 + 12);
    EXPECT_EQ(rows[5].value, "0:00:00.3");

    ExposureSummary day;
    day.samples = 24 * kSamplesPerHour;
    EXPECT_EQ(BuildExposureSummaryRows(day)[5].value, "24:00:00.0");
}
