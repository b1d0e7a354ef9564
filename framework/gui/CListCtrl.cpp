#include "CListCtrl.h"

#include "Cursor.h"
#include "SystemMetrics.h"
#include "WindowClass.h"
#include "WindowDC.h"

#include <algorithm>

namespace {

void RegisterListClass()
{
    WNDCLASS existing;
    if (GetClassInfo(CListCtrl::kClassName, &existing))
        return;
    WNDCLASS windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = CListCtrl::kClassName;
    RegisterClass(&windowClass);
}

CFont* ListFont(const CWnd* window)
{
    if (window->GetFont() != nullptr)
        return window->GetFont();
    return static_cast<CFont*>(GetStockObject(DEFAULT_GUI_FONT));
}

} // namespace

CListCtrl::CListCtrl()
{
    RegisterListClass();
}

CListCtrl::~CListCtrl() = default;

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(kClassName, "", style, rect, parent, id);
}

int CListCtrl::OnCreate(LPCREATESTRUCT create)
{
    if (CWnd::OnCreate(create) == -1)
        return -1;
    ModifyStyle(0, WS_VSCROLL, SWP_FRAMECHANGED);
    if (!Header()->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, create->cx, GetHeaderHeight()), this,
                          kHeaderId))
        return -1;
    Header()->SetFont(ListFont(this), FALSE);
    LayoutHeader();
    return 0;
}

void CListCtrl::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    LayoutHeader();
    UpdateScrollBar();
}

