// The value list: cell records and their drawing, choice cells with their
// drop-down, edit cells, check boxes, disabled rows, notifications and the empty-list
// text.

#include "PersonInput.h"
#include "SystemMetrics.h"
#include "WindowClass.h"
#include "XListCtrl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Received
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT code;
};

// The list's parent: keeps notifications and registered messages.
class ListParent : public CWnd
{
public:
    std::vector<Received> received;
    // The list's selected row when it told of a right click.
    int selectedAtRightClick = -1;
    // Whether notifications stop here instead of going back to the list.
    bool keepsNotifications = false;

    int Count(UINT code) const
    {
        int count = 0;
        for (const Received& entry : received)
            count += entry.message == WM_NOTIFY && entry.code == code ? 1 : 0;
        return count;
    }
    int CountMessage(UINT message) const
    {
        int count = 0;
        for (const Received& entry : received)
            count += entry.message == message ? 1 : 0;
        return count;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        UINT code = 0;
        if (message == WM_NOTIFY) {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            code = header->code;
            if (code == LIST_NOTIFY_RIGHT_CLICK)
                selectedAtRightClick = static_cast<CXListCtrl*>(header->hwndFrom)->GetSelectedRow();
        }
        received.push_back({message, wParam, lParam, code});
        if (message == WM_NOTIFY && keepsNotifications)
            return 0;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// The display list of the analysis view: five columns.
struct ValueList
{
    ListParent parent;
    CXListCtrl list;
    CStringArray names{"A fast", "A impulse", "A leq", "A peak", "TWA"};

    explicit ValueList(bool columns = true)
    {
        EXPECT_TRUE(parent.Create(AfxRegisterWndClass(0), "", WS_VISIBLE, CRect(0, 0, 560, 200),
                                  nullptr, 0));
        EXPECT_TRUE(
            list.CreateEx(0, CListCtrl::kClassName, "",
                          WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                          CRect(0, 0, 560, 200), &parent, 300));
        list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
        if (!columns) {
            EXPECT_TRUE(PersonInput::ShowAndActivate(parent));
            return;
        }
        EXPECT_TRUE(PersonInput::ShowAndActivate(parent));
        list.InsertColumn(0, "Color", LVCFMT_LEFT, 80);
        list.InsertColumn(1, "Data Type", LVCFMT_LEFT, 150);
        list.InsertColumn(2, "Cursor Value", LVCFMT_LEFT, 100);
        list.InsertColumn(3, "Avg Selection Value", LVCFMT_LEFT, 100);
        list.InsertColumn(4, "Cumulative Value", LVCFMT_LEFT, 100);
    }
    // The list's header, its child window.
    CHeaderCtrl* Header() const
    {
        auto* header = dynamic_cast<CHeaderCtrl*>(list.GetDlgItem(CListCtrl::kHeaderId));
        EXPECT_NE(header, nullptr);
        return header;
    }
    int AddMetric()
    {
        const int row = list.AddRow(list.GetItemCount());
        list.SetCellChoice(row, 1, &names, 8, 0);
        return row;
    }
    CPoint CellCentre(int row, int column)
    {
        CRect rect;
        list.GetSubItemRect(row, column, LVIR_BOUNDS, rect);
        return rect.CenterPoint();
    }
    void Paint()
    {
        list.Invalidate();
        list.UpdateWindow();
    }
    COLORREF At(CPoint point)
    {
        const QRgb pixel = list.GetBackingImage()->pixel(point.x, point.y);
        return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
    }
    // The mouse at a point of a window, as a person moves and clicks it.
    void Mouse(CWnd& window, QEvent::Type type, CPoint at, Qt::MouseButton button)
    {
        PersonInput::Mouse(type, PersonInput::OnScreen(window, QPoint(at.x, at.y)), button);
    }
    void Click(CPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        PersonInput::Click(PersonInput::OnScreen(list, QPoint(at.x, at.y)), button);
    }
    // A key, to whatever has the keyboard.
    static void Key(int key) { PersonInput::Key(key); }
    // Lets the list's one-shot timers run.
    void Settle() { QTest::qWait(150); }
    int CountInk(const QRect& box)
    {
        int ink = 0;
        const QImage& image = *list.GetBackingImage();
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                ink += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
        return ink;
    }
};

} // namespace

TEST(ValueListTest, AnEmptyListSaysThereIsNothingToShow)
{
    ValueList shown;
    shown.Paint();
    const int top = shown.list.GetHeaderHeight() + 10;
    const QRect textArea(150, top, 260, 20);
    EXPECT_GT(shown.CountInk(textArea), 20);
    shown.AddMetric();
    shown.list.SetItemText(0, 1, CString());
    shown.Paint();
    // A row with nothing in its cells shows no text there.
    EXPECT_EQ(shown.CountInk(QRect(150, top + 8, 260, 8)), 0);
}

TEST(ValueListTest, RowsCarryTheirColoursAndData)
{
    ValueList shown;
    const int row = shown.list.AddRow(0, RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(row, 0);
    EXPECT_EQ(shown.list.AddRow(-1), -1);
    int metric = 42;
    shown.list.SetRowData(row, reinterpret_cast<DWORD_PTR>(&metric));
    EXPECT_EQ(shown.list.GetRowData(row), reinterpret_cast<DWORD_PTR>(&metric));
    EXPECT_EQ(shown.list.GetRowData(7), 0u);
    shown.Paint();
    EXPECT_EQ(shown.At(shown.CellCentre(0, 0)), RGB(0, 0, 255));
    // A cell given a text turns white behind it.
    EXPECT_EQ(shown.list.SetCellText(0, 2, CString("85.25"), RGB(255, 0, 0)), 1);
    EXPECT_EQ(shown.list.SetCellText(0, 7, CString("x")), 0);
    EXPECT_EQ(shown.list.SetCellText(3, 0, CString("x")), 0);
    EXPECT_EQ(shown.list.SetCellText(0, 3, nullptr), 1);
    shown.Paint();
    const CellData* cell = shown.list.GetCell(0, 2);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->backColour, RGB(255, 255, 255));
    EXPECT_EQ(cell->textColour, RGB(255, 0, 0));
    EXPECT_EQ(shown.list.GetItemText(0, 2), CString("85.25"));
    CRect rect;
    shown.list.GetSubItemRect(0, 2, LVIR_BOUNDS, rect);
    bool red = false;
    const QImage& image = *shown.list.GetBackingImage();
    for (int x = rect.left; x < rect.right; ++x)
        for (int y = rect.top; y < rect.bottom; ++y)
            red = red || (qRed(image.pixel(x, y)) > 200 && qBlue(image.pixel(x, y)) < 80);
    EXPECT_TRUE(red);
    EXPECT_TRUE(shown.list.DeleteRow(0));
    EXPECT_FALSE(shown.list.DeleteRow(0));
    EXPECT_EQ(shown.list.GetItemCount(), 0);
}

TEST(ValueListTest, TheListDrawsItsCellsWhateverItsParentDoesWithNotifications)
{
    // The cells are the list's own business: a parent that keeps every
    // notification to itself still sees them in their colours.
    ValueList shown;
    shown.parent.keepsNotifications = true;
    shown.list.AddRow(0, RGB(0, 0, 0), RGB(0, 0, 255));
    shown.list.SetCellText(0, 2, CString("85.25"), RGB(255, 0, 0));
    shown.Paint();
    EXPECT_EQ(shown.At(shown.CellCentre(0, 0)), RGB(0, 0, 255));
    CRect rect;
    shown.list.GetSubItemRect(0, 2, LVIR_BOUNDS, rect);
    int red = 0;
    const QImage& image = *shown.list.GetBackingImage();
    for (int x = rect.left; x < rect.right; ++x)
        for (int y = rect.top; y < rect.bottom; ++y)
            red += qRed(image.pixel(x, y)) > 200 && qBlue(image.pixel(x, y)) < 80 ? 1 : 0;
    EXPECT_GT(red, 10) << "the cell's text is not drawn in its colour";
}

TEST(ValueListChoiceTest, AOneColumnListHasNoChoiceCells)
{
    ValueList shown(false);
    shown.list.InsertColumn(0, "Color", LVCFMT_LEFT, 80);
    const int row = shown.list.AddRow(0);
    EXPECT_EQ(shown.list.SetCellChoice(row, 0, &shown.names, 8, 0), 0);
    EXPECT_FALSE(shown.list.GetCell(row, 0)->isChoice);
    ValueList two;
    two.list.AddRow(0);
    EXPECT_EQ(two.list.SetCellChoice(0, 1, nullptr, 8, 0), 0);
    EXPECT_EQ(two.list.SetCellChoice(0, 1, &two.names, 8, 0), 1);
    EXPECT_EQ(two.list.GetItemText(0, 1), CString("A fast"));
}

TEST(ValueListChoiceTest, PickingAnEntrySetsTheCellAndTellsTheParent)
{
    ValueList shown;
    shown.AddMetric();
    shown.Click(shown.CellCentre(0, 1));
    CDropDownList* dropDown = shown.list.GetDropDown();
    ASSERT_NE(dropDown, nullptr);
    EXPECT_EQ(dropDown->GetCount(), 5);
    EXPECT_EQ(dropDown->GetCurSel(), 0);
    shown.Key(Qt::Key_Down);
    shown.Key(Qt::Key_Down);
    shown.Key(Qt::Key_Return);
    shown.Settle();
    EXPECT_EQ(shown.list.GetDropDown(), nullptr);
    EXPECT_EQ(shown.list.GetItemText(0, 1), CString("A leq"));
    EXPECT_TRUE(shown.list.GetCell(0, 1)->modified);
    EXPECT_TRUE(shown.list.IsListModified());
    EXPECT_EQ(shown.parent.Count(LIST_NOTIFY_CHOICE_DONE), 1);
    // The drop-down opens on the cell's text next time.
    shown.Click(shown.CellCentre(0, 1));
    ASSERT_NE(shown.list.GetDropDown(), nullptr);
    EXPECT_EQ(shown.list.GetDropDown()->GetCurSel(), 2);
}

TEST(ValueListChoiceTest, PickingTheSameEntryNotifiesButChangesNothing)
{
    ValueList shown;
    shown.AddMetric();
    shown.Click(shown.CellCentre(0, 1));
    ASSERT_NE(shown.list.GetDropDown(), nullptr);
    shown.Key(Qt::Key_Return);
    shown.Settle();
    EXPECT_EQ(shown.parent.Count(LIST_NOTIFY_CHOICE_DONE), 1);
    EXPECT_EQ(shown.list.GetItemText(0, 1), CString("A fast"));
    EXPECT_FALSE(shown.list.GetCell(0, 1)->modified);
    EXPECT_FALSE(shown.list.IsListModified());
}

TEST(ValueListChoiceTest, EscapeLeavesTheCellAndSendsNothing)
{
    ValueList shown;
    shown.AddMetric();
    shown.Click(shown.CellCentre(0, 1));
    ASSERT_NE(shown.list.GetDropDown(), nullptr);
    shown.Key(Qt::Key_Down);
    shown.Key(Qt::Key_Escape);
    shown.Settle();
    EXPECT_EQ(shown.list.GetDropDown(), nullptr);
    EXPECT_EQ(shown.list.GetItemText(0, 1), CString("A fast"));
    EXPECT_EQ(shown.parent.Count(LIST_NOTIFY_CHOICE_DONE), 0);
    // A click elsewhere closes an open drop-down the same way.
    shown.Click(shown.CellCentre(0, 1));
    ASSERT_NE(shown.list.GetDropDown(), nullptr);
    shown.Click(shown.CellCentre(0, 3));
    shown.Settle();
    EXPECT_EQ(shown.list.GetDropDown(), nullptr);
    EXPECT_EQ(shown.parent.Count(LIST_NOTIFY_CHOICE_DONE), 0);
}

TEST(ValueListChoiceTest, AClickOnAnEntryOfTheDropDownPicksIt)
{
    ValueList shown;
    shown.AddMetric();
    shown.Click(shown.CellCentre(0, 1));
    CDropDownList* dropDown = shown.list.GetDropDown();
    ASSERT_NE(dropDown, nullptr);
    CRect client;
    dropDown->GetClientRect(&client);
    // The last entry is at the bottom of the open list.
    const CPoint last(client.CenterPoint().x, client.bottom - 3);
    EXPECT_EQ(dropDown->EntryAt(last), 4);
    shown.Mouse(*dropDown, QEvent::MouseButtonPress, last, Qt::LeftButton);
    shown.Mouse(*dropDown, QEvent::MouseButtonRelease, last, Qt::LeftButton);
    shown.Settle();
    EXPECT_EQ(shown.list.GetItemText(0, 1), CString("TWA"));
}

TEST(ValueListChoiceTest, TheKeysMoveInTheDropDownAndAScrollBarShowsTheRest)
{
    ValueList shown;
    CStringArray many;
    for (int i = 0; i < 30; ++i)
        many.push_back(CString::Formatted("Entry %d", i));
    shown.list.AddRow(0);
    shown.list.SetCellChoice(0, 1, &many, 8, 0);
    shown.Click(shown.CellCentre(0, 1));
    CDropDownList* dropDown = shown.list.GetDropDown();
    ASSERT_NE(dropDown, nullptr);
    // The drop-down has the keyboard, not the list behind it.
    EXPECT_EQ(CWnd::GetFocus(), dropDown);
    ASSERT_NE(dropDown->GetScrollBar(), nullptr);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    dropDown->GetScrollBar()->GetScrollInfo(&info);
    EXPECT_EQ(info.nMax, 29);
    EXPECT_EQ(info.nPage, 8u);
    shown.Key(Qt::Key_End);
    EXPECT_EQ(dropDown->GetCurSel(), 29);
    EXPECT_EQ(dropDown->GetTopIndex(), 22);
    dropDown->GetScrollBar()->GetScrollInfo(&info);
    EXPECT_EQ(info.nPos, 22);
    shown.Key(Qt::Key_Home);
    EXPECT_EQ(dropDown->GetCurSel(), 0);
    EXPECT_EQ(dropDown->GetTopIndex(), 0);
    // A page is the entries shown but one.
    shown.Key(Qt::Key_PageDown);
    EXPECT_EQ(dropDown->GetCurSel(), 7);
    shown.Key(Qt::Key_PageDown);
    EXPECT_EQ(dropDown->GetCurSel(), 14);
    shown.Key(Qt::Key_PageUp);
    EXPECT_EQ(dropDown->GetCurSel(), 7);
    shown.Key(Qt::Key_Up);
    EXPECT_EQ(dropDown->GetCurSel(), 6);
    // The scroll bar's lower arrow shows one entry further on.
    const int top = dropDown->GetTopIndex();
    CRect bar;
    dropDown->GetScrollBar()->GetClientRect(&bar);
    PersonInput::Click(
        PersonInput::OnScreen(*dropDown->GetScrollBar(), QPoint(bar.Width() / 2, bar.bottom - 4)));
    EXPECT_EQ(dropDown->GetTopIndex(), top + 1);
    ASSERT_EQ(shown.list.GetDropDown(), dropDown) << "a click on the bar keeps it open";
    shown.Key(Qt::Key_Return);
    shown.Settle();
    EXPECT_EQ(shown.list.GetItemText(0, 1), CString("Entry 6"));
    EXPECT_EQ(shown.parent.Count(LIST_NOTIFY_CHOICE_DONE), 1);
}

TEST(ValueListChoiceTest, ThePickGoesToTheRowWhoseCellWasOpened)
{
    ValueList shown;
    shown.AddMetric();
    shown.AddMetric();
    shown.AddMetric();
    shown.Click(shown.CellCentre(1, 1));
    ASSERT_NE(shown.list.GetDropDown(), nullptr);
    EXPECT_EQ(shown.list.GetSelectedRow(), 1);
    // The arrows move in the drop-down, not the list's selection.
    shown.Key(Qt::Key_Down);
    shown.Key(Qt::Key_Down);
    EXPECT_EQ(shown.list.GetSelectedRow(), 1);
    // Whatever moved the selection meanwhile, the owner is told with the
    // opened row selected.
    shown.list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    shown.list.SetItemState(1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    shown.Key(Qt::Key_Return);
    shown.Settle();
    EXPECT_EQ(shown.list.GetItemText(1, 1), CString("A leq"));
    EXPECT_EQ(shown.list.GetItemText(2, 1), CString("A fast"));
    EXPECT_EQ(shown.list.GetSelectedRow(), 1);
    EXPECT_EQ(shown.parent.Count(LIST_NOTIFY_CHOICE_DONE), 1);
    // The keyboard is the list's again.
    EXPECT_EQ(CWnd::GetFocus(), &shown.list);
}

TEST(ValueListRowTest, ARightClickSelectsTheRowUnderThePointerFirst)
{
    ValueList shown;
    shown.AddMetric();
    shown.AddMetric();
    shown.Click(shown.CellCentre(0, 2));
    ASSERT_EQ(shown.list.GetSelectedRow(), 0);
    shown.Click(shown.CellCentre(1, 3), Qt::RightButton);
    EXPECT_EQ(shown.parent.Count(LIST_NOTIFY_RIGHT_CLICK), 1);
    EXPECT_EQ(shown.parent.selectedAtRightClick, 1);
}

TEST(ValueListRowTest, RowsThatDoNotFitGetAScrollBar)
{
    ValueList shown;
    QScrollBar* bar = shown.list.GetHostWidget()->findChild<QScrollBar*>();
    ASSERT_NE(bar, nullptr) << "the list has no vertical scroll bar";
    EXPECT_FALSE(bar->isVisible());
    for (int i = 0; i < 40; ++i)
        shown.AddMetric();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->orientation(), Qt::Vertical);
    // The bar's lower arrow scrolls the rows by one.
    EXPECT_EQ(shown.list.GetTopIndex(), 0);
    PersonInput::Click(bar->mapToGlobal(QPoint(bar->width() / 2, bar->height() - 4)));
    EXPECT_EQ(shown.list.GetTopIndex(), 1);
    // The rows make room for it.
    CRect client;
    shown.list.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 560 - bar->width());
}

