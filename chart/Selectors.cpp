#include "BrushSelector.h"
#include "DCEx.h"
#include "FontSelector.h"
#include "PenSelector.h"
#include "QuickFont.h"

CPenSelector::CPenSelector(CDCEx* dc, COLORREF colour, int width, int style) : m_dc(dc)
{
    if (style == PS_SOLID && dc->m_scaled)
        width = static_cast<int>(width * dc->m_scaleX);
    m_pen.CreatePen(style, width, dc->Shown(colour));
    m_old = dc->SelectObject(&m_pen);
}

CPenSelector::~CPenSelector()
{
    m_dc->SelectObject(m_old);
}

CBrushSelector::CBrushSelector(CDCEx* dc, COLORREF colour) : m_dc(dc)
{
    m_brush.CreateSolidBrush(dc->Shown(colour));
    m_old = dc->SelectObject(&m_brush);
}

CBrushSelector::CBrushSelector(CDCEx* dc, int hatch, COLORREF colour) : m_dc(dc)
{
    m_brush.CreateHatchBrush(hatch, dc->Shown(colour));
    m_old = dc->SelectObject(&m_brush);
}

CBrushSelector::~CBrushSelector()
{
    m_dc->SelectObject(m_old);
}

CFontSelector::CFontSelector(CDCEx* dc, CFont* font, bool rescale) : m_dc(dc)
{
    if (rescale && dc->m_scaled && font != nullptr) {
        LOGFONT logFont = font->m_logFont;
        logFont.lfHeight = static_cast<LONG>((logFont.lfHeight - 1) * dc->m_scaleY);
        logFont.lfWidth = static_cast<LONG>(logFont.lfWidth * dc->m_scaleX);
        m_scaled.CreateFontIndirect(&logFont);
        m_old = dc->SelectObject(&m_scaled);
    } else {
        m_old = dc->SelectObject(font);
    }
}

CFontSelector::~CFontSelector()
{
    m_dc->SelectObject(m_old);
}

CQuickFont::CQuickFont(const CString& face, int height, int weight)
{
    CreateFont(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
               CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

CQuickFont::CQuickFont(const LOGFONT& logFont)
{
    CreateFontIndirect(&logFont);
}
