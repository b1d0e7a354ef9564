#pragma once

#include "WinTypes.h"

// Asks the windows on the command route whether a command can run now.
struct CCmdUI
{
    explicit CCmdUI(UINT id) : m_nID(id) {}
    void Enable(BOOL enable = TRUE)
    {
        m_enabled = enable;
        m_answered = true;
    }
    void SetCheck(int check = 1) { m_check = check; }

    UINT m_nID;
    BOOL m_enabled = FALSE;
    int m_check = -1;
    bool m_answered = false;
};

// The framework's standard commands.
constexpr UINT ID_FILE_NEW = 57600;
constexpr UINT ID_FILE_OPEN = 57601;
constexpr UINT ID_FILE_CLOSE = 57602;
constexpr UINT ID_FILE_SAVE = 57603;
constexpr UINT ID_FILE_SAVE_AS = 57604;
constexpr UINT ID_FILE_PRINT_SETUP = 57606;
constexpr UINT ID_FILE_MRU_FILE1 = 57616;
constexpr UINT ID_WINDOW_NEW = 57648;
constexpr UINT ID_WINDOW_ARRANGE = 57649;
constexpr UINT ID_WINDOW_CASCADE = 57650;
constexpr UINT ID_WINDOW_TILE_HORZ = 57651;
constexpr UINT ID_HELP_FINDER = 57667;
constexpr UINT ID_CONTEXT_HELP = 57669;
constexpr UINT ID_HELP = 57670;
constexpr UINT ID_DEFAULT_HELP = 57671;
constexpr UINT ID_APP_ABOUT = 57664;
constexpr UINT ID_APP_EXIT = 57665;
constexpr UINT ID_VIEW_TOOLBAR = 59392;
constexpr UINT ID_NEXT_PANE = 0xE150;
constexpr UINT ID_PREV_PANE = 0xE151;
constexpr UINT ID_VIEW_STATUS_BAR = 59393;
