#pragma once

#include "CString.h"
#include "CWnd.h"
#include "DialogItem.h"
#include "ModalSeam.h"

#include <map>
#include <memory>
#include <vector>

// One control of a dialog template.
struct DialogControlTemplate
{
    DialogControlKind kind = DialogControlKind::Static;
    UINT id = 0;
    CRect rect;
    CString text;
    // The edit a spin control works on.
    UINT buddy = 0;
};

// A dialog as the program's resources describe it: its number, caption,
// size and controls. The dialog code relies on the ids and kinds only.
struct DialogTemplate
{
    UINT id = 0;
    CString caption;
    CSize size;
    std::vector<DialogControlTemplate> controls;
};

void RegisterDialogTemplate(const DialogTemplate& dialogTemplate);
const DialogTemplate* FindDialogTemplate(UINT id);

class CDialog;

// Moves values between a dialog's controls and its members, one direction
// at a time; a value that does not pass ends the exchange.
struct CDataExchange
{
    CDialog* m_pDlgWnd = nullptr;
    BOOL m_bSaveAndValidate = FALSE;
    UINT m_idLastControl = 0;
    // Tells the user nothing more: the message was given; ends the exchange.
    [[noreturn]] void Fail();
};

void DDX_Text(CDataExchange* pDX, UINT id, int& value);
void DDX_Text(CDataExchange* pDX, UINT id, double& value);
void DDX_Text(CDataExchange* pDX, UINT id, CString& value);
void DDX_Check(CDataExchange* pDX, UINT id, int& value);
void DDX_CBIndex(CDataExchange* pDX, UINT id, int& index);
// The index of the checked radio of the group that starts at id.
void DDX_Radio(CDataExchange* pDX, UINT id, int& index);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minimum, int maximum);

// A dialog made from a template by number: modal with DoModal, a window of
// its own beside the program with CreateModeless, or a child window with
// CreateDialogWindow (a tab of a property sheet). OK and Cancel end a modal
// dialog, OK taking the controls' values first; they hide a modeless one.
class CDialog : public CWnd
{
public:
    CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally through the modal seam, with the dialog's
    // name ("CAxisDlg", ...) and the dialog object: a test answers it by
    // setting controls and returning the button pressed (IDOK runs OnOK).
    virtual INT_PTR DoModal();
    // The dialog as a child window of parent, for tabs.
    BOOL CreateDialogWindow(CWnd* parent);
    // The dialog as a window of its own, owned by owner and kept over it,
    // that leaves the rest of the program usable; shown and active at once.
    // Ending it (OK, Cancel, Escape, its close button) hides it; it is
    // destroyed with the object, and shown again with ShowModeless.
    BOOL CreateModeless(CWnd* owner);
    void ShowModeless();
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);
    // FALSE, after telling the user, when a value does not pass.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    CDialogItem* GetDlgItem(UINT id) const;
    void SetDlgItemText(UINT id, const CString& text);
    CString GetDlgItemText(UINT id) const;
    void CheckDlgButton(UINT id, int check);
    UINT IsDlgButtonChecked(UINT id) const;
    // The radio ids of the group that starts at id, in template order.
    std::vector<UINT> RadioGroup(UINT id) const;

    // Where the template puts control id, in the dialog's client area.
    CRect GetTemplateRect(UINT id) const;

    // The name the modal seam shows the dialog by.
    CString m_dialogName = "CDialog";

protected:
    // Whether EndDialog was called since the dialog began.
    bool IsEnded() const { return m_ended; }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The entries of owner-drawn lists: their height and their drawing.
    virtual void OnMeasureItem(int id, LPMEASUREITEMSTRUCT measure);
    virtual void OnDrawItem(int id, LPDRAWITEMSTRUCT drawItem);

private:
    BOOL CreateFromTemplate(CWnd* parent, bool child);
    void OrderTabStops();

    UINT m_templateId;
    CWnd* m_parentWindow;
    // Every control, and the first control of each id (static texts share
    // one id).
    std::vector<std::unique_ptr<CDialogItem>> m_ownedItems;
    std::map<UINT, CDialogItem*> m_items;
    std::vector<UINT> m_order;
    int m_result = IDCANCEL;
    bool m_ended = false;
    bool m_modeless = false;
};
