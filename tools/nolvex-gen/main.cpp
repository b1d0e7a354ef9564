// nolvex-gen: writes a realistic Nolvex measurement file (.nolvex) made up
// from a seed, for trying the program, for tests and for benchmarks.

#include "CString.h"
#include "Exceptions.h"
#include "NolvexDoc.h"
#include "SampleGenerator.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr int kExitWriteError = 1;
constexpr int kExitBadArguments = 2;

// All tests together hold at most a week of samples: the whole document is
// built in memory (about 250 bytes per sample) before it is written.
constexpr double kMaxTotalSeconds = 7 * 24 * 3600.0;
constexpr int kMaxTests = 100;

const char* const kHelp = R"(Usage:
  nolvex-gen --output FILE [--seed N] [--duration SECONDS] [--tests N]
  nolvex-gen --help

Writes a Nolvex measurement file (.nolvex) with made-up but realistic
recordings of a sound level meter and noise dosimeter. The same options
always give the same file, byte for byte.

  --output FILE        the file to write; an existing file is replaced only
                       once the new one is completely written
  --seed N             chooses the recording, 0 to 18446744073709551615
                       (default 1)
  --duration SECONDS   length of every test (default 600); a test holds
                       round(SECONDS * 10) samples, one per 0.1 s
  --tests N            number of tests, 1 to 100 (default 1); each test gets
                       the full duration, so the file holds N times as many
                       samples; all tests together last at most 604800 s
                       (7 days)
  --help               shows this text

What a test holds: its name (the site, or "Shift 1", "Shift 2" ... when there
are several tests), an info text (site, worker, meter position), a test
number (the tests of a file are numbered in turn), and as its header value
its start time as an OLE date (days since 1899-12-30), the tests following
one another with a break between them. The A-weighted short leq wanders
slowly between about 60 and 100 dB, with loud events 10 to 20 dB above it
that last 3 to 45 s and come every two minutes or so; a marker (code 1 to 9)
sits where each event reaches full strength, at most 900 per test. A
nine-band octave spectrum that drifts slowly makes up the Z-weighted short
leq; its A- and C-weighted sums are the A and C short leq, with C and Z never
below A. Fast, slow and impulse levels are the meter's exponential time
weightings (0.125 s, 1 s, 35 ms rising and 1.5 s falling) of the short leq;
short peaks lie 8 to 20 dB above it. Leq, peak, TWA, dose, projected dose and
sound exposure are computed as the program's recalculation computes them.
A file takes about 345 bytes per sample: 10 minutes about 2 MB, 24 hours
about 298 MB.

Exit status: 0 when the file was written; 1 when it could not be made or
written; 2 for bad arguments. Every error is one line on standard error.
)";

struct Arguments
{
    std::optional<std::string> output;
    std::optional<std::string> seed;
    std::optional<std::string> duration;
    std::optional<std::string> tests;
    bool help = false;
};

// A bad argument: the one line to print.
struct ArgumentError
{
    std::string message;
};

std::uint64_t ParseSeed(const std::string& text)
{
    std::uint64_t seed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        throw ArgumentError{"--seed needs a whole number from 0 to 18446744073709551615, not \"" +
                            text + "\""};
    return seed;
}

double ParseDuration(const std::string& text)
{
    double seconds = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(seconds) || seconds < 0.0)
        throw ArgumentError{"--duration needs a number of seconds, 0 or more, not \"" + text +
                            "\""};
    return seconds;
}

int ParseTests(const std::string& text)
{
    int tests = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), tests);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || tests < 1 ||
        tests > kMaxTests)
        throw ArgumentError{"--tests needs a whole number from 1 to " + std::to_string(kMaxTests) +
                            ", not \"" + text + "\""};
    return tests;
}

Arguments ReadArguments(int argc, char** argv)
{
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            arguments.help = true;
            continue;
        }
        // "--name value" or "--name=value".
        std::string_view name = argument;
        std::optional<std::string> value;
        if (const std::size_t equals = argument.find('='); equals != std::string_view::npos) {
            name = argument.substr(0, equals);
            value = std::string(argument.substr(equals + 1));
        }
        std::optional<std::string>* slot = nullptr;
        if (name == "--output")
            slot = &arguments.output;
        else if (name == "--seed")
            slot = &arguments.seed;
        else if (name == "--duration")
            slot = &arguments.duration;
        else if (name == "--tests")
            slot = &arguments.tests;
        else
            throw ArgumentError{"unknown argument \"" + std::string(argument) +
                                "\" (see nolvex-gen --help)"};
        if (slot->has_value())
            throw ArgumentError{std::string(name) + " is given more than once"};
        if (!value) {
            if (i + 1 >= argc)
                throw ArgumentError{std::string(name) + " needs a value"};
            value = argv[++i];
        }
        *slot = std::move(value);
    }
    return arguments;
}

std::string Seconds(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", seconds);
    return text;
}

GeneratorOptions ReadOptions(const Arguments& arguments)
{
    if (!arguments.output || arguments.output->empty())
        throw ArgumentError{"--output FILE is required (see nolvex-gen --help)"};
    GeneratorOptions options;
    if (arguments.seed)
        options.seed = ParseSeed(*arguments.seed);
    if (arguments.duration)
        options.durationSeconds = ParseDuration(*arguments.duration);
    if (arguments.tests)
        options.testCount = ParseTests(*arguments.tests);
    if (options.durationSeconds * options.testCount > kMaxTotalSeconds)
        throw ArgumentError{"the tests would last " +
                            Seconds(options.durationSeconds * options.testCount) +
                            " s in all; at most 604800 s (7 days) can be generated"};
    return options;
}

// Messages may carry the system's description of an error; the report stays
// on one line.
std::string OneLine(std::string text)
{
    for (char& c : text) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    GeneratorOptions options;
    std::string output;
    try {
        const Arguments arguments = ReadArguments(argc, argv);
        if (arguments.help) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        options = ReadOptions(arguments);
        output = *arguments.output;
    } catch (const ArgumentError& error) {
        std::fprintf(stderr, "nolvex-gen: %s\n", OneLine(error.message).c_str());
        return kExitBadArguments;
    }

    CNolvexDoc document;
    try {
        GenerateDocument(options, document);
    } catch (const CException& error) {
        std::fprintf(stderr, "nolvex-gen: %s: %s\n", output.c_str(),
                     OneLine(error.GetErrorMessage().ToUtf8()).c_str());
        return kExitWriteError;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "nolvex-gen: %s: %s\n", output.c_str(),
                     CMemoryException().GetErrorMessage().ToUtf8().c_str());
        return kExitWriteError;
    }

    if (!document.OnSaveDocument(CString::FromUtf8(output))) {
        // The file's errors name the file already; others get its name in front.
        const std::string message = OneLine(document.GetLastErrorMessage().ToUtf8());
        if (message.find(output) != std::string::npos)
            std::fprintf(stderr, "nolvex-gen: cannot write %s\n", message.c_str());
        else
            std::fprintf(stderr, "nolvex-gen: cannot write %s: %s\n", output.c_str(),
                         message.c_str());
        return kExitWriteError;
    }
    return 0;
}
