#pragma once

#include <QEvent>
#include <QPoint>
#include <QString>
#include <Qt>

class CWnd;
class QWidget;
class QWindow;

// Input as a person gives it, for GUI tests on the offscreen platform. Keys
// go to the window that has the keyboard (an open pop-up, else the active
// window) and reach its focus widget through Qt; the mouse acts at a screen
// position and reaches whatever Qt routes it to there (an open pop-up, the
// mouse grabber, the window under the point). Nothing is sent to a widget
// directly, so a test sees focus, activation, grabs and pop-ups as a user
// would.
namespace PersonInput {

// Shows a top-level window and waits until it is the active window.
bool ShowAndActivate(CWnd& window);
bool ShowAndActivate(QWidget* topLevel);

// The window that gets the keyboard now.
QWindow* KeyboardWindow();

void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void KeyPress(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void KeyRelease(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void Type(const QString& text);

// A point of a window's client area on the screen.
QPoint OnScreen(const CWnd& window, QPoint clientPoint);

void MoveTo(QPoint screen, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void Press(QPoint screen, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void Release(QPoint screen, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void Click(QPoint screen, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void DoubleClick(QPoint screen, Qt::MouseButton button = Qt::LeftButton);
// One of the above by the kind of Qt mouse event: a press, a release, a
// double click or a move.
void Mouse(QEvent::Type type, QPoint screen, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Presses at from, moves to to in a few steps and releases there.
void Drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton);
// Wheel notches (+1 away from the user) at a point.
void Wheel(QPoint screen, int notches, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Lets go of every button still held where the pointer is, as a person's
// hand leaves the mouse at the end of a test.
void LetGo();

// The pointer's shape a person sees over a window.
Qt::CursorShape ShownCursor(const CWnd& window);

// The text of the tooltip a person sees now, empty when none shows. A tip
// that is being hidden lingers a moment: this waits up to two seconds for
// it to go when expectGone is set.
QString ShownToolTip(bool expectGone = false);

} // namespace PersonInput
