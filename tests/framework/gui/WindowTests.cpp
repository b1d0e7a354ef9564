// Windows and messages as the components see them: creation, the order of
// sent and posted messages, notifications, input turned into messages,
// capture, focus, timers and scroll bars.

#include "CScrollBar.h"
#include "CWnd.h"
#include "Cursor.h"
#include "ModalSeam.h"
#include "PersonInput.h"
#include "WindowClass.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Logged
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Logs every message it gets, then handles it as any window would.
class RecordingWindow : public CWnd
{
public:
    std::vector<Logged> log;
    std::vector<UINT> keysToEat;
    int timerCount = 0;
    bool killTimerOnFirst = false;
    LRESULT notifyAnswer = 0;
    bool handleNotify = false;
    bool handleWheel = true;
    std::vector<UINT> childNotifications;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        log.push_back(Logged{message, wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<UINT> Messages(std::initializer_list<UINT> wanted) const
    {
        std::vector<UINT> seen;
        for (const Logged& entry : log) {
            for (UINT message : wanted) {
                if (entry.message == message)
                    seen.push_back(message);
            }
        }
        return seen;
    }
    const Logged* Last(UINT message) const
    {
        for (auto entry = log.rbegin(); entry != log.rend(); ++entry) {
            if (entry->message == message)
                return &*entry;
        }
        return nullptr;
    }

protected:
    BOOL PreTranslateMessage(MSG* message) override
    {
        if (message->message == WM_KEYDOWN) {
            for (UINT key : keysToEat) {
                if (message->wParam == key)
                    return TRUE;
            }
        }
        return FALSE;
    }
    void OnTimer(UINT_PTR id) override
    {
        ++timerCount;
        if (killTimerOnFirst)
            KillTimer(id);
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (handleNotify) {
            *result = notifyAnswer;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, result);
    }
    BOOL OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) override
    {
        if (message != WM_NOTIFY)
            return FALSE;
        childNotifications.push_back(reinterpret_cast<const NMHDR*>(lParam)->code);
        *result = 7;
        return TRUE;
    }
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override
    {
        if (!handleWheel)
            return CWnd::OnMouseWheel(flags, delta, point);
        return TRUE;
    }
};

const CString& TestClassName(UINT style = CS_DBLCLKS)
{
    static const CString withDoubleClicks = [] {
        WNDCLASS windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.hCursor = LoadCursor(nullptr, IDC_CROSS);
        windowClass.lpszClassName = "NolvexTestWindow";
        RegisterClass(&windowClass);
        return windowClass.lpszClassName;
    }();
    static const CString plain = [] {
        WNDCLASS windowClass;
        windowClass.lpszClassName = "NolvexPlainTestWindow";
        RegisterClass(&windowClass);
        return windowClass.lpszClassName;
    }();
    return style == CS_DBLCLKS ? withDoubleClicks : plain;
}

// A shown top-level window with a child, as a program's frame and pane.
struct Desktop
{
    RecordingWindow frame;
    RecordingWindow pane;
    Desktop(DWORD paneStyle = WS_CHILD | WS_VISIBLE, DWORD paneExStyle = 0,
            UINT paneClassStyle = CS_DBLCLKS)
    {
        EXPECT_TRUE(frame.Create(TestClassName(), "Frame", WS_VISIBLE, CRect(100, 100, 500, 400),
                                 nullptr, 0));
        EXPECT_TRUE(pane.CreateEx(paneExStyle, TestClassName(paneClassStyle), "", paneStyle,
                                  CRect(10, 20, 210, 170), &frame, 42));
        EXPECT_TRUE(PersonInput::ShowAndActivate(frame));
        frame.log.clear();
        pane.log.clear();
    }
};

// The mouse at a point of a window's client area, as a person moves and
// clicks it: it goes where Qt routes input at that point of the screen.
void SendMouse(CWnd& window, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    PersonInput::Mouse(type, PersonInput::OnScreen(window, at), button, modifiers);
}

void ProcessPosted()
{
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}

} // namespace

