#include "CDropDownList.h"

#include "CDC.h"
#include "Cursor.h"
#include "SystemMetrics.h"
#include "WindowClass.h"
#include "WindowDC.h"

#include <algorithm>

namespace {

void RegisterDropDownClass()
{
    WNDCLASS existing;
    if (GetClassInfo(CDropDownList::kClassName, &existing))
        return;
    WNDCLASS windowClass;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = CDropDownList::kClassName;
    RegisterClass(&windowClass);
}

CFont* EntryFont()
{
    return static_cast<CFont*>(GetStockObject(DEFAULT_GUI_FONT));
}

} // namespace

CDropDownList::CDropDownList()
{
    RegisterDropDownClass();
}

CDropDownList::~CDropDownList()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

UINT CDropDownList::CompleteMessage()
{
    static const UINT message = RegisterWindowMessage("WM_XCOMBOLIST_COMPLETE");
    return message;
}

UINT CDropDownList::EscapeMessage()
{
    static const UINT message = RegisterWindowMessage("WM_XCOMBOLIST_VK_ESCAPE");
    return message;
}

int CDropDownList::GetRowHeight() const
{
    CDC screen;
    screen.CreateScreenDC();
    screen.SelectObject(EntryFont());
    TEXTMETRIC metrics{};
    screen.GetTextMetrics(&metrics);
    return metrics.tmHeight + 2;
}

BOOL CDropDownList::Create(const RECT& cell, CWnd* owner, const std::vector<CString>& entries,
                           int visibleRows)
{
    if (owner == nullptr)
        return FALSE;
    m_owner = owner;
    m_entries = entries;
    m_visibleRows = std::max(1, std::min(visibleRows, GetCount()));
    m_selection = entries.empty() ? -1 : 0;
    m_top = 0;
    m_ended = false;
    CRect box(cell);
    owner->ClientToScreen(&box);
    m_cellHeight = box.Height();
    const CRect window(box.left, box.top, box.right,
                       box.bottom + m_visibleRows * GetRowHeight() + 2);
    // A pop-up owned by the owner's window.
    if (!CWnd::CreateEx(0, kClassName, "", WS_POPUP | WS_VISIBLE, window, owner, 0))
        return FALSE;
    if (NeedsScrollBar()) {
        const int width = GetSystemMetrics(SM_CXVSCROLL);
        const CRect list = ListRect();
        if (!m_scrollBar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT,
                                CRect(list.right, list.top, list.right + width, list.bottom), this,
                                1))
            return FALSE;
        SCROLLINFO info{sizeof(SCROLLINFO),
                        SIF_RANGE | SIF_PAGE | SIF_POS,
                        0,
                        GetCount() - 1,
                        static_cast<UINT>(m_visibleRows),
                        0,
                        0};
        m_scrollBar.SetScrollInfo(&info);
    }
    SetFocus();
    return TRUE;
}

CScrollBar* CDropDownList::GetScrollBar()
{
    return m_scrollBar.GetSafeHwnd() != nullptr ? &m_scrollBar : nullptr;
}

CRect CDropDownList::ListRect() const
{
    CRect client;
    GetClientRect(&client);
    CRect list(1, m_cellHeight + 1, client.right - 1, client.bottom - 1);
    if (NeedsScrollBar())
        list.right -= GetSystemMetrics(SM_CXVSCROLL);
    return list;
}

void CDropDownList::SetCurSel(int index)
{
    m_selection = index >= 0 && index < GetCount() ? index : -1;
    ScrollToSelection();
    if (m_hWnd != nullptr)
        Invalidate();
}

CString CDropDownList::GetText(int index) const
{
    if (index < 0 || index >= GetCount())
        return {};
    return m_entries[static_cast<std::size_t>(index)];
}

int CDropDownList::FindStringExact(const CString& text) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_entries[static_cast<std::size_t>(i)] == text)
            return i;
    return -1;
}

void CDropDownList::ScrollTo(int top)
{
    m_top = std::clamp(top, 0, std::max(0, GetCount() - m_visibleRows));
    if (m_scrollBar.GetSafeHwnd() != nullptr)
        m_scrollBar.SetScrollPos(m_top);
    if (m_hWnd != nullptr)
        Invalidate();
}

void CDropDownList::ScrollToSelection()
{
    if (m_selection < 0)
        return;
    if (m_selection < m_top)
        ScrollTo(m_selection);
    else if (m_selection >= m_top + m_visibleRows)
        ScrollTo(m_selection - m_visibleRows + 1);
}

CRect CDropDownList::GetEntryRect(int index) const
{
    const int row = index - m_top;
    if (index < 0 || index >= GetCount() || row < 0 || row >= m_visibleRows)
        return CRect();
    const CRect list = ListRect();
    const int rowHeight = GetRowHeight();
    return CRect(list.left, list.top + row * rowHeight, list.right,
                 list.top + (row + 1) * rowHeight);
}