TEST(ValueListRowTest, TheKeyboardSkipsDisabledRows)
{
    ValueList shown;
    for (int i = 0; i < 4; ++i)
        shown.AddMetric();
    shown.list.SetRowEnabled(1, FALSE);
    shown.list.SetRowEnabled(3, FALSE);
    shown.Click(shown.CellCentre(0, 2));
    EXPECT_EQ(shown.list.GetSelectedRow(), 0);
    shown.Key(Qt::Key_Down);
    EXPECT_EQ(shown.list.GetSelectedRow(), 2);
    // At the end it turns back to the nearest enabled row.
    shown.Key(Qt::Key_Down);
    EXPECT_EQ(shown.list.GetSelectedRow(), 2);
    shown.Key(Qt::Key_Up);
    EXPECT_EQ(shown.list.GetSelectedRow(), 0);
    // A disabled row ignores the mouse.
    shown.Click(shown.CellCentre(1, 1));
    EXPECT_EQ(shown.list.GetSelectedRow(), 0);
    EXPECT_EQ(shown.list.GetDropDown(), nullptr);
}

TEST(ValueListRowTest, RightClicksOnEnabledRowsAreReported)
{
    ValueList shown;
    shown.AddMetric();
    shown.AddMetric();
    shown.list.SetRowEnabled(1, FALSE);
    shown.Click(shown.CellCentre(0, 3), Qt::RightButton);
    EXPECT_EQ(shown.parent.Count(LIST_NOTIFY_RIGHT_CLICK), 1);
    shown.Click(shown.CellCentre(1, 3), Qt::RightButton);
    EXPECT_EQ(shown.parent.Count(LIST_NOTIFY_RIGHT_CLICK), 1);
    // The list's own right click notification comes as well.
    EXPECT_EQ(shown.parent.Count(NM_RCLICK), 2);
}

