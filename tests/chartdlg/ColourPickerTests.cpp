// The colour button and its pop-up under the mouse and the keyboard: the
// named colours, the layout and keeping on the screen, the entry chosen on
// opening, the arrow keys, confirming and cancelling with the five messages,
// "More Colors..." through the colour dialog, and what the two paint.

#include "ColorButton.h"
#include "ColourPopup.h"

#include "CFileDialog.h"
#include "ModalSeam.h"
#include "PersonInput.h"
#include "SystemMetrics.h"
#include "WindowClass.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Heard
{
    UINT message;
    COLORREF colour;
    LPARAM id;
    friend bool operator==(const Heard&, const Heard&) = default;
};

std::ostream& operator<<(std::ostream& out, const Heard& heard)
{
    return out << "{" << heard.message - WM_USER << ", 0x" << std::hex << heard.colour << std::dec
               << ", " << heard.id << "}";
}

// The dialog the button sits in: keeps the picker's messages.
class DialogWindow : public CWnd
{
public:
    std::vector<Heard> heard;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= CPN_SELCHANGE && message <= CPN_SELENDCANCEL)
            heard.push_back({message, static_cast<COLORREF>(wParam), lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

constexpr UINT kButtonId = 42;
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlueGrey = RGB(123, 123, 192);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kOffTable = RGB(1, 2, 3);

// A 60 x 22 colour button at (10, 10) of a dialog whose top-left corner is
// at a screen point.
struct Picker
{
    DialogWindow dialog;
    CColorButton button;
    // Without settling, nothing lets the event loop run after the test.
    bool settleWhenDone = true;

    explicit Picker(COLORREF colour = kBlue, CPoint dialogAt = CPoint(200, 200))
    {
        EXPECT_TRUE(dialog.Create(AfxRegisterWndClass(0), "", WS_VISIBLE,
                                  CRect(dialogAt, CSize(200, 100)), nullptr, 0));
        EXPECT_TRUE(button.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 70, 32),
                                  &dialog, kButtonId));
        button.SetColour(colour);
        EXPECT_TRUE(PersonInput::ShowAndActivate(dialog));
    }
    ~Picker()
    {
        if (settleWhenDone)
            Settle();
    }

    // Lets closed pop-ups go and posted messages arrive.
    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    // A click on the button, as a person gives it.
    void ClickButton(CPoint at = CPoint(20, 10))
    {
        PersonInput::Click(PersonInput::OnScreen(button, QPoint(at.x, at.y)));
    }
    CColourPopup* Open()
    {
        ClickButton();
        dialog.heard.clear();
        return button.GetPopup();
    }
    QPoint OnPopup(CPoint at) const
    {
        return PersonInput::OnScreen(*button.GetPopup(), QPoint(at.x, at.y));
    }
    // Keys go where the keyboard goes: to the open pop-up.
    void PressOnPopup(int key) { PersonInput::Key(key); }
    void MoveOver(int entry)
    {
        PersonInput::MoveTo(OnPopup(button.GetPopup()->GetEntryRect(entry).CenterPoint()));
    }
    void ClickAt(CPoint point) { PersonInput::Click(OnPopup(point)); }

    Heard Message(UINT message, COLORREF colour) const { return {message, colour, kButtonId}; }
};

COLORREF PixelOf(CWnd& window, CPoint at)
{
    window.Invalidate();
    window.UpdateWindow();
    const QRgb pixel = window.GetBackingImage()->pixel(at.x, at.y);
    return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

} // namespace

// The named colours ----------------------------------------------------------

