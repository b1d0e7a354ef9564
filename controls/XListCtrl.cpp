#include "XListCtrl.h"

#include "SystemMetrics.h"
#include "WindowDC.h"

#include <algorithm>
#include <string>

namespace {

// Registered when the program starts, as the list's parent may ask for
// them before any list exists.
const UINT g_checkBoxClicked = RegisterWindowMessage("WM_XLISTCTRL_CHECKBOX_CLICKED");
const UINT g_editEnd = RegisterWindowMessage("WM_XLISTCTRL_EDIT_END");
const UINT g_comboSelection = RegisterWindowMessage("WM_XLISTCTRL_COMBO_SELECTION");

constexpr UINT kTimerDelay = 50;
constexpr COLORREF kBoxFrame = RGB(51, 102, 153);
constexpr COLORREF kTick = RGB(51, 153, 51);

// The caption of a progress cell: the cell's format when it holds exactly
// one "%d" (and "%%" for a per cent sign), else "%d%%".
CString ProgressCaption(const CString& format, int percent)
{
    const std::string text = format.ToUtf8();
    int conversions = 0;
    bool sound = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        if (i + 1 < text.size() && text[i + 1] == '%') {
            ++i;
        } else if (i + 1 < text.size() && text[i + 1] == 'd') {
            ++conversions;
            ++i;
        } else {
            sound = false;
        }
    }
    CString caption;
    if (sound && conversions == 1)
        caption.Format(text.c_str(), percent);
    else
        caption.Format("%d%%", percent);
    return caption;
}

} // namespace

UINT CXListCtrl::CheckBoxClickedMessage()
{
    return g_checkBoxClicked;
}

UINT CXListCtrl::EditEndMessage()
{
    return g_editEnd;
}

UINT CXListCtrl::ComboSelectionMessage()
{
    return g_comboSelection;
}

// The edit window's own messages: the list listens for what CXEdit posts.
UINT CXListCtrl::EditKillFocusMessage()
{
    return CXEdit::KillFocusMessage();
}

UINT CXListCtrl::EditEscapeMessage()
{
    return CXEdit::EscapeMessage();
}

CXListCtrl::CXListCtrl()
{
    ReadSysColors();
}

CXListCtrl::~CXListCtrl()
{
    FreeAllCells();
}

void CXListCtrl::ReadSysColors()
{
    m_defaultText = GetSysColor(COLOR_WINDOWTEXT);
    m_defaultBack = GetSysColor(COLOR_WINDOW);
    m_selectedBack = GetSysColor(COLOR_BTNFACE);
    m_progressBar = GetSysColor(COLOR_BTNFACE);
    m_progressText = GetSysColor(COLOR_HIGHLIGHTTEXT);
}

void CXListCtrl::OnSysColorChange()
{
    ReadSysColors();
    CListCtrl::OnSysColorChange();
    Invalidate();
}

// Cell records ---------------------------------------------------------------

CellData CXListCtrl::NewCell() const
{
    CellData cell;
    cell.textColour = m_defaultText;
    cell.backColour = m_defaultBack;
    return cell;
}

std::vector<CellData>* CXListCtrl::Cells(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return nullptr;
    return reinterpret_cast<std::vector<CellData>*>(GetItemData(row));
}

CellData* CXListCtrl::Cell(int row, int column) const
{
    std::vector<CellData>* cells = Cells(row);
    if (cells == nullptr || column < 0 || column >= static_cast<int>(cells->size()))
        return nullptr;
    return &(*cells)[static_cast<std::size_t>(column)];
}

const CellData* CXListCtrl::GetCell(int row, int column) const
{
    return Cell(row, column);
}

int CXListCtrl::AddRow(int index, COLORREF textColour, COLORREF backColour)
{
    if (index < 0)
        return -1;
    const int row = InsertItem(index, CString());
    if (row < 0)
        return -1;
    auto* cells = new std::vector<CellData>(static_cast<std::size_t>(std::max(GetColumnCount(), 1)),
                                            NewCell());
    CellData& first = cells->front();
    first.textColour = textColour == kDefaultColour ? m_defaultText : textColour;
    first.backColour = backColour == kDefaultColour ? m_defaultBack : backColour;
    SetItemData(row, reinterpret_cast<DWORD_PTR>(cells));
    return row;
}