TEST(ValueListCheckTest, ACheckBoxCellTogglesAndTellsTheParent)
{
    ValueList shown;
    shown.AddMetric();
    shown.AddMetric();
    shown.list.SetCellCheck(0, 4, 0);
    shown.list.SetCellCheck(1, 4, 1);
    HDITEM image;
    image.mask = HDI_IMAGE;
    image.iImage = CXHeaderCtrl::kImageUnchecked;
    shown.Header()->SetItem(4, &image);
    shown.Click(shown.CellCentre(0, 4));
    EXPECT_EQ(shown.list.GetCell(0, 4)->checkState, 1);
    EXPECT_TRUE(shown.list.GetCell(0, 4)->modified);
    ASSERT_EQ(shown.parent.CountMessage(CXListCtrl::CheckBoxClickedMessage()), 1);
    for (const Received& entry : shown.parent.received)
        if (entry.message == CXListCtrl::CheckBoxClickedMessage()) {
            EXPECT_EQ(entry.wParam, 0u);
            EXPECT_EQ(entry.lParam, 4);
        }
    // Every box checked: the header shows its checked image.
    HDITEM header;
    shown.Header()->GetItem(4, &header);
    EXPECT_EQ(header.iImage, CXHeaderCtrl::kImageChecked);
    shown.Paint();
    // The tick is green.
    CRect rect;
    shown.list.GetSubItemRect(0, 4, LVIR_BOUNDS, rect);
    bool green = false;
    const QImage& picture = *shown.list.GetBackingImage();
    for (int x = rect.left; x < rect.right; ++x)
        for (int y = rect.top; y < rect.bottom; ++y)
            green = green || picture.pixel(x, y) == qRgb(51, 153, 51);
    EXPECT_TRUE(green);
}

