// Feeds arbitrary bytes to the chart's object loader (CXGraph::Serialize:
// axes, series, labels, pictures and notes). Whatever the bytes, loading
// must either fail with one of the framework's exceptions or give objects
// that
//   - store, load back and store again to exactly the same bytes,
//   - paint on the screen and on a 600-dpi page, and
//   - once painted (which lays out and may rescale the axes), still store,
//     load back and store again to exactly the same bytes: what drawing
//     leaves in the objects is what a stored chart may hold.
//
// Run as "ChartArchiveFuzzer --write-seeds=DIRECTORY" it stores a few charts
// in the directory as a seed corpus and ends.

#include "BitmapEx.h"
#include "CArchive.h"
#include "CFile.h"
#include "CMemFile.h"
#include "CWnd.h"
#include "DCEx.h"
#include "Exceptions.h"
#include "WindowClass.h"
#include "XGraph.h"
#include "XGraphBitmap.h"
#include "XGraphDataNotation.h"

#include <QApplication>
#include <QImage>

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

// The chart the inputs load into, shown in a window on Qt's offscreen
// platform.
struct ChartWindow
{
    CWnd parent;
    CXGraph chart;
    ChartWindow()
    {
        if (!parent.Create(AfxRegisterWndClass(0), "", WS_VISIBLE, CRect(0, 0, 400, 300), nullptr,
                           0) ||
            !chart.Create(CXGraph::kClassName, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300),
                          &parent, 100))
            std::abort();
    }
};

ChartWindow* window = nullptr;

std::vector<BYTE> Store(CXGraph& chart)
{
    CMemFile file;
    CArchive archive(&file, CArchive::store);
    chart.Serialize(archive);
    archive.Close();
    return file.TakeBytes();
}

bool Load(std::vector<BYTE> bytes, CXGraph& chart)
{
    CMemFile file(std::move(bytes));
    try {
        CArchive archive(&file, CArchive::load);
        chart.Serialize(archive);
        return true;
    } catch (const CException&) {
        return false;
    }
}

// Loads what was stored and stores it again: the bytes must not change.
void CheckRoundTrip(const std::vector<BYTE>& stored, CXGraph& chart)
{
    if (!Load(stored, chart))
        std::abort(); // the chart could not load what it stored
    if (Store(chart) != stored)
        std::abort(); // loading changed what was stored
}

void PaintOnScreen(CXGraph& chart)
{
    chart.Invalidate();
    chart.UpdateWindow();
}

// As a 600-dpi printer draws it: every coordinate times 6.25.
void PaintOnPage(CXGraph& chart)
{
    QImage page(400, 300, QImage::Format_RGB32);
    CDCEx dc;
    if (!dc.BeginPainting(&page))
        std::abort();
    dc.m_scaled = true;
    dc.m_scaleX = 6.25f;
    dc.m_scaleY = 6.25f;
    chart.PaintPage(&dc, CRect(0, 0, 64, 48), chart.ScreenLook());
}

// Seeds ----------------------------------------------------------------------

std::vector<DataPoint> Ramp(int count, double x0, double dx, double y0, double dy)
{
    std::vector<DataPoint> points(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        points[static_cast<std::size_t>(i)] = {x0 + i * dx, y0 + i * dy};
    return points;
}

void WriteSeed(CXGraph& chart, const std::string& path)
{
    const std::vector<BYTE> bytes = Store(chart);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file)
        std::abort();
}

void WriteSeeds(const std::string& directory)
{
    CXGraph chart;
    WriteSeed(chart, directory + "/empty.chart");

    std::vector<DataPoint> level = Ramp(12, 0, 1, 40, 2.5);
    chart.SetSeriesData(level.data(), 12, 0, 0, 0, true);
    WriteSeed(chart, directory + "/one-series.chart");

    std::vector<DataPoint> peak = Ramp(6, 0, 2, 90, -1);
    CXGraphDataSerie* second = chart.SetSeriesData(peak.data(), 6, 1, 0, 1, true);
    second->m_drawMode = CXGraphDataSerie::drawMarks;
    second->m_showCurveSymbols = true;
    second->m_fill = true;
    second->m_fillToSeries = -1;
    chart.YAxisAt(0).SetColorRange(0, 50, 60, 6, "limit");
    chart.YAxisAt(0).SetMarker(0, 55);
    chart.XAxisAt(0).m_dateTime = true;
    chart.XAxisAt(0).SetDisplayFormat("%H:%M");
    chart.AddLabel(CRect(20, 20, 120, 50), "LAeq 65 dB");
    auto* note = new CXGraphDataNotation;
    note->m_x = 4;
    note->m_y = 50;
    note->m_text = "max";
    chart.AddObject(note);
    auto* picture = new CXGraphBitmap;
    auto* bitmap = new CBitmapEx;
    bitmap->CreateCompatibleBitmap(nullptr, 4, 3);
    bitmap->GetImage()->fill(qRgb(200, 30, 30));
    picture->SetBitmap(bitmap, true);
    picture->m_rect = CRect(300, 20, 340, 50);
    chart.AddObject(picture);
    WriteSeed(chart, directory + "/everything.chart");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Never destroyed: the window lives as long as the process, and Qt's
    // clean-up at exit would run after it.
    static int qtArgc = 1;
    static char* qtArgv[] = {(*argv)[0], nullptr};
    new QApplication(qtArgc, qtArgv);
    std::setlocale(LC_NUMERIC, "C");
    const std::string seedFlag = "--write-seeds=";
    for (int i = 1; i < *argc; ++i) {
        const std::string argument = (*argv)[i];
        if (argument.rfind(seedFlag, 0) == 0) {
            WriteSeeds(argument.substr(seedFlag.size()));
            std::exit(0);
        }
    }
    window = new ChartWindow;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CXGraph& chart = window->chart;
    if (!Load(std::vector<BYTE>(data, data + size), chart))
        return 0;
    CheckRoundTrip(Store(chart), chart);
    PaintOnScreen(chart);
    PaintOnPage(chart);
    CheckRoundTrip(Store(chart), chart);
    return 0;
}