TEST(ColourTableTest, HoldsTheFortyNamedColoursInOrderAndShowsTheirNames)
{
    EXPECT_STREQ(CColourPopup::ColourAt(0).name, "Black");
    EXPECT_EQ(CColourPopup::ColourAt(9).colour, RGB(255, 104, 32));
    EXPECT_STREQ(CColourPopup::ColourAt(35).name, "Pale green ");
    EXPECT_EQ(CColourPopup::ColourAt(39).colour, RGB(255, 255, 255));
    // Every colour is there once, so that each opens on its own cell.
    for (int i = 0; i < CColourPopup::kColourCount; ++i)
        EXPECT_EQ(CColourPopup::FindColour(CColourPopup::ColourAt(i).colour), i);
    EXPECT_EQ(CColourPopup::FindColour(kOffTable), CColourPopup::kNoEntry);

    Picker picker;
    ASSERT_NE(picker.Open(), nullptr);
    picker.MoveOver(35);
    EXPECT_EQ(PersonInput::ShownToolTip(), QString("Pale green "));
    picker.MoveOver(21);
    EXPECT_EQ(PersonInput::ShownToolTip(), QString("Light blue"));
}

// Opening, layout and the screen ---------------------------------------------------

TEST(ColourPopupLayoutTest, AClickOpensThePopupBelowTheButtonAndASecondCancels)
{
    Picker picker(kBlue);
    picker.dialog.heard.clear();
    const QPoint press = PersonInput::OnScreen(picker.button, QPoint(20, 10));
    PersonInput::Press(press);
    EXPECT_EQ(picker.button.GetPopup(), nullptr) << "a press alone is no click";
    PersonInput::MoveTo(PersonInput::OnScreen(picker.button, QPoint(20, 60)));
    PersonInput::Release(PersonInput::OnScreen(picker.button, QPoint(20, 60)));
    EXPECT_EQ(picker.button.GetPopup(), nullptr) << "nor one released off the button";
    picker.ClickButton();

    CColourPopup* popup = picker.button.GetPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(picker.dialog.heard, std::vector<Heard>{picker.Message(CPN_DROPDOWN, kBlue)});
    CRect buttonRect;
    picker.button.GetWindowRect(&buttonRect);
    CRect popupRect;
    popup->GetWindowRect(&popupRect);
    EXPECT_EQ(popupRect.TopLeft(), CPoint(buttonRect.left, buttonRect.bottom));
    EXPECT_EQ(CWnd::GetCapture(), popup);
    EXPECT_EQ(CWnd::GetFocus(), popup);
    EXPECT_EQ(PixelOf(picker.button, CPoint(0, 0)), GetSysColor(COLOR_3DSHADOW)) << "pushed";

    // The pop-up holds the mouse: a second click is a release outside it.
    picker.dialog.heard.clear();
    picker.ClickButton();
    const std::vector<Heard> expected = {picker.Message(CPN_CLOSEUP, kBlue),
                                         picker.Message(CPN_SELENDCANCEL, kBlue)};
    EXPECT_EQ(picker.dialog.heard, expected);
    EXPECT_FALSE(picker.button.IsPopupActive());
    EXPECT_EQ(PixelOf(picker.button, CPoint(0, 0)), GetSysColor(COLOR_3DLIGHT)) << "raised";

    // Space on the focused button clicks it too.
    Picker::Settle();
    EXPECT_EQ(CWnd::GetFocus(), &picker.button);
    PersonInput::Key(Qt::Key_Space);
    EXPECT_NE(picker.button.GetPopup(), nullptr);
}

