#pragma once

#include "CWnd.h"

#include <QObject>

class QScrollBar;

// Keeps a Qt scroll bar in step with the scroll state a window sets, and
// turns what the user does with it into WM_HSCROLL / WM_VSCROLL requests.
// As on the desktop the program's code decides where the thumb goes: after
// each request the bar shows the position the receiver set.
class ScrollBarBinding : public QObject
{
public:
    // receiver gets the requests; control is the scroll bar control sent in
    // lParam, null for a window's own scroll bar.
    ScrollBarBinding(QScrollBar* bar, CWnd* receiver, CWnd* control);

    int Set(const SCROLLINFO& info, bool redraw);
    void Get(SCROLLINFO* info) const;
    // Whether the range leaves anything to scroll.
    bool CanScroll() const;
    bool DisableNoScroll() const { return m_disableNoScroll; }
    QScrollBar* Bar() const { return m_bar; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnAction(int action);
    void Send(UINT code, int position);
    void Mirror();
    int MaxPosition() const;

    QScrollBar* m_bar;
    CWnd* m_receiver;
    CWnd* m_control;
    int m_min = 0;
    int m_max = 100;
    UINT m_page = 0;
    int m_pos = 0;
    int m_trackPos = 0;
    bool m_tracking = false;
    bool m_disableNoScroll = false;
};
