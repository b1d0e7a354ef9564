// The property tree under the mouse and the keyboard: notifications and
// vetoes, focus and selection, expanding, the divider, scrolling, removal
// and the info pane.

#include "PersonInput.h"
#include "PropTree.h"
#include "PropTreeItemStatic.h"
#include "SystemMetrics.h"
#include "WindowClass.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

struct Heard
{
    int code;
    CPropTreeItem* item;
};

// The tree's parent: keeps the notifications and can veto some codes.
class TreeParent : public CWnd
{
public:
    std::vector<Heard> heard;
    std::vector<int> vetoed;

    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const Heard& entry : heard)
            codes.push_back(entry.code);
        return codes;
    }
    int Count(int code) const
    {
        int count = 0;
        for (const Heard& entry : heard)
            count += entry.code == code ? 1 : 0;
        return count;
    }

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override
    {
        const auto* notify = reinterpret_cast<const PropTreeNotify*>(lParam);
        const int code = static_cast<int>(notify->hdr.code);
        heard.push_back({code, notify->pItem});
        *result = 0;
        for (int veto : vetoed)
            if (veto == code)
                *result = 1;
        return TRUE;
    }
};

// "Tests" with three test rows under it, in a 300 x 300 tree.
struct Tree
{
    TreeParent parent;
    CPropTree tree;
    CPropTreeItem* section = nullptr;
    std::vector<CPropTreeItemStatic*> tests;

    explicit Tree(DWORD style = PROP_STYLE_NOTIFY)
    {
        EXPECT_TRUE(parent.Create(AfxRegisterWndClass(0), "", WS_VISIBLE, CRect(0, 0, 300, 300),
                                  nullptr, 0));
        EXPECT_TRUE(tree.Create(WS_VISIBLE | style, CRect(0, 0, 300, 300), &parent, 7));
        section = tree.AddItem(nullptr, new CPropTreeItem);
        section->SetLabelText("Tests");
        section->SetState(CPropTreeItem::ItemExpanded, true);
        for (int i = 0; i < 3; ++i) {
            auto* item = new CPropTreeItemStatic;
            item->SetLabelText(CString::Formatted("Test %d", i + 1));
            item->SetInfoText(CString::Formatted("Recorded in shift %d", i + 1));
            tree.AddItem(section, item);
            tests.push_back(item);
        }
        Paint();
        EXPECT_TRUE(PersonInput::ShowAndActivate(parent));
        // The tree has the keyboard, as after a Tab into it.
        tree.GetList().SetFocus();
        parent.heard.clear();
    }
    void Paint()
    {
        tree.GetList().Invalidate();
        tree.GetList().UpdateWindow();
    }
    // The middle of row n (0 is the section) at x.
    CPoint Row(int n, int x = 40) const { return CPoint(x, n * 21 + 10); }
    // The mouse and the keys as a person gives them: at a point of the
    // tree's list on the screen, and to whatever has the keyboard.
    QPoint OnScreen(CPoint at) { return PersonInput::OnScreen(tree.GetList(), QPoint(at.x, at.y)); }
    void Click(CPoint at) { PersonInput::Click(OnScreen(at)); }
    void DoubleClick(CPoint at) { PersonInput::DoubleClick(OnScreen(at)); }
    void Key(int key) { PersonInput::Key(key); }
    void Mouse(QEvent::Type type, CPoint at) { PersonInput::Mouse(type, OnScreen(at)); }
    COLORREF At(CPoint point)
    {
        const QRgb pixel = tree.GetList().GetBackingImage()->pixel(point.x, point.y);
        return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
    }
};

BOOL CollectLabels(CPropTree*, CPropTreeItem* item, LPARAM data)
{
    auto* labels = reinterpret_cast<std::vector<CString>*>(data);
    labels->push_back(item->GetLabelText());
    return labels->size() < 3 ? TRUE : FALSE;
}

} // namespace

TEST(PropTreeInfoTest, WithoutAFocusedRowThePaneSaysSo)
{
    Tree shown;
    EXPECT_EQ(shown.tree.GetInfo().GetTitle(), CString("No Item Selected"));
    EXPECT_EQ(shown.tree.GetInfo().GetDescription(),
              CString("Select an item to see it's description"));
    shown.Click(shown.Row(2));
    EXPECT_EQ(shown.tree.GetInfo().GetTitle(), CString("Test 2"));
    EXPECT_EQ(shown.tree.GetInfo().GetDescription(), CString("Recorded in shift 2"));
}

