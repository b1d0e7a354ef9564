// Dialogs from templates: controls by id and kind, data exchange both ways
// with validation and its messages, radio groups, spin buddies, pickers,
// tabs, notifications, and modal runs answered through the seam.

#include "CDialog.h"
#include "ModalSeam.h"
#include "PersonInput.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

constexpr UINT kTemplate = 9001;
enum : UINT
{
    kCount = 101,
    kSpin = 102,
    kVisible = 103,
    kFirstRadio = 104,
    kSecondRadio = 105,
    kThirdRadio = 106,
    kKind = 107,
    kName = 108,
    kDate = 109,
    kTab = 110,
    kRatio = 111
};

void RegisterTestTemplate()
{
    DialogTemplate dialog;
    dialog.id = kTemplate;
    dialog.caption = "Axis";
    dialog.size = CSize(300, 260);
    dialog.controls = {
        {DialogControlKind::Edit, kCount, CRect(10, 10, 80, 30), ""},
        {DialogControlKind::Spin, kSpin, CRect(80, 10, 96, 30), "", kCount},
        {DialogControlKind::CheckBox, kVisible, CRect(10, 40, 150, 60), "Visible"},
        {DialogControlKind::RadioButton, kFirstRadio, CRect(10, 70, 90, 90), "Left"},
        {DialogControlKind::RadioButton, kSecondRadio, CRect(100, 70, 190, 90), "Right"},
        {DialogControlKind::RadioButton, kThirdRadio, CRect(200, 70, 290, 90), "Auto"},
        {DialogControlKind::DropDownList, kKind, CRect(10, 100, 150, 124), ""},
        {DialogControlKind::Edit, kName, CRect(10, 130, 150, 150), ""},
        {DialogControlKind::DatePicker, kDate, CRect(10, 160, 150, 180), ""},
        {DialogControlKind::Tab, kTab, CRect(160, 100, 290, 124), ""},
        {DialogControlKind::Edit, kRatio, CRect(160, 130, 290, 150), ""},
        {DialogControlKind::PushButton, IDOK, CRect(120, 220, 200, 245), "OK"},
        {DialogControlKind::PushButton, IDCANCEL, CRect(210, 220, 290, 245), "Cancel"},
    };
    RegisterDialogTemplate(dialog);
}

// A dialog with one member per control and a record of what it heard.
class TestDialog : public CDialog
{
public:
    using CDialog::IsEnded;
    int count = 5;
    int visible = 1;
    int side = 2;
    int kind = 1;
    CString name = "dB(A)";
    double ratio = 0.5;
    std::vector<UINT> clicks;
    std::vector<UINT> changes;
    std::vector<UINT> notes;

    TestDialog() : CDialog(kTemplate)
    {
        RegisterTestTemplate();
        m_dialogName = "CTestDlg";
    }

    BOOL OnInitDialog() override
    {
        GetDlgItem(kKind)->AddString("simple");
        GetDlgItem(kKind)->AddString("linear");
        GetDlgItem(kTab)->AddString("Chart");
        GetDlgItem(kTab)->AddString("Axis");
        GetDlgItem(kSpin)->SetRange32(0, 10);
        return CDialog::OnInitDialog();
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, kCount, count);
        DDV_MinMaxInt(pDX, count, 0, 10);
        DDX_Check(pDX, kVisible, visible);
        DDX_Radio(pDX, kFirstRadio, side);
        DDX_CBIndex(pDX, kKind, kind);
        DDX_Text(pDX, kName, name);
        DDX_Text(pDX, kRatio, ratio);
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (HIWORD(wParam) == BN_CLICKED)
            clicks.push_back(LOWORD(wParam));
        else if (HIWORD(wParam) == EN_CHANGE || HIWORD(wParam) == CBN_SELCHANGE)
            changes.push_back(LOWORD(wParam));
        return CDialog::OnCommand(wParam, lParam);
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        notes.push_back(reinterpret_cast<const NMHDR*>(lParam)->code);
        return CDialog::OnNotify(wParam, lParam, result);
    }
};

} // namespace

