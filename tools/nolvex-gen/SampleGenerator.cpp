#include "SampleGenerator.h"

#include "Exceptions.h"
#include "MetricCatalogue.h"
#include "NolvexDoc.h"
#include "NolvexTest.h"
#include "SelectionCut.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

using namespace MetricCatalogue;

constexpr double kSamplesPerSecond = 10.0;
constexpr double kSampleSeconds = 0.1;

// The marker table holds 1000 entries; a generated test stays well below.
constexpr std::int32_t kMarkerLimit = 900;

// Octave-band weighting corrections in dB, band 0 (8 kHz) to band 8 (31.5 Hz).
constexpr std::array<double, kBandCount> kACorrection = {-1.1, 1.0,   1.2,   0.0,  -3.2,
                                                         -8.6, -16.1, -26.2, -39.4};
constexpr std::array<double, kBandCount> kCCorrection = {-3.0, -0.8, 0.0,  0.0, 0.0,
                                                         0.0,  -0.2, -0.8, -3.0};

// The shape of a workshop's spectrum in dB, before it is scaled to the level:
// machinery puts most of its energy into the low and middle bands.
constexpr std::array<double, kBandCount> kWorkshopSpectrum = {-10.0, -6.0, -3.0, -1.0, 0.0,
                                                              0.0,   1.0,  2.0,  0.0};
// What a loud event (grinding, hammering, a blow-off) adds to that shape.
constexpr std::array<double, kBandCount> kEventSpectrum = {3.0, 4.0, 4.0, 3.0, 1.0,
                                                           0.0, 0.0, 0.0, 0.0};

// The A-weighted level wanders slowly between these bounds; a sample's level
// adds a little jitter and, during a loud event, the event's boost.
constexpr double kQuietestLevel = 60.0;
constexpr double kLoudestLevel = 100.0;
constexpr double kLevelStepDb = 0.15; // per sample: about 12 dB in 10 minutes
constexpr double kLevelJitterDb = 0.8;
// Each band's share of the spectrum drifts within +-6 dB of the workshop's shape.
constexpr double kSpectrumDriftDb = 6.0;
constexpr double kSpectrumStepDb = 0.03;
constexpr double kBandJitterDb = 0.7;
// Deviates beyond three standard deviations are clipped, so that a rare
// one cannot throw a level out of its plausible range.
constexpr double kClipDeviations = 3.0;

// Peak above short leq.
constexpr double kMeanCrestDb = 13.0;
constexpr double kCrestSpreadDb = 1.6;
constexpr double kLowestCrestDb = 8.0;
constexpr double kHighestCrestDb = 20.0;

// Loud events: at least 20 s apart, 120 s apart on average, lasting 3 s to
// 45 s (evenly spread on a log scale), 10 to 20 dB above the background. An
// event reaches full strength on its fourth sample, where its marker goes,
// and dies away over its last nine.
constexpr double kShortestGapSeconds = 20.0;
constexpr double kMeanExtraGapSeconds = 100.0;
constexpr double kShortestEventSeconds = 3.0;
constexpr double kLongestEventSeconds = 45.0;
constexpr double kSmallestBoostDb = 10.0;
constexpr double kLargestBoostDb = 20.0;
constexpr double kLargestExtraCrestDb = 4.0;
constexpr std::int32_t kEventRiseSamples = 4;
constexpr std::int32_t kEventFallSamples = 9;
constexpr int kMarkerCodeCount = 9;

// Time constants of the meter's exponential time weightings, in seconds.
constexpr double kFastSeconds = 0.125;
constexpr double kSlowSeconds = 1.0;
constexpr double kImpulseRiseSeconds = 0.035;
constexpr double kImpulseFallSeconds = 1.5;

// OLE dates count days from 1899-12-30; 44927 is 2023-01-01.
constexpr int kFirstStartDay = 44927;
constexpr int kStartDayChoices = 730;
constexpr double kSecondsPerDay = 86400.0;

constexpr std::array<const char*, 8> kSites = {
    "Workshop",        "Press hall", "Assembly line",  "Loading bay",
    "Compressor room", "Sawmill",    "Bottling plant", "Foundry",
};
constexpr std::array<const char*, 8> kWorkers = {
    "A. Novak",  "J. Müller", "M. Okafor", "S. Lindqvist",
    "R. Duarte", "K. Tanaka", "L. Moreau", "P. Kowalski",
};
constexpr std::array<const char*, 4> kMountings = {
    "meter on left shoulder",
    "meter on right shoulder",
    "meter on tripod at 1.5 m",
    "meter at ear height",
};