TEST(PropTreeInfoTest, TheInfoPaneSitsUnderTheRows)
{
    Tree shown;
    CRect list;
    shown.tree.GetList().GetWindowRect(&list);
    shown.tree.ScreenToClient(&list);
    CRect info;
    shown.tree.GetInfo().GetWindowRect(&info);
    shown.tree.ScreenToClient(&info);
    EXPECT_EQ(list, CRect(0, 0, 300, 250));
    EXPECT_EQ(info, CRect(0, 250, 300, 300));
    EXPECT_EQ(shown.tree.GetList().GetDlgCtrlID(), 100);
    EXPECT_EQ(shown.tree.GetInfo().GetDlgCtrlID(), 0xFFFF);
}

TEST(PropTreeNotifyTest, AddingAndSelectingTellTheParent)
{
    Tree shown;
    auto* extra = new CPropTreeItemStatic;
    shown.tree.AddItem(shown.section, extra);
    ASSERT_EQ(shown.parent.heard.size(), 1u);
    EXPECT_EQ(shown.parent.heard[0].code, PROP_NOTIFY_INSERTED);
    EXPECT_EQ(shown.parent.heard[0].item, extra);
    EXPECT_EQ(extra->GetId(), 5);
    shown.parent.heard.clear();
    shown.Click(shown.Row(1));
    shown.Click(shown.Row(1));
    // A second click on the same row is no change.
    EXPECT_EQ(shown.parent.Codes(), std::vector<int>{PROP_NOTIFY_SELECTION});
    EXPECT_EQ(shown.parent.heard[0].item, shown.tests[0]);
    EXPECT_TRUE(shown.tests[0]->IsState(CPropTreeItem::ItemSelected));
}

TEST(PropTreeNotifyTest, WithoutTheNotifyStyleNothingIsSentOrVetoed)
{
    Tree shown(0);
    shown.parent.vetoed = {PROP_NOTIFY_EXPANDING, PROP_NOTIFY_DELETING};
    shown.tree.AddItem(shown.section, new CPropTreeItemStatic);
    shown.Click(shown.Row(1));
    shown.Click(CPoint(8, 10));
    shown.tree.RemoveItem(shown.tests[2]);
    EXPECT_TRUE(shown.parent.heard.empty());
    EXPECT_FALSE(shown.section->IsState(CPropTreeItem::ItemExpanded));
}

TEST(PropTreeNotifyTest, OnlyTheTreesOwnCodesAreSent)
{
    Tree shown;
    EXPECT_EQ(shown.tree.NotifyParent(-1104, nullptr), 0);
    EXPECT_EQ(shown.tree.NotifyParent(-1111, nullptr), 0);
    EXPECT_EQ(shown.tree.NotifyParent(-1100, nullptr), 0);
    EXPECT_TRUE(shown.parent.heard.empty());
    shown.parent.vetoed = {PROP_NOTIFY_VALUE_CLICK};
    EXPECT_EQ(shown.tree.NotifyParent(PROP_NOTIFY_VALUE_CLICK, nullptr), 1);
}

TEST(PropTreeDividerTest, DraggingStopsSixteenPixelsFromEitherEdge)
{
    Tree shown;
    EXPECT_EQ(shown.tree.HitTestPoint(shown.Row(1, 100)), PROP_HIT_DIVIDER);
    // The section row has no divider.
    EXPECT_EQ(shown.tree.HitTestPoint(shown.Row(0, 100)), PROP_HIT_LABEL);
    shown.Mouse(QEvent::MouseButtonPress, shown.Row(1, 100));
    EXPECT_EQ(shown.parent.Count(PROP_NOTIFY_DIVIDER_DRAG), 1);
    EXPECT_TRUE(shown.tree.GetList().IsDividerDragging());
    shown.Mouse(QEvent::MouseMove, shown.Row(1, 3));
    shown.Mouse(QEvent::MouseButtonRelease, shown.Row(1, 3));
    EXPECT_EQ(shown.tree.GetDividerX(), 16);

    shown.Mouse(QEvent::MouseButtonPress, shown.Row(2, 16));
    shown.Mouse(QEvent::MouseMove, shown.Row(2, 900));
    shown.Mouse(QEvent::MouseButtonRelease, shown.Row(2, 900));
    EXPECT_EQ(shown.tree.GetDividerX(), 300 - 16);
}

