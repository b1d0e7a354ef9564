#include "XGraphObject.h"

#include "ArchiveLimits.h"
#include "CArchive.h"

#include <cstdint>

IMPLEMENT_DYNAMIC(CXGraphObject, CObject)

void SerializeFlag(CArchive& archive, bool& flag)
{
    if (archive.IsStoring())
        archive.WriteValue<std::uint8_t>(flag ? 1 : 0);
    else
        flag = archive.ReadValue<std::uint8_t>() != 0;
}

void CXGraphObject::Serialize(CArchive& archive)
{
    SerializeFlag(archive, m_selected);
    SerializeFlag(archive, m_sizable);
    SerializeFlag(archive, m_movable);
    SerializeFlag(archive, m_trackerShown);
    SerializeFlag(archive, m_editing);
    SerializeFlag(archive, m_visible);
    SerializeFlag(archive, m_editable);
    if (archive.IsStoring()) {
        archive.WriteValue<std::int32_t>(m_rect.left);
        archive.WriteValue<std::int32_t>(m_rect.top);
        archive.WriteValue<std::int32_t>(m_rect.right);
        archive.WriteValue<std::int32_t>(m_rect.bottom);
        archive.WriteValue<std::int32_t>(static_cast<std::int32_t>(m_colour));
    } else {
        m_rect.left = archive.ReadValue<std::int32_t>();
        m_rect.top = archive.ReadValue<std::int32_t>();
        m_rect.right = archive.ReadValue<std::int32_t>();
        m_rect.bottom = archive.ReadValue<std::int32_t>();
        m_rect = ClampedRect(m_rect);
        // Every colour draws: only its red, green and blue bytes are used,
        // and the colour buttons' "automatic" sets the byte above them.
        m_colour = static_cast<COLORREF>(archive.ReadValue<std::int32_t>());
    }
}

void CXGraphObject::Draw(CDCEx*) {}

void CXGraphObject::BeginTracking()
{
    m_tracker.m_rect = m_rect;
    m_tracker.m_nStyle = CRectTracker::resizeOutside | CRectTracker::hatchedBorder;
    m_trackerShown = true;
}

void CXGraphObject::EndTracking()
{
    m_trackerShown = false;
}
