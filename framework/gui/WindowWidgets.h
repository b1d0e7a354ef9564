#pragma once

#include <QWidget>

class CWnd;

// The outer widget of a window: its position and size in the parent, the
// sunken edge of WS_EX_CLIENTEDGE and the window's own scroll bars. The
// client widget sits inside it. For a top-level window it is the window
// the desktop knows: its close (the window manager's close button, Alt+F4)
// becomes WM_CLOSE, and a pop-up's host takes the mouse and keys that Qt
// gives a pop-up outside its client area.
class WindowHostWidget : public QWidget
{
public:
    WindowHostWidget(CWnd* owner, QWidget* parent, Qt::WindowFlags flags);
    void Detach() { m_owner = nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    bool IsPopup() const { return windowType() == Qt::Popup; }
    CWnd* m_owner;
};

// The client area of a self-drawn window: shows the backing image and turns
// Qt's input and focus events into window messages.
class WindowClientWidget : public QWidget
{
public:
    WindowClientWidget(CWnd* owner, QWidget* parent);
    void Detach() { m_owner = nullptr; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    CWnd* m_owner;
};

// Shows the part of a window's overlay (what a device context drew over its
// children, such as a tracker) that lies under it; the mouse goes through.
class WindowOverlayWidget : public QWidget
{
public:
    WindowOverlayWidget(CWnd* owner, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CWnd* m_owner;
};

// The message flags of the buttons and keys held.
unsigned MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
// The virtual key code of a Qt key, 0 when there is none.
unsigned VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);
// Qt's focus moving into or out of a window's widget, as WM_SETFOCUS or
// WM_KILLFOCUS to the window.
void ReportFocusChange(CWnd* window, QFocusEvent* event);
