#include "ExposureSummary.h"

#include "NolvexTest.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <numbers>
#include <string_view>
#include <system_error>
#include <thread>

namespace {

using namespace MetricCatalogue;

constexpr double kSampleSeconds = 0.1;
constexpr double kEightHoursSeconds = 8 * 3600.0;
constexpr double kNoThreshold = -std::numeric_limits<double>::infinity();

// 2^y to a relative error of a few 10^-14, for y clamped to ±1000 (a level of
// ±3000 dB, beyond any meter). The whole number nearest y goes straight into
// the exponent bits of the result, the rest, |r| <= 0.5, through the Taylor
// series of exp(r ln 2) to degree 12. Inline and without branches, unlike
// std::exp, so that the loops below are vectorised: a day's summary takes
// some 14 million of them.
inline double PowerOfTwo(double y)
{
    y = std::min(std::max(y, -1000.0), 1000.0);
    // Adding 1.5 x 2^52 rounds y to a whole number held in the low bits.
    constexpr double kRounder = 0x1.8p52;
    const double shifted = y + kRounder;
    const double x = (y - (shifted - kRounder)) * std::numbers::ln2;
    // Estrin's scheme: pairs of terms, then pairs of pairs, so that the
    // multiplications do not wait on one another as they would in Horner's.
    const double x2 = x * x;
    const double x4 = x2 * x2;
    const double x8 = x4 * x4;
    const double terms0to3 = (1.0 + x) + x2 * (1.0 / 2 + x * (1.0 / 6));
    const double terms4to7 = (1.0 / 24 + x * (1.0 / 120)) + x2 * (1.0 / 720 + x * (1.0 / 5040));
    const double terms8to11 =
        (1.0 / 40320 + x * (1.0 / 362880)) + x2 * (1.0 / 3628800 + x * (1.0 / 39916800));
    const double terms8to12 = terms8to11 + x4 * (1.0 / 479001600);
    const double series = terms0to3 + x4 * terms4to7 + x8 * terms8to12;
    // That whole number, moved into the exponent field, added to the
    // series' exponent (a negative one wraps round, as a subtraction).
    const std::uint64_t exponent = std::bit_cast<std::uint64_t>(shifted) << 52;
    return std::bit_cast<double>(std::bit_cast<std::uint64_t>(series) + exponent);
}

// Over the values that are not NaN: their count, and the sum of
// 2^((L - offset) x scale) over those at or above the threshold.
struct PowerSum
{
    double sum = 0.0;
    std::int32_t valuesUsed = 0;
};

// The values of one metric over the range.
struct LevelSpan
{
    const float* levels = nullptr;
    std::int32_t count = 0;
};

LevelSpan SpanOf(const CNolvexTest& test, int dataType, std::int32_t first, std::int32_t count)
{
    return {test.values[static_cast<std::size_t>(dataType)].get() + first, count};
}

PowerSum SumPowers(LevelSpan span, double offset, double scale, double threshold)
{
    // Every value is raised, then those not counted are left out: a choice
    // rather than a branch. NaN is never at or above the threshold.
    auto term = [=](float level) {
        const double power = PowerOfTwo((level - offset) * scale);
        return level >= threshold ? power : 0.0;
    };
    // Blocks of a fixed length with a sum per lane, which the compiler
    // turns into vector instructions; the rest one by one.
    constexpr int kLanes = 8;
    double laneSums[kLanes] = {};
    std::int32_t used = 0;
    std::int32_t i = 0;
    for (; i + kLanes <= span.count; i += kLanes) {
        for (int lane = 0; lane < kLanes; ++lane) {
            const float level = span.levels[i + lane];
            laneSums[lane] += term(level);
            used += level == level;
        }
    }
    double sum = 0.0;
    for (double laneSum : laneSums)
        sum += laneSum;
    for (; i < span.count; ++i) {
        sum += term(span.levels[i]);
        used += span.levels[i] == span.levels[i];
    }
    return {sum, used};
}

// 10 log10 of the mean of 10^(L/10) over the values that are not NaN.
std::optional<double> EquivalentLevel(LevelSpan span)
{
    constexpr double kPowerOfTwoPerDecibel = std::numbers::log2e * std::numbers::ln10 / 10.0;
    const PowerSum energy = SumPowers(span, 0.0, kPowerOfTwoPerDecibel, kNoThreshold);
    if (energy.valuesUsed == 0)
        return std::nullopt;
    return 10.0 * std::log10(energy.sum / energy.valuesUsed);
}

struct Extremes
{
    std::optional<double> highest;
    std::optional<double> lowest;
};

Extremes ExtremesOf(LevelSpan span)
{
    // A highest and a lowest per lane, as in SumPowers. NaN compares false
    // both ways, so it never replaces a value.
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    constexpr int kLanes = 8;
    float highest[kLanes], lowest[kLanes];
    std::fill(highest, highest + kLanes, -kInfinity);
    std::fill(lowest, lowest + kLanes, kInfinity);
    std::int32_t used = 0;
    auto take = [&](int lane, float level) {
        highest[lane] = level > highest[lane] ? level : highest[lane];
        lowest[lane] = level < lowest[lane] ? level : lowest[lane];
        used += level == level;
    };
    std::int32_t i = 0;
    for (; i + kLanes <= span.count; i += kLanes) {
        for (int lane = 0; lane < kLanes; ++lane)
            take(lane, span.levels[i + lane]);
    }
    for (; i < span.count; ++i)
        take(0, span.levels[i]);
    if (used == 0)
        return {};
    return {*std::max_element(highest, highest + kLanes),
            *std::min_element(lowest, lowest + kLanes)};
}

// The levels exceeded N % of the time for each N of kExceedancePercents, by
// selection rather than a full sort: each nth_element leaves the values
// after its position no higher than the one there, so the next, higher
// index is searched among those alone.
// The buffer is empty, with room for the span's values.
std::array<std::optional<double>, kExceedanceCount> ExceedanceLevels(LevelSpan span,
                                                                     std::vector<float>& levels)
{
    for (std::int32_t i = 0; i < span.count; ++i) {
        if (!std::isnan(span.levels[i]))
            levels.push_back(span.levels[i]);
    }
    std::array<std::optional<double>, kExceedanceCount> exceeded;
    if (levels.empty())
        return exceeded;
    const auto count = static_cast<std::int64_t>(levels.size());
    auto searchFrom = levels.begin();
    for (int p = 0; p < kExceedanceCount; ++p) {
        // ceil(N m / 100) in integers, where no rounding can move it.
        const std::int64_t rank =
            (kExceedancePercents[static_cast<std::size_t>(p)] * count + 99) / 100;
        const auto index = levels.begin() + std::max<std::int64_t>(rank - 1, 0);
        std::nth_element(searchFrom, index, levels.end(), std::greater<float>());
        exceeded[static_cast<std::size_t>(p)] = *index;
        searchFrom = index;
    }
    return exceeded;
}

ProfileDose DoseOf(const DoseProfile& profile, LevelSpan span)
{
    const PowerSum weights = SumPowers(span, profile.criterionLevel, 1.0 / profile.exchangeRate,
                                       profile.thresholdLevel.value_or(kNoThreshold));
    ProfileDose dose;
    if (weights.valuesUsed == 0)
        return dose;
    const double percent = 100.0 * kSampleSeconds / kEightHoursSeconds * weights.sum;
    dose.dosePercent = percent;
    if (percent > 0.0)
        dose.twa = profile.criterionLevel +
                   profile.exchangeRate / std::log10(2.0) * std::log10(percent / 100.0);
    dose.projectedDosePercent =
        percent * kEightHoursSeconds / (weights.valuesUsed * kSampleSeconds);
    return dose;
}

// The data types the summary reads, for the count of samples with a NaN.
std::vector<int> DataTypesUsed()
{
    std::vector<int> dataTypes;
    for (int quantity : {Fast, Impulse, ShortLeq, ShortPeak, Slow})
        dataTypes.push_back(kWeightingA + quantity);
    for (int weighting : {kWeightingC, kWeightingZ}) {
        dataTypes.push_back(weighting + ShortLeq);
        dataTypes.push_back(weighting + ShortPeak);
    }
    for (int band = 0; band < kBandCount; ++band)
        dataTypes.push_back(kBandShortLeq + band);
    return dataTypes;
}

bool HasNan(LevelSpan span)
{
    // Block by block, with no way out inside a block, so that the
    // comparisons are vectorised.
    constexpr int kLanes = 16;
    std::int32_t i = 0;
    for (; i + kLanes <= span.count; i += kLanes) {
        int nans = 0;
        for (int lane = 0; lane < kLanes; ++lane)
            nans += span.levels[i + lane] != span.levels[i + lane];
        if (nans > 0)
            return true;
    }
    for (; i < span.count; ++i) {
        if (std::isnan(span.levels[i]))
            return true;
    }
    return false;
}

std::int32_t CountSamplesWithNan(const CNolvexTest& test, std::int32_t first, std::int32_t count)
{
    // Most recordings have no NaN at all: a flag per sample is only set,
    // metric by metric, from the metrics that have one.
    std::vector<std::uint8_t> hasNan;
    for (int dataType : DataTypesUsed()) {
        const LevelSpan span = SpanOf(test, dataType, first, count);
        if (!HasNan(span))
            continue;
        hasNan.resize(static_cast<std::size_t>(count), 0);
        for (std::int32_t i = 0; i < count; ++i)
            hasNan[static_cast<std::size_t>(i)] |= std::isnan(span.levels[i]);
    }
    return static_cast<std::int32_t>(std::count(hasNan.begin(), hasNan.end(), 1));
}

// A range this long is shared out between this thread and a second one;
// a shorter one is done before a thread would have started.
constexpr std::int32_t kSamplesWorthASecondThread = 20000;

// Runs the jobs here and, when asked, on a second thread too, each thread
// taking the next job not yet taken. The jobs must not throw: a failure on
// the second thread could not be handed back.
void RunJobs(const std::vector<std::function<void()>>& jobs, bool onTwoThreads)
{
    std::atomic<std::size_t> nextJob = 0;
    auto takeJobs = [&] {
        for (std::size_t job = nextJob++; job < jobs.size(); job = nextJob++)
            jobs[job]();
    };
    std::thread helper;
    if (onTwoThreads) {
        try {
            helper = std::thread(takeJobs);
        } catch (const std::system_error&) {
            // No thread to be had: this one does it all.
        }
    }
    takeJobs();
    if (helper.joinable())
        helper.join();
}

std::optional<double> Plus(const std::optional<double>& level, double decibels)
{
    if (!level)
        return std::nullopt;
    return *level + decibels;
}

} // namespace

