// The splitter window: proportions, layout with the minimum pane size,
// dragging the bar, and notifications passed up through nested splitters.

#include "PersonInput.h"
#include "SimpleSplitter.h"
#include "WindowClass.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A window that answers notifications with a number and keeps what came.
class Holder : public CWnd
{
public:
    std::vector<const NMHDR*> notes;
    LRESULT answer = 7;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override
    {
        notes.push_back(reinterpret_cast<const NMHDR*>(lParam));
        *result = answer;
        return TRUE;
    }
};

struct Split
{
    Holder holder;
    CSimpleSplitter splitter;
    CWnd first;
    CWnd second;
    explicit Split(int width, int height = 200, int orientation = 1) : splitter(orientation)
    {
        EXPECT_TRUE(holder.CreateEx(WS_EX_CLIENTEDGE, AfxRegisterWndClass(0), "", WS_VISIBLE,
                                    CRect(0, 0, width + 4, height + 4), nullptr, 0));
        EXPECT_TRUE(splitter.Create(&holder));
        EXPECT_TRUE(splitter.CreatePane(0, &first, 0, AfxRegisterWndClass(0)));
        EXPECT_TRUE(splitter.CreatePane(1, &second, 0, AfxRegisterWndClass(0)));
        EXPECT_TRUE(PersonInput::ShowAndActivate(holder));
    }
    CRect RectOf(CWnd& pane)
    {
        CRect rect;
        pane.GetWindowRect(&rect);
        splitter.ScreenToClient(&rect);
        return rect;
    }
    // The mouse at a point of the splitter, as a person moves and clicks.
    void Mouse(QEvent::Type type, CPoint at)
    {
        PersonInput::Mouse(type, PersonInput::OnScreen(splitter, QPoint(at.x, at.y)));
    }
    // What the splitter shows on the screen, its panes included.
    QImage OnScreen() { return splitter.GetClientWidget()->grab().toImage(); }
};

} // namespace

TEST(SplitterProportionTest, TwoPanesStartHalfAndHalf)
{
    CSimpleSplitter splitter(1);
    EXPECT_EQ(splitter.GetProportion(0), 16384);
    EXPECT_EQ(splitter.GetProportion(1), 16384);
}

TEST(SplitterProportionTest, SharesBecomeFractionsOfTheWhole)
{
    Split split(403);
    split.splitter.SetProportions({25, 75});
    EXPECT_EQ(split.splitter.GetProportion(0), 8192);
    EXPECT_EQ(split.splitter.GetProportion(1), 24576);
    split.splitter.SetProportions({70, 30});
    EXPECT_EQ(split.splitter.GetProportion(0), 22938);
    EXPECT_EQ(split.splitter.GetProportion(1), 9830);
}

TEST(SplitterLayoutTest, PanesAndTheBarShareTheWidth)
{
    Split split(403);
    split.splitter.SetProportions({25, 75});
    EXPECT_EQ(split.splitter.GetPosition(0), 0);
    EXPECT_EQ(split.splitter.GetPosition(1), 103);
    EXPECT_EQ(split.splitter.GetPosition(2), 406);
    EXPECT_EQ(split.RectOf(split.first), CRect(0, 0, 100, 200));
    EXPECT_EQ(split.RectOf(split.second), CRect(103, 0, 403, 200));
    EXPECT_EQ(split.first.GetDlgCtrlID(), 0xE900);
    EXPECT_EQ(split.second.GetDlgCtrlID(), 0xE901);
    EXPECT_NE(split.first.GetExStyle() & WS_EX_CLIENTEDGE, 0u);
    // The holder's own edge went to the panes.
    EXPECT_EQ(split.holder.GetExStyle() & WS_EX_CLIENTEDGE, 0u);
}

TEST(SplitterLayoutTest, StackedPanesShareTheHeight)
{
    Split split(300, 403, 2);
    split.splitter.SetProportions({25, 75});
    EXPECT_EQ(split.RectOf(split.first), CRect(0, 0, 300, 100));
    EXPECT_EQ(split.RectOf(split.second), CRect(0, 103, 300, 403));
}

TEST(SplitterLayoutTest, NoPaneShrinksBelowTheMinimum)
{
    Split split(403);
    split.splitter.SetProportions({10, 90});
    EXPECT_EQ(split.RectOf(split.first).Width(), 40);
    split.splitter.MoveWindow(0, 0, 153, 200);
    // 150 pixels for the panes: 10 % would be 15, the minimum is 30.
    EXPECT_EQ(split.RectOf(split.first).Width(), 30);
    EXPECT_EQ(split.RectOf(split.second), CRect(33, 0, 153, 200));
    EXPECT_EQ(split.splitter.GetProportion(0) + split.splitter.GetProportion(1), 0x8000);
}

