#include "Resources.h"

#include "CCmdUI.h"
#include "CDialog.h"
#include "CView.h"
#include "DialogControlIds.h"
#include "ResourceIds.h"

namespace Resources {

namespace {

// With a document the View menu also opens the exposure summary of the
// view's test.
PopupResource ViewPopup(bool withDocument)
{
    PopupResource view{"&View",
                       {{"&Toolbar", ID_VIEW_TOOLBAR}, {"&Status Bar", ID_VIEW_STATUS_BAR}}};
    if (withDocument) {
        view.items.push_back({{}, 0});
        view.items.push_back({"&Exposure Summary", ID_VIEW_EXPOSURE_SUMMARY});
    }
    return view;
}

PopupResource HelpPopup()
{
    return {"&Help", {{"&About Nolvex...", ID_APP_ABOUT}}};
}

} // namespace

MenuResource MainMenu()
{
    MenuResource menu;
    menu.popups.push_back({"&File",
                           {{"&Open...\tCtrl+O", ID_FILE_OPEN},
                            {{}, 0},
                            {{}, kRecentFileListPlace},
                            {{}, 0},
                            {"&Close", ID_FILE_CLOSE},
                            {"E&xit", ID_APP_EXIT}}});
    menu.popups.push_back(ViewPopup(false));
    menu.popups.push_back(HelpPopup());
    return menu;
}

MenuResource DocumentMenu()
{
    MenuResource menu;
    menu.popups.push_back({"&File",
                           {{"&Open...\tCtrl+O", ID_FILE_OPEN},
                            {"&Close", ID_FILE_CLOSE},
                            {"&Save\tCtrl+S", ID_FILE_SAVE},
                            {"Save &As...", ID_FILE_SAVE_AS},
                            {"Export CSV", ID_FILE_EXPORT_CSV},
                            {{}, 0},
                            {"&Print...\tCtrl+P", ID_FILE_PRINT},
                            {"P&rint Setup...", ID_FILE_PRINT_SETUP},
                            {{}, 0},
                            {{}, kRecentFileListPlace},
                            {{}, 0},
                            {"E&xit", ID_APP_EXIT}}});
    menu.popups.push_back({"&Edit",
                           {{"Add Metric", ID_EDIT_ADD_METRIC},
                            {"Remove Metric", ID_EDIT_REMOVE_METRIC},
                            {"Zoom In", ID_EDIT_ZOOM_IN},
                            {"Zoom Out", ID_EDIT_ZOOM_OUT},
                            {"Cut Selection", ID_EDIT_CUT_SELECTION}}});
    menu.popups.push_back(ViewPopup(true));
    menu.popups.push_back({"&Window",
                           {{"&New Window", ID_WINDOW_NEW},
                            {"&Cascade", ID_WINDOW_CASCADE},
                            {"&Tile", ID_WINDOW_TILE_HORZ},
                            {"&Arrange Icons", ID_WINDOW_ARRANGE}}});
    menu.popups.push_back(HelpPopup());
    return menu;
}

std::vector<AcceleratorResource> Accelerators()
{
    // The edit keys have no command behind them and do nothing.
    return {{"Ctrl+N", ID_FILE_NEW},   {"Ctrl+O", ID_FILE_OPEN},     {"Ctrl+S", ID_FILE_SAVE},
            {"Ctrl+P", ID_FILE_PRINT}, {"F6", ID_NEXT_PANE},         {"Shift+F6", ID_PREV_PANE},
            {"F1", ID_HELP},           {"Shift+F1", ID_CONTEXT_HELP}};
}

std::map<UINT, CString> Prompts()
{
    return {
        {ID_EDIT_ADD_METRIC, "Add a new metric to the display list\nadd"},
        {ID_EDIT_REMOVE_METRIC, "Remove the selected metric from the display list\nRemove"},
        {ID_EDIT_ZOOM_IN, "Zoom In\nZoom In"},
        {ID_EDIT_ZOOM_OUT, "Zoom Out\nZoom Out"},
        {ID_EDIT_CUT_SELECTION, "Cut the selected region from the data and recalculate\nCut"},
        {ID_FILE_PRINT, "Print the active document\nPrint"},
        {ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview"},
        {ID_FILE_OPEN, "Open an existing document\nOpen"},
        {ID_FILE_SAVE, "Save the active document\nSave"},
        {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
        {ID_FILE_CLOSE, "Close the active document\nClose"},
        {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
        {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
        {ID_VIEW_EXPOSURE_SUMMARY,
         "Show the exposure figures of the test and of the selection\nExposure Summary"},
    };
}

std::vector<UINT> ToolbarCommands()
{
    return {ID_FILE_OPEN,    ID_FILE_SAVE,       ID_FILE_SAVE_AS,
            ID_FILE_PRINT,   ID_EDIT_ADD_METRIC, ID_EDIT_REMOVE_METRIC,
            ID_EDIT_ZOOM_IN, ID_EDIT_ZOOM_OUT,   ID_EDIT_CUT_SELECTION};
}

CString String(UINT id)
{
    switch (id) {
    case 100:
        return "OLE initialization failed.  Make sure that the OLE libraries are the correct "
               "version.";
    case 128:
    case 57344:
        return "Nolvex";
    default:
        return {};
    }
}

CString HelpText()
{
    return "Open a recording with File > Open, from the recent files or by dropping it on "
           "the window.\n\n"
           "The tree on the left lists the recording's tests: choose one to plot it. Edit > Add "
           "Metric adds a row to the list under the chart; choose what it plots in its Data "
           "Type cell, and right-click the row to give it another colour. Remove Metric takes "
           "the selected row away.\n\n"
           "Move the mouse over the chart to read each metric at the cursor, and drag across "
           "it to select a span and read each metric's mean over it. The list also shows the "
           "last value of the running metrics.\n\n"
           "Edit > Cut Selection removes the selected span and recomputes the running levels, "
           "peaks, TWA, dose, projected dose and sound exposure; File > Save writes the file. "
           "Zoom In and Zoom Out change the time span shown.\n\n"
           "File > Export CSV writes the test's metrics to a file and File > Print prints the "
           "chart. Window > New Window shows the recording in a second window.\n\n"
           "View > Exposure Summary shows the test's and the selection's equivalent levels, "
           "maxima and peaks, exposure, percentile levels, octave bands and noise dose under "
           "OSHA, NIOSH and ISO rules; Copy puts them on the clipboard for a spreadsheet.\n\n"
           "F6 and Shift+F6 move between the tree, the chart and the list.";
}

void RegisterAboutDialogTemplate()
{
    static const bool registered = [] {
        DialogTemplate about;
        about.id = IDD_ABOUTBOX;
        about.caption = "About Nolvex";
        about.size = CSize(480, 110);
        about.controls = {
            {DialogControlKind::Static, IDC_STATIC, CRect(16, 14, 464, 32), "Nolvex Version 1.2"},
            {DialogControlKind::Static, IDC_STATIC, CRect(16, 38, 464, 56),
             "Analysis of sound level meter and noise dosimeter recordings."},
            {DialogControlKind::PushButton, IDOK, CRect(384, 72, 464, 98), "OK"},
        };
        RegisterDialogTemplate(about);
        return true;
    }();
    (void)registered;
}

void RegisterExposureSummaryTemplate()
{
    static const bool registered = [] {
        DialogTemplate summary;
        summary.id = IDD_EXPOSURE_SUMMARY;
        summary.caption = "Exposure Summary";
        summary.size = CSize(560, 560);
        summary.controls = {
            {DialogControlKind::Static, IDC_EXPOSURE_SUMMARY_TEST, CRect(12, 10, 548, 28), ""},
            // The table, a list the window makes itself.
            {DialogControlKind::Custom, IDC_EXPOSURE_SUMMARY_TABLE, CRect(12, 34, 548, 510), ""},
            {DialogControlKind::PushButton, IDC_EXPOSURE_SUMMARY_COPY, CRect(372, 522, 454, 548),
             "&Copy"},
            {DialogControlKind::PushButton, IDCANCEL, CRect(466, 522, 548, 548), "Close"},
        };
        RegisterDialogTemplate(summary);
        return true;
    }();
    (void)registered;
}

} // namespace Resources
