#include "PropTree.h"

#include "Cursor.h"
#include "SystemMetrics.h"
#include "WindowClass.h"

#include <QFontDatabase>

#include <algorithm>
#include <memory>

namespace {

int g_treeCount = 0;
std::unique_ptr<CFont> g_normalFont;
std::unique_ptr<CFont> g_boldFont;

} // namespace

CPropTree::CPropTree()
{
    m_root.m_state = CPropTreeItem::ItemExpanded;
    m_root.m_tree = this;
    if (g_treeCount++ == 0)
        CreateSharedFonts();
    m_list.SetPropOwner(this);
    m_info.SetPropOwner(this);
}

CPropTree::~CPropTree()
{
    RemoveItem(nullptr);
    // The parent may have refused to let rows go, but the tree owns every
    // row: what is left goes with the tree.
    while (m_root.m_firstChild != nullptr) {
        CPropTreeItem* refused = m_root.m_firstChild;
        m_root.m_firstChild = refused->m_nextSibling;
        RemoveSubtree(refused);
    }
    m_nextId = 1;
    if (--g_treeCount == 0) {
        g_normalFont.reset();
        g_boldFont.reset();
    }
}

void CPropTree::CreateSharedFonts()
{
    // The menu font of the desktop, in a face of the Windows family.
    NONCLIENTMETRICS metrics{};
    metrics.cbSize = sizeof(NONCLIENTMETRICS);
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(NONCLIENTMETRICS), &metrics, 0);
    LOGFONT logFont{};
    logFont.lfHeight = metrics.lfMenuFont.lfHeight;
    logFont.lfWeight = metrics.lfMenuFont.lfWeight;
    logFont.lfItalic = metrics.lfMenuFont.lfItalic;
    logFont.lfCharSet = ANSI_CHARSET;
    CString face = FaceNameOf(metrics.lfMenuFont);
    if (metrics.lfMenuFont.lfCharSet <= 2)
        face = QFontDatabase::hasFamily("Tahoma") ? CString("Tahoma") : CString("MS Sans Serif");
    SetFaceName(&logFont, face);
    g_normalFont = std::make_unique<CFont>();
    g_normalFont->CreateFontIndirect(&logFont);
    logFont.lfWeight = FW_BOLD;
    g_boldFont = std::make_unique<CFont>();
    g_boldFont->CreateFontIndirect(&logFont);
}

CFont* CPropTree::GetNormalFont()
{
    return g_normalFont.get();
}

CFont* CPropTree::GetBoldFont()
{
    return g_boldFont.get();
}

// Window ---------------------------------------------------------------------

BOOL CPropTree::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    const CString className = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW));
    return CWnd::Create(className, "", style | WS_CHILD, rect, parent, id);
}

int CPropTree::OnCreate(LPCREATESTRUCT create)
{
    if (CWnd::OnCreate(create) == -1)
        return -1;
    const CRect empty(0, 0, 0, 0);
    if (!m_list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL, empty, this, CPropTreeList::kId))
        return -1;
    if (!m_info.Create(WS_CHILD | WS_VISIBLE, empty, this, CPropTreeInfo::kId))
        return -1;
    LayoutPanes(create->cx, create->cy);
    return 0;
}

void CPropTree::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    LayoutPanes(cx, cy);
}

void CPropTree::LayoutPanes(int width, int height)
{
    if (m_list.GetSafeHwnd() == nullptr || m_info.GetSafeHwnd() == nullptr)
        return;
    if (m_showInfo != 0) {
        m_list.MoveWindow(0, 0, width, std::max(0, height - m_infoHeight));
        m_info.MoveWindow(0, height - m_infoHeight, width, m_infoHeight);
        m_info.ShowWindow(SW_SHOW);
    } else {
        m_list.MoveWindow(0, 0, width, height);
        m_info.ShowWindow(SW_HIDE);
    }
}

void CPropTree::ShowInfoText(bool show)
{
    m_showInfo = show ? 1 : 0;
    if (GetSafeHwnd() != nullptr) {
        CRect client;
        GetClientRect(&client);
        LayoutPanes(client.Width(), client.Height());
    }
}

void CPropTree::OnEnable(BOOL)
{
    Invalidate();
    if (m_list.GetSafeHwnd() != nullptr)
        m_list.Invalidate();
    if (m_info.GetSafeHwnd() != nullptr)
        m_info.Invalidate();
}

void CPropTree::OnSysColorChange()
{
    // Colours are read when drawing; a repaint takes the new ones.
    OnEnable(TRUE);
}

