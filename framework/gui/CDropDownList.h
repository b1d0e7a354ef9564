#pragma once

#include "CString.h"
#include "CWnd.h"

#include <vector>

// The drop-down of a choice cell (window class "SuperComboBox"): a box
// over the cell showing the chosen entry, with the list of entries open
// below it. Clicking an entry or pressing Enter completes the choice and
// Escape abandons it; the owner hears of either through the registered
// messages "WM_XCOMBOLIST_COMPLETE" and "WM_XCOMBOLIST_VK_ESCAPE".
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
    // The entry under a point of the window, or -1.
    int EntryAt(CPoint point) const;

    static UINT CompleteMessage();
    static UINT EscapeMessage();

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    UINT OnGetDlgCode() override;

private:
    void Complete();
    void Escape();
    void ScrollToSelection();

    CWnd* m_owner = nullptr;
    std::vector<CString> m_entries;
    int m_selection = -1;
    int m_visibleRows = 10;
    int m_top = 0;
    int m_cellHeight = 0;
};
