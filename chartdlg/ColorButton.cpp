#include "ColorButton.h"

#include "SystemMetrics.h"

CColorButton::CColorButton() : m_automaticColour(GetSysColor(COLOR_APPWORKSPACE)) {}

CColorButton::~CColorButton()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CColorButton::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CButton::Create("", (style & ~BS_TYPEMASK) | BS_OWNERDRAW, rect, parent, id);
}

void CColorButton::SetColour(COLORREF colour)
{
    m_colour = colour;
    if (m_hWnd != nullptr)
        Invalidate();
}

void CColorButton::SetAutomaticColour(COLORREF colour)
{
    m_automaticColour = colour;
    if (m_hWnd != nullptr)
        Invalidate();
}

void CColorButton::TellParent(UINT message, COLORREF colour)
{
    if (GetParent() != nullptr)
        GetParent()->SendMessage(message, colour, GetDlgCtrlID());
}

BOOL CColorButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // The parent hands the button's own click back to it; the parent may
    // still act on the click itself.
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
        OpenPopup();
    return CButton::OnChildNotify(message, wParam, lParam, result);
}

void CColorButton::OpenPopup()
{
    if (m_popupActive)
        return;
    m_popupActive = true;
    Invalidate();
    CRect window;
    GetWindowRect(&window);
    auto* popup = new CColourPopup;
    if (!popup->Create(CPoint(window.left, window.bottom), m_colour, this, m_defaultText,
                       m_customText)) {
        delete popup;
        m_popupActive = false;
        Invalidate();
        return;
    }
    m_popup = popup;
    TellParent(CPN_DROPDOWN, m_colour);
}

LRESULT CColorButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto colour = static_cast<COLORREF>(wParam);
    switch (message) {
    case CPN_SELENDOK:
        OnSelectionEndOk(colour);
        return TRUE;
    case CPN_SELENDCANCEL:
        OnSelectionEndCancel(colour);
        return TRUE;
    case CPN_SELCHANGE:
        OnSelectionChange(colour);
        return TRUE;
    default:
        return CButton::WindowProc(message, wParam, lParam);
    }
}

void CColorButton::OnSelectionEndOk(COLORREF colour)
{
    m_popupActive = false;
    m_popup = nullptr;
    const COLORREF before = m_colour;
    SetColour(colour);
    SetFocus();
    TellParent(CPN_CLOSEUP, colour);
    TellParent(CPN_SELENDOK, colour);
    if (colour != before)
        TellParent(CPN_SELCHANGE, colour);
}

void CColorButton::OnSelectionEndCancel(COLORREF colour)
{
    m_popupActive = false;
    m_popup = nullptr;
    // The colour the pop-up opened with, which undoes any tracking.
    SetColour(colour);
    SetFocus();
    TellParent(CPN_CLOSEUP, colour);
    TellParent(CPN_SELENDCANCEL, colour);
}

void CColorButton::OnSelectionChange(COLORREF colour)
{
    if (m_trackSelection)
        SetColour(colour);
    TellParent(CPN_SELCHANGE, colour);
}

void CColorButton::OnDestroy()
{
    if (m_popup != nullptr) {
        m_popup->Dismiss();
        m_popup = nullptr;
        m_popupActive = false;
    }
    CButton::OnDestroy();
}

void CColorButton::DrawItem(LPDRAWITEMSTRUCT drawItem)
{
    CDC& dc = *drawItem->hDC;
    CRect rect = drawItem->rcItem;
    const UINT state = drawItem->itemState;
    const bool pushed = (state & ODS_SELECTED) != 0 || m_popupActive;
    const bool disabled = (state & ODS_DISABLED) != 0;

    dc.FillSolidRect(&rect, GetSysColor(COLOR_BTNFACE));
    CRect inside = rect;
    dc.DrawEdge(&inside, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    if (pushed)
        inside.OffsetRect(1, 1);
    if ((state & ODS_FOCUS) != 0) {
        CRect focus = inside;
        focus.DeflateRect(1, 1);
        dc.DrawFocusRect(&focus);
    }
    inside.DeflateRect(2, 2);

    // The drop-down arrow at the right: a triangle 7 wide and 4 high.
    constexpr int kArrowWidth = 7;
    constexpr int kArrowHeight = 4;
    constexpr int kArrowSpace = 4;
    const int arrowLeft = inside.right - kArrowSpace - kArrowWidth;
    const int arrowTop = inside.top + (inside.Height() - kArrowHeight) / 2;
    const COLORREF ink = disabled ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0);
    for (int row = 0; row < kArrowHeight; ++row)
        dc.FillSolidRect(arrowLeft + row, arrowTop + row, kArrowWidth - 2 * row, 1, ink);

    // An etched separator left of the arrow.
    const int separator = arrowLeft - kArrowSpace - 2;
    dc.FillSolidRect(separator, inside.top, 1, inside.Height(), GetSysColor(COLOR_BTNSHADOW));
    dc.FillSolidRect(separator + 1, inside.top, 1, inside.Height(),
                     GetSysColor(COLOR_BTNHIGHLIGHT));

    if (disabled)
        return;
    CRect swatch(inside.left + 1, inside.top + 1, separator - 3, inside.bottom - 1);
    if (swatch.IsRectEmpty())
        return;
    const COLORREF shown = m_colour == CLR_AUTOMATIC ? m_automaticColour : m_colour;
    dc.FillSolidRect(&swatch, shown);
    dc.Draw3dRect(&swatch, RGB(0, 0, 0), RGB(0, 0, 0));
}
