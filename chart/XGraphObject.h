#pragma once

#include "CObject.h"
#include "CRectTracker.h"
#include "Geometry.h"
#include "Types.h"

class CArchive;
class CDCEx;
class CXGraph;

// Everything the chart draws: axes, series and the free-standing objects
// (labels, pictures, data notes) of its object list. The free-standing ones
// can be selected and moved or resized with a rectangle tracker.
class CXGraphObject : public CObject
{
    DECLARE_DYNAMIC(CXGraphObject)
public:
    CXGraphObject() = default;
    CXGraphObject(const CXGraphObject&) = default;
    CXGraphObject& operator=(const CXGraphObject&) = default;
    ~CXGraphObject() override = default;

    // The common record: the seven flags, the rectangle and the colour.
    void Serialize(CArchive& archive) override;

    virtual void Draw(CDCEx* dc);
    virtual void Edit() {}
    virtual void EndEdit() {}
    // Shows the tracker around the object's rectangle.
    virtual void BeginTracking();
    virtual void EndTracking();
    virtual void ShowContextMenu() {}

    CRect m_rect;
    bool m_selected = false;
    bool m_editing = false;
    // A tracked rectangle is applied only when the object is both.
    bool m_sizable = false;
    bool m_movable = false;
    bool m_trackerShown = false;
    bool m_visible = true;
    bool m_editable = true;
    COLORREF m_colour = 0;
    CXGraph* m_graph = nullptr;
    CRectTracker m_tracker;
};

// Reads or writes a bool as one byte 0 or 1.
void SerializeFlag(CArchive& archive, bool& flag);