std::array<std::string, kBandCount> OctaveBandNames()
{
    static constexpr std::string_view kPrefix = "Short Leq ";
    std::array<std::string, kBandCount> names;
    for (int band = 0; band < kBandCount; ++band) {
        std::string_view name = NameOf(kBandShortLeq + band);
        if (name.starts_with(kPrefix))
            name.remove_prefix(kPrefix.size());
        names[static_cast<std::size_t>(band)] = name;
    }
    return names;
}

ExposureSummary SummarizeExposure(const CNolvexTest& test)
{
    return SummarizeExposure(test, 0, test.sampleCount - 1);
}

ExposureSummary SummarizeExposure(const CNolvexTest& test, std::int32_t first, std::int32_t last)
{
    ExposureSummary summary;
    first = std::clamp(first, 0, test.sampleCount);
    last = std::min(last, test.sampleCount - 1);
    const std::int32_t count = last >= first ? last - first + 1 : 0;
    summary.firstSample = first;
    summary.samples = count;
    summary.startSeconds = first / 10.0;
    summary.endSeconds = (first + static_cast<std::int64_t>(count)) / 10.0;
    summary.durationSeconds = count / 10.0;
    if (count == 0)
        return summary;

    auto span = [&](int dataType) { return SpanOf(test, dataType, first, count); };
    // Each job fills figures of its own, so that the jobs can run on two
    // threads; the longest come first, so that both end close together.
    // Only the exceedance levels need memory, taken here: no job can fail.
    std::vector<float> fastLevels;
    fastLevels.reserve(static_cast<std::size_t>(count));
    std::vector<std::function<void()>> jobs;
    jobs.emplace_back([&] {
        const LevelSpan fast = span(kWeightingA + Fast);
        const Extremes extremes = ExtremesOf(fast);
        summary.lafMax = extremes.highest;
        summary.lafMin = extremes.lowest;
        summary.lafExceeded = ExceedanceLevels(fast, fastLevels);
    });
    for (int p = 0; p < kDoseProfileCount; ++p) {
        jobs.emplace_back([&summary, &span, p] {
            const DoseProfile& profile = kDoseProfiles[static_cast<std::size_t>(p)];
            summary.profiles[static_cast<std::size_t>(p)] =
                DoseOf(profile, span(profile.levelDataType));
        });
    }
    jobs.emplace_back([&] { summary.laeq = EquivalentLevel(span(kWeightingA + ShortLeq)); });
    jobs.emplace_back([&] { summary.lceq = EquivalentLevel(span(kWeightingC + ShortLeq)); });
    jobs.emplace_back([&] { summary.lzeq = EquivalentLevel(span(kWeightingZ + ShortLeq)); });
    for (int band = 0; band < kBandCount; ++band) {
        jobs.emplace_back([&summary, &span, band] {
            summary.bandLeq[static_cast<std::size_t>(band)] =
                EquivalentLevel(span(kBandShortLeq + band));
        });
    }
    jobs.emplace_back([&] {
        const Extremes slow = ExtremesOf(span(kWeightingA + Slow));
        summary.lasMax = slow.highest;
        summary.lasMin = slow.lowest;
        summary.laiMax = ExtremesOf(span(kWeightingA + Impulse)).highest;
        summary.laPeak = ExtremesOf(span(kWeightingA + ShortPeak)).highest;
        summary.lcPeak = ExtremesOf(span(kWeightingC + ShortPeak)).highest;
        summary.lzPeak = ExtremesOf(span(kWeightingZ + ShortPeak)).highest;
    });
    RunJobs(jobs, count >= kSamplesWorthASecondThread);
    // Afterwards, since a recording with NaN needs memory for it.
    summary.nanSamples = CountSamplesWithNan(test, first, count);

    // A gap in the recording counts at the level around it: the duration
    // is the whole range's.
    const double duration = summary.durationSeconds;
    summary.lae = Plus(summary.laeq, 10.0 * std::log10(duration));
    summary.lex8h = Plus(summary.laeq, 10.0 * std::log10(duration / kEightHoursSeconds));
    if (summary.laeq)
        summary.exposurePaSquaredHours =
            std::pow(10.0, (*summary.laeq - 94.0) / 10.0) * duration / 3600.0;
    return summary;
}