TEST(ColourPopupLayoutTest, CellsFormEightColumnsBetweenTheTwoBoxes)
{
    Picker picker;
    CColourPopup* popup = picker.Open();
    const int margin = GetSystemMetrics(SM_CXEDGE);
    ASSERT_EQ(popup->GetMargin(), margin);
    ASSERT_EQ(popup->GetCellSize(), 18);
    ASSERT_EQ(popup->GetRowCount(), 5);
    const CRect automatic = popup->GetEntryRect(CColourPopup::kAutomaticBox);
    const CRect more = popup->GetEntryRect(CColourPopup::kMoreColoursBox);
    CRect client;
    popup->GetClientRect(&client);
    EXPECT_EQ(client.Width(), 2 * margin + 8 * 18);
    EXPECT_EQ(automatic, CRect(margin, margin, client.Width() - margin, automatic.bottom));
    EXPECT_EQ(more.Height(), automatic.Height());
    const int gridTop = automatic.bottom + margin;
    EXPECT_EQ(popup->GetEntryRect(0), CRect(margin, gridTop, margin + 18, gridTop + 18));
    EXPECT_EQ(popup->GetEntryRect(13).TopLeft(), CPoint(margin + 5 * 18, gridTop + 18));
    const CRect last = popup->GetEntryRect(39);
    EXPECT_EQ(CPoint(last.right, last.bottom), CPoint(margin + 8 * 18, gridTop + 5 * 18));
    EXPECT_EQ(more.top, gridTop + 5 * 18 + margin);
    EXPECT_EQ(client.Height(), more.bottom + margin);
    EXPECT_EQ(popup->EntryAt(more.CenterPoint()), CColourPopup::kMoreColoursBox);
    EXPECT_EQ(popup->EntryAt(CPoint(0, 0)), CColourPopup::kNoEntry);
    picker.PressOnPopup(Qt::Key_Escape);

    // Empty texts leave their boxes out.
    picker.button.SetDefaultText("");
    picker.button.SetCustomText("");
    popup = picker.Open();
    popup->GetClientRect(&client);
    EXPECT_EQ(CSize(client.Width(), client.Height()),
              CSize(2 * margin + 8 * 18, 2 * margin + 5 * 18));
    EXPECT_TRUE(popup->GetEntryRect(CColourPopup::kMoreColoursBox).IsRectEmpty());
    EXPECT_EQ(popup->GetEntryRect(0).TopLeft(), CPoint(margin, margin));
}

TEST(ColourPopupLayoutTest, ALongTextWidensThePopupToHoldIt)
{
    Picker picker;
    const CString longText = "Choose any colour at all from the full colour dialog...";
    picker.button.SetCustomText(longText);
    CColourPopup* popup = picker.Open();
    NONCLIENTMETRICS metrics{};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    CFont font;
    font.CreateFontIndirect(&metrics.lfMessageFont);
    CDC screen;
    screen.CreateScreenDC();
    screen.SelectObject(&font);
    const CSize text = screen.GetTextExtent(longText);
    ASSERT_GT(text.cx, 8 * 18);
    const CRect more = popup->GetEntryRect(CColourPopup::kMoreColoursBox);
    EXPECT_GE(more.Width(), text.cx + 2 * popup->GetMargin());
    EXPECT_GT(more.Height(), text.cy);
}

TEST(ColourPopupScreenTest, NearAnEdgeThePopupStaysOnTheScreen)
{
    const CSize screen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    CRect buttonRect;
    CRect popupRect;
    {
        Picker right(kBlue, CPoint(screen.cx - 90, 300));
        right.Open()->GetWindowRect(&popupRect);
        right.button.GetWindowRect(&buttonRect);
        ASSERT_GT(buttonRect.left + popupRect.Width(), screen.cx) << "the case needs a shift";
        EXPECT_EQ(popupRect.right, screen.cx);
        EXPECT_EQ(popupRect.top, buttonRect.bottom);
    }
    {
        Picker left(kBlue, CPoint(-40, 300));
        left.Open()->GetWindowRect(&popupRect);
        EXPECT_EQ(popupRect.left, 0);
    }
    {
        // Above the button when there is no room below it.
        Picker bottom(kBlue, CPoint(300, screen.cy - 60));
        bottom.Open()->GetWindowRect(&popupRect);
        bottom.button.GetWindowRect(&buttonRect);
        EXPECT_EQ(popupRect.bottom, buttonRect.top);
        EXPECT_EQ(popupRect.left, buttonRect.left);
    }
}

TEST(ColourPopupOpeningTest, OpensOnTheEntryOfTheButtonsColour)
{
    Picker picker(CLR_AUTOMATIC);
    EXPECT_EQ(picker.Open()->GetChosenIndex(), CColourPopup::kAutomaticBox);
    picker.PressOnPopup(Qt::Key_Escape);
    picker.button.SetColour(RGB(255, 215, 0));
    EXPECT_EQ(picker.Open()->GetChosenIndex(), 25);
    EXPECT_EQ(picker.button.GetPopup()->GetHoveredIndex(), 25);
    picker.PressOnPopup(Qt::Key_Escape);
    picker.button.SetColour(kOffTable);
    EXPECT_EQ(picker.Open()->GetChosenIndex(), CColourPopup::kMoreColoursBox);
    picker.PressOnPopup(Qt::Key_Escape);
    picker.button.SetCustomText("");
    EXPECT_EQ(picker.Open()->GetChosenIndex(), CColourPopup::kNoEntry);
    picker.PressOnPopup(Qt::Key_Escape);
    // Automatic without its box is a colour like any other.
    picker.button.SetColour(CLR_AUTOMATIC);
    picker.button.SetDefaultText("");
    picker.button.SetCustomText("More Colors...");
    EXPECT_EQ(picker.Open()->GetChosenIndex(), CColourPopup::kMoreColoursBox);
}