TEST(WindowCreationTest, NeedsARegisteredClassAndSendsCreationMessagesInOrder)
{
    RecordingWindow unknown;
    EXPECT_FALSE(unknown.Create("NoSuchClass", "", WS_VISIBLE, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_EQ(unknown.GetSafeHwnd(), nullptr);

    RecordingWindow window;
    ASSERT_TRUE(window.Create(TestClassName(), "Hello", 0, CRect(5, 6, 105, 56), nullptr, 9));
    EXPECT_EQ(window.GetSafeHwnd(), &window);
    EXPECT_EQ(window.Messages({WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}),
              (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}));
    EXPECT_EQ(window.Last(WM_SIZE)->lParam, MAKELPARAM(100, 50));
    EXPECT_EQ(window.GetDlgCtrlID(), 9);
    CRect client;
    window.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 100, 50));
    EXPECT_FALSE(window.IsWindowVisible());
}

TEST(WindowCreationTest, RefusingCreateLeavesNoWindow)
{
    class Refusing : public CWnd
    {
    protected:
        int OnCreate(LPCREATESTRUCT) override { return -1; }
    } refusing;
    EXPECT_FALSE(refusing.Create(TestClassName(), "", 0, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_EQ(refusing.GetSafeHwnd(), nullptr);
}

TEST(WindowCreationTest, AClientEdgeTakesTwoPixelsOnEachSide)
{
    Desktop desktop(WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE);
    CRect client;
    desktop.pane.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 196, 146));
    EXPECT_EQ(desktop.pane.GetClientOrigin(), CPoint(2, 2));

    // Losing the edge with a frame change gives the space back.
    desktop.pane.ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    desktop.pane.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 200, 150));
    ASSERT_NE(desktop.pane.Last(WM_SIZE), nullptr);
    EXPECT_EQ(desktop.pane.Last(WM_SIZE)->lParam, MAKELPARAM(200, 150));
}

TEST(WindowCreationTest, DestroyingAParentTellsItBeforeItsChildren)
{
    std::vector<const CWnd*> order;
    class Noting : public CWnd
    {
    public:
        explicit Noting(std::vector<const CWnd*>* into) : m_into(into) {}

    protected:
        void OnDestroy() override { m_into->push_back(this); }

    private:
        std::vector<const CWnd*>* m_into;
    };
    Noting parent(&order);
    Noting child(&order);
    ASSERT_TRUE(parent.Create(TestClassName(), "", 0, CRect(0, 0, 50, 50), nullptr, 0));
    ASSERT_TRUE(child.Create(TestClassName(), "", WS_CHILD, CRect(0, 0, 5, 5), &parent, 1));
    parent.DestroyWindow();
    EXPECT_EQ(order, (std::vector<const CWnd*>{&parent, &child}));
    EXPECT_EQ(child.GetSafeHwnd(), nullptr);
    EXPECT_EQ(child.SendMessage(WM_USER), 0);
}

TEST(WindowCreationTest, VisibilityFollowsTheParentsAndEnablingIsAnnounced)
{
    Desktop desktop;
    EXPECT_TRUE(desktop.pane.IsWindowVisible());
    desktop.frame.ShowWindow(SW_HIDE);
    EXPECT_FALSE(desktop.pane.IsWindowVisible());
    desktop.frame.ShowWindow(SW_SHOW);

    EXPECT_FALSE(desktop.pane.EnableWindow(FALSE));
    EXPECT_FALSE(desktop.pane.IsWindowEnabled());
    ASSERT_NE(desktop.pane.Last(WM_ENABLE), nullptr);
    EXPECT_EQ(desktop.pane.Last(WM_ENABLE)->wParam, static_cast<WPARAM>(FALSE));
    EXPECT_TRUE(desktop.pane.EnableWindow(TRUE));
    EXPECT_TRUE(desktop.pane.IsWindowEnabled());
}