TEST(ValueListCheckTest, ClickingACheckColumnHeaderSetsEveryBox)
{
    ValueList shown;
    shown.AddMetric();
    shown.AddMetric();
    shown.list.SetCellCheck(0, 4, 0);
    shown.list.SetCellCheck(1, 4, 1);
    HDITEM image;
    image.mask = HDI_IMAGE;
    image.iImage = CXHeaderCtrl::kImageUnchecked;
    shown.Header()->SetItem(4, &image);
    CRect column;
    shown.Header()->GetItemRect(4, &column);
    shown.Mouse(*shown.Header(), QEvent::MouseButtonPress, column.CenterPoint(), Qt::LeftButton);
    shown.Mouse(*shown.Header(), QEvent::MouseButtonRelease, column.CenterPoint(), Qt::LeftButton);
    EXPECT_EQ(shown.list.GetCell(0, 4)->checkState, 1);
    EXPECT_EQ(shown.list.GetCell(1, 4)->checkState, 1);
    EXPECT_TRUE(shown.list.IsListModified());
    // A column without a header image ignores the click.
    CRect plain;
    shown.Header()->GetItemRect(2, &plain);
    shown.list.SetCellCheck(0, 2, 0);
    shown.Mouse(*shown.Header(), QEvent::MouseButtonPress, plain.CenterPoint(), Qt::LeftButton);
    shown.Mouse(*shown.Header(), QEvent::MouseButtonRelease, plain.CenterPoint(), Qt::LeftButton);
    EXPECT_EQ(shown.list.GetCell(0, 2)->checkState, 0);
}