// The arrow keys ------------------------------------------------------------------

TEST(ColourPopupKeyboardTest, ArrowsMoveAlongRowsAndTellTheColour)
{
    Picker picker(kBlue);
    CColourPopup* popup = picker.Open();
    ASSERT_EQ(popup->GetHoveredIndex(), 13);
    picker.PressOnPopup(Qt::Key_Right);
    EXPECT_EQ(popup->GetHoveredIndex(), 14);
    picker.PressOnPopup(Qt::Key_Right);
    picker.PressOnPopup(Qt::Key_Right);
    EXPECT_EQ(popup->GetHoveredIndex(), 16) << "past the row's end onto the next row";
    picker.PressOnPopup(Qt::Key_Left);
    picker.PressOnPopup(Qt::Key_Down);
    EXPECT_EQ(popup->GetHoveredIndex(), 23);
    picker.PressOnPopup(Qt::Key_Up);
    picker.PressOnPopup(Qt::Key_Up);
    EXPECT_EQ(popup->GetHoveredIndex(), 7);
    EXPECT_EQ(picker.dialog.heard.size(), 7u);
    EXPECT_EQ(picker.dialog.heard.front(), picker.Message(CPN_SELCHANGE, kBlueGrey));
    EXPECT_EQ(picker.dialog.heard.back(),
              picker.Message(CPN_SELCHANGE, CColourPopup::ColourAt(7).colour));
    EXPECT_EQ(picker.button.GetColour(), kBlue) << "no tracking: the swatch waits";
}

TEST(ColourPopupKeyboardTest, OffTheGridGoesThroughTheBoxes)
{
    Picker picker(RGB(0, 85, 0)); // cell 3, top row
    CColourPopup* popup = picker.Open();
    const auto press = [&](int key) {
        picker.PressOnPopup(key);
        return popup->GetHoveredIndex();
    };
    EXPECT_EQ(press(Qt::Key_Up), CColourPopup::kAutomaticBox);
    EXPECT_EQ(picker.dialog.heard.back(), picker.Message(CPN_SELCHANGE, CLR_AUTOMATIC));
    EXPECT_EQ(press(Qt::Key_Up), CColourPopup::kMoreColoursBox);
    // "More Colors..." offers the colour the pop-up opened with.
    EXPECT_EQ(picker.dialog.heard.back(), picker.Message(CPN_SELCHANGE, RGB(0, 85, 0)));
    EXPECT_EQ(press(Qt::Key_Left), 39);
    EXPECT_EQ(press(Qt::Key_Down), CColourPopup::kMoreColoursBox);
    EXPECT_EQ(press(Qt::Key_Right), CColourPopup::kAutomaticBox);
    EXPECT_EQ(press(Qt::Key_Right), 0);
    EXPECT_EQ(press(Qt::Key_Left), CColourPopup::kAutomaticBox);
    EXPECT_EQ(press(Qt::Key_Down), 0);
}

TEST(ColourPopupKeyboardTest, MissingBoxesAreSkipped)
{
    Picker picker(RGB(0, 85, 0));
    picker.button.SetDefaultText("");
    picker.button.SetCustomText("");
    CColourPopup* popup = picker.Open();
    picker.PressOnPopup(Qt::Key_Up);
    EXPECT_EQ(popup->GetHoveredIndex(), 39) << "round the grid";
    picker.PressOnPopup(Qt::Key_Down);
    EXPECT_EQ(popup->GetHoveredIndex(), 0);
    picker.PressOnPopup(Qt::Key_Escape);

    picker.button.SetCustomText("More Colors...");
    popup = picker.Open();
    picker.PressOnPopup(Qt::Key_Up);
    EXPECT_EQ(popup->GetHoveredIndex(), CColourPopup::kMoreColoursBox);
    picker.PressOnPopup(Qt::Key_Down);
    EXPECT_EQ(popup->GetHoveredIndex(), 0) << "no Automatic to go to";
}