TEST(WindowCreationTest, AChildMadeHiddenStaysHiddenWhenItsParentShows)
{
    RecordingWindow frame;
    RecordingWindow hidden;
    ASSERT_TRUE(frame.Create(TestClassName(), "Frame", 0, CRect(100, 100, 500, 400), nullptr, 0));
    ASSERT_TRUE(hidden.Create(TestClassName(), "", WS_CHILD, CRect(0, 0, 50, 50), &frame, 7));
    frame.ShowWindow(SW_SHOW);
    EXPECT_FALSE(hidden.GetHostWidget()->isVisible());
    hidden.ShowWindow(SW_SHOW);
    EXPECT_TRUE(hidden.GetHostWidget()->isVisible());
}

TEST(WindowCreationTest, MovingAsksFirstAndThenReportsTheNewSize)
{
    class Widening : public RecordingWindow
    {
    protected:
        void OnWindowPosChanging(WINDOWPOS* position) override
        {
            position->cx += 5;
            position->flags |= SWP_NOCOPYBITS;
        }
    };
    RecordingWindow frame;
    Widening pane;
    ASSERT_TRUE(frame.Create(TestClassName(), "", 0, CRect(0, 0, 300, 300), nullptr, 0));
    ASSERT_TRUE(pane.Create(TestClassName(), "", WS_CHILD, CRect(0, 0, 10, 10), &frame, 1));
    pane.log.clear();
    pane.MoveWindow(3, 4, 100, 60);
    EXPECT_EQ(pane.Messages({WM_WINDOWPOSCHANGING, WM_SIZE, WM_MOVE}),
              (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_SIZE, WM_MOVE}));
    EXPECT_EQ(pane.Last(WM_SIZE)->lParam, MAKELPARAM(105, 60));
    EXPECT_EQ(pane.GetHostWidget()->geometry(), QRect(3, 4, 105, 60));
}

TEST(MessageTest, SentMessagesArriveAtOncePostedOnesLaterInOrder)
{
    RecordingWindow window;
    ASSERT_TRUE(window.Create(TestClassName(), "", 0, CRect(0, 0, 10, 10), nullptr, 0));
    ProcessPosted();
    window.log.clear();
    window.PostMessage(WM_USER + 1, 1);
    window.PostMessage(WM_USER + 2, 2);
    EXPECT_EQ(window.SendMessage(WM_USER + 3, 3), 0);
    EXPECT_EQ(window.Messages({WM_USER + 1, WM_USER + 2, WM_USER + 3}),
              (std::vector<UINT>{WM_USER + 3}));
    window.PostMessage(WM_USER + 4, 4);
    ProcessPosted();
    EXPECT_EQ(window.Messages({WM_USER + 1, WM_USER + 2, WM_USER + 3, WM_USER + 4}),
              (std::vector<UINT>{WM_USER + 3, WM_USER + 1, WM_USER + 2, WM_USER + 4}));
}

TEST(MessageTest, AMessagePostedToAWindowThatIsGoneIsDropped)
{
    RecordingWindow survivor;
    ASSERT_TRUE(survivor.Create(TestClassName(), "", 0, CRect(0, 0, 10, 10), nullptr, 0));
    {
        RecordingWindow doomed;
        ASSERT_TRUE(doomed.Create(TestClassName(), "", 0, CRect(0, 0, 10, 10), nullptr, 0));
        doomed.PostMessage(WM_USER + 5);
    }
    survivor.PostMessage(WM_USER + 6);
    ProcessPosted();
    EXPECT_NE(survivor.Last(WM_USER + 6), nullptr);
}

TEST(MessageTest, RegisteredMessagesAreStableAndDistinct)
{
    const UINT first = RegisterWindowMessage("WM_NOLVEX_TEST_ONE");
    const UINT second = RegisterWindowMessage("WM_NOLVEX_TEST_TWO");
    EXPECT_GE(first, 0xC000u);
    EXPECT_GE(second, 0xC000u);
    EXPECT_NE(first, second);
    EXPECT_EQ(RegisterWindowMessage("WM_NOLVEX_TEST_ONE"), first);
}

