#pragma once

#include <QWidget>

class CWnd;

// The outer widget of a window: its position and size in the parent, the
// sunken edge of WS_EX_CLIENTEDGE and the window's own scroll bars. The
// client widget sits inside it.
class WindowHostWidget : public QWidget
{
public:
    WindowHostWidget(CWnd* owner, QWidget* parent, Qt::WindowFlags flags);
    void Detach() { m_owner = nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CWnd* m_owner;
};

// The client area of a self-drawn window: shows the backing image and turns
// Qt's input events into window messages.
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

private:
    void DeliverMouse(QMouseEvent* event, unsigned message);
    CWnd* m_owner;
};

// The message flags of the buttons and keys held.
unsigned MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
// The virtual key code of a Qt key, 0 when there is none.
unsigned VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);