void CListCtrl::LayoutHeader()
{
    if (Header()->GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    Header()->MoveWindow(0, 0, std::max(static_cast<int>(client.Width()), 1), GetHeaderHeight());
}

DWORD CListCtrl::SetExtendedStyle(DWORD style)
{
    const DWORD old = m_extendedStyle;
    m_extendedStyle = style;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return old;
}

int CListCtrl::GetRowHeight() const
{
    CDC screen;
    screen.CreateScreenDC();
    screen.SelectObject(ListFont(this));
    TEXTMETRIC metrics{};
    screen.GetTextMetrics(&metrics);
    return metrics.tmHeight + 4;
}

int CListCtrl::GetHeaderHeight() const
{
    return GetRowHeight() + 4;
}

// Columns --------------------------------------------------------------------

int CListCtrl::InsertColumn(int index, const CString& heading, int format, int width, int)
{
    HDITEM item;
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_WIDTH;
    item.pszText = heading.GetString();
    item.fmt = (format & HDF_JUSTIFYMASK) | HDF_STRING;
    item.cxy = width < 0 ? 100 : width;
    const int column = Header()->InsertItem(index, &item);
    if (column < 0)
        return -1;
    for (Row& row : m_rows)
        row.texts.insert(row.texts.begin() + std::min(column, static_cast<int>(row.texts.size())),
                         CString());
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return column;
}

int CListCtrl::GetColumnCount() const
{
    return const_cast<CListCtrl*>(this)->Header()->GetItemCount();
}

BOOL CListCtrl::GetColumn(int index, LVCOLUMN* column) const
{
    HDITEM item;
    if (column == nullptr || !const_cast<CListCtrl*>(this)->Header()->GetItem(index, &item))
        return FALSE;
    column->fmt = item.fmt & HDF_JUSTIFYMASK;
    column->cx = item.cxy;
    column->pszText = item.pszText;
    column->iSubItem = index;
    return TRUE;
}

int CListCtrl::GetColumnWidth(int index) const
{
    LVCOLUMN column;
    return GetColumn(index, &column) ? column.cx : 0;
}

// Rows -----------------------------------------------------------------------

int CListCtrl::InsertItem(int index, const CString& text)
{
    if (index < 0)
        return -1;
    index = std::min(index, GetItemCount());
    Row row;
    row.texts.assign(static_cast<std::size_t>(std::max(GetColumnCount(), 1)), CString());
    row.texts[0] = text;
    m_rows.insert(m_rows.begin() + index, row);
    UpdateScrollBar();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return index;
}

BOOL CListCtrl::DeleteItem(int index)
{
    if (index < 0 || index >= GetItemCount())
        return FALSE;
    m_rows.erase(m_rows.begin() + index);
    m_topIndex = std::max(0, std::min(m_topIndex, GetItemCount() - 1));
    UpdateScrollBar();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return TRUE;
}

BOOL CListCtrl::SetItemText(int item, int subItem, const CString& text)
{
    if (item < 0 || item >= GetItemCount() || subItem < 0)
        return FALSE;
    Row& row = m_rows[static_cast<std::size_t>(item)];
    if (subItem >= static_cast<int>(row.texts.size())) {
        if (subItem >= GetColumnCount())
            return FALSE;
        row.texts.resize(static_cast<std::size_t>(subItem) + 1);
    }
    row.texts[static_cast<std::size_t>(subItem)] = text;
    Update(item);
    return TRUE;
}

CString CListCtrl::GetItemText(int item, int subItem) const
{
    if (item < 0 || item >= GetItemCount() || subItem < 0)
        return {};
    const Row& row = m_rows[static_cast<std::size_t>(item)];
    if (subItem >= static_cast<int>(row.texts.size()))
        return {};
    return row.texts[static_cast<std::size_t>(subItem)];
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data)
{
    if (item < 0 || item >= GetItemCount())
        return FALSE;
    m_rows[static_cast<std::size_t>(item)].data = data;
    return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int item) const
{
    if (item < 0 || item >= GetItemCount())
        return 0;
    return m_rows[static_cast<std::size_t>(item)].data;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    if (item < 0 || item >= GetItemCount())
        return FALSE;
    // One row at most is selected.
    if ((mask & LVIS_SELECTED) != 0 && (state & LVIS_SELECTED) != 0 &&
        (GetStyle() & LVS_SINGLESEL) != 0)
        for (Row& row : m_rows)
            row.state &= ~LVIS_SELECTED;
    if ((mask & LVIS_FOCUSED) != 0 && (state & LVIS_FOCUSED) != 0)
        for (Row& row : m_rows)
            row.state &= ~LVIS_FOCUSED;
    Row& row = m_rows[static_cast<std::size_t>(item)];
    row.state = (row.state & ~mask) | (state & mask);
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return TRUE;
}

int CListCtrl::GetNextItem(int start, UINT flags) const
{
    for (int i = std::max(start + 1, 0); i < GetItemCount(); ++i) {
        const UINT state = m_rows[static_cast<std::size_t>(i)].state;
        if ((flags & LVNI_SELECTED) != 0 && (state & LVIS_SELECTED) == 0)
            continue;
        if ((flags & LVNI_FOCUSED) != 0 && (state & LVIS_FOCUSED) == 0)
            continue;
        return i;
    }
    return -1;
}

// Geometry -------------------------------------------------------------------

BOOL CListCtrl::GetItemRect(int item, LPRECT rect, UINT) const
{
    if (rect == nullptr || item < 0 || item >= GetItemCount())
        return FALSE;
    int width = 0;
    for (int i = 0; i < GetColumnCount(); ++i)
        width += GetColumnWidth(i);
    const int top = GetHeaderHeight() + (item - m_topIndex) * GetRowHeight();
    *rect = CRect(0, top, width, top + GetRowHeight());
    return TRUE;
}

BOOL CListCtrl::GetSubItemRect(int item, int subItem, int area, CRect& rect) const
{
    CRect row;
    if (!GetItemRect(item, &row, static_cast<UINT>(area)) || subItem < 0 ||
        subItem >= GetColumnCount())
        return FALSE;
    int left = 0;
    for (int i = 0; i < subItem; ++i)
        left += GetColumnWidth(i);
    rect = CRect(left, row.top, left + GetColumnWidth(subItem), row.bottom);
    return TRUE;
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const
{
    LVHITTESTINFO info;
    info.pt = point;
    const int item = SubItemHitTest(&info);
    if (flags != nullptr)
        *flags = info.flags;
    return item;
}

int CListCtrl::SubItemHitTest(LVHITTESTINFO* info) const
{
    if (info == nullptr)
        return -1;
    info->iItem = -1;
    info->iSubItem = 0;
    info->flags = LVHT_NOWHERE;
    const int rowHeight = GetRowHeight();
    const int y = info->pt.y - GetHeaderHeight();
    if (y < 0 || rowHeight <= 0)
        return -1;
    const int item = m_topIndex + y / rowHeight;
    if (item >= GetItemCount())
        return -1;
    int left = 0;
    for (int i = 0; i < GetColumnCount(); ++i) {
        const int width = GetColumnWidth(i);
        if (info->pt.x >= left && info->pt.x < left + width) {
            info->iItem = item;
            info->iSubItem = i;
            info->flags = LVHT_ONITEMLABEL;
            return item;
        }
        left += width;
    }
    return -1;
}

int CListCtrl::GetCountPerPage() const
{
    CRect client;
    GetClientRect(&client);
    return std::max(0, (static_cast<int>(client.Height()) - GetHeaderHeight()) / GetRowHeight());
}

BOOL CListCtrl::EnsureVisible(int item, BOOL)
{
    if (item < 0 || item >= GetItemCount())
        return FALSE;
    const int page = std::max(GetCountPerPage(), 1);
    if (item < m_topIndex)
        ScrollTo(item);
    else if (item >= m_topIndex + page)
        ScrollTo(item - page + 1);
    return TRUE;
}

BOOL CListCtrl::RedrawItems(int first, int last)
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    for (int i = first; i <= last; ++i) {
        CRect rect;
        if (GetItemRect(i, &rect, LVIR_BOUNDS)) {
            CRect client;
            GetClientRect(&client);
            rect.right = client.right;
            InvalidateRect(&rect, FALSE);
        }
    }
    return TRUE;
}

// Scrolling ------------------------------------------------------------------

void CListCtrl::UpdateScrollBar()
{
    if (GetSafeHwnd() == nullptr)
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof(SCROLLINFO);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(GetItemCount() - 1, 0);
    info.nPage = static_cast<UINT>(GetCountPerPage());
    info.nPos = m_topIndex;
    SetScrollInfo(SB_VERT, &info, TRUE);
}

void CListCtrl::ScrollTo(int top)
{
    const int page = std::max(GetCountPerPage(), 1);
    top = std::max(0, std::min(top, GetItemCount() - page));
    if (top == m_topIndex)
        return;
    m_topIndex = top;
    UpdateScrollBar();
    Invalidate();
}

void CListCtrl::OnVScroll(UINT code, UINT, CScrollBar*)
{
    const int page = std::max(GetCountPerPage(), 1);
    switch (code) {
    case SB_LINEUP:
        ScrollTo(m_topIndex - 1);
        break;
    case SB_LINEDOWN:
        ScrollTo(m_topIndex + 1);
        break;
    case SB_PAGEUP:
        ScrollTo(m_topIndex - page);
        break;
    case SB_PAGEDOWN:
        ScrollTo(m_topIndex + page);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof(SCROLLINFO);
        GetScrollInfo(SB_VERT, &info, SIF_TRACKPOS);
        ScrollTo(info.nTrackPos);
        break;
    }
    default:
        break;
    }
}

