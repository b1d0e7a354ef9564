#include "XHeaderCtrl.h"

#include "SystemMetrics.h"
#include "WindowDC.h"

CXHeaderCtrl::CXHeaderCtrl()
{
    ReadSysColors();
}

void CXHeaderCtrl::ReadSysColors()
{
    m_highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    m_shadow = GetSysColor(COLOR_BTNSHADOW);
    m_face = GetSysColor(COLOR_BTNFACE);
    m_textColour = GetSysColor(COLOR_BTNTEXT);
}

void CXHeaderCtrl::OnSysColorChange()
{
    ReadSysColors();
    Invalidate();
}

void CXHeaderCtrl::OnPaint()
{
    CPaintDC paint(this);
    CRect clip;
    paint.GetClipBox(&clip);
    if (!m_doubleBuffer) {
        PaintColumns(&paint, clip);
        return;
    }
    CRect client;
    GetClientRect(&client);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&paint, std::max(static_cast<int>(client.Width()), 1),
                                  std::max(static_cast<int>(client.Height()), 1));
    CDC memory;
    memory.CreateCompatibleDC(&paint);
    CBitmap* old = memory.SelectObject(&bitmap);
    PaintColumns(&memory, clip);
    paint.BitBlt(clip.left, clip.top, clip.Width(), clip.Height(), &memory, clip.left, clip.top,
                 SRCCOPY);
    memory.SelectObject(old);
}

void CXHeaderCtrl::PaintColumns(CDC* dc, const CRect& clip)
{
    dc->FillSolidRect(&clip, m_face);
    CFont* oldFont = GetFont() != nullptr ? dc->SelectObject(GetFont()) : nullptr;
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(m_textColour);
    int total = 0;
    for (int i = 0; i < GetItemCount(); ++i) {
        CRect rect;
        GetItemRect(i, &rect);
        total = rect.right;
        const Item& item = m_items[static_cast<std::size_t>(i)];
        CRect inner = rect;
        inner.DeflateRect(m_spacing, 0);
        const int alignment =
            m_forcedAlignment >= 0 ? m_forcedAlignment : (item.format & HDF_JUSTIFYMASK);
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
        if (alignment == HDF_CENTER)
            format |= DT_CENTER;
        else if (alignment == HDF_RIGHT)
            format |= DT_RIGHT;
        dc->DrawText(item.text, &inner, format);
        if (m_drawDividers) {
            dc->FillSolidRect(rect.right - 1, rect.top + 2, 1, rect.Height() - 4, m_shadow);
            dc->FillSolidRect(rect.right, rect.top + 2, 1, rect.Height() - 4, m_highlight);
        }
    }
    CRect client;
    GetClientRect(&client);
    dc->Draw3dRect(0, 0, total, client.Height(), m_highlight, m_shadow);
    if (oldFont != nullptr)
        dc->SelectObject(oldFont);
}
