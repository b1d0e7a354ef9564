#pragma once

#include "MetricCatalogue.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CNolvexTest;

// The exposure summary of a test or of a span of it: levels, peaks,
// exceedance levels, the octave-band spectrum and the noise dose under the
// usual regulations, all from the per-sample values (each sample stands for
// 0.1 s), in double precision.

// A regulation's way of counting noise dose. Every sample whose level is at
// or above the threshold adds (0.1 s / 8 h) x 2^((L - criterion) / exchange
// rate) to the dose; without a threshold every sample counts.
struct DoseProfile
{
    const char* name;
    double criterionLevel;                // Lc, dB: the level that gives 100 % in 8 hours
    std::optional<double> thresholdLevel; // Lt, dB
    double exchangeRate;                  // q, dB per doubling of the dose
    int levelDataType;                    // the level each sample is counted at
};

inline constexpr int kDoseProfileCount = 4;
inline constexpr std::array<DoseProfile, kDoseProfileCount> kDoseProfiles = {{
    {"OSHA PEL", 90.0, 90.0, 5.0, MetricCatalogue::kWeightingA + MetricCatalogue::Slow},
    {"OSHA HC", 90.0, 80.0, 5.0, MetricCatalogue::kWeightingA + MetricCatalogue::Slow},
    {"NIOSH / ACGIH", 85.0, 80.0, 3.0, MetricCatalogue::kWeightingA + MetricCatalogue::Slow},
    {"ISO / EU", 85.0, std::nullopt, 3.0, MetricCatalogue::kWeightingA + MetricCatalogue::ShortLeq},
}};

// The N of the exceedance levels LAF1 ... LAF99 the summary gives.
inline constexpr int kExceedanceCount = 7;
inline constexpr std::array<int, kExceedanceCount> kExceedancePercents = {1, 5, 10, 50, 90, 95, 99};

// The names of the nine octave bands, "8kHz" (band 0) down to "31Hz" (band
// 8): the catalogue's band names without their "Short Leq " prefix.
std::array<std::string, MetricCatalogue::kBandCount> OctaveBandNames();

// The dose of one profile over the summarised samples.
struct ProfileDose
{
    // Percent of the allowed 8-hour dose; empty when the profile's level has
    // no value in the range.
    std::optional<double> dosePercent;
    // The 8-hour time-weighted average level, Lc + q / log10(2) x
    // log10(dose / 100); empty when the dose is empty or 0.
    std::optional<double> twa;
    // The dose 8 hours at the same dose rate would give: dose x 8 h / T',
    // where T' is the time of the samples with a value of the profile's
    // level (T when none is missing), so that a gap counts at the rate
    // around it, as it does in LEX,8h.
    std::optional<double> projectedDosePercent;
};

// All figures in dB unless named otherwise. A figure is empty when its
// metric has no value (only NaN, or no sample) in the range. NaN values are
// left out of every figure, each figure taking the values of its own metric.
struct ExposureSummary
{
    std::int32_t firstSample = 0; // where the range starts, after clamping
    std::int32_t samples = 0;     // n, the samples in the range
    // Samples in which any metric the summary uses is NaN: A fast, impulse,
    // slow, short leq and short peak, C and Z short leq and short peak, and
    // the nine bands' short leq.
    std::int32_t nanSamples = 0;
    // Seconds from the start of the test. The range starts at the start of
    // its first sample and ends at the end of its last: start = s / 10,
    // end = (e + 1) / 10, so that the duration T = n x 0.1 s = end - start.
    double startSeconds = 0.0;
    double endSeconds = 0.0;
    double durationSeconds = 0.0;

    // Equivalent levels, 10 log10(mean of 10^(L/10)) over the short leq.
    std::optional<double> laeq, lceq, lzeq;
    std::optional<double> lafMax, lafMin, lasMax, lasMin, laiMax;
    // The largest short peak of each weighting.
    std::optional<double> laPeak, lcPeak, lzPeak;
    // Sound exposure level LAeq + 10 log10(T / 1 s).
    std::optional<double> lae;
    // Sound exposure in Pa²h, 10^((LAeq - 94) / 10) x T / 3600 s.
    std::optional<double> exposurePaSquaredHours;
    // Daily exposure level LAeq + 10 log10(T / 8 h).
    std::optional<double> lex8h;
    // LAFN for each N of kExceedancePercents, in that order: the A fast level
    // exceeded N % of the time. With the m values sorted from the highest,
    // v[0] >= v[1] >= ..., LN = v[ceil(N m / 100) - 1] (v[0] when that is 0).
    std::array<std::optional<double>, kExceedanceCount> lafExceeded;
    // Each octave band's equivalent level over its short leq, band 0 (8 kHz)
    // first.
    std::array<std::optional<double>, MetricCatalogue::kBandCount> bandLeq;
    // One per profile of kDoseProfiles, in that order.
    std::array<ProfileDose, kDoseProfileCount> profiles;
};

// The summary of the whole test.
ExposureSummary SummarizeExposure(const CNolvexTest& test);

// The summary of samples first..last (inclusive) of the test. A range that
// reaches outside the test is cut to the samples the test has, as a
// selection kept from before a cut may: one that holds none of them (last <
// first, or wholly outside) gives an empty summary, n = 0, starting at first
// limited to 0..sampleCount.
ExposureSummary SummarizeExposure(const CNolvexTest& test, std::int32_t first, std::int32_t last);

// One line of the summary as people read it: the figure's name, its unit
// ("" for a count) and its value as text ("%.2f", counts as integers, "-"
// when empty). Sections group the lines: "Range", "Levels", "Exposure",
// "Exceedance levels", "Octave bands" and one per dose profile.
struct ExposureSummaryRow
{
    std::string section;
    std::string figure;
    std::string unit;
    std::string value;
};

// The summary's lines in the order they are shown; the duration comes twice,
// in seconds and as h:mm:ss.s. Text is UTF-8 ("Pa²h").
std::vector<ExposureSummaryRow> BuildExposureSummaryRows(const ExposureSummary& summary);
