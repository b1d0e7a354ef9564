// The windows of the main frame as a person handles them: a second window
// on a document, closing one window and then the last, the Window menu,
// Cascade and Tile, and the About box over the main window.

#include "ProgramSession.h"

namespace {

class WindowTest : public ProgramTest
{
protected:
    unsigned long window = 0;
    std::string path;

    void OpenModified(const std::string& name)
    {
        path = MakeRecording(name, 60);
        window = OpenAndCut(path);
        ASSERT_NE(window, 0u);
    }
    // Clicks the close button of the active child window.
    void CloseActiveChild()
    {
        const QImage screen = Desktop().Screenshot();
        const QRect bar =
            ScreenSearch::ActiveTitleBar(screen, Desktop().Geometry(window).adjusted(0, 60, 0, 0));
        ASSERT_FALSE(bar.isEmpty()) << "no child window's title bar";
        const QPoint close = ScreenSearch::CloseButton(screen, bar);
        ASSERT_FALSE(close.isNull());
        Desktop().Click(close);
        Desktop().Settle(300);
    }
    bool TitleBecomes(const QString& title)
    {
        return XDesktop::WaitUntil([&] { return Desktop().Title(window) == title; },
                                   std::chrono::seconds(5));
    }
};

} // namespace

TEST_F(WindowTest, ClosingOneOfTwoWindowsKeepsTheOtherAndTheLastAsks)
{
    OpenModified("twice.nolvex");
    const std::string before = ReadFile(path);
    Desktop().Key("alt+w");
    Desktop().Key("Return");
    ASSERT_TRUE(TitleBecomes("Nolvex - twice.nolvex:2"));
    // The second window's close button: the first stays, nothing asked.
    CloseActiveChild();
    ASSERT_TRUE(TitleBecomes("Nolvex - twice.nolvex"));
    EXPECT_EQ(Windows().size(), 1u);
    // The last one asks; Cancel keeps it.
    CloseActiveChild();
    ASSERT_NE(WaitForOtherWindow(window), 0u) << "closing the last window did not ask";
    Desktop().Key("Escape");
    ASSERT_TRUE(WaitForOnly(window));
    EXPECT_TRUE(TitleBecomes("Nolvex - twice.nolvex"));
    // No closes the document; the program stays, empty.
    CloseActiveChild();
    ASSERT_NE(WaitForOtherWindow(window), 0u);
    Desktop().Key("alt+n");
    EXPECT_TRUE(TitleBecomes("Nolvex"));
    EXPECT_TRUE(Program().IsRunning());
    EXPECT_EQ(ReadFile(path), before);
}

TEST_F(WindowTest, TheWindowMenuListsTheWindowsAndActivatesTheChosenOne)
{
    OpenModified("menu.nolvex");
    Desktop().Key("alt+w");
    Desktop().Key("Return");
    ASSERT_TRUE(TitleBecomes("Nolvex - menu.nolvex:2"));
    Desktop().Key("alt+w");
    Desktop().Settle(200);
    SaveScreenshot("window-menu");
    Desktop().Key("1");
    EXPECT_TRUE(TitleBecomes("Nolvex - menu.nolvex:1"));
    Desktop().Key("alt+w");
    Desktop().Key("2");
    EXPECT_TRUE(TitleBecomes("Nolvex - menu.nolvex:2"));
}

TEST_F(WindowTest, CascadeAndTileLeaveWindowsToWorkIn)
{
    OpenModified("arranged.nolvex");
    Desktop().Key("alt+w");
    Desktop().Key("Return");
    ASSERT_TRUE(TitleBecomes("Nolvex - arranged.nolvex:2"));
    const QRect main = Desktop().Geometry(window);
    // Cascade: the front window shows its tree, chart and list at a size to
    // work in.
    Desktop().Key("alt+w");
    Desktop().Key("c");
    Desktop().Settle(400);
    SaveScreenshot("cascade");
    // The largest pane on the screen is the front window's chart.
    const std::vector<QRect> cascaded = ScreenSearch::SunkenPanes(Desktop().Screenshot(), main);
    ASSERT_FALSE(cascaded.empty());
    EXPECT_GT(cascaded.front().width(), main.width() / 3);
    EXPECT_GT(cascaded.front().height(), main.height() / 4);
    // Tile: both windows side by side, each with its three panes.
    Desktop().Key("alt+w");
    Desktop().Key("t");
    Desktop().Settle(400);
    SaveScreenshot("tile");
    const std::vector<QRect> panes = ScreenSearch::SunkenPanes(Desktop().Screenshot(), main);
    EXPECT_GE(panes.size(), 6u);
}

TEST_F(WindowTest, TheAboutBoxShowsOverTheMainWindowWithItsTextInFull)
{
    const std::string file = MakeRecording("about.nolvex", 30);
    StartNolvex({file});
    window = WaitForWindow("Nolvex - ");
    ASSERT_NE(window, 0u);
    Desktop().Key("alt+h");
    Desktop().Key("Return");
    const unsigned long about = WaitForOtherWindow(window);
    ASSERT_NE(about, 0u);
    SaveScreenshot("about");
    EXPECT_EQ(Desktop().Title(about), QString("About Nolvex"));
    const QRect main = Desktop().Geometry(window);
    const QRect box = Desktop().Geometry(about);
    EXPECT_NEAR(box.center().x(), main.center().x(), 30);
    EXPECT_NEAR(box.center().y(), main.center().y(), 60);
    Desktop().Key("Escape");
    EXPECT_TRUE(WaitForOnly(window));
}
