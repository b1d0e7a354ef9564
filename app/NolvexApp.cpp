#include "NolvexApp.h"

#include "CDialog.h"
#include "CDocTemplate.h"
#include "CPrintDialog.h"
#include "MainFrame.h"
#include "ModalSeam.h"
#include "NolvexDoc.h"
#include "NolvexView.h"
#include "Resources.h"

#include <QWidget>

CNolvexApp::CNolvexApp() : CWinApp("Nolvex") {}

CNolvexApp::~CNolvexApp()
{
    // Documents and their frames go before the main frame.
    CloseAllDocuments();
    m_template.reset();
    delete MainFrame();
    m_pMainWnd = nullptr;
}

CMainFrame* CNolvexApp::MainFrame() const
{
    return static_cast<CMainFrame*>(m_pMainWnd);
}

BOOL CNolvexApp::InitInstance()
{
    SetRegistryKey("Vexcor");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CMultiDocTemplate(
        Resources::IDR_NOLVEXTYPE,
        "\nNolvex\nNolvex\nNolvex Files (*.nolvex)\n.nolvex\nNolvex.Document\nNolvex.Document",
        [] { return new CNolvexDoc; }, [] { return new CChildFrame; },
        [] { return new CNolvexView; }));
    auto* frame = new CMainFrame;
    m_pMainWnd = frame;
    if (!frame->LoadFrame())
        return FALSE;
    frame->SetRecentFiles(RecentFiles());
    CPrintDialog::SetDefaultOrientation(QPageLayout::Landscape);
    CCommandLineInfo info;
    ParseCommandLine(m_arguments, info);
    if (!ProcessShellCommand(info))
        return FALSE;
    frame->GetHostWidget()->show();
    return TRUE;
}

void CNolvexApp::OnAppAbout()
{
    Resources::RegisterAboutDialogTemplate();
    CDialog about(Resources::IDD_ABOUTBOX, m_pMainWnd);
    about.m_dialogName = "CAboutDlg";
    about.DoModal();
}
