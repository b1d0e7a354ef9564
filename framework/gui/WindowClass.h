#pragma once

#include "CString.h"
#include "Cursor.h"
#include "WinTypes.h"

class CBrush;
using HBRUSH = CBrush*;

// What windows of one class share: class styles (CS_DBLCLKS, ...), the
// cursor shown over them and the brush that erases their background.
struct WNDCLASS
{
    UINT style = 0;
    HCURSOR hCursor = nullptr;
    HBRUSH hbrBackground = nullptr;
    CString lpszClassName;
};
using WindowClass = WNDCLASS;

// Registers a window class by name; fails (0) when the name is taken.
WORD RegisterClass(const WNDCLASS* windowClass);
// Fills the class of that name; FALSE when none is registered.
BOOL GetClassInfo(const CString& className, WNDCLASS* windowClass);
// Registers (once) a class with these settings under a generated name and
// returns the name.
CString AfxRegisterWndClass(UINT style, HCURSOR cursor = nullptr, HBRUSH background = nullptr);
