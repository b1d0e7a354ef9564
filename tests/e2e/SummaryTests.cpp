// The Exposure Summary window as a person uses it: opened from the View
// menu, following the chart's selection, its table copied to the clipboard
// for a spreadsheet, closed by Escape and with its document; checked by what
// the clipboard then holds, against the batch tool's figures of the file.

#include "ProgramSession.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace {

class SummaryTest : public ProgramTest
{
protected:
    unsigned long window = 0;
    ViewPanes panes;

    // View > Exposure Summary, from the keyboard; the summary's window.
    unsigned long OpenTheSummary()
    {
        Desktop().Key("alt+v");
        Desktop().Key("e");
        return WaitForOtherWindow(window);
    }
    // Copy (Alt+C) in the summary's window; the lines the clipboard holds.
    QStringList CopiedLines()
    {
        Desktop().Key("alt+c");
        Desktop().Settle(200);
        return QString::fromStdString(Desktop().ClipboardText()).split('\n');
    }
    // The first line of a figure in the copied table (after the line of a
    // section, when given), split into its fields.
    static QStringList Line(const QStringList& lines, const QString& figure,
                            const QString& section = QString())
    {
        qsizetype from = section.isEmpty() ? 0 : lines.indexOf(section);
        if (from < 0)
            return {};
        for (qsizetype i = from; i < lines.size(); ++i)
            if (lines[i].startsWith(figure + '\t'))
                return lines[i].split('\t');
        return {};
    }
};

} // namespace

TEST_F(SummaryTest, TheWindowShowsTheTestAndTheSelectionAndCopiesThem)
{
    const std::string path = MakeRecording("shift.nolvex", 120);
    window = OpenWithAMetric(path, panes);
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(panes.Found());

    const unsigned long summary = OpenTheSummary();
    ASSERT_NE(summary, 0u) << "no summary window";
    EXPECT_EQ(Desktop().Title(summary), QString("Exposure Summary"));
    SaveScreenshot("exposure-summary");
    QStringList lines = CopiedLines();
    ASSERT_GT(lines.size(), 40) << "nothing copied";
    EXPECT_EQ(lines[0], QString("Figure\tUnit\tTest\tSelection"));

    // The figures are those the batch tool gives for the file's test.
    const QJsonObject figures =
        QJsonDocument::fromJson(
            QByteArray::fromStdString(RunAndRead(std::string(NOLVEX_CLI_PATH) + " summary '" +
                                                 path + "' --test 1 --json")))
            .object();
    ASSERT_TRUE(figures.contains("LAeq"));
    EXPECT_EQ(Line(lines, "Samples"),
              (QStringList{"Samples", "", QString::number(figures["samples"].toInt()), ""}));
    EXPECT_EQ(
        Line(lines, "LAeq"),
        (QStringList{"LAeq", "dB", QString::asprintf("%.2f", figures["LAeq"].toDouble()), ""}));
    const QJsonObject niosh = figures["profiles"].toObject()["NIOSH / ACGIH"].toObject();
    EXPECT_EQ(Line(lines, "Dose", "NIOSH / ACGIH"),
              (QStringList{"Dose", "%", QString::asprintf("%.2f", niosh["dose_percent"].toDouble()),
                           ""}));

    // The window opens over the chart: moved down by its title bar, it
    // leaves the chart free. A span selected there shows beside the test
    // once the mouse rests.
    const QRect placed = Desktop().Geometry(summary);
    const QRect chart = panes.chart;
    Desktop().Drag(QPoint(placed.left() + 120, placed.top() - 10),
                   QPoint(placed.left() + 120, chart.bottom() + 60));
    Desktop().Settle(300);
    ASSERT_GT(Desktop().Geometry(summary).top(), chart.bottom()) << "the window did not move";
    Desktop().Drag(QPoint(chart.left() + chart.width() * 3 / 10, chart.center().y()),
                   QPoint(chart.left() + chart.width() * 6 / 10, chart.center().y()));
    Desktop().Settle(500);
    SaveScreenshot("exposure-summary-selection");
    ASSERT_EQ(OpenTheSummary(), summary);
    lines = CopiedLines();
    const QStringList samples = Line(lines, "Samples");
    ASSERT_EQ(samples.size(), 4);
    const int selected = samples[3].toInt();
    EXPECT_GT(selected, 1);
    EXPECT_LT(selected, figures["samples"].toInt());
    EXPECT_FALSE(Line(lines, "LAeq").value(3).isEmpty());

    // Escape closes it; the program's window stays.
    Desktop().Key("Escape");
    EXPECT_TRUE(WaitForOnly(window));
}

TEST_F(SummaryTest, TheWindowClosesWithItsDocument)
{
    window = OpenWithAMetric(MakeRecording("closing.nolvex", 30), panes);
    ASSERT_NE(window, 0u);
    const unsigned long summary = OpenTheSummary();
    ASSERT_NE(summary, 0u) << "no summary window";
    // File > Close from the program's window: the document has no changes.
    Desktop().Click(QPoint(panes.tree.center()));
    Desktop().Key("alt+f");
    Desktop().Key("c");
    EXPECT_TRUE(WaitForOnly(window));
    EXPECT_TRUE(Program().IsRunning());
}
