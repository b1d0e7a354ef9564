#pragma once

#include "WinTypes.h"

#include <Qt>

// Mouse cursors. A cursor handle names one of the desktop's cursor shapes;
// the handles live for the whole run.
struct CursorShape
{
    Qt::CursorShape shape;
};
using HCURSOR = const CursorShape*;

constexpr int IDC_ARROW = 32512;
constexpr int IDC_IBEAM = 32513;
constexpr int IDC_WAIT = 32514;
constexpr int IDC_CROSS = 32515;
constexpr int IDC_UPARROW = 32516;
constexpr int IDC_SIZENWSE = 32642;
constexpr int IDC_SIZENESW = 32643;
constexpr int IDC_SIZEWE = 32644;
constexpr int IDC_SIZENS = 32645;
constexpr int IDC_SIZEALL = 32646;
constexpr int IDC_NO = 32648;
constexpr int IDC_HAND = 32649;

// A standard cursor (instance null) by its IDC_ number; null for an unknown one.
HCURSOR LoadCursor(void* instance, int cursorId);
// Makes the cursor the one shown over the window that receives the mouse;
// returns the previous cursor.
HCURSOR SetCursor(HCURSOR cursor);
// The mouse position in screen coordinates.
BOOL GetCursorPos(POINT* point);
