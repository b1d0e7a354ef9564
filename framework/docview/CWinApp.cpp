#include "CWinApp.h"

#include "CCmdUI.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CFileDialog.h"
#include "CMDIFrameWnd.h"
#include "CPrintDialog.h"
#include "CView.h"
#include "CWaitCursor.h"
#include "ModalSeam.h"

#include <QApplication>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QSettings>

#include <algorithm>

namespace {

CWinApp* g_app = nullptr;

CString TitleOf(const CDocument* document)
{
    return CString::FromQString(QFileInfo(document->GetPathName().ToQString()).fileName());
}

} // namespace

CWinApp::CWinApp(const CString& appName) : m_appName(appName)
{
    g_app = this;
    // Message boxes are captioned with the program's name.
    QCoreApplication::setApplicationName(appName.ToQString());
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* CWinApp::AfxGetApp()
{
    return g_app;
}

int CWinApp::ExitInstance()
{
    return 0;
}

// Settings -------------------------------------------------------------------

void CWinApp::SetRegistryKey(const CString& company)
{
    m_registryKey = company;
}

void CWinApp::LoadStdProfileSettings(int maxRecentFiles)
{
    m_maxRecentFiles = maxRecentFiles;
    m_recentFiles.clear();
    QSettings settings(m_registryKey.ToQString(), m_appName.ToQString());
    settings.beginGroup("Recent File List");
    for (int i = 1; i <= maxRecentFiles; ++i) {
        const QString path = settings.value(QString("File%1").arg(i)).toString();
        if (!path.isEmpty())
            m_recentFiles.push_back(CString::FromQString(path));
    }
}

void CWinApp::SaveRecentFiles() const
{
    QSettings settings(m_registryKey.ToQString(), m_appName.ToQString());
    settings.beginGroup("Recent File List");
    settings.remove("");
    for (std::size_t i = 0; i < m_recentFiles.size(); ++i)
        settings.setValue(QString("File%1").arg(i + 1), m_recentFiles[i].ToQString());
}

void CWinApp::AddToRecentFileList(const CString& path)
{
    m_recentFiles.erase(std::remove(m_recentFiles.begin(), m_recentFiles.end(), path),
                        m_recentFiles.end());
    m_recentFiles.insert(m_recentFiles.begin(), path);
    if (static_cast<int>(m_recentFiles.size()) > m_maxRecentFiles)
        m_recentFiles.resize(static_cast<std::size_t>(m_maxRecentFiles));
    SaveRecentFiles();
    if (m_pMainWnd != nullptr)
        m_pMainWnd->SetRecentFiles(m_recentFiles);
}

// Documents ------------------------------------------------------------------

void CWinApp::AddDocTemplate(CMultiDocTemplate* docTemplate)
{
    m_template.reset(docTemplate);
}

CDocument* CWinApp::OpenDocumentFile(const CString& path)
{
    if (m_template == nullptr || m_pMainWnd == nullptr)
        return nullptr;
    CDocument* document = m_template->OpenDocumentFile(path, m_pMainWnd);
    if (document != nullptr)
        AddToRecentFileList(document->GetPathName());
    return document;
}

bool CWinApp::SaveDocument(CDocument* document, bool askForPath)
{
    if (document == nullptr)
        return false;
    CString path = document->GetPathName();
    if (askForPath || path.IsEmpty()) {
        CFileDialog dialog(FALSE, m_template->GetDocString(CMultiDocTemplate::filterExt), path,
                           OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, m_template->GetFileFilter(),
                           m_pMainWnd);
        if (dialog.DoModal() != IDOK)
            return false;
        path = dialog.GetPathName();
    }
    const CString question = document->GetOverwriteQuestion(path);
    if (!question.IsEmpty() &&
        AfxMessageBox(question, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
        return false;
    bool saved = false;
    {
        const CWaitCursor wait;
        saved = document->OnSaveDocument(path);
    }
    if (!saved) {
        AfxMessageBox(document->GetLastErrorMessage(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    document->SetPathName(path);
    document->SetModifiedFlag(false);
    AddToRecentFileList(path);
    // Every window of the document is titled by its new name.
    if (m_pMainWnd != nullptr)
        m_pMainWnd->UpdateFrameTitles();
    return true;
}

bool CWinApp::SaveModified(CDocument* document)
{
    if (document == nullptr || !document->IsModified())
        return true;
    const int answer =
        AfxMessageBox(CString::Formatted("Save changes to %s?", TitleOf(document).ToUtf8().c_str()),
                      MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDCANCEL)
        return false;
    if (answer == IDYES)
        return SaveDocument(document, false);
    return true;
}

bool CWinApp::CloseDocument(CDocument* document)
{
    if (document == nullptr || !SaveModified(document))
        return false;
    m_template->CloseDocument(document);
    return true;
}

bool CWinApp::SaveAllModified()
{
    if (m_template == nullptr)
        return true;
    for (const auto& document : m_template->Documents()) {
        if (!document->IsModified())
            continue;
        // The question comes with the document's window in front.
        if (m_pMainWnd != nullptr)
            for (CMDIChildWnd* child : m_pMainWnd->Children())
                if (child->GetDocument() == document.get()) {
                    child->MDIActivate();
                    break;
                }
        if (!SaveModified(document.get()))
            return false;
    }
    return true;
}

void CWinApp::CloseAllDocuments()
{
    if (m_template == nullptr)
        return;
    while (!m_template->Documents().empty())
        m_template->CloseDocument(m_template->Documents().front().get());
}

// Command line ---------------------------------------------------------------

void CWinApp::ParseCommandLine(const std::vector<CString>& arguments, CCommandLineInfo& info)
{
    info = CCommandLineInfo{};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const CString& argument = arguments[i];
        if (argument == CString("/p") || argument == CString("-p")) {
            info.m_nShellCommand = CCommandLineInfo::FilePrint;
        } else if (argument == CString("/pt") || argument == CString("-pt")) {
            info.m_nShellCommand = CCommandLineInfo::FilePrintTo;
        } else if (info.m_strFileName.IsEmpty()) {
            info.m_strFileName = argument;
            if (info.m_nShellCommand == CCommandLineInfo::FileNew)
                info.m_nShellCommand = CCommandLineInfo::FileOpen;
        } else if (info.m_nShellCommand == CCommandLineInfo::FilePrintTo &&
                   info.m_strPrinterName.IsEmpty()) {
            info.m_strPrinterName = argument;
        }
    }
}

BOOL CWinApp::ProcessShellCommand(const CCommandLineInfo& info)
{
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (m_template != nullptr)
            m_template->OpenNewDocument(m_pMainWnd);
        return TRUE;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(info.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo: {
        CDocument* document = OpenDocumentFile(info.m_strFileName);
        if (document == nullptr)
            return FALSE;
        const std::vector<CView*> views = CView::ViewsOf(document);
        if (!views.empty()) {
            const QString pdf = QFileInfo(info.m_strFileName.ToQString()).absolutePath() + "/" +
                                QFileInfo(info.m_strFileName.ToQString()).completeBaseName() +
                                ".pdf";
            CView::SetDirectPrintFile(CString::FromQString(pdf));
            CView::SetDirectPrinterName(info.m_strPrinterName);
            views.front()->OnFilePrintDirect();
        }
        m_template->CloseDocument(document);
        return FALSE;
    }
    }
    return FALSE;
}

// Commands -------------------------------------------------------------------

void CWinApp::OnFilePrintSetup()
{
    // The page set-up the later print jobs start from.
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(CPrintDialog::GetDefaultOrientation());
    ModalRequest request;
    request.kind = ModalRequest::dialog;
    request.text = "CPageSetupDialog";
    request.dialogObject = &printer;
    request.owner = m_pMainWnd;
    const INT_PTR answer = ModalSeam::Run(request, [this, &printer]() -> INT_PTR {
        QPageSetupDialog dialog(&printer,
                                m_pMainWnd != nullptr ? m_pMainWnd->GetHostWidget() : nullptr);
        return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    });
    if (answer == IDOK)
        CPrintDialog::SetDefaultOrientation(printer.pageLayout().orientation());
}

void CWinApp::OnFileOpen()
{
    if (m_template == nullptr)
        return;
    CFileDialog dialog(TRUE, m_template->GetDocString(CMultiDocTemplate::filterExt), CString(),
                       OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, m_template->GetFileFilter(),
                       m_pMainWnd);
    if (dialog.DoModal() == IDOK)
        OpenDocumentFile(dialog.GetPathName());
}

BOOL CWinApp::OnCommand(UINT id)
{
    CDocument* active = m_pMainWnd != nullptr ? m_pMainWnd->GetActiveDocument() : nullptr;
    if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + 16) {
        const std::size_t index = id - ID_FILE_MRU_FILE1;
        if (index < m_recentFiles.size())
            OpenDocumentFile(CString(m_recentFiles[index]));
        return TRUE;
    }
    switch (id) {
    case ID_FILE_NEW:
        if (m_template != nullptr)
            m_template->OpenNewDocument(m_pMainWnd);
        return TRUE;
    case ID_FILE_OPEN:
        OnFileOpen();
        return TRUE;
    case ID_FILE_SAVE:
        SaveDocument(active, false);
        return TRUE;
    case ID_FILE_SAVE_AS:
        SaveDocument(active, true);
        return TRUE;
    case ID_FILE_CLOSE:
        CloseDocument(active);
        return TRUE;
    case ID_WINDOW_NEW:
        if (active != nullptr)
            m_template->CreateNewWindow(active, m_pMainWnd);
        return TRUE;
    case ID_APP_ABOUT:
        OnAppAbout();
        return TRUE;
    case ID_FILE_PRINT_SETUP:
        OnFilePrintSetup();
        return TRUE;
    case ID_APP_EXIT:
        // The main frame closes as when the desktop closes it.
        if (m_pMainWnd != nullptr && m_pMainWnd->GetSafeHwnd() != nullptr)
            m_pMainWnd->SendMessage(WM_CLOSE);
        else
            QApplication::quit();
        return TRUE;
    default:
        return FALSE;
    }
}

void CWinApp::OnUpdateCommand(CCmdUI* ui)
{
    const bool document = m_pMainWnd != nullptr && m_pMainWnd->GetActiveDocument() != nullptr;
    switch (ui->m_nID) {
    case ID_FILE_NEW:
    case ID_FILE_OPEN:
    case ID_FILE_PRINT_SETUP:
    case ID_APP_ABOUT:
    case ID_APP_EXIT:
        ui->Enable();
        break;
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
    case ID_FILE_CLOSE:
    case ID_WINDOW_NEW:
        ui->Enable(document);
        break;
    default:
        if (ui->m_nID >= ID_FILE_MRU_FILE1 && ui->m_nID < ID_FILE_MRU_FILE1 + 16)
            ui->Enable();
        break;
    }
}
