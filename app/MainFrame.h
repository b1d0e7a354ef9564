#pragma once

#include "CMDIFrameWnd.h"

// The program's main frame: menu, true-colour toolbar and status bar.
class CMainFrame : public CMDIFrameWnd
{
public:
    BOOL LoadFrame();
};

// The frame of one analysis view.
class CChildFrame : public CMDIChildWnd
{
};
