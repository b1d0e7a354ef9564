#include "WindowWidgets.h"

#include "CWnd.h"
#include "SystemMetrics.h"
#include "WindowSystem.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>

namespace {

QColor ToQColor(COLORREF colour)
{
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

LPARAM PackPoint(const QPoint& point)
{
    return MAKELPARAM(point.x(), point.y());
}

} // namespace

unsigned MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    unsigned flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

unsigned VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = (modifiers & Qt::KeypadModifier) != 0;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return static_cast<unsigned>('A' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return keypad ? 0x60u + static_cast<unsigned>(qtKey - Qt::Key_0)
                      : static_cast<unsigned>('0' + (qtKey - Qt::Key_0));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VK_F1 + static_cast<unsigned>(qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_NumLock:
        return VK_NUMLOCK;
    case Qt::Key_ScrollLock:
        return VK_SCROLL;
    // The arithmetic keys of the number pad have keys of their own; the
    // ones of the main keyboard are punctuation.
    case Qt::Key_Plus:
        return keypad ? VK_ADD : 0xBBu;
    case Qt::Key_Minus:
        return keypad ? VK_SUBTRACT : 0xBDu;
    case Qt::Key_Asterisk:
        return keypad ? VK_MULTIPLY : 0u;
    case Qt::Key_Slash:
        return keypad ? VK_DIVIDE : 0xBFu;
    case Qt::Key_Comma:
        return 0xBCu;
    case Qt::Key_Period:
        return 0xBEu;
    default:
        return 0;
    }
}

namespace {

// Mouse input for a window, at the screen position Qt reports; the point is
// given in the window's client coordinates, outside the client area when a
// pop-up or a capture gets input from elsewhere.
void DeliverMouse(CWnd* window, QMouseEvent* event, UINT message)
{
    if (window == nullptr || window->GetSafeHwnd() == nullptr)
        return;
    const QPoint global = event->globalPosition().toPoint();
    WindowSystem::NoteMousePosition(POINT{global.x(), global.y()});
    if (CWnd::GetCapture() == nullptr) {
        // Without capture the window under the mouse chooses the cursor
        // before every mouse message.
        WindowSystem::SetCursorWindow(window);
        window->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                            MAKELPARAM(HTCLIENT, static_cast<int>(message)));
        if (window->GetSafeHwnd() == nullptr)
            return;
    }
    const QPoint local = window->GetClientWidget()->mapFromGlobal(global);
    window->SendMessage(message, MouseFlags(event->buttons(), event->modifiers()),
                        PackPoint(local));
}

UINT PressMessage(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return WM_LBUTTONDOWN;
    case Qt::RightButton:
        return WM_RBUTTONDOWN;
    case Qt::MiddleButton:
        return WM_MBUTTONDOWN;
    default:
        return WM_NULL;
    }
}

UINT ReleaseMessage(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return WM_LBUTTONUP;
    case Qt::RightButton:
        return WM_RBUTTONUP;
    case Qt::MiddleButton:
        return WM_MBUTTONUP;
    default:
        return WM_NULL;
    }
}

// Only classes that ask for double clicks get them; the others see a second
// button press.
UINT DoubleClickMessage(const CWnd* window, Qt::MouseButton button)
{
    const bool wantsDoubleClicks = (window->GetWindowClass().style & CS_DBLCLKS) != 0;
    if (button == Qt::LeftButton)
        return wantsDoubleClicks ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
    if (button == Qt::RightButton)
        return wantsDoubleClicks ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
    return PressMessage(button);
}

void DeliverKeyDown(CWnd* window, QKeyEvent* event)
{
    if (window == nullptr || window->GetSafeHwnd() == nullptr)
        return;
    const std::uint64_t repeatBit = event->isAutoRepeat() ? (1u << 30) : 0u;
    const auto lParam = static_cast<LPARAM>(1u | repeatBit);
    const unsigned key = VirtualKeyOf(event->key(), event->modifiers());
    if (key != 0) {
        MSG message{window, WM_KEYDOWN, key, lParam, 0, {0, 0}};
        if (!WindowSystem::PreTranslate(&message) && window->GetSafeHwnd() != nullptr)
            window->SendMessage(WM_KEYDOWN, key, lParam);
    }
    const QString text = event->text();
    for (const QChar character : text) {
        if (window->GetSafeHwnd() == nullptr)
            return;
        MSG message{window, WM_CHAR, character.unicode(), lParam, 0, {0, 0}};
        if (!WindowSystem::PreTranslate(&message))
            window->SendMessage(WM_CHAR, character.unicode(), lParam);
    }
}