TEST(MessageTest, NotificationsReachTheParentOrGoBackToTheChild)
{
    Desktop desktop;
    NMHDR header{&desktop.pane, 42, static_cast<UINT>(-1101)};
    desktop.frame.handleNotify = true;
    desktop.frame.notifyAnswer = 1;
    EXPECT_EQ(
        desktop.pane.GetParent()->SendMessage(WM_NOTIFY, 42, reinterpret_cast<LPARAM>(&header)), 1);
    EXPECT_TRUE(desktop.pane.childNotifications.empty());

    // A parent that does not handle it offers it back to the sender.
    desktop.frame.handleNotify = false;
    EXPECT_EQ(desktop.frame.SendMessage(WM_NOTIFY, 42, reinterpret_cast<LPARAM>(&header)), 7);
    EXPECT_EQ(desktop.pane.childNotifications, (std::vector<UINT>{static_cast<UINT>(-1101)}));
}

TEST(InputTest, MouseMessagesCarryButtonsKeysAndClientCoordinates)
{
    Desktop desktop;
    SendMouse(desktop.pane, QEvent::MouseButtonPress, QPoint(15, 25), Qt::LeftButton,
              Qt::ShiftModifier);
    ASSERT_NE(desktop.pane.Last(WM_LBUTTONDOWN), nullptr);
    EXPECT_EQ(desktop.pane.Last(WM_LBUTTONDOWN)->wParam, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(desktop.pane.Last(WM_LBUTTONDOWN)->lParam, MAKELPARAM(15, 25));
    desktop.pane.log.clear();
    SendMouse(desktop.pane, QEvent::MouseMove, QPoint(16, 26), Qt::NoButton);
    SendMouse(desktop.pane, QEvent::MouseButtonRelease, QPoint(16, 26), Qt::LeftButton);
    EXPECT_EQ(desktop.pane.Messages({WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}),
              (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONUP}));
    EXPECT_EQ(desktop.pane.Last(WM_MOUSEMOVE)->wParam, MK_LBUTTON);
    EXPECT_EQ(desktop.pane.Last(WM_MOUSEMOVE)->lParam, MAKELPARAM(16, 26));
    EXPECT_EQ(desktop.pane.Last(WM_LBUTTONUP)->wParam, 0u);
    // Every mouse message is preceded by the cursor question, as long as
    // nobody has the capture.
    const Logged* cursor = desktop.pane.Last(WM_SETCURSOR);
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor->lParam, MAKELPARAM(HTCLIENT, WM_LBUTTONUP));
}

TEST(InputTest, DoubleClicksOnlyForClassesThatAskForThem)
{
    Desktop wanting;
    // The second press of a double click is the double click.
    SendMouse(wanting.pane, QEvent::MouseButtonDblClick, QPoint(5, 5), Qt::LeftButton);
    EXPECT_EQ(wanting.pane.Messages({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}));

    Desktop plain(WS_CHILD | WS_VISIBLE, 0, 0);
    SendMouse(plain.pane, QEvent::MouseButtonDblClick, QPoint(5, 5), Qt::LeftButton);
    EXPECT_EQ(plain.pane.Messages({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDOWN}));
}

