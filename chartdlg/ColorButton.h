#pragma once

#include "CButton.h"
#include "ColourPopup.h"

// A push button that shows a colour swatch and, when clicked, opens a
// CColourPopup below itself to choose another. It tells its parent by the
// colour picker's messages (CPN_...), each with the colour in wParam and the
// button's control id in lParam. The colour CLR_AUTOMATIC shows as the
// automatic colour. The pop-up, while open, belongs to itself; the button
// only points at it.
class CColorButton : public CButton
{
public:
    CColorButton();
    ~CColorButton() override;

    // Creates the button owner-drawn.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    COLORREF GetColour() const { return m_colour; }
    void SetColour(COLORREF colour);
    // What CLR_AUTOMATIC shows as.
    COLORREF GetAutomaticColour() const { return m_automaticColour; }
    void SetAutomaticColour(COLORREF colour);
    // The pop-up's box texts; empty leaves a box out.
    void SetDefaultText(const CString& text) { m_defaultText = text; }
    void SetCustomText(const CString& text) { m_customText = text; }
    const CString& GetDefaultText() const { return m_defaultText; }
    const CString& GetCustomText() const { return m_customText; }
    // With tracking the swatch follows the pointer in the pop-up; without
    // it, it changes only when a choice is confirmed.
    void SetTrackSelection(bool track) { m_trackSelection = track; }
    bool GetTrackSelection() const { return m_trackSelection; }

    bool IsPopupActive() const { return m_popupActive; }
    // The open pop-up, or null.
    CColourPopup* GetPopup() const { return m_popup; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;
    void OnDestroy() override;

private:
    void OpenPopup();
    void TellParent(UINT message, COLORREF colour);
    void OnSelectionEndOk(COLORREF colour);
    void OnSelectionEndCancel(COLORREF colour);
    void OnSelectionChange(COLORREF colour);

    COLORREF m_colour = CLR_AUTOMATIC;
    COLORREF m_automaticColour;
    CString m_defaultText = "Automatic";
    CString m_customText = "More Colors...";
    bool m_popupActive = false;
    bool m_trackSelection = false;
    CColourPopup* m_popup = nullptr;
};
