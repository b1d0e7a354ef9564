#pragma once

#include "CObject.h"
#include "CString.h"
#include "Geometry.h"
#include "Messages.h"
#include "Styles.h"
#include "WindowClass.h"

#include <QImage>
#include <QRegion>

#include <map>
#include <memory>
#include <vector>

class CDC;
class CScrollBar;
class CFont;
class QTimer;
class QWidget;
class WindowHostWidget;
class WindowClientWidget;
class ScrollBarBinding;

struct CREATESTRUCT
{
    void* lpCreateParams;
    HWND hwndParent;
    UINT id;
    int cy;
    int cx;
    int y;
    int x;
    DWORD style;
    CString lpszName;
    CString lpszClass;
    DWORD dwExStyle;
};
using LPCREATESTRUCT = CREATESTRUCT*;

struct SCROLLINFO
{
    UINT cbSize;
    UINT fMask;
    int nMin;
    int nMax;
    UINT nPage;
    int nPos;
    int nTrackPos;
};
using LPSCROLLINFO = SCROLLINFO*;

constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

// A window. Each window owns one Qt widget (its host), placed in the client
// area of its parent. Self-drawn windows keep a backing image the size of
// their client area: painting and every device context of the window draw
// into that image, and the host shows it on the screen. Qt's input events
// arrive as window messages at the virtual WindowProc, which hands them to
// the virtual handlers below.
//
// The window handle is the object itself; it is null while the window does
// not exist. Destroying the object destroys the window and its children.
class CWnd : public CObject
{
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Creation with a registered window class (or, for a framework control,
    // its own class). Fails (FALSE) for an unknown class or when WM_NCCREATE
    // or WM_CREATE refuse. With WS_CHILD the window lies in its parent's
    // client area; without, it is a top-level window (WS_CAPTION a dialog,
    // WS_POPUP a pop-up that takes the program's mouse and keys while it is
    // open) and its parent is the owner it stays over.
    virtual BOOL Create(const CString& className, const CString& windowName, DWORD style,
                        const RECT& rect, CWnd* parent, UINT id);
    virtual BOOL CreateEx(DWORD exStyle, const CString& className, const CString& windowName,
                          DWORD style, const RECT& rect, CWnd* parent, UINT id,
                          void* createParams = nullptr);
    virtual BOOL DestroyWindow();

    // Messages.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Queued for the event loop, which delivers posted messages in order. A
    // message to a window destroyed in the meantime is dropped.
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default processing of the message being handled.
    LRESULT Default();
    // Offered every key message before it is dispatched, first to the window
    // that gets it, then to its parents; TRUE eats the message.
    virtual BOOL PreTranslateMessage(MSG* message);

    // Geometry, in the parent's client coordinates (screen for top-level).
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(const RECT& rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void GetClientRect(LPRECT rect) const;
    // In screen coordinates.
    void GetWindowRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;

    BOOL ShowWindow(int command);
    // Centres a top-level window over the window of its owner, else of the
    // active window, else on its screen.
    void CenterWindow();
    // The window and all its parents have WS_VISIBLE.
    BOOL IsWindowVisible() const;
    // Returns whether the window was disabled before.
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;

    CWnd* GetParent() const { return m_parent; }
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const { return static_cast<int>(m_id); }
    DWORD GetStyle() const { return m_style; }
    DWORD GetExStyle() const { return m_exStyle; }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    const WindowClass& GetWindowClass() const { return m_class; }
    // The font the window's text is drawn in; the window keeps the pointer.
    virtual void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const { return m_font; }
    virtual void SetWindowText(const CString& text);
    virtual void GetWindowText(CString& text) const { text = m_text; }

    // Keyboard focus and mouse capture are Qt's focus widget and mouse
    // grabber: the window of each, if any. Focus moves at once within the
    // active top-level window; windows hear of it by WM_KILLFOCUS and
    // WM_SETFOCUS.
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();

    // A repeating timer that sends WM_TIMER with the id until KillTimer.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMilliseconds, void* unused = nullptr);
    BOOL KillTimer(UINT_PTR id);

    // Nothing of the window reaches the screen until it is unlocked; one
    // window at a time.
    BOOL LockWindowUpdate();
    void UnlockWindowUpdate();

    // Painting. Invalidated parts collect in the update region; the event
    // loop, or UpdateWindow at once, paints them with WM_PAINT (after
    // WM_ERASEBKGND when an erase was asked for).
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE);
    void ValidateRect(const RECT* rect);
    void UpdateWindow();

    // The window's own scroll bar (WS_VSCROLL / WS_HSCROLL; bar SB_VERT or
    // SB_HORZ). It reports WM_VSCROLL / WM_HSCROLL with a null scroll bar.
    BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL);
    int SetScrollPos(int bar, int position, BOOL redraw = TRUE);
    int GetScrollPos(int bar) const;
    void GetScrollRange(int bar, int* minimum, int* maximum) const;

