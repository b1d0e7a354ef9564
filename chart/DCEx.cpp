#include "DCEx.h"

#include <algorithm>
#include <vector>

namespace {

float Factor(int screen, int device)
{
    if (screen <= 0 || device <= 0)
        return 1.0f;
    const float factor =
        static_cast<float>(std::max(screen, device)) / static_cast<float>(std::min(screen, device));
    return factor < 1e-10f ? 1.0f : factor;
}

} // namespace

void CDCEx::ComputeScaleFactors()
{
    CDC screen;
    screen.CreateScreenDC();
    m_scaleX = Factor(screen.GetDeviceCaps(LOGPIXELSX), GetDeviceCaps(LOGPIXELSX));
    m_scaleY = Factor(screen.GetDeviceCaps(LOGPIXELSY), GetDeviceCaps(LOGPIXELSY));
}

void CDCEx::ComputeWhiteBackground()
{
    // -1 of true-colour devices read unsigned is never few.
    if (GetAttribDC() != nullptr && GetAttribDC() != this)
        m_whiteBackground =
            static_cast<unsigned>(GetAttribDC()->GetOutputDeviceCaps(NUMCOLORS)) < 3;
    else
        m_whiteBackground = static_cast<unsigned>(GetOutputDeviceCaps(NUMCOLORS)) < 256;
}

CRect CDCEx::Scale(const RECT& rect) const
{
    return CRect(ScaleX(rect.left), ScaleY(rect.top), ScaleX(rect.right), ScaleY(rect.bottom));
}

CRect CDCEx::Unscale(const RECT& rect) const
{
    if (!m_scaled)
        return CRect(rect);
    return CRect(static_cast<int>(rect.left / m_scaleX), static_cast<int>(rect.top / m_scaleY),
                 static_cast<int>(rect.right / m_scaleX), static_cast<int>(rect.bottom / m_scaleY));
}

CPoint CDCEx::MoveTo(int x, int y)
{
    return CDC::MoveTo(ScaleX(x), ScaleY(y));
}

BOOL CDCEx::LineTo(int x, int y)
{
    return CDC::LineTo(ScaleX(x), ScaleY(y));
}

BOOL CDCEx::Rectangle(int left, int top, int right, int bottom)
{
    return CDC::Rectangle(ScaleX(left), ScaleY(top), ScaleX(right), ScaleY(bottom));
}

BOOL CDCEx::Ellipse(int left, int top, int right, int bottom)
{
    return CDC::Ellipse(ScaleX(left), ScaleY(top), ScaleX(right), ScaleY(bottom));
}

BOOL CDCEx::Polygon(const POINT* points, int count)
{
    if (points == nullptr || count <= 0)
        return FALSE;
    std::vector<POINT> scaled(points, points + count);
    for (POINT& point : scaled)
        point = Scale(point);
    return CDC::Polygon(scaled.data(), count);
}

BOOL CDCEx::Polyline(const POINT* points, int count)
{
    if (points == nullptr || count <= 0)
        return FALSE;
    std::vector<POINT> scaled(points, points + count);
    for (POINT& point : scaled)
        point = Scale(point);
    return CDC::Polyline(scaled.data(), count);
}

void CDCEx::FillRect(const RECT* rect, CBrush* brush)
{
    const CRect scaled = Scale(*rect);
    CDC::FillRect(&scaled, brush);
}

void CDCEx::FillSolidRect(const RECT* rect, COLORREF colour)
{
    const CRect scaled = Scale(*rect);
    CDC::FillSolidRect(&scaled, Shown(colour));
}

void CDCEx::FillSolidRect(int x, int y, int width, int height, COLORREF colour)
{
    const CRect rect(x, y, x + width, y + height);
    FillSolidRect(&rect, colour);
}

void CDCEx::Draw3dRect(const RECT* rect, COLORREF topLeft, COLORREF bottomRight)
{
    const CRect scaled = Scale(*rect);
    CDC::Draw3dRect(&scaled, topLeft, bottomRight);
}

void CDCEx::DrawFocusRect(const RECT* rect)
{
    const CRect scaled = Scale(*rect);
    CDC::DrawFocusRect(&scaled);
}

BOOL CDCEx::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    const CRect scaled = Scale(CRect(x, y, x + width, y + height));
    return CDC::PatBlt(scaled.left, scaled.top, scaled.Width(), scaled.Height(), rop);
}

BOOL CDCEx::StretchBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY,
                       int sourceWidth, int sourceHeight, DWORD rop)
{
    const CRect scaled = Scale(CRect(x, y, x + width, y + height));
    return CDC::StretchBlt(scaled.left, scaled.top, scaled.Width(), scaled.Height(), source,
                           sourceX, sourceY, sourceWidth, sourceHeight, rop);
}

BOOL CDCEx::TextOut(int x, int y, const CString& text)
{
    return CDC::TextOut(ScaleX(x), ScaleY(y), text);
}

int CDCEx::DrawText(const CString& text, RECT* rect, UINT format)
{
    CRect scaled = Scale(*rect);
    const int height = CDC::DrawText(text, &scaled, format);
    if ((format & DT_CALCRECT) != 0)
        *rect = Unscale(scaled);
    return m_scaled ? static_cast<int>(height / m_scaleY) : height;
}

CSize CDCEx::GetTextExtent(const CString& text) const
{
    const CSize extent = CDC::GetTextExtent(text);
    if (!m_scaled)
        return extent;
    return CSize(static_cast<int>(extent.cx / m_scaleX), static_cast<int>(extent.cy / m_scaleY));
}

int CDCEx::IntersectClipRect(int left, int top, int right, int bottom)
{
    if (m_unscaledClip)
        return CDC::IntersectClipRect(left, top, right, bottom);
    return CDC::IntersectClipRect(ScaleX(left), ScaleY(top), ScaleX(right), ScaleY(bottom));
}

int CDCEx::GetClipBox(RECT* rect) const
{
    CRect box;
    const int kind = CDC::GetClipBox(&box);
    *rect = m_unscaledClip ? box : Unscale(box);
    return kind;
}