int CXListCtrl::SetCellText(int row, int column, const CString* text, COLORREF textColour)
{
    CellData* cell = Cell(row, column);
    if (cell == nullptr || column >= GetColumnCount())
        return 0;
    int result = 1;
    if (text != nullptr)
        result = SetItemText(row, column, *text);
    cell->textColour = textColour == kDefaultColour ? m_defaultText : textColour;
    cell->backColour = RGB(255, 255, 255);
    Update(row);
    return result;
}

void CXListCtrl::SetCellTextColour(int row, int column, COLORREF colour)
{
    if (CellData* cell = Cell(row, column)) {
        cell->textColour = colour;
        cell->backColour = RGB(255, 255, 255);
    }
}

int CXListCtrl::SetCellChoice(int row, int column, const CStringArray* list, int listHeight,
                              int initialChoice)
{
    CellData* cell = Cell(row, column);
    if (GetColumnCount() < 2 || list == nullptr || cell == nullptr)
        return 0;
    cell->isChoice = TRUE;
    cell->choiceList = list;
    cell->choiceListHeight = listHeight;
    cell->initialChoice = initialChoice;
    if (initialChoice >= 0 && initialChoice < static_cast<int>(list->size()))
        SetItemText(row, column, (*list)[static_cast<std::size_t>(initialChoice)]);
    return 1;
}

BOOL CXListCtrl::SetCellCheck(int row, int column, int state)
{
    CellData* cell = Cell(row, column);
    if (cell == nullptr)
        return FALSE;
    cell->checkState = state;
    Update(row);
    return TRUE;
}

BOOL CXListCtrl::SetCellProgress(int row, int column, int percent, const CString& text)
{
    CellData* cell = Cell(row, column);
    if (cell == nullptr)
        return FALSE;
    cell->isProgress = TRUE;
    cell->progressPercent = std::clamp(percent, 0, 100);
    cell->progressText = text;
    Update(row);
    return TRUE;
}

BOOL CXListCtrl::SetCellEdit(int row, int column)
{
    CellData* cell = Cell(row, column);
    if (cell == nullptr)
        return FALSE;
    cell->isEdit = TRUE;
    return TRUE;
}

BOOL CXListCtrl::SetCellBold(int row, int column, BOOL bold)
{
    CellData* cell = Cell(row, column);
    if (cell == nullptr)
        return FALSE;
    cell->bold = bold;
    Update(row);
    return TRUE;
}

BOOL CXListCtrl::SetCellTooltip(int row, int column, const CString& text)
{
    CellData* cell = Cell(row, column);
    if (cell == nullptr)
        return FALSE;
    cell->tooltip = text;
    return TRUE;
}

BOOL CXListCtrl::SetRowEnabled(int row, BOOL enabled)
{
    CellData* cell = Cell(row, 0);
    if (cell == nullptr)
        return FALSE;
    cell->enabled = enabled;
    Update(row);
    return TRUE;
}

BOOL CXListCtrl::SetRowData(int row, DWORD_PTR data)
{
    CellData* cell = Cell(row, 0);
    if (cell == nullptr)
        return FALSE;
    cell->rowData = data;
    return TRUE;
}

DWORD_PTR CXListCtrl::GetRowData(int row) const
{
    const CellData* cell = Cell(row, 0);
    return cell != nullptr ? cell->rowData : 0;
}

BOOL CXListCtrl::DeleteRow(int row)
{
    if (row < 0 || row >= GetItemCount())
        return FALSE;
    delete Cells(row);
    SetItemData(row, 0);
    if (row == m_activeRow) {
        m_dropDown.reset();
        CloseEdit(false);
        m_activeRow = -1;
    }
    return DeleteItem(row);
}

void CXListCtrl::DeleteAllRows()
{
    while (GetItemCount() > 0)
        DeleteRow(GetItemCount() - 1);
}

void CXListCtrl::FreeAllCells()
{
    for (int row = 0; row < GetItemCount(); ++row) {
        delete Cells(row);
        SetItemData(row, 0);
    }
}

