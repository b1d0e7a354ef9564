#pragma once

#include "Gdi.h"
#include "Styles.h"

// The desktop's colours and metrics, from one fixed table of the usual
// values, so that drawing is the same on every machine and in tests.

COLORREF GetSysColor(int index);
// A brush of that colour, valid for the whole run.
HBRUSH GetSysColorBrush(int index);
int GetSystemMetrics(int index);

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
