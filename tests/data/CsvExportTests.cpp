// The CSV export, checked as whole file contents.

#include "MeasurementBytes.h"

#include "CsvExport.h"
#include "Exceptions.h"
#include "NolvexMetric.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cfloat>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <limits>
#include <string>

using namespace testing_bytes;

namespace {

constexpr int kAFast = 0;
constexpr int kALeq = 2;

std::string Contents(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll().toStdString();
}

std::string Printed(float value)
{
    char text[512];
    std::snprintf(text, sizeof text, "%.2lf", static_cast<double>(value));
    return text;
}

class CsvExportTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString Path(const char* name = "out.csv") const { return dir.filePath(name); }

    // Exports the test with the document's metrics and returns the file.
    std::string Export(const CNolvexTest& test)
    {
        CsvExport::Export(test, document.firstMetric, CString::FromQString(Path()));
        return Contents(Path());
    }

    CNolvexMetric* AddMetric(int dataType)
    {
        CNolvexMetric* metric = document.AddMetric();
        metric->dataType = dataType;
        return metric;
    }

    QTemporaryDir dir;
    CNolvexDoc document;
};

// A test of two samples with "A fast" and "A leq" values set.
void FillTwoSamples(CNolvexTest& test)
{
    Fill(test, 2, [](int i) {
        Sample sample = DistinctSample(i);
        sample[kAFast] = i == 0 ? 61.25f : 70.5f;
        sample[kALeq] = i == 0 ? 62.0f : 66.37f;
        return sample;
    });
}

} // namespace

TEST_F(CsvExportTest, TwoSamplesTwoMetricsNewestFirst)
{
    CNolvexTest& test = AddTest(document);
    test.name = CString("Hall 2");
    test.info = CString("Night shift");
    test.testNumber = 3;
    FillTwoSamples(test);
    AddMetric(kAFast);
    AddMetric(kALeq);
    EXPECT_EQ(Export(test), "Hall 2\n"
                            "Night shift\n"
                            "Test #: 3\n"
                            "A leq, A fast\n"
                            "62.00, 61.25\n"
                            "66.37, 70.50\n");
}

TEST_F(CsvExportTest, NoMetricGivesTheThreeHeaderLines)
{
    CNolvexTest& test = AddTest(document);
    test.name = CString("n");
    test.info = CString("i");
    test.testNumber = -12;
    FillTwoSamples(test);
    EXPECT_EQ(Export(test), "n\ni\nTest #: -12\n");

    CNolvexTest blank;
    EXPECT_EQ(Export(blank), "\n\nTest #: 0\n");
}

TEST_F(CsvExportTest, NoSamplesGivesTheNameLineOnly)
{
    CNolvexTest test;
    test.name = CString("empty");
    test.testNumber = 1;
    AddMetric(24);
    EXPECT_EQ(Export(test), "empty\n\nTest #: 1\nPascal Sq Hrs\n");
}

TEST_F(CsvExportTest, ValuesAreFormattedAsPrintfDoes)
{
    const float values[] = {
        -0.004f,
        12.345f,
        0.005f,
        0.015f,
        2.675f,
        1.005f,
        99.995f,
        -99.995f,
        0.0f,
        -0.0f,
        1e-10f,
        -1e-10f,
        FLT_MIN,
        std::numeric_limits<float>::denorm_min(),
        123456789.0f,
        1e20f,
        FLT_MAX,
        -FLT_MAX,
        std::numeric_limits<float>::infinity(),
        -std::numeric_limits<float>::infinity(),
        std::numeric_limits<float>::quiet_NaN(),
        -std::numeric_limits<float>::quiet_NaN(),
    };
    const int count = static_cast<int>(std::size(values));
    CNolvexTest test;
    Fill(test, count, [&](int i) {
        Sample sample{};
        sample[kAFast] = values[i];
        return sample;
    });
    AddMetric(kAFast);

    std::string expected = "\n\nTest #: 0\nA fast\n";
    for (float value : values)
        expected += Printed(value) + "\n";
    EXPECT_EQ(Export(test), expected);
    // The one everybody gets wrong: a minus sign and two zero decimals.
    EXPECT_EQ(Printed(-0.004f), "-0.00");
    EXPECT_NE(expected.find("\n-0.00\n"), std::string::npos);
}

TEST_F(CsvExportTest, LinesEndWithALineFeedOnly)
{
    CNolvexTest& test = AddTest(document);
    test.name = CString("a");
    FillTwoSamples(test);
    AddMetric(kAFast);
    AddMetric(kALeq);
    AddMetric(60);
    const std::string text = Export(test);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(text.back(), '\n');
    std::size_t lines = 0;
    for (char c : text)
        lines += c == '\n' ? 1 : 0;
    EXPECT_EQ(lines, 6u);
}

TEST_F(CsvExportTest, HeaderTextInWindows1252)
{
    CNolvexTest test;
    test.name = CString(u"Caf\u00e9 \u20ac");
    test.info = CString(u"\u03a9 e\u0301 \U0001F600");
    EXPECT_EQ(Export(test), "Caf\xE9 \x80\n? \xE9 ?\nTest #: 0\n");
}

TEST_F(CsvExportTest, InvalidDataTypeLeavesAnEarlierFileAsItWas)
{
    CNolvexTest& test = AddTest(document);
    test.name = CString("n");
    test.info = CString("i");
    test.testNumber = 5;
    FillTwoSamples(test);
    AddMetric(kAFast);
    const std::string earlier = Export(test);

    AddMetric(61);
    EXPECT_THROW(Export(test), CInvalidArgException);
    EXPECT_EQ(Contents(Path()), earlier);

    document.firstMetric->dataType = -1;
    EXPECT_THROW(Export(test), CInvalidArgException);
    EXPECT_EQ(Contents(Path()), earlier);
    // Nothing is left behind beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// A write that fails part way (as on a full disk; here the process may not
// write files longer than 64 KB) leaves the earlier CSV whole.
TEST_F(CsvExportTest, FailedWriteLeavesAnEarlierFileAsItWas)
{
    CNolvexTest& test = AddTest(document);
    test.name = CString("long");
    Fill(test, 20000, [](int i) { return DistinctSample(i); });
    AddMetric(kAFast);
    AddMetric(kALeq);
    CNolvexTest shortTest;
    shortTest.name = CString("short");
    const std::string earlier = Export(shortTest);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    // Past the limit a write fails with "file too large" instead of ending
    // the process.
    const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    bool failed = false;
    try {
        CsvExport::Export(test, document.firstMetric, CString::FromQString(Path()));
    } catch (const CFileException&) {
        failed = true;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);

    EXPECT_TRUE(failed);
    EXPECT_EQ(Contents(Path()), earlier);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    // Without the limit the same export is complete.
    EXPECT_GT(Export(test).size(), 64u * 1024u);
}

TEST_F(CsvExportTest, ExistingFileIsTruncated)
{
    {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(std::string(5000, 'x').c_str());
    }
    CNolvexTest test;
    test.testNumber = 2;
    EXPECT_EQ(Export(test), "\n\nTest #: 2\n");
}

TEST_F(CsvExportTest, MissingFolderIsAFileError)
{
    CNolvexTest test;
    AddMetric(kAFast);
    const QString path = dir.filePath("missing/out.csv");
    EXPECT_THROW(CsvExport::Export(test, document.firstMetric, CString::FromQString(path)),
                 CFileException);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}
