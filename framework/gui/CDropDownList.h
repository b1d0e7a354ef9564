#pragma once

#include "CScrollBar.h"
#include "CString.h"
#include "CWnd.h"

#include <vector>

// The drop-down of a choice cell (window class "SuperComboBox"): a box
// over the cell showing the chosen entry, with the list of entries open
// below it and a scroll bar when they do not all fit. It is a pop-up: while
// it is open it has the keyboard and the mouse. Up, Down, Page Up, Page
// Down, Home and End move the choice; Enter or a click on an entry
// completes it; Escape, or a click on the box or anywhere outside, abandons
// it. The owner hears of either through the registered messages
// "WM_XCOMBOLIST_COMPLETE" and "WM_XCOMBOLIST_VK_ESCAPE".
class CDropDownList : public CWnd
{
public:
    static constexpr const char* kClassName = "SuperComboBox";

    CDropDownList();
    ~CDropDownList() override;

    // cell in the owner's client coordinates; visibleRows entries show at
    // once, the rest scroll.
    BOOL Create(const RECT& cell, CWnd* owner, const std::vector<CString>& entries,
                int visibleRows);

    int GetCount() const { return static_cast<int>(m_entries.size()); }
    int GetCurSel() const { return m_selection; }
    void SetCurSel(int index);
    CString GetText(int index) const;
    int FindStringExact(const CString& text) const;
    int GetRowHeight() const;
    // The first entry shown.
    int GetTopIndex() const { return m_top; }
    // The entry under a point of the window, or -1.
    int EntryAt(CPoint point) const;
    // Where an entry is drawn, in client coordinates; empty when scrolled
    // out of sight.
    CRect GetEntryRect(int index) const;
    // The scroll bar, when the entries do not all fit; else null.
    CScrollBar* GetScrollBar();

    static UINT CompleteMessage();
    static UINT EscapeMessage();

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar) override;
    void OnCancelMode() override;
    UINT OnGetDlgCode() override;

private:
    void Complete();
    void Escape();
    void ScrollTo(int top);
    void ScrollToSelection();
    bool NeedsScrollBar() const { return GetCount() > m_visibleRows; }
    // The entries' area, left of the scroll bar.
    CRect ListRect() const;

    CWnd* m_owner = nullptr;
    std::vector<CString> m_entries;
    CScrollBar m_scrollBar;
    int m_selection = -1;
    int m_visibleRows = 10;
    int m_top = 0;
    int m_cellHeight = 0;
    // Once completed or abandoned, later input does nothing.
    bool m_ended = false;
};
