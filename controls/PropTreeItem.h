#pragma once

#include "CString.h"
#include "Geometry.h"
#include "WinTypes.h"

class CDC;
class CPropTree;

// One row of the property tree: a label, a description for the info pane,
// a state, and its place in the tree. Children form a chain in insertion
// order; the tree owns every item added to it.
class CPropTreeItem
{
public:
    enum State : UINT
    {
        ItemSelected = 0x01,
        ItemExpanded = 0x02,
        ItemHasCheckBox = 0x04,
        ItemChecked = 0x08,
        ItemReadOnly = 0x20
    };

    static constexpr int kRowHeight = 21;

    CPropTreeItem() = default;
    virtual ~CPropTreeItem() = default;
    CPropTreeItem(const CPropTreeItem&) = delete;
    CPropTreeItem& operator=(const CPropTreeItem&) = delete;

    // The value column; the base draws nothing.
    virtual void DrawValue(CDC* dc, const CRect& valueRect);
    virtual int GetRowHeight() { return kRowHeight; }
    virtual LPARAM GetValue() { return 0; }
    virtual void SetValue(LPARAM) {}
    // After the list pane was resized or the divider moved.
    virtual void OnPlacementChanged() {}
    // Called when the row is activated for editing its value.
    virtual void BeginValueEdit() {}

    void SetLabelText(const CString& text) { m_label = text; }
    const CString& GetLabelText() const { return m_label; }
    void SetInfoText(const CString& text) { m_info = text; }
    const CString& GetInfoText() const { return m_info; }
    void SetItemData(void* data) { m_userData = data; }
    void* GetItemData() const { return m_userData; }
    UINT GetState() const { return m_state; }
    bool IsState(UINT flag) const { return (m_state & flag) != 0; }
    void SetState(UINT flag, bool on) { m_state = on ? (m_state | flag) : (m_state & ~flag); }
    int GetId() const { return m_id; }
    bool IsActivated() const { return m_activated != 0; }

    CPropTreeItem* GetParent() const { return m_parent; }
    CPropTreeItem* GetSibling() const { return m_nextSibling; }
    CPropTreeItem* GetChild() const { return m_firstChild; }
    CPropTreeItem* GetNextVisible() const { return m_nextVisible; }
    CPoint GetLocation() const { return m_location; }
    const CRect& GetValueRect() const { return m_valueRect; }
    const CRect& GetExpanderRect() const { return m_expanderRect; }
    const CRect& GetCheckBoxRect() const { return m_checkBoxRect; }

private:
    friend class CPropTree;
    friend class CPropTreeList;

    CPropTree* m_tree = nullptr;
    CString m_label;
    CString m_info;
    // x: the indent; y: the top of the row before scrolling.
    CPoint m_location;
    // In list-pane client coordinates, after scrolling.
    CRect m_valueRect;
    int m_id = 0;
    UINT m_state = 0;
    int m_activated = 0;
    int m_commitOnce = 0;
    // In content coordinates; empty without children or check box.
    CRect m_expanderRect;
    CRect m_checkBoxRect;
    void* m_userData = nullptr;
    CPropTreeItem* m_parent = nullptr;
    CPropTreeItem* m_nextSibling = nullptr;
    CPropTreeItem* m_firstChild = nullptr;
    CPropTreeItem* m_nextVisible = nullptr;
};
