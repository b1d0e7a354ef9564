#pragma once

#include "CWinApp.h"

#include <vector>

class CMainFrame;

// The program: one main frame with a child frame per analysis view of an
// opened measurement file.
class CNolvexApp : public CWinApp
{
public:
    CNolvexApp();
    ~CNolvexApp() override;

    // The arguments after the program's name.
    void SetArguments(const std::vector<CString>& arguments) { m_arguments = arguments; }
    BOOL InitInstance() override;
    void OnAppAbout() override;

    CMainFrame* MainFrame() const;

private:
    std::vector<CString> m_arguments;
};
