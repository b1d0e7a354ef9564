#pragma once

#include "CMDIFrameWnd.h"
#include "MenuResource.h"

#include <QImage>

#include <map>
#include <vector>

// The program's resources: menus, keys, prompts, toolbar and texts.
namespace Resources {

constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDR_NOLVEXTYPE = 129;
constexpr UINT IDB_TOOLBAR_NORMAL = 132;
constexpr UINT IDB_TOOLBAR_HOT = 133;
constexpr UINT IDB_TOOLBAR_DISABLED = 134;
constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDD_EXPOSURE_SUMMARY = 101;
constexpr int kButtonWidth = 40;
constexpr int kButtonHeight = 34;

// Menu 128, without a document, and 129, with one.
MenuResource MainMenu();
MenuResource DocumentMenu();
std::vector<AcceleratorResource> Accelerators();
// Status bar prompt and tooltip of each command, "prompt\ntooltip".
std::map<UINT, CString> Prompts();
// The toolbar's commands in button order.
std::vector<UINT> ToolbarCommands();
// One of the toolbar bitmaps: the nine buttons side by side.
QImage ToolbarBitmap(UINT id);
// The program's icon: the curve of the Add Metric button, with a see-through
// background.
QImage ProgramIcon();
CString String(UINT id);
// What F1 shows.
CString HelpText();
// Registers the About box's template (once).
void RegisterAboutDialogTemplate();
// Registers the Exposure Summary window's template (once).
void RegisterExposureSummaryTemplate();

} // namespace Resources