// Confirming and cancelling ---------------------------------------------------------

TEST(ColourPickerEndTest, EnterConfirmsAndAChangedColourIsToldOnceMore)
{
    Picker picker(kBlue);
    picker.Open();
    picker.PressOnPopup(Qt::Key_Right);
    picker.PressOnPopup(Qt::Key_Return);
    const std::vector<Heard> expected = {
        picker.Message(CPN_SELCHANGE, kBlueGrey),
        picker.Message(CPN_CLOSEUP, kBlueGrey),
        picker.Message(CPN_SELENDOK, kBlueGrey),
        picker.Message(CPN_SELCHANGE, kBlueGrey),
    };
    EXPECT_EQ(picker.dialog.heard, expected);
    EXPECT_EQ(picker.button.GetColour(), kBlueGrey);
    EXPECT_EQ(picker.button.GetPopup(), nullptr);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    // Space confirms too; the same colour needs no final change.
    picker.Open();
    picker.PressOnPopup(Qt::Key_Space);
    const std::vector<Heard> same = {picker.Message(CPN_CLOSEUP, kBlueGrey),
                                     picker.Message(CPN_SELENDOK, kBlueGrey)};
    EXPECT_EQ(picker.dialog.heard, same);
}

TEST(ColourPickerEndTest, EscapeRestoresTheInitialColourAndCancels)
{
    Picker picker(kBlue);
    picker.button.SetTrackSelection(true);
    picker.Open();
    picker.PressOnPopup(Qt::Key_Right);
    picker.PressOnPopup(Qt::Key_Down);
    EXPECT_EQ(picker.button.GetColour(), CColourPopup::ColourAt(22).colour) << "tracking";
    picker.dialog.heard.clear();
    picker.PressOnPopup(Qt::Key_Escape);
    const std::vector<Heard> expected = {picker.Message(CPN_CLOSEUP, kBlue),
                                         picker.Message(CPN_SELENDCANCEL, kBlue)};
    EXPECT_EQ(picker.dialog.heard, expected);
    EXPECT_EQ(picker.button.GetColour(), kBlue);
    EXPECT_FALSE(picker.button.IsPopupActive());
}

TEST(ColourPickerEndTest, ReleasingTheMouseInsideConfirmsAndOutsideCancels)
{
    Picker picker(kBlue);
    CColourPopup* popup = picker.Open();
    picker.MoveOver(16);
    // The margin round the cells is no entry: the selection stays.
    PersonInput::MoveTo(picker.OnPopup(CPoint(0, 0)));
    EXPECT_EQ(popup->GetHoveredIndex(), 16);
    picker.ClickAt(popup->GetEntryRect(16).CenterPoint());
    EXPECT_EQ(picker.dialog.heard.at(2), picker.Message(CPN_SELENDOK, kRed));
    EXPECT_EQ(picker.button.GetColour(), kRed);

    popup = picker.Open();
    picker.MoveOver(CColourPopup::kAutomaticBox);
    CRect client;
    popup->GetClientRect(&client);
    picker.ClickAt(CPoint(client.right + 30, client.bottom / 2));
    EXPECT_EQ(picker.dialog.heard.back(), picker.Message(CPN_SELENDCANCEL, kRed));
    EXPECT_EQ(picker.button.GetColour(), kRed);

    popup = picker.Open();
    picker.MoveOver(CColourPopup::kAutomaticBox);
    picker.ClickAt(popup->GetEntryRect(CColourPopup::kAutomaticBox).CenterPoint());
    EXPECT_EQ(picker.button.GetColour(), CLR_AUTOMATIC);
}

