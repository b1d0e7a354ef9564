#include "PdfPages.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace PdfPages {

QImage FirstPage(const QString& path, int dotsPerInch)
{
    QTemporaryDir directory;
    const QString prefix = directory.filePath("page");
    QProcess rasteriser;
    rasteriser.start("pdftoppm", {"-png", "-r", QString::number(dotsPerInch), "-f", "1", "-l", "1",
                                  "-singlefile", path, prefix});
    if (!rasteriser.waitForFinished(60000) || rasteriser.exitStatus() != QProcess::NormalExit ||
        rasteriser.exitCode() != 0)
        return QImage();
    QImage page(prefix + ".png");
    return page.convertToFormat(QImage::Format_RGB32);
}

} // namespace PdfPages
