#include "PropTreeList.h"

#include "CDC.h"
#include "Cursor.h"
#include "PropTree.h"
#include "SystemMetrics.h"
#include "WindowClass.h"
#include "WindowDC.h"

#include <algorithm>

CPropTreeList::CPropTreeList() = default;

CPropTreeList::~CPropTreeList() = default;

BOOL CPropTreeList::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    const CString className =
        AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW));
    return CWnd::Create(className, "", style, rect, parent, id);
}

void CPropTreeList::UpdateScrollBar(int range, int page)
{
    if (GetSafeHwnd() == nullptr)
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof(SCROLLINFO);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = range;
    info.nPage = static_cast<UINT>(std::max(page, 0));
    info.nPos = m_tree != nullptr ? m_tree->GetScrollY() : 0;
    SetScrollInfo(SB_VERT, &info, TRUE);
}

void CPropTreeList::GrowBitmap()
{
    CRect client;
    GetClientRect(&client);
    if (client.Width() <= m_bitmapWidth && client.Height() <= m_bitmapHeight)
        return;
    m_bitmapWidth = std::max(m_bitmapWidth, static_cast<int>(client.Width()));
    m_bitmapHeight = std::max(m_bitmapHeight, static_cast<int>(client.Height()));
    m_bitmap.DeleteObject();
    m_bitmap.CreateCompatibleBitmap(nullptr, std::max(m_bitmapWidth, 1),
                                    std::max(m_bitmapHeight, 1));
}

void CPropTreeList::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_tree == nullptr)
        return;
    GrowBitmap();
    m_tree->RecalcScrollRange();
    Invalidate();
    UpdateWindow();
    m_tree->ForEachItem(
        m_tree->GetRootItem(),
        [](CPropTree*, CPropTreeItem* item, LPARAM) -> BOOL {
            item->OnPlacementChanged();
            return TRUE;
        },
        0);
}

BOOL CPropTreeList::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// Painting -------------------------------------------------------------------