void DeliverKeyUp(CWnd* window, QKeyEvent* event)
{
    // The desktop repeats key-down messages only.
    if (window == nullptr || window->GetSafeHwnd() == nullptr || event->isAutoRepeat())
        return;
    const unsigned key = VirtualKeyOf(event->key(), event->modifiers());
    if (key == 0)
        return;
    const auto lParam = static_cast<LPARAM>(1u | (1u << 30) | (1u << 31));
    MSG message{window, WM_KEYUP, key, lParam, 0, {0, 0}};
    if (!WindowSystem::PreTranslate(&message))
        window->SendMessage(WM_KEYUP, key, lParam);
}

// Set on a widget whose focus went to a pop-up that is not a window of the
// program (an edit's own context menu): it gets the focus back when the
// pop-up closes, and the window hears of neither.
const char* const kFocusLentToPopup = "nolvexFocusLentToPopup";

} // namespace

void ReportFocusChange(CWnd* window, QFocusEvent* event)
{
    // Qt takes the focus from one widget before it gives it to the next:
    // WM_SETFOCUS names the window that lost it last.
    static QPointer<QWidget> lastToLose;
    if (window == nullptr || window->GetSafeHwnd() == nullptr)
        return;
    QWidget* widget = window->GetClientWidget();
    if (event->gotFocus()) {
        if (widget != nullptr && widget->property(kFocusLentToPopup).toBool()) {
            widget->setProperty(kFocusLentToPopup, false);
            return;
        }
        CWnd* previous = WindowSystem::WindowOfWidget(lastToLose.data());
        window->SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(previous));
        return;
    }
    lastToLose = widget;
    QWidget* popup = QApplication::activePopupWidget();
    if (event->reason() == Qt::PopupFocusReason && popup != nullptr &&
        WindowSystem::WindowOfWidget(popup) == nullptr) {
        if (widget != nullptr)
            widget->setProperty(kFocusLentToPopup, true);
        return;
    }
    CWnd* next = WindowSystem::WindowOfWidget(QApplication::focusWidget());
    window->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(next));
}

// Host ------------------------------------------------------------------------

WindowHostWidget::WindowHostWidget(CWnd* owner, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_owner(owner)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WindowHostWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(GetSysColor(COLOR_3DFACE)));
    if (m_owner == nullptr || (m_owner->GetExStyle() & WS_EX_CLIENTEDGE) == 0)
        return;
    // The sunken edge: shadow outside, dark shadow inside on the top and left;
    // highlight outside, light inside on the bottom and right.
    const int right = width() - 1;
    const int bottom = height() - 1;
    painter.setPen(ToQColor(GetSysColor(COLOR_3DSHADOW)));
    painter.drawLine(0, 0, right - 1, 0);
    painter.drawLine(0, 0, 0, bottom - 1);
    painter.setPen(ToQColor(GetSysColor(COLOR_3DDKSHADOW)));
    painter.drawLine(1, 1, right - 2, 1);
    painter.drawLine(1, 1, 1, bottom - 2);
    painter.setPen(ToQColor(GetSysColor(COLOR_3DHIGHLIGHT)));
    painter.drawLine(0, bottom, right, bottom);
    painter.drawLine(right, 0, right, bottom);
    painter.setPen(ToQColor(GetSysColor(COLOR_3DLIGHT)));
    painter.drawLine(1, bottom - 1, right - 1, bottom - 1);
    painter.drawLine(right - 1, 1, right - 1, bottom - 1);
}

void WindowHostWidget::resizeEvent(QResizeEvent*)
{
    // A top-level window resized by the desktop, or a pending resize of a
    // window shown late: the client area follows.
    if (m_owner == nullptr)
        return;
    if (isWindow()) {
        const QRect frame = geometry();
        m_owner->m_windowRect = CRect(frame.left(), frame.top(), frame.left() + frame.width(),
                                      frame.top() + frame.height());
    }
    m_owner->LayoutNonClient();
}

void WindowHostWidget::closeEvent(QCloseEvent* event)
{
    if (m_owner == nullptr || !isWindow()) {
        QWidget::closeEvent(event);
        return;
    }
    if (IsPopup()) {
        // Qt closes a pop-up when the program loses the desktop's attention:
        // the pop-up's mode is over, and it hears so once Qt is done.
        event->accept();
        m_owner->PostMessage(WM_CANCELMODE);
        return;
    }
    // The desktop asks to close the window (its close button, Alt+F4, a
    // logout); the window decides, a frame only after asking about unsaved
    // work.
    event->ignore();
    m_owner->PostMessage(WM_CLOSE);
}

