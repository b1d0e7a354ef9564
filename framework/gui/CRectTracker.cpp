#include "CRectTracker.h"

#include "CBrush.h"
#include "CDC.h"
#include "CPen.h"
#include "CWnd.h"
#include "Cursor.h"
#include "WindowDC.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>

#include <functional>

namespace {

// Sees every event of the application while a drag runs.
class DragFilter : public QObject
{
public:
    explicit DragFilter(std::function<bool(QEvent*)> handler) : m_handler(std::move(handler)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override { return m_handler(event); }

private:
    std::function<bool(QEvent*)> m_handler;
};

CRect Normalized(const CRect& rect)
{
    CRect normal = rect;
    normal.NormalizeRect();
    return normal;
}

} // namespace

CRectTracker::CRectTracker() : m_sizeMin(m_nHandleSize * 2, m_nHandleSize * 2) {}

CRectTracker::CRectTracker(const RECT* rect, UINT style)
    : m_rect(*rect), m_nStyle(style), m_sizeMin(m_nHandleSize * 2, m_nHandleSize * 2)
{
}

UINT CRectTracker::HandleMask() const
{
    if ((m_nStyle & (resizeInside | resizeOutside)) == 0)
        return 0;
    // The corners always; the middle of a side only when there is room.
    UINT mask = 0x0F;
    const CRect rect = Normalized(m_rect);
    if (rect.Width() > 3 * m_nHandleSize)
        mask |= (1u << hitTop) | (1u << hitBottom);
    if (rect.Height() > 3 * m_nHandleSize)
        mask |= (1u << hitLeft) | (1u << hitRight);
    return mask;
}

CRect CRectTracker::HandleRect(int handle) const
{
    const CRect rect = Normalized(m_rect);
    const int size = m_nHandleSize;
    const bool outside = (m_nStyle & resizeOutside) != 0;
    const int left = outside ? rect.left - size : rect.left;
    const int right = outside ? rect.right : rect.right - size;
    const int top = outside ? rect.top - size : rect.top;
    const int bottom = outside ? rect.bottom : rect.bottom - size;
    const int centreX = (rect.left + rect.right) / 2 - size / 2;
    const int centreY = (rect.top + rect.bottom) / 2 - size / 2;
    int x = left;
    int y = top;
    switch (handle) {
    case hitTopLeft:
        break;
    case hitTopRight:
        x = right;
        break;
    case hitBottomRight:
        x = right;
        y = bottom;
        break;
    case hitBottomLeft:
        y = bottom;
        break;
    case hitTop:
        x = centreX;
        break;
    case hitRight:
        x = right;
        y = centreY;
        break;
    case hitBottom:
        x = centreX;
        y = bottom;
        break;
    case hitLeft:
        y = centreY;
        break;
    default:
        return CRect();
    }
    return CRect(x, y, x + size, y + size);
}

void CRectTracker::GetTrueRect(LPRECT rect) const
{
    CRect whole = Normalized(m_rect);
    if ((m_nStyle & (resizeOutside | hatchedBorder)) != 0)
        whole.InflateRect(m_nHandleSize, m_nHandleSize);
    *rect = whole;
}

void CRectTracker::Draw(CDC* dc) const
{
    const CRect rect = Normalized(m_rect);
    const int saved = dc->SaveDC();
    if ((m_nStyle & (solidLine | dottedLine)) != 0) {
        CPen pen;
        pen.CreatePen((m_nStyle & dottedLine) != 0 ? PS_DOT : PS_SOLID, 1, RGB(0, 0, 0));
        dc->SelectObject(&pen);
        dc->SelectStockObject(NULL_BRUSH);
        dc->SetBkMode(TRANSPARENT);
        dc->Rectangle(&rect);
    }
    CBrush hatch;
    hatch.CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 0));
    dc->SetBkMode(TRANSPARENT);
    if ((m_nStyle & hatchInside) != 0)
        dc->FillRect(&rect, &hatch);
    if ((m_nStyle & hatchedBorder) != 0) {
        CRect outer;
        GetTrueRect(&outer);
        const CRect strips[] = {
            CRect(outer.left, outer.top, outer.right, rect.top),
            CRect(outer.left, rect.bottom, outer.right, outer.bottom),
            CRect(outer.left, rect.top, rect.left, rect.bottom),
            CRect(rect.right, rect.top, outer.right, rect.bottom),
        };
        for (const CRect& strip : strips)
            dc->FillRect(&strip, &hatch);
    }
    const UINT mask = HandleMask();
    for (int handle = 0; handle < 8; ++handle) {
        if ((mask & (1u << handle)) != 0) {
            const CRect square = HandleRect(handle);
            dc->FillSolidRect(&square, RGB(0, 0, 0));
        }
    }
    dc->RestoreDC(saved);
}

int CRectTracker::HitTest(CPoint point) const
{
    const UINT mask = HandleMask();
    for (int handle = 0; handle < 8; ++handle) {
        if ((mask & (1u << handle)) != 0 && HandleRect(handle).PtInRect(point))
            return NormalizeHit(handle);
    }
    CRect whole;
    GetTrueRect(&whole);
    return whole.PtInRect(point) ? hitMiddle : hitNothing;
}

