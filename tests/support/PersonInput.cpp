#include "PersonInput.h"

#include "CWnd.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

namespace PersonInput {

namespace {

bool Contains(const QWidget* widget, QPoint screen)
{
    return widget != nullptr && widget->isVisible() && widget->frameGeometry().contains(screen);
}

// The window the desktop gives mouse input at a screen point: an open
// pop-up or the holder of a grab take it all; else the window on top there,
// which on the offscreen platform is best told by what is modal or active.
QWindow* MouseWindow(QPoint screen)
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup->windowHandle();
    if (QWidget* grabber = QWidget::mouseGrabber())
        return grabber->window()->windowHandle();
    if (QWidget* modal = QApplication::activeModalWidget(); Contains(modal, screen))
        return modal->windowHandle();
    if (QWidget* active = QApplication::activeWindow(); Contains(active, screen))
        return active->windowHandle();
    QWidget* top = QApplication::topLevelAt(screen);
    return top != nullptr ? top->windowHandle() : nullptr;
}

Qt::MouseButtons& HeldButtons()
{
    static Qt::MouseButtons held;
    return held;
}

// Where the pointer was put last. Qt drops a move to where the pointer
// already is; a hand that moves to a point arrives there from elsewhere.
QPoint& LastPointer()
{
    static QPoint last(-1000, -1000);
    return last;
}

// QTest reads a window's own corner (0, 0) as "the middle of the window";
// a move there goes to the window as the platform would give it.
bool MoveToCorner(QWindow* window, QPoint screen)
{
    const QPoint local = window->mapFromGlobal(screen);
    if (!local.isNull())
        return false;
    QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(local), QPointF(screen),
                     Qt::NoButton, HeldButtons(), Qt::NoModifier);
    QCoreApplication::sendEvent(window, &move);
    return true;
}

} // namespace

bool ShowAndActivate(QWidget* topLevel)
{
    topLevel->show();
    topLevel->activateWindow();
    // Qt counts a window active while a window it stands over is: wait
    // until this one itself has the keyboard.
    return QTest::qWaitFor([topLevel] { return QApplication::activeWindow() == topLevel; }, 2000);
}

bool ShowAndActivate(CWnd& window)
{
    window.ShowWindow(SW_SHOW);
    return ShowAndActivate(window.GetHostWidget()->window());
}

QWindow* KeyboardWindow()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup->windowHandle();
    if (QWindow* focus = QGuiApplication::focusWindow())
        return focus;
    QWidget* active = QApplication::activeWindow();
    return active != nullptr ? active->windowHandle() : nullptr;
}

void Key(int key, Qt::KeyboardModifiers modifiers)
{
    if (QWindow* window = KeyboardWindow())
        QTest::keyClick(window, static_cast<Qt::Key>(key), modifiers);
}

void KeyPress(int key, Qt::KeyboardModifiers modifiers)
{
    if (QWindow* window = KeyboardWindow())
        QTest::keyPress(window, static_cast<Qt::Key>(key), modifiers);
}

void KeyRelease(int key, Qt::KeyboardModifiers modifiers)
{
    if (QWindow* window = KeyboardWindow())
        QTest::keyRelease(window, static_cast<Qt::Key>(key), modifiers);
}

void Type(const QString& text)
{
    for (const QChar character : text)
        if (QWindow* window = KeyboardWindow())
            QTest::keyClick(window, character.toLatin1());
}

QPoint OnScreen(const CWnd& window, QPoint clientPoint)
{
    POINT point{clientPoint.x(), clientPoint.y()};
    window.ClientToScreen(&point);
    return QPoint(point.x, point.y);
}

void MoveTo(QPoint screen, Qt::KeyboardModifiers modifiers)
{
    QWindow* window = MouseWindow(screen);
    if (window == nullptr)
        return;
    // QTest moves with the buttons it saw pressed last.
    Q_UNUSED(modifiers);
    if (LastPointer() == screen) {
        const QPoint aside = screen + QPoint(1, 0);
        if (!MoveToCorner(window, aside))
            QTest::mouseMove(window, window->mapFromGlobal(aside));
    }
    LastPointer() = screen;
    if (!MoveToCorner(window, screen))
        QTest::mouseMove(window, window->mapFromGlobal(screen));
}

void Press(QPoint screen, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QWindow* window = MouseWindow(screen);
    if (window == nullptr)
        return;
    HeldButtons() |= button;
    LastPointer() = screen;
    QTest::mousePress(window, button, modifiers, window->mapFromGlobal(screen));
}

void Release(QPoint screen, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QWindow* window = MouseWindow(screen);
    HeldButtons() &= ~button;
    if (window == nullptr)
        return;
    LastPointer() = screen;
    QTest::mouseRelease(window, button, modifiers, window->mapFromGlobal(screen));
}

void Click(QPoint screen, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    Press(screen, button, modifiers);
    Release(screen, button, modifiers);
}

void DoubleClick(QPoint screen, Qt::MouseButton button)
{
    QWindow* window = MouseWindow(screen);
    if (window == nullptr)
        return;
    QTest::mouseDClick(window, button, Qt::NoModifier, window->mapFromGlobal(screen));
}

void Mouse(QEvent::Type type, QPoint screen, Qt::MouseButton button,
           Qt::KeyboardModifiers modifiers)
{
    switch (type) {
    case QEvent::MouseButtonPress:
        Press(screen, button, modifiers);
        break;
    case QEvent::MouseButtonRelease:
        Release(screen, button, modifiers);
        break;
    case QEvent::MouseButtonDblClick:
        DoubleClick(screen, button);
        break;
    default:
        MoveTo(screen, modifiers);
        break;
    }
}

void Drag(QPoint from, QPoint to, Qt::MouseButton button)
{
    Press(from, button);
    constexpr int kSteps = 4;
    for (int step = 1; step <= kSteps; ++step)
        MoveTo(from + (to - from) * step / kSteps);
    Release(to, button);
}

void Wheel(QPoint screen, int notches, Qt::KeyboardModifiers modifiers)
{
    // Qt gives the wheel to the widget under the pointer.
    QWindow* window = MouseWindow(screen);
    QWidget* top = window != nullptr ? QWidget::find(window->winId()) : nullptr;
    if (top == nullptr)
        return;
    QWidget* target = top->childAt(top->mapFromGlobal(screen));
    if (target == nullptr)
        target = top;
    QWheelEvent wheel(QPointF(target->mapFromGlobal(screen)), QPointF(screen), QPoint(),
                      QPoint(0, 120 * notches), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
}

void LetGo()
{
    // With the test's windows gone the release goes to a window of its own,
    // so that Qt knows the hand is free.
    static QWidget* sink = [] {
        auto* widget = new QWidget;
        widget->winId();
        return widget;
    }();
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (!HeldButtons().testFlag(button))
            continue;
        QWindow* window = MouseWindow(LastPointer());
        if (window == nullptr)
            window = sink->windowHandle();
        QTest::mouseRelease(window, button, Qt::NoModifier, window->mapFromGlobal(LastPointer()));
    }
    HeldButtons() = Qt::NoButton;
}

Qt::CursorShape ShownCursor(const CWnd& window)
{
    return window.GetClientWidget()->cursor().shape();
}

QString ShownToolTip(bool expectGone)
{
    if (expectGone) {
        for (int waited = 0; QToolTip::isVisible() && waited < 2000; waited += 20)
            QTest::qWait(20);
    }
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace PersonInput