TEST(DialogTest, OpeningLoadsTheMembersIntoTheControls)
{
    TestDialog dialog;
    bool checked = false;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        EXPECT_EQ(request.text, CString("CTestDlg"));
        EXPECT_EQ(request.templateId, 9001);
        auto* shown = static_cast<TestDialog*>(request.dialogObject);
        EXPECT_EQ(shown->GetDlgItemText(kCount), CString("5"));
        EXPECT_EQ(shown->IsDlgButtonChecked(kVisible), 1u);
        EXPECT_EQ(shown->IsDlgButtonChecked(kThirdRadio), 1u);
        EXPECT_EQ(shown->IsDlgButtonChecked(kFirstRadio), 0u);
        EXPECT_EQ(shown->GetDlgItem(kKind)->GetCurSel(), 1);
        EXPECT_EQ(shown->GetDlgItemText(kName), CString("dB(A)"));
        EXPECT_EQ(shown->GetDlgItemText(kRatio), CString("0.5"));
        checked = true;
        return IDCANCEL;
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(checked);
    // Cancel keeps the members.
    EXPECT_EQ(dialog.count, 5);
}

TEST(DialogTest, OkTakesTheValuesTheUserLeft)
{
    TestDialog dialog;
    ScopedModalResponder responder([](const ModalRequest& request) -> INT_PTR {
        auto* shown = static_cast<TestDialog*>(request.dialogObject);
        shown->SetDlgItemText(kCount, "7");
        // The user clicks the check box and the first radio.
        static_cast<QCheckBox*>(shown->GetDlgItem(kVisible)->GetClientWidget())->click();
        static_cast<QAbstractButton*>(shown->GetDlgItem(kFirstRadio)->GetClientWidget())->click();
        shown->GetDlgItem(kKind)->SetCurSel(0);
        shown->SetDlgItemText(kName, "Pa");
        shown->SetDlgItemText(kRatio, "0.25");
        return IDOK;
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.count, 7);
    EXPECT_EQ(dialog.visible, 0);
    EXPECT_EQ(dialog.side, 0);
    EXPECT_EQ(dialog.kind, 0);
    EXPECT_EQ(dialog.name, CString("Pa"));
    EXPECT_DOUBLE_EQ(dialog.ratio, 0.25);
    EXPECT_EQ(dialog.clicks, (std::vector<UINT>{kVisible, kFirstRadio}));
}

TEST(DialogTest, AValueOutOfRangeIsRefusedWithTheStandardMessage)
{
    TestDialog dialog;
    std::vector<CString> messages;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        if (request.kind == ModalRequest::messageBox) {
            messages.push_back(request.text);
            return IDOK;
        }
        static_cast<TestDialog*>(request.dialogObject)->SetDlgItemText(kCount, "11");
        return IDOK;
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], CString("Please enter an integer between 0 and 10."));
    // The field was read before it was checked; the exchange stopped there.
    EXPECT_EQ(dialog.count, 11);
    EXPECT_EQ(dialog.visible, 1);
}

TEST(DialogTest, TextThatIsNoNumberIsRefused)
{
    TestDialog dialog;
    std::vector<CString> messages;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        if (request.kind == ModalRequest::messageBox) {
            messages.push_back(request.text);
            return IDOK;
        }
        static_cast<TestDialog*>(request.dialogObject)->SetDlgItemText(kRatio, "half");
        return IDOK;
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], CString("Please enter a number."));
    // The exchange stopped at the bad field; those before it were taken.
    EXPECT_EQ(dialog.count, 5);
}

TEST(DialogTest, RadiosOfAGroupCheckOneAtATime)
{
    TestDialog dialog;
    ASSERT_TRUE(dialog.CreateDialogWindow(nullptr));
    EXPECT_EQ(dialog.RadioGroup(kFirstRadio),
              (std::vector<UINT>{kFirstRadio, kSecondRadio, kThirdRadio}));
    static_cast<QAbstractButton*>(dialog.GetDlgItem(kSecondRadio)->GetClientWidget())->click();
    EXPECT_EQ(dialog.IsDlgButtonChecked(kSecondRadio), 1u);
    EXPECT_EQ(dialog.IsDlgButtonChecked(kThirdRadio), 0u);
    static_cast<QAbstractButton*>(dialog.GetDlgItem(kFirstRadio)->GetClientWidget())->click();
    EXPECT_EQ(dialog.IsDlgButtonChecked(kSecondRadio), 0u);
    EXPECT_EQ(dialog.IsDlgButtonChecked(kFirstRadio), 1u);
}

