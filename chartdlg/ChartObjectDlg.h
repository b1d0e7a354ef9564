#pragma once

#include "CDialog.h"

class CFont;

// A dialog that edits one object of the chart (the chart itself, an axis,
// a series, a label) and writes its changes into it on Apply: every change
// of a control or colour enables the apply button, Apply writes the values
// and disables it again. As a tab of the chart properties sheet, OK applies
// and ends the whole sheet with OK and Cancel ends it with Cancel (values
// applied earlier stay); on its own, OK applies and ends the dialog.
class CChartObjectDlg : public CDialog
{
public:
    CChartObjectDlg(UINT templateId, CWnd* parent);

    // Saves and validates the controls and writes them into the object;
    // FALSE, with nothing written, when a value does not pass.
    virtual BOOL Apply() = 0;

    // The sheet the dialog is a tab of, or null.
    CDialog* m_pSheet = nullptr;

    // Loads the members into the controls (as changes of nobody) and
    // disables the apply button.
    BOOL OnInitDialog() override;

protected:
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // A control changed: by default the apply button is enabled.
    virtual void OnControlChanged(UINT id);
    // A colour button chose a colour.
    virtual void OnColourChosen(UINT id);
    void EnableApply(bool enable);
    // An entry of an owner-drawn list of pen styles 0 to 4: a line of width
    // 1 in the entry's style, 6 pixels below its top, on the highlight
    // colour when selected and the window colour otherwise.
    static void DrawLineStyleEntry(LPDRAWITEMSTRUCT drawItem);
    // Runs the font dialog (screen fonts, with effects) on a font and, on
    // OK, makes the font again from the answer; the text colour, when
    // given, is shown and taken too. FALSE when cancelled.
    BOOL ChooseFontFor(CFont& font, COLORREF* textColour);
    // While values are loaded into the controls their notifications are not
    // changes by the user.
    bool m_loading = false;

private:
    void End(int result);
};
