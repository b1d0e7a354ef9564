#pragma once

#include "CString.h"
#include "WinTypes.h"

#include <memory>
#include <vector>

struct CCmdUI;
class CDocument;
class CMDIFrameWnd;
class CMultiDocTemplate;

// What the command line asks for.
struct CCommandLineInfo
{
    enum Shell
    {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo
    };
    Shell m_nShellCommand = FileNew;
    CString m_strFileName;
    CString m_strPrinterName;
};

// The program: its settings, its recent files, its document template and
// main frame, and the commands no window takes.
class CWinApp
{
public:
    explicit CWinApp(const CString& appName);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    static CWinApp* AfxGetApp();

    virtual BOOL InitInstance() = 0;
    virtual int ExitInstance();

    // The per-user settings live under company\application.
    void SetRegistryKey(const CString& company);
    void LoadStdProfileSettings(int maxRecentFiles);
    void AddToRecentFileList(const CString& path);
    const std::vector<CString>& RecentFiles() const { return m_recentFiles; }

    void AddDocTemplate(CMultiDocTemplate* docTemplate);

    // Opens a file in a new child frame; null when it cannot be read.
    CDocument* OpenDocumentFile(const CString& path);
    // Saves to the document's path, or asks for one; false when not saved.
    bool SaveDocument(CDocument* document, bool askForPath);
    // Asks about unsaved changes; false when the user keeps the document.
    bool SaveModified(CDocument* document);
    bool CloseDocument(CDocument* document);
    // Asks for every modified document in turn; false when the user
    // cancels or a save fails.
    bool SaveAllModified();
    // Closes every document and its windows without asking.
    void CloseAllDocuments();

    static void ParseCommandLine(const std::vector<CString>& arguments, CCommandLineInfo& info);
    BOOL ProcessShellCommand(const CCommandLineInfo& info);

    virtual BOOL OnCommand(UINT id);
    virtual void OnUpdateCommand(CCmdUI* ui);
    virtual void OnAppAbout() {}

    CMDIFrameWnd* m_pMainWnd = nullptr;
    CString m_appName;

protected:
    void SaveRecentFiles() const;
    void OnFileOpen();
    void OnFilePrintSetup();

    CString m_registryKey;
    int m_maxRecentFiles = 4;
    std::vector<CString> m_recentFiles;
    std::unique_ptr<CMultiDocTemplate> m_template;
};