void CXListCtrl::OnDestroy()
{
    m_dropDown.reset();
    m_edit.reset();
    FreeAllCells();
    CListCtrl::OnDestroy();
}

int CXListCtrl::GetSelectedRow() const
{
    return GetNextItem(-1, LVNI_SELECTED);
}

BOOL CXListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message != WM_NOTIFY)
        return CListCtrl::OnChildNotify(message, wParam, lParam, result);
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == LVN_COLUMNCLICK) {
        ColumnClicked(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
        *result = 0;
        return TRUE;
    }
    return CListCtrl::OnChildNotify(message, wParam, lParam, result);
}

// Drawing --------------------------------------------------------------------

void CXListCtrl::DrawCell(CDC* dc, int row, int column, const CRect& rect)
{
    const CellData fallback = NewCell();
    const CellData* found = Cell(row, column);
    const CellData& cell = found != nullptr ? *found : fallback;
    if (cell.isProgress) {
        DrawProgress(dc, cell, rect);
        return;
    }
    if (cell.checkState != -1) {
        DrawCheckBox(dc, row, column, cell, rect);
        return;
    }
    const COLORREF back = IsCellHighlighted(row, column) ? m_selectedBack : cell.backColour;
    dc->FillSolidRect(&rect, back);
    CRect text = rect;
    text.DeflateRect(m_textInset, 0);
    LVCOLUMN format;
    GetColumn(column, &format);
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (m_endEllipsis ? DT_END_ELLIPSIS : 0);
    if (format.fmt == LVCFMT_CENTER)
        flags |= DT_CENTER;
    else if (format.fmt == LVCFMT_RIGHT)
        flags |= DT_RIGHT;
    CFont bold;
    CFont* old = nullptr;
    if (cell.bold && dc->GetCurrentFont() != nullptr) {
        LOGFONT logFont = dc->GetCurrentFont()->m_logFont;
        logFont.lfWeight = FW_BOLD;
        bold.CreateFontIndirect(&logFont);
        old = dc->SelectObject(&bold);
    }
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(cell.textColour);
    dc->DrawText(GetItemText(row, column), &text, flags);
    if (old != nullptr)
        dc->SelectObject(old);
}

