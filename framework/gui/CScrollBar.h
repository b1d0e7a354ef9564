#pragma once

#include "CWnd.h"

// A scroll bar control (the native Qt scroll bar). Style SBS_VERT makes it
// vertical. What the user does with it reaches the parent as WM_HSCROLL or
// WM_VSCROLL with the control in lParam; the thumb stays where the program
// last put it.
class CScrollBar : public CWnd
{
public:
    CScrollBar();
    ~CScrollBar() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    BOOL SetScrollInfo(LPSCROLLINFO info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(LPSCROLLINFO info, UINT mask = SIF_ALL);
    int SetScrollPos(int position, BOOL redraw = TRUE);
    int GetScrollPos() const;
    void GetScrollRange(int* minimum, int* maximum) const;

protected:
    QWidget* CreateNativeWidget(const CREATESTRUCT& create, QWidget* parent) override;
    void PostNcDestroy() override;

private:
    std::unique_ptr<ScrollBarBinding> m_binding;
};