TEST(ColourPickerEndTest, DeactivatingTheApplicationCancels)
{
    Picker picker(kBlue);
    picker.Open();
    picker.PressOnPopup(Qt::Key_Left);
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    Picker::Settle();
    EXPECT_EQ(picker.dialog.heard.back(), picker.Message(CPN_SELENDCANCEL, kBlue));
    EXPECT_EQ(picker.button.GetPopup(), nullptr);
}

// "More Colors..." --------------------------------------------------------------------

struct ColourDialogAnswer
{
    int asked = 0;
    COLORREF offered = 0;
    DWORD flags = 0;
    INT_PTR answer = IDCANCEL;
    COLORREF chosen = 0;

    INT_PTR operator()(const ModalRequest& request)
    {
        EXPECT_EQ(request.text, CString("CColorDialog"));
        auto* dialog = static_cast<CColorDialog*>(request.dialogObject);
        ++asked;
        offered = dialog->m_colour;
        flags = dialog->m_flags;
        if (answer == IDOK)
            dialog->m_colour = chosen;
        return answer;
    }
};

TEST(ColourPickerMoreColoursTest, CancellingTheColourDialogIsACancel)
{
    Picker picker(kBlue);
    ColourDialogAnswer dialog;
    ScopedModalResponder responder([&dialog](const ModalRequest& r) { return dialog(r); });
    CColourPopup* popup = picker.Open();
    picker.MoveOver(CColourPopup::kMoreColoursBox);
    picker.ClickAt(popup->GetEntryRect(CColourPopup::kMoreColoursBox).CenterPoint());
    EXPECT_EQ(dialog.asked, 1);
    EXPECT_EQ(dialog.offered, kBlue);
    EXPECT_EQ(dialog.flags & (CC_FULLOPEN | CC_ANYCOLOR), CC_FULLOPEN | CC_ANYCOLOR);
    const std::vector<Heard> expected = {
        picker.Message(CPN_SELCHANGE, kBlue),
        picker.Message(CPN_CLOSEUP, kBlue),
        picker.Message(CPN_SELENDCANCEL, kBlue),
    };
    EXPECT_EQ(picker.dialog.heard, expected);
    EXPECT_EQ(picker.button.GetPopup(), nullptr);
}

TEST(ColourPickerMoreColoursTest, TheColourDialogsChoiceIsConfirmed)
{
    Picker picker(kBlue);
    ColourDialogAnswer dialog;
    dialog.answer = IDOK;
    dialog.chosen = kOffTable;
    ScopedModalResponder responder([&dialog](const ModalRequest& r) { return dialog(r); });
    picker.Open();
    for (int i = 0; i < 3; ++i) // row 0, "Automatic", "More Colors..."
        picker.PressOnPopup(Qt::Key_Up);
    picker.PressOnPopup(Qt::Key_Return);
    EXPECT_EQ(dialog.asked, 1);
    EXPECT_EQ(picker.dialog.heard.back(), picker.Message(CPN_SELCHANGE, kOffTable));
    EXPECT_EQ(picker.button.GetColour(), kOffTable);
}

// The mouse stays with the pop-up -------------------------------------------------

