#include "CWnd.h"

#include "CScrollBar.h"
#include "ScrollBarBinding.h"
#include "SystemMetrics.h"
#include "WindowPainting.h"
#include "WindowSystem.h"
#include "WindowWidgets.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cstring>

namespace {

// Reports Qt's focus moving into or out of a native control as the
// control's WM_SETFOCUS and WM_KILLFOCUS.
class NativeFocusWatch : public QObject
{
public:
    NativeFocusWatch(CWnd* window, QObject* parent) : QObject(parent), m_window(window) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            if (WindowSystem::WindowOfWidget(static_cast<QWidget*>(parent())) == m_window)
                ReportFocusChange(m_window, static_cast<QFocusEvent*>(event));
        return false;
    }

private:
    CWnd* m_window;
};

// The windows whose class is not registered because a framework class
// creates them itself as native controls.
bool IsKnownClassName(const CString& className)
{
    return className.IsEmpty();
}

QRect ToQRect(const RECT& rect)
{
    return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

} // namespace

IMPLEMENT_DYNAMIC(CWnd, CObject)

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

QWidget* CWnd::CreateNativeWidget(const CREATESTRUCT&, QWidget*)
{
    return nullptr;
}

BOOL CWnd::Create(const CString& className, const CString& windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, className, windowName, style, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, const CString& className, const CString& windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, void* createParams)
{
    if (m_hWnd != nullptr)
        return FALSE;
    if (parent != nullptr && parent->m_hWnd == nullptr)
        return FALSE;

    WNDCLASS windowClass;
    const bool registered = GetClassInfo(className, &windowClass) != FALSE;
    if (!registered) {
        windowClass = WNDCLASS();
        windowClass.style = CS_DBLCLKS;
        windowClass.lpszClassName = className;
    }

    CREATESTRUCT create{createParams,
                        parent,
                        id,
                        rect.bottom - rect.top,
                        rect.right - rect.left,
                        rect.top,
                        rect.left,
                        style,
                        windowName,
                        className,
                        exStyle};

    // A window without WS_CHILD is a top-level window; its parent, if any,
    // is its owner, over which the desktop keeps it.
    const bool child = parent != nullptr && (style & WS_CHILD) != 0;
    QWidget* parentWidget = nullptr;
    Qt::WindowFlags flags = Qt::Widget;
    if (child) {
        parentWidget = parent->m_client;
    } else {
        if ((style & WS_CAPTION) == WS_CAPTION)
            flags = Qt::Dialog;
        else if ((style & WS_POPUP) != 0)
            flags = Qt::Popup | Qt::FramelessWindowHint;
        else
            flags = Qt::Window;
        if (parent != nullptr && parent->m_host != nullptr)
            parentWidget = parent->m_host->window();
        else if (flags != Qt::Window)
            // A pop-up or dialog opened while a modal dialog runs stands over
            // that dialog, which would otherwise keep every click and key
            // from it.
            parentWidget = QApplication::activeModalWidget();
    }

    m_host = new WindowHostWidget(this, parentWidget, flags);
    QWidget* native = CreateNativeWidget(create, m_host);
    if (native == nullptr && !registered && !IsKnownClassName(className)) {
        m_host->Detach();
        delete m_host;
        m_host = nullptr;
        return FALSE;
    }

    m_hWnd = this;
    m_serial = WindowSystem::Register(this);
    m_parent = child ? parent : nullptr;
    m_class = windowClass;
    m_style = style;
    m_exStyle = exStyle;
    m_id = id;
    m_text = windowName;
    if (m_parent != nullptr)
        m_parent->m_children.push_back(this);

    if (native != nullptr) {
        m_native = true;
        m_client = native;
        m_client->installEventFilter(new NativeFocusWatch(this, m_client));
    } else {
        m_client = new WindowClientWidget(this, m_host);
        // Tab reaches the windows that are tab stops; clicks give the focus
        // where the window's own handling says.
        if ((style & WS_TABSTOP) != 0)
            m_client->setFocusPolicy(Qt::TabFocus);
        BindScrollBars();
    }
    WindowSystem::AddWidget(m_host, this);
    WindowSystem::AddWidget(m_client, this);
    m_host->setWindowTitle(windowName.ToQString());
    m_host->setEnabled((style & WS_DISABLED) == 0);
    m_windowRect = CRect(rect);
    m_host->setGeometry(ToQRect(rect));
    LayoutNonClient();
    m_clientSize = CSize(m_client->width(), m_client->height());
    if (!m_native)
        m_image = QImage(std::max(m_clientSize.cx, 1), std::max(m_clientSize.cy, 1),
                         QImage::Format_RGB32);
    if (!m_native)
        m_image.fill(Qt::white);

    if (!SendMessage(WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
        DestroyWindow();
        return FALSE;
    }
    if (SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow();
        return FALSE;
    }
    if (m_hWnd == nullptr)
        return FALSE;
    m_clientSize = CSize(m_client->width(), m_client->height());
    m_sizeReported = true;
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(m_clientSize.cx, m_clientSize.cy));
    SendMessage(WM_MOVE, 0, MAKELPARAM(rect.left, rect.top));
    if (m_hWnd != nullptr && (m_style & WS_VISIBLE) != 0) {
        m_host->show();
        Invalidate();
    } else if (m_hWnd != nullptr) {
        // Hidden for good: Qt would otherwise show a child with its parent.
        m_host->hide();
    }
    return m_hWnd != nullptr ? TRUE : FALSE;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    SendMessage(WM_DESTROY);
    // Children go after their parent was told, as on the desktop.
    const std::vector<CWnd*> children = m_children;
    for (CWnd* child : children)
        child->DestroyWindow();
    SendMessage(WM_NCDESTROY);

    for (auto& [id, timer] : m_timers) {
        timer->stop();
        timer->deleteLater();
    }
    m_timers.clear();
    if (GetCapture() == this)
        ReleaseCapture();
    if (WindowSystem::Locked() == this)
        UnlockWindowUpdate();
    if (m_parent != nullptr) {
        auto& siblings = m_parent->m_children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    WindowSystem::Unregister(this);

    m_vertScroll.reset();
    m_horzScroll.reset();
    if (!m_native)
        static_cast<WindowClientWidget*>(m_client)->Detach();
    m_host->Detach();
    // The widget may be in the middle of delivering the event that destroys
    // it: hide it now and let the event loop delete it.
    m_host->hide();
    m_host->setParent(nullptr);
    m_host->deleteLater();
    m_host = nullptr;
    m_client = nullptr;
    m_image = QImage();
    m_overlayBase = QImage();
    m_overlayImage = QImage();
    m_overlayWidget = nullptr;
    m_updateRegion = QRegion();
    m_hWnd = nullptr;
    m_parent = nullptr;
    m_children.clear();
    m_sizeReported = false;
    m_clientSize = CSize();
    PostNcDestroy();
    return TRUE;
}

// Messages ------------------------------------------------------------------

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_hWnd == nullptr)
        return 0;
    return Dispatch(message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CurrentMessage saved = m_current;
    m_current = CurrentMessage{message, wParam, lParam};
    const LRESULT result = WindowProc(message, wParam, lParam);
    m_current = saved;
    return result;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_hWnd == nullptr)
        return FALSE;
    WindowSystem::Post(this, message, wParam, lParam);
    return TRUE;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    const UINT flags = static_cast<UINT>(wParam);
    switch (message) {
    case WM_NCCREATE:
        return OnNcCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));
    case WM_CREATE:
        return OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_NCDESTROY:
        OnNcDestroy();
        return 0;
    case WM_SIZE:
        OnSize(flags, LOWORD(static_cast<std::uintptr_t>(lParam)),
               HIWORD(static_cast<std::uintptr_t>(lParam)));
        return 0;
    case WM_MOVE:
        OnMove(point.x, point.y);
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<CDC*>(wParam));
    case WM_LBUTTONDOWN:
        OnLButtonDown(flags, point);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(flags, point);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(flags, point);
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(flags, point);
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(flags, point);
        return 0;
    case WM_RBUTTONDBLCLK:
        OnRButtonDblClk(flags, point);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(flags, point);
        return 0;
    case WM_MOUSEWHEEL:
        return OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), point);
    case WM_KEYDOWN:
        OnKeyDown(flags, LOWORD(static_cast<std::uintptr_t>(lParam)),
                  HIWORD(static_cast<std::uintptr_t>(lParam)));
        return 0;
    case WM_KEYUP:
        OnKeyUp(flags, LOWORD(static_cast<std::uintptr_t>(lParam)),
                HIWORD(static_cast<std::uintptr_t>(lParam)));
        return 0;
    case WM_CHAR:
        OnChar(flags, LOWORD(static_cast<std::uintptr_t>(lParam)),
               HIWORD(static_cast<std::uintptr_t>(lParam)));
        return 0;
    case WM_SETCURSOR:
        return OnSetCursor(reinterpret_cast<CWnd*>(wParam),
                           LOWORD(static_cast<std::uintptr_t>(lParam)),
                           HIWORD(static_cast<std::uintptr_t>(lParam)));
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_SETFOCUS:
        OnSetFocus(reinterpret_cast<CWnd*>(wParam));
        return 0;
    case WM_KILLFOCUS:
        OnKillFocus(reinterpret_cast<CWnd*>(wParam));
        return 0;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(reinterpret_cast<CWnd*>(lParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_CANCELMODE:
        OnCancelMode();
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL: {
        auto* bar = dynamic_cast<CScrollBar*>(reinterpret_cast<CWnd*>(lParam));
        const UINT code = LOWORD(wParam);
        const UINT position = HIWORD(wParam);
        if (message == WM_HSCROLL)
            OnHScroll(code, position, bar);
        else
            OnVScroll(code, position, bar);
        return 0;
    }
    case WM_ENABLE:
        OnEnable(static_cast<BOOL>(wParam));
        return 0;
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        return 0;
    case WM_GETDLGCODE:
        return OnGetDlgCode();
    case WM_WINDOWPOSCHANGING:
        OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
        return 0;
    case WM_SHOWWINDOW:
        OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        return 0;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(wParam, lParam, &result))
            return result;
        return DefWindowProc(message, wParam, lParam);
    }
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        return DefWindowProc(message, wParam, lParam);
    default:
        return DefWindowProc(message, wParam, lParam);
    }
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_PAINT:
        PaintWithDefaultHandling(this);
        return 0;
    case WM_ERASEBKGND:
        return EraseWithClassBrush(this, reinterpret_cast<CDC*>(wParam)) ? TRUE : FALSE;
    case WM_SETCURSOR: {
        // The parent decides first; then the class cursor is shown.
        if (m_parent != nullptr && m_parent->SendMessage(WM_SETCURSOR, wParam, lParam) != 0)
            return TRUE;
        if (LOWORD(static_cast<std::uintptr_t>(lParam)) == HTCLIENT && m_class.hCursor != nullptr &&
            reinterpret_cast<CWnd*>(wParam) == this)
            ::SetCursor(m_class.hCursor);
        return FALSE;
    }
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_CANCELMODE:
        if (GetCapture() == this)
            ReleaseCapture();
        return 0;
    case WM_MOUSEWHEEL:
        // An unhandled wheel goes on to the parent.
        if (m_parent != nullptr)
            return m_parent->SendMessage(message, wParam, lParam);
        return 0;
    default:
        return 0;
    }
}