TEST(PropTreeDividerTest, AVetoedDragDoesNotStart)
{
    Tree shown;
    shown.parent.vetoed = {PROP_NOTIFY_DIVIDER_DRAG};
    shown.Mouse(QEvent::MouseButtonPress, shown.Row(1, 100));
    EXPECT_FALSE(shown.tree.GetList().IsDividerDragging());
    shown.Mouse(QEvent::MouseButtonRelease, shown.Row(1, 40));
    EXPECT_EQ(shown.tree.GetDividerX(), 100);
}

TEST(PropTreeExpandTest, CollapsingTheParentOfTheFocusedRowDropsTheFocus)
{
    Tree shown;
    shown.Click(shown.Row(2));
    ASSERT_EQ(shown.tree.GetFocusedItem(), shown.tests[1]);
    shown.parent.heard.clear();
    EXPECT_EQ(shown.tree.HitTestPoint(CPoint(8, 10)), PROP_HIT_EXPANDER);
    shown.Click(CPoint(8, 10));
    EXPECT_FALSE(shown.section->IsState(CPropTreeItem::ItemExpanded));
    ASSERT_EQ(shown.parent.heard.size(), 2u);
    EXPECT_EQ(shown.parent.heard[0].code, PROP_NOTIFY_EXPANDING);
    EXPECT_EQ(shown.parent.heard[0].item, shown.section);
    EXPECT_EQ(shown.parent.heard[1].code, PROP_NOTIFY_SELECTION);
    EXPECT_EQ(shown.parent.heard[1].item, nullptr);
    EXPECT_EQ(shown.tree.GetFocusedItem(), nullptr);
    EXPECT_FALSE(shown.tests[1]->IsState(CPropTreeItem::ItemSelected));
    EXPECT_EQ(shown.tree.GetScrollRange(), 21 + 21);
    // The rows under it are gone from the pane.
    EXPECT_EQ(shown.tree.ItemAtPoint(shown.Row(2)), nullptr);
}

TEST(PropTreeExpandTest, TheParentCanVetoExpanding)
{
    Tree shown;
    shown.parent.vetoed = {PROP_NOTIFY_EXPANDING};
    shown.Click(CPoint(8, 10));
    EXPECT_TRUE(shown.section->IsState(CPropTreeItem::ItemExpanded));
    shown.DoubleClick(shown.Row(0));
    EXPECT_TRUE(shown.section->IsState(CPropTreeItem::ItemExpanded));
    shown.parent.vetoed.clear();
    // A double click on the label toggles a row with children.
    shown.DoubleClick(shown.Row(0));
    EXPECT_FALSE(shown.section->IsState(CPropTreeItem::ItemExpanded));
    EXPECT_EQ(shown.tree.GetFocusedItem(), shown.section);
}

TEST(PropTreeExpandTest, TheExpandBoxShowsPlusOrMinus)
{
    Tree shown;
    // Box at (4, 4) on the section row: the minus stroke, no vertical one.
    EXPECT_EQ(shown.At(CPoint(8, 8)), RGB(0, 0, 0));
    EXPECT_NE(shown.At(CPoint(8, 6)), RGB(0, 0, 0));
    shown.section->SetState(CPropTreeItem::ItemExpanded, false);
    shown.Paint();
    EXPECT_EQ(shown.At(CPoint(8, 6)), RGB(0, 0, 0));
    EXPECT_EQ(shown.At(CPoint(4, 4)), GetSysColor(COLOR_BTNSHADOW));
}

