#pragma once

#include "CString.h"
#include "CWnd.h"
#include "CommCtrl.h"

#include <vector>

// The column header of a report list: items with a text, width, format and
// image. Dragging a divider resizes the column to its left; a click on an
// item reports HDN_ITEMCLICK and a resize HDN_ITEMCHANGED to the parent.
class CHeaderCtrl : public CWnd
{
public:
    static constexpr const char* kClassName = "SysHeader32";
    static constexpr int kHeight = 20;

    CHeaderCtrl();
    ~CHeaderCtrl() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int InsertItem(int index, const HDITEM* item);
    BOOL DeleteItem(int index);
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    BOOL GetItem(int index, HDITEM* item) const;
    BOOL SetItem(int index, const HDITEM* item);
    CString GetItemText(int index) const;
    BOOL GetItemRect(int index, LPRECT rect) const;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message) override;

    // The divider right of an item within a few pixels of x, or -1.
    int DividerAt(int x) const;
    void Notify(UINT code, int item);

    struct Item
    {
        CString text;
        int width = 0;
        int format = HDF_LEFT | HDF_STRING;
        int image = -1;
    };
    std::vector<Item> m_items;
    int m_resizing = -1;
    int m_resizeStart = 0;
    int m_resizeWidth = 0;
};