void CXListCtrl::DrawProgress(CDC* dc, const CellData& cell, const CRect& rect)
{
    dc->FillSolidRect(&rect, m_defaultBack);
    CRect bar = rect;
    bar.DeflateRect(2, 2);
    dc->FillSolidRect(&bar, RGB(0xE0, 0xE0, 0xE0));
    CRect filled = bar;
    filled.right = bar.left + bar.Width() * cell.progressPercent / 100;
    dc->FillSolidRect(&filled, m_progressBar);
    dc->Draw3dRect(&bar, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    if (!cell.showProgressText)
        return;
    const CString caption = ProgressCaption(cell.progressText, cell.progressPercent);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(m_progressText);
    dc->DrawText(caption, &bar, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void CXListCtrl::DrawCheckBox(CDC* dc, int row, int column, const CellData& cell, const CRect& rect)
{
    dc->FillSolidRect(&rect, cell.backColour);
    const CString text = GetItemText(row, column);
    const int side = rect.Height() - 1;
    const int left = text.IsEmpty() ? rect.left + (rect.Width() - side) / 2 : rect.left + 9;
    const CRect box(left, rect.top, left + side, rect.top + side);
    dc->FillSolidRect(&box, m_defaultBack);
    dc->Draw3dRect(&box, kBoxFrame, kBoxFrame);
    if (cell.checkState == 1) {
        const CellData* first = Cell(row, 0);
        const bool enabled = first == nullptr || first->enabled;
        CPen tick(PS_SOLID, 1, enabled ? kTick : GetSysColor(COLOR_GRAYTEXT));
        CPen* old = dc->SelectObject(&tick);
        const int x = box.left + side / 4;
        const int y = box.top + side / 2;
        for (int i = 0; i < 3; ++i) {
            dc->MoveTo(x, y - 1 + i);
            dc->LineTo(x + side / 5, y + side / 5 - 1 + i);
            dc->LineTo(box.right - side / 5, box.top + side / 4 - 1 + i);
        }
        dc->SelectObject(old);
    }
    if (!text.IsEmpty()) {
        CRect label(box.right + m_textInset, rect.top, rect.right, rect.bottom);
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(cell.textColour);
        dc->DrawText(text, &label, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

BOOL CXListCtrl::OnEraseBkgnd(CDC* dc)
{
    if (GetItemCount() == 0)
        return CListCtrl::OnEraseBkgnd(dc);
    // Only what the rows leave free: below the last and right of them.
    CRect client;
    GetClientRect(&client);
    CRect first;
    GetItemRect(GetTopIndex(), &first, LVIR_BOUNDS);
    CRect last;
    GetItemRect(GetItemCount() - 1, &last, LVIR_BOUNDS);
    if (last.bottom < client.bottom)
        dc->FillSolidRect(0, last.bottom, client.Width(), client.bottom - last.bottom,
                          m_defaultBack);
    if (first.right < client.right)
        dc->FillSolidRect(first.right, first.top, client.right - first.right,
                          client.bottom - first.top, m_defaultBack);
    return TRUE;
}

void CXListCtrl::OnPaint()
{
    CListCtrl::OnPaint();
    if (GetItemCount() != 0)
        return;
    CClientDC dc(this);
    CRect area;
    GetClientRect(&area);
    area.top = GetHeaderHeight() + 10;
    dc.SetTextColor(m_defaultText);
    dc.SetBkColor(m_defaultBack);
    dc.SetBkMode(OPAQUE);
    CFont* old = dc.SelectObject(static_cast<CFont*>(GetStockObject(ANSI_VAR_FONT)));
    dc.DrawText(CString(kEmptyText), &area, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    dc.SelectObject(old);
}

// Mouse and keyboard ---------------------------------------------------------

void CXListCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_dropDown) {
        // A click anywhere closes the open drop-down.
        SetTimer(kCloseTimer, kTimerDelay);
        return;
    }
    LVHITTESTINFO info;
    info.pt = point;
    const int row = SubItemHitTest(&info);
    const CellData* first = Cell(row, 0);
    if (row >= 0 && first != nullptr && !first->enabled)
        return;
    if (m_edit)
        CloseEdit(true);
    CListCtrl::OnLButtonDown(flags, point);
    if (row < 0)
        return;
    const int column = info.iSubItem;
    CellData* cell = Cell(row, column);
    if (cell == nullptr)
        return;
    if (cell->checkState != -1)
        ToggleCheck(row, column);
    else if (cell->isChoice)
        OpenChoice(row, column);
    else if (cell->isEdit)
        OpenEdit(row, column);
}

void CXListCtrl::OnRButtonDown(UINT flags, CPoint point)
{
    CListCtrl::OnRButtonDown(flags, point);
    LVHITTESTINFO info;
    info.pt = point;
    const int row = SubItemHitTest(&info);
    const CellData* first = Cell(row, 0);
    if (row >= 0 && first != nullptr && first->enabled)
        NotifyCode(LIST_NOTIFY_RIGHT_CLICK);
}

void CXListCtrl::OnMouseMove(UINT flags, CPoint point)
{
    CListCtrl::OnMouseMove(flags, point);
    LVHITTESTINFO info;
    info.pt = point;
    const int row = SubItemHitTest(&info);
    const int tool = row >= 0 ? row * 1000 + info.iSubItem + 1 : 0;
    if (tool == m_toolTip.GetToolId())
        return;
    m_toolTip.SetToolId(tool);
    const CellData* cell = Cell(row, info.iSubItem);
    CString text;
    if (cell != nullptr && cell->tooltip.GetLength() > 0)
        text = CString(cell->tooltip.Text().substr(0, 80));
    m_toolTip.Show(this, text, point);
}

void CXListCtrl::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    CListCtrl::OnKeyDown(key, repeatCount, flags);
    const int row = GetSelectedRow();
    const CellData* first = Cell(row, 0);
    if (row < 0 || first == nullptr || first->enabled)
        return;
    const bool backwards = key == VK_UP || key == VK_PRIOR;
    if (!backwards && key != VK_DOWN && key != VK_NEXT)
        return;
    // On to the nearest enabled row in the key's direction, turning back
    // at the end.
    const auto enabledRow = [this](int candidate) {
        const CellData* cell = Cell(candidate, 0);
        return cell != nullptr && cell->enabled;
    };
    int found = -1;
    const int step = backwards ? -1 : 1;
    for (int r = row + step; r >= 0 && r < GetItemCount(); r += step)
        if (enabledRow(r)) {
            found = r;
            break;
        }
    if (found < 0)
        for (int r = row - step; r >= 0 && r < GetItemCount(); r -= step)
            if (enabledRow(r)) {
                found = r;
                break;
            }
    if (found < 0)
        return;
    SetItemState(found, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(found, FALSE);
}

void CXListCtrl::ToggleCheck(int row, int column)
{
    CellData* cell = Cell(row, column);
    cell->checkState = cell->checkState == 1 ? 0 : 1;
    cell->modified = TRUE;
    m_listModified = true;
    Update(row);
    if (CWnd* parent = GetParent())
        parent->SendMessage(CheckBoxClickedMessage(), static_cast<WPARAM>(row),
                            static_cast<LPARAM>(column));
    HDITEM item;
    if (!m_xheader.GetItem(column, &item) || item.iImage < 0)
        return;
    bool allChecked = true;
    for (int r = 0; r < GetItemCount(); ++r) {
        const CellData* other = Cell(r, column);
        if (other != nullptr && other->checkState != 1)
            allChecked = false;
    }
    HDITEM image;
    image.mask = HDI_IMAGE;
    image.iImage = allChecked ? CXHeaderCtrl::kImageChecked : CXHeaderCtrl::kImageUnchecked;
    m_xheader.SetItem(column, &image);
}

void CXListCtrl::ColumnClicked(int column)
{
    HDITEM item;
    if (!m_xheader.GetItem(column, &item))
        return;
    if (item.iImage != CXHeaderCtrl::kImageUnchecked && item.iImage != CXHeaderCtrl::kImageChecked)
        return;
    const int flipped = item.iImage == CXHeaderCtrl::kImageChecked ? CXHeaderCtrl::kImageUnchecked
                                                                   : CXHeaderCtrl::kImageChecked;
    HDITEM image;
    image.mask = HDI_IMAGE;
    image.iImage = flipped;
    m_xheader.SetItem(column, &image);
    for (int row = 0; row < GetItemCount(); ++row) {
        CellData* cell = Cell(row, column);
        if (cell == nullptr || cell->checkState == -1)
            continue;
        cell->checkState = flipped - 1;
        cell->modified = TRUE;
        Update(row);
    }
    m_listModified = true;
}

void CXListCtrl::NotifyCode(UINT code)
{
    NMHDR header{this, static_cast<UINT_PTR>(GetDlgCtrlID()), code};
    if (CWnd* target = GetParent())
        target->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()),
                            reinterpret_cast<LPARAM>(&header));
}

// Choice cells ---------------------------------------------------------------

void CXListCtrl::OpenChoice(int row, int column)
{
    CellData* cell = Cell(row, column);
    const CellData* first = Cell(row, 0);
    if (cell == nullptr || cell->choiceList == nullptr || GetColumnWidth(column) <= 4 ||
        (first != nullptr && !first->enabled))
        return;
    CRect rect;
    GetSubItemRect(row, column, LVIR_BOUNDS, rect);
    rect.OffsetRect(1, -1);
    CStringArray entries;
    for (const CString& entry : *cell->choiceList)
        if (!entry.IsEmpty())
            entries.push_back(entry);
    CString wanted;
    if (cell->initialChoice >= 0 &&
        cell->initialChoice < static_cast<int>(cell->choiceList->size())) {
        wanted = (*cell->choiceList)[static_cast<std::size_t>(cell->initialChoice)];
        SetItemText(row, column, wanted);
        cell->initialChoice = -1;
    } else {
        wanted = GetItemText(row, column);
    }
    if (wanted.IsEmpty() && !entries.empty()) {
        wanted = entries.front();
        SetItemText(row, column, wanted);
    }
    m_dropDown = std::make_unique<CDropDownList>();
    if (!m_dropDown->Create(rect, this, entries, cell->choiceListHeight)) {
        m_dropDown.reset();
        return;
    }
    const int selected = std::max(m_dropDown->FindStringExact(wanted), 0);
    m_dropDown->SetCurSel(selected);
    m_textBeforeChoice = m_dropDown->GetText(selected);
    m_activeRow = row;
    m_activeColumn = column;
    // The list keeps still while the drop-down comes up.
    LockWindowUpdate();
    SetTimer(kUnlockTimer, kTimerDelay);
    m_dropDown->Invalidate();
    m_dropDown->UpdateWindow();
}

LRESULT CXListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CDropDownList::CompleteMessage()) {
        SetTimer(kCompleteTimer, kTimerDelay);
        return 0;
    }
    if (message == CDropDownList::EscapeMessage()) {
        SetTimer(kCloseTimer, kTimerDelay);
        return 0;
    }
    // The edit's messages are posted: by the time one arrives the edit may
    // be closed already, or another opened that has the focus and stays.
    if (message == EditKillFocusMessage()) {
        if (m_edit && GetFocus() != m_edit.get())
            CloseEdit(true);
        return 0;
    }
    if (message == EditEscapeMessage()) {
        if (m_edit && GetFocus() == m_edit.get())
            CloseEdit(false);
        return 0;
    }
    return CListCtrl::WindowProc(message, wParam, lParam);
}

void CXListCtrl::OnTimer(UINT_PTR id)
{
    KillTimer(id);
    switch (id) {
    case kUnlockTimer:
        UnlockWindowUpdate();
        break;
    case kCloseTimer:
        Update(m_activeRow);
        m_dropDown.reset();
        break;
    case kCompleteTimer: {
        if (!m_dropDown)
            break;
        const int selected = m_dropDown->GetCurSel();
        if (selected >= 0) {
            const CString text = m_dropDown->GetText(selected);
            SetItemText(m_activeRow, m_activeColumn, text);
            Update(m_activeRow);
            if (text != m_textBeforeChoice) {
                if (CellData* cell = Cell(m_activeRow, m_activeColumn))
                    cell->modified = TRUE;
                m_listModified = true;
            }
        }
        // The choice is the opened row's: that row is the selected one when
        // the owner hears of it.
        if (GetSelectedRow() != m_activeRow)
            SelectOnly(m_activeRow);
        NotifyCode(LIST_NOTIFY_CHOICE_DONE);
        m_dropDown.reset();
        break;
    }
    default:
        CListCtrl::OnTimer(id);
        break;
    }
}

// Edit cells -----------------------------------------------------------------

void CXListCtrl::OpenEdit(int row, int column)
{
    CRect rect;
    if (!GetSubItemRect(row, column, LVIR_BOUNDS, rect))
        return;
    m_edit = std::make_unique<CXEdit>();
    if (!m_edit->Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, rect, this, 0)) {
        m_edit.reset();
        return;
    }
    m_edit->SetFont(GetFont());
    m_edit->SetWindowText(GetItemText(row, column));
    m_edit->SetSel(0, -1);
    m_edit->SetFocus();
    m_activeRow = row;
    m_activeColumn = column;
}

void CXListCtrl::CloseEdit(bool keep)
{
    if (!m_edit)
        return;
    CString text;
    m_edit->GetWindowText(text);
    // Typing goes on in the list rather than nowhere.
    const bool hadFocus = GetFocus() == m_edit.get();
    m_edit.reset();
    if (hadFocus)
        SetFocus();
    if (!keep)
        return;
    if (text != GetItemText(m_activeRow, m_activeColumn)) {
        SetItemText(m_activeRow, m_activeColumn, text);
        if (CellData* cell = Cell(m_activeRow, m_activeColumn))
            cell->modified = TRUE;
        m_listModified = true;
    }
    if (CWnd* parent = GetParent())
        parent->SendMessage(EditEndMessage(), static_cast<WPARAM>(m_activeRow),
                            static_cast<LPARAM>(m_activeColumn));
}