void CPropTreeList::OnPaint()
{
    CPaintDC paint(this);
    if (m_tree == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    GrowBitmap();
    CDC dc;
    dc.CreateCompatibleDC(&paint);
    CBitmap* oldBitmap = dc.SelectObject(&m_bitmap);

    m_tree->LayoutVisibleRows();
    const bool enabled = m_tree->IsWindowEnabled() != FALSE;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    dc.FillSolidRect(&client, face);
    CRect inner = client;
    inner.DeflateRect(2, 2);
    dc.FillSolidRect(&inner, enabled ? RGB(255, 255, 255) : face);
    dc.FillSolidRect(0, 0, 16, client.Height(), face);
    CRect edge = client;
    dc.DrawEdge(&edge, BDR_SUNKENOUTER, BF_RECT);
    dc.IntersectClipRect(&inner);

    const int scroll = m_tree->GetScrollY();
    const int divider = m_tree->GetDividerX();
    for (CPropTreeItem* item = m_tree->GetFirstVisible(); item != nullptr;
         item = item->GetNextVisible()) {
        const bool topLevel = m_tree->IsTopLevel(item);
        const int height = item->GetRowHeight();
        const int y = item->GetLocation().y;
        const int top = y - scroll;
        const int offset = height / 2 - 6;
        if (top > inner.bottom || top + height < inner.top)
            continue;
        const CRect label(item->GetLocation().x + 16, top, topLevel ? inner.right : divider,
                          top + height);
        if (topLevel)
            dc.FillSolidRect(inner.left, top, inner.Width(), height, face);

        // Expand box: a plus when collapsed, a minus when expanded.
        if (item->GetChild() != nullptr) {
            const int boxX = 4;
            const int boxY = y + offset - scroll;
            CPen boxPen(PS_SOLID, 1, shadow);
            CBrush white(RGB(255, 255, 255));
            CPen* oldPen = dc.SelectObject(&boxPen);
            CBrush* oldBrush = topLevel ? static_cast<CBrush*>(dc.SelectStockObject(NULL_BRUSH))
                                        : dc.SelectObject(&white);
            dc.Rectangle(boxX, boxY, boxX + 9, boxY + 9);
            CPen black(PS_SOLID, 1, RGB(0, 0, 0));
            dc.SelectObject(&black);
            dc.MoveTo(boxX + 2, boxY + 4);
            dc.LineTo(boxX + 7, boxY + 4);
            if (!item->IsState(CPropTreeItem::ItemExpanded)) {
                dc.MoveTo(boxX + 4, boxY + 2);
                dc.LineTo(boxX + 4, boxY + 7);
            }
            dc.SelectObject(oldPen);
            dc.SelectObject(oldBrush);
        }

        // Label.
        const int saved = dc.SaveDC();
        if (!topLevel)
            dc.IntersectClipRect(&label);
        const bool checkBox = item->IsState(CPropTreeItem::ItemHasCheckBox);
        const int textLeft = label.left + 5 + (checkBox ? 24 : 0);
        COLORREF textColour = GetSysColor(COLOR_BTNTEXT);
        if (item->IsState(CPropTreeItem::ItemSelected)) {
            dc.FillSolidRect(16, label.top, label.right - 16, label.Height(),
                             GetSysColor(COLOR_HIGHLIGHT));
            textColour = GetSysColor(COLOR_BTNHIGHLIGHT);
        }
        if (!enabled)
            textColour = GetSysColor(COLOR_GRAYTEXT);
        if (!item->GetLabelText().IsEmpty()) {
            CFont* oldFont =
                dc.SelectObject(topLevel ? CPropTree::GetBoldFont() : CPropTree::GetNormalFont());
            dc.SetTextColor(textColour);
            dc.SetBkMode(TRANSPARENT);
            CRect textRect(textLeft, label.top, label.right, label.bottom);
            dc.DrawText(item->GetLabelText(), &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            dc.SelectObject(oldFont);
        }
        dc.RestoreDC(saved);

        if (checkBox) {
            CRect box = item->GetCheckBoxRect();
            box.OffsetRect(0, -scroll);
            dc.DrawFrameControl(&box, DFC_BUTTON,
                                DFCS_BUTTONCHECK |
                                    (item->IsState(CPropTreeItem::ItemChecked) ? DFCS_CHECKED : 0));
        }

        // A dotted line under the row.
        for (int x = 16; x < inner.right; x += 2)
            dc.SetPixel(x, top + height - 1, shadow);

        if (!topLevel) {
            dc.FillSolidRect(divider, top, 1, height, shadow);
            dc.FillSolidRect(divider + 1, top, 1, height, GetSysColor(COLOR_BTNHIGHLIGHT));
            const int valueSaved = dc.SaveDC();
            const CRect value = item->GetValueRect();
            dc.IntersectClipRect(&value);
            item->DrawValue(&dc, value);
            dc.RestoreDC(valueSaved);
        }
    }

    dc.SelectClipRgn(nullptr);
    CRect copy;
    paint.GetClipBox(&copy);
    paint.BitBlt(copy.left, copy.top, copy.Width(), copy.Height(), &dc, copy.left, copy.top,
                 SRCCOPY);
    dc.SelectObject(oldBitmap);
}

void CPropTreeList::DrawDividerBar(int x)
{
    CRect client;
    GetClientRect(&client);
    CClientDC dc(this);
    dc.PatBlt(x - 2, 0, 5, client.Height(), DSTINVERT);
}

// Mouse ----------------------------------------------------------------------

void CPropTreeList::SelectRow(CPropTreeItem* item)
{
    CPropTreeItem* old = m_tree->GetFocusedItem();
    m_tree->ClearSelection();
    m_tree->FocusItem(item);
    if (item != nullptr)
        item->SetState(CPropTreeItem::ItemSelected, true);
    if (old != item)
        m_tree->NotifyParent(PROP_NOTIFY_SELECTION, item);
}

void CPropTreeList::ToggleExpanded(CPropTreeItem* item)
{
    if (m_tree->NotifyParent(PROP_NOTIFY_EXPANDING, item) != 0)
        return;
    item->SetState(CPropTreeItem::ItemExpanded, !item->IsState(CPropTreeItem::ItemExpanded));
    m_tree->RecalcScrollRange();
    Invalidate();
    UpdateWindow();
    m_tree->DropHiddenFocus();
}

CPropTreeItem* CPropTreeList::RowAt(CPoint point, int& hit) const
{
    m_tree->LayoutVisibleRows();
    hit = m_tree->HitTestPoint(point);
    return m_tree->ItemAtPoint(point);
}

void CPropTreeList::OnLButtonDown(UINT, CPoint point)
{
    if (m_tree == nullptr || m_tree->IsInputDisabled() || !m_tree->IsWindowEnabled())
        return;
    SetFocus();
    int hit = PROP_HIT_NOWHERE;
    CPropTreeItem* item = RowAt(point, hit);
    switch (hit) {
    case PROP_HIT_DIVIDER:
        if (m_tree->NotifyParent(PROP_NOTIFY_DIVIDER_DRAG, nullptr) != 0)
            return;
        SetCapture();
        m_dragX = m_tree->GetDividerX();
        m_dragging = 1;
        DrawDividerBar(m_dragX);
        return;
    case PROP_HIT_EXPANDER:
        if (item->GetChild() != nullptr)
            ToggleExpanded(item);
        return;
    case PROP_HIT_CHECKBOX:
        item->SetState(CPropTreeItem::ItemChecked, !item->IsState(CPropTreeItem::ItemChecked));
        m_tree->NotifyParent(PROP_NOTIFY_CHECK_CLICK, item);
        Invalidate();
        return;
    case PROP_HIT_NOWHERE:
        // Nothing under the mouse: no focus, and the parent always hears so.
        m_tree->ClearSelection();
        m_tree->FocusItem(nullptr);
        m_tree->NotifyParent(PROP_NOTIFY_SELECTION, nullptr);
        return;
    default:
        break;
    }
    SelectRow(item);
    if (hit == PROP_HIT_VALUE && !m_tree->IsTopLevel(item) &&
        m_tree->NotifyParent(PROP_NOTIFY_VALUE_CLICK, item) == 0 &&
        !item->IsState(CPropTreeItem::ItemReadOnly))
        m_tree->ActivateItem(item);
}

void CPropTreeList::OnMouseMove(UINT, CPoint point)
{
    if (m_dragging == 0)
        return;
    DrawDividerBar(m_dragX);
    m_dragX = point.x;
    DrawDividerBar(m_dragX);
}

void CPropTreeList::OnLButtonUp(UINT, CPoint point)
{
    if (m_dragging == 0)
        return;
    DrawDividerBar(m_dragX);
    m_dragging = 0;
    ReleaseCapture();
    m_tree->SetDividerX(point.x);
    m_tree->ForEachItem(
        m_tree->GetRootItem(),
        [](CPropTree*, CPropTreeItem* item, LPARAM) -> BOOL {
            item->OnPlacementChanged();
            return TRUE;
        },
        0);
    Invalidate();
}

void CPropTreeList::OnLButtonDblClk(UINT, CPoint point)
{
    if (m_tree == nullptr || m_tree->IsInputDisabled() || !m_tree->IsWindowEnabled())
        return;
    int hit = PROP_HIT_NOWHERE;
    CPropTreeItem* item = RowAt(point, hit);
    if (item == nullptr || item->GetChild() == nullptr)
        return;
    switch (hit) {
    case PROP_HIT_DIVIDER:
        return;
    case PROP_HIT_EXPANDER:
        ToggleExpanded(item);
        return;
    case PROP_HIT_CHECKBOX:
        item->SetState(CPropTreeItem::ItemChecked, !item->IsState(CPropTreeItem::ItemChecked));
        m_tree->NotifyParent(PROP_NOTIFY_CHECK_CLICK, item);
        return;
    case PROP_HIT_VALUE:
        if (!m_tree->IsTopLevel(item))
            return;
        break;
    default:
        break;
    }
    SelectRow(item);
    ToggleExpanded(item);
}

BOOL CPropTreeList::OnSetCursor(CWnd* window, UINT hitTest, UINT message)
{
    if (hitTest == HTCLIENT && m_tree != nullptr) {
        CPoint point;
        GetCursorPos(&point);
        ScreenToClient(&point);
        int hit = PROP_HIT_NOWHERE;
        RowAt(point, hit);
        if (hit == PROP_HIT_DIVIDER) {
            SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
            return TRUE;
        }
        if (hit == PROP_HIT_EXPANDER || hit == PROP_HIT_CHECKBOX) {
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(window, hitTest, message);
}

// Scrolling ------------------------------------------------------------------

void CPropTreeList::ScrollTo(int origin)
{
    CRect client;
    GetClientRect(&client);
    const int page = client.Height() + 1;
    // The lower bound wins when the two cross.
    origin = std::max(0, std::min(origin, m_tree->GetScrollRange() - page));
    m_tree->SetScrollY(origin);
    SCROLLINFO info{};
    info.cbSize = sizeof(SCROLLINFO);
    info.fMask = SIF_POS;
    info.nPos = origin;
    SetScrollInfo(SB_VERT, &info, TRUE);
    m_tree->LayoutVisibleRows();
    Invalidate();
}

BOOL CPropTreeList::OnMouseWheel(UINT, short delta, CPoint)
{
    if (m_tree == nullptr)
        return TRUE;
    CRect client;
    GetClientRect(&client);
    if (m_tree->GetScrollRange() >= client.Height()) {
        SetFocus();
        if (delta > 0)
            ScrollTo(m_tree->GetScrollY() - CPropTreeItem::kRowHeight);
        else if (delta < 0)
            ScrollTo(m_tree->GetScrollY() + CPropTreeItem::kRowHeight);
    }
    return TRUE;
}

void CPropTreeList::OnVScroll(UINT code, UINT, CScrollBar*)
{
    if (m_tree == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    const int page = client.Height() + 1;
    int origin = m_tree->GetScrollY();
    switch (code) {
    case SB_LINEUP:
        origin -= CPropTreeItem::kRowHeight;
        break;
    case SB_LINEDOWN:
        origin += CPropTreeItem::kRowHeight;
        break;
    case SB_PAGEUP:
        origin -= page;
        break;
    case SB_PAGEDOWN:
        origin += page;
        break;
    case SB_THUMBTRACK: {
        SCROLLINFO info{};
        info.cbSize = sizeof(SCROLLINFO);
        GetScrollInfo(SB_VERT, &info, SIF_TRACKPOS);
        origin = info.nTrackPos;
        break;
    }
    default:
        break;
    }
    ScrollTo(origin);
}

// Keyboard -------------------------------------------------------------------

UINT CPropTreeList::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
}

void CPropTreeList::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    if (m_tree == nullptr || m_tree->IsInputDisabled() || !m_tree->IsWindowEnabled())
        return;
    CPropTreeItem* focused = m_tree->GetFocusedItem();
    switch (key) {
    case VK_RETURN:
        if (focused != nullptr && !m_tree->IsTopLevel(focused) &&
            !focused->IsState(CPropTreeItem::ItemReadOnly))
            m_tree->ActivateItem(focused);
        break;
    case VK_HOME:
        m_tree->FocusFirst();
        break;
    case VK_END:
        m_tree->FocusLast();
        break;
    case VK_UP:
        m_tree->FocusPrev();
        break;
    case VK_DOWN:
        m_tree->FocusNext();
        break;
    case VK_LEFT:
    case VK_RIGHT: {
        if (focused == nullptr)
            break;
        const bool collapse = key == VK_LEFT;
        const bool vetoed = m_tree->NotifyParent(PROP_NOTIFY_EXPANDING, focused) != 0;
        const bool expanded = focused->IsState(CPropTreeItem::ItemExpanded);
        if (!vetoed && focused->GetChild() != nullptr && expanded == collapse) {
            focused->SetState(CPropTreeItem::ItemExpanded, !collapse);
            m_tree->RecalcScrollRange();
            Invalidate();
            UpdateWindow();
            m_tree->DropHiddenFocus();
        } else if (collapse) {
            m_tree->FocusPrev();
        } else {
            m_tree->FocusNext();
        }
        break;
    }
    default:
        CWnd::OnKeyDown(key, repeatCount, flags);
        return;
    }
    Invalidate();
}
