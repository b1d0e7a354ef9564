// The value list as a person uses it: the Data Type drop-down by keyboard
// and by mouse, closed by a click outside, and its pick going to the row it
// was opened on; checked by what the program then exports through the real
// file dialog.

#include "ProgramSession.h"

#include <QFile>

namespace {

class ValueListTest : public ProgramTest
{
protected:
    unsigned long window = 0;
    ViewPanes panes;

    void OpenWithAMetric()
    {
        window = ProgramTest::OpenWithAMetric(MakeRecording("list.nolvex", 60), panes);
        ASSERT_NE(window, 0u);
        ASSERT_TRUE(panes.Found());
    }
    // The first row's Data Type cell: its text is drawn in the metric's red,
    // in the list's second column (from 80 to 230 pixels).
    QPoint DataTypeCell()
    {
        const QImage screen = Desktop().Screenshot();
        const QRect column(panes.list.left() + 85, panes.list.top(), 140, panes.list.height());
        const QPoint text = ScreenSearch::Find(screen, column, ScreenSearch::IsRed);
        return text.isNull() ? text : QPoint(text.x() + 20, text.y() + 2);
    }
    // Edit > ... > File > Export CSV through the file dialog; the file's
    // fourth line, the metrics' names.
    std::string ExportedNames(const std::string& name)
    {
        const std::string path = Home() + "/" + name;
        Desktop().Key("alt+f");
        for (int i = 0; i < 4; ++i)
            Desktop().Key("Down");
        Desktop().Key("Return");
        const unsigned long dialog = WaitForOtherWindow(window);
        EXPECT_NE(dialog, 0u) << "no file dialog";
        if (dialog == 0)
            return {};
        Desktop().Type(path);
        Desktop().Key("Return");
        EXPECT_TRUE(WaitForOnly(window));
        XDesktop::WaitUntil([&] { return QFile::exists(QString::fromStdString(path)); });
        Desktop().Settle(200);
        const std::string text = ReadFile(path);
        std::vector<std::string> lines;
        std::string line;
        for (const char c : text) {
            if (c == '\n') {
                lines.push_back(line);
                line.clear();
            } else {
                line += c;
            }
        }
        return lines.size() > 3 ? lines[3] : std::string();
    }
};

} // namespace

TEST_F(ValueListTest, TheDataTypeDropDownGoesByKeyboard)
{
    OpenWithAMetric();
    const QPoint cell = DataTypeCell();
    ASSERT_FALSE(cell.isNull()) << "no row in the list";
    Desktop().Click(cell);
    Desktop().Settle(200);
    SaveScreenshot("drop-down-open");
    // "Leq 1kHz" is entry 46: six pages of seven, then four down.
    for (int i = 0; i < 6; ++i)
        Desktop().Key("Next");
    for (int i = 0; i < 4; ++i)
        Desktop().Key("Down");
    SaveScreenshot("drop-down-moved");
    Desktop().Key("Return");
    Desktop().Settle(300);
    EXPECT_EQ(ExportedNames("picked.csv"), "Leq 1kHz");

    // Escape leaves the cell as it was.
    Desktop().Click(DataTypeCell());
    Desktop().Key("Home");
    Desktop().Key("Escape");
    Desktop().Settle(300);
    EXPECT_EQ(ExportedNames("escaped.csv"), "Leq 1kHz");
}