TEST(ValueListTest, TheToolTipNamesTheCellUnderTheMouse)
{
    ValueList shown;
    shown.AddMetric();
    shown.list.SetCellTooltip(0, 3, CString(std::u16string(100, u'x')));
    shown.Mouse(shown.list, QEvent::MouseMove, shown.CellCentre(0, 3), Qt::NoButton);
    EXPECT_EQ(shown.list.GetToolTip().GetToolId(), 0 * 1000 + 3 + 1);
    EXPECT_EQ(PersonInput::ShownToolTip().size(), 80);
    shown.Mouse(shown.list, QEvent::MouseMove, shown.CellCentre(0, 2), Qt::NoButton);
    EXPECT_EQ(shown.list.GetToolTip().GetToolId(), 3);
    EXPECT_TRUE(PersonInput::ShownToolTip(true).isEmpty());
}

TEST(ValueListTest, TheHeaderIsTheListsOwnAndShowsTheColumns)
{
    ValueList shown;
    CHeaderCtrl* header = shown.Header();
    ASSERT_NE(header, nullptr);
    EXPECT_NE(dynamic_cast<CXHeaderCtrl*>(header), nullptr);
    EXPECT_EQ(header->GetItemCount(), 5);
    EXPECT_EQ(header->GetItemText(3), CString("Avg Selection Value"));
    CRect rect;
    header->GetItemRect(1, &rect);
    EXPECT_EQ(rect.left, 80);
    EXPECT_EQ(rect.right, 230);
    header->Invalidate();
    header->UpdateWindow();
    const QImage& image = *header->GetBackingImage();
    // Divider: shadow at the right edge less one, highlight on it.
    const QRgb shadow = image.pixel(rect.right - 1, rect.CenterPoint().y);
    EXPECT_EQ(RGB(qRed(shadow), qGreen(shadow), qBlue(shadow)), GetSysColor(COLOR_BTNSHADOW));
}

