// Speed of the measurement data on a generated 24-hour test (864,000
// samples, about 298 MB on disk), with a plain memcpy of the file's bytes as
// the yardstick for loading and saving, and of the exposure summary.

#include "CArchive.h"
#include "CFile.h"
#include "CMemFile.h"
#include "CsvExport.h"
#include "ExposureSummary.h"
#include "NolvexDoc.h"
#include "NolvexMetric.h"
#include "NolvexTest.h"
#include "SampleGenerator.h"
#include "SelectionCut.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr double kDaySeconds = 24 * 3600.0;

struct DayRecording
{
    CNolvexDoc document;
    std::vector<BYTE> bytes;
};

DayRecording& Day()
{
    static const std::unique_ptr<DayRecording> day = [] {
        auto recording = std::make_unique<DayRecording>();
        GeneratorOptions options;
        options.seed = 24;
        options.durationSeconds = kDaySeconds;
        GenerateDocument(options, recording->document);
        CMemFile file;
        CArchive archive(&file, CArchive::store);
        recording->document.Serialize(archive);
        archive.Close();
        recording->bytes = file.TakeBytes();
        return recording;
    }();
    return *day;
}

void SetBytes(benchmark::State& state, std::size_t bytesPerIteration)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytesPerIteration));
}

void BM_MemcpyOfFile(benchmark::State& state)
{
    const std::vector<BYTE>& bytes = Day().bytes;
    std::vector<BYTE> copy(bytes.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    SetBytes(state, bytes.size());
}

// The same copy into memory obtained for it, as a load must obtain memory
// for its arrays: the system hands out fresh pages on first touch.
void BM_MemcpyOfFileIntoNewBuffer(benchmark::State& state)
{
    const std::vector<BYTE>& bytes = Day().bytes;
    for (auto _ : state) {
        auto copy = std::make_unique_for_overwrite<BYTE[]>(bytes.size());
        std::memcpy(copy.get(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(copy.get());
        benchmark::ClobberMemory();
        state.PauseTiming();
        copy.reset();
        state.ResumeTiming();
    }
    SetBytes(state, bytes.size());
}

void BM_LoadFromMemory(benchmark::State& state)
{
    const std::vector<BYTE>& bytes = Day().bytes;
    CMemFile file(bytes);
    for (auto _ : state) {
        // Each round reads the bytes from their start.
        file.Open(CString(), CFile::modeRead);
        auto document = std::make_unique<CNolvexDoc>();
        CArchive archive(&file, CArchive::load);
        document->Serialize(archive);
        benchmark::DoNotOptimize(document->firstTest);
        // Freeing the arrays is not part of loading.
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    SetBytes(state, bytes.size());
}

// Loading the day from a file on disk (in the system's cache after the first
// round), as opening it does: read in blocks, never mapped.
void BM_LoadFromFile(benchmark::State& state)
{
    const std::vector<BYTE>& bytes = Day().bytes;
    const QString path = QDir::temp().filePath(
        QStringLiteral("nolvex-bench-%1.nolvex").arg(QCoreApplication::applicationPid()));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
            state.SkipWithError("the day could not be written to a file");
            return;
        }
    }
    for (auto _ : state) {
        auto document = std::make_unique<CNolvexDoc>();
        if (!document->OnOpenDocument(CString::FromQString(path))) {
            state.SkipWithError("the day's file could not be opened");
            break;
        }
        benchmark::DoNotOptimize(document->firstTest);
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    QFile::remove(path);
    SetBytes(state, bytes.size());
}

void BM_SaveToMemory(benchmark::State& state)
{
    DayRecording& day = Day();
    // One file for all rounds, emptied each time, like the copy of the
    // yardstick into a buffer that is already there.
    CMemFile file;
    file.Reserve(day.bytes.size());
    for (auto _ : state) {
        file.Open(CString(), CFile::modeCreate | CFile::modeWrite);
        CArchive archive(&file, CArchive::store);
        day.document.Serialize(archive);
        archive.Close();
        benchmark::DoNotOptimize(file.Bytes().data());
    }
    SetBytes(state, day.bytes.size());
}

// Cuts one hour out of the middle of the day: every array moves and all the
// running metrics of the remaining 23 hours are recalculated.
void BM_CutWithRecalculation(benchmark::State& state)
{
    CMemFile file(Day().bytes);
    for (auto _ : state) {
        state.PauseTiming();
        file.Open(CString(), CFile::modeRead);
        auto document = std::make_unique<CNolvexDoc>();
        CArchive archive(&file, CArchive::load);
        document->Serialize(archive);
        CNolvexTest& test = *document->firstTest;
        test.selectionStart = 12 * 36000;
        test.selectionEnd = 13 * 36000 - 1;
        state.ResumeTiming();
        document->CutSelection(test);
        benchmark::DoNotOptimize(test.values[2].get());
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
}

void BM_CsvExportOfFiveMetrics(benchmark::State& state)
{
    CNolvexDoc metrics;
    for (int dataType : {0, 2, 21, 22, 46})
        metrics.AddMetric()->dataType = dataType;
    const CNolvexTest& test = *Day().document.firstTest;
    for (auto _ : state) {
        CMemFile file;
        file.Reserve(64 << 20);
        CsvExport::Export(test, metrics.firstMetric, file);
        benchmark::DoNotOptimize(file.Bytes().data());
    }
}

// The exposure summary of the whole day: every figure over 864,000 samples.
void BM_ExposureSummaryOfDay(benchmark::State& state)
{
    const CNolvexTest& test = *Day().document.firstTest;
    for (auto _ : state) {
        const ExposureSummary summary = SummarizeExposure(test);
        benchmark::DoNotOptimize(summary.laeq);
    }
}

// The summary of a 10-minute selection in the middle of the day, as the
// program shows it for a span dragged on the chart.
void BM_ExposureSummaryOfTenMinutes(benchmark::State& state)
{
    const CNolvexTest& test = *Day().document.firstTest;
    const std::int32_t first = 12 * 36000;
    for (auto _ : state) {
        const ExposureSummary summary = SummarizeExposure(test, first, first + 6000 - 1);
        benchmark::DoNotOptimize(summary.laeq);
    }
}

} // namespace

// Loading shares a long test out among the cores, so it is timed by the
// clock on the wall, and so are its yardsticks.
BENCHMARK(BM_MemcpyOfFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MemcpyOfFileIntoNewBuffer)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadFromMemory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveToMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CutWithRecalculation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvExportOfFiveMetrics)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExposureSummaryOfDay)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExposureSummaryOfTenMinutes)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