TEST(PropTreeActivateTest, OnlyRowsBelowTheTopLevelAreActivated)
{
    Tree shown;
    shown.Click(shown.Row(0, 200));
    EXPECT_EQ(shown.tree.GetFocusedItem(), shown.section);
    EXPECT_FALSE(shown.section->IsActivated());
    EXPECT_EQ(shown.parent.Count(PROP_NOTIFY_VALUE_CLICK), 0);

    shown.Click(shown.Row(1, 200));
    EXPECT_EQ(shown.parent.Count(PROP_NOTIFY_VALUE_CLICK), 1);
    EXPECT_TRUE(shown.tests[0]->IsActivated());

    shown.parent.vetoed = {PROP_NOTIFY_VALUE_CLICK};
    shown.Click(shown.Row(2, 200));
    EXPECT_EQ(shown.tree.GetFocusedItem(), shown.tests[1]);
    EXPECT_FALSE(shown.tests[1]->IsActivated());

    shown.parent.vetoed.clear();
    shown.tests[2]->SetState(CPropTreeItem::ItemReadOnly, true);
    shown.Click(shown.Row(3, 200));
    EXPECT_FALSE(shown.tests[2]->IsActivated());
}

TEST(PropTreeKeyboardTest, ArrowsHomeAndEndMoveTheFocus)
{
    Tree shown;
    shown.Key(Qt::Key_Down);
    EXPECT_EQ(shown.tree.GetFocusedItem(), shown.section);
    shown.Key(Qt::Key_Down);
    shown.Key(Qt::Key_Down);
    EXPECT_EQ(shown.tree.GetFocusedItem(), shown.tests[1]);
    shown.Key(Qt::Key_End);
    EXPECT_EQ(shown.tree.GetFocusedItem(), shown.tests[2]);
    // Down from the last row stays there.
    shown.Key(Qt::Key_Down);
    EXPECT_EQ(shown.tree.GetFocusedItem(), shown.tests[2]);
    shown.Key(Qt::Key_Up);
    EXPECT_EQ(shown.tree.GetFocusedItem(), shown.tests[1]);
    shown.Key(Qt::Key_Home);
    EXPECT_EQ(shown.tree.GetFocusedItem(), shown.section);
    EXPECT_EQ(shown.parent.Count(PROP_NOTIFY_SELECTION), 6);
    EXPECT_TRUE(shown.section->IsState(CPropTreeItem::ItemSelected));
    EXPECT_FALSE(shown.tests[1]->IsState(CPropTreeItem::ItemSelected));
}

TEST(PropTreeKeyboardTest, LeftCollapsesAndRightExpands)
{
    Tree shown;
    shown.Key(Qt::Key_Home);
    shown.Key(Qt::Key_Left);
    EXPECT_FALSE(shown.section->IsState(CPropTreeItem::ItemExpanded));
    EXPECT_EQ(shown.tree.GetFocusedItem(), shown.section);
    shown.Key(Qt::Key_Right);
    EXPECT_TRUE(shown.section->IsState(CPropTreeItem::ItemExpanded));
    // On an expanded row Right moves down; on a leaf Left moves up.
    shown.Key(Qt::Key_Right);
    EXPECT_EQ(shown.tree.GetFocusedItem(), shown.tests[0]);
    shown.Key(Qt::Key_Left);
    EXPECT_EQ(shown.tree.GetFocusedItem(), shown.section);
}

TEST(PropTreeKeyboardTest, EnterActivatesAndDisabledInputIgnoresKeys)
{
    Tree shown;
    shown.tree.FocusItem(shown.tests[0]);
    shown.Key(Qt::Key_Return);
    EXPECT_TRUE(shown.tests[0]->IsActivated());
    shown.tree.DisableInput(true);
    shown.Key(Qt::Key_Down);
    shown.Click(shown.Row(3));
    EXPECT_EQ(shown.tree.GetFocusedItem(), shown.tests[0]);
}

TEST(PropTreeRemoveTest, RemovingTheRootLeavesOnlyTheRootRow)
{
    Tree shown;
    shown.Click(shown.Row(2));
    shown.tree.RemoveItem(nullptr);
    EXPECT_EQ(shown.tree.GetScrollRange(), 21);
    EXPECT_EQ(shown.tree.GetRootItem()->GetChild(), nullptr);
    EXPECT_EQ(shown.tree.GetFocusedItem(), nullptr);
    EXPECT_EQ(shown.tree.GetFirstVisible(), nullptr);
    // Four rows, each asked for: the section before its children.
    EXPECT_EQ(shown.parent.Count(PROP_NOTIFY_DELETING), 4);
    const auto first =
        std::find_if(shown.parent.heard.begin(), shown.parent.heard.end(),
                     [](const Heard& entry) { return entry.code == PROP_NOTIFY_DELETING; });
    ASSERT_NE(first, shown.parent.heard.end());
    EXPECT_EQ(first->item, shown.section);
    shown.Paint();
    shown.Key(Qt::Key_Down);
    EXPECT_EQ(shown.tree.GetFocusedItem(), nullptr);
}

