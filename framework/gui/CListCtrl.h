#pragma once

#include "CHeaderCtrl.h"
#include "CString.h"
#include "CWnd.h"
#include "CommCtrl.h"

#include <vector>

// A report list view: columns in a header, rows of texts with item data
// and state, single selection, grid lines and full-row selection, vertical
// scrolling. A derived list draws its cells its own way by overriding
// DrawCell.
class CListCtrl : public CWnd
{
public:
    static constexpr const char* kClassName = "SysListView32";
    static constexpr UINT kHeaderId = 0;

    CListCtrl();
    ~CListCtrl() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    DWORD SetExtendedStyle(DWORD style);

    int InsertColumn(int index, const CString& heading, int format = LVCFMT_LEFT, int width = -1,
                     int subItem = -1);
    BOOL GetColumn(int index, LVCOLUMN* column) const;
    int GetColumnWidth(int index) const;
    int GetColumnCount() const;

    int InsertItem(int index, const CString& text);
    BOOL DeleteItem(int index);
    int GetItemCount() const { return static_cast<int>(m_rows.size()); }
    BOOL SetItemText(int item, int subItem, const CString& text);
    CString GetItemText(int item, int subItem) const;
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;
    BOOL SetItemState(int item, UINT state, UINT mask);
    // The next row after start (-1: from the beginning) with the flags.
    int GetNextItem(int start, UINT flags) const;

    int HitTest(CPoint point, UINT* flags = nullptr) const;
    int SubItemHitTest(LVHITTESTINFO* info) const;
    BOOL GetItemRect(int item, LPRECT rect, UINT area) const;
    BOOL GetSubItemRect(int item, int subItem, int area, CRect& rect) const;
    BOOL EnsureVisible(int item, BOOL partialOk);
    int GetTopIndex() const { return m_topIndex; }
    int GetCountPerPage() const;
    BOOL RedrawItems(int first, int last);
    BOOL Update(int item) { return RedrawItems(item, item); }

    int GetRowHeight() const;
    int GetHeaderHeight() const;

protected:
    // The header object the list creates its header in; a derived list can
    // give its own kind of header.
    virtual CHeaderCtrl* Header() { return &m_header; }

    int OnCreate(LPCREATESTRUCT create) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    UINT OnGetDlgCode() override;

    // Draws one cell of a visible row; the list's own drawing is the text
    // in the system's colours, highlighted where the row is selected.
    virtual void DrawCell(CDC* dc, int item, int subItem, const CRect& rect);
    // Whether a cell shows the selection: the list has the focus or always
    // shows it, and the cell is in a selected row's first column or the
    // whole row is selected.
    bool IsCellHighlighted(int item, int subItem) const;
    // Sends a list notification to the parent (reflected to the list).
    LRESULT NotifyParent(NMHDR* header);
    void SelectOnly(int item);
    void UpdateScrollBar();
    void ScrollTo(int top);
    void LayoutHeader();

    struct Row
    {
        std::vector<CString> texts;
        DWORD_PTR data = 0;
        UINT state = 0;
    };
    std::vector<Row> m_rows;
    CHeaderCtrl m_header;
    DWORD m_extendedStyle = 0;
    int m_topIndex = 0;
};
