#include "CHeaderCtrl.h"

#include "Cursor.h"
#include "SystemMetrics.h"
#include "WindowClass.h"
#include "WindowDC.h"

#include <algorithm>

namespace {

void RegisterHeaderClass()
{
    WNDCLASS existing;
    if (GetClassInfo(CHeaderCtrl::kClassName, &existing))
        return;
    WNDCLASS windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = CHeaderCtrl::kClassName;
    RegisterClass(&windowClass);
}

} // namespace

CHeaderCtrl::CHeaderCtrl()
{
    RegisterHeaderClass();
}

CHeaderCtrl::~CHeaderCtrl() = default;

BOOL CHeaderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(kClassName, "", style, rect, parent, id);
}

int CHeaderCtrl::InsertItem(int index, const HDITEM* item)
{
    if (item == nullptr)
        return -1;
    index = std::clamp(index, 0, GetItemCount());
    Item added;
    if ((item->mask & HDI_TEXT) != 0 && item->pszText != nullptr)
        added.text = CString(item->pszText);
    if ((item->mask & HDI_WIDTH) != 0)
        added.width = std::max(item->cxy, 0);
    if ((item->mask & HDI_FORMAT) != 0)
        added.format = item->fmt;
    if ((item->mask & HDI_IMAGE) != 0)
        added.image = item->iImage;
    m_items.insert(m_items.begin() + index, added);
    if (m_hWnd != nullptr)
        Invalidate();
    return index;
}

BOOL CHeaderCtrl::DeleteItem(int index)
{
    if (index < 0 || index >= GetItemCount())
        return FALSE;
    m_items.erase(m_items.begin() + index);
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

BOOL CHeaderCtrl::GetItem(int index, HDITEM* item) const
{
    if (item == nullptr || index < 0 || index >= GetItemCount())
        return FALSE;
    const Item& source = m_items[static_cast<std::size_t>(index)];
    item->cxy = source.width;
    item->pszText = source.text.GetString();
    item->fmt = source.format;
    item->iImage = source.image;
    return TRUE;
}

BOOL CHeaderCtrl::SetItem(int index, const HDITEM* item)
{
    if (item == nullptr || index < 0 || index >= GetItemCount())
        return FALSE;
    Item& target = m_items[static_cast<std::size_t>(index)];
    if ((item->mask & HDI_TEXT) != 0 && item->pszText != nullptr)
        target.text = CString(item->pszText);
    if ((item->mask & HDI_WIDTH) != 0)
        target.width = std::max(item->cxy, 0);
    if ((item->mask & HDI_FORMAT) != 0)
        target.format = item->fmt;
    if ((item->mask & HDI_IMAGE) != 0)
        target.image = item->iImage;
    if (m_hWnd != nullptr)
        Invalidate();
    if ((item->mask & HDI_WIDTH) != 0)
        Notify(HDN_ITEMCHANGED, index);
    return TRUE;
}

CString CHeaderCtrl::GetItemText(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return {};
    return m_items[static_cast<std::size_t>(index)].text;
}

BOOL CHeaderCtrl::GetItemRect(int index, LPRECT rect) const
{
    if (rect == nullptr || index < 0 || index >= GetItemCount())
        return FALSE;
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += m_items[static_cast<std::size_t>(i)].width;
    CRect client;
    if (m_hWnd != nullptr)
        GetClientRect(&client);
    *rect = CRect(left, 0, left + m_items[static_cast<std::size_t>(index)].width,
                  client.IsRectEmpty() ? kHeight : client.bottom);
    return TRUE;
}

void CHeaderCtrl::Notify(UINT code, int item)
{
    CWnd* parent = GetParent();
    if (parent == nullptr || m_hWnd == nullptr)
        return;
    NMHEADER header{};
    header.hdr.hwndFrom = this;
    header.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    header.hdr.code = code;
    header.iItem = item;
    parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()),
                        reinterpret_cast<LPARAM>(&header));
}

BOOL CHeaderCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CHeaderCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    CFont* old = GetFont() != nullptr ? dc.SelectObject(GetFont()) : nullptr;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    for (int i = 0; i < GetItemCount(); ++i) {
        CRect rect;
        GetItemRect(i, &rect);
        const Item& item = m_items[static_cast<std::size_t>(i)];
        CRect text = rect;
        text.DeflateRect(6, 0);
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
        if ((item.format & HDF_JUSTIFYMASK) == HDF_CENTER)
            format |= DT_CENTER;
        else if ((item.format & HDF_JUSTIFYMASK) == HDF_RIGHT)
            format |= DT_RIGHT;
        dc.DrawText(item.text, &text, format);
        dc.Draw3dRect(&rect, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    }
    if (old != nullptr)
        dc.SelectObject(old);
}

int CHeaderCtrl::DividerAt(int x) const
{
    int right = 0;
    for (int i = 0; i < GetItemCount(); ++i) {
        right += m_items[static_cast<std::size_t>(i)].width;
        if (std::abs(x - right) <= 3)
            return i;
    }
    return -1;
}

void CHeaderCtrl::OnLButtonDown(UINT, CPoint point)
{
    const int divider = DividerAt(point.x);
    if (divider >= 0) {
        m_resizing = divider;
        m_resizeStart = point.x;
        m_resizeWidth = m_items[static_cast<std::size_t>(divider)].width;
        SetCapture();
        return;
    }
    for (int i = 0; i < GetItemCount(); ++i) {
        CRect rect;
        GetItemRect(i, &rect);
        if (rect.PtInRect(point)) {
            Notify(HDN_ITEMCLICK, i);
            return;
        }
    }
}

void CHeaderCtrl::OnMouseMove(UINT, CPoint point)
{
    if (m_resizing < 0)
        return;
    m_items[static_cast<std::size_t>(m_resizing)].width =
        std::max(0, m_resizeWidth + point.x - m_resizeStart);
    Invalidate();
    Notify(HDN_ITEMCHANGED, m_resizing);
}

void CHeaderCtrl::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_resizing < 0)
        return;
    OnMouseMove(flags, point);
    const int item = m_resizing;
    m_resizing = -1;
    ReleaseCapture();
    Notify(HDN_ENDTRACK, item);
}

BOOL CHeaderCtrl::OnSetCursor(CWnd* window, UINT hitTest, UINT message)
{
    if (hitTest == HTCLIENT) {
        CPoint point;
        GetCursorPos(&point);
        ScreenToClient(&point);
        if (m_resizing >= 0 || DividerAt(point.x) >= 0) {
            SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(window, hitTest, message);
}