TEST(PropTreeRemoveTest, ARemovedRowIsNeverReachedAgain)
{
    Tree shown;
    shown.Click(shown.Row(2));
    const auto removed = reinterpret_cast<std::uintptr_t>(shown.tests[1]);
    shown.tree.RemoveItem(shown.tests[1]);
    EXPECT_EQ(shown.tree.GetFocusedItem(), nullptr);
    // Without a paint in between, the rows already stand where they are.
    for (const CPropTreeItem* row = shown.tree.GetFirstVisible(); row != nullptr;
         row = row->GetNextVisible())
        EXPECT_NE(reinterpret_cast<std::uintptr_t>(row), removed);
    EXPECT_EQ(shown.tree.ItemAtPoint(shown.Row(2)), shown.tests[2]);
    EXPECT_EQ(shown.tree.ItemAtPoint(shown.Row(3)), nullptr);
    shown.Key(Qt::Key_End);
    EXPECT_EQ(shown.tree.GetFocusedItem(), shown.tests[2]);
    shown.Key(Qt::Key_Up);
    EXPECT_EQ(shown.tree.GetFocusedItem(), shown.tests[0]);
}

TEST(PropTreeRemoveTest, AVetoedRemovalKeepsTheRow)
{
    Tree shown;
    shown.parent.vetoed = {PROP_NOTIFY_DELETING};
    shown.tree.RemoveItem(shown.tests[0]);
    EXPECT_EQ(shown.section->GetChild(), shown.tests[0]);
    // Removing the root with every row refusing keeps them all.
    shown.tree.RemoveItem(nullptr);
    EXPECT_EQ(shown.tree.GetRootItem()->GetChild(), shown.section);
}

namespace {

// A row that counts how many of its kind are alive.
class CountedItem : public CPropTreeItem
{
public:
    static inline int alive = 0;
    CountedItem() { ++alive; }
    ~CountedItem() override { --alive; }
};

} // namespace

TEST(PropTreeRemoveTest, ATreeDeletesTheRowsItWasRefusedToRemove)
{
    TreeParent parent;
    ASSERT_TRUE(
        parent.Create(AfxRegisterWndClass(0), "", WS_VISIBLE, CRect(0, 0, 300, 300), nullptr, 0));
    parent.vetoed = {PROP_NOTIFY_DELETING};
    {
        CPropTree tree;
        ASSERT_TRUE(tree.Create(WS_VISIBLE | PROP_STYLE_NOTIFY, CRect(0, 0, 300, 300), &parent, 7));
        CPropTreeItem* section = tree.AddItem(nullptr, new CountedItem);
        tree.AddItem(section, new CountedItem);
        tree.AddItem(section, new CountedItem);
        tree.AddItem(nullptr, new CountedItem);
        EXPECT_EQ(CountedItem::alive, 4);
        // The parent still refuses while the tree goes: the tree asked, was
        // refused, and the rows go with it all the same.
    }
    EXPECT_EQ(parent.Count(PROP_NOTIFY_DELETING), 2);
    EXPECT_EQ(CountedItem::alive, 0);
}

TEST(PropTreeWalkTest, ForEachVisitsInPreOrderAndStopsWhenAsked)
{
    Tree shown;
    std::vector<CString> labels;
    EXPECT_FALSE(shown.tree.ForEachItem(shown.tree.GetRootItem(), CollectLabels,
                                        reinterpret_cast<LPARAM>(&labels)));
    EXPECT_EQ(labels, (std::vector<CString>{"Tests", "Test 1", "Test 2"}));
    EXPECT_FALSE(shown.tree.ForEachItem(nullptr, CollectLabels, 0));
    std::vector<CString> all;
    EXPECT_TRUE(shown.tree.ForEachItem(
        shown.tests[2],
        [](CPropTree*, CPropTreeItem* item, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<CString>*>(data)->push_back(item->GetLabelText());
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all)));
    EXPECT_EQ(all, std::vector<CString>{"Test 3"});
}

