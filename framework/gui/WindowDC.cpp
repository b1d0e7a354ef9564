#include "WindowDC.h"

#include "CBrush.h"
#include "CWnd.h"
#include "WindowPainting.h"

namespace {

// A second image on the same pixels: every device context of a window paints
// its own view, so that a client device context can draw while a paint of
// the same window is under way.
QImage ViewOf(QImage* image)
{
    if (image == nullptr)
        return QImage();
    return QImage(image->bits(), image->width(), image->height(), image->bytesPerLine(),
                  image->format());
}

} // namespace

CPaintDC::CPaintDC(CWnd* window) : m_ps{this, FALSE, {0, 0, 0, 0}}, m_window(window)
{
    bool erase = false;
    const QRegion region = window->BeginPaintRegion(&erase);
    const QRect bounds = region.boundingRect();
    m_ps.rcPaint = region.isEmpty()
                       ? CRect()
                       : CRect(bounds.left(), bounds.top(), bounds.left() + bounds.width(),
                               bounds.top() + bounds.height());
    m_view = ViewOf(window->GetBackingImage());
    if (m_view.isNull()) {
        CreateScreenDC();
        return;
    }
    BeginPainting(&m_view);
    SetBaseClip(region);
    if (erase)
        m_ps.fErase = window->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(this)) == 0;
}

CPaintDC::~CPaintDC()
{
    EndPainting();
    if (m_window->GetSafeHwnd() != nullptr)
        m_window->ShowBackingImage();
}

CClientDC::CClientDC(CWnd* window) : m_window(window)
{
    m_view = ViewOf(window != nullptr ? window->GetBackingImage() : nullptr);
    if (m_view.isNull()) {
        CreateScreenDC();
        return;
    }
    BeginPainting(&m_view);
}

CClientDC::~CClientDC()
{
    EndPainting();
    if (m_window != nullptr && m_window->GetSafeHwnd() != nullptr)
        m_window->ShowBackingImage();
}

COverChildrenDC::COverChildrenDC(CWnd* window) : m_window(window)
{
    m_view = ViewOf(window != nullptr ? window->BeginOverlay() : nullptr);
    if (m_view.isNull()) {
        CreateScreenDC();
        return;
    }
    BeginPainting(&m_view);
}

COverChildrenDC::~COverChildrenDC()
{
    EndPainting();
    if (m_window != nullptr && m_window->GetSafeHwnd() != nullptr)
        m_window->EndOverlayDrawing();
}

CWindowDC::CWindowDC(CWnd* window) : CClientDC(window)
{
    if (window != nullptr && !m_view.isNull()) {
        const CPoint origin = window->GetClientOrigin();
        SetWindowOrg(origin.x, origin.y);
    }
}

void PaintWithDefaultHandling(CWnd* window)
{
    CPaintDC dc(window);
}

bool EraseWithClassBrush(CWnd* window, CDC* dc)
{
    CBrush* brush = window->GetWindowClass().hbrBackground;
    if (brush == nullptr || dc == nullptr)
        return false;
    CRect box;
    dc->GetClipBox(&box);
    dc->FillRect(&box, brush);
    return true;
}
