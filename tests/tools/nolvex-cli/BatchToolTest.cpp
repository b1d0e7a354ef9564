// Runs the real nolvex-cli on files made in the test and checks what it
// prints, writes and returns.

#include "CArchive.h"
#include "CFile.h"
#include "CMemFile.h"
#include "CsvExport.h"
#include "ExposureSummary.h"
#include "MetricCatalogue.h"
#include "NolvexDoc.h"
#include "NolvexMetric.h"
#include "NolvexTest.h"
#include "SampleGenerator.h"
#include "ScreenSearch.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct CliRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliRun RunCli(const QStringList& arguments, const QString& standardOutputFile = {})
{
    QProcess process;
    if (!standardOutputFile.isEmpty())
        process.setStandardOutputFile(standardOutputFile);
    process.start(QStringLiteral(NOLVEX_CLI_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    CliRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

int LineCount(const std::string& text)
{
    int lines = 0;
    for (char c : text)
        lines += c == '\n';
    return lines;
}

class BatchTool : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(directory.isValid());
        recording = directory.filePath("recording.nolvex");
        GeneratorOptions options;
        options.seed = 7;
        options.durationSeconds = 30.0;
        options.testCount = 2;
        GenerateDocument(options, document);
        ASSERT_TRUE(document.OnSaveDocument(CString::FromQString(recording)));
    }

    QString Path(const char* name) const { return directory.filePath(name); }

    QTemporaryDir directory;
    QString recording;
    CNolvexDoc document;
};

TEST_F(BatchTool, InfoPrintsOneTabSeparatedLinePerTest)
{
    const CliRun run = RunCli({"info", recording});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.err.empty());

    std::string expected;
    int position = 1;
    for (const CNolvexTest* test = document.firstTest; test; test = test->next, ++position) {
        expected += std::to_string(position) + "\t" + test->name.ToUtf8() + "\t" +
                    test->info.ToUtf8() + "\t" + std::to_string(test->testNumber) + "\t" +
                    std::to_string(test->sampleCount) + "\t" + std::to_string(test->markerCount) +
                    "\n";
    }
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(LineCount(run.out), 2);
    EXPECT_NE(run.out.find("\t300\t"), std::string::npos);
}