TEST(DialogTest, TheSpinStepsItsBuddyWithinItsRange)
{
    TestDialog dialog;
    ASSERT_TRUE(dialog.CreateDialogWindow(nullptr));
    CDialogItem* spin = dialog.GetDlgItem(kSpin);
    spin->SetPos32(9);
    EXPECT_EQ(dialog.GetDlgItemText(kCount), CString("9"));
    auto buttons = spin->GetClientWidget()->findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 2);
    buttons[0]->click();
    buttons[0]->click();
    EXPECT_EQ(spin->GetPos32(), 10);
    EXPECT_EQ(dialog.GetDlgItemText(kCount), CString("10"));
    buttons[1]->click();
    EXPECT_EQ(dialog.GetDlgItemText(kCount), CString("9"));
    EXPECT_FALSE(dialog.notes.empty());
    EXPECT_EQ(dialog.notes.back(), UDN_DELTAPOS);
    // Typing in the buddy moves the spin, and changes are told.
    dialog.SetDlgItemText(kCount, "3");
    EXPECT_EQ(spin->GetPos32(), 3);
    EXPECT_EQ(dialog.changes.back(), static_cast<UINT>(kCount));
    // The arrows step from what was typed.
    buttons[0]->click();
    EXPECT_EQ(dialog.GetDlgItemText(kCount), CString("4"));
    dialog.SetDlgItemText(kCount, "5");
    buttons[1]->click();
    EXPECT_EQ(dialog.GetDlgItemText(kCount), CString("4"));
    // A range wider than a spin box's own is kept whole.
    spin->SetRange32(1, 100000000);
    spin->SetPos32(100000000);
    EXPECT_EQ(spin->GetPos32(), 100000000);
    EXPECT_EQ(dialog.GetDlgItemText(kCount), CString("100000000"));
}

TEST(DialogTest, PickersAndTabsReportTheirChanges)
{
    TestDialog dialog;
    ASSERT_TRUE(dialog.CreateDialogWindow(nullptr));
    CDialogItem* date = dialog.GetDlgItem(kDate);
    date->SetTime(COleDateTime(2026, 12, 9, 0, 0, 0));
    EXPECT_EQ(date->GetTime().GetDay(), 9);
    EXPECT_EQ(date->GetTime().GetYear(), 2026);
    // Setting from the program is quiet; the tab bar reports a user's pick.
    EXPECT_TRUE(dialog.notes.empty());
    auto* tabs = static_cast<QTabBar*>(dialog.GetDlgItem(kTab)->GetClientWidget());
    EXPECT_EQ(dialog.GetDlgItem(kTab)->GetCount(), 2);
    EXPECT_EQ(tabs->tabText(1), QString("Axis"));
    tabs->setCurrentIndex(1);
    ASSERT_FALSE(dialog.notes.empty());
    EXPECT_EQ(dialog.notes.back(), TCN_SELCHANGE);
    EXPECT_EQ(dialog.GetDlgItem(kTab)->GetCurSel(), 1);
}

TEST(DialogTest, TheOkButtonEndsTheDialogLikeTheAnswer)
{
    TestDialog dialog;
    ScopedModalResponder responder([](const ModalRequest& request) -> INT_PTR {
        auto* shown = static_cast<TestDialog*>(request.dialogObject);
        shown->SetDlgItemText(kCount, "2");
        static_cast<QAbstractButton*>(shown->GetDlgItem(IDOK)->GetClientWidget())->click();
        EXPECT_TRUE(shown->IsEnded());
        return IDCANCEL;
    });
    // The button pressed decides, not what the answer says afterwards.
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.count, 2);
}

TEST(DialogTest, ATemplateThatIsNotThereMakesNoDialog)
{
    CDialog dialog(4242);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(FindDialogTemplate(4242), nullptr);
}

// Runs the dialog for real and, once it shows, clicks into its count field,
// types 7 there and presses a key, as a person does.
INT_PTR RunTypingKeys(TestDialog& dialog, Qt::Key key)
{
    QTimer::singleShot(0, [&dialog, key] {
        QWidget* host = dialog.GetHostWidget();
        if (QTest::qWaitForWindowActive(host, 2000)) {
            QWidget* edit = dialog.GetDlgItem(kCount)->GetClientWidget();
            PersonInput::Click(edit->mapToGlobal(QPoint(5, edit->height() / 2)));
            PersonInput::Key(Qt::Key_A, Qt::ControlModifier);
            PersonInput::Type("7");
            PersonInput::Key(key);
        }
        // A dialog the keys did not end ends here, so the test cannot hang.
        if (!dialog.IsEnded())
            dialog.EndDialog(-2);
    });
    return dialog.DoModal();
}

TEST(DialogTest, EnterIsOkAndEscapeIsCancel)
{
    TestDialog ok;
    EXPECT_EQ(RunTypingKeys(ok, Qt::Key_Return), IDOK);
    EXPECT_EQ(ok.count, 7);
    TestDialog cancelled;
    EXPECT_EQ(RunTypingKeys(cancelled, Qt::Key_Escape), IDCANCEL);
    EXPECT_EQ(cancelled.count, 5);
}
