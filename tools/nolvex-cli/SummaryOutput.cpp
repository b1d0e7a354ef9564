#include "SummaryOutput.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace {

std::string Padded(std::string_view text, std::size_t width, bool alignRight)
{
    const std::string padding(width > text.size() ? width - text.size() : 0, ' ');
    return alignRight ? padding + std::string(text) : std::string(text) + padding;
}

std::string JsonNumber(const std::optional<double>& value)
{
    if (!value || !std::isfinite(*value))
        return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", *value);
    return text;
}

// The names in the JSON are our own, but a quote or a backslash in one
// would still be written correctly.
std::string JsonString(std::string_view text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

// Members of a JSON object, written one per line at an indentation.
class JsonObject
{
public:
    void Add(std::string_view key, std::string value)
    {
        m_members.emplace_back(JsonString(key), std::move(value));
    }
    void Add(std::string_view key, const std::optional<double>& value)
    {
        Add(key, JsonNumber(value));
    }
    std::string Text(int indent) const
    {
        const std::string inner(static_cast<std::size_t>(indent + 2), ' ');
        std::string text = "{\n";
        for (std::size_t m = 0; m < m_members.size(); ++m) {
            text += inner + m_members[m].first + ": " + m_members[m].second;
            text += m + 1 < m_members.size() ? ",\n" : "\n";
        }
        return text + std::string(static_cast<std::size_t>(indent), ' ') + "}";
    }

private:
    std::vector<std::pair<std::string, std::string>> m_members;
};

} // namespace

namespace SummaryOutput {

std::string FormatTable(const ExposureSummary& summary)
{
    const std::vector<ExposureSummaryRow> rows = BuildExposureSummaryRows(summary);
    std::size_t figureWidth = 0;
    std::size_t valueWidth = 0;
    for (const ExposureSummaryRow& row : rows) {
        figureWidth = std::max(figureWidth, row.figure.size());
        valueWidth = std::max(valueWidth, row.value.size());
    }
    std::string table;
    const std::string* section = nullptr;
    for (const ExposureSummaryRow& row : rows) {
        if (!section || *section != row.section)
            table += row.section + "\n";
        section = &row.section;
        std::string line = "  " + Padded(row.figure, figureWidth, false) + "  " +
                           Padded(row.value, valueWidth, true);
        if (!row.unit.empty())
            line += "  " + row.unit;
        table += line + "\n";
    }
    return table;
}

std::string FormatJson(const ExposureSummary& summary)
{
    JsonObject top;
    top.Add("samples", std::to_string(summary.samples));
    top.Add("nan_samples", std::to_string(summary.nanSamples));
    top.Add("duration_s", summary.durationSeconds);
    top.Add("LAeq", summary.laeq);
    top.Add("LCeq", summary.lceq);
    top.Add("LZeq", summary.lzeq);
    top.Add("LAFmax", summary.lafMax);
    top.Add("LAFmin", summary.lafMin);
    top.Add("LASmax", summary.lasMax);
    top.Add("LASmin", summary.lasMin);
    top.Add("LAImax", summary.laiMax);
    top.Add("LApeak", summary.laPeak);
    top.Add("LCpeak", summary.lcPeak);
    top.Add("LZpeak", summary.lzPeak);
    top.Add("LAE", summary.lae);
    top.Add("EA_Pa2h", summary.exposurePaSquaredHours);
    top.Add("LEX8h", summary.lex8h);
    for (int p = 0; p < kExceedanceCount; ++p)
        top.Add("LAF" + std::to_string(kExceedancePercents[static_cast<std::size_t>(p)]),
                summary.lafExceeded[static_cast<std::size_t>(p)]);

    JsonObject bands;
    const auto bandNames = OctaveBandNames();
    for (int band = 0; band < MetricCatalogue::kBandCount; ++band)
        bands.Add(bandNames[static_cast<std::size_t>(band)],
                  summary.bandLeq[static_cast<std::size_t>(band)]);
    top.Add("bands", bands.Text(2));

    JsonObject profiles;
    for (int p = 0; p < kDoseProfileCount; ++p) {
        const ProfileDose& dose = summary.profiles[static_cast<std::size_t>(p)];
        JsonObject profile;
        profile.Add("dose_percent", dose.dosePercent);
        profile.Add("twa", dose.twa);
        profile.Add("projected_dose_percent", dose.projectedDosePercent);
        profiles.Add(kDoseProfiles[static_cast<std::size_t>(p)].name, profile.Text(4));
    }
    top.Add("profiles", profiles.Text(2));
    return top.Text(0) + "\n";
}

} // namespace SummaryOutput