BOOL CListCtrl::OnMouseWheel(UINT, short delta, CPoint)
{
    ScrollTo(m_topIndex - delta / 40);
    return TRUE;
}

// Notifications --------------------------------------------------------------

LRESULT CListCtrl::NotifyParent(NMHDR* header)
{
    header->hwndFrom = this;
    header->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    if (CWnd* parent = GetParent())
        return parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()),
                                   reinterpret_cast<LPARAM>(header));
    LRESULT result = 0;
    OnChildNotify(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(header),
                  &result);
    return result;
}

BOOL CListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header != nullptr && header->hwndFrom == Header()) {
        const auto* item = reinterpret_cast<const NMHEADER*>(lParam);
        if (header->code == HDN_ITEMCHANGED || header->code == HDN_ENDTRACK) {
            Invalidate();
        } else if (header->code == HDN_ITEMCLICK) {
            NMLISTVIEW click{};
            click.hdr.code = LVN_COLUMNCLICK;
            click.iItem = -1;
            click.iSubItem = item->iItem;
            NotifyParent(&click.hdr);
        }
        *result = 0;
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, result);
}

// Painting -------------------------------------------------------------------

BOOL CListCtrl::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_WINDOW));
    return TRUE;
}

bool CListCtrl::IsCellHighlighted(int item, int subItem) const
{
    if ((m_rows[static_cast<std::size_t>(item)].state & LVIS_SELECTED) == 0)
        return false;
    const bool showSelection = GetFocus() == this || (GetStyle() & LVS_SHOWSELALWAYS) != 0;
    const bool fullRow = (m_extendedStyle & LVS_EX_FULLROWSELECT) != 0;
    return showSelection && (fullRow || subItem == 0);
}

