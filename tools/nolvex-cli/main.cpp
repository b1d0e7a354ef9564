// nolvex-cli: the measurement data of Nolvex from the command line, for
// people who process many recordings: list the tests of a file, export a
// test's metrics as CSV, cut a span out of a test and recalculate it, and
// summarise the noise exposure of a test or a span of it.

#include "CFile.h"
#include "CsvExport.h"
#include "Exceptions.h"
#include "ExposureSummary.h"
#include "MeasurementFile.h"
#include "MetricCatalogue.h"
#include "NolvexDoc.h"
#include "NolvexMetric.h"
#include "NolvexTest.h"
#include "RenderPage.h"
#include "SummaryOutput.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int kExitFileError = 1;
constexpr int kExitBadArguments = 2;

const char* const kHelp = R"(Usage:
  nolvex-cli info FILE
  nolvex-cli csv FILE --test N [--metric NAME ...] --output OUT
  nolvex-cli cut FILE --test N --from S --to E --output OUT [--force]
  nolvex-cli render FILE --test N --metric NAME [--metric NAME ...] --output OUT
  nolvex-cli summary FILE --test N [--from S --to E] [--json]
  nolvex-cli --help

Works on Nolvex measurement files (.nolvex) as the Nolvex program does.

info  Prints one line per test, in file order, with tab-separated fields:
      position (from 1), name, info, test number, sample count, marker count.
      Control characters in names and infos are shown escaped (\t, \n,
      \x1b), here and in every message.

csv   Exports test N (its position as info prints it) as CSV to OUT, exactly
      as the program's Export CSV writes it: the test's name, info and
      "Test #: n", a line of metric names, then one line per sample with the
      values ("%.2lf"), fields separated by ", ", Windows-1252 text.
      The metrics are given in the order of their columns; each NAME is a
      metric's name as the program shows it ("A leq", "Leq 1kHz") or its data
      type number (0 to 60). Without any metric only the three header lines
      are written, as Export CSV does with no metric on display. OUT must
      not be FILE.

cut   Cuts samples S to E (inclusive, counted from 0; sample i lies at i/10 s)
      out of test N and recalculates its running metrics (leq, peak, TWA,
      dose, projected dose, sound exposure) as the program's Cut Selection
      does, then writes the whole file to OUT. OUT may be FILE itself: the
      file is replaced only once the new one is completely written.
      A span of one sample (S = E) is never cut; the file is written unchanged.
      When reading FILE stopped before its end, the bytes not read would be
      lost: cut then refuses to write over FILE unless --force is given.

render
      Draws the page the program's Print gives for test N with those metrics
      on display (the chart, and a value line for each running metric) into
      OUT, a .pdf file (A4 on its side) or a .png picture of the page. OUT
      must not be FILE.

summary
      Prints the noise exposure of test N, or of its samples S to E
      (inclusive, as for cut; both or neither), as a table of figures with
      their units (numbers "%.2f", "-" for a figure with no value), or with
      --json as one JSON object of unrounded numbers ("%.17g"), null for a
      figure with no value. Each sample stands for 0.1 s; of n samples,
      the duration is T = n x 0.1 s, from S/10 s to (E+1)/10 s.
        LAeq, LCeq, LZeq  10 log10 of the mean of 10^(L/10) over the short
                          leq of each weighting
        LAFmax, LAFmin, LASmax, LASmin, LAImax
                          the highest and lowest A fast and A slow, the
                          highest A impulse
        LApeak, LCpeak, LZpeak
                          the highest short peak of each weighting
        LAE               LAeq + 10 log10(T / 1 s)
        EA                10^((LAeq - 94) / 10) x T / 3600 s, in Pa²h
        LEX,8h            LAeq + 10 log10(T / 28800 s)
        LAF1 ... LAF99    LAFN for N = 1, 5, 10, 50, 90, 95, 99: the A
                          fast level exceeded N % of the time: with the m
                          values sorted from the highest, v[0] >= v[1] >=
                          ..., LAFN = v[ceil(N m / 100) - 1]
        bands             each octave band's Leq over its short leq
        dose              per profile (criterion Lc, threshold Lt, exchange
                          rate q, level): OSHA PEL (90, 90, 5, A slow),
                          OSHA HC (90, 80, 5, A slow), NIOSH / ACGIH (85,
                          80, 3, A slow), ISO / EU (85, none, 3, A short
                          leq): dose = 100 % x the sum over the samples with
                          L >= Lt of (0.1 s / 28800 s) x 2^((L - Lc) / q);
                          TWA = Lc + q / log10(2) x log10(dose / 100 %),
                          none for a dose of 0; projected dose = dose x
                          28800 s / T
      NaN values are left out of every figure, each figure taking the values
      of its own metric; "Samples with NaN" (nan_samples) counts the samples
      in which any metric the summary reads is NaN (A fast, impulse, slow,
      short leq and short peak, C and Z short leq and short peak, the bands'
      short leq). LAE, EA and LEX,8h take T of the whole span, and the
      projected dose takes T over the samples with a value of the profile's
      level, so that a gap counts at the level around it.

