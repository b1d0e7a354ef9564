#include "MetricCatalogue.h"

#include "Exceptions.h"

#include <array>

namespace {

constexpr std::array<const char*, MetricCatalogue::kMetricCount> kNames = {
    "A fast",          "A impulse",
    "A leq",           "A peak",
    "A short leq",     "A short peak",
    "A slow",          "C fast",
    "C impulse",       "C leq",
    "C peak",          "C short leq",
    "C short peak",    "C slow",
    "Z fast",          "Z impulse",
    "Z leq",           "Z peak",
    "Z short leq",     "Z short peak",
    "Z slow",          "TWA",
    "Dose A",          "Proj Dose A",
    "Pascal Sq Hrs",   "Fast 8kHz",
    "Fast 4kHz",       "Fast 2kHz",
    "Fast 1kHz",       "Fast 500Hz",
    "Fast 250Hz",      "Fast 125Hz",
    "Fast 63Hz",       "Fast 31Hz",
    "Slow 8kHz",       "Slow 4kHz",
    "Slow 2kHz",       "Slow 1kHz",
    "Slow 500Hz",      "Slow 250Hz",
    "Slow 125Hz",      "Slow 63Hz",
    "Slow 31Hz",       "Leq 8kHz",
    "Leq 4kHz",        "Leq 2kHz",
    "Leq 1kHz",        "Leq 500Hz",
    "Leq 250Hz",       "Leq 125Hz",
    "Leq 63Hz",        "Leq 31Hz",
    "Short Leq 8kHz",  "Short Leq 4kHz",
    "Short Leq 2kHz",  "Short Leq 1kHz",
    "Short Leq 500Hz", "Short Leq 250Hz",
    "Short Leq 125Hz", "Short Leq 63Hz",
    "Short Leq 31Hz",
};

} // namespace

namespace MetricCatalogue {

void CheckDataType(int dataType)
{
    if (!IsValidDataType(dataType))
        throw CInvalidArgException(
            CString::Formatted("%d is not a data type: data types run from 0 to 60", dataType));
}

const char* NameOf(int dataType)
{
    CheckDataType(dataType);
    return kNames[static_cast<std::size_t>(dataType)];
}

std::vector<CString> BuildNames()
{
    std::vector<CString> names;
    names.reserve(kNames.size());
    for (const char* name : kNames)
        names.emplace_back(name);
    return names;
}

int FindByName(const CString& name)
{
    const std::string utf8 = name.ToUtf8();
    for (int dataType = 0; dataType < kMetricCount; ++dataType) {
        if (utf8 == kNames[static_cast<std::size_t>(dataType)])
            return dataType;
    }
    return -1;
}

bool IsCumulative(int dataType)
{
    switch (dataType) {
    case kWeightingA + Leq:
    case kWeightingA + Peak:
    case kWeightingC + Leq:
    case kWeightingC + Peak:
    case kWeightingZ + Leq:
    case kWeightingZ + Peak:
    case kTwa:
    case kDoseA:
    case kPascalSquaredHours:
        return true;
    default:
        return dataType >= kBandLeq && dataType < kBandLeq + kBandCount;
    }
}

} // namespace MetricCatalogue
