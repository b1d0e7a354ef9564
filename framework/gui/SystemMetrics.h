#pragma once

#include "Gdi.h"
#include "Styles.h"

// The desktop's colours and metrics, from one fixed table of the usual
// values, so that drawing is the same on every machine and in tests. The
// size of the screen (SM_CXSCREEN, SM_CYSCREEN: the primary screen) and the
// screens' areas come from the real screens.

COLORREF GetSysColor(int index);
// A brush of that colour, valid for the whole run.
HBRUSH GetSysColorBrush(int index);
int GetSystemMetrics(int index);

// A screen of the desktop.
using HMONITOR = const void*;
constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;

struct MONITORINFO
{
    DWORD cbSize;
    // The whole screen and the part windows may use (without panels).
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags;
};

// The screen that holds the point, else the nearest one.
HMONITOR MonitorFromPoint(POINT point, DWORD flags);
BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info);

// The system's fonts and non-client sizes, in the layout of 500 bytes.
struct NONCLIENTMETRICS
{
    UINT cbSize;
    int iBorderWidth;
    int iScrollWidth;
    int iScrollHeight;
    int iCaptionWidth;
    int iCaptionHeight;
    LOGFONTW lfCaptionFont;
    int iSmCaptionWidth;
    int iSmCaptionHeight;
    LOGFONTW lfSmCaptionFont;
    int iMenuWidth;
    int iMenuHeight;
    LOGFONTW lfMenuFont;
    LOGFONTW lfStatusFont;
    LOGFONTW lfMessageFont;
};
static_assert(sizeof(NONCLIENTMETRICS) == 500);

constexpr UINT SPI_GETNONCLIENTMETRICS = 0x0029;

// Only SPI_GETNONCLIENTMETRICS is known; data must hold cbSize 500 or more.
BOOL SystemParametersInfo(UINT action, UINT param, void* data, UINT winIni);
