#pragma once

#include "CBitmap.h"
#include "CWnd.h"

class CPropTree;
class CPropTreeItem;

// The rows pane of the property tree: paints the rows double-buffered and
// takes the mouse and the keyboard.
class CPropTreeList : public CWnd
{
public:
    static constexpr UINT kId = 100;

    CPropTreeList();
    ~CPropTreeList() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetPropOwner(CPropTree* tree) { m_tree = tree; }
    // Puts the scroll range and page on the scroll bar.
    void UpdateScrollBar(int range, int page);
    bool IsDividerDragging() const { return m_dragging != 0; }

protected:
    void OnSize(UINT type, int cx, int cy) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    UINT OnGetDlgCode() override;
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message) override;
    void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar) override;

private:
    // Grows the off-screen picture to the client area; it never shrinks.
    void GrowBitmap();
    void DrawDividerBar(int x);
    void ScrollTo(int origin);
    void ToggleExpanded(CPropTreeItem* item);
    void SelectRow(CPropTreeItem* item);
    // The row under a point, its hit code and whether it is top-level.
    CPropTreeItem* RowAt(CPoint point, int& hit) const;

    CPropTree* m_tree = nullptr;
    CBitmap m_bitmap;
    int m_bitmapWidth = 0;
    int m_bitmapHeight = 0;
    int m_dragX = 0;
    int m_dragging = 0;
};