// Default handlers ----------------------------------------------------------

BOOL CWnd::OnNcCreate(LPCREATESTRUCT)
{
    return static_cast<BOOL>(Default());
}
int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}
void CWnd::OnDestroy()
{
    Default();
}
void CWnd::OnNcDestroy()
{
    Default();
}
void CWnd::OnSize(UINT, int, int)
{
    Default();
}
void CWnd::OnMove(int, int)
{
    Default();
}
void CWnd::OnPaint()
{
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT)
{
    Default();
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnTimer(UINT_PTR)
{
    Default();
}
void CWnd::OnSetFocus(CWnd*)
{
    Default();
}
void CWnd::OnKillFocus(CWnd*)
{
    Default();
}
void CWnd::OnCaptureChanged(CWnd*)
{
    Default();
}
void CWnd::OnClose()
{
    Default();
}
void CWnd::OnCancelMode()
{
    Default();
}
void CWnd::OnHScroll(UINT, UINT, CScrollBar*)
{
    Default();
}
void CWnd::OnVScroll(UINT, UINT, CScrollBar*)
{
    Default();
}
void CWnd::OnEnable(BOOL)
{
    Default();
}
void CWnd::OnSysColorChange()
{
    Default();
}
UINT CWnd::OnGetDlgCode()
{
    return static_cast<UINT>(Default());
}
void CWnd::OnWindowPosChanging(WINDOWPOS*)
{
    Default();
}
void CWnd::OnShowWindow(BOOL, UINT)
{
    Default();
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header == nullptr || header->hwndFrom == nullptr)
        return FALSE;
    CWnd* child = header->hwndFrom;
    if (child->m_parent != this)
        return FALSE;
    return child->OnChildNotify(WM_NOTIFY, reinterpret_cast<WPARAM>(header->idFrom), lParam,
                                result);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CWnd* control = reinterpret_cast<CWnd*>(lParam);
    if (control == nullptr || control->m_parent != this)
        return FALSE;
    LRESULT result = 0;
    return control->OnChildNotify(WM_COMMAND, wParam, lParam, &result);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

// Geometry ------------------------------------------------------------------

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | (repaint ? 0 : SWP_NOREDRAW));
}

