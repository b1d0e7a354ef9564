#pragma once

#include "CString.h"
#include "WinTypes.h"

#include <vector>

// A menu as the program's resources describe it: pop-ups of items, an item
// with id 0 being a separator, and the place where the recent-file list
// goes.
struct MenuItemResource
{
    CString text;
    UINT id = 0;
};

struct PopupResource
{
    CString text;
    std::vector<MenuItemResource> items;
};

struct MenuResource
{
    std::vector<PopupResource> popups;
};

// A key that runs a command ("Ctrl+N", "Shift+F6").
struct AcceleratorResource
{
    CString keys;
    UINT id = 0;
};

// The item id that stands for the recent-file list.
constexpr UINT kRecentFileListPlace = 0xFFFF;
