// The splitter bars of the analysis view as a person drags them: a tracker
// shows over the panes while the bar is dragged, and the panes take the new
// sizes when it is let go.

#include "ProgramSession.h"

namespace {

class SplitterTest : public ProgramTest
{
};

// Pixels of a column that the halftone tracker darkened.
int DarkIn(const QImage& image, int column, int top, int bottom)
{
    int dark = 0;
    for (int y = top; y < bottom; ++y)
        dark += qGray(image.pixel(column, y)) < 100 ? 1 : 0;
    return dark;
}

} // namespace

TEST_F(SplitterTest, DraggingTheBarShowsATrackerOverThePanesAndMovesThem)
{
    const std::string path = MakeRecording("split.nolvex", 60);
    StartNolvex({path});
    const unsigned long window = WaitForWindow("Nolvex - ");
    ASSERT_NE(window, 0u);
    const ViewPanes before = FindPanes(window);
    ASSERT_TRUE(before.Found());
    // The bar between the tree and the chart lies just right of the tree.
    const int barX = before.tree.right() + 2;
    const int y = before.chart.top() + before.chart.height() / 3;
    const int column = before.chart.left() + before.chart.width() / 4;
    const QImage still = Desktop().Screenshot();
    Desktop().MoveTo(QPoint(barX, y));
    Desktop().Press(1);
    for (int step = 1; step <= 8; ++step)
        Desktop().MoveTo(QPoint(barX + (column - barX) * step / 8, y));
    Desktop().Settle(200);
    const QImage dragging = SaveScreenshot("splitter-tracker");
    const int top = before.chart.top() + 10;
    const int bottom = before.list.bottom() - 10;
    EXPECT_GT(DarkIn(dragging, column - 1, top, bottom),
              DarkIn(still, column - 1, top, bottom) + (bottom - top) / 4)
        << "no tracker over the chart and the list";
    Desktop().Release(1);
    Desktop().Settle(300);
    const QImage after = Desktop().Screenshot();
    EXPECT_LE(DarkIn(after, column - 1, top, bottom), DarkIn(still, column - 1, top, bottom) + 8)
        << "the tracker stayed";
    const ViewPanes moved = FindPanes(window);
    ASSERT_TRUE(moved.Found());
    EXPECT_NEAR(moved.tree.width(), before.tree.width() + (column - barX), 4);
    EXPECT_NEAR(moved.chart.left(), column, 4);
}
