#pragma once

#include "Geometry.h"
#include "Types.h"
#include "WinTypes.h"

class CDC;

// The report list view and its header: styles, records and notifications.

constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;

constexpr DWORD LVS_EX_GRIDLINES = 0x00000001;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x00000020;

constexpr UINT LVIF_STATE = 0x0008;

constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;

constexpr UINT LVNI_FOCUSED = 0x0001;
constexpr UINT LVNI_SELECTED = 0x0002;

constexpr UINT LVHT_NOWHERE = 0x0001;
constexpr UINT LVHT_ONITEMLABEL = 0x0004;

constexpr int LVIR_BOUNDS = 0;

constexpr int LVCFMT_LEFT = 0x0000;
constexpr int LVCFMT_RIGHT = 0x0001;
constexpr int LVCFMT_CENTER = 0x0002;

constexpr int HDF_LEFT = 0x0000;
constexpr int HDF_RIGHT = 0x0001;
constexpr int HDF_CENTER = 0x0002;
constexpr int HDF_JUSTIFYMASK = 0x0003;
constexpr int HDF_STRING = 0x4000;

constexpr UINT HDI_WIDTH = 0x0001;
constexpr UINT HDI_TEXT = 0x0002;
constexpr UINT HDI_FORMAT = 0x0004;
constexpr UINT HDI_IMAGE = 0x0020;

// Notification codes.
constexpr UINT NM_CLICK = static_cast<UINT>(-2);
constexpr UINT NM_DBLCLK = static_cast<UINT>(-3);
constexpr UINT NM_RCLICK = static_cast<UINT>(-5);
constexpr UINT LVN_ITEMCHANGED = static_cast<UINT>(-101);
constexpr UINT LVN_COLUMNCLICK = static_cast<UINT>(-108);
constexpr UINT HDN_ITEMCHANGED = static_cast<UINT>(-301);
constexpr UINT HDN_ITEMCLICK = static_cast<UINT>(-302);
constexpr UINT HDN_ENDTRACK = static_cast<UINT>(-307);

struct NMLISTVIEW
{
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
};

struct NMHEADER
{
    NMHDR hdr;
    int iItem;
    int iButton;
};

struct LVCOLUMN
{
    UINT mask = 0;
    int fmt = LVCFMT_LEFT;
    int cx = 0;
    const char16_t* pszText = nullptr;
    int cchTextMax = 0;
    int iSubItem = 0;
};

struct LVHITTESTINFO
{
    POINT pt{};
    UINT flags = 0;
    int iItem = -1;
    int iSubItem = 0;
};

struct HDITEM
{
    UINT mask = 0;
    int cxy = 0;
    const char16_t* pszText = nullptr;
    int fmt = HDF_LEFT | HDF_STRING;
    int iImage = -1;
};