int CDropDownList::EntryAt(CPoint point) const
{
    const CRect list = ListRect();
    if (point.x < list.left || point.x >= list.right || point.y < list.top)
        return -1;
    const int row = (point.y - list.top) / GetRowHeight();
    if (row >= m_visibleRows)
        return -1;
    const int index = m_top + row;
    return index < GetCount() ? index : -1;
}

BOOL CDropDownList::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CDropDownList::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CFont* old = dc.SelectObject(EntryFont());
    dc.SetBkMode(TRANSPARENT);
    // The box over the cell with the chosen entry.
    CRect box(0, 0, client.right, m_cellHeight);
    dc.FillSolidRect(&box, GetSysColor(COLOR_WINDOW));
    dc.Draw3dRect(&box, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    CRect text = box;
    text.DeflateRect(4, 0);
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    dc.DrawText(GetText(m_selection), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    // The list below it.
    CRect list(0, m_cellHeight, client.right, client.bottom);
    dc.FillSolidRect(&list, GetSysColor(COLOR_WINDOW));
    dc.Draw3dRect(&list, RGB(0, 0, 0), RGB(0, 0, 0));
    for (int index = m_top; index < m_top + m_visibleRows && index < GetCount(); ++index) {
        const CRect entry = GetEntryRect(index);
        const bool selected = index == m_selection;
        if (selected)
            dc.FillSolidRect(&entry, GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        CRect label = entry;
        label.DeflateRect(3, 0);
        dc.DrawText(GetText(index), &label, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    dc.SelectObject(old);
}

void CDropDownList::OnMouseMove(UINT, CPoint point)
{
    // The choice follows the pointer over the entries.
    const int entry = EntryAt(point);
    if (!m_ended && entry >= 0 && entry != m_selection) {
        m_selection = entry;
        Invalidate();
    }
}

void CDropDownList::OnLButtonDown(UINT, CPoint point)
{
    // The drop-down has the mouse: a press on its box or anywhere outside it
    // closes it without a choice.
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point) || point.y < m_cellHeight)
        Escape();
}

void CDropDownList::OnLButtonUp(UINT, CPoint point)
{
    const int entry = EntryAt(point);
    if (m_ended || entry < 0)
        return;
    m_selection = entry;
    Complete();
}

BOOL CDropDownList::OnMouseWheel(UINT, short delta, CPoint)
{
    ScrollTo(m_top + (delta < 0 ? 1 : -1));
    return TRUE;
}

void CDropDownList::OnVScroll(UINT code, UINT position, CScrollBar*)
{
    switch (code) {
    case SB_LINEUP:
        ScrollTo(m_top - 1);
        break;
    case SB_LINEDOWN:
        ScrollTo(m_top + 1);
        break;
    case SB_PAGEUP:
        ScrollTo(m_top - m_visibleRows);
        break;
    case SB_PAGEDOWN:
        ScrollTo(m_top + m_visibleRows);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        ScrollTo(static_cast<int>(position));
        break;
    case SB_TOP:
        ScrollTo(0);
        break;
    case SB_BOTTOM:
        ScrollTo(GetCount());
        break;
    default:
        break;
    }
}

void CDropDownList::OnCancelMode()
{
    // The desktop closed the pop-up.
    CWnd::OnCancelMode();
    Escape();
}

UINT CDropDownList::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS | DLGC_WANTARROWS;
}

void CDropDownList::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    if (m_ended)
        return;
    // A page moves by one entry less than the list shows, so that the last
    // entry seen stays in sight.
    const int page = std::max(1, m_visibleRows - 1);
    const int last = GetCount() - 1;
    switch (key) {
    case VK_UP:
        SetCurSel(std::max(0, m_selection - 1));
        break;
    case VK_DOWN:
        SetCurSel(std::min(last, m_selection + 1));
        break;
    case VK_PRIOR:
        SetCurSel(std::max(0, m_selection - page));
        break;
    case VK_NEXT:
        SetCurSel(std::min(last, m_selection + page));
        break;
    case VK_HOME:
        SetCurSel(0);
        break;
    case VK_END:
        SetCurSel(last);
        break;
    case VK_RETURN:
        Complete();
        break;
    case VK_ESCAPE:
        Escape();
        break;
    default:
        CWnd::OnKeyDown(key, repeatCount, flags);
        break;
    }
}

void CDropDownList::Complete()
{
    if (m_ended)
        return;
    m_ended = true;
    if (m_owner != nullptr)
        m_owner->SendMessage(CompleteMessage(), 0, reinterpret_cast<LPARAM>(this));
}

void CDropDownList::Escape()
{
    if (m_ended)
        return;
    m_ended = true;
    if (m_owner != nullptr)
        m_owner->SendMessage(EscapeMessage(), 0, reinterpret_cast<LPARAM>(this));
}