// 10^(level / 10), as exp: it is called for every band of every sample.
double EnergyOf(double level)
{
    return std::exp(level * (std::numbers::ln10 / 10.0));
}
double LevelOf(double energy)
{
    return 10.0 * std::log10(energy);
}

// Expands a seed into well-mixed words (splitmix64).
std::uint64_t SplitMix64(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// xoshiro256** with uniform, normal and exponential deviates of its own: the
// standard library's distributions are free to differ between libraries, so
// they would not give the same numbers for a seed everywhere.
class RandomSource
{
public:
    explicit RandomSource(std::uint64_t seed)
    {
        for (std::uint64_t& word : m_state)
            word = SplitMix64(seed);
    }

    std::uint64_t Next()
    {
        const std::uint64_t result = std::rotl(m_state[1] * 5, 7) * 9;
        const std::uint64_t shifted = m_state[1] << 17;
        m_state[2] ^= m_state[0];
        m_state[3] ^= m_state[1];
        m_state[1] ^= m_state[2];
        m_state[0] ^= m_state[3];
        m_state[2] ^= shifted;
        m_state[3] = std::rotl(m_state[3], 45);
        return result;
    }

    // In [0, 1), from the top 53 bits.
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    double Between(double low, double high) { return low + (high - low) * Uniform(); }
    // In 0..count - 1; count is small, so the bias of the remainder is negligible.
    int Below(int count) { return static_cast<int>(Next() % static_cast<std::uint64_t>(count)); }
    double Exponential(double mean) { return -mean * std::log(1.0 - Uniform()); }

    // A standard normal deviate by Marsaglia's polar method; each round makes
    // two, the second is kept for the next call.
    double Normal()
    {
        if (m_hasSpare) {
            m_hasSpare = false;
            return m_spare;
        }
        double u = 0.0, v = 0.0, s = 0.0;
        do {
            u = 2.0 * Uniform() - 1.0;
            v = 2.0 * Uniform() - 1.0;
            s = u * u + v * v;
        } while (s >= 1.0 || s == 0.0);
        const double factor = std::sqrt(-2.0 * std::log(s) / s);
        m_spare = v * factor;
        m_hasSpare = true;
        return u * factor;
    }
    double ClippedNormal() { return std::clamp(Normal(), -kClipDeviations, kClipDeviations); }

private:
    std::array<std::uint64_t, 4> m_state{};
    double m_spare = 0.0;
    bool m_hasSpare = false;
};

// Keeps a random walk inside [low, high] by mirroring it at the bounds; its
// steps are far smaller than the range, so one mirror is enough.
double Reflect(double value, double low, double high)
{
    if (value < low)
        return 2.0 * low - value;
    if (value > high)
        return 2.0 * high - value;
    return value;
}

template <std::size_t N>
const char* Pick(RandomSource& random, const std::array<const char*, N>& choices)
{
    return choices[static_cast<std::size_t>(random.Below(static_cast<int>(N)))];
}

// An exponential time weighting of the sound energy, read at 0.1 s steps.
// The energy is taken as constant over each sample, so the weighted energy
// moves towards it by the fraction 1 - exp(-0.1 s / tau). Impulse weighting
// rises with one time constant and falls with another. The first sample
// starts the weighting settled at its own energy, as a meter that was on
// before the test began.
class TimeWeighting
{
public:
    TimeWeighting(double riseSeconds, double fallSeconds)
        : m_riseKeep(std::exp(-kSampleSeconds / riseSeconds)),
          m_fallKeep(std::exp(-kSampleSeconds / fallSeconds))
    {
    }

    // The weighted energy at the end of a sample of this energy.
    double Apply(double energy)
    {
        if (!m_started) {
            m_started = true;
            m_weighted = energy;
            return m_weighted;
        }
        const double keep = energy > m_weighted ? m_riseKeep : m_fallKeep;
        m_weighted = energy + (m_weighted - energy) * keep;
        return m_weighted;
    }

private:
    double m_riseKeep;
    double m_fallKeep;
    double m_weighted = 0.0;
    bool m_started = false;
};

// The fast, slow and impulse weightings of one energy stream.
struct MeterWeightings
{
    TimeWeighting fast{kFastSeconds, kFastSeconds};
    TimeWeighting slow{kSlowSeconds, kSlowSeconds};
    TimeWeighting impulse{kImpulseRiseSeconds, kImpulseFallSeconds};
};

struct BandWeightings
{
    TimeWeighting fast{kFastSeconds, kFastSeconds};
    TimeWeighting slow{kSlowSeconds, kSlowSeconds};
};

// The share of an event's full boost at a position within it.
double EventStrength(std::int32_t position, std::int32_t length)
{
    const double rising = (position + 1.0) / kEventRiseSamples;
    const double falling = static_cast<double>(length - position) / kEventFallSamples;
    return std::min({1.0, rising, falling});
}

// Makes the per-sample values of one test, one sample at a time. The running
// metrics are left for the program's recalculation.
class TestSynthesizer
{
public:
    explicit TestSynthesizer(std::uint64_t seed) : m_random(seed)
    {
        m_levelTarget = m_random.Between(68.0, 88.0);
        for (double& drift : m_spectrumDrift)
            drift = m_random.Between(-0.5 * kSpectrumDriftDb, 0.5 * kSpectrumDriftDb);
        m_samplesToNextEvent = DrawGap();
        for (int band = 0; band < kBandCount; ++band) {
            m_aFactor[band] = EnergyOf(kACorrection[band]);
            m_cFactor[band] = EnergyOf(kCCorrection[band]);
        }
    }

    // Fills every per-sample value of the next sample. Returns the code of
    // the marker that belongs to the sample, 0 for none.
    int NextSample(float (&sample)[kMetricCount])
    {
        int markerCode = 0;
        const double strength = StepEvent(markerCode);

        m_levelTarget = Reflect(m_levelTarget + kLevelStepDb * m_random.Normal(), kQuietestLevel,
                                kLoudestLevel);
        const double levelA =
            m_levelTarget + kLevelJitterDb * m_random.ClippedNormal() + strength * m_event.boost;

        std::array<double, kBandCount> shape;
        for (int band = 0; band < kBandCount; ++band) {
            m_spectrumDrift[band] =
                Reflect(m_spectrumDrift[band] + kSpectrumStepDb * m_random.Normal(),
                        -kSpectrumDriftDb, kSpectrumDriftDb);
            shape[band] = kWorkshopSpectrum[band] + m_spectrumDrift[band] +
                          strength * kEventSpectrum[band] +
                          kBandJitterDb * m_random.ClippedNormal();
        }
        std::array<float, kBandCount> bandLevels;
        std::array<double, kBandCount> bandEnergies;
        const WeightedEnergies energies = ScaleSpectrum(shape, levelA, bandLevels, bandEnergies);

        const double crest = std::clamp(kMeanCrestDb + kCrestSpreadDb * m_random.ClippedNormal() +
                                            strength * m_event.extraCrest,
                                        kLowestCrestDb, kHighestCrestDb);

        FillWeighting(sample, kWeightingA, energies.a, crest, m_weightingsA);
        FillWeighting(sample, kWeightingC, energies.c, crest, m_weightingsC);
        FillWeighting(sample, kWeightingZ, energies.z, crest, m_weightingsZ);
        sample[kTwa] = 0.0f;
        sample[kDoseA] = 0.0f;
        sample[kProjectedDoseA] = 0.0f;
        sample[kPascalSquaredHours] = 0.0f;
        for (int band = 0; band < kBandCount; ++band) {
            const double energy = bandEnergies[band];
            sample[kBandFast + band] =
                static_cast<float>(LevelOf(m_bandWeightings[band].fast.Apply(energy)));
            sample[kBandSlow + band] =
                static_cast<float>(LevelOf(m_bandWeightings[band].slow.Apply(energy)));
            sample[kBandShortLeq + band] = bandLevels[band];
            // Until the recalculation replaces it, the band's Leq holds the
            // band's own level, like its Short Leq, so that the running Leq
            // comes out the same whichever of the two it is fed from.
            sample[kBandLeq + band] = bandLevels[band];
        }
        return markerCode;
    }

private:
    struct LoudEvent
    {
        std::int32_t length = 0; // samples
        double boost = 0.0;      // dB at full strength
        double extraCrest = 0.0; // dB: blows and impacts are peakier than the background
        int markerCode = 0;
    };

    struct WeightedEnergies
    {
        double a, c, z;
    };

    std::int32_t DrawGap()
    {
        const double seconds = kShortestGapSeconds + m_random.Exponential(kMeanExtraGapSeconds);
        return static_cast<std::int32_t>(std::round(seconds * kSamplesPerSecond));
    }

    // Advances the loud events by one sample; returns the share of the
    // event's boost in this sample (0 between events) and sets the marker
    // code on the sample where an event reaches full strength.
    double StepEvent(int& markerCode)
    {
        if (m_eventPosition < 0) {
            if (--m_samplesToNextEvent > 0)
                return 0.0;
            const double seconds = std::exp(
                m_random.Between(std::log(kShortestEventSeconds), std::log(kLongestEventSeconds)));
            m_event.length = static_cast<std::int32_t>(std::round(seconds * kSamplesPerSecond));
            m_event.boost = m_random.Between(kSmallestBoostDb, kLargestBoostDb);
            m_event.extraCrest = m_random.Between(0.0, kLargestExtraCrestDb);
            m_event.markerCode = 1 + m_random.Below(kMarkerCodeCount);
            m_eventPosition = 0;
        }
        const double strength = EventStrength(m_eventPosition, m_event.length);
        if (m_eventPosition == kEventRiseSamples - 1)
            markerCode = m_event.markerCode;
        if (++m_eventPosition == m_event.length) {
            m_eventPosition = -1;
            m_samplesToNextEvent = DrawGap();
        }
        return strength;
    }

    // Scales the spectrum's shape (dB per band) so that its A-weighted sum is
    // the level, gives the band levels as the file holds them and their
    // energies, and returns the A-, C- and Z-weighted sums of those bands.
    WeightedEnergies ScaleSpectrum(std::array<double, kBandCount>& shape, double levelA,
                                   std::array<float, kBandCount>& bandLevels,
                                   std::array<double, kBandCount>& bandEnergies) const
    {
        std::array<double, kBandCount> shapeEnergy;
        double weightedA = 0.0, unweighted = 0.0;
        for (int band = 0; band < kBandCount; ++band) {
            shapeEnergy[band] = EnergyOf(shape[band]);
            weightedA += shapeEnergy[band] * m_aFactor[band];
            unweighted += shapeEnergy[band];
        }
        // Broadband workplace noise has its Z-weighted level above the
        // A-weighted one. A shape crowded into the bands that A-weighting
        // lifts (1 kHz to 4 kHz) would break that, so it gets enough energy
        // at 31 Hz, which A-weighting all but ignores, to keep Z at least
        // 0.5 dB above A.
        constexpr double kMarginFactor = 1.1220184543019633; // 10^(0.5 / 10)
        constexpr int kLowestBand = kBandCount - 1;
        if (unweighted < kMarginFactor * weightedA) {
            const double added = (kMarginFactor * weightedA - unweighted) /
                                 (1.0 - kMarginFactor * m_aFactor[kLowestBand]);
            shapeEnergy[kLowestBand] += added;
            shape[kLowestBand] = LevelOf(shapeEnergy[kLowestBand]);
            weightedA += added * m_aFactor[kLowestBand];
        }

        const double offset = levelA - LevelOf(weightedA);
        WeightedEnergies sums{0.0, 0.0, 0.0};
        for (int band = 0; band < kBandCount; ++band) {
            bandLevels[band] = static_cast<float>(shape[band] + offset);
            const double energy = EnergyOf(bandLevels[band]);
            bandEnergies[band] = energy;
            sums.a += energy * m_aFactor[band];
            sums.c += energy * m_cFactor[band];
            sums.z += energy;
        }
        // C-weighting gives up to 1.2 dB less than A in the middle bands, so
        // C is held at A where the spectrum would put it below. Z stays above
        // both (every C correction is at most 0, and Z is kept above A); it is
        // only guarded against rounding.
        sums.c = std::max(sums.c, sums.a);
        sums.z = std::max(sums.z, sums.c);
        return sums;
    }

    static void FillWeighting(float (&sample)[kMetricCount], int weighting, double energy,
                              double crest, MeterWeightings& weightings)
    {
        const double level = LevelOf(energy);
        const float shortLeq = static_cast<float>(level);
        const float shortPeak = static_cast<float>(level + crest);
        sample[weighting + ShortLeq] = shortLeq;
        sample[weighting + ShortPeak] = shortPeak;
        sample[weighting + Fast] = static_cast<float>(LevelOf(weightings.fast.Apply(energy)));
        sample[weighting + Slow] = static_cast<float>(LevelOf(weightings.slow.Apply(energy)));
        sample[weighting + Impulse] = static_cast<float>(LevelOf(weightings.impulse.Apply(energy)));
        // Placeholders for the recalculation, which replaces them.
        sample[weighting + Leq] = shortLeq;
        sample[weighting + Peak] = shortPeak;
    }

    RandomSource m_random;
    double m_levelTarget = 0.0;
    std::array<double, kBandCount> m_spectrumDrift{};
    std::array<double, kBandCount> m_aFactor{};
    std::array<double, kBandCount> m_cFactor{};
    std::int32_t m_samplesToNextEvent = 0;
    std::int32_t m_eventPosition = -1; // within the current event; -1 between events
    LoudEvent m_event;
    MeterWeightings m_weightingsA, m_weightingsC, m_weightingsZ;
    std::array<BandWeightings, kBandCount> m_bandWeightings;
};

void FillSamples(CNolvexTest& test, std::int32_t sampleCount, std::uint64_t seed)
{
    test.ReserveSamples(sampleCount);
    TestSynthesizer synthesizer(seed);
    float sample[kMetricCount];
    for (std::int32_t i = 0; i < sampleCount; ++i) {
        const int markerCode = synthesizer.NextSample(sample);
        if (markerCode != 0 && test.markerCount < kMarkerLimit)
            test.AppendMarker(i, markerCode);
        test.AppendSample(sample);
    }
    SelectionCut::RecalculateRunningMetrics(test);
}

std::int32_t SampleCountFor(double durationSeconds)
{
    if (!(durationSeconds >= 0.0))
        throw CInvalidArgException(CString::Formatted(
            "a test cannot last %g seconds: the duration must be 0 or more", durationSeconds));
    const double samples = std::round(durationSeconds * kSamplesPerSecond);
    if (samples > std::numeric_limits<std::int32_t>::max())
        throw CInvalidArgException(CString::Formatted(
            "a test cannot last %g seconds: that is more samples than a test can hold",
            durationSeconds));
    return static_cast<std::int32_t>(samples);
}

} // namespace