namespace {

std::string Decimal(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

std::string Decimal(const std::optional<double>& value)
{
    return value ? Decimal(*value) : "-";
}

// The duration of n samples (tenths of a second) as h:mm:ss.s, from the
// whole count, which no rounding can change.
std::string HoursMinutesSeconds(std::int32_t tenths)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d.%d", tenths / 36000, tenths / 600 % 60,
                  tenths / 10 % 60, tenths % 10);
    return text;
}

} // namespace

std::vector<ExposureSummaryRow> BuildExposureSummaryRows(const ExposureSummary& summary)
{
    std::vector<ExposureSummaryRow> rows;
    std::string section;
    auto add = [&](std::string figure, std::string unit, std::string value) {
        rows.push_back({section, std::move(figure), std::move(unit), std::move(value)});
    };

    section = "Range";
    add("Samples", "", std::to_string(summary.samples));
    add("Samples with NaN", "", std::to_string(summary.nanSamples));
    add("Start", "s", Decimal(summary.startSeconds));
    add("End", "s", Decimal(summary.endSeconds));
    add("Duration T", "s", Decimal(summary.durationSeconds));
    add("Duration T", "h:mm:ss.s", HoursMinutesSeconds(summary.samples));

    section = "Levels";
    add("LAeq", "dB", Decimal(summary.laeq));
    add("LCeq", "dB", Decimal(summary.lceq));
    add("LZeq", "dB", Decimal(summary.lzeq));
    add("LAFmax", "dB", Decimal(summary.lafMax));
    add("LAFmin", "dB", Decimal(summary.lafMin));
    add("LASmax", "dB", Decimal(summary.lasMax));
    add("LASmin", "dB", Decimal(summary.lasMin));
    add("LAImax", "dB", Decimal(summary.laiMax));
    add("LApeak", "dB", Decimal(summary.laPeak));
    add("LCpeak", "dB", Decimal(summary.lcPeak));
    add("LZpeak", "dB", Decimal(summary.lzPeak));

    section = "Exposure";
    add("LAE", "dB", Decimal(summary.lae));
    add("EA", "Pa\u00b2h", Decimal(summary.exposurePaSquaredHours));
    add("LEX,8h", "dB", Decimal(summary.lex8h));

    section = "Exceedance levels";
    for (int p = 0; p < kExceedanceCount; ++p)
        add("LAF" + std::to_string(kExceedancePercents[static_cast<std::size_t>(p)]), "dB",
            Decimal(summary.lafExceeded[static_cast<std::size_t>(p)]));

    section = "Octave bands";
    const auto bandNames = OctaveBandNames();
    for (int band = 0; band < kBandCount; ++band)
        add("Leq " + bandNames[static_cast<std::size_t>(band)], "dB",
            Decimal(summary.bandLeq[static_cast<std::size_t>(band)]));

    for (int p = 0; p < kDoseProfileCount; ++p) {
        const ProfileDose& dose = summary.profiles[static_cast<std::size_t>(p)];
        section = kDoseProfiles[static_cast<std::size_t>(p)].name;
        add("Dose", "%", Decimal(dose.dosePercent));
        add("TWA", "dB", Decimal(dose.twa));
        add("Projected dose", "%", Decimal(dose.projectedDosePercent));
    }
    return rows;
}
