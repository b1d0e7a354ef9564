#include "XGraphBitmap.h"

#include "BitmapEx.h"
#include "CArchive.h"
#include "DCEx.h"

#include <cstdint>

IMPLEMENT_DYNAMIC(CXGraphBitmap, CXGraphObject)

CXGraphBitmap::CXGraphBitmap()
{
    m_sizable = true;
    m_movable = true;
}

CXGraphBitmap::~CXGraphBitmap()
{
    if (m_ownsBitmap)
        delete m_bitmap;
}

void CXGraphBitmap::SetBitmap(CBitmapEx* bitmap, bool owned)
{
    if (m_ownsBitmap && bitmap != m_bitmap)
        delete m_bitmap;
    m_bitmap = bitmap;
    m_ownsBitmap = owned;
}

void CXGraphBitmap::Draw(CDCEx* dc)
{
    if (!m_visible)
        return;
    CRect target = m_rect;
    if (m_border) {
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        CPen* oldPen = dc->SelectObject(&pen);
        CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
        dc->Rectangle(&target);
        dc->SelectObject(oldPen);
        dc->SelectObject(static_cast<CBrush*>(oldBrush));
        target.DeflateRect(1, 1);
    }
    BITMAP description{};
    if (m_bitmap != nullptr && m_bitmap->GetBitmap(&description) != 0 && description.bmWidth > 0 &&
        description.bmHeight > 0) {
        CDC memory;
        memory.CreateCompatibleDC(dc);
        CBitmap* old = memory.SelectObject(m_bitmap);
        dc->StretchBlt(target.left, target.top, target.Width(), target.Height(), &memory, 0, 0,
                       description.bmWidth, description.bmHeight, SRCCOPY);
        memory.SelectObject(old);
    }
    if (m_trackerShown) {
        // The tracker lies around the rectangle in device units.
        const CRect saved = m_tracker.m_rect;
        m_tracker.m_rect = dc->Scale(m_tracker.m_rect);
        m_tracker.Draw(dc);
        m_tracker.m_rect = saved;
    }
}

void CXGraphBitmap::Serialize(CArchive& archive)
{
    CXGraphObject::Serialize(archive);
    if (archive.IsStoring()) {
        archive.WriteValue<std::uint8_t>(m_border ? 1 : 0);
        if (m_bitmap != nullptr) {
            m_bitmap->Serialize(archive);
        } else {
            CBitmapEx empty;
            empty.Serialize(archive);
        }
        return;
    }
    m_border = archive.ReadValue<std::uint8_t>() != 0;
    if (m_bitmap == nullptr)
        SetBitmap(new CBitmapEx, true);
    m_bitmap->Serialize(archive);
}
