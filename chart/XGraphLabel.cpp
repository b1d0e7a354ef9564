#include "XGraphLabel.h"

#include "ArchiveLimits.h"
#include "CArchive.h"
#include "CEdit.h"
#include "CMenu.h"
#include "ChartDialogs.h"
#include "Cursor.h"
#include "DCEx.h"
#include "FontSelector.h"
#include "PenSelector.h"
#include "SystemMetrics.h"
#include "XGraph.h"

#include <cstdint>

IMPLEMENT_DYNAMIC(CXGraphLabel, CXGraphObject)

CXGraphLabel::CXGraphLabel() : m_fillColour(GetSysColor(COLOR_WINDOW))
{
    m_font.CreateFont(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, "Arial");
    m_sizable = true;
    m_movable = true;
    m_editing = false;
}

CXGraphLabel::~CXGraphLabel() = default;

void CXGraphLabel::Edit()
{
    if (!m_editable || m_graph == nullptr || m_graph->GetSafeHwnd() == nullptr)
        return;
    if (m_edit)
        m_edit->DestroyWindow();
    m_trackerShown = false;
    m_editing = true;
    CRect area = m_rect;
    area.DeflateRect(1, 1);
    // DT_CENTER and DT_RIGHT are ES_CENTER and ES_RIGHT.
    const DWORD style = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                        ES_WANTRETURN | (m_textFormat & (DT_CENTER | DT_RIGHT));
    m_edit = std::make_unique<CEdit>();
    m_edit->Create(style, area, m_graph, kEditId);
    m_edit->SetFont(&m_font);
    m_edit->SetWindowText(m_text);
    m_edit->ShowWindow(SW_SHOW);
    m_graph->Invalidate();
    m_edit->SetFocus();
    m_edit->SetSel(0, -1);
}

void CXGraphLabel::EndEdit()
{
    if (!m_editable)
        return;
    if (m_edit) {
        m_edit->GetWindowText(m_text);
        m_edit->DestroyWindow();
        m_edit.reset();
    }
    m_editing = false;
}

void CXGraphLabel::ShowContextMenu()
{
    if (m_graph == nullptr)
        return;
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, kPropertiesCommand, "Properties");
    CPoint at;
    GetCursorPos(&at);
    const UINT command =
        static_cast<UINT>(menu.TrackPopupMenu(TPM_NONOTIFY | TPM_RETURNCMD, at.x, at.y, m_graph));
    if (command == kPropertiesCommand)
        RunLabelDialog(this);
}

void CXGraphLabel::Draw(CDCEx* dc)
{
    if (!m_visible)
        return;
    CFontSelector font(dc, &m_font);
    const COLORREF fill = dc->m_whiteBackground ? RGB(255, 255, 255) : m_fillColour;
    CBrush fillBrush(fill);
    CBrush* oldBrush = m_transparent ? static_cast<CBrush*>(dc->SelectStockObject(NULL_BRUSH))
                                     : dc->SelectObject(&fillBrush);
    CPen borderPen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = m_border ? dc->SelectObject(&borderPen) : nullptr;

    if (m_attachedSeries >= 0 && m_graph != nullptr &&
        m_attachedSeries < m_graph->GetSeriesCount()) {
        CXGraphDataSerie& series = m_graph->SeriesAt(m_attachedSeries);
        if (series.m_points != nullptr && series.m_count > 0) {
            const CPoint middle =
                m_graph->SeriesPointToPixel(series, series.m_points[series.m_count / 2]);
            dc->MoveTo(middle.x, middle.y);
            dc->LineTo(m_rect.CenterPoint().x, m_rect.CenterPoint().y);
        }
    }
    if (m_transparent) {
        dc->SetBkMode(TRANSPARENT);
    } else {
        dc->FillSolidRect(&m_rect, fill);
        dc->SetBkMode(OPAQUE);
    }
    if (m_border)
        dc->Rectangle(&m_rect);
    dc->SetBkColor(fill);
    dc->SetTextColor(dc->m_whiteBackground ? RGB(0, 0, 0) : m_textColour);
    if (m_trackerShown)
        m_tracker.Draw(dc);
    if (!m_editing) {
        CRect text = m_rect;
        text.DeflateRect(1, 1);
        dc->DrawText(m_text, &text, m_textFormat);
    }
    if (oldPen != nullptr)
        dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

void CXGraphLabel::Serialize(CArchive& archive)
{
    CXGraphObject::Serialize(archive);
    if (archive.IsStoring()) {
        archive.WriteString(m_text);
        archive.Write(&m_font.m_logFont, sizeof(LOGFONT));
        archive.WriteValue<std::int32_t>(static_cast<std::int32_t>(m_fillColour));
        archive.WriteValue<std::int32_t>(static_cast<std::int32_t>(m_textColour));
        archive.WriteValue<std::uint8_t>(m_border ? 1 : 0);
        archive.WriteValue<std::uint8_t>(m_transparent ? 1 : 0);
        archive.WriteValue<std::int32_t>(static_cast<std::int32_t>(m_textFormat));
        archive.WriteValue<std::int32_t>(m_attachedSeries);
        return;
    }
    m_text = ClampedText(archive.ReadString());
    LOGFONT logFont{};
    archive.Read(&logFont, sizeof(LOGFONT));
    ClampFont(logFont);
    m_font.CreateFontIndirect(&logFont);
    m_fillColour = static_cast<COLORREF>(archive.ReadValue<std::int32_t>());
    m_textColour = static_cast<COLORREF>(archive.ReadValue<std::int32_t>());
    m_border = archive.ReadValue<std::uint8_t>() != 0;
    m_transparent = archive.ReadValue<std::uint8_t>() != 0;
    m_textFormat = static_cast<UINT>(archive.ReadValue<std::int32_t>());
    m_attachedSeries = archive.ReadValue<std::int32_t>();
}