TEST(PropTreeScrollTest, FocusingARowBelowScrollsItIntoView)
{
    Tree shown;
    for (int i = 0; i < 20; ++i) {
        auto* item = new CPropTreeItemStatic;
        item->SetLabelText(CString::Formatted("More %d", i));
        shown.tree.AddItem(shown.section, item);
    }
    EXPECT_EQ(shown.tree.GetScrollRange(), 21 + 24 * 21);
    shown.Paint();
    shown.Key(Qt::Key_End);
    CRect client;
    shown.tree.GetList().GetClientRect(&client);
    // The last row ends a row above the bottom, as far as the range allows.
    const int lastRow = 23 * 21;
    const int wanted = lastRow + 2 * 21 - client.Height();
    EXPECT_EQ(shown.tree.GetScrollY(), std::min(wanted, 21 + 24 * 21 - (client.Height() + 1)));
    EXPECT_GT(shown.tree.GetScrollY(), 0);
    // Scrolled, the row under a point is found by its place in the content.
    EXPECT_EQ(
        shown.tree.ItemAtPoint(CPoint(40, lastRow - shown.tree.GetScrollY() + 5))->GetLabelText(),
        CString("More 19"));
    shown.Key(Qt::Key_Home);
    EXPECT_EQ(shown.tree.GetScrollY(), 0);
}

TEST(PropTreePaintTest, TheFocusedRowIsHighlightedAndTheSectionIsFace)
{
    Tree shown;
    shown.Click(shown.Row(2));
    shown.Paint();
    EXPECT_EQ(shown.At(shown.Row(2, 18)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(shown.At(shown.Row(1, 18)), RGB(255, 255, 255));
    EXPECT_EQ(shown.At(shown.Row(0, 250)), GetSysColor(COLOR_BTNFACE));
    // The divider: shadow, then highlight.
    EXPECT_EQ(shown.At(shown.Row(1, 100)), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(shown.At(shown.Row(1, 101)), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST(PropTreeItemTest, AStaticRowKeepsItsText)
{
    CPropTreeItemStatic item;
    item.SetValue(reinterpret_cast<LPARAM>(u"85.2 dB"));
    EXPECT_EQ(item.GetStaticText(), CString("85.2 dB"));
    item.SetValue(0);
    EXPECT_EQ(CString(reinterpret_cast<const char16_t*>(item.GetValue())), CString("85.2 dB"));
    CPropTreeItem plain;
    EXPECT_EQ(plain.GetRowHeight(), 21);
    EXPECT_EQ(plain.GetValue(), 0);
}

// Rows added one after another, to shown and to hidden parents, in and out
// of order: the scroll range kept as rows come is the one counted afresh,
// and each row stands last among its parent's children.
TEST(PropTreeScrollTest, TheRangeKeptWhileAddingIsTheRangeCountedAfresh)
{
    Tree shown;
    CPropTreeItem* collapsed = shown.tree.AddItem(nullptr, new CPropTreeItem);
    CPropTreeItem* nested = shown.tree.AddItem(shown.tests[0], new CPropTreeItem);
    shown.tests[0]->SetState(CPropTreeItem::ItemExpanded, true);
    nested->SetState(CPropTreeItem::ItemExpanded, true);
    shown.tree.RecalcScrollRange();
    std::vector<CPropTreeItem*> added;
    CPropTreeItem* parents[] = {shown.section, collapsed, nested, shown.section, nested};
    for (int round = 0; round < 3; ++round)
        for (CPropTreeItem* parent : parents) {
            added.push_back(shown.tree.AddItem(parent, new CPropTreeItemStatic));
            const int kept = shown.tree.GetScrollRange();
            shown.tree.RecalcScrollRange();
            ASSERT_EQ(kept, shown.tree.GetScrollRange()) << added.size() << " rows added";
            CPropTreeItem* last = parent->GetChild();
            while (last->GetSibling() != nullptr)
                last = last->GetSibling();
            ASSERT_EQ(last, added.back());
        }
    // The row added last goes; the next one still goes to the end.
    shown.tree.RemoveItem(added.back());
    CPropTreeItem* again = shown.tree.AddItem(nested, new CPropTreeItemStatic);
    EXPECT_EQ(again->GetSibling(), nullptr);
    CPropTreeItem* before = nested->GetChild();
    while (before->GetSibling() != again)
        before = before->GetSibling();
    EXPECT_EQ(before, added[added.size() - 3]);
}
