// The chart demo run as a person would with --screenshot: it ends cleanly
// and its picture shows each of the sample curves inside the plot.

#include "ProgramScreenshot.h"

#include <QImage>

#include <gtest/gtest.h>

#include <map>

namespace {

// The colours the demo gives its four curves.
const std::map<QRgb, const char*> kCurveColours = {{qRgb(100, 149, 237), "A fast"},
                                                   {qRgb(200, 0, 0), "A leq 10 min"},
                                                   {qRgb(0, 128, 0), "A leq hourly"},
                                                   {qRgb(128, 0, 128), "Dose A"}};

} // namespace

TEST(ChartDemoScreenshotTest, ThePictureShowsEveryCurveInThePlot)
{
    const QImage picture = ProgramScreenshot(CHART_DEMO_PATH);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(900, 540));
    // The middle of the plot, clear of the legend and of the series symbols
    // at the axis ends, which show the same colours.
    std::map<QRgb, int> counts;
    for (int y = 30; y < 450; ++y)
        for (int x = 100; x < 600; ++x)
            ++counts[picture.pixel(x, y) | 0xFF000000u];
    for (const auto& [colour, name] : kCurveColours)
        EXPECT_GT(counts[colour], 400) << name << " has " << counts[colour] << " pixels";
}
