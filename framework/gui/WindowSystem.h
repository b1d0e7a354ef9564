#pragma once

#include "WinTypes.h"

#include <cstdint>

class CWnd;
class QWidget;

// What the window system shares between all windows of the program: which
// windows exist and which widgets they own, the locked screen updates, and
// where the cursor is set. Keyboard focus, activation and the mouse grab are
// Qt's own; the windows read them from Qt. Only the user-interface thread
// touches it.
class WindowSystem
{
public:
    static std::uint64_t Register(CWnd* window);
    static void Unregister(CWnd* window);
    // Whether the window with that serial number still exists.
    static bool IsAlive(const CWnd* window, std::uint64_t serial);

    // The widgets of a window (host, client or native control) lead back
    // to it.
    static void AddWidget(const QWidget* widget, CWnd* window);
    // The window of a widget, or null.
    static CWnd* WindowOfWidget(const QWidget* widget);

    static CWnd* Locked();
    static void SetLocked(CWnd* window);
    // The window whose widget shows the cursor SetCursor sets.
    static CWnd* CursorWindow();
    static void SetCursorWindow(CWnd* window);

    // The last mouse position a window saw, in screen coordinates.
    static POINT LastMousePosition(bool* known);
    static void NoteMousePosition(POINT screenPoint);

    // Queues the message for the event loop.
    static void Post(CWnd* window, UINT message, WPARAM wParam, LPARAM lParam);
    // Offers a message to the window and its parents before dispatch.
    static bool PreTranslate(MSG* message);
};
