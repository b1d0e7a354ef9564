// Speed of the analysis view on a generated 24-hour recording (864,000
// samples) with five metrics on display: opening the file and showing the
// first chart, and one cursor move over a selection of the whole test,
// without and with the Exposure Summary window open.

#include "ExposureSummaryDlg.h"
#include "NolvexDoc.h"
#include "NolvexTest.h"
#include "NolvexView.h"
#include "ResourceIds.h"
#include "SampleGenerator.h"
#include "WindowClass.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

struct DayFile
{
    QTemporaryDir directory;
    CString path;
    DayFile()
    {
        CNolvexDoc document;
        GeneratorOptions options;
        options.seed = 24;
        options.durationSeconds = 24 * 3600.0;
        GenerateDocument(options, document);
        path = CString::FromQString(directory.filePath("day.nolvex"));
        document.OnSaveDocument(path);
    }
};

DayFile* g_file = nullptr;

DayFile& File()
{
    if (g_file == nullptr)
        g_file = new DayFile;
    return *g_file;
}

// A file of 100,000 test headers without samples: as many as a damaged or
// foreign file may seem to hold.
struct ManyTestsFile
{
    QTemporaryDir directory;
    CString path;
    ManyTestsFile()
    {
        CNolvexDoc document;
        CNolvexTest* last = nullptr;
        for (int i = 0; i < 100000; ++i) {
            last = document.AddTestAfter(last);
            last->name = CString("empty");
            last->testNumber = i;
        }
        path = CString::FromQString(directory.filePath("many.nolvex"));
        document.OnSaveDocument(path);
    }
};

// An opened recording in a view with some metrics on display.
struct ShownDay
{
    CNolvexDoc document;
    CWnd frame;
    CNolvexView view;
    explicit ShownDay(const CString& path = File().path, int metrics = 5)
    {
        document.OnOpenDocument(path);
        frame.Create(AfxRegisterWndClass(0), "", WS_VISIBLE, CRect(0, 0, 1600, 900), nullptr, 0);
        view.SetDocument(&document);
        view.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1600, 900),
                    &frame, 0xE900);
        view.OnInitialUpdate();
        for (int i = 0; i < metrics; ++i)
            view.SendMessage(WM_COMMAND, ID_EDIT_ADD_METRIC, 0);
        view.GetChart().Invalidate();
        view.GetChart().UpdateWindow();
    }
};

void OpenDayFileAndShowFiveMetrics(benchmark::State& state)
{
    File();
    for (auto _ : state) {
        auto shown = std::make_unique<ShownDay>();
        benchmark::DoNotOptimize(shown->view.GetChart().GetBackingImage()->constBits());
        state.PauseTiming();
        shown.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenDayFileAndShowFiveMetrics)->Unit(benchmark::kMillisecond);

// Opening the file lists every test in the tree: the time must grow with
// the number of tests, not with its square.
void OpenHundredThousandEmptyTests(benchmark::State& state)
{
    static ManyTestsFile many;
    for (auto _ : state) {
        auto shown = std::make_unique<ShownDay>(many.path, 0);
        benchmark::DoNotOptimize(shown->view.GetChart().GetBackingImage()->constBits());
        state.PauseTiming();
        shown.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenHundredThousandEmptyTests)->Unit(benchmark::kMillisecond);

void CursorMoveOverAWholeDaySelection(benchmark::State& state)
{
    ShownDay shown;
    CXGraph& chart = shown.view.GetChart();
    int step = 0;
    for (auto _ : state) {
        CursorNotify notify{};
        notify.hdr = {&chart, static_cast<UINT_PTR>(chart.GetDlgCtrlID()), XGN_CURSOR_MOVED};
        notify.cursorX = 1000.0 + (step++ % 1000);
        notify.selectionMin = 0.0;
        notify.selectionMax = 86400.0;
        notify.selecting = 1;
        chart.GetParent()->SendMessage(WM_NOTIFY, static_cast<WPARAM>(chart.GetDlgCtrlID()),
                                       reinterpret_cast<LPARAM>(&notify));
        shown.view.GetList().UpdateWindow();
    }
}
BENCHMARK(CursorMoveOverAWholeDaySelection)->Unit(benchmark::kMillisecond);

// Dragging the end of a selection of most of the day with the summary
// window open: each move changes the selection, and the window only puts
// its work off until the drag rests.
void SelectionDragWithTheExposureSummaryOpen(benchmark::State& state)
{
    ShownDay shown;
    shown.view.SendMessage(WM_COMMAND, ID_VIEW_EXPOSURE_SUMMARY, 0);
    CXGraph& chart = shown.view.GetChart();
    int step = 0;
    for (auto _ : state) {
        CursorNotify notify{};
        notify.hdr = {&chart, static_cast<UINT_PTR>(chart.GetDlgCtrlID()), XGN_CURSOR_MOVED};
        notify.selectionMin = 0.0;
        notify.selectionMax = 80000.0 + (step++ % 1000);
        notify.cursorX = notify.selectionMax;
        notify.selecting = 1;
        chart.GetParent()->SendMessage(WM_NOTIFY, static_cast<WPARAM>(chart.GetDlgCtrlID()),
                                       reinterpret_cast<LPARAM>(&notify));
        shown.view.GetList().UpdateWindow();
    }
}
BENCHMARK(SelectionDragWithTheExposureSummaryOpen)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete g_file;
    return 0;
}