void GenerateDocument(const GeneratorOptions& options, CNolvexDoc& document)
{
    if (document.firstTest)
        throw CInvalidArgException("the sample generator fills only a document without tests");
    if (options.testCount < 1)
        throw CInvalidArgException(
            CString::Formatted("at least one test must be generated, not %d", options.testCount));
    const std::int32_t sampleCount = SampleCountFor(options.durationSeconds);

    // One source for the headers; each test's samples come from a source of
    // their own, seeded from it.
    RandomSource random(options.seed);
    const char* site = Pick(random, kSites);
    const char* mounting = Pick(random, kMountings);
    const int firstWorker = random.Below(static_cast<int>(kWorkers.size()));
    const double startDay = kFirstStartDay + random.Below(kStartDayChoices);
    // Between 6:00 and 8:00, to the minute.
    double startSeconds = 6 * 3600.0 + 60.0 * random.Below(121);
    std::int32_t testNumber = 10 + random.Below(490);

    CNolvexTest* last = nullptr;
    for (int position = 0; position < options.testCount; ++position) {
        // Linked before it is filled, so that the document owns it whatever
        // happens while filling.
        CNolvexTest* test = document.AddTestAfter(last);
        last = test;

        const char* worker =
            kWorkers[static_cast<std::size_t>(firstWorker + position) % kWorkers.size()];
        if (options.testCount == 1) {
            test->name = CString(site);
            test->info = CString::Formatted("Worker %s, %s", worker, mounting);
        } else {
            test->name = CString::Formatted("Shift %d", position + 1);
            test->info = CString::Formatted("%s, worker %s, %s", site, worker, mounting);
        }
        test->testNumber = testNumber;
        test->headerValue = startDay + startSeconds / kSecondsPerDay;

        FillSamples(*test, sampleCount, random.Next());

        // The meter numbers its runs in turn; a skipped number is a run that
        // was deleted on the meter. The next shift starts after a break.
        testNumber += 1 + random.Below(2);
        startSeconds += options.durationSeconds + 60.0 * (30 + random.Below(31));
    }
}
