#pragma once

#include "ExposureSummary.h"

#include <string>

// The exposure summary as the batch tool prints it.
namespace SummaryOutput {

// The summary's rows as an aligned table: a heading line per section, then a
// line per figure with its name, its value right-aligned and its unit.
std::string FormatTable(const ExposureSummary& summary);

// One JSON object: "samples", "nan_samples", "duration_s", the levels, the
// exposure, the exceedance levels, "bands" (keyed by band name) and
// "profiles" (keyed by profile name, each with "dose_percent", "twa" and
// "projected_dose_percent"). Numbers are unrounded ("%.17g", which reads
// back as the same double); an empty figure, or one that is not a finite
// number, is null.
std::string FormatJson(const ExposureSummary& summary);

} // namespace SummaryOutput
