#pragma once

#include "CFont.h"
#include "CString.h"
#include "CToolTipCtrl.h"
#include "CWnd.h"

#include <QMetaObject>

// The colour picker's messages, each with the colour in wParam. The pop-up
// sends them to its button; the button forwards them to its own parent with
// its control id in lParam.
// The hovered entry changed (and, from the button, a confirmed change).
constexpr UINT CPN_SELCHANGE = WM_USER + 1001;
// The button opened its pop-up.
constexpr UINT CPN_DROPDOWN = WM_USER + 1002;
// The pop-up closed; comes before the end message.
constexpr UINT CPN_CLOSEUP = WM_USER + 1003;
// A colour was confirmed.
constexpr UINT CPN_SELENDOK = WM_USER + 1004;
// The pop-up was cancelled; wParam is the colour it opened with.
constexpr UINT CPN_SELENDCANCEL = WM_USER + 1005;

// The colour value that stands for automatic, the host's default colour.
constexpr COLORREF CLR_AUTOMATIC = 0xFF000000;

// The colour dialog's flags the pop-up opens it with.
constexpr DWORD CC_FULLOPEN = 0x00000002;
constexpr DWORD CC_ANYCOLOR = 0x00000100;

// A borderless pop-up grid of 40 named colours (8 columns by 5 rows), with
// an optional "Automatic" box above the grid and an optional "More
// Colors..." box below it that opens the colour dialog. It holds the mouse
// while open; moving over an entry hovers it, a release inside the window
// or Enter confirms, a release outside or Escape cancels. It tells its
// button by the messages above, then destroys itself; the object deletes
// itself once its window is gone.
class CColourPopup : public CWnd
{
public:
    // Entries besides the cells 0..39.
    static constexpr int kNoEntry = -1;
    static constexpr int kMoreColoursBox = -2;
    static constexpr int kAutomaticBox = -3;

    static constexpr int kColourCount = 40;
    static constexpr int kColumns = 8;

    struct NamedColour
    {
        COLORREF colour;
        const char* name;
    };
    // Cell index 0..39.
    static const NamedColour& ColourAt(int index);
    // The cell holding the colour, or kNoEntry.
    static int FindColour(COLORREF colour);

    CColourPopup();
    ~CColourPopup() override;

    // Opens the pop-up with its top-left corner at a screen point (the
    // button's bottom-left corner), kept on the screen. An empty text leaves
    // its box out. After a successful Create the object deletes itself.
    BOOL Create(CPoint topLeft, COLORREF initialColour, CWnd* parentButton,
                const CString& defaultText, const CString& customText);
    // Closes the pop-up without a word to the button, for a button that goes
    // away while its pop-up is open.
    void Dismiss();

    int GetHoveredIndex() const { return m_hoveredIndex; }
    int GetChosenIndex() const { return m_chosenIndex; }
    COLORREF GetInitialColour() const { return m_initialColour; }
    COLORREF GetCurrentColour() const { return m_currentColour; }
    // An entry's rectangle in client coordinates; empty for a missing box.
    CRect GetEntryRect(int index) const;
    // The entry at a client point, or kNoEntry.
    int EntryAt(CPoint point) const;
    int GetRowCount() const { return m_rows; }
    int GetCellSize() const { return m_cellSize; }
    int GetMargin() const { return m_margin; }
    const CToolTipCtrl& GetToolTip() const { return m_toolTip; }

    // The entry an arrow key moves to from an entry.
    int NextEntry(int from, UINT key) const;

    BOOL PreTranslateMessage(MSG* message) override;

protected:
    void PostNcDestroy() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void OnKillFocus(CWnd* newWindow) override;
    void OnCancelMode() override;
    void OnDestroy() override;
    UINT OnGetDlgCode() override;

private:
    CSize Layout();
    CRect KeptOnScreen(CPoint topLeft, CSize size) const;
    void SelectInitialEntry();
    void ChangeSelection(int index);
    void EndSelection(bool confirmed);
    void ShowToolTip(int index);
    void DrawEntry(CDC& dc, int index);
    COLORREF ColourOfEntry(int index) const;
    bool HasAutomaticBox() const { return !m_defaultText.IsEmpty(); }
    bool HasMoreColoursBox() const { return !m_customText.IsEmpty(); }
    int FirstBoxOrCell(bool automaticFirst) const;

    int m_colourCount = kColourCount;
    int m_columns = kColumns;
    int m_rows = 0;
    int m_cellSize = 18;
    int m_margin = 2;
    // Client y of the grid's first row.
    int m_gridTop = 0;
    int m_hoveredIndex = kNoEntry;
    int m_chosenIndex = kNoEntry;
    CString m_defaultText;
    CString m_customText;
    // Client coordinates of the boxes; the window's in screen coordinates.
    CRect m_automaticRect;
    CRect m_moreColoursRect;
    CRect m_windowRect;
    CFont m_font;
    CToolTipCtrl m_toolTip;
    COLORREF m_initialColour = CLR_AUTOMATIC;
    COLORREF m_currentColour = CLR_AUTOMATIC;
    CWnd* m_parentButton = nullptr;
    // Set while the colour dialog is open: the pop-up must stay until it
    // has the dialog's answer.
    bool m_colourDialogOpen = false;
    // The pop-up has begun to close; later input is ignored.
    bool m_ending = false;
    bool m_deleteWhenDestroyed = false;
    QMetaObject::Connection m_applicationStateWatch;
};
