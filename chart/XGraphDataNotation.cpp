#include "XGraphDataNotation.h"

#include "ArchiveLimits.h"
#include "CArchive.h"
#include "DCEx.h"
#include "FontSelector.h"
#include "PenSelector.h"
#include "XGraph.h"

#include <cstdint>

IMPLEMENT_DYNAMIC(CXGraphDataNotation, CXGraphObject)

CXGraphDataNotation::CXGraphDataNotation()
{
    m_font.CreateFont(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, "Arial");
    m_sizable = false;
    m_movable = false;
    m_editable = false;
}

void CXGraphDataNotation::Draw(CDCEx* dc)
{
    if (!m_visible || m_graph == nullptr || m_seriesIndex < 0 ||
        m_seriesIndex >= m_graph->GetSeriesCount())
        return;
    if (m_trackerShown)
        m_tracker.Draw(dc);
    CFontSelector font(dc, &m_font);
    const CPoint anchor =
        m_graph->SeriesPointToPixel(m_graph->SeriesAt(m_seriesIndex), DataPoint{m_x, m_y});
    if (!m_sized) {
        m_rect = CRect(anchor.x, anchor.y - 20, anchor.x + 1, anchor.y);
        dc->DrawText(m_text, &m_rect, DT_CALCRECT | DT_CENTER);
        m_sized = true;
    }
    // Re-anchored above its point every time, keeping the measured size,
    // and kept where a stored note may lie when its point is far away.
    m_rect.OffsetRect(anchor.x - m_rect.left, anchor.y - 20 - m_rect.top);
    m_rect = ClampedRect(m_rect);
    CRect frame = m_rect;
    frame.InflateRect(1, 1);
    dc->FillSolidRect(&frame, RGB(0, 0, 0));
    dc->FillSolidRect(&m_rect, RGB(255, 255, 255));
    dc->SetTextColor(RGB(0, 0, 0));
    CRect text = m_rect;
    dc->DrawText(m_text, &text, DT_CENTER);
    dc->FillSolidRect(anchor.x - 1, anchor.y - 1, 3, 3, RGB(0, 0, 0));
    CPenSelector pen(dc, RGB(0, 0, 0));
    dc->MoveTo(anchor.x, anchor.y);
    dc->LineTo(anchor.x, m_rect.bottom);
}

void CXGraphDataNotation::Serialize(CArchive& archive)
{
    CXGraphObject::Serialize(archive);
    if (archive.IsStoring()) {
        archive.WriteValue<double>(m_x);
        archive.WriteValue<double>(m_y);
        archive.WriteValue<std::int32_t>(m_seriesIndex);
        archive.WriteValue<std::int32_t>(m_pointIndex);
        archive.WriteString(m_text);
        return;
    }
    m_x = archive.ReadValue<double>();
    m_y = archive.ReadValue<double>();
    m_seriesIndex = archive.ReadValue<std::int32_t>();
    m_pointIndex = archive.ReadValue<std::int32_t>();
    m_text = ClampedText(archive.ReadString());
}
