// chart-demo: an interactive chart with one sample day of a foundry's noise
// (levels on a date-time axis, the running dose on a logarithmic axis, two
// labels), for a person to try the chart: select and move things, zoom,
// pan, measure, edit points, add labels and trends, and open the property
// dialogs by double clicks or from the right-click menu of the chart's
// commands. With --screenshot FILE it paints the window into a PNG file and
// ends.

#include "ChartDemoFrame.h"
#include "ChartDialogRunners.h"

#include <QApplication>
#include <QImage>

#include <clocale>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    const char* screenshot = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("usage: chart-demo [--screenshot FILE.png]\n"
                        "Shows an interactive chart of a sample day; a right click on the\n"
                        "chart lists its commands.\n"
                        "--screenshot paints the window into FILE.png and ends.\n");
            return 0;
        }
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            screenshot = argv[++i];
            continue;
        }
        std::fprintf(stderr, "chart-demo: unknown argument %s (try --help)\n", argv[i]);
        return 2;
    }
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    // Before the chart exists, so that no click can reach it without its
    // dialogs.
    InstallChartDialogs();

    ChartDemoFrame frame;
    if (!frame.CreateDemo(CRect(100, 100, 1000, 640))) {
        std::fprintf(stderr, "chart-demo: the window could not be made\n");
        return 1;
    }
    if (screenshot != nullptr) {
        QApplication::processEvents();
        if (!PaintWindow(frame).save(screenshot)) {
            std::fprintf(stderr, "chart-demo: cannot write %s\n", screenshot);
            return 1;
        }
        return 0;
    }
    return QApplication::exec();
}