TEST_F(BatchTool, FilesThatCannotBeReadExitWithOneAndNameTheFile)
{
    const QString missing = Path("missing.nolvex");
    CliRun run = RunCli({"info", missing});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(LineCount(run.err), 1);
    EXPECT_NE(run.err.find(missing.toStdString()), std::string::npos);
    EXPECT_TRUE(run.out.empty());

    // A file cut off inside a sample record.
    const QString truncated = Path("truncated.nolvex");
    QFile file(truncated);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ReadAll(recording).left(5000));
    file.close();
    run = RunCli({"info", truncated});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(LineCount(run.err), 1);
    EXPECT_NE(run.err.find(truncated.toStdString()), std::string::npos);
    EXPECT_NE(run.err.find("ends unexpectedly"), std::string::npos);

    run = RunCli({"csv", missing, "--test", "1", "--metric", "A leq", "--output", Path("x.csv")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(QFile::exists(Path("x.csv")));
}

TEST_F(BatchTool, BadArgumentsExitWithTwo)
{
    const QString out = Path("out.csv");
    const std::vector<QStringList> bad = {
        {},
        {"summary", recording},
        {"info"},
        {"info", recording, "extra"},
        {"csv", recording, "--test", "1", "--metric", "A loud", "--output", out},
        {"csv", recording, "--test", "1", "--metric", "61", "--output", out},
        {"csv", recording, "--test", "0", "--metric", "A leq", "--output", out},
        {"csv", recording, "--test", "3", "--metric", "A leq", "--output", out},
        {"csv", recording, "--test", "one", "--metric", "A leq", "--output", out},
        {"csv", recording, "--metric", "A leq", "--output", out},
        {"cut", recording, "--test", "1", "--from", "20", "--to", "10", "--output", out},
        {"cut", recording, "--test", "1", "--from", "10", "--to", "300", "--output", out},
        {"cut", recording, "--test", "1", "--from", "-1", "--to", "10", "--output", out},
        {"cut", recording, "--test", "1", "--from", "10", "--output", out},
        {"cut", recording, "--test", "1", "--from", "1", "--to", "2", "--output"},
        {"info", recording, "--force"},
        {"csv", recording, "--test", "1", "--output", out, "--force"},
        {"summary", recording, "--test", "1", "--from", "10"},
        {"summary", recording, "--test", "1", "--to", "10"},
        {"summary", recording, "--test", "1", "--from", "20", "--to", "10"},
        {"summary", recording, "--test", "1", "--from", "0", "--to", "300"},
        {"summary", recording, "--test", "1", "--from", "-1", "--to", "3"},
        {"summary", recording, "--test", "3"},
        {"summary", recording, "--test", "1", "--output", out},
        {"summary", recording, "--test", "1", "--force"},
        {"csv", recording, "--test", "1", "--output", out, "--json"},
    };
    for (const QStringList& arguments : bad) {
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(LineCount(run.err), 1) << run.err;
    }
    EXPECT_FALSE(QFile::exists(out));

    const CliRun unknown =
        RunCli({"csv", recording, "--test", "1", "--metric", "A loud", "--output", out});
    EXPECT_NE(unknown.err.find(recording.toStdString()), std::string::npos);
    EXPECT_NE(unknown.err.find("A loud"), std::string::npos);
}

TEST_F(BatchTool, HelpDescribesEveryCommand)
{
    const CliRun run = RunCli({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* word : {"info", "csv", "cut", "summary", "--test", "--metric", "--from",
                             "--to", "--output", "--json", "LAeq", "LEX,8h", "LAF99", "OSHA PEL",
                             "NIOSH / ACGIH", "ISO / EU", "Exit status"})
        EXPECT_NE(run.out.find(word), std::string::npos) << word;
}

TEST_F(BatchTool, CsvWritesTheMetricsInTheOrderGiven)
{
    const QString out = Path("second.csv");
    const CliRun run = RunCli(
        {"csv", recording, "--test", "2", "--metric", "A leq", "--metric", "0", "--output", out});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const CNolvexTest& test = *document.GetTest(1);
    const std::string csv = ReadAll(out).toStdString();
    const std::string header = test.name.ToUtf8() + "\n" + test.info.ToUtf8() +
                               "\nTest #: " + std::to_string(test.testNumber) + "\nA leq, A fast\n";
    ASSERT_EQ(csv.substr(0, header.size()), header);
    EXPECT_EQ(LineCount(csv), 4 + test.sampleCount);

    char line[64];
    std::snprintf(line, sizeof line, "\n%.2lf, %.2lf\n", static_cast<double>(test.Value(2, 0)),
                  static_cast<double>(test.Value(0, 0)));
    EXPECT_EQ(csv.substr(header.size() - 1, std::string(line).size()), line);
    std::snprintf(line, sizeof line, "\n%.2lf, %.2lf\n",
                  static_cast<double>(test.Value(2, test.sampleCount - 1)),
                  static_cast<double>(test.Value(0, test.sampleCount - 1)));
    EXPECT_EQ(csv.substr(csv.size() - std::string(line).size()), line);
}

TEST_F(BatchTool, CsvIntoAFolderThatDoesNotExistExitsWithOne)
{
    const QString out = Path("no/such/folder/out.csv");
    const CliRun run =
        RunCli({"csv", recording, "--test", "1", "--metric", "TWA", "--output", out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(LineCount(run.err), 1);
    EXPECT_NE(run.err.find(out.toStdString()), std::string::npos);
}

TEST_F(BatchTool, CutGivesWhatTheProgramsCutSelectionGives)
{
    const QString out = Path("cut.nolvex");
    const CliRun run =
        RunCli({"cut", recording, "--test", "1", "--from", "10", "--to", "19", "--output", out});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    CNolvexTest& test = *document.firstTest;
    test.selectionStart = 10;
    test.selectionEnd = 19;
    ASSERT_TRUE(document.CutSelection(test));
    CMemFile expected;
    CArchive archive(&expected, CArchive::store);
    document.Serialize(archive);
    archive.Close();

    const QByteArray written = ReadAll(out);
    ASSERT_EQ(static_cast<std::size_t>(written.size()), expected.Bytes().size());
    EXPECT_TRUE(std::equal(expected.Bytes().begin(), expected.Bytes().end(),
                           reinterpret_cast<const BYTE*>(written.constData())));

    CNolvexDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(CString::FromQString(out)));
    EXPECT_EQ(reread.firstTest->sampleCount, 290);
    EXPECT_EQ(reread.GetTest(1)->sampleCount, 300);
}

TEST_F(BatchTool, CutCanReplaceItsOwnInput)
{
    const CliRun run = RunCli(
        {"cut", recording, "--test", "2", "--from", "0", "--to", "99", "--output", recording});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    CNolvexDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(CString::FromQString(recording)));
    EXPECT_EQ(reread.firstTest->sampleCount, 300);
    EXPECT_EQ(reread.GetTest(1)->sampleCount, 200);
    EXPECT_EQ(QDir(directory.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(BatchTool, CutOfOneSampleWritesTheFileUnchangedAndSaysSo)
{
    const QString out = Path("same.nolvex");
    const CliRun run =
        RunCli({"cut", recording, "--test", "1", "--from", "5", "--to", "5", "--output", out});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.find("nothing cut"), std::string::npos);
    EXPECT_EQ(ReadAll(out), ReadAll(recording));
}

TEST_F(BatchTool, FailedCutLeavesTheOutputAsItWas)
{
    const QByteArray before = ReadAll(recording);
    const QString out = Path("missing-folder/cut.nolvex");
    const CliRun run =
        RunCli({"cut", recording, "--test", "1", "--from", "0", "--to", "9", "--output", out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(LineCount(run.err), 1);
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(ReadAll(recording), before);
}

constexpr QRgb kPaper = qRgb(255, 255, 255);
constexpr QRgb kBlack = qRgb(0, 0, 0);

QRgb AsQRgb(COLORREF colour)
{
    return qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

// Ink of a colour on the page's paper.
std::function<bool(QRgb)> InkOf(QRgb colour)
{
    return [colour](QRgb pixel) { return ScreenSearch::IsInk(pixel, colour, kPaper); };
}

// The middle row of a curve's pixels in each column of the plot it reaches.
std::map<int, double> CurveRows(const QImage& page, QRect plot, QRgb colour)
{
    std::map<int, double> rows;
    for (int x = plot.left(); x <= plot.right(); ++x) {
        int count = 0;
        double sum = 0.0;
        for (int y = plot.top(); y <= plot.bottom(); ++y) {
            if (page.pixel(x, y) == colour) {
                ++count;
                sum += y;
            }
        }
        if (count > 0)
            rows[x] = sum / count;
    }
    return rows;
}

// Pairs of a metric's value and the row its curve shows it at, one per
// column the curve reaches: the samples are spread evenly from the curve's
// first column to its last, and a column between two samples shows a value
// between theirs.
void AddValueRows(const CNolvexTest& test, int dataType, const std::map<int, double>& rows,
                  std::vector<std::pair<double, double>>& pairs)
{
    const int first = rows.begin()->first;
    const int last = rows.rbegin()->first;
    const int lastSample = test.sampleCount - 1;
    for (const auto& [x, row] : rows) {
        const double sample = static_cast<double>(x - first) / (last - first) * lastSample;
        const int before = std::min(static_cast<int>(sample), lastSample - 1);
        const double after = sample - before;
        const double value =
            test.Value(dataType, before) * (1.0 - after) + test.Value(dataType, before + 1) * after;
        pairs.emplace_back(value, row);
    }
}

// How well the rows follow one straight line of the values, from -1 (higher
// values exactly higher on the page) to 1.
double Correlation(const std::vector<std::pair<double, double>>& pairs)
{
    double meanValue = 0.0;
    double meanRow = 0.0;
    for (const auto& [value, row] : pairs) {
        meanValue += value / pairs.size();
        meanRow += row / pairs.size();
    }
    double both = 0.0;
    double values = 0.0;
    double rows = 0.0;
    for (const auto& [value, row] : pairs) {
        both += (value - meanValue) * (row - meanRow);
        values += (value - meanValue) * (value - meanValue);
        rows += (row - meanRow) * (row - meanRow);
    }
    return both / std::sqrt(values * rows);
}

} // namespace

TEST_F(BatchTool, RenderDrawsThePrintedPageIntoAPicture)
{
    const CliRun picture = RunCli({"render", recording, "--test", "2", "--metric", "A fast",
                                   "--metric", "A leq", "--output", Path("page.png")});
    ASSERT_EQ(picture.exitCode, 0) << picture.err;
    const QByteArray png = ReadAll(Path("page.png"));
    EXPECT_TRUE(png.startsWith("\x89PNG"));
    QImage page;
    ASSERT_TRUE(page.loadFromData(png, "PNG"));
    page = page.convertToFormat(QImage::Format_RGB32);
    // An A4 page on its side at 96 dots per inch, white as paper.
    ASSERT_EQ(page.size(), QSize(1123, 794));
    EXPECT_EQ(page.pixel(page.width() / 2, 2), kPaper);

    // The plot: right of the value axis and above the time axis, two black
    // lines that meet at its bottom left and reach across most of the page.
    const QRect valueAxis = ScreenSearch::LongestLine(
        page, QRect(0, 0, page.width() / 3, page.height()), kBlack, Qt::Vertical);
    const QRect timeAxis = ScreenSearch::LongestLine(
        page, QRect(0, page.height() * 2 / 3, page.width(), page.height()), kBlack, Qt::Horizontal);
    ASSERT_GE(valueAxis.height(), page.height() * 8 / 10) << "no value axis";
    ASSERT_GE(timeAxis.width(), page.width() * 8 / 10) << "no time axis";
    EXPECT_LE(std::abs(valueAxis.bottom() - timeAxis.top()), 1);
    EXPECT_LE(std::abs(timeAxis.left() - valueAxis.left()), 1);
    const QRect plot(QPoint(valueAxis.left() + 1, valueAxis.top()),
                     QPoint(timeAxis.right(), timeAxis.top() - 1));

    // The axes' labels: numbers down the value axis, times along the time
    // axis.
    EXPECT_GE(ScreenSearch::RowBands(
                  page, QRect(QPoint(0, plot.top()), QPoint(valueAxis.left() - 3, timeAxis.top())),
                  InkOf(kBlack))
                  .size(),
              5u);
    for (int fifth = 0; fifth < 5; ++fifth) {
        const QRect under(plot.left() + plot.width() * fifth / 5, timeAxis.top() + 3,
                          plot.width() / 5, page.height() - timeAxis.top() - 3);
        EXPECT_GT(ScreenSearch::Count(page, under, InkOf(kBlack)), 10) << "fifth " << fifth;
    }

    // Each metric's curve in the colour it was given, added in the order
    // named, along the whole test inside the plot.
    const CNolvexTest& test = *document.GetTest(1);
    struct Shown
    {
        const char* name;
        QRgb colour;
    };
    const Shown metrics[] = {{"A fast", AsQRgb(MetricPalette::ColourOfTurn(0))},
                             {"A leq", AsQRgb(MetricPalette::ColourOfTurn(1))}};
    std::vector<std::pair<double, double>> valueRows;
    for (const Shown& metric : metrics) {
        const std::map<int, double> rows = CurveRows(page, plot, metric.colour);
        ASSERT_FALSE(rows.empty()) << metric.name << " has no curve";
        const int first = rows.begin()->first;
        const int last = rows.rbegin()->first;
        EXPECT_LE(first - plot.left(), plot.width() / 50) << metric.name;
        EXPECT_GE(last - first, plot.width() * 8 / 10) << metric.name;
        // Unbroken from end to end, but where the other curve covers it.
        EXPECT_GE(static_cast<int>(rows.size()), (last - first + 1) * 95 / 100) << metric.name;
        AddValueRows(test, MetricCatalogue::FindByName(metric.name), rows, valueRows);
    }
    // Both curves on the one value axis: the rows follow the values, higher
    // values higher up, for both together. Another metric's curve, or one
    // at another height, would leave the line.
    EXPECT_LT(Correlation(valueRows), -0.98);

    // The legend right of the plot: a patch of each metric's colour, the
    // newest first, with its name beside it.
    const QRect legendArea(QPoint(timeAxis.right() + 1, 0),
                           QPoint(page.width() - 1, plot.center().y()));
    int below = legendArea.top();
    for (const Shown& metric : {metrics[1], metrics[0]}) {
        const QPoint corner = ScreenSearch::Find(
            page, QRect(QPoint(legendArea.left(), below), legendArea.bottomRight()),
            [&](QRgb pixel) { return pixel == metric.colour; });
        ASSERT_FALSE(corner.isNull()) << metric.name << " is not in the legend";
        const QRect patch = ScreenSearch::SolidRect(page, corner);
        EXPECT_GE(patch.width(), 5) << metric.name;
        EXPECT_GE(patch.height(), 5) << metric.name;
        const QRect name(QPoint(patch.right() + 2, patch.top()),
                         QPoint(legendArea.right(), patch.bottom()));
        EXPECT_GT(ScreenSearch::Count(page, name, InkOf(kBlack)), 10) << metric.name;
        below = patch.bottom() + 1;
    }

    // A leq runs from the start of the test: its last value is printed in
    // its colour at the top of the plot. The text is smoothed, so it has
    // shades of the colour that the curves, drawn without smoothing, do not.
    const QRgb leqColour = metrics[1].colour;
    const QRect top(plot.topLeft(), QSize(plot.width() / 2, plot.height() / 8));
    EXPECT_GT(ScreenSearch::Count(page, top,
                                  [&](QRgb pixel) {
                                      return pixel != leqColour &&
                                             ScreenSearch::IsInk(pixel, leqColour, kPaper);
                                  }),
              20);
}

TEST_F(BatchTool, RenderWritesThePrintedPageIntoAPdf)
{
    const CliRun pdf = RunCli(
        {"render", recording, "--test", "1", "--metric", "TWA", "--output", Path("page.pdf")});
    ASSERT_EQ(pdf.exitCode, 0) << pdf.err;
    EXPECT_TRUE(ReadAll(Path("page.pdf")).startsWith("%PDF"));
}

TEST_F(BatchTool, RenderRefusesOtherPicturesAndMissingMetrics)
{
    const CliRun jpeg = RunCli(
        {"render", recording, "--test", "1", "--metric", "TWA", "--output", Path("page.jpg")});
    EXPECT_EQ(jpeg.exitCode, 2);
    EXPECT_NE(jpeg.err.find(".pdf or a .png"), std::string::npos);
    EXPECT_FALSE(QFile::exists(Path("page.jpg")));
    const CliRun bare = RunCli({"render", recording, "--test", "1", "--output", Path("page.png")});
    EXPECT_EQ(bare.exitCode, 2);
    const CliRun noTest = RunCli(
        {"render", recording, "--test", "9", "--metric", "TWA", "--output", Path("page.png")});
    EXPECT_EQ(noTest.exitCode, 2);
}

TEST_F(BatchTool, ControlCharactersInNamesAreShownEscaped)
{
    CNolvexTest& test = *document.firstTest;
    test.name = CString::FromUtf8("Line\t2\nred \x1b[31mloud\x7f \xc2\x9b end");
    test.info = CString::FromUtf8("caf\xc3\xa9\r");
    ASSERT_TRUE(document.OnSaveDocument(CString::FromQString(recording)));

    const CliRun info = RunCli({"info", recording});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    // Still one line per test and six fields on it.
    ASSERT_EQ(LineCount(info.out), 2);
    const std::string first = info.out.substr(0, info.out.find('\n'));
    EXPECT_EQ(first, "1\tLine\\t2\\nred \\x1b[31mloud\\x7f \\u009b end\tcaf\xc3\xa9\\r\t" +
                         std::to_string(test.testNumber) + "\t300\t" +
                         std::to_string(test.markerCount));

    // In messages too: the name of the test comes in the error about a sample.
    const CliRun cut = RunCli(
        {"cut", recording, "--test", "1", "--from", "0", "--to", "999", "--output", Path("o")});
    EXPECT_EQ(cut.exitCode, 2);
    EXPECT_EQ(LineCount(cut.err), 1) << cut.err;
    EXPECT_NE(cut.err.find("Line\\t2\\nred \\x1b[31m"), std::string::npos) << cut.err;
    EXPECT_EQ(cut.err.find('\x1b'), std::string::npos);
}

TEST_F(BatchTool, AFailedWriteToStandardOutputIsAnError)
{
    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "this system has no /dev/full";
    const CliRun run = RunCli({"info", recording}, "/dev/full");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("standard output"), std::string::npos) << run.err;
}

TEST_F(BatchTool, CsvAndRenderNeverWriteOverTheMeasurementFile)
{
    const QByteArray before = ReadAll(recording);
    // Named as given, or by another path to the same file.
    const QString sameFile = directory.path() + "/./recording.nolvex";
    const std::vector<QStringList> overwriting = {
        {"csv", recording, "--test", "1", "--metric", "A leq", "--output", recording},
        {"csv", recording, "--test", "1", "--output", sameFile},
        {"render", recording, "--test", "1", "--metric", "A leq", "--output", recording},
    };
    for (const QStringList& arguments : overwriting) {
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(LineCount(run.err), 1) << run.err;
        EXPECT_NE(run.err.find(recording.toStdString()), std::string::npos) << run.err;
    }
    EXPECT_EQ(ReadAll(recording), before);
}

TEST_F(BatchTool, CsvWithoutAMetricWritesTheThreeHeaderLines)
{
    const QString out = Path("header.csv");
    const CliRun run = RunCli({"csv", recording, "--test", "2", "--output", out});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const CNolvexTest& test = *document.GetTest(1);
    EXPECT_EQ(ReadAll(out).toStdString(), test.name.ToUtf8() + "\n" + test.info.ToUtf8() +
                                              "\nTest #: " + std::to_string(test.testNumber) +
                                              "\n");
}

// A recording with bytes the reader cannot take: every command warns, and
// cut does not write over them unless told to.
TEST_F(BatchTool, BytesThatWereNotReadAreToldAndNotWrittenOver)
{
    // The second test's tag replaced by a stray byte: only the first test
    // is read. The tag stands where a file of the first test alone ends.
    CNolvexTest* second = document.firstTest->next;
    document.firstTest->next = nullptr;
    CMemFile firstAlone;
    CArchive archive(&firstAlone, CArchive::store);
    document.Serialize(archive);
    archive.Close();
    document.firstTest->next = second;
    const auto stray = static_cast<qsizetype>(firstAlone.Bytes().size() - 1);
    QByteArray damaged = ReadAll(recording);
    ASSERT_EQ(damaged[stray], '\x7a');
    damaged[stray] = '\x01';
    {
        QFile file(recording);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damaged);
    }
    const std::string warning =
        "stopped reading " + recording.toStdString() + " at byte " + std::to_string(stray) +
        ", before the end of the file: " + std::to_string(damaged.size() - stray) +
        " bytes were not read";

    const CliRun info = RunCli({"info", recording});
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_EQ(LineCount(info.out), 1);
    EXPECT_NE(info.err.find("warning: Nolvex " + warning), std::string::npos) << info.err;

    const CliRun refused = RunCli(
        {"cut", recording, "--test", "1", "--from", "0", "--to", "9", "--output", recording});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find(warning), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused.err;
    EXPECT_EQ(ReadAll(recording), damaged);

    // Another output is fine, and so is the input itself with --force.
    const QString other = Path("first-test.nolvex");
    EXPECT_EQ(
        RunCli({"cut", recording, "--test", "1", "--from", "0", "--to", "9", "--output", other})
            .exitCode,
        0);
    EXPECT_EQ(ReadAll(recording), damaged);
    const CliRun forced = RunCli({"cut", recording, "--test", "1", "--from", "0", "--to", "9",
                                  "--output", recording, "--force"});
    EXPECT_EQ(forced.exitCode, 0) << forced.err;
    EXPECT_EQ(ReadAll(recording), ReadAll(other));
    const CliRun whole = RunCli({"info", recording});
    EXPECT_TRUE(whole.err.empty()) << whole.err;
}

// A file of 100,000 test headers: the batch tool lists them all without
// needing memory for the headers' absent markers and values.
TEST_F(BatchTool, AHundredThousandEmptyTestsAreListedInBoundedMemory)
{
    QByteArray bytes;
    for (int i = 0; i < 100000; ++i) {
        bytes += '\x7a';
        bytes += QByteArray(8, '\0');
        // The name "empty" and an empty info, in the ANSI form.
        bytes += QByteArray("\x05"
                            "empty\x00",
                            7);
        const qint32 number = i;
        bytes += QByteArray(reinterpret_cast<const char*>(&number), 4);
    }
    bytes += '\x85';
    const QString many = Path("many.nolvex");
    {
        QFile file(many);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    const CliRun run = RunCli({"info", many});
    [[maybe_unused]] rusage after{};
    getrusage(RUSAGE_CHILDREN, &after);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(LineCount(run.out), 100000);
    EXPECT_NE(run.out.find("100000\tempty\t\t99999\t0\t0\n"), std::string::npos);
    // The largest resident size of any child so far, in kilobytes: this one
    // unless an earlier one was larger. Under AddressSanitizer the figure is
    // the sanitizer's more than the program's.
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LT(after.ru_maxrss, 100 * 1024) << "peak " << after.ru_maxrss / 1024 << " MB";
#endif
}

namespace {

constexpr int kAFast = 0;
constexpr int kAShortLeq = 4;
constexpr int kASlow = 6;
constexpr int kBandShortLeq = 52;

// A recording whose summary is worked out by hand. Test 1, "Known", has
// 600 samples (a minute): every metric at 70 dB but A short leq at 60 dB
// on even samples and 80 dB on odd ones, A fast at 40 + (i mod 60) dB, so
// each level from 40 to 99 ten times, A slow at 90 dB and band b's short
// leq at 60 + b dB. Test 2, "Gaps", has five samples of NaN alone; test 3,
// "Nothing", no sample.
class Summary : public BatchTool
{
protected:
    void SetUp() override
    {
        BatchTool::SetUp();
        CNolvexTest& known = *summarised.AddTestAfter(nullptr);
        known.name = CString::FromUtf8("Known");
        for (int i = 0; i < 600; ++i) {
            float sample[MetricCatalogue::kMetricCount];
            for (int d = 0; d < MetricCatalogue::kMetricCount; ++d)
                sample[d] = 70.0f;
            sample[kAShortLeq] = i % 2 == 0 ? 60.0f : 80.0f;
            sample[kAFast] = static_cast<float>(40 + i % 60);
            sample[kASlow] = 90.0f;
            for (int band = 0; band < MetricCatalogue::kBandCount; ++band)
                sample[kBandShortLeq + band] = static_cast<float>(60 + band);
            known.AppendSample(sample);
        }
        CNolvexTest& gaps = *summarised.AddTestAfter(&known);
        gaps.name = CString::FromUtf8("Gaps");
        for (int i = 0; i < 5; ++i) {
            float sample[MetricCatalogue::kMetricCount];
            for (float& value : sample)
                value = std::numeric_limits<float>::quiet_NaN();
            gaps.AppendSample(sample);
        }
        summarised.AddTestAfter(&gaps)->name = CString::FromUtf8("Nothing");
        summaryFile = Path("summary.nolvex");
        ASSERT_TRUE(summarised.OnSaveDocument(CString::FromQString(summaryFile)));
    }

    // The JSON summary of a test of the file, parsed.
    QJsonObject JsonOf(QStringList arguments)
    {
        arguments.prepend(summaryFile);
        arguments.prepend("summary");
        arguments << "--json";
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_TRUE(run.err.empty()) << run.err;
        QJsonParseError error{};
        const QJsonDocument json =
            QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
        EXPECT_TRUE(json.isObject());
        return json.object();
    }

    CNolvexDoc summarised;
    QString summaryFile;
};

const std::set<QString> kSummaryKeys = {
    "samples", "nan_samples", "duration_s", "LAeq",   "LCeq",    "LZeq",   "LAFmax",
    "LAFmin",  "LASmax",      "LASmin",     "LAImax", "LApeak",  "LCpeak", "LZpeak",
    "LAE",     "EA_Pa2h",     "LEX8h",      "LAF1",   "LAF5",    "LAF10",  "LAF50",
    "LAF90",   "LAF95",       "LAF99",      "bands",  "profiles"};
const std::set<QString> kBandKeys = {"8kHz",  "4kHz",  "2kHz", "1kHz", "500Hz",
                                     "250Hz", "125Hz", "63Hz", "31Hz"};
const std::set<QString> kProfileKeys = {"OSHA PEL", "OSHA HC", "NIOSH / ACGIH", "ISO / EU"};
const std::set<QString> kProfileMemberKeys = {"dose_percent", "twa", "projected_dose_percent"};

std::set<QString> KeysOf(const QJsonObject& object)
{
    const QStringList keys = object.keys();
    return std::set<QString>(keys.begin(), keys.end());
}

void ExpectEveryKey(const QJsonObject& summary)
{
    EXPECT_EQ(KeysOf(summary), kSummaryKeys);
    EXPECT_EQ(KeysOf(summary["bands"].toObject()), kBandKeys);
    const QJsonObject profiles = summary["profiles"].toObject();
    EXPECT_EQ(KeysOf(profiles), kProfileKeys);
    for (const QString& profile : kProfileKeys)
        EXPECT_EQ(KeysOf(profiles[profile].toObject()), kProfileMemberKeys)
            << profile.toStdString();
}

// The 0.1 s sample's dose in percent at a level under a profile.
double DoseOfOneSample(double level, double criterion, double exchangeRate)
{
    return 100.0 * 0.1 / 28800.0 * std::pow(2.0, (level - criterion) / exchangeRate);
}

// Every figure of the JSON but the counts, as "bands.8kHz" or
// "profiles.OSHA HC.twa" for those inside.
std::map<std::string, QJsonValue> Figures(const QJsonObject& summary)
{
    std::map<std::string, QJsonValue> figures;
    for (const QString& key : summary.keys()) {
        if (key == "bands") {
            const QJsonObject bands = summary[key].toObject();
            for (const QString& band : bands.keys())
                figures["bands." + band.toStdString()] = bands[band];
        } else if (key == "profiles") {
            const QJsonObject profiles = summary[key].toObject();
            for (const QString& profile : profiles.keys()) {
                const QJsonObject members = profiles[profile].toObject();
                for (const QString& member : members.keys())
                    figures["profiles." + profile.toStdString() + "." + member.toStdString()] =
                        members[member];
            }
        } else if (key != "samples" && key != "nan_samples" && key != "duration_s") {
            figures[key.toStdString()] = summary[key];
        }
    }
    return figures;
}

} // namespace

TEST_F(Summary, JsonHasEveryFigureWorkedOutByHand)
{
    const QJsonObject summary = JsonOf({"--test", "1"});
    ExpectEveryKey(summary);
    EXPECT_EQ(summary["samples"].toInt(), 600);
    EXPECT_EQ(summary["nan_samples"].toInt(), 0);
    EXPECT_EQ(summary["duration_s"].toDouble(), 60.0);

    const double laeq = 10.0 * std::log10((1e6 + 1e8) / 2.0); // 77.03 dB
    EXPECT_NEAR(summary["LAeq"].toDouble(), laeq, 1e-9);
    EXPECT_NEAR(summary["LCeq"].toDouble(), 70.0, 1e-9);
    EXPECT_NEAR(summary["LAE"].toDouble(), laeq + 10.0 * std::log10(60.0), 1e-9);
    EXPECT_NEAR(summary["LEX8h"].toDouble(), laeq + 10.0 * std::log10(60.0 / 28800.0), 1e-9);
    EXPECT_NEAR(summary["EA_Pa2h"].toDouble(), std::pow(10.0, (laeq - 94.0) / 10.0) / 60.0, 1e-15);
    EXPECT_EQ(summary["LAFmax"].toDouble(), 99.0);
    EXPECT_EQ(summary["LAFmin"].toDouble(), 40.0);
    EXPECT_EQ(summary["LASmax"].toDouble(), 90.0);
    EXPECT_EQ(summary["LAImax"].toDouble(), 70.0);
    EXPECT_EQ(summary["LZpeak"].toDouble(), 70.0);
    // From the highest, v[k] = 99 - k / 10 (in whole tens): LAF10 is
    // v[ceil(60) - 1] = v[59] = 94, LAF50 v[299] = 70, LAF95 v[569] = 43.
    const std::map<QString, double> exceeded = {{"LAF1", 99},  {"LAF5", 97},  {"LAF10", 94},
                                                {"LAF50", 70}, {"LAF90", 46}, {"LAF95", 43},
                                                {"LAF99", 40}};
    for (const auto& [key, level] : exceeded)
        EXPECT_EQ(summary[key].toDouble(), level) << key.toStdString();
    const QJsonObject bands = summary["bands"].toObject();
    EXPECT_NEAR(bands["8kHz"].toDouble(), 60.0, 1e-9);
    EXPECT_NEAR(bands["1kHz"].toDouble(), 63.0, 1e-9);
    EXPECT_NEAR(bands["31Hz"].toDouble(), 68.0, 1e-9);

    // A slow at 90 dB for a minute: 1/480 of the OSHA day, 2^(5/3) times
    // that under NIOSH; its projection to 8 hours is the daily dose at 90 dB.
    const QJsonObject profiles = summary["profiles"].toObject();
    for (const char* osha : {"OSHA PEL", "OSHA HC"}) {
        const QJsonObject dose = profiles[osha].toObject();
        EXPECT_NEAR(dose["dose_percent"].toDouble(), 100.0 / 480.0, 1e-12) << osha;
        EXPECT_NEAR(dose["twa"].toDouble(), 90.0 + 5.0 / std::log10(2.0) * std::log10(1.0 / 480.0),
                    1e-9)
            << osha;
        EXPECT_NEAR(dose["projected_dose_percent"].toDouble(), 100.0, 1e-9) << osha;
    }
    EXPECT_NEAR(profiles["NIOSH / ACGIH"]["projected_dose_percent"].toDouble(),
                100.0 * std::pow(2.0, 5.0 / 3.0), 1e-9);
    // ISO / EU counts A short leq, 300 samples at 60 dB and 300 at 80.
    EXPECT_NEAR(profiles["ISO / EU"]["dose_percent"].toDouble(),
                300 * (DoseOfOneSample(60.0, 85.0, 3.0) + DoseOfOneSample(80.0, 85.0, 3.0)), 1e-12);
}

TEST_F(Summary, JsonNumbersReadBackAsTheSummaryComputesThem)
{
    // A span: samples 100 to 249 of the first test.
    const QJsonObject summary = JsonOf({"--test", "1", "--from", "100", "--to", "249"});
    ExpectEveryKey(summary);
    EXPECT_EQ(summary["samples"].toInt(), 150);
    EXPECT_EQ(summary["duration_s"].toDouble(), 15.0);
    const ExposureSummary expected = SummarizeExposure(*summarised.firstTest, 100, 249);
    const std::map<std::string, QJsonValue> figures = Figures(summary);
    ASSERT_EQ(figures.size(), 21u + 9u + 12u);
    // Unrounded: each number reads back as the very double.
    EXPECT_EQ(figures.at("LAeq").toDouble(), expected.laeq.value());
    EXPECT_EQ(figures.at("LAE").toDouble(), expected.lae.value());
    EXPECT_EQ(figures.at("EA_Pa2h").toDouble(), expected.exposurePaSquaredHours.value());
    EXPECT_EQ(figures.at("bands.250Hz").toDouble(), expected.bandLeq[5].value());
    EXPECT_EQ(figures.at("profiles.ISO / EU.twa").toDouble(), expected.profiles[3].twa.value());
    EXPECT_EQ(figures.at("LAF50").toDouble(), expected.lafExceeded[3].value());
    for (const auto& [name, value] : figures)
        EXPECT_TRUE(value.isDouble()) << name;
}

TEST_F(Summary, FiguresWithoutValuesAreNull)
{
    // Only NaN: counted, and every figure null.
    const QJsonObject gaps = JsonOf({"--test", "2"});
    ExpectEveryKey(gaps);
    EXPECT_EQ(gaps["samples"].toInt(), 5);
    EXPECT_EQ(gaps["nan_samples"].toInt(), 5);
    EXPECT_EQ(gaps["duration_s"].toDouble(), 0.5);
    for (const auto& [name, value] : Figures(gaps))
        EXPECT_TRUE(value.isNull()) << name;

    const QJsonObject nothing = JsonOf({"--test", "3"});
    ExpectEveryKey(nothing);
    EXPECT_EQ(nothing["samples"].toInt(), 0);
    EXPECT_EQ(nothing["duration_s"].toDouble(), 0.0);
    for (const auto& [name, value] : Figures(nothing))
        EXPECT_TRUE(value.isNull()) << name;
}

TEST_F(Summary, TableShowsEachFigureOnAnAlignedLine)
{
    const CliRun run = RunCli({"summary", summaryFile, "--test", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < run.out.size();) {
        const std::size_t end = run.out.find('\n', start);
        ASSERT_NE(end, std::string::npos) << "the last line has no line end";
        lines.push_back(run.out.substr(start, end - start));
        start = end + 1;
    }
    // A title, nine section headings and 48 figures.
    ASSERT_EQ(lines.size(), 1u + 9u + 48u);
    EXPECT_EQ(lines[0], "Test 1 \"Known\", samples 0 to 599");
    std::vector<std::string> headings;
    std::set<std::size_t> valueEnds;
    for (std::size_t l = 1; l < lines.size(); ++l) {
        const std::string& line = lines[l];
        if (line.rfind("  ", 0) != 0) {
            headings.push_back(line);
            continue;
        }
        // The value ends where the unit's two spaces begin, or the line ends.
        const std::size_t unit = line.find("  ", line.find_first_not_of(' ', 2));
        const std::size_t afterFigure = line.find_first_not_of(' ', unit);
        const std::size_t valueEnd = line.find("  ", afterFigure);
        valueEnds.insert(valueEnd == std::string::npos ? line.size() : valueEnd);
    }
    EXPECT_EQ(headings, (std::vector<std::string>{"Range", "Levels", "Exposure",
                                                  "Exceedance levels", "Octave bands", "OSHA PEL",
                                                  "OSHA HC", "NIOSH / ACGIH", "ISO / EU"}));
    EXPECT_EQ(valueEnds.size(), 1u) << "values are not right-aligned";
    for (const char* shown : {"77.03  dB", "60.00  s", "0:01:00.0  h:mm:ss.s", "Pa\u00b2h",
                              "LEX,8h", "Leq 31Hz", "0.21  %", "100.00  %"})
        EXPECT_NE(run.out.find(shown), std::string::npos) << shown;

    const CliRun gaps = RunCli({"summary", summaryFile, "--test", "2"});
    ASSERT_EQ(gaps.exitCode, 0) << gaps.err;
    EXPECT_NE(gaps.out.find("  LAeq"), std::string::npos);
    EXPECT_EQ(LineCount(gaps.out), 58);
    EXPECT_NE(gaps.out.find("-  dB\n"), std::string::npos);
    const CliRun nothing = RunCli({"summary", summaryFile, "--test", "3"});
    EXPECT_EQ(nothing.exitCode, 0) << nothing.err;
    EXPECT_EQ(nothing.out.substr(0, nothing.out.find('\n')), "Test 3 \"Nothing\", no samples");
}
