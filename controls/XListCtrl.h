#pragma once

#include "CDropDownList.h"
#include "CListCtrl.h"
#include "CToolTipCtrl.h"
#include "XEdit.h"
#include "XHeaderCtrl.h"

#include <memory>
#include <vector>

using CStringArray = std::vector<CString>;

// Notification codes of the list, sent as WM_NOTIFY with a plain NMHDR.
constexpr UINT LIST_NOTIFY_CHOICE_DONE = static_cast<UINT>(-1101);
constexpr UINT LIST_NOTIFY_RIGHT_CLICK = static_cast<UINT>(-1102);

// What one cell of the list carries besides its text.
struct CellData
{
    // Only the first cell's flag counts: a disabled row ignores clicks and
    // is skipped by the keyboard.
    BOOL enabled = TRUE;
    BOOL bold = FALSE;
    BOOL modified = FALSE;
    CString tooltip;
    BOOL isChoice = FALSE;
    int choiceReserved = 0;
    const CStringArray* choiceList = nullptr;
    int choiceListHeight = 10;
    int initialChoice = -1;
    BOOL isEdit = FALSE;
    COLORREF textColour = 0;
    COLORREF backColour = 0;
    BOOL isProgress = FALSE;
    int progressPercent = 0;
    CString progressText;
    BOOL showProgressText = TRUE;
    // -1 no check box, 0 unchecked, 1 checked.
    int checkState = -1;
    // Only the first cell's value counts: the owner's pointer for the row.
    DWORD_PTR rowData = 0;
};

// A report list whose cells carry their own colours and may be drop-down
// choice cells, check boxes, progress bars or edit cells. It draws its
// cells itself, shows "There are no items to show in this view." when
// empty, and tells its parent when a choice was made or a cell was
// right-clicked.
class CXListCtrl : public CListCtrl
{
public:
    static constexpr COLORREF kDefaultColour = static_cast<COLORREF>(-1);
    static constexpr const char16_t* kEmptyText = u"There are no items to show in this view.";

    CXListCtrl();
    ~CXListCtrl() override;

    int AddRow(int index, COLORREF textColour = kDefaultColour,
               COLORREF backColour = kDefaultColour);
    // Sets the text (unless null) and the text colour; the cell's
    // background becomes white. 0 for a cell that does not exist.
    int SetCellText(int row, int column, const CString* text, COLORREF textColour = kDefaultColour);
    int SetCellText(int row, int column, const CString& text, COLORREF textColour = kDefaultColour)
    {
        return SetCellText(row, column, &text, textColour);
    }
    void SetCellTextColour(int row, int column, COLORREF colour);
    // Needs two columns at least and a list.
    int SetCellChoice(int row, int column, const CStringArray* list, int listHeight,
                      int initialChoice);
    BOOL SetCellCheck(int row, int column, int state);
    BOOL SetCellProgress(int row, int column, int percent, const CString& text = {});
    BOOL SetCellEdit(int row, int column);
    BOOL SetCellBold(int row, int column, BOOL bold);
    BOOL SetCellTooltip(int row, int column, const CString& text);
    BOOL SetRowEnabled(int row, BOOL enabled);
    BOOL SetRowData(int row, DWORD_PTR data);
    DWORD_PTR GetRowData(int row) const;
    BOOL DeleteRow(int row);
    void DeleteAllRows();
    int GetSelectedRow() const;
    const CellData* GetCell(int row, int column) const;

    bool IsListModified() const { return m_listModified; }
    void SetEndEllipsis(bool on) { m_endEllipsis = on; }

    // The drop-down of the open choice cell, and its cell.
    CDropDownList* GetDropDown() const { return m_dropDown.get(); }
    CEdit* GetCellEdit() const { return m_edit.get(); }
    int GetActiveRow() const { return m_activeRow; }
    int GetActiveColumn() const { return m_activeColumn; }
    const CToolTipCtrl& GetToolTip() const { return m_toolTip; }

    // Registered messages of the list and of its drop-down and edit window.
    static UINT CheckBoxClickedMessage();
    static UINT EditEndMessage();
    static UINT ComboSelectionMessage();
    static UINT EditKillFocusMessage();
    static UINT EditEscapeMessage();

    enum TimerId
    {
        kUnlockTimer = 1,
        kCloseTimer = 2,
        kCompleteTimer = 3
    };

protected:
    CHeaderCtrl* Header() override { return &m_xheader; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    void OnSysColorChange() override;

private:
    std::vector<CellData>* Cells(int row) const;
    CellData* Cell(int row, int column) const;
    CellData NewCell() const;
    void ReadSysColors();
    // A cell as its data says: text in its colours and font, an image, a
    // progress bar or a check box.
    void DrawCell(CDC* dc, int row, int column, const CRect& rect) override;
    void DrawProgress(CDC* dc, const CellData& cell, const CRect& rect);
    void DrawCheckBox(CDC* dc, int row, int column, const CellData& cell, const CRect& rect);
    void OpenChoice(int row, int column);
    void OpenEdit(int row, int column);
    void CloseEdit(bool keep);
    void ToggleCheck(int row, int column);
    void ColumnClicked(int column);
    void NotifyCode(UINT code);
    void FreeAllCells();

    CXHeaderCtrl m_xheader;
    bool m_listModified = false;
    bool m_endEllipsis = true;
    int m_textInset = 5;
    CString m_textBeforeChoice;
    int m_activeRow = -1;
    int m_activeColumn = -1;
    std::unique_ptr<CDropDownList> m_dropDown;
    std::unique_ptr<CEdit> m_edit;
    CToolTipCtrl m_toolTip;
    COLORREF m_defaultText = 0;
    COLORREF m_defaultBack = 0;
    COLORREF m_selectedBack = 0;
    COLORREF m_progressBar = 0;
    COLORREF m_progressText = 0;
};