namespace {

// The value list with a row of edit cells, in a window that has the
// keyboard focus, as typing needs it.
struct EditList : ValueList
{
    EditList()
    {
        for (int row = 0; row < 2; ++row) {
            list.AddRow(row);
            list.SetItemText(row, 2, row == 0 ? "85.0" : "90.0");
            list.SetCellEdit(row, 2);
        }
        QWidget* window = parent.GetClientWidget()->window();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    }
    QWidget* EditWidget() const
    {
        CEdit* edit = list.GetCellEdit();
        return edit != nullptr ? edit->GetClientWidget() : nullptr;
    }
    int EditEnds() const { return parent.CountMessage(CXListCtrl::EditEndMessage()); }
    // Delivers the posted messages.
    static void Deliver() { QCoreApplication::sendPostedEvents(); }
};

} // namespace

TEST(ValueListEditTest, EnterKeepsTheTypedTextAndTellsTheParent)
{
    EditList shown;
    shown.Click(shown.CellCentre(1, 2));
    ASSERT_NE(shown.EditWidget(), nullptr);
    EXPECT_EQ(CWnd::GetFocus(), shown.list.GetCellEdit());
    CString opened;
    shown.list.GetCellEdit()->GetWindowText(opened);
    EXPECT_EQ(opened, CString("90.0"));
    PersonInput::Type("87.5");
    PersonInput::Key(Qt::Key_Return);
    EditList::Deliver();
    EXPECT_EQ(shown.list.GetCellEdit(), nullptr);
    EXPECT_EQ(shown.list.GetItemText(1, 2), CString("87.5"));
    EXPECT_TRUE(shown.list.IsListModified());
    EXPECT_EQ(CWnd::GetFocus(), &shown.list);
    ASSERT_EQ(shown.EditEnds(), 1);
    for (const Received& entry : shown.parent.received) {
        if (entry.message == CXListCtrl::EditEndMessage()) {
            EXPECT_EQ(entry.wParam, 1u);
            EXPECT_EQ(entry.lParam, 2);
        }
    }
}