TEST_F(ValueListTest, TheDropDownPicksByMouseAndAClickOutsideClosesIt)
{
    OpenWithAMetric();
    QPoint cell = DataTypeCell();
    ASSERT_FALSE(cell.isNull());
    Desktop().Click(cell);
    Desktop().Settle(200);
    // The third entry lies two and a half rows below the box over the cell.
    const QImage open = Desktop().Screenshot();
    // The open list is drawn on the window colour with the chosen entry on
    // the highlight colour, right under the cell.
    const QPoint highlight =
        ScreenSearch::Find(open, QRect(cell.x() - 30, cell.y() + 4, 60, 60),
                           [](QRgb colour) { return colour == qRgb(0, 120, 215); });
    ASSERT_FALSE(highlight.isNull()) << "the drop-down did not open under the cell";
    // Down two entries with the mouse: rows are as high as the highlight.
    int rowHeight = 0;
    while (open.pixel(highlight.x(), highlight.y() + rowHeight) == qRgb(0, 120, 215))
        ++rowHeight;
    ASSERT_GT(rowHeight, 5);
    Desktop().Click(QPoint(highlight.x() + 5, highlight.y() + 2 * rowHeight + rowHeight / 2));
    Desktop().Settle(300);
    EXPECT_EQ(ExportedNames("clicked.csv"), "A leq");

    // Open again and click on the chart: closed, nothing changed, and the
    // click did not reach the chart either.
    cell = DataTypeCell();
    Desktop().Click(cell);
    Desktop().Settle(200);
    Desktop().Click(panes.chart.center());
    Desktop().Settle(300);
    const QImage after = Desktop().Screenshot();
    EXPECT_EQ(ScreenSearch::CountColour(after, QRect(cell.x() - 30, cell.y() + 4, 60, 60),
                                        qRgb(0, 120, 215)),
              0)
        << "the drop-down stayed open";
    EXPECT_EQ(ExportedNames("outside.csv"), "A leq");
}

TEST_F(ValueListTest, RowsThatDoNotFitGetAScrollBar)
{
    OpenWithAMetric();
    // The strip where a scroll bar would stand, inside the list's edge.
    const QRect strip(panes.list.right() - 2 - 17, panes.list.top() + 30, 15,
                      panes.list.height() - 40);
    const int area = strip.width() * strip.height();
    EXPECT_GT(ScreenSearch::CountColour(Desktop().Screenshot(), strip, qRgb(255, 255, 255)),
              area * 9 / 10)
        << "a scroll bar with one row";
    for (int i = 0; i < 14; ++i) {
        Desktop().Key("alt+e");
        Desktop().Key("Return");
    }
    Desktop().Settle(300);
    SaveScreenshot("list-scroll-bar");
    EXPECT_LT(ScreenSearch::CountColour(Desktop().Screenshot(), strip, qRgb(255, 255, 255)),
              area / 10)
        << "no scroll bar with fifteen rows";
}

TEST_F(ValueListTest, ARightClickColoursTheRowUnderThePointer)
{
    OpenWithAMetric();
    Desktop().Key("alt+e");
    Desktop().Key("Return");
    Desktop().Settle(300);
    // Two rows: the first in red, the second in the palette's next colour.
    const QPoint first = DataTypeCell();
    ASSERT_FALSE(first.isNull());
    // The first row is selected; a right click on the second colours the
    // second.
    Desktop().Click(first);
    Desktop().Key("Escape");
    Desktop().Settle(200);
    const QPoint second(first.x(), first.y() + 17);
    Desktop().Click(second, 3);
    const unsigned long dialog = WaitForOtherWindow(window);
    ASSERT_NE(dialog, 0u) << "no colour dialog";
    Desktop().Key("alt+h");
    Desktop().Key("ctrl+a");
    Desktop().Type("#0000c0");
    Desktop().Key("Return");
    ASSERT_TRUE(WaitForOnly(window));
    Desktop().Settle(300);
    SaveScreenshot("row-coloured");
    const QImage after = Desktop().Screenshot();
    const QRect firstRow(panes.list.left() + 3, first.y() - 6, 220, 12);
    const QRect secondRow(panes.list.left() + 3, second.y() - 6, 220, 12);
    // The texts are drawn smoothed: their cores are near the colour.
    const auto chosenBlue = [](QRgb colour) {
        return qBlue(colour) > 150 && qRed(colour) < 60 && qGreen(colour) < 60;
    };
    EXPECT_FALSE(ScreenSearch::Find(after, secondRow, chosenBlue).isNull())
        << "the second row is not in the chosen colour";
    EXPECT_TRUE(ScreenSearch::Find(after, firstRow, chosenBlue).isNull());
    EXPECT_GT(ScreenSearch::Find(after, firstRow, ScreenSearch::IsRed).isNull() ? 0 : 1, 0)
        << "the first row lost its red";
}