TEST(InputTest, TheCaptureGetsEveryMouseMessageInItsOwnCoordinates)
{
    Desktop desktop;
    RecordingWindow other;
    ASSERT_TRUE(other.Create(TestClassName(), "", WS_CHILD | WS_VISIBLE, CRect(250, 20, 350, 120),
                             &desktop.frame, 43));
    desktop.pane.SetCapture();
    EXPECT_EQ(CWnd::GetCapture(), &desktop.pane);
    SendMouse(other, QEvent::MouseMove, QPoint(5, 5), Qt::NoButton);
    EXPECT_EQ(other.Last(WM_MOUSEMOVE), nullptr);
    ASSERT_NE(desktop.pane.Last(WM_MOUSEMOVE), nullptr);
    // (250 + 5) - 10 and (20 + 5) - 20 in the capturing pane.
    EXPECT_EQ(desktop.pane.Last(WM_MOUSEMOVE)->lParam, MAKELPARAM(245, 5));

    ReleaseCapture();
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_NE(desktop.pane.Last(WM_CAPTURECHANGED), nullptr);
    SendMouse(other, QEvent::MouseMove, QPoint(6, 6), Qt::NoButton);
    ASSERT_NE(other.Last(WM_MOUSEMOVE), nullptr);
    EXPECT_EQ(other.Last(WM_MOUSEMOVE)->lParam, MAKELPARAM(6, 6));
}

TEST(InputTest, TheClassCursorShowsUnlessTheWindowSetsItsOwn)
{
    Desktop desktop;
    SendMouse(desktop.pane, QEvent::MouseMove, QPoint(5, 5), Qt::NoButton);
    EXPECT_EQ(desktop.pane.GetClientWidget()->cursor().shape(), Qt::CrossCursor);

    class Pointing : public CWnd
    {
    protected:
        BOOL OnSetCursor(CWnd*, UINT, UINT) override
        {
            ::SetCursor(LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
    } pointing;
    ASSERT_TRUE(pointing.Create(TestClassName(), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50),
                                &desktop.frame, 2));
    SendMouse(pointing, QEvent::MouseMove, QPoint(5, 5), Qt::NoButton);
    EXPECT_EQ(pointing.GetClientWidget()->cursor().shape(), Qt::PointingHandCursor);
}

TEST(InputTest, TheWheelGivesOneHundredTwentyANotchAndGoesToTheParentWhenUnhandled)
{
    Desktop desktop;
    desktop.pane.handleWheel = false;
    const QPoint global = PersonInput::OnScreen(desktop.pane, QPoint(3, 4));
    PersonInput::Wheel(global, -1, Qt::ShiftModifier);
    const Logged* atPane = desktop.pane.Last(WM_MOUSEWHEEL);
    ASSERT_NE(atPane, nullptr);
    EXPECT_EQ(static_cast<short>(HIWORD(atPane->wParam)), -120);
    EXPECT_EQ(LOWORD(atPane->wParam), MK_SHIFT);
    // The point is on the screen.
    EXPECT_EQ(atPane->lParam, MAKELPARAM(global.x(), global.y()));
    EXPECT_NE(desktop.frame.Last(WM_MOUSEWHEEL), nullptr);
}

TEST(InputTest, KeysBecomeVirtualKeyMessagesAfterThePreTranslation)
{
    Desktop desktop;
    desktop.pane.SetFocus();
    PersonInput::KeyPress(Qt::Key_Home);
    PersonInput::KeyRelease(Qt::Key_Home);
    PersonInput::KeyPress(Qt::Key_Plus, Qt::KeypadModifier);
    PersonInput::KeyPress(Qt::Key_A);
    EXPECT_EQ(desktop.pane.Messages({WM_KEYDOWN, WM_KEYUP, WM_CHAR}),
              (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP, WM_KEYDOWN, WM_CHAR, WM_KEYDOWN, WM_CHAR}));
    std::vector<WPARAM> keys;
    for (const Logged& entry : desktop.pane.log) {
        if (entry.message == WM_KEYDOWN)
            keys.push_back(entry.wParam);
    }
    EXPECT_EQ(keys, (std::vector<WPARAM>{VK_HOME, VK_ADD, 'A'}));
    EXPECT_EQ(desktop.pane.Last(WM_CHAR)->wParam, static_cast<WPARAM>('a'));

    // A parent that eats Delete in its pre-translation keeps it from the pane.
    desktop.frame.keysToEat = {VK_DELETE};
    desktop.pane.log.clear();
    PersonInput::KeyPress(Qt::Key_Delete);
    EXPECT_EQ(desktop.pane.Last(WM_KEYDOWN), nullptr);
}

