#pragma once

#include "CString.h"
#include "WinTypes.h"

#include <vector>

class CWnd;

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_SEPARATOR = 0x0800;

constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

// A pop-up menu of commands. Tracking runs through the modal seam as
// "CMenu" with the menu object, so that a test can choose an item.
class CMenu
{
public:
    struct Item
    {
        UINT flags = MF_STRING;
        UINT id = 0;
        CString text;
    };

    BOOL CreatePopupMenu();
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const CString& text = {});
    // Shows the menu at (x, y) in screen coordinates. With TPM_RETURNCMD it
    // returns the chosen command (0 for none); otherwise it posts the
    // command to the window as WM_COMMAND and returns whether one was
    // chosen.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* window, const RECT* rect = nullptr);

    const std::vector<Item>& Items() const { return m_items; }

private:
    bool m_created = false;
    std::vector<Item> m_items;
};
