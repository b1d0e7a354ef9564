#pragma once

#include "WinTypes.h"

#include <cstdint>

class CWnd;
class QWidget;

// The state the window system shares between all windows of the program:
// which windows exist, which has the focus, the capture and the locked
// screen updates, and where the cursor is set. Only the user-interface
// thread touches it.
class WindowSystem
{
public:
    static std::uint64_t Register(CWnd* window);
    static void Unregister(CWnd* window);
    // Whether the window with that serial number still exists.
    static bool IsAlive(const CWnd* window, std::uint64_t serial);

    static CWnd* Focus();
    static void SetFocusWindow(CWnd* window);
    static CWnd* Capture();
    static void SetCaptureWindow(CWnd* window);
    static CWnd* Locked();
    static void SetLocked(CWnd* window);
    // The window whose widget shows the cursor SetCursor sets.
    static CWnd* CursorWindow();
    static void SetCursorWindow(CWnd* window);

    // The last mouse position a window saw, in screen coordinates.
    static POINT LastMousePosition(bool* known);
    static void NoteMousePosition(POINT screenPoint);

    // The window of a widget (host, client or native control), or null.
    static CWnd* WindowOfWidget(const QWidget* widget);

    // Queues the message for the event loop.
    static void Post(CWnd* window, UINT message, WPARAM wParam, LPARAM lParam);
    // Offers a message to the window and its parents before dispatch.
    static bool PreTranslate(MSG* message);
};