// Items ----------------------------------------------------------------------

CPropTreeItem* CPropTree::AddItem(CPropTreeItem* parent, CPropTreeItem* item)
{
    if (item == nullptr)
        return nullptr;
    if (parent == nullptr)
        parent = &m_root;
    // A list filled in order is appended to behind the item added last, so
    // that filling it takes time in proportion to its length, not to its
    // square.
    CPropTreeItem** link = nullptr;
    if (m_lastAdded != nullptr && m_lastAdded->m_parent == parent &&
        m_lastAdded->m_nextSibling == nullptr) {
        link = &m_lastAdded->m_nextSibling;
    } else {
        link = &parent->m_firstChild;
        while (*link != nullptr)
            link = &(*link)->m_nextSibling;
    }
    *link = item;
    item->m_nextSibling = nullptr;
    item->m_parent = parent;
    item->m_tree = this;
    item->m_id = m_nextId++;
    m_lastAdded = item;
    NotifyParent(PROP_NOTIFY_INSERTED, item);
    if (GetSafeHwnd() != nullptr) {
        Invalidate();
        // Only the new item's rows are new to the range, and only when they
        // show.
        if (ShowsChildren(parent))
            m_scrollRange += ContentHeight(item);
        ApplyScrollRange();
    }
    return item;
}

bool CPropTree::ShowsChildren(const CPropTreeItem* item) const
{
    for (; item != &m_root; item = item->m_parent)
        if (item == nullptr || !item->IsState(CPropTreeItem::ItemExpanded))
            return false;
    return true;
}

void CPropTree::RemoveItem(CPropTreeItem* item)
{
    if (item == nullptr)
        item = &m_root;
    // The rows are laid out once, after everything asked for is gone:
    // emptying a long tree takes time in proportion to its length.
    RemoveWithoutLayout(item);
    LayoutVisibleRows();
    if (GetSafeHwnd() != nullptr) {
        Invalidate();
        RecalcScrollRange();
    }
}

void CPropTree::RemoveWithoutLayout(CPropTreeItem* item)
{
    if (item != &m_root && NotifyParent(PROP_NOTIFY_DELETING, item) != 0)
        return;
    // Children first, depth first, each asked for itself.
    CPropTreeItem* child = item->m_firstChild;
    while (child != nullptr) {
        CPropTreeItem* next = child->m_nextSibling;
        RemoveWithoutLayout(child);
        child = next;
    }
    if (item == &m_root)
        return;
    CPropTreeItem** link = &item->m_parent->m_firstChild;
    while (*link != nullptr && *link != item)
        link = &(*link)->m_nextSibling;
    if (*link == item)
        *link = item->m_nextSibling;
    // Children whose removal was refused go with it: nothing reaches them
    // once their parent is gone.
    RemoveSubtree(item);
}

void CPropTree::RemoveSubtree(CPropTreeItem* item)
{
    CPropTreeItem* child = item->m_firstChild;
    while (child != nullptr) {
        CPropTreeItem* next = child->m_nextSibling;
        RemoveSubtree(child);
        child = next;
    }
    if (m_lastAdded == item)
        m_lastAdded = nullptr;
    if (m_focusedItem == item) {
        m_focusedItem = nullptr;
        if (GetSafeHwnd() != nullptr)
            Invalidate();
    }
    delete item;
}

BOOL CPropTree::ForEachItem(CPropTreeItem* start, EnumFunc callback, LPARAM data)
{
    if (start == nullptr || callback == nullptr)
        return FALSE;
    if (start != &m_root && !callback(this, start, data))
        return FALSE;
    for (CPropTreeItem* child = start->m_firstChild; child != nullptr;) {
        CPropTreeItem* next = child->m_nextSibling;
        if (!ForEachItem(child, callback, data))
            return FALSE;
        child = next;
    }
    return TRUE;
}

// Visible rows ---------------------------------------------------------------

void CPropTree::LayoutVisibleRows()
{
    m_firstVisible = nullptr;
    m_visibleTail = nullptr;
    LayoutRows(m_root.m_firstChild, 0, 0);
}

