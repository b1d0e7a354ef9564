#include "SystemMetrics.h"

#include "CBrush.h"
#include "CFont.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <array>
#include <climits>

namespace {

// The classic light desktop.
constexpr std::array<COLORREF, 31> kColours = {
    RGB(200, 200, 200), // COLOR_SCROLLBAR
    RGB(0, 0, 0),       // COLOR_BACKGROUND
    RGB(153, 180, 209), // COLOR_ACTIVECAPTION
    RGB(191, 205, 219), // COLOR_INACTIVECAPTION
    RGB(240, 240, 240), // COLOR_MENU
    RGB(255, 255, 255), // COLOR_WINDOW
    RGB(100, 100, 100), // COLOR_WINDOWFRAME
    RGB(0, 0, 0),       // COLOR_MENUTEXT
    RGB(0, 0, 0),       // COLOR_WINDOWTEXT
    RGB(0, 0, 0),       // COLOR_CAPTIONTEXT
    RGB(180, 180, 180), // COLOR_ACTIVEBORDER
    RGB(244, 247, 252), // COLOR_INACTIVEBORDER
    RGB(171, 171, 171), // COLOR_APPWORKSPACE
    RGB(0, 120, 215),   // COLOR_HIGHLIGHT
    RGB(255, 255, 255), // COLOR_HIGHLIGHTTEXT
    RGB(240, 240, 240), // COLOR_BTNFACE
    RGB(160, 160, 160), // COLOR_BTNSHADOW
    RGB(109, 109, 109), // COLOR_GRAYTEXT
    RGB(0, 0, 0),       // COLOR_BTNTEXT
    RGB(0, 0, 0),       // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255), // COLOR_BTNHIGHLIGHT
    RGB(105, 105, 105), // COLOR_3DDKSHADOW
    RGB(227, 227, 227), // COLOR_3DLIGHT
    RGB(0, 0, 0),       // COLOR_INFOTEXT
    RGB(255, 255, 225), // COLOR_INFOBK
    RGB(255, 255, 255), // 25, unused
    RGB(0, 102, 204),   // COLOR_HOTLIGHT
    RGB(185, 209, 234), // COLOR_GRADIENTACTIVECAPTION
    RGB(215, 228, 242), // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 120, 215),   // COLOR_MENUHILIGHT
    RGB(240, 240, 240), // COLOR_MENUBAR
};

LOGFONTW SystemFont()
{
    LOGFONTW font{-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, DEFAULT_QUALITY, 0, {}};
    SetFaceName(&font, "Segoe UI");
    return font;
}

QSize PrimaryScreenSize()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->geometry().size();
    return QSize(1920, 1080);
}

RECT ToRect(const QRect& rect)
{
    return RECT{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

} // namespace

HMONITOR MonitorFromPoint(POINT point, DWORD)
{
    const QPoint at(point.x, point.y);
    const QScreen* nearest = QGuiApplication::screenAt(at);
    if (nearest == nullptr) {
        // Off every screen: the one whose area is closest.
        int best = INT_MAX;
        for (const QScreen* screen : QGuiApplication::screens()) {
            const QRect area = screen->geometry();
            const int dx = std::max({area.left() - at.x(), 0, at.x() - area.right()});
            const int dy = std::max({area.top() - at.y(), 0, at.y() - area.bottom()});
            if (dx + dy < best) {
                best = dx + dy;
                nearest = screen;
            }
        }
    }
    return nearest != nullptr ? nearest : QGuiApplication::primaryScreen();
}

BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info)
{
    const auto* screen = static_cast<const QScreen*>(monitor);
    if (info == nullptr)
        return FALSE;
    if (screen == nullptr) {
        // No screen at all (a program without a display): the usual one.
        info->rcMonitor = RECT{0, 0, 1920, 1080};
        info->rcWork = info->rcMonitor;
        info->dwFlags = 0;
        return TRUE;
    }
    info->rcMonitor = ToRect(screen->geometry());
    info->rcWork = ToRect(screen->availableGeometry());
    info->dwFlags = screen == QGuiApplication::primaryScreen() ? 1 : 0;
    return TRUE;
}

COLORREF GetSysColor(int index)
{
    if (index < 0 || index >= static_cast<int>(kColours.size()))
        return 0;
    return kColours[static_cast<std::size_t>(index)];
}

HBRUSH GetSysColorBrush(int index)
{
    static std::array<CBrush, kColours.size()> brushes = [] {
        std::array<CBrush, kColours.size()> made;
        for (std::size_t i = 0; i < made.size(); ++i)
            made[i].CreateSolidBrush(kColours[i]);
        return made;
    }();
    if (index < 0 || index >= static_cast<int>(brushes.size()))
        return nullptr;
    return &brushes[static_cast<std::size_t>(index)];
}

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN:
        return PrimaryScreenSize().width();
    case SM_CYSCREEN:
        return PrimaryScreenSize().height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
        return 17;
    case SM_CYCAPTION:
        return 23;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    default:
        return 0;
    }
}

BOOL SystemParametersInfo(UINT action, UINT, void* data, UINT)
{
    if (action != SPI_GETNONCLIENTMETRICS || data == nullptr)
        return FALSE;
    auto* metrics = static_cast<NONCLIENTMETRICS*>(data);
    if (metrics->cbSize < sizeof(NONCLIENTMETRICS))
        return FALSE;
    const LOGFONTW font = SystemFont();
    LOGFONTW caption = font;
    caption.lfWeight = FW_NORMAL;
    *metrics = NONCLIENTMETRICS{sizeof(NONCLIENTMETRICS),
                                1,
                                17,
                                17,
                                36,
                                22,
                                caption,
                                22,
                                22,
                                font,
                                19,
                                19,
                                font,
                                font,
                                font};
    return TRUE;
}