TEST(InputTest, FocusMovesWithKillAndSetMessagesNamingTheOtherWindow)
{
    Desktop desktop;
    desktop.frame.SetFocus();
    desktop.frame.log.clear();
    EXPECT_EQ(desktop.pane.SetFocus(), &desktop.frame);
    EXPECT_EQ(CWnd::GetFocus(), &desktop.pane);
    ASSERT_NE(desktop.frame.Last(WM_KILLFOCUS), nullptr);
    EXPECT_EQ(desktop.frame.Last(WM_KILLFOCUS)->wParam, reinterpret_cast<WPARAM>(&desktop.pane));
    ASSERT_NE(desktop.pane.Last(WM_SETFOCUS), nullptr);
    EXPECT_EQ(desktop.pane.Last(WM_SETFOCUS)->wParam, reinterpret_cast<WPARAM>(&desktop.frame));
    desktop.pane.DestroyWindow();
    EXPECT_EQ(CWnd::GetFocus(), nullptr);
}

TEST(TimerTest, AKilledTimerFiresOnceARepeatingOneAgain)
{
    RecordingWindow once;
    RecordingWindow repeating;
    ASSERT_TRUE(once.Create(TestClassName(), "", 0, CRect(0, 0, 10, 10), nullptr, 0));
    ASSERT_TRUE(repeating.Create(TestClassName(), "", 0, CRect(0, 0, 10, 10), nullptr, 0));
    once.killTimerOnFirst = true;
    EXPECT_EQ(once.SetTimer(1, 10), 1u);
    repeating.SetTimer(3, 10);
    QTest::qWait(200);
    EXPECT_EQ(once.timerCount, 1);
    EXPECT_GE(repeating.timerCount, 3);
    EXPECT_EQ(repeating.Last(WM_TIMER)->wParam, 3u);
    EXPECT_TRUE(repeating.KillTimer(3));
    EXPECT_FALSE(repeating.KillTimer(3));
    const int count = repeating.timerCount;
    QTest::qWait(50);
    EXPECT_EQ(repeating.timerCount, count);
}

TEST(ScrollBarTest, AControlClampsItsStateAndReportsToItsParent)
{
    Desktop desktop;
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(0, 135, 200, 150), &desktop.pane, 12345));
    SCROLLINFO info{
        sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS, 0, 1000, 200, 900, 0};
    bar.SetScrollInfo(&info);
    SCROLLINFO read{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    bar.GetScrollInfo(&read);
    EXPECT_EQ(read.nMin, 0);
    EXPECT_EQ(read.nMax, 1000);
    EXPECT_EQ(read.nPage, 200u);
    // The last position shows the last page: 1000 - 200 + 1.
    EXPECT_EQ(read.nPos, 801);
    EXPECT_EQ(read.nTrackPos, 801);

    // A page longer than the range becomes the range.
    SCROLLINFO huge{sizeof(SCROLLINFO), SIF_PAGE, 0, 0, 5000, 0, 0};
    bar.SetScrollInfo(&huge);
    bar.GetScrollInfo(&read);
    EXPECT_EQ(read.nPage, 1001u);
    EXPECT_EQ(read.nPos, 0);

    SCROLLINFO back{sizeof(SCROLLINFO), SIF_PAGE | SIF_POS, 0, 0, 100, 300, 0};
    bar.SetScrollInfo(&back);
    desktop.pane.log.clear();
    auto* widget = static_cast<QScrollBar*>(bar.GetClientWidget());
    widget->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    const Logged* request = desktop.pane.Last(WM_HSCROLL);
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(LOWORD(request->wParam), SB_LINEDOWN);
    EXPECT_EQ(request->lParam, reinterpret_cast<LPARAM>(&bar));
    // Nobody moved it, so the thumb stays.
    EXPECT_EQ(bar.GetScrollPos(), 300);
    EXPECT_EQ(widget->value(), 300);
    widget->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(LOWORD(desktop.pane.Last(WM_HSCROLL)->wParam), SB_PAGEUP);
}