// An open pop-up gets all the program's mouse input; what is not over its
// client area arrives here and goes to the pop-up's window, which decides
// what a click outside means. Qt's own handling would close the pop-up
// behind the window's back.
void WindowHostWidget::mousePressEvent(QMouseEvent* event)
{
    if (!IsPopup() || m_owner == nullptr) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (const UINT message = PressMessage(event->button()))
        DeliverMouse(m_owner, event, message);
}

void WindowHostWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (!IsPopup() || m_owner == nullptr) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (const UINT message = ReleaseMessage(event->button()))
        DeliverMouse(m_owner, event, message);
}

void WindowHostWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!IsPopup() || m_owner == nullptr) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    if (const UINT message = DoubleClickMessage(m_owner, event->button()))
        DeliverMouse(m_owner, event, message);
}

void WindowHostWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!IsPopup() || m_owner == nullptr) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    DeliverMouse(m_owner, event, WM_MOUSEMOVE);
}

void WindowHostWidget::keyPressEvent(QKeyEvent* event)
{
    if (!IsPopup() || m_owner == nullptr) {
        QWidget::keyPressEvent(event);
        return;
    }
    DeliverKeyDown(m_owner, event);
}

void WindowHostWidget::keyReleaseEvent(QKeyEvent* event)
{
    if (!IsPopup() || m_owner == nullptr) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    DeliverKeyUp(m_owner, event);
}

// Overlay ---------------------------------------------------------------------

WindowOverlayWidget::WindowOverlayWidget(CWnd* owner, QWidget* parent)
    : QWidget(parent), m_owner(owner)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void WindowOverlayWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_owner->OverlayImage(), geometry());
}

// Client ----------------------------------------------------------------------

WindowClientWidget::WindowClientWidget(CWnd* owner, QWidget* parent)
    : QWidget(parent), m_owner(owner)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

bool WindowClientWidget::event(QEvent* event)
{
    // Tab moves the focus between Qt widgets unless the window asks for it.
    if (event->type() == QEvent::KeyPress && m_owner != nullptr) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            const auto code = static_cast<UINT>(m_owner->SendMessage(WM_GETDLGCODE));
            if ((code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) != 0) {
                keyPressEvent(key);
                return true;
            }
        }
    }
    return QWidget::event(event);
}

void WindowClientWidget::paintEvent(QPaintEvent* event)
{
    if (m_owner == nullptr)
        return;
    m_owner->m_inHostPaint = true;
    m_owner->PaintPending();
    if (m_owner == nullptr)
        return;
    m_owner->m_inHostPaint = false;
    QPainter painter(this);
    painter.drawImage(event->rect(), m_owner->m_image, event->rect());
}

void WindowClientWidget::mousePressEvent(QMouseEvent* event)
{
    if (const UINT message = PressMessage(event->button()))
        DeliverMouse(m_owner, event, message);
}

void WindowClientWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (const UINT message = ReleaseMessage(event->button()))
        DeliverMouse(m_owner, event, message);
}

void WindowClientWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_owner == nullptr)
        return;
    if (const UINT message = DoubleClickMessage(m_owner, event->button()))
        DeliverMouse(m_owner, event, message);
}

void WindowClientWidget::mouseMoveEvent(QMouseEvent* event)
{
    DeliverMouse(m_owner, event, WM_MOUSEMOVE);
}

void WindowClientWidget::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (m_owner == nullptr || delta == 0) {
        event->ignore();
        return;
    }
    const QPoint global = event->globalPosition().toPoint();
    WindowSystem::NoteMousePosition(POINT{global.x(), global.y()});
    const auto flags = static_cast<int>(MouseFlags(event->buttons(), event->modifiers()));
    m_owner->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(flags, delta), PackPoint(global));
}

void WindowClientWidget::keyPressEvent(QKeyEvent* event)
{
    DeliverKeyDown(m_owner, event);
}

void WindowClientWidget::keyReleaseEvent(QKeyEvent* event)
{
    DeliverKeyUp(m_owner, event);
}

void WindowClientWidget::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    ReportFocusChange(m_owner, event);
}

void WindowClientWidget::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    ReportFocusChange(m_owner, event);
}
