#pragma once

#include "CDC.h"
#include "CWnd.h"

// Button styles: the kind of button in the low four bits.
constexpr DWORD BS_OWNERDRAW = 0x0000000B;
constexpr DWORD BS_TYPEMASK = 0x0000000F;

// What an owner-drawn control is asked to draw.
constexpr UINT ODT_BUTTON = 4;
constexpr UINT ODA_DRAWENTIRE = 0x0001;
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_DISABLED = 0x0004;
constexpr UINT ODS_FOCUS = 0x0010;

struct DRAWITEMSTRUCT
{
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    UINT itemAction;
    UINT itemState;
    HWND hwndItem;
    CDC* hDC;
    RECT rcItem;
    ULONG_PTR itemData;
};
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;

// A push button drawn by the framework (window class "Button"). A click --
// the left mouse button pressed and released over it, or Space pressed and
// released while it has the focus -- reaches the parent as WM_COMMAND with
// BN_CLICKED and the button in lParam. With BS_OWNERDRAW the button paints
// nothing itself and hands its state to DrawItem instead.
class CButton : public CWnd
{
public:
    static constexpr const char* kClassName = "Button";

    CButton();
    ~CButton() override;

    BOOL Create(const CString& caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);

protected:
    // Draws an owner-drawn button; the base draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);

    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void OnKeyUp(UINT key, UINT repeatCount, UINT flags) override;
    void OnSetFocus(CWnd* oldWindow) override;
    void OnKillFocus(CWnd* newWindow) override;
    void OnCaptureChanged(CWnd* window) override;
    void OnEnable(BOOL enable) override;
    UINT OnGetDlgCode() override;

private:
    void SetPressed(bool pressed);
    void Click();
    void DrawPushButton(CDC& dc, const CRect& client);

    bool m_pressed = false;
    // The mouse went down on the button and has not come up yet.
    bool m_mouseDown = false;
    bool m_spaceDown = false;
};