TEST(ValueListEditTest, EscapeLeavesTheCellAsItWas)
{
    EditList shown;
    shown.Click(shown.CellCentre(0, 2));
    ASSERT_NE(shown.EditWidget(), nullptr);
    PersonInput::Type("12");
    PersonInput::Key(Qt::Key_Escape);
    EditList::Deliver();
    EXPECT_EQ(shown.list.GetCellEdit(), nullptr);
    EXPECT_EQ(shown.list.GetItemText(0, 2), CString("85.0"));
    EXPECT_FALSE(shown.list.IsListModified());
    EXPECT_EQ(shown.EditEnds(), 0);
    EXPECT_EQ(CWnd::GetFocus(), &shown.list);
}

TEST(ValueListEditTest, TheFocusGoingElsewhereEndsTheEditKeepingTheText)
{
    EditList shown;
    QLineEdit elsewhere(shown.parent.GetClientWidget());
    elsewhere.setGeometry(0, 180, 100, 20);
    elsewhere.show();
    shown.Click(shown.CellCentre(0, 2));
    ASSERT_NE(shown.EditWidget(), nullptr);
    PersonInput::Type("79.9");
    PersonInput::Click(elsewhere.mapToGlobal(QPoint(10, 10)));
    EditList::Deliver();
    EXPECT_EQ(shown.list.GetCellEdit(), nullptr);
    EXPECT_EQ(shown.list.GetItemText(0, 2), CString("79.9"));
    EXPECT_EQ(shown.EditEnds(), 1);
    // The edit went with the focus elsewhere; the focus stays there.
    EXPECT_TRUE(elsewhere.hasFocus());
}

TEST(ValueListEditTest, ClickingTheNextEditCellEndsTheFirstAndKeepsTheSecondOpen)
{
    EditList shown;
    shown.Click(shown.CellCentre(0, 2));
    ASSERT_NE(shown.EditWidget(), nullptr);
    PersonInput::Type("70");
    shown.Click(shown.CellCentre(1, 2));
    // The first edit's late word that it lost the focus must not close the
    // second.
    EditList::Deliver();
    EXPECT_EQ(shown.list.GetItemText(0, 2), CString("70"));
    ASSERT_NE(shown.list.GetCellEdit(), nullptr);
    CString second;
    shown.list.GetCellEdit()->GetWindowText(second);
    EXPECT_EQ(second, CString("90.0"));
    EXPECT_EQ(CWnd::GetFocus(), shown.list.GetCellEdit());
    EXPECT_EQ(shown.EditEnds(), 1);
}
