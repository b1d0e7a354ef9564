#include "RenderPage.h"

#include "CDC.h"
#include "CFile.h"
#include "MetricChart.h"
#include "NolvexDoc.h"
#include "NolvexMetric.h"
#include "XGraph.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryFile>

#include <clocale>
#include <cstdlib>

namespace {

// An A4 page on its side at the screen's 96 dots per inch.
constexpr int kPageWidth = 1123;
constexpr int kPageHeight = 794;

} // namespace

CString RenderPage(CNolvexDoc& document, int testPosition, const std::vector<int>& dataTypes,
                   const CString& output)
{
    const QString path = output.ToQString();
    const bool pdf = path.endsWith(".pdf", Qt::CaseInsensitive);
    if (!pdf && !path.endsWith(".png", Qt::CaseInsensitive))
        return "the output must be a .pdf or a .png file";

    // The page is drawn without a screen.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "nolvex-cli";
    static char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    // The metrics as the view's Add Metric puts them on display: the list
    // shows them in the order they were added, the chart and the page
    // newest first.
    for (std::size_t i = 0; i < dataTypes.size(); ++i)
        document.AddMetric();
    int position = static_cast<int>(dataTypes.size()) - 1;
    for (CNolvexMetric* metric = document.firstMetric; metric != nullptr && position >= 0;
         metric = metric->next, --position)
        metric->dataType = dataTypes[static_cast<std::size_t>(position)];
    // The chart the view shows for the test, without a window.
    CNolvexTest* test = document.GetTest(testPosition);
    CXGraph chart;
    MetricChart::ApplyScreenLook(chart);
    MetricChart::Build(chart, &document, test);
    const PrintLook look = MetricChart::PageLook(document, test);

    // The page goes to a temporary file beside the output, which takes the
    // output's place only once it is complete: a failure leaves an earlier
    // file of that name as it was.
    CDC dc;
    dc.m_bPrinting = TRUE;
    if (pdf) {
        QTemporaryFile partial(path + ".XXXXXX");
        if (!partial.open())
            return CString("cannot write ") + output + ": " +
                   CString::FromQString(partial.errorString());
        partial.close();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(partial.fileName());
        printer.setPageOrientation(QPageLayout::Landscape);
        dc.AttachPrinter(&printer);
        DOCINFO info{};
        info.cbSize = sizeof(DOCINFO);
        info.lpszDocName = u"Nolvex";
        if (dc.StartDoc(&info) <= 0)
            return CString("cannot write ") + output;
        dc.StartPage();
        chart.RenderToDC(&dc, look);
        dc.EndDoc();
        if (printer.printerState() == QPrinter::Error ||
            !MoveFileIntoPlace(CString::FromQString(partial.fileName()),
                               CString::FromQString(path)))
            return CString("cannot write ") + output;
    } else {
        QImage page(kPageWidth, kPageHeight, QImage::Format_RGB32);
        page.fill(Qt::white);
        dc.BeginPainting(&page);
        chart.RenderToDC(&dc, look);
        dc.EndPainting();
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !page.save(&file, "PNG") || !file.commit())
            return CString("cannot write ") + output + ": " +
                   CString::FromQString(file.errorString());
    }
    return {};
}
