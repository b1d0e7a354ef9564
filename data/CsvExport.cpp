#include "CsvExport.h"

#include "CFile.h"
#include "CodePage1252.h"
#include "MetricCatalogue.h"
#include "NolvexMetric.h"
#include "NolvexTest.h"

#include <charconv>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kFlushSize = 1 << 20;

// Collects the text and hands it to the file in large blocks.
class CsvWriter
{
public:
    explicit CsvWriter(CFile& file) : m_file(file) { m_text.reserve(kFlushSize + 4096); }

    void Append(const std::string& text) { m_text += text; }
    void Append(const char* text, std::size_t length) { m_text.append(text, length); }
    void Append(char character) { m_text.push_back(character); }
    // A header string as the code page holds it, up to its first zero.
    void AppendAnsi(const CString& text)
    {
        const std::string bytes = CodePage1252::Encode(text);
        m_text.append(bytes.c_str());
    }
    // The value as "%.2lf" formats it in the C locale, without its cost.
    void AppendValue(float value)
    {
        char digits[64];
        const auto result = std::to_chars(digits, digits + sizeof digits,
                                          static_cast<double>(value), std::chars_format::fixed, 2);
        m_text.append(digits, result.ptr);
    }
    void FlushIfFull()
    {
        if (m_text.size() >= kFlushSize)
            Flush();
    }
    void Flush()
    {
        m_file.Write(m_text.data(), m_text.size());
        m_text.clear();
    }

private:
    CFile& m_file;
    std::string m_text;
};

void WriteLines(CsvWriter& writer, const CNolvexTest& test, const CNolvexMetric* firstMetric)
{
    writer.AppendAnsi(test.name);
    writer.Append('\n');
    writer.AppendAnsi(test.info);
    writer.Append('\n');
    writer.Append("Test #: " + std::to_string(test.testNumber) + "\n");

    std::vector<const float*> columns;
    for (const CNolvexMetric* metric = firstMetric; metric; metric = metric->next) {
        MetricCatalogue::CheckDataType(metric->dataType);
        columns.push_back(test.values[static_cast<std::size_t>(metric->dataType)].get());
    }
    if (columns.empty())
        return;

    for (const CNolvexMetric* metric = firstMetric; metric; metric = metric->next) {
        writer.Append(MetricCatalogue::NameOf(metric->dataType));
        writer.Append(metric->next ? ", " : "\n");
    }
    for (std::int32_t i = 0; i < test.sampleCount; ++i) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            writer.AppendValue(columns[c][i]);
            if (c + 1 < columns.size())
                writer.Append(", ", 2);
        }
        writer.Append('\n');
        writer.FlushIfFull();
    }
}

} // namespace

namespace CsvExport {

void Export(const CNolvexTest& test, const CNolvexMetric* firstMetric, const CString& path)
{
    CFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::modeReplaceOnClose);
    Export(test, firstMetric, file);
    file.Close();
}

void Export(const CNolvexTest& test, const CNolvexMetric* firstMetric, CFile& file)
{
    CsvWriter writer(file);
    try {
        WriteLines(writer, test, firstMetric);
    } catch (...) {
        // What was written before the failure stays in the file.
        writer.Flush();
        throw;
    }
    writer.Flush();
}

} // namespace CsvExport
