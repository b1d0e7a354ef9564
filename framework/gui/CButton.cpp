#include "CButton.h"

#include "SystemMetrics.h"
#include "WindowClass.h"
#include "WindowDC.h"

namespace {

void RegisterButtonClass()
{
    WNDCLASS existing;
    if (GetClassInfo(CButton::kClassName, &existing))
        return;
    WNDCLASS windowClass;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = CButton::kClassName;
    RegisterClass(&windowClass);
}

} // namespace

CButton::CButton()
{
    RegisterButtonClass();
}

CButton::~CButton()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CButton::Create(const CString& caption, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(kClassName, caption, style, rect, parent, id);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnEraseBkgnd(CDC*)
{
    // Painting covers the whole button.
    return TRUE;
}

void CButton::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if ((GetStyle() & BS_TYPEMASK) != BS_OWNERDRAW) {
        DrawPushButton(dc, client);
        return;
    }
    UINT state = 0;
    if (m_pressed)
        state |= ODS_SELECTED;
    if (!IsWindowEnabled())
        state |= ODS_DISABLED;
    if (GetFocus() == this)
        state |= ODS_FOCUS;
    DRAWITEMSTRUCT drawItem{
        ODT_BUTTON, static_cast<UINT>(GetDlgCtrlID()), 0, ODA_DRAWENTIRE, state, this, &dc, client,
        0};
    DrawItem(&drawItem);
}

void CButton::DrawPushButton(CDC& dc, const CRect& client)
{
    CRect frame = client;
    dc.FillSolidRect(&frame, GetSysColor(COLOR_BTNFACE));
    dc.DrawEdge(&frame, m_pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    CString caption;
    GetWindowText(caption);
    if (m_pressed)
        frame.OffsetRect(1, 1);
    CFont* old = GetFont() != nullptr ? dc.SelectObject(GetFont()) : nullptr;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(IsWindowEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    dc.DrawText(caption, &frame, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (old != nullptr)
        dc.SelectObject(old);
    if (GetFocus() == this) {
        CRect focus = client;
        focus.DeflateRect(4, 4);
        dc.DrawFocusRect(&focus);
    }
}

void CButton::SetPressed(bool pressed)
{
    if (pressed == m_pressed)
        return;
    m_pressed = pressed;
    Invalidate();
}

void CButton::Click()
{
    if (GetParent() != nullptr)
        GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                                 reinterpret_cast<LPARAM>(this));
}

void CButton::OnLButtonDown(UINT, CPoint)
{
    SetFocus();
    SetCapture();
    m_mouseDown = true;
    SetPressed(true);
}

void CButton::OnMouseMove(UINT, CPoint point)
{
    if (!m_mouseDown)
        return;
    CRect client;
    GetClientRect(&client);
    SetPressed(client.PtInRect(point));
}

void CButton::OnLButtonUp(UINT, CPoint point)
{
    if (!m_mouseDown)
        return;
    m_mouseDown = false;
    CRect client;
    GetClientRect(&client);
    const bool inside = client.PtInRect(point);
    SetPressed(false);
    if (GetCapture() == this)
        ReleaseCapture();
    // Last: the parent may do anything on a click, even destroy the button.
    if (inside)
        Click();
}

void CButton::OnCaptureChanged(CWnd* window)
{
    // Someone else took the mouse: the press is abandoned.
    if (window != this && m_mouseDown) {
        m_mouseDown = false;
        SetPressed(false);
    }
}

void CButton::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    if (key != VK_SPACE) {
        CWnd::OnKeyDown(key, repeatCount, flags);
        return;
    }
    m_spaceDown = true;
    SetPressed(true);
}

void CButton::OnKeyUp(UINT key, UINT repeatCount, UINT flags)
{
    if (key != VK_SPACE || !m_spaceDown) {
        CWnd::OnKeyUp(key, repeatCount, flags);
        return;
    }
    m_spaceDown = false;
    SetPressed(false);
    Click();
}

void CButton::OnSetFocus(CWnd*)
{
    Invalidate();
}

void CButton::OnKillFocus(CWnd*)
{
    m_spaceDown = false;
    if (!m_mouseDown)
        SetPressed(false);
    Invalidate();
}

void CButton::OnEnable(BOOL)
{
    Invalidate();
}

UINT CButton::OnGetDlgCode()
{
    return 0;
}