When reading FILE stops before its end (a stray byte, bytes after the end
tag, a file that is no measurement file), every command reads what it can
and prints a warning on standard error saying where reading stopped and how
many bytes were not read. Output files are replaced only once complete.

Exit status: 0 on success; 1 when a file cannot be read or written
(standard output included) or when cut would write over bytes it could not
read; 2 for bad arguments (unknown command or metric, a test that is not in
the file, S > E, samples outside the test, an output that is the input).
Every error is one line on standard error, naming the file.
)";

// A failure to report: the message and the exit status.
struct CliError
{
    int status;
    std::string message;
};

struct Arguments
{
    std::string command;
    std::string file;
    std::optional<std::string> test;
    std::optional<std::string> from;
    std::optional<std::string> to;
    std::optional<std::string> output;
    std::vector<std::string> metrics;
    bool force = false;
    bool json = false;
};

// The text with its control characters shown escaped, so that a name can
// neither send a terminal escape sequence nor break a line or a field:
// \t, \n, \r and \xNN for the other C0 controls and DEL, \u00NN for the
// C1 controls (U+0080 to U+009F, which some terminals obey as well).
std::string Escaped(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    char code[8];
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\t') {
            shown += "\\t";
        } else if (byte == '\n') {
            shown += "\\n";
        } else if (byte == '\r') {
            shown += "\\r";
        } else if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(code, sizeof code, "\\x%02x", byte);
            shown += code;
        } else if (byte == 0xC2 && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned char>(text[++i]));
            shown += code;
        } else {
            shown += static_cast<char>(byte);
        }
    }
    return shown;
}

CliError BadArguments(std::string message)
{
    return {kExitBadArguments, std::move(message)};
}

CliError InFile(const std::string& file, int status, const std::string& problem)
{
    return {status, file + ": " + problem};
}

Arguments Parse(const std::vector<std::string_view>& words)
{
    Arguments arguments;
    if (words.empty())
        throw BadArguments("no command given; see nolvex-cli --help");
    arguments.command = words[0];
    if (arguments.command != "info" && arguments.command != "csv" && arguments.command != "cut" &&
        arguments.command != "render" && arguments.command != "summary")
        throw BadArguments("unknown command \"" + arguments.command + "\"; see nolvex-cli --help");

    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string_view word = words[i];
        auto value = [&]() {
            if (i + 1 >= words.size())
                throw BadArguments(std::string(word) + " needs a value");
            return std::string(words[++i]);
        };
        if (word == "--test")
            arguments.test = value();
        else if (word == "--from")
            arguments.from = value();
        else if (word == "--to")
            arguments.to = value();
        else if (word == "--output")
            arguments.output = value();
        else if (word == "--metric")
            arguments.metrics.push_back(value());
        else if (word == "--force")
            arguments.force = true;
        else if (word == "--json")
            arguments.json = true;
        else if (word.starts_with("--") || !arguments.file.empty())
            throw BadArguments("unexpected argument \"" + std::string(word) +
                               "\"; see nolvex-cli --help");
        else
            arguments.file = word;
    }
    if (arguments.file.empty())
        throw BadArguments(arguments.command + " needs a measurement file");

    const bool info = arguments.command == "info";
    const bool cut = arguments.command == "cut";
    const bool summary = arguments.command == "summary";
    auto require = [&](const std::optional<std::string>& option, const char* name, bool wanted) {
        if (wanted && !option)
            throw BadArguments(arguments.command + " needs " + name);
        if (!wanted && option)
            throw BadArguments(arguments.command + " takes no " + name);
    };
    require(arguments.test, "--test", !info);
    require(arguments.output, "--output", !info && !summary);
    // A summary is of the whole test or of a span: both ends, or neither.
    const bool withSpan = cut || (summary && (arguments.from || arguments.to));
    require(arguments.from, "--from", withSpan);
    require(arguments.to, "--to", withSpan);
    const bool withMetrics = arguments.command == "csv" || arguments.command == "render";
    if (arguments.command == "render" && arguments.metrics.empty())
        throw BadArguments(arguments.command + " needs at least one --metric");
    if (!withMetrics && !arguments.metrics.empty())
        throw BadArguments(arguments.command + " takes no --metric");
    if (arguments.force && !cut)
        throw BadArguments(arguments.command + " takes no --force");
    if (arguments.json && !summary)
        throw BadArguments(arguments.command + " takes no --json");
    // Only cut may replace its input: anything else would put other data in
    // place of the measurement file.
    if (withMetrics &&
        IsSameFile(CString::FromUtf8(*arguments.output), CString::FromUtf8(arguments.file)))
        throw BadArguments(arguments.command + " would write over the measurement file " +
                           arguments.file + "; give another --output");
    return arguments;
}

