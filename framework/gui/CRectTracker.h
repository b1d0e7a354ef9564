#pragma once

#include "Geometry.h"
#include "WinTypes.h"

class CDC;
class CWnd;

// A rectangle the user can move and resize with the mouse: it draws a border
// and eight handles around its rectangle, tells which part a point is on,
// sets the matching cursor and runs the modal drag.
class CRectTracker
{
public:
    enum StyleFlags
    {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32
    };
    enum TrackerHit
    {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8
    };

    CRectTracker();
    CRectTracker(const RECT* rect, UINT style);
    virtual ~CRectTracker() = default;

    // Border, handles and hatching around m_rect.
    void Draw(CDC* dc) const;
    // m_rect with everything Draw puts around it.
    void GetTrueRect(LPRECT rect) const;
    // The part under point (client coordinates of the tracked window).
    int HitTest(CPoint point) const;
    // Over a handle or the inside (hit-test code HTCLIENT only), shows the
    // cursor for it and returns TRUE.
    BOOL SetCursor(CWnd* window, UINT hitTest) const;
    // Runs the drag that starts at point until the left button is released
    // (TRUE when the rectangle changed, now in m_rect) or Escape / the right
    // button cancels it (FALSE, m_rect as before).
    BOOL Track(CWnd* window, CPoint point, BOOL allowInvert = FALSE, CWnd* clipTo = nullptr);

    CRect m_rect;
    UINT m_nStyle = 0;
    int m_nHandleSize = 4;
    CSize m_sizeMin;

protected:
    // The feedback of a drag: a dotted XOR frame, drawn twice to erase it.
    virtual void DrawTrackerRect(const RECT* rect, CWnd* clipTo, CDC* dc, CWnd* window);
    virtual void OnChangedRect(const CRect& oldRect);

private:
    CRect HandleRect(int handle) const;
    UINT HandleMask() const;
    int NormalizeHit(int hit) const;
    void MoveEdges(int handle, CPoint offset, const CRect& start, bool allowInvert);
};
