#pragma once

#include "CCmdUI.h"
#include "CWnd.h"
#include "MenuResource.h"

#include <QImage>

#include <map>
#include <memory>
#include <vector>

class CDocument;
class CMDIChildWnd;
class CMultiDocTemplate;
class CView;
class QAction;
class QLabel;
class QMainWindow;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;

// The window that holds child frames inside the main frame.
class CMDIClientWnd : public CWnd
{
public:
    QMdiArea* Area() const { return m_area; }

protected:
    QWidget* CreateNativeWidget(const CREATESTRUCT& create, QWidget* parent) override;

private:
    QMdiArea* m_area = nullptr;
};

// One toolbar button: its command, prompt and tooltip, and its images.
struct ToolbarButton
{
    UINT id = 0;
    CString tooltip;
    QImage normal;
    QImage hot;
    QImage disabled;
};

// The main frame of a multiple-document program: the program's one
// top-level window, with menu, toolbar, child frames and status bar laid out
// by a QMainWindow inside it. Commands from the menu, the toolbar and the
// keys go to the active view first, then to the frame, then to the
// application; the same route says whether each is enabled and checked.
// Closing it (File > Exit, the window manager, a logout) offers to save every
// modified document first; Cancel or a failed save keeps everything open.
class CMDIFrameWnd : public CWnd
{
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    BOOL CreateFrame(const CString& title, const RECT& rect);

    // The menu shown without a document and the one shown with one.
    void SetMenus(const MenuResource& empty, const MenuResource& withDocument);
    void SetAccelerators(const std::vector<AcceleratorResource>& accelerators);
    // Prompts by command: status bar text, "\n", tooltip.
    void SetPrompts(const std::map<UINT, CString>& prompts);
    void SetToolbar(const std::vector<ToolbarButton>& buttons, int width, int height);
    // The status bar's indicator panes after the message pane. "CAP",
    // "NUM" and "SCRL" show their name while their lock key is on, nothing
    // while it is off, and their name greyed where the state is unknown.
    void SetIndicators(const std::vector<CString>& indicators);
    // Reads the lock keys into the indicators (also done four times a
    // second).
    void UpdateIndicators();
    // What the help commands (F1, Shift+F1) show; without a text they do
    // nothing.
    void SetHelpText(const CString& caption, const CString& text)
    {
        m_helpCaption = caption;
        m_helpText = text;
    }
    // The icon of the program's windows.
    void SetIcon(const QImage& icon);
    void SetMessageText(const CString& text);
    // What the message pane shows when no command is being prompted
    // ("Ready"); shown at once.
    void SetIdleMessage(const CString& text);
    void ShowToolbar(bool show);
    void ShowStatusBar(bool show);
    bool IsToolbarShown() const;
    bool IsStatusBarShown() const;

    CMDIClientWnd& MdiClient() { return m_client; }
    void AddChild(CMDIChildWnd* child);
    void RemoveChild(CMDIChildWnd* child);
    CMDIChildWnd* MDIGetActive() const;
    const std::vector<CMDIChildWnd*>& Children() const { return m_children; }
    CView* GetActiveView() const;
    CDocument* GetActiveDocument() const;

    // Runs a command along the route; FALSE when nobody took it.
    BOOL RouteCommand(UINT id);
    // Whether the command can run now: asks along the route.
    BOOL IsCommandEnabled(UINT id);
    // The answers of the route about a command: enabled, checked.
    CCmdUI QueryCommand(UINT id);
    // Brings titles, menu and toolbar up to date with the active view.
    void UpdateFrameControls();
    // Each child frame is titled by its document's file name, with ":n"
    // when the document has several windows; the main frame adds the
    // active one's title to its own.
    void UpdateFrameTitles();
    // Closes one child frame as its close button does: the last window of
    // a document closes the document, after asking about unsaved changes.
    void CloseChild(CMDIChildWnd* child);
    void SetRecentFiles(const std::vector<CString>& paths);

    QMainWindow* MainWindow() const { return m_window; }
    QToolBar* Toolbar() const { return m_toolbar; }

    // The command ids of the Window menu's list of windows.
    static constexpr UINT kFirstWindowCommand = 0xFF00;
    static bool IsWindowCommand(UINT id)
    {
        return id >= kFirstWindowCommand && id < kFirstWindowCommand + 0x100;
    }

protected:
    QWidget* CreateNativeWidget(const CREATESTRUCT& create, QWidget* parent) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnClose() override;
    void OnDestroy() override;
    // The frame's own update answers.
    virtual void OnUpdateCommand(CCmdUI* ui);
    // Files dropped on the frame.
    virtual void OnDropFiles(const std::vector<CString>& paths);
    virtual void OnHelp();
    // Lines up the minimised child frames along the bottom.
    void ArrangeIcons();
    // Overlaps the other child frames, each large enough to work in.
    void Cascade();

private:
    friend class FrameEventFilter;
    friend class CMDIChildWnd;
    void BuildMenu(const MenuResource& menu);
    QAction* MakeAction(UINT id, const CString& text);
    void UpdateMenu(QMenu* menu);
    // The Window menu ends with a line per child frame.
    void ListWindows(QMenu* menu);

    CString m_title;
    QMainWindow* m_window = nullptr;
    QToolBar* m_toolbar = nullptr;
    QLabel* m_message = nullptr;
    CString m_idleMessage;
    // The user let the desktop session end: its end ends the program
    // without asking again.
    bool m_sessionMayEnd = false;
    std::vector<QLabel*> m_indicators;
    std::vector<CString> m_indicatorNames;
    QTimer* m_indicatorTimer = nullptr;
    CMDIClientWnd m_client;
    std::vector<CMDIChildWnd*> m_children;
    MenuResource m_emptyMenu;
    MenuResource m_documentMenu;
    bool m_showingDocumentMenu = false;
    std::map<UINT, CString> m_prompts;
    std::vector<AcceleratorResource> m_accelerators;
    CString m_helpCaption;
    CString m_helpText;
    std::map<UINT, QAction*> m_actions;
    std::vector<QAction*> m_shortcutActions;
    std::vector<CString> m_recentFiles;
    std::unique_ptr<QObject> m_dropFilter;
};

// A child frame: one view of a document, maximised in the main frame.
class CMDIChildWnd : public CWnd
{
public:
    static constexpr UINT kViewId = 0xE900;

    CMDIChildWnd();
    ~CMDIChildWnd() override;

    // Creates the frame in the main frame and the view in it.
    BOOL CreateChild(CMDIFrameWnd* mainFrame, CView* view, CDocument* document,
                     const CString& title);
    CView* GetActiveView() const { return m_view.get(); }
    CDocument* GetDocument() const { return m_document; }
    // The window's title, shown on its frame and in the Window menu.
    void SetTitle(const CString& title);
    void MDIMaximize();
    void MDIActivate();
    bool IsMaximized() const;

protected:
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;

private:
    CMDIFrameWnd* m_mainFrame = nullptr;
    CDocument* m_document = nullptr;
    std::unique_ptr<CView> m_view;
};
