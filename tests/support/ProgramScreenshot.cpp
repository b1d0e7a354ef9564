#include "ProgramScreenshot.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

QImage ProgramScreenshot(const QString& program)
{
    QTemporaryDir folder;
    if (!folder.isValid()) {
        ADD_FAILURE() << "no folder for the picture";
        return {};
    }
    const QString path = folder.filePath("screenshot.png");
    QProcess run;
    run.start(program, {"--screenshot", path});
    if (!run.waitForFinished(60000)) {
        ADD_FAILURE() << program.toStdString() << " did not end";
        return {};
    }
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit) << program.toStdString();
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    const QImage picture(path);
    EXPECT_FALSE(picture.isNull()) << program.toStdString() << " wrote no picture";
    return picture.convertToFormat(QImage::Format_RGB32);
}