std::optional<long long> ParseInteger(const std::string& text)
{
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

int ParseDataType(const Arguments& arguments, const std::string& name)
{
    const int byName = MetricCatalogue::FindByName(CString::FromUtf8(name));
    if (byName >= 0)
        return byName;
    const auto number = ParseInteger(name);
    if (number && MetricCatalogue::IsValidDataType(static_cast<int>(*number)) &&
        *number == static_cast<int>(*number))
        return static_cast<int>(*number);
    throw InFile(arguments.file, kExitBadArguments,
                 "unknown metric \"" + name +
                     "\": give a name such as \"A leq\" or a data type from 0 to 60");
}

// Reads the file, warning on standard error when reading stopped before its
// end.
void Load(CNolvexDoc& document, const std::string& file)
{
    if (!document.OnOpenDocument(CString::FromUtf8(file))) {
        std::string message = document.GetLastErrorMessage().ToUtf8();
        if (message.find(file) == std::string::npos)
            message = file + ": " + message;
        throw CliError{kExitFileError, message};
    }
    if (const auto& tail = document.GetUnreadTail())
        std::fprintf(
            stderr, "nolvex-cli: warning: %s\n",
            Escaped(MeasurementFile::DescribeUnreadTail(CString::FromUtf8(file), *tail).ToUtf8())
                .c_str());
}

CNolvexTest& SelectTest(const Arguments& arguments, const CNolvexDoc& document)
{
    const int count = document.GetTestCount();
    const auto position = ParseInteger(*arguments.test);
    if (!position || *position < 1 || *position > count)
        throw InFile(arguments.file, kExitBadArguments,
                     "there is no test " + *arguments.test + ": the file has " +
                         std::to_string(count) + (count == 1 ? " test" : " tests") +
                         (count > 0 ? ", numbered from 1" : ""));
    return *document.GetTest(static_cast<int>(*position - 1));
}

std::int32_t ParseSample(const Arguments& arguments, const CNolvexTest& test,
                         const std::string& text, const char* option)
{
    const auto sample = ParseInteger(text);
    if (!sample || *sample < 0 || *sample >= test.sampleCount)
        throw InFile(arguments.file, kExitBadArguments,
                     std::string(option) + " " + text + " is not a sample of the test \"" +
                         test.name.ToUtf8() + "\", which has " + std::to_string(test.sampleCount) +
                         " samples (0 to " + std::to_string(test.sampleCount - 1) + ")");
    return static_cast<std::int32_t>(*sample);
}

// The span --from and --to give, checked against the test.
std::pair<std::int32_t, std::int32_t> ParseSpan(const Arguments& arguments, const CNolvexTest& test)
{
    const std::int32_t from = ParseSample(arguments, test, *arguments.from, "--from");
    const std::int32_t to = ParseSample(arguments, test, *arguments.to, "--to");
    if (from > to)
        throw InFile(arguments.file, kExitBadArguments,
                     "--from " + std::to_string(from) + " is after --to " + std::to_string(to));
    return {from, to};
}

void RunInfo(const Arguments& arguments)
{
    CNolvexDoc document;
    Load(document, arguments.file);
    int position = 1;
    for (const CNolvexTest* test = document.firstTest; test; test = test->next, ++position) {
        std::printf("%d\t%s\t%s\t%d\t%d\t%d\n", position, Escaped(test->name.ToUtf8()).c_str(),
                    Escaped(test->info.ToUtf8()).c_str(), test->testNumber, test->sampleCount,
                    test->markerCount);
    }
}

void RunCsv(const Arguments& arguments)
{
    std::vector<int> dataTypes;
    for (const std::string& name : arguments.metrics)
        dataTypes.push_back(ParseDataType(arguments, name));

    CNolvexDoc document;
    Load(document, arguments.file);
    const CNolvexTest& test = SelectTest(arguments, document);
    // New metrics go to the head of the list, so the last given is added first.
    for (auto dataType = dataTypes.rbegin(); dataType != dataTypes.rend(); ++dataType)
        document.AddMetric()->dataType = *dataType;
    try {
        CsvExport::Export(test, document.firstMetric, CString::FromUtf8(*arguments.output));
    } catch (const CException& error) {
        throw CliError{kExitFileError, error.GetErrorMessage().ToUtf8()};
    }
}

void RunRender(const Arguments& arguments)
{
    const std::string& output = *arguments.output;
    const auto endsWith = [&output](const char* suffix) {
        const std::string end(suffix);
        if (output.size() < end.size())
            return false;
        std::string tail = output.substr(output.size() - end.size());
        for (char& c : tail)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return tail == end;
    };
    if (!endsWith(".pdf") && !endsWith(".png"))
        throw BadArguments("render writes a .pdf or a .png file, not \"" + output + "\"");
    std::vector<int> dataTypes;
    for (const std::string& name : arguments.metrics)
        dataTypes.push_back(ParseDataType(arguments, name));
    CNolvexDoc document;
    Load(document, arguments.file);
    const CNolvexTest& test = SelectTest(arguments, document);
    int position = 0;
    for (const CNolvexTest* each = document.firstTest; each != &test; each = each->next)
        ++position;
    const CString problem =
        RenderPage(document, position, dataTypes, CString::FromUtf8(*arguments.output));
    if (!problem.IsEmpty())
        throw CliError{kExitFileError, *arguments.output + ": " + problem.ToUtf8()};
}

void RunCut(const Arguments& arguments)
{
    CNolvexDoc document;
    Load(document, arguments.file);
    CNolvexTest& test = SelectTest(arguments, document);
    const auto [from, to] = ParseSpan(arguments, test);
    if (document.GetUnreadTail() && !arguments.force &&
        IsSameFile(CString::FromUtf8(*arguments.output), CString::FromUtf8(arguments.file)))
        throw InFile(arguments.file, kExitFileError,
                     "not written over: the bytes that were not read would be lost; give "
                     "--force to write it all the same, or another --output");
    test.selectionStart = from;
    test.selectionEnd = to;
    if (!document.CutSelection(test))
        std::fprintf(stderr, "nolvex-cli: %s: nothing cut: a span of one sample is never cut\n",
                     arguments.file.c_str());
    if (!document.OnSaveDocument(CString::FromUtf8(*arguments.output)))
        throw CliError{kExitFileError, document.GetLastErrorMessage().ToUtf8()};
}

void RunSummary(const Arguments& arguments)
{
    CNolvexDoc document;
    Load(document, arguments.file);
    const CNolvexTest& test = SelectTest(arguments, document);
    std::int32_t from = 0;
    std::int32_t to = test.sampleCount - 1;
    if (arguments.from)
        std::tie(from, to) = ParseSpan(arguments, test);
    const ExposureSummary summary = SummarizeExposure(test, from, to);
    if (arguments.json) {
        std::fputs(SummaryOutput::FormatJson(summary).c_str(), stdout);
        return;
    }
    const std::string span = summary.samples > 0
                                 ? "samples " + std::to_string(from) + " to " + std::to_string(to)
                                 : "no samples";
    std::printf("Test %lld \"%s\", %s\n", *ParseInteger(*arguments.test),
                Escaped(test.name.ToUtf8()).c_str(), span.c_str());
    std::fputs(SummaryOutput::FormatTable(summary).c_str(), stdout);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string_view> words(argv + 1, argv + argc);
    for (std::string_view word : words) {
        if (word == "--help" || word == "-h" || word == "help") {
            std::fputs(kHelp, stdout);
            return 0;
        }
    }
    // The file the command works on, for the errors that do not name it.
    std::string file;
    auto report = [&file](const std::string& message, int status) {
        const bool named = file.empty() || message.find(file) != std::string::npos;
        std::fprintf(stderr, "nolvex-cli: %s\n",
                     Escaped(named ? message : file + ": " + message).c_str());
        return status;
    };
    try {
        const Arguments arguments = Parse(words);
        file = arguments.file;
        if (arguments.command == "info")
            RunInfo(arguments);
        else if (arguments.command == "csv")
            RunCsv(arguments);
        else if (arguments.command == "render")
            RunRender(arguments);
        else if (arguments.command == "summary")
            RunSummary(arguments);
        else
            RunCut(arguments);
    } catch (const CliError& error) {
        return report(error.message, error.status);
    } catch (const CException& error) {
        return report(error.GetErrorMessage().ToUtf8(), kExitFileError);
    } catch (const std::bad_alloc&) {
        return report(CMemoryException().GetErrorMessage().ToUtf8(), kExitFileError);
    }
    // What was printed must have reached its place: a full disk or a closed
    // pipe behind standard output is an error like any other.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int error = errno;
        std::fprintf(stderr, "nolvex-cli: standard output: %s\n",
                     error != 0 ? std::strerror(error) : "write error");
        return kExitFileError;
    }
    return 0;
}