void CListCtrl::DrawCell(CDC* dc, int item, int subItem, const CRect& rect)
{
    const bool highlighted = IsCellHighlighted(item, subItem);
    dc->FillSolidRect(&rect, GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    CRect inner = rect;
    inner.DeflateRect(6, 0);
    LVCOLUMN column;
    GetColumn(subItem, &column);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    if (column.fmt == LVCFMT_CENTER)
        format |= DT_CENTER;
    else if (column.fmt == LVCFMT_RIGHT)
        format |= DT_RIGHT;
    dc->SetTextColor(GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    dc->SetBkMode(TRANSPARENT);
    dc->DrawText(GetItemText(item, subItem), &inner, format);
}

void CListCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CFont* old = dc.SelectObject(ListFont(this));
    const int headerHeight = GetHeaderHeight();
    dc.IntersectClipRect(0, headerHeight, client.right, client.bottom);
    for (int item = m_topIndex; item < GetItemCount(); ++item) {
        CRect row;
        GetItemRect(item, &row, LVIR_BOUNDS);
        if (row.top >= client.bottom)
            break;
        for (int column = 0; column < GetColumnCount(); ++column) {
            CRect cell;
            GetSubItemRect(item, column, LVIR_BOUNDS, cell);
            DrawCell(&dc, item, column, cell);
        }
        if ((m_extendedStyle & LVS_EX_GRIDLINES) != 0) {
            dc.FillSolidRect(0, row.bottom - 1, client.Width(), 1, GetSysColor(COLOR_3DLIGHT));
            int x = 0;
            for (int column = 0; column < GetColumnCount(); ++column) {
                x += GetColumnWidth(column);
                dc.FillSolidRect(x - 1, row.top, 1, row.Height(), GetSysColor(COLOR_3DLIGHT));
            }
        }
    }
    dc.SelectObject(old);
}

// Mouse and keyboard ---------------------------------------------------------

void CListCtrl::SelectOnly(int item)
{
    const int old = GetNextItem(-1, LVNI_SELECTED);
    for (Row& row : m_rows)
        row.state &= ~(LVIS_SELECTED | LVIS_FOCUSED);
    if (item >= 0 && item < GetItemCount())
        m_rows[static_cast<std::size_t>(item)].state |= LVIS_SELECTED | LVIS_FOCUSED;
    Invalidate();
    if (old != item) {
        NMLISTVIEW changed{};
        changed.hdr.code = LVN_ITEMCHANGED;
        changed.iItem = item;
        changed.uNewState = LVIS_SELECTED | LVIS_FOCUSED;
        changed.uChanged = LVIF_STATE;
        NotifyParent(&changed.hdr);
    }
}

void CListCtrl::OnLButtonDown(UINT, CPoint point)
{
    SetFocus();
    LVHITTESTINFO info;
    info.pt = point;
    SelectOnly(SubItemHitTest(&info));
    NMLISTVIEW click{};
    click.hdr.code = NM_CLICK;
    click.iItem = info.iItem;
    click.iSubItem = info.iSubItem;
    click.ptAction = point;
    NotifyParent(&click.hdr);
}

void CListCtrl::OnRButtonDown(UINT, CPoint point)
{
    SetFocus();
    LVHITTESTINFO info;
    info.pt = point;
    // As a left click, a right click on a row selects it first: what it
    // opens is about that row.
    const int item = SubItemHitTest(&info);
    if (item >= 0)
        SelectOnly(item);
    NMLISTVIEW click{};
    click.hdr.code = NM_RCLICK;
    click.iItem = item;
    click.iSubItem = info.iSubItem;
    click.ptAction = point;
    NotifyParent(&click.hdr);
}

void CListCtrl::OnLButtonDblClk(UINT flags, CPoint point)
{
    OnLButtonDown(flags, point);
    NMLISTVIEW click{};
    click.hdr.code = NM_DBLCLK;
    click.iItem = HitTest(point);
    click.ptAction = point;
    NotifyParent(&click.hdr);
}

UINT CListCtrl::OnGetDlgCode()
{
    return DLGC_WANTARROWS;
}

void CListCtrl::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    const int count = GetItemCount();
    if (count == 0) {
        CWnd::OnKeyDown(key, repeatCount, flags);
        return;
    }
    const int current = GetNextItem(-1, LVNI_FOCUSED);
    const int page = std::max(GetCountPerPage() - 1, 1);
    int next = current;
    switch (key) {
    case VK_UP:
        next = current < 0 ? 0 : current - 1;
        break;
    case VK_DOWN:
        next = current + 1;
        break;
    case VK_PRIOR:
        next = current - page;
        break;
    case VK_NEXT:
        next = current < 0 ? page : current + page;
        break;
    case VK_HOME:
        next = 0;
        break;
    case VK_END:
        next = count - 1;
        break;
    default:
        CWnd::OnKeyDown(key, repeatCount, flags);
        return;
    }
    next = std::clamp(next, 0, count - 1);
    SelectOnly(next);
    EnsureVisible(next, FALSE);
}