TEST(SplitterDragTest, TheBarStopsAMinimumPaneFromEitherEnd)
{
    Split split(403);
    split.splitter.SetProportions({25, 75});
    split.Mouse(QEvent::MouseButtonPress, CPoint(101, 50));
    EXPECT_TRUE(split.splitter.IsDragging());
    split.Mouse(QEvent::MouseMove, CPoint(5, 50));
    split.Mouse(QEvent::MouseButtonRelease, CPoint(5, 50));
    EXPECT_FALSE(split.splitter.IsDragging());
    // 30 pixels and the bar from the left end.
    EXPECT_EQ(split.splitter.GetPosition(1), 33);
    EXPECT_EQ(split.RectOf(split.first).Width(), 30);

    split.Mouse(QEvent::MouseButtonPress, CPoint(31, 50));
    split.Mouse(QEvent::MouseMove, CPoint(500, 50));
    split.Mouse(QEvent::MouseButtonRelease, CPoint(500, 50));
    EXPECT_EQ(split.splitter.GetPosition(1), 406 - 30 - 3);
    EXPECT_EQ(split.RectOf(split.second).Width(), 30);
    EXPECT_EQ(split.splitter.GetProportion(1), (30 * 0x8000 + 200) / 400);
}

TEST(SplitterDragTest, TheGrabOffsetKeepsTheBarUnderTheMouse)
{
    Split split(403);
    split.splitter.SetProportions({25, 75});
    // Grabbed one pixel left of the bar's end.
    split.Mouse(QEvent::MouseButtonPress, CPoint(102, 50));
    split.Mouse(QEvent::MouseMove, CPoint(202, 50));
    split.Mouse(QEvent::MouseButtonRelease, CPoint(202, 50));
    EXPECT_EQ(split.splitter.GetPosition(1), 203);
    EXPECT_EQ(split.RectOf(split.first), CRect(0, 0, 200, 200));
}

TEST(SplitterNotifyTest, NotificationsClimbThroughNestedSplitters)
{
    Holder view;
    ASSERT_TRUE(
        view.Create(AfxRegisterWndClass(0), "", WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
    CSimpleSplitter outer(1);
    ASSERT_TRUE(outer.Create(&view));
    CWnd tree;
    ASSERT_TRUE(outer.CreatePane(0, &tree, 0, AfxRegisterWndClass(0)));
    CSimpleSplitter inner(2);
    ASSERT_TRUE(inner.Create(&outer));
    outer.AttachPane(&inner);
    CWnd chart;
    ASSERT_TRUE(inner.CreatePane(0, &chart, 0, AfxRegisterWndClass(0)));

    NMHDR header{&chart, 0xE900, 1033};
    EXPECT_EQ(chart.GetParent()->SendMessage(WM_NOTIFY, 0xE900, reinterpret_cast<LPARAM>(&header)),
              7);
    ASSERT_EQ(view.notes.size(), 1u);
    EXPECT_EQ(view.notes[0], &header);
    // Id 0 is not passed on.
    NMHDR unnamed{&chart, 0, 5};
    inner.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&unnamed));
    EXPECT_EQ(view.notes.size(), 1u);
}

TEST(SplitterLayoutTest, ShrinkingToNothingKeepsTheShares)
{
    Split split(403);
    split.splitter.SetProportions({25, 75});
    split.splitter.MoveWindow(0, 0, 0, 200);
    split.splitter.MoveWindow(0, 0, 403, 200);
    EXPECT_EQ(split.splitter.GetProportion(0), 8192);
    EXPECT_EQ(split.RectOf(split.first), CRect(0, 0, 100, 200));
}

TEST(SplitterDragTest, TheTrackerShowsOverThePanesAndGoesWhenDone)
{
    Split split(403);
    split.splitter.SetProportions({25, 75});
    const auto darkIn = [](const QImage& image, int column) {
        int dark = 0;
        for (int y = 20; y < 180; ++y)
            dark += qGray(image.pixel(column, y)) < 128 ? 1 : 0;
        return dark;
    };
    ASSERT_EQ(darkIn(split.OnScreen(), 200), 0);
    // Grabbed one pixel before its end, the bar's tracker ends one pixel
    // right of the mouse: over the second pane, which it inverts in a
    // halftone pattern.
    split.Mouse(QEvent::MouseButtonPress, CPoint(102, 50));
    split.Mouse(QEvent::MouseMove, CPoint(200, 50));
    EXPECT_GT(darkIn(split.OnScreen(), 199), 40) << "no tracker over the pane";
    // Moved on, it is erased where it was.
    split.Mouse(QEvent::MouseMove, CPoint(250, 50));
    const QImage moved = split.OnScreen();
    EXPECT_EQ(darkIn(moved, 199), 0);
    EXPECT_GT(darkIn(moved, 249), 40);
    split.Mouse(QEvent::MouseButtonRelease, CPoint(250, 50));
    // Done: the bar stands there and no trace of the tracker is left.
    EXPECT_EQ(split.splitter.GetPosition(1), 251);
    const QImage done = split.OnScreen();
    EXPECT_EQ(darkIn(done, 199), 0);
    EXPECT_EQ(darkIn(done, 249), 0);
}