TEST(ScrollBarTest, AWindowScrollBarAppearsWhenThereIsSomethingToScroll)
{
    Desktop desktop(WS_CHILD | WS_VISIBLE | WS_VSCROLL);
    CRect client;
    desktop.pane.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 200);

    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 500, 151, 0, 0};
    desktop.pane.SetScrollInfo(SB_VERT, &info);
    desktop.pane.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 200 - 17);
    EXPECT_EQ(desktop.pane.Last(WM_SIZE)->lParam, MAKELPARAM(183, 150));

    EXPECT_EQ(desktop.pane.SetScrollPos(SB_VERT, 1000), 0);
    EXPECT_EQ(desktop.pane.GetScrollPos(SB_VERT), 500 - 151 + 1);

    auto* bar = desktop.pane.GetHostWidget()->findChild<QScrollBar*>();
    ASSERT_NE(bar, nullptr);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    const Logged* request = desktop.pane.Last(WM_VSCROLL);
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(LOWORD(request->wParam), SB_LINEUP);
    EXPECT_EQ(request->lParam, 0);

    // Nothing left to scroll: the bar goes and the client area grows back.
    SCROLLINFO small{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 100, 151, 0, 0};
    desktop.pane.SetScrollInfo(SB_VERT, &small);
    desktop.pane.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 200);
}

TEST(ModalSeamTest, AResponderAnswersMessageBoxesInsteadOfAPerson)
{
    std::vector<CString> asked;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        asked.push_back(request.text);
        EXPECT_EQ(request.kind, ModalRequest::messageBox);
        return (request.type & 0x0F) == MB_YESNO ? IDNO : IDOK;
    });
    EXPECT_EQ(AfxMessageBox("Save changes?", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(AfxMessageBox("Done."), IDOK);
    EXPECT_EQ(asked, (std::vector<CString>{"Save changes?", "Done."}));
}

TEST(ScrollBarTest, DraggingTheThumbReportsTrackPositions)
{
    Desktop desktop;
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(0, 135, 200, 150), &desktop.pane, 12345));
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 1000, 100, 0, 0};
    bar.SetScrollInfo(&info);
    auto* widget = static_cast<QScrollBar*>(bar.GetClientWidget());
    widget->setSliderDown(true);
    widget->setSliderPosition(420);
    const Logged* request = desktop.pane.Last(WM_HSCROLL);
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(LOWORD(request->wParam), SB_THUMBTRACK);
    EXPECT_EQ(HIWORD(request->wParam), 420);
    SCROLLINFO read{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    bar.GetScrollInfo(&read);
    EXPECT_EQ(read.nTrackPos, 420);
    EXPECT_EQ(read.nPos, 0);
    desktop.pane.log.clear();
    widget->setSliderDown(false);
    EXPECT_EQ(desktop.pane.Messages({WM_HSCROLL}), (std::vector<UINT>{WM_HSCROLL, WM_HSCROLL}));
    EXPECT_EQ(LOWORD(desktop.pane.log.back().wParam), SB_ENDSCROLL);
    // Nobody took the position: the thumb goes back.
    EXPECT_EQ(widget->value(), 0);
}

TEST(WindowCreationTest, OnlyOneWindowAtATimeLocksItsUpdates)
{
    Desktop desktop;
    RecordingWindow other;
    ASSERT_TRUE(other.Create(TestClassName(), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5),
                             &desktop.frame, 2));
    EXPECT_TRUE(desktop.pane.LockWindowUpdate());
    EXPECT_FALSE(desktop.pane.GetHostWidget()->updatesEnabled());
    EXPECT_FALSE(other.LockWindowUpdate());
    desktop.pane.UnlockWindowUpdate();
    EXPECT_TRUE(desktop.pane.GetHostWidget()->updatesEnabled());
    EXPECT_TRUE(other.LockWindowUpdate());
    other.UnlockWindowUpdate();
}