int CPropTree::LayoutRows(CPropTreeItem* first, int indent, int y)
{
    if (first == nullptr)
        return y;
    CRect client;
    if (m_list.GetSafeHwnd() != nullptr)
        m_list.GetClientRect(&client);
    const int innerRight = client.right - 2;
    for (CPropTreeItem* item = first; item != nullptr; item = item->m_nextSibling) {
        if (m_visibleTail == nullptr)
            m_firstVisible = item;
        else
            m_visibleTail->m_nextVisible = item;
        m_visibleTail = item;
        item->m_nextVisible = nullptr;
        const int height = item->GetRowHeight();
        const int offset = height / 2 - 6;
        item->m_location = CPoint(indent, y);
        item->m_valueRect =
            CRect(m_dividerX + 5, y - m_scrollY, innerRight, y + height - 1 - m_scrollY);
        item->m_expanderRect = item->m_firstChild != nullptr
                                   ? CRect(4, y + offset, 12, y + offset + 8)
                                   : CRect(0, 0, 0, 0);
        const int labelLeft = indent + 16;
        item->m_checkBoxRect =
            item->IsState(CPropTreeItem::ItemHasCheckBox)
                ? CRect(labelLeft + 5, y + offset, labelLeft + 19, y + offset + 14)
                : CRect(0, 0, 0, 0);
        y += height;
        if (item->IsState(CPropTreeItem::ItemExpanded) && item->m_firstChild != nullptr)
            y = LayoutRows(item->m_firstChild, IsTopLevel(item) ? indent : indent + 16, y);
    }
    return y;
}

bool CPropTree::IsItemVisible(const CPropTreeItem* item) const
{
    for (const CPropTreeItem* row = m_firstVisible; row != nullptr; row = row->m_nextVisible)
        if (row == item)
            return true;
    return false;
}

CPropTreeItem* CPropTree::LastVisible() const
{
    CPropTreeItem* last = m_firstVisible;
    while (last != nullptr && last->m_nextVisible != nullptr)
        last = last->m_nextVisible;
    return last;
}

int CPropTree::ContentHeight(CPropTreeItem* item) const
{
    int height = item->GetRowHeight();
    if (item->IsState(CPropTreeItem::ItemExpanded))
        for (CPropTreeItem* child = item->m_firstChild; child != nullptr;
             child = child->m_nextSibling)
            height += ContentHeight(child);
    return height;
}

void CPropTree::RecalcScrollRange()
{
    int range = m_root.GetRowHeight();
    for (CPropTreeItem* item = m_root.m_firstChild; item != nullptr; item = item->m_nextSibling)
        range += ContentHeight(item);
    m_scrollRange = range;
    ApplyScrollRange();
}

