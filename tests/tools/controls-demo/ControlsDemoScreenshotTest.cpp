// The controls demo run as a person would with --screenshot: it ends cleanly
// and its picture shows the property tree and the value list with the demo's
// content where the controls put it. Places are found from what the picture
// shows (the rows' colour cells, the bands of text), so another font only
// moves them.

#include "ProgramScreenshot.h"
#include "ScreenSearch.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

using ScreenSearch::RowBand;

namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kBlack = qRgb(0, 0, 0);
// The colours of the demo's three metric rows, top to bottom.
constexpr QRgb kRowColours[] = {qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(0, 0, 255)};
// The widths the demo gives the list's columns: Color, Data Type, Cursor
// Value, Avg Selection Value, Cumulative Value.
constexpr int kColumnWidths[] = {80, 150, 100, 100, 100};
constexpr int kColumnCount = static_cast<int>(std::size(kColumnWidths));
// The demo's window: a client area of 720 x 360, the tree in the left 30%.
constexpr QSize kWindowSize(720, 360);

bool Overlap(const RowBand& a, const RowBand& b)
{
    return a.top <= b.bottom && b.top <= a.bottom;
}

class ControlsDemoScreenshot : public ::testing::Test
{
protected:
    void SetUp() override
    {
        picture = ProgramScreenshot(CONTROLS_DEMO_PATH);
        ASSERT_FALSE(HasFailure());
        ASSERT_EQ(picture.size(), kWindowSize);
    }

    // The colour cells of the list's rows, top to bottom, as far as they are
    // found: the first row's starts at the first pixel of its colour, each
    // next one right below the last, past the grid line between the rows.
    std::vector<QRect> ColourCells() const
    {
        std::vector<QRect> cells;
        QRect searched = picture.rect();
        for (QRgb colour : kRowColours) {
            const QPoint corner = ScreenSearch::Find(
                picture, searched, [colour](QRgb pixel) { return pixel == colour; });
            if (picture.pixel(corner) != colour)
                break;
            cells.push_back(ScreenSearch::SolidRect(picture, corner));
            searched = QRect(cells.back().left(), cells.back().bottom() + 1, 1, 3);
        }
        return cells;
    }

    int InkIn(QRect area, QRgb ink, QRgb paper) const
    {
        return ScreenSearch::Count(
            picture, area, [&](QRgb pixel) { return ScreenSearch::IsInk(pixel, ink, paper); });
    }

    std::vector<RowBand> LinesOfText(QRect area) const
    {
        return ScreenSearch::RowBands(
            picture, area, [](QRgb pixel) { return ScreenSearch::IsInk(pixel, kBlack, kWhite); });
    }

    QImage picture;
};

} // namespace

