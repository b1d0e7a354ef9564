#pragma once

#include "CButton.h"
#include "COleDateTime.h"
#include "CString.h"
#include "CWnd.h"

#include <vector>

class QAbstractSpinBox;
class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabBar;
class QImage;

// Notifications of dialog controls, in WM_COMMAND's high word.
constexpr UINT EN_CHANGE = 0x0300;
constexpr UINT CBN_SELCHANGE = 1;
// WM_NOTIFY codes.
constexpr UINT TCN_SELCHANGE = static_cast<UINT>(-551);
constexpr UINT UDN_DELTAPOS = static_cast<UINT>(-722);
constexpr UINT DTN_DATETIMECHANGE = static_cast<UINT>(-759);

// An owner-drawn list asks its dialog how tall its entries are and to draw
// each of them.
constexpr UINT WM_DRAWITEM = 0x002B;
constexpr UINT WM_MEASUREITEM = 0x002C;
constexpr UINT ODT_COMBOBOX = 3;
// The entry is drawn in the list's face rather than in its drop-down.
constexpr UINT ODS_COMBOBOXEDIT = 0x1000;

struct MEASUREITEMSTRUCT
{
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    UINT itemWidth;
    UINT itemHeight;
    ULONG_PTR itemData;
};
using LPMEASUREITEMSTRUCT = MEASUREITEMSTRUCT*;

// The kinds of control a dialog template lists.
enum class DialogControlKind
{
    Static,
    Edit,
    CheckBox,
    RadioButton,
    PushButton,
    DropDownList,
    // A drop-down list whose entries the dialog draws (WM_MEASUREITEM,
    // WM_DRAWITEM).
    OwnerDrawList,
    Spin,
    DatePicker,
    TimePicker,
    Tab,
    // A place the dialog fills with a control of its own (a colour button):
    // the template gives only its id and rectangle.
    Custom
};

// One control of a dialog, over the native Qt widget of its kind. What the
// user does with it reaches the dialog as WM_COMMAND (BN_CLICKED, EN_CHANGE,
// CBN_SELCHANGE) or WM_NOTIFY (TCN_SELCHANGE, UDN_DELTAPOS,
// DTN_DATETIMECHANGE), as from the desktop's controls.
class CDialogItem : public CWnd
{
public:
    explicit CDialogItem(DialogControlKind kind);
    ~CDialogItem() override;

    DialogControlKind Kind() const { return m_kind; }

    void SetWindowText(const CString& text) override;
    void GetWindowText(CString& text) const override;
    void SetFont(CFont* font, BOOL redraw = TRUE) override;

    // Check boxes and radio buttons.
    int GetCheck() const;
    void SetCheck(int check);
    // Drop-down lists and tabs.
    int AddString(const CString& text);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    // Owner-drawn lists: the entry as the dialog draws it, in a rectangle
    // of the entry height the dialog gave and the given width.
    QImage RenderEntry(int index, int width, UINT state) const;
    int GetItemHeight() const;
    // Spin controls: a 32-bit range and position, shown in the buddy edit.
    void SetBuddy(CDialogItem* buddy) { m_buddy = buddy; }
    void SetRange32(int low, int high);
    int SetPos32(int position);
    int GetPos32() const;
    // Date and time pickers.
    void SetTime(const COleDateTime& time);
    COleDateTime GetTime() const;

protected:
    QWidget* CreateNativeWidget(const CREATESTRUCT& create, QWidget* parent) override;
    void PostNcDestroy() override;

private:
    void Command(UINT code);
    void Notify(UINT code);

    DialogControlKind m_kind;
    QWidget* m_widget = nullptr;
    CDialogItem* m_buddy = nullptr;
    int m_spinLow = 0;
    int m_spinHigh = 100;
    int m_spinPos = 0;
    bool m_quiet = false;
};