void CPropTree::ApplyScrollRange()
{
    const int range = m_scrollRange;
    if (m_list.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    m_list.GetClientRect(&client);
    const int page = client.Height() + 1;
    if (range < page)
        m_scrollY = 0;
    m_list.UpdateScrollBar(range, page);
    SetDividerX(m_dividerX);
}

// Focus and selection --------------------------------------------------------

void CPropTree::FocusItem(CPropTreeItem* item)
{
    m_focusedItem = item;
    ScrollIntoView(item);
    if (GetSafeHwnd() != nullptr) {
        Invalidate();
        m_list.Invalidate();
        m_info.Invalidate();
    }
}

void CPropTree::ScrollIntoView(CPropTreeItem* item)
{
    if (item == nullptr)
        return;
    LayoutVisibleRows();
    if (!IsItemVisible(item)) {
        for (CPropTreeItem* parent = item->m_parent; parent != nullptr; parent = parent->m_parent)
            parent->SetState(CPropTreeItem::ItemExpanded, true);
        if (GetSafeHwnd() != nullptr) {
            Invalidate();
            m_list.Invalidate();
            RecalcScrollRange();
            UpdateWindow();
        }
        LayoutVisibleRows();
    }
    if (m_list.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    m_list.GetClientRect(&client);
    const int clientHeight = client.Height();
    client.OffsetRect(0, m_scrollY);
    client.bottom -= item->GetRowHeight();
    if (client.PtInRect(item->m_location))
        return;
    m_list.SetFocus();
    const int rowY = item->m_location.y;
    int origin = rowY < m_scrollY ? rowY : rowY + 2 * item->GetRowHeight() - clientHeight;
    origin = std::max(0, std::min(origin, m_scrollRange - (clientHeight + 1)));
    m_scrollY = origin;
    m_list.UpdateScrollBar(m_scrollRange, clientHeight + 1);
    LayoutVisibleRows();
    m_list.Invalidate();
}

void CPropTree::ClearSelection()
{
    ForEachItem(
        &m_root,
        [](CPropTree*, CPropTreeItem* item, LPARAM) -> BOOL {
            item->SetState(CPropTreeItem::ItemSelected, false);
            return TRUE;
        },
        0);
}

CPropTreeItem* CPropTree::MoveFocus(CPropTreeItem* target)
{
    if (target == nullptr)
        return nullptr;
    CPropTreeItem* old = m_focusedItem;
    FocusItem(target);
    ClearSelection();
    target->SetState(CPropTreeItem::ItemSelected, true);
    if (old != target)
        NotifyParent(PROP_NOTIFY_SELECTION, target);
    return target;
}

CPropTreeItem* CPropTree::FocusFirst()
{
    LayoutVisibleRows();
    return MoveFocus(m_firstVisible);
}

CPropTreeItem* CPropTree::FocusLast()
{
    LayoutVisibleRows();
    return MoveFocus(LastVisible());
}

CPropTreeItem* CPropTree::FocusPrev()
{
    LayoutVisibleRows();
    if (m_focusedItem == nullptr)
        return MoveFocus(LastVisible());
    CPropTreeItem* previous = nullptr;
    for (CPropTreeItem* row = m_firstVisible; row != nullptr && row != m_focusedItem;
         row = row->m_nextVisible)
        previous = row;
    return IsItemVisible(m_focusedItem) ? MoveFocus(previous) : nullptr;
}

CPropTreeItem* CPropTree::FocusNext()
{
    LayoutVisibleRows();
    if (m_focusedItem == nullptr)
        return MoveFocus(m_firstVisible);
    return IsItemVisible(m_focusedItem) ? MoveFocus(m_focusedItem->m_nextVisible) : nullptr;
}

void CPropTree::DropHiddenFocus()
{
    LayoutVisibleRows();
    if (m_focusedItem == nullptr || IsItemVisible(m_focusedItem))
        return;
    m_focusedItem->SetState(CPropTreeItem::ItemSelected, false);
    m_focusedItem = nullptr;
    NotifyParent(PROP_NOTIFY_SELECTION, nullptr);
    if (m_list.GetSafeHwnd() != nullptr)
        m_list.Invalidate();
    if (m_info.GetSafeHwnd() != nullptr)
        m_info.Invalidate();
}

void CPropTree::ActivateItem(CPropTreeItem* item)
{
    if (item == nullptr)
        return;
    item->m_activated = 1;
    item->m_commitOnce = 0;
    item->BeginValueEdit();
}

// Geometry -------------------------------------------------------------------

void CPropTree::SetDividerX(int x)
{
    x = std::max(x, 16);
    if (m_list.GetSafeHwnd() != nullptr) {
        CRect client;
        m_list.GetClientRect(&client);
        if (!client.IsRectEmpty() && x >= client.Width() - 16)
            x = client.Width() - 16;
    }
    m_dividerX = x;
    if (GetSafeHwnd() != nullptr) {
        Invalidate();
        m_list.Invalidate();
    }
}

CPropTreeItem* CPropTree::ItemAtPoint(CPoint point) const
{
    const int y = point.y + m_scrollY;
    for (CPropTreeItem* row = m_firstVisible; row != nullptr; row = row->m_nextVisible) {
        if (y >= row->m_location.y && y < row->m_location.y + row->GetRowHeight())
            return row;
    }
    return nullptr;
}

int CPropTree::HitTestPoint(CPoint point) const
{
    const CPropTreeItem* item = ItemAtPoint(point);
    if (item == nullptr)
        return PROP_HIT_NOWHERE;
    if (!IsTopLevel(item) && std::abs(point.x - m_dividerX) <= 5)
        return PROP_HIT_DIVIDER;
    if (point.x > m_dividerX + 5)
        return PROP_HIT_VALUE;
    const CPoint content(point.x, point.y + m_scrollY);
    if (item->m_expanderRect.PtInRect(content))
        return PROP_HIT_EXPANDER;
    if (item->m_checkBoxRect.PtInRect(content))
        return PROP_HIT_CHECKBOX;
    return PROP_HIT_LABEL;
}

// Notifications --------------------------------------------------------------

LRESULT CPropTree::NotifyParent(int code, CPropTreeItem* item)
{
    const bool known =
        code == -1112 || (code >= -1110 && code <= -1105) || (code >= -1103 && code <= -1101);
    if (!known || GetSafeHwnd() == nullptr || (GetStyle() & PROP_STYLE_NOTIFY) == 0)
        return 0;
    CWnd* parent = GetParent();
    if (parent == nullptr)
        return 0;
    PropTreeNotify notify{};
    notify.hdr.hwndFrom = this;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    notify.hdr.code = static_cast<UINT>(code);
    notify.pItem = item;
    return parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()),
                               reinterpret_cast<LPARAM>(&notify));
}
