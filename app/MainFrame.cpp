#include "MainFrame.h"

#include "Resources.h"
#include "TrueColorToolBar.h"

BOOL CMainFrame::LoadFrame()
{
    if (!CreateFrame(Resources::String(Resources::IDR_MAINFRAME), CRect(40, 40, 1240, 840)))
        return FALSE;
    SetPrompts(Resources::Prompts());
    SetMenus(Resources::MainMenu(), Resources::DocumentMenu());
    SetAccelerators(Resources::Accelerators());
    CTrueColorToolBar::Load(this);
    SetIcon(Resources::ProgramIcon());
    SetIndicators({"CAP", "NUM", "SCRL"});
    SetHelpText("Nolvex Help", Resources::HelpText());
    SetIdleMessage("Ready");
    return TRUE;
}