int CRectTracker::NormalizeHit(int hit) const
{
    // Handles are found on the normalized rectangle; a turned-over one swaps
    // its sides back.
    static const int mirroredX[] = {hitTopRight, hitTopLeft, hitBottomLeft, hitBottomRight,
                                    hitTop,      hitLeft,    hitBottom,     hitRight};
    static const int mirroredY[] = {hitBottomLeft, hitBottomRight, hitTopRight, hitTopLeft,
                                    hitBottom,     hitRight,       hitTop,      hitLeft};
    if (hit < 0 || hit == hitMiddle)
        return hit;
    if (m_rect.right < m_rect.left)
        hit = mirroredX[hit];
    if (m_rect.bottom < m_rect.top)
        hit = mirroredY[hit];
    return hit;
}

BOOL CRectTracker::SetCursor(CWnd* window, UINT hitTest) const
{
    if (hitTest != HTCLIENT || window == nullptr)
        return FALSE;
    POINT point;
    GetCursorPos(&point);
    window->ScreenToClient(&point);
    const int hit = HitTest(point);
    if (hit == hitNothing)
        return FALSE;
    int cursor = IDC_SIZEALL;
    switch (hit) {
    case hitTopLeft:
    case hitBottomRight:
        cursor = IDC_SIZENWSE;
        break;
    case hitTopRight:
    case hitBottomLeft:
        cursor = IDC_SIZENESW;
        break;
    case hitTop:
    case hitBottom:
        cursor = IDC_SIZENS;
        break;
    case hitLeft:
    case hitRight:
        cursor = IDC_SIZEWE;
        break;
    default:
        break;
    }
    ::SetCursor(LoadCursor(nullptr, cursor));
    return TRUE;
}

void CRectTracker::MoveEdges(int handle, CPoint offset, const CRect& start, bool allowInvert)
{
    CRect rect = start;
    const bool moveLeft = handle == hitTopLeft || handle == hitBottomLeft || handle == hitLeft;
    const bool moveRight = handle == hitTopRight || handle == hitBottomRight || handle == hitRight;
    const bool moveTop = handle == hitTopLeft || handle == hitTopRight || handle == hitTop;
    const bool moveBottom =
        handle == hitBottomLeft || handle == hitBottomRight || handle == hitBottom;
    if (handle == hitMiddle) {
        rect.OffsetRect(offset.x, offset.y);
    } else {
        if (moveLeft)
            rect.left += offset.x;
        if (moveRight)
            rect.right += offset.x;
        if (moveTop)
            rect.top += offset.y;
        if (moveBottom)
            rect.bottom += offset.y;
        // Without inversion the moving edges stop short of the fixed ones.
        if (!allowInvert) {
            if (moveLeft && rect.right - rect.left < m_sizeMin.cx)
                rect.left = rect.right - m_sizeMin.cx;
            if (moveRight && rect.right - rect.left < m_sizeMin.cx)
                rect.right = rect.left + m_sizeMin.cx;
            if (moveTop && rect.bottom - rect.top < m_sizeMin.cy)
                rect.top = rect.bottom - m_sizeMin.cy;
            if (moveBottom && rect.bottom - rect.top < m_sizeMin.cy)
                rect.bottom = rect.top + m_sizeMin.cy;
        }
    }
    m_rect = rect;
}

BOOL CRectTracker::Track(CWnd* window, CPoint point, BOOL allowInvert, CWnd* clipTo)
{
    if (window == nullptr || window->GetSafeHwnd() == nullptr)
        return FALSE;
    const int handle = HitTest(point);
    if (handle == hitNothing)
        return FALSE;
    window->UpdateWindow();
    const CRect start = m_rect;
    CRect shown;
    bool feedbackShown = false;
    bool cancelled = false;

    const auto drawFeedback = [&](const CRect& rect) {
        CClientDC dc(clipTo != nullptr ? clipTo : window);
        DrawTrackerRect(&rect, clipTo, &dc, window);
    };
    const auto followMouse = [&](const QPoint& global) {
        POINT at{global.x(), global.y()};
        window->ScreenToClient(&at);
        MoveEdges(handle, CPoint(at) - point, start, allowInvert != FALSE);
        const CRect rect = Normalized(m_rect);
        if (feedbackShown && rect == shown)
            return;
        if (feedbackShown)
            drawFeedback(shown);
        drawFeedback(rect);
        shown = rect;
        feedbackShown = true;
    };

    QEventLoop loop;
    window->SetCapture();
    DragFilter filter([&](QEvent* event) {
        switch (event->type()) {
        case QEvent::MouseMove:
            followMouse(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            return true;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                followMouse(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
                loop.quit();
            }
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
                cancelled = true;
                loop.quit();
            }
            return true;
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                cancelled = true;
                loop.quit();
            }
            return true;
        default:
            return false;
        }
    });
    qApp->installEventFilter(&filter);
    loop.exec();
    qApp->removeEventFilter(&filter);
    if (feedbackShown && window->GetSafeHwnd() != nullptr)
        drawFeedback(shown);
    if (CWnd::GetCapture() == window)
        ReleaseCapture();

    if (cancelled || Normalized(m_rect) == Normalized(start)) {
        m_rect = start;
        return FALSE;
    }
    m_rect.NormalizeRect();
    OnChangedRect(start);
    return TRUE;
}

void CRectTracker::DrawTrackerRect(const RECT* rect, CWnd*, CDC* dc, CWnd*)
{
    dc->DrawFocusRect(rect);
}

void CRectTracker::OnChangedRect(const CRect&) {}