TEST(ColourPopupCaptureTest, ThePopupTakesTheMouseBack)
{
    Picker picker(kBlue);
    CColourPopup* popup = picker.Open();
    picker.dialog.SetCapture();
    picker.PressOnPopup(Qt::Key_Right);
    EXPECT_EQ(CWnd::GetCapture(), popup);
    picker.PressOnPopup(Qt::Key_Escape);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST(ColourPopupCaptureTest, DestroyingTheButtonClosesItsPopupQuietly)
{
    Picker picker(kBlue);
    picker.Open();
    picker.button.DestroyWindow();
    EXPECT_TRUE(picker.dialog.heard.empty());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

// The program ending with a pop-up open -----------------------------------------

// The dialog goes while its pop-up is open, and nothing lets the event loop
// run again, as when the program ends there. The closed pop-up is deleted
// all the same, with the application at the latest. Run on its own as the
// last thing before the program ends (ColourPopupAtProgramEnd in
// CMakeLists.txt), so that the leak checker of the sanitizer build sees
// whether it went.
TEST(ColourPopupAtProgramEndTest, APopupOpenWhenItsDialogGoesIsDeletedWithTheProgram)
{
    Picker picker(kBlue);
    picker.settleWhenDone = false;
    ASSERT_NE(picker.Open(), nullptr);
    picker.dialog.DestroyWindow();
    EXPECT_EQ(picker.button.GetPopup(), nullptr);
    EXPECT_FALSE(picker.button.IsPopupActive());
    EXPECT_TRUE(picker.dialog.heard.empty());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

// Painting ---------------------------------------------------------------------------

TEST(ColorButtonPaintTest, TheSwatchShowsTheColourOrTheAutomaticOne)
{
    Picker picker(CLR_AUTOMATIC);
    const CPoint swatch(20, 11);
    EXPECT_EQ(PixelOf(picker.button, swatch), GetSysColor(COLOR_APPWORKSPACE));
    picker.button.SetColour(kRed);
    EXPECT_EQ(PixelOf(picker.button, swatch), kRed);
    picker.button.SetAutomaticColour(RGB(0, 128, 0));
    picker.button.SetColour(CLR_AUTOMATIC);
    EXPECT_EQ(PixelOf(picker.button, swatch), RGB(0, 128, 0));
    // The arrow's widest row, 4 pixels in from the right of the frame.
    CRect client;
    picker.button.GetClientRect(&client);
    const CPoint arrow(client.right - 12, client.Height() / 2 - 2);
    EXPECT_EQ(PixelOf(picker.button, arrow), RGB(0, 0, 0));
    // Disabled: a grey arrow and no swatch.
    picker.button.EnableWindow(FALSE);
    EXPECT_EQ(PixelOf(picker.button, arrow), GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(PixelOf(picker.button, swatch), GetSysColor(COLOR_BTNFACE));
}

TEST(ColourPopupPaintTest, CellsShowTheirColoursAndTheChosenOneStandsOut)
{
    Picker picker(kBlue);
    CColourPopup* popup = picker.Open();
    const CRect cell = popup->GetEntryRect(16);
    EXPECT_EQ(PixelOf(*popup, cell.CenterPoint()), kRed);
    // The swatch is framed by the button shadow, inset by margin + 1.
    const int inset = popup->GetMargin() + 1;
    EXPECT_EQ(PixelOf(*popup, CPoint(cell.left + inset, cell.top + 9)),
              GetSysColor(COLOR_BTNSHADOW));
    // Away from the chosen cell, it lies on the highlight colour in a sunken
    // edge; the hovered cell gets a raised one.
    picker.MoveOver(16);
    const CRect chosen = popup->GetEntryRect(13);
    EXPECT_EQ(PixelOf(*popup, CPoint(chosen.left + 1, chosen.top + 1)),
              GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(PixelOf(*popup, chosen.TopLeft()), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(PixelOf(*popup, cell.TopLeft()), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(PixelOf(*popup, CPoint(cell.right - 1, cell.bottom - 1)),
              GetSysColor(COLOR_3DSHADOW));
    const CRect plain = popup->GetEntryRect(30);
    EXPECT_EQ(PixelOf(*popup, CPoint(plain.left + 1, plain.top + 1)), GetSysColor(COLOR_BTNFACE));
    // The boxes: a hollow frame inside "Automatic", an etched line over
    // "More Colors...", and a raised edge round the window.
    const int margin = popup->GetMargin();
    const CRect automatic = popup->GetEntryRect(CColourPopup::kAutomaticBox);
    EXPECT_EQ(PixelOf(*popup, CPoint(automatic.left + 2 * margin, automatic.top + 2 * margin + 3)),
              GetSysColor(COLOR_BTNSHADOW));
    const CRect more = popup->GetEntryRect(CColourPopup::kMoreColoursBox);
    EXPECT_EQ(PixelOf(*popup, CPoint(more.left + 5, more.top - margin)),
              GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(PixelOf(*popup, CPoint(more.left + 5, more.top - margin + 1)),
              GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(PixelOf(*popup, CPoint(0, 0)), GetSysColor(COLOR_3DLIGHT));
}
