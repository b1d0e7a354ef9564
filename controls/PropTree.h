#pragma once

#include "CFont.h"
#include "CWnd.h"
#include "PropTreeInfo.h"
#include "PropTreeItem.h"
#include "PropTreeList.h"

// Style bit of the tree window: send notifications to the parent.
constexpr DWORD PROP_STYLE_NOTIFY = 0x0001;

// Notification codes, sent as WM_NOTIFY with a PropTreeNotify record.
constexpr int PROP_NOTIFY_INSERTED = -1101;
constexpr int PROP_NOTIFY_DELETING = -1102;
constexpr int PROP_NOTIFY_SELECTION = -1107;
constexpr int PROP_NOTIFY_EXPANDING = -1108;
constexpr int PROP_NOTIFY_DIVIDER_DRAG = -1109;
constexpr int PROP_NOTIFY_VALUE_CLICK = -1110;
constexpr int PROP_NOTIFY_CHECK_CLICK = -1112;

// What lies under a point of the rows pane.
constexpr int PROP_HIT_NOWHERE = 1;
constexpr int PROP_HIT_LABEL = 50;
constexpr int PROP_HIT_DIVIDER = 51;
constexpr int PROP_HIT_EXPANDER = 52;
constexpr int PROP_HIT_VALUE = 53;
constexpr int PROP_HIT_CHECKBOX = 54;

struct PropTreeNotify
{
    NMHDR hdr;
    CPropTreeItem* pItem;
};

// A two-column tree of named properties with a draggable divider between
// label and value and an information pane below. It owns its items and
// reports to its parent with PropTreeNotify records; several of them let
// the parent veto what is about to happen.
class CPropTree : public CWnd
{
public:
    using EnumFunc = BOOL (*)(CPropTree* tree, CPropTreeItem* item, LPARAM data);

    CPropTree();
    ~CPropTree() override;

    // A child window of a class of its own.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    CPropTreeItem* AddItem(CPropTreeItem* parent, CPropTreeItem* item);
    // Null removes every item but the root.
    void RemoveItem(CPropTreeItem* item);
    // Pre-order over start and all its descendants; 0 when the callback
    // stopped the walk.
    BOOL ForEachItem(CPropTreeItem* start, EnumFunc callback, LPARAM data);

    CPropTreeItem* GetRootItem() { return &m_root; }
    CPropTreeItem* GetFocusedItem() const { return m_focusedItem; }
    void FocusItem(CPropTreeItem* item);
    void ScrollIntoView(CPropTreeItem* item);
    CPropTreeItem* FocusFirst();
    CPropTreeItem* FocusLast();
    CPropTreeItem* FocusPrev();
    CPropTreeItem* FocusNext();
    void ActivateItem(CPropTreeItem* item);

    void SetDividerX(int x);
    int GetDividerX() const { return m_dividerX; }
    int GetScrollY() const { return m_scrollY; }
    void SetScrollY(int y) { m_scrollY = y; }

    int HitTestPoint(CPoint point) const;
    CPropTreeItem* ItemAtPoint(CPoint point) const;
    bool IsTopLevel(const CPropTreeItem* item) const { return item->m_parent == &m_root; }

    // Sends a notification when the window exists with PROP_STYLE_NOTIFY;
    // returns the parent's answer.
    LRESULT NotifyParent(int code, CPropTreeItem* item);

    void RecalcScrollRange();
    int GetScrollRange() const { return m_scrollRange; }
    void ShowInfoText(bool show);
    bool IsInfoShown() const { return m_showInfo != 0; }
    void DisableInput(bool disable) { m_inputDisabled = disable ? 1 : 0; }
    bool IsInputDisabled() const { return m_inputDisabled != 0; }

    // The visible-row chain, as the rows lie now: rebuilt from the tree
    // structure, so that it never names a removed row.
    void LayoutVisibleRows();
    CPropTreeItem* GetFirstVisible() const { return m_firstVisible; }
    bool IsItemVisible(const CPropTreeItem* item) const;
    // Clears the focus of a row that collapsing has hidden.
    void DropHiddenFocus();
    void ClearSelection();

    CPropTreeList& GetList() { return m_list; }
    CPropTreeInfo& GetInfo() { return m_info; }

    // Shared by every tree of the program, made by the first and deleted by
    // the last.
    static CFont* GetNormalFont();
    static CFont* GetBoldFont();

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnEnable(BOOL enable) override;
    void OnSysColorChange() override;

private:
    void LayoutPanes(int width, int height);
    // Removes the item and its children as RemoveItem does, without laying
    // out the rows that remain.
    void RemoveWithoutLayout(CPropTreeItem* item);
    void RemoveSubtree(CPropTreeItem* item);
    int LayoutRows(CPropTreeItem* first, int indent, int y);
    int ContentHeight(CPropTreeItem* item) const;
    // Whether the item's children show as rows: it and its parents are
    // expanded (the hidden root's children always show).
    bool ShowsChildren(const CPropTreeItem* item) const;
    // Hands the scroll range to the list's scroll bar.
    void ApplyScrollRange();
    CPropTreeItem* LastVisible() const;
    CPropTreeItem* MoveFocus(CPropTreeItem* target);
    static void CreateSharedFonts();

    CPropTreeList m_list;
    CPropTreeInfo m_info;
    int m_showInfo = 1;
    int m_infoHeight = 50;
    CPropTreeItem m_root;
    CPropTreeItem* m_firstVisible = nullptr;
    CPropTreeItem* m_visibleTail = nullptr;
    CPropTreeItem* m_focusedItem = nullptr;
    CPropTreeItem* m_lastAdded = nullptr;
    int m_dividerX = 100;
    int m_scrollY = 0;
    int m_nextId = 1;
    int m_inputDisabled = 0;
    int m_scrollRange = CPropTreeItem::kRowHeight;
};