    // Framework side: the Qt widgets and the backing image.
    QWidget* GetHostWidget() const;
    QWidget* GetClientWidget() const;
    // Null for windows that are native Qt controls.
    QImage* GetBackingImage();
    // The window's device context areas changed: show them on the screen.
    void ShowBackingImage();
    // The layer over the window's children that COverChildrenDC draws on:
    // it starts as what the client area shows, children included, and goes
    // once what was drawn on it is undone.
    QImage* BeginOverlay();
    void EndOverlayDrawing();
    const QImage& OverlayImage() const { return m_overlayImage; }
    // Called by the paint device context: takes the update region (client
    // coordinates) and whether it must be erased first.
    QRegion BeginPaintRegion(bool* erase);
    CPoint GetClientOrigin() const;

protected:
    // A framework control that is a native Qt widget returns it here (with
    // parent as its Qt parent); self-drawn windows return null.
    virtual QWidget* CreateNativeWidget(const CREATESTRUCT& create, QWidget* parent);
    // Called after the window is gone; windows that delete themselves do it here.
    virtual void PostNcDestroy() {}
    // The number the window system knows this window by while it exists
    // (WindowSystem::IsAlive), so that late callbacks can tell it is gone.
    std::uint64_t GetSerial() const { return m_serial; }

    // Handlers: each base handler does the default processing.
    virtual BOOL OnNcCreate(LPCREATESTRUCT create);
    virtual int OnCreate(LPCREATESTRUCT create);
    virtual void OnDestroy();
    virtual void OnNcDestroy();
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* dc);
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnLButtonDblClk(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual void OnRButtonDblClk(UINT flags, CPoint point);
    virtual void OnMouseMove(UINT flags, CPoint point);
    // The point is in screen coordinates; TRUE when handled.
    virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    virtual void OnKeyDown(UINT key, UINT repeatCount, UINT flags);
    virtual void OnKeyUp(UINT key, UINT repeatCount, UINT flags);
    virtual void OnChar(UINT character, UINT repeatCount, UINT flags);
    virtual BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnSetFocus(CWnd* oldWindow);
    virtual void OnKillFocus(CWnd* newWindow);
    virtual void OnCaptureChanged(CWnd* window);
    // The desktop or the user asks to close the window; the default destroys it.
    virtual void OnClose();
    // A mode of the window (a capture, an open pop-up) is cancelled from
    // outside; the default releases the capture.
    virtual void OnCancelMode();
    // scrollBar is null for the window's own scroll bar.
    virtual void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar);
    virtual void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar);
    virtual void OnEnable(BOOL enable);
    virtual void OnSysColorChange();
    virtual UINT OnGetDlgCode();
    virtual void OnWindowPosChanging(WINDOWPOS* position);
    virtual void OnShowWindow(BOOL show, UINT status);
    // WM_NOTIFY: TRUE when handled, the answer in *result. The base offers
    // the notification back to the child that sent it (OnChildNotify).
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // WM_COMMAND: TRUE when handled. The base offers control notifications
    // back to the control that sent them.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // A notification of this control, reflected by its parent: TRUE when the
    // control handled it itself.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

private:
    friend class WindowHostWidget;
    friend class WindowClientWidget;
    friend class ScrollBarBinding;
    friend class WindowSystem;

    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void LayoutNonClient();
    void SyncClientSize();
    void RequestScreenUpdate();
    void PaintPending();
    ScrollBarBinding* WindowScrollBar(int bar) const;
    void BindScrollBars();
    void UpdateScrollBarVisibility();

    CWnd* m_parent = nullptr;
    std::vector<CWnd*> m_children;
    WindowClass m_class;
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    UINT m_id = 0;
    CString m_text;
    std::uint64_t m_serial = 0;

    WindowHostWidget* m_host = nullptr;
    QWidget* m_client = nullptr;
    bool m_native = false;
    QImage m_image;
    QImage m_overlayBase;
    QImage m_overlayImage;
    QWidget* m_overlayWidget = nullptr;
    CFont* m_font = nullptr;
    CSize m_clientSize;
    // Creation reports the first size itself, after WM_CREATE.
    bool m_sizeReported = false;
    CRect m_windowRect;

    QRegion m_updateRegion;
    bool m_erasePending = false;
    bool m_inHostPaint = false;

    std::map<UINT_PTR, QTimer*> m_timers;
    std::unique_ptr<ScrollBarBinding> m_vertScroll;
    std::unique_ptr<ScrollBarBinding> m_horzScroll;

    struct CurrentMessage
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    CurrentMessage m_current{WM_NULL, 0, 0};
};

// Ids from 0xC000 up, the same for the same name during the whole run.
UINT RegisterWindowMessage(const CString& name);
BOOL ReleaseCapture();
