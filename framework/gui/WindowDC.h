#pragma once

#include "CDC.h"

#include <QImage>

class CWnd;

struct PAINTSTRUCT
{
    CDC* hdc;
    // Whether the background still needs erasing.
    BOOL fErase;
    RECT rcPaint;
};

// The device context of a paint: draws into the window's backing image,
// clipped to what was invalidated, which it validates. It sends
// WM_ERASEBKGND first when an erase was asked for.
class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

private:
    CWnd* m_window;
    QImage m_view;
};

// A device context on a window's client area outside a paint: what it draws
// goes into the backing image and on the screen at once. A null window gives
// a device context of the screen, for measuring.
class CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* window);
    ~CClientDC() override;

protected:
    CWnd* m_window;
    QImage m_view;
};

// A device context on a window's client area that draws over its child
// windows, as the desktop's does for a window without WS_CLIPCHILDREN: for
// a tracker dragged across the panes of a splitter. What it draws shows over
// the children until it is undone (an XOR drawing drawn again).
class COverChildrenDC : public CDC
{
public:
    explicit COverChildrenDC(CWnd* window);
    ~COverChildrenDC() override;

private:
    CWnd* m_window;
    QImage m_view;
};

// As CClientDC, with coordinates relative to the window's outer corner.
class CWindowDC : public CClientDC
{
public:
    explicit CWindowDC(CWnd* window);
};
