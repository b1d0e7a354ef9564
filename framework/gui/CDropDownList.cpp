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
    m_visibleRows = std::max(1, visibleRows);
    m_selection = entries.empty() ? -1 : 0;
    m_top = 0;
    CRect box(cell);
    owner->ClientToScreen(&box);
    m_cellHeight = box.Height();
    const int shown = std::min(m_visibleRows, std::max(GetCount(), 1));
    const CRect window(box.left, box.top, box.right, box.bottom + shown * GetRowHeight() + 2);
    if (!CWnd::CreateEx(0, kClassName, "", WS_POPUP | WS_VISIBLE, window, nullptr, 0))
        return FALSE;
    SetFocus();
    return TRUE;
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

void CDropDownList::ScrollToSelection()
{
    if (m_selection < 0)
        return;
    if (m_selection < m_top)
        m_top = m_selection;
    else if (m_selection >= m_top + m_visibleRows)
        m_top = m_selection - m_visibleRows + 1;
}

int CDropDownList::EntryAt(CPoint point) const
{
    const int y = point.y - m_cellHeight - 1;
    if (y < 0)
        return -1;
    const int row = y / GetRowHeight();
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
    const int rowHeight = GetRowHeight();
    for (int row = 0; row < m_visibleRows && m_top + row < GetCount(); ++row) {
        const int index = m_top + row;
        CRect entry(1, m_cellHeight + 1 + row * rowHeight, client.right - 1,
                    m_cellHeight + 1 + (row + 1) * rowHeight);
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
    const int entry = EntryAt(point);
    if (entry >= 0 && entry != m_selection) {
        m_selection = entry;
        Invalidate();
    }
}

void CDropDownList::OnLButtonUp(UINT, CPoint point)
{
    const int entry = EntryAt(point);
    if (entry < 0)
        return;
    m_selection = entry;
    Complete();
}

BOOL CDropDownList::OnMouseWheel(UINT, short delta, CPoint)
{
    const int last = std::max(0, GetCount() - m_visibleRows);
    m_top = std::clamp(m_top + (delta < 0 ? 1 : -1), 0, last);
    Invalidate();
    return TRUE;
}

UINT CDropDownList::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS | DLGC_WANTARROWS;
}

void CDropDownList::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    switch (key) {
    case VK_UP:
        SetCurSel(std::max(0, m_selection - 1));
        break;
    case VK_DOWN:
        SetCurSel(std::min(GetCount() - 1, m_selection + 1));
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
    if (m_owner != nullptr)
        m_owner->SendMessage(CompleteMessage(), 0, reinterpret_cast<LPARAM>(this));
}

void CDropDownList::Escape()
{
    if (m_owner != nullptr)
        m_owner->SendMessage(EscapeMessage(), 0, reinterpret_cast<LPARAM>(this));
}