TEST_F(ControlsDemoScreenshot, TheListShowsItsHeaderAndEachMetricRowInTheRowsColour)
{
    const std::vector<QRect> cells = ColourCells();
    ASSERT_EQ(cells.size(), 3u) << "the rows' colour cells are missing";
    const int listLeft = cells[0].left();
    // The list takes the right 70% of the window.
    EXPECT_NEAR(listLeft, kWindowSize.width() * 3 / 10, 12);
    for (const QRect& cell : cells) {
        // A colour cell fills its column, less the grid line.
        EXPECT_EQ(cell.left(), listLeft);
        EXPECT_GE(cell.width(), kColumnWidths[0] - 2);
        EXPECT_LE(cell.width(), kColumnWidths[0]);
        EXPECT_GE(cell.height(), 10);
        EXPECT_EQ(cell.height(), cells[0].height());
    }
    std::vector<int> columnLefts = {listLeft};
    for (int width : kColumnWidths)
        columnLefts.push_back(columnLefts.back() + width);
    // A column's inside, clear of the separators at its ends; the last one
    // is cut off by the window's edge.
    auto columnInside = [&](int column, int top, int bottom) {
        const int right = std::min(columnLefts[column + 1], kWindowSize.width() - 3) - 4;
        return QRect(QPoint(columnLefts[column] + 4, top), QPoint(right, bottom));
    };

    // The header row: a band of the button face above the first row with
    // each column's caption on it.
    const int headerBottom = cells[0].top() - 2;
    const QRgb face = picture.pixel(columnLefts[1] - 4, headerBottom);
    EXPECT_NE(face, kWhite);
    // Its rows are mostly face, whatever the caption covers.
    auto isFaceRow = [&](int y) {
        const QRect row = columnInside(0, y, y);
        return ScreenSearch::CountColour(picture, row, face) * 2 > row.width();
    };
    int headerTop = headerBottom;
    while (headerTop > 0 && isFaceRow(headerTop - 1))
        --headerTop;
    EXPECT_GE(headerBottom - headerTop + 1, 12) << "the header row is too low for a caption";
    for (int column = 0; column < kColumnCount; ++column)
        EXPECT_GE(InkIn(columnInside(column, headerTop, headerBottom), kBlack, face), 5)
            << "no caption in the header of column " << column;

    // Each row: its data type in black, its three values in its colour.
    for (int row = 0; row < 3; ++row) {
        const int top = cells[row].top();
        const int bottom = cells[row].bottom();
        EXPECT_GE(InkIn(columnInside(1, top, bottom), kBlack, kWhite), 5) << "row " << row;
        for (int column = 2; column < kColumnCount; ++column) {
            const QRect values = columnInside(column, top, bottom);
            EXPECT_GE(InkIn(values, kRowColours[row], kWhite), 5)
                << "row " << row << " column " << column;
            EXPECT_EQ(InkIn(values, kBlack, kWhite), 0) << "row " << row << " column " << column;
        }
    }

    // Nothing below the last row.
    const QRect belowRows(QPoint(listLeft, cells.back().bottom() + 2),
                          QPoint(kWindowSize.width() - 3, kWindowSize.height() - 3));
    EXPECT_TRUE(ScreenSearch::IsUniform(picture, belowRows, kWhite));
}

TEST_F(ControlsDemoScreenshot, TheTreeShowsTheTestsOpenTheMarkersClosedAndTheInfoPane)
{
    const std::vector<QRect> cells = ColourCells();
    ASSERT_FALSE(cells.empty());
    // Left of the splitter bar, which is left of the list.
    const int treeRight = cells[0].left() - 8;
    const int treeMiddle = treeRight / 2;
    // The tree's rows are above its info pane, 50 pixels high at the bottom.
    const int infoTop = kWindowSize.height() - 50;

    // The labels, after the margin of the expand boxes: the two sections and
    // the three tests of the open one.
    const std::vector<RowBand> labels =
        LinesOfText(QRect(QPoint(18, 3), QPoint(treeMiddle - 8, infoTop - 10)));
    ASSERT_EQ(labels.size(), 5u) << "Tests, Test 1 to 3 and Markers";
    // The values of the three tests, beside their labels.
    const std::vector<RowBand> values =
        LinesOfText(QRect(QPoint(treeMiddle + 5, 3), QPoint(treeRight - 3, infoTop - 10)));
    ASSERT_EQ(values.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(Overlap(values[i], labels[i + 1])) << "value " << i;

    // The expand boxes of the sections: a minus (one stroke across) on the
    // open section, a plus (a stroke down too) on the closed one.
    const std::vector<RowBand> marks =
        ScreenSearch::RowBands(picture, QRect(QPoint(3, 3), QPoint(17, infoTop - 10)),
                               [](QRgb pixel) { return pixel == kBlack; });
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_TRUE(Overlap(marks[0], labels[0]));
    EXPECT_LE(marks[0].bottom - marks[0].top, 1) << "the open Tests section shows no minus";
    EXPECT_TRUE(Overlap(marks[1], labels[4]));
    EXPECT_GE(marks[1].bottom - marks[1].top, 4) << "the closed Markers section shows no plus";

    // The info pane says that nothing is selected.
    EXPECT_GE(InkIn(QRect(QPoint(3, infoTop + 2), QPoint(treeRight - 3, kWindowSize.height() - 4)),
                    kBlack, kWhite),
              20);
}
