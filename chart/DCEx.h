#pragma once

#include "CDC.h"
#include "PixelLimits.h"

#include <optional>

// The device context every chart drawing routine receives. Chart code works
// in screen pixels; when the context is scaled (printing) every coordinate
// it hands to a drawing call is multiplied by the scale factors and
// truncated before it reaches the device. The calls below hide the plain
// device context's ones of the same name, so chart code draws through a
// CDCEx pointer and never scales by hand.
class CDCEx : public CDC
{
public:
    CDCEx() = default;
    // Draws on the device of dc with what dc has selected.
    explicit CDCEx(CDC* dc) { Attach(dc); }

    // Scale factors against the screen's resolution: the larger of the two
    // resolutions over the smaller, so at least 1; 1 when unknown.
    void ComputeScaleFactors();
    // Few colours: NUMCOLORS read unsigned below 256 on the output device,
    // or below 3 on a separate attribute device.
    void ComputeWhiteBackground();

    float m_scaleX = 1.0f;
    float m_scaleY = 1.0f;
    bool m_scaled = false;
    bool m_whiteBackground = false;
    bool m_unscaledClip = false;

    // While set, every colour drawn is shown as an inverting band of this
    // brush colour shows it on the screen: NOT (brush XOR colour). Devices
    // without raster operations draw the band's inside this way.
    std::optional<COLORREF> m_notXorWith;
    COLORREF Shown(COLORREF colour) const
    {
        return m_notXorWith ? ~(*m_notXorWith ^ colour) & 0x00FFFFFFu : colour;
    }
    COLORREF SetTextColor(COLORREF colour) { return CDC::SetTextColor(Shown(colour)); }
    COLORREF SetBkColor(COLORREF colour) { return CDC::SetBkColor(Shown(colour)); }

    // Coordinates far outside the page stay within what ToPixel gives.
    int ScaleX(int x) const { return m_scaled ? ToPixel(x * m_scaleX) : x; }
    int ScaleY(int y) const { return m_scaled ? ToPixel(y * m_scaleY) : y; }
    CRect Scale(const RECT& rect) const;
    CPoint Scale(const POINT& point) const { return CPoint(ScaleX(point.x), ScaleY(point.y)); }

    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(const RECT* rect)
    {
        return Rectangle(rect->left, rect->top, rect->right, rect->bottom);
    }
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(const RECT* rect)
    {
        return Ellipse(rect->left, rect->top, rect->right, rect->bottom);
    }
    BOOL Polygon(const POINT* points, int count);
    BOOL Polyline(const POINT* points, int count);
    void FillRect(const RECT* rect, CBrush* brush);
    void FillSolidRect(const RECT* rect, COLORREF colour);
    void FillSolidRect(int x, int y, int width, int height, COLORREF colour);
    void Draw3dRect(const RECT* rect, COLORREF topLeft, COLORREF bottomRight);
    void DrawFocusRect(const RECT* rect);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, DWORD rop);
    BOOL TextOut(int x, int y, const CString& text);
    // DT_CALCRECT gives the rectangle back in unscaled pixels.
    int DrawText(const CString& text, RECT* rect, UINT format);
    CSize GetTextExtent(const CString& text) const;
    // The clip is scaled unless the unscaled-clip flag is set.
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(const RECT* rect)
    {
        return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom);
    }
    int GetClipBox(RECT* rect) const;

private:
    CRect Unscale(const RECT& rect) const;
};
