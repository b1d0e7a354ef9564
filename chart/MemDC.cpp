#include "MemDC.h"

CMemDC::CMemDC(CDC* paintDC) : m_paintDC(paintDC)
{
    m_bPrinting = paintDC->IsPrinting();
    if (m_bPrinting) {
        Attach(paintDC);
        return;
    }
    paintDC->GetClipBox(&m_clipBox);
    if (m_clipBox.IsRectEmpty() || !CreateCompatibleDC(paintDC) ||
        !m_bitmap.CreateCompatibleBitmap(paintDC, m_clipBox.Width(), m_clipBox.Height())) {
        Detach();
        Attach(paintDC);
        return;
    }
    m_buffered = true;
    m_oldBitmap = SelectObject(&m_bitmap);
    SetWindowOrg(m_clipBox.left, m_clipBox.top);
    FillSolidRect(&m_clipBox, paintDC->GetBkColor());
}

CMemDC::~CMemDC()
{
    if (!m_buffered)
        return;
    const CRect copy = m_rect.IsRectEmpty() ? m_clipBox : m_rect;
    m_paintDC->BitBlt(copy.left, copy.top, copy.Width(), copy.Height(), this, copy.left, copy.top,
                      SRCCOPY);
    SelectObject(m_oldBitmap);
}
