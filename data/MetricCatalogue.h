#pragma once

#include "CString.h"

#include <vector>

// The fixed catalogue of the 61 metrics a sample carries. A metric's position
// in it is its data type: it selects the test's value array, the CSV column
// name, the value list's choice and the chart series name.
namespace MetricCatalogue {

inline constexpr int kMetricCount = 61;

// Offsets of the seven quantities within a weighting (A at 0, C at 7, Z at 14).
enum WeightingQuantity
{
    Fast = 0,
    Impulse = 1,
    Leq = 2,
    Peak = 3,
    ShortLeq = 4,
    ShortPeak = 5,
    Slow = 6
};
inline constexpr int kWeightingA = 0;
inline constexpr int kWeightingC = 7;
inline constexpr int kWeightingZ = 14;

inline constexpr int kTwa = 21;
inline constexpr int kDoseA = 22;
inline constexpr int kProjectedDoseA = 23;
inline constexpr int kPascalSquaredHours = 24;

// The four groups of nine octave bands, each from 8 kHz (band 0) down to 31 Hz (band 8).
inline constexpr int kBandCount = 9;
inline constexpr int kBandFast = 25;
inline constexpr int kBandSlow = 34;
inline constexpr int kBandLeq = 43;
inline constexpr int kBandShortLeq = 52;

inline bool IsValidDataType(int dataType)
{
    return dataType >= 0 && dataType < kMetricCount;
}

// Throws CInvalidArgException for a data type outside 0..60.
void CheckDataType(int dataType);

// The name shown for a data type; an invalid one throws CInvalidArgException.
const char* NameOf(int dataType);

// The 61 names in data type order, as a document holds them.
std::vector<CString> BuildNames();

// The data type whose name is exactly the text (case-sensitive), or -1.
int FindByName(const CString& name);

// Running values from the start of the test: leq and peak of each weighting,
// TWA, dose, sound exposure and the nine band Leq values.
bool IsCumulative(int dataType);

} // namespace MetricCatalogue