void CWnd::MoveWindow(const RECT& rect, BOOL repaint)
{
    MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT flags)
{
    if (m_hWnd == nullptr)
        return FALSE;
    WINDOWPOS position{this, nullptr, x, y, cx, cy, flags};
    if ((flags & SWP_NOMOVE) != 0) {
        position.x = m_windowRect.left;
        position.y = m_windowRect.top;
    }
    if ((flags & SWP_NOSIZE) != 0) {
        position.cx = m_windowRect.Width();
        position.cy = m_windowRect.Height();
    }
    SendMessage(WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
    if (m_hWnd == nullptr)
        return FALSE;

    const CRect newRect(position.x, position.y, position.x + std::max(position.cx, 0),
                        position.y + std::max(position.cy, 0));
    const bool moved = newRect.TopLeft() != m_windowRect.TopLeft();
    m_windowRect = newRect;
    m_host->setGeometry(ToQRect(newRect));
    if ((position.flags & SWP_FRAMECHANGED) != 0)
        m_host->update();
    LayoutNonClient();
    if ((position.flags & SWP_SHOWWINDOW) != 0)
        ShowWindow(SW_SHOW);
    if ((position.flags & SWP_HIDEWINDOW) != 0)
        ShowWindow(SW_HIDE);
    if (moved)
        SendMessage(WM_MOVE, 0, MAKELPARAM(newRect.left, newRect.top));
    if ((position.flags & SWP_NOREDRAW) == 0 && m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

void CWnd::LayoutNonClient()
{
    if (m_host == nullptr || m_native) {
        if (m_native && m_client != nullptr)
            m_client->setGeometry(0, 0, m_host->width(), m_host->height());
        SyncClientSize();
        return;
    }
    QRect client(0, 0, m_host->width(), m_host->height());
    if ((m_exStyle & WS_EX_CLIENTEDGE) != 0)
        client.adjust(GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE),
                      -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
    const bool vertShown = m_vertScroll && m_vertScroll->Bar()->isVisibleTo(m_host);
    const bool horzShown = m_horzScroll && m_horzScroll->Bar()->isVisibleTo(m_host);
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
    if (vertShown)
        client.setRight(client.right() - barWidth);
    if (horzShown)
        client.setBottom(client.bottom() - barHeight);
    if (client.width() < 0)
        client.setWidth(0);
    if (client.height() < 0)
        client.setHeight(0);
    if (vertShown)
        m_vertScroll->Bar()->setGeometry(client.right() + 1, client.top(), barWidth,
                                         client.height());
    if (horzShown)
        m_horzScroll->Bar()->setGeometry(client.left(), client.bottom() + 1, client.width(),
                                         barHeight);
    m_client->setGeometry(client);
    SyncClientSize();
}

void CWnd::SyncClientSize()
{
    if (m_client == nullptr)
        return;
    const CSize size(m_client->width(), m_client->height());
    if (size == m_clientSize)
        return;
    const CSize old = m_clientSize;
    m_clientSize = size;
    if (!m_native) {
        // Keep what was drawn; the parts that grew are painted anew.
        QImage image(std::max(size.cx, 1), std::max(size.cy, 1), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.drawImage(0, 0, m_image);
        }
        m_image = std::move(image);
        const bool redrawAll = (m_class.style & (CS_HREDRAW | CS_VREDRAW)) != 0;
        if (redrawAll) {
            Invalidate();
        } else {
            QRegion grown(0, 0, size.cx, size.cy);
            grown -= QRegion(0, 0, old.cx, old.cy);
            m_updateRegion += grown;
            if (!grown.isEmpty())
                m_erasePending = true;
            RequestScreenUpdate();
        }
    }
    if (m_hWnd != nullptr && m_sizeReported)
        SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(size.cx, size.cy));
}

void CWnd::GetClientRect(LPRECT rect) const
{
    *rect = CRect(0, 0, m_clientSize.cx, m_clientSize.cy);
}

void CWnd::GetWindowRect(LPRECT rect) const
{
    if (m_host == nullptr) {
        *rect = CRect();
        return;
    }
    const QPoint topLeft = m_host->mapToGlobal(QPoint(0, 0));
    *rect = CRect(topLeft.x(), topLeft.y(), topLeft.x() + m_host->width(),
                  topLeft.y() + m_host->height());
}

void CWnd::ClientToScreen(LPPOINT point) const
{
    if (m_client == nullptr)
        return;
    const QPoint global = m_client->mapToGlobal(QPoint(point->x, point->y));
    point->x = global.x();
    point->y = global.y();
}

void CWnd::ClientToScreen(LPRECT rect) const
{
    POINT topLeft{rect->left, rect->top};
    POINT bottomRight{rect->right, rect->bottom};
    ClientToScreen(&topLeft);
    ClientToScreen(&bottomRight);
    *rect = CRect(topLeft, bottomRight);
}

void CWnd::ScreenToClient(LPPOINT point) const
{
    if (m_client == nullptr)
        return;
    const QPoint local = m_client->mapFromGlobal(QPoint(point->x, point->y));
    point->x = local.x();
    point->y = local.y();
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    POINT topLeft{rect->left, rect->top};
    POINT bottomRight{rect->right, rect->bottom};
    ScreenToClient(&topLeft);
    ScreenToClient(&bottomRight);
    *rect = CRect(topLeft, bottomRight);
}

CPoint CWnd::GetClientOrigin() const
{
    if (m_client == nullptr || m_native)
        return CPoint();
    return CPoint(m_client->x(), m_client->y());
}

BOOL CWnd::ShowWindow(int command)
{
    if (m_hWnd == nullptr)
        return FALSE;
    const BOOL wasVisible = (m_style & WS_VISIBLE) != 0 ? TRUE : FALSE;
    const bool show = command != SW_HIDE;
    if (show == static_cast<bool>(wasVisible))
        return wasVisible;
    SendMessage(WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (show) {
        m_style |= WS_VISIBLE;
        if (command == SW_SHOWMAXIMIZED && m_parent == nullptr)
            m_host->showMaximized();
        else
            m_host->show();
        Invalidate();
    } else {
        m_style &= ~WS_VISIBLE;
        m_host->hide();
    }
    return wasVisible;
}

void CWnd::CenterWindow()
{
    if (m_host == nullptr || !m_host->isWindow())
        return;
    QWidget* over = m_host->parentWidget() != nullptr ? m_host->parentWidget()->window()
                                                      : QApplication::activeWindow();
    if (over == m_host)
        over = nullptr;
    QRect area;
    if (over != nullptr && over->isVisible()) {
        area = over->frameGeometry();
    } else {
        MONITORINFO monitor{sizeof(MONITORINFO), {}, {}, 0};
        const QPoint at = m_host->geometry().center();
        GetMonitorInfo(MonitorFromPoint(POINT{at.x(), at.y()}, MONITOR_DEFAULTTONEAREST), &monitor);
        area = QRect(QPoint(monitor.rcWork.left, monitor.rcWork.top),
                     QPoint(monitor.rcWork.right - 1, monitor.rcWork.bottom - 1));
    }
    QRect placed(QPoint(0, 0), m_host->size());
    placed.moveCenter(area.center());
    SetWindowPos(nullptr, placed.left(), placed.top(), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::IsWindowVisible() const
{
    for (const CWnd* window = this; window != nullptr; window = window->m_parent) {
        if (window->m_hWnd == nullptr || (window->m_style & WS_VISIBLE) == 0)
            return FALSE;
    }
    return TRUE;
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    const BOOL wasDisabled = (m_style & WS_DISABLED) != 0 ? TRUE : FALSE;
    if (m_hWnd == nullptr || static_cast<bool>(enable) == !wasDisabled)
        return wasDisabled;
    if (enable)
        m_style &= ~WS_DISABLED;
    else
        m_style |= WS_DISABLED;
    m_host->setEnabled(enable != FALSE);
    SendMessage(WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    return m_hWnd != nullptr && (m_style & WS_DISABLED) == 0 ? TRUE : FALSE;
}

CWnd* CWnd::GetDlgItem(int id) const
{
    for (CWnd* child : m_children) {
        if (child->GetDlgCtrlID() == id)
            return child;
    }
    return nullptr;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    const DWORD old = m_style;
    m_style = (m_style & ~remove) | add;
    if (m_style == old)
        return FALSE;
    if (m_hWnd != nullptr && !m_native)
        BindScrollBars();
    if (flags != 0)
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     flags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags)
{
    const DWORD old = m_exStyle;
    m_exStyle = (m_exStyle & ~remove) | add;
    if (m_exStyle == old)
        return FALSE;
    if (flags != 0)
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     flags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void CWnd::SetFont(CFont* font, BOOL redraw)
{
    m_font = font;
    if (redraw && m_hWnd != nullptr)
        Invalidate();
}

void CWnd::SetWindowText(const CString& text)
{
    m_text = text;
    if (m_host != nullptr)
        m_host->setWindowTitle(text.ToQString());
}

// Focus, capture, timers ------------------------------------------------------

CWnd* CWnd::SetFocus()
{
    CWnd* old = GetFocus();
    if (m_hWnd == nullptr || old == this)
        return old;
    // Qt moves the focus and tells both windows (WM_KILLFOCUS, WM_SETFOCUS)
    // at once when the window's top-level window is active, else when it
    // becomes active.
    m_client->setFocus(Qt::OtherFocusReason);
    return old;
}

CWnd* CWnd::GetFocus()
{
    return WindowSystem::WindowOfWidget(QApplication::focusWidget());
}

CWnd* CWnd::SetCapture()
{
    CWnd* old = GetCapture();
    if (m_hWnd == nullptr || old == this)
        return old;
    // Qt's grab: the mouse input of every window of the program comes to
    // this window, and on the desktop the pointer's input from elsewhere.
    m_client->grabMouse();
    if (old != nullptr)
        old->SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(this));
    return old;
}

CWnd* CWnd::GetCapture()
{
    return WindowSystem::WindowOfWidget(QWidget::mouseGrabber());
}

BOOL ReleaseCapture()
{
    QWidget* grabber = QWidget::mouseGrabber();
    if (grabber == nullptr)
        return TRUE;
    CWnd* old = WindowSystem::WindowOfWidget(grabber);
    grabber->releaseMouse();
    if (old != nullptr)
        old->SendMessage(WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMilliseconds, void*)
{
    if (m_hWnd == nullptr)
        return 0;
    QTimer*& timer = m_timers[id];
    if (timer == nullptr) {
        timer = new QTimer();
        const std::uint64_t serial = m_serial;
        QObject::connect(timer, &QTimer::timeout, [this, id, serial] {
            if (WindowSystem::IsAlive(this, serial))
                SendMessage(WM_TIMER, id);
        });
    }
    timer->start(static_cast<int>(std::max<UINT>(elapseMilliseconds, 1)));
    return id;
}

BOOL CWnd::KillTimer(UINT_PTR id)
{
    const auto found = m_timers.find(id);
    if (found == m_timers.end())
        return FALSE;
    found->second->stop();
    // The timer may be the one whose timeout is being delivered.
    found->second->deleteLater();
    m_timers.erase(found);
    return TRUE;
}

BOOL CWnd::LockWindowUpdate()
{
    if (m_hWnd == nullptr || (WindowSystem::Locked() != nullptr && WindowSystem::Locked() != this))
        return FALSE;
    WindowSystem::SetLocked(this);
    m_host->setUpdatesEnabled(false);
    return TRUE;
}

void CWnd::UnlockWindowUpdate()
{
    CWnd* locked = WindowSystem::Locked();
    if (locked == nullptr)
        return;
    WindowSystem::SetLocked(nullptr);
    if (locked->m_host != nullptr)
        locked->m_host->setUpdatesEnabled(true);
}

// Painting ------------------------------------------------------------------

void CWnd::Invalidate(BOOL erase)
{
    InvalidateRect(nullptr, erase);
}

void CWnd::InvalidateRect(const RECT* rect, BOOL erase)
{
    if (m_hWnd == nullptr || m_native) {
        if (m_native && m_client != nullptr)
            m_client->update();
        return;
    }
    const QRect client(0, 0, m_clientSize.cx, m_clientSize.cy);
    const QRect area = rect != nullptr ? ToQRect(*rect).intersected(client) : client;
    if (area.isEmpty())
        return;
    m_updateRegion += area;
    if (erase)
        m_erasePending = true;
    RequestScreenUpdate();
}

void CWnd::ValidateRect(const RECT* rect)
{
    if (rect == nullptr) {
        m_updateRegion = QRegion();
        m_erasePending = false;
    } else {
        m_updateRegion -= ToQRect(*rect);
        if (m_updateRegion.isEmpty())
            m_erasePending = false;
    }
}

void CWnd::UpdateWindow()
{
    if (m_hWnd == nullptr || m_native)
        return;
    PaintPending();
    RequestScreenUpdate();
}

void CWnd::PaintPending()
{
    if (m_updateRegion.isEmpty())
        return;
    SendMessage(WM_PAINT);
    // A handler that painted nothing still leaves the window valid, so that
    // the event loop does not ask for the same paint over and over.
    if (m_hWnd != nullptr)
        ValidateRect(nullptr);
}

QRegion CWnd::BeginPaintRegion(bool* erase)
{
    const QRegion region = m_updateRegion;
    *erase = m_erasePending;
    m_updateRegion = QRegion();
    m_erasePending = false;
    return region;
}

void CWnd::RequestScreenUpdate()
{
    if (m_client != nullptr && !m_inHostPaint)
        m_client->update();
}

void CWnd::ShowBackingImage()
{
    RequestScreenUpdate();
}

QImage* CWnd::BeginOverlay()
{
    if (m_hWnd == nullptr || m_client == nullptr)
        return nullptr;
    if (m_overlayWidget == nullptr) {
        // What the window shows now, its children included, is what the
        // overlay draws on.
        m_overlayBase = m_client->grab().toImage().convertToFormat(QImage::Format_RGB32);
        m_overlayImage = m_overlayBase.copy();
        m_overlayWidget = new WindowOverlayWidget(this, m_client);
        m_overlayWidget->setGeometry(0, 0, 0, 0);
    }
    return &m_overlayImage;
}

void CWnd::EndOverlayDrawing()
{
    if (m_overlayWidget == nullptr)
        return;
    // The part that differs from the window beneath shows; once nothing
    // does, the layer goes.
    QRect changed;
    const int width = m_overlayImage.width();
    const auto rowBytes = static_cast<std::size_t>(width) * sizeof(QRgb);
    for (int y = 0; y < m_overlayImage.height(); ++y) {
        const auto* over = reinterpret_cast<const QRgb*>(m_overlayImage.constScanLine(y));
        const auto* base = reinterpret_cast<const QRgb*>(m_overlayBase.constScanLine(y));
        if (std::memcmp(over, base, rowBytes) == 0)
            continue;
        int left = 0;
        while (over[left] == base[left])
            ++left;
        int right = width - 1;
        while (over[right] == base[right])
            --right;
        changed |= QRect(left, y, right - left + 1, 1);
    }
    if (changed.isEmpty()) {
        delete m_overlayWidget;
        m_overlayWidget = nullptr;
        m_overlayBase = QImage();
        m_overlayImage = QImage();
        return;
    }
    m_overlayWidget->setGeometry(changed);
    m_overlayWidget->raise();
    m_overlayWidget->show();
    m_overlayWidget->update();
}

QImage* CWnd::GetBackingImage()
{
    return m_native || m_hWnd == nullptr ? nullptr : &m_image;
}

QWidget* CWnd::GetHostWidget() const
{
    return m_host;
}

QWidget* CWnd::GetClientWidget() const
{
    return m_client;
}

// The window's own scroll bars ------------------------------------------------

void CWnd::BindScrollBars()
{
    // A window has the scroll bars its style names, whenever the style is
    // set; a bar whose style goes away goes with it.
    const auto bind = [this](std::unique_ptr<ScrollBarBinding>& binding, bool wanted,
                             Qt::Orientation orientation) {
        if (wanted && !binding) {
            auto* bar = new QScrollBar(orientation, m_host);
            bar->hide();
            binding = std::make_unique<ScrollBarBinding>(bar, this, nullptr);
        } else if (!wanted && binding) {
            QScrollBar* bar = binding->Bar();
            binding.reset();
            delete bar;
        }
    };
    const bool hadBars = m_vertScroll || m_horzScroll;
    bind(m_vertScroll, (m_style & WS_VSCROLL) != 0, Qt::Vertical);
    bind(m_horzScroll, (m_style & WS_HSCROLL) != 0, Qt::Horizontal);
    if (hadBars && !m_vertScroll && !m_horzScroll)
        LayoutNonClient();
}

ScrollBarBinding* CWnd::WindowScrollBar(int bar) const
{
    if (bar == SB_VERT)
        return m_vertScroll.get();
    if (bar == SB_HORZ)
        return m_horzScroll.get();
    return nullptr;
}

void CWnd::UpdateScrollBarVisibility()
{
    bool changed = false;
    for (ScrollBarBinding* binding : {m_vertScroll.get(), m_horzScroll.get()}) {
        if (binding == nullptr)
            continue;
        // A bar with nothing to scroll goes away, unless it was asked to stay
        // and be disabled.
        const bool scrollable = binding->CanScroll();
        const bool shown = scrollable || binding->DisableNoScroll();
        binding->Bar()->setEnabled(scrollable);
        if (binding->Bar()->isVisibleTo(m_host) != shown) {
            binding->Bar()->setVisible(shown);
            changed = true;
        }
    }
    if (changed)
        LayoutNonClient();
}

BOOL CWnd::SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw)
{
    ScrollBarBinding* binding = WindowScrollBar(bar);
    if (binding == nullptr || info == nullptr)
        return FALSE;
    const int position = binding->Set(*info, redraw != FALSE);
    UpdateScrollBarVisibility();
    return position;
}

BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask)
{
    ScrollBarBinding* binding = WindowScrollBar(bar);
    if (binding == nullptr || info == nullptr)
        return FALSE;
    info->fMask = mask;
    binding->Get(info);
    return TRUE;
}

int CWnd::SetScrollPos(int bar, int position, BOOL redraw)
{
    ScrollBarBinding* binding = WindowScrollBar(bar);
    if (binding == nullptr)
        return 0;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    binding->Get(&info);
    const int old = info.nPos;
    info.fMask = SIF_POS;
    info.nPos = position;
    binding->Set(info, redraw != FALSE);
    return old;
}

int CWnd::GetScrollPos(int bar) const
{
    ScrollBarBinding* binding = WindowScrollBar(bar);
    if (binding == nullptr)
        return 0;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    binding->Get(&info);
    return info.nPos;
}

void CWnd::GetScrollRange(int bar, int* minimum, int* maximum) const
{
    ScrollBarBinding* binding = WindowScrollBar(bar);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
    if (binding != nullptr)
        binding->Get(&info);
    *minimum = info.nMin;
    *maximum = info.nMax;
}
