// The program as it starts with a file from the command line: the panes in
// their shares of the final window, the tree showing its root and the
// focused first test at the top, the main frame's menus and status bar.

#include "ProgramSession.h"

namespace {

class StartUpTest : public ProgramTest
{
};

constexpr QRgb kHighlight = qRgb(0, 120, 215);

} // namespace

TEST_F(StartUpTest, AFileFromTheCommandLineGetsThePanesInTheirShares)
{
    const std::string path = MakeRecording("start.nolvex", 60, 3);
    StartNolvex({path});
    const unsigned long window = WaitForWindow("Nolvex - ");
    ASSERT_NE(window, 0u);
    const ViewPanes panes = FindPanes(window);
    ASSERT_TRUE(panes.Found());
    SaveScreenshot("start-up");
    // Tree : right side = 25 : 75 of the view's width less the bar.
    const int width = panes.list.right() + 1 - panes.tree.left();
    EXPECT_NEAR(panes.tree.width(), (width - 3) / 4.0, 2.0);
    // Chart : list = 70 : 30 of the right side's height less the bar.
    const int height = panes.list.bottom() + 1 - panes.chart.top();
    EXPECT_NEAR(panes.chart.height(), (height - 3) * 0.7, 2.0);
    // The tree shows "Tests" and, right under it, the first test focused.
    const QPoint selected = ScreenSearch::Find(Desktop().Screenshot(), panes.tree,
                                               [](QRgb colour) { return colour == kHighlight; });
    ASSERT_FALSE(selected.isNull()) << "no focused test in the tree";
    EXPECT_LT(selected.y() - panes.tree.top(), 45) << "the first test is not at the top";
}
