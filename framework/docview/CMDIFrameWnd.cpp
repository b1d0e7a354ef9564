#include "CMDIFrameWnd.h"

#include "CCmdUI.h"
#include "CDocument.h"
#include "CView.h"
#include "CWinApp.h"
#include "LockKeys.h"
#include "ModalSeam.h"
#include "WindowClass.h"
#include "WindowSystem.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QSessionManager>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <algorithm>

namespace {

// Posted to the main frame by a child frame's close button, with the child
// frame in wParam: the frame closes it once the close event is over.
constexpr UINT kCloseChildMessage = WM_USER + 0x7E00;

} // namespace

// Files dropped on the frame, child frames closed with their own button and
// the prompts of menus and buttons, turned into the frame's own doing.
class FrameEventFilter : public QObject
{
public:
    explicit FrameEventFilter(CMDIFrameWnd* frame) : m_frame(frame) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::DragEnter) {
            auto* drag = static_cast<QDragEnterEvent*>(event);
            if (drag->mimeData()->hasUrls()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            std::vector<CString> paths;
            for (const QUrl& url : drop->mimeData()->urls())
                if (url.isLocalFile())
                    paths.push_back(CString::FromQString(url.toLocalFile()));
            drop->acceptProposedAction();
            m_frame->OnDropFiles(paths);
            return true;
        } else if (event->type() == QEvent::Close) {
            if (auto* sub = qobject_cast<QMdiSubWindow*>(watched)) {
                // Closing a child frame goes the program's way: the last
                // window of a document asks about unsaved changes first.
                event->ignore();
                if (CWnd* child = WindowSystem::WindowOfWidget(sub->widget()))
                    m_frame->PostMessage(kCloseChildMessage, reinterpret_cast<WPARAM>(child));
                return true;
            }
        } else if (event->type() == QEvent::Quit && watched == qApp && m_frame->m_sessionMayEnd) {
            // The session ends after the user was asked: the program ends
            // without asking again.
            if (CWinApp* app = CWinApp::AfxGetApp())
                app->CloseAllDocuments();
            m_frame->DestroyWindow();
            return false;
        } else if (event->type() == QEvent::StatusTip && watched == m_frame->m_window) {
            // A menu item or button under the pointer prompts its command;
            // otherwise the idle message shows.
            const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
            m_frame->SetMessageText(tip.isEmpty() ? m_frame->m_idleMessage
                                                  : CString::FromQString(tip));
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    CMDIFrameWnd* m_frame;
};

QWidget* CMDIClientWnd::CreateNativeWidget(const CREATESTRUCT&, QWidget* parent)
{
    m_area = new QMdiArea(parent);
    m_area->setBackground(QColor(128, 128, 128));
    m_area->show();
    return m_area;
}

CMDIFrameWnd::CMDIFrameWnd() = default;

CMDIFrameWnd::~CMDIFrameWnd()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CMDIFrameWnd::OnDestroy()
{
    // Child frames still open go with the main frame: once their windows
    // are gone, closing their documents no longer finds them.
    const std::vector<CMDIChildWnd*> children = m_children;
    for (CMDIChildWnd* child : children) {
        child->DestroyWindow();
        delete child;
    }
    if (m_dropFilter)
        qApp->removeEventFilter(m_dropFilter.get());
    // The Qt widgets go later, with the event loop: nothing of theirs may
    // call back into this frame once it is gone.
    if (m_window != nullptr) {
        if (m_client.Area() != nullptr)
            QObject::disconnect(m_client.Area(), nullptr, nullptr, nullptr);
        for (auto& [id, action] : m_actions)
            QObject::disconnect(action, nullptr, nullptr, nullptr);
        for (QAction* action : m_shortcutActions)
            QObject::disconnect(action, nullptr, nullptr, nullptr);
        if (m_toolbar != nullptr)
            for (QAction* action : m_toolbar->actions())
                QObject::disconnect(action, nullptr, nullptr, nullptr);
        if (m_indicatorTimer != nullptr) {
            m_indicatorTimer->stop();
            QObject::disconnect(m_indicatorTimer, nullptr, nullptr, nullptr);
            m_indicatorTimer = nullptr;
        }
    }
    CWnd::OnDestroy();
}

QWidget* CMDIFrameWnd::CreateNativeWidget(const CREATESTRUCT&, QWidget* parent)
{
    // A QMainWindow makes itself a top-level window of its own; inside the
    // frame's window it is only the layout of menu, toolbar, child frames
    // and status bar, so that the desktop sees one window.
    m_window = new QMainWindow(parent);
    m_window->setWindowFlags(Qt::Widget);
    m_window->show();
    return m_window;
}

LRESULT CMDIFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kCloseChildMessage) {
        CloseChild(reinterpret_cast<CMDIChildWnd*>(wParam));
        return 0;
    }
    if (message == WM_QUERYENDSESSION) {
        // The desktop session is ending: every modified document is offered
        // for saving, as at Exit; Cancel or a failed save asks it to stay.
        CWinApp* app = CWinApp::AfxGetApp();
        return app == nullptr || app->SaveAllModified() ? TRUE : FALSE;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CMDIFrameWnd::OnClose()
{
    CWinApp* app = CWinApp::AfxGetApp();
    // Every modified document is offered for saving in turn; Cancel, or a
    // save that fails, keeps the program open with everything in it.
    if (app != nullptr && !app->SaveAllModified())
        return;
    if (app != nullptr)
        app->CloseAllDocuments();
    DestroyWindow();
    // The program ends with its main frame.
    if (app != nullptr && app->m_pMainWnd == this)
        QCoreApplication::quit();
}

void CMDIFrameWnd::CloseChild(CMDIChildWnd* child)
{
    if (std::find(m_children.begin(), m_children.end(), child) == m_children.end())
        return;
    CDocument* document = child->GetDocument();
    CWinApp* app = CWinApp::AfxGetApp();
    if (document != nullptr && app != nullptr && CView::ViewsOf(document).size() <= 1) {
        app->CloseDocument(document);
        return;
    }
    child->DestroyWindow();
    delete child;
    // The document's other windows lose their ":n" once they are alone.
    UpdateFrameControls();
}

BOOL CMDIFrameWnd::CreateFrame(const CString& title, const RECT& rect)
{
    if (!CWnd::CreateEx(0, "NolvexFrame", title, WS_VISIBLE, rect, nullptr, 0))
        return FALSE;
    m_title = title;
    if (!m_client.CreateEx(0, "MDIClient", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this,
                           0xE900))
        return FALSE;
    m_window->setCentralWidget(m_client.GetHostWidget());
    QObject::connect(m_client.Area(), &QMdiArea::subWindowActivated, m_window,
                     [this](QMdiSubWindow*) { UpdateFrameControls(); });
    m_message = new QLabel(m_window);
    m_window->statusBar()->addWidget(m_message, 1);
    // A logout asks the program first, as the desktop's close does.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, m_window,
                     [this](QSessionManager& manager) {
                         m_sessionMayEnd = false;
                         if (!manager.allowsInteraction())
                             return;
                         // Cancelled while still interacting, so that the
                         // session manager hears the logout is called off.
                         m_sessionMayEnd = SendMessage(WM_QUERYENDSESSION) != FALSE;
                         if (m_sessionMayEnd)
                             manager.release();
                         else
                             manager.cancel();
                     });
    m_dropFilter = std::make_unique<FrameEventFilter>(this);
    GetHostWidget()->setAcceptDrops(true);
    GetHostWidget()->installEventFilter(m_dropFilter.get());
    m_window->setAcceptDrops(true);
    m_window->installEventFilter(m_dropFilter.get());
    qApp->installEventFilter(m_dropFilter.get());
    return TRUE;
}

// Menus, keys, toolbar and status bar ----------------------------------------

QAction* CMDIFrameWnd::MakeAction(UINT id, const CString& text)
{
    QString label = text.ToQString();
    QString keys;
    const qsizetype tab = label.indexOf('\t');
    if (tab >= 0) {
        keys = label.mid(tab + 1);
        label = label.left(tab);
    }
    auto* action = new QAction(label, m_window);
    action->setData(id);
    if (!keys.isEmpty())
        action->setShortcut(QKeySequence(keys));
    const auto prompt = m_prompts.find(id);
    if (prompt != m_prompts.end()) {
        const QStringList parts = prompt->second.ToQString().split('\n');
        action->setStatusTip(parts.value(0));
        if (parts.size() > 1)
            action->setToolTip(parts.value(1));
    }
    QObject::connect(action, &QAction::triggered, m_window, [this, id]() { RouteCommand(id); });
    return action;
}

void CMDIFrameWnd::SetPrompts(const std::map<UINT, CString>& prompts)
{
    m_prompts = prompts;
}

void CMDIFrameWnd::SetMenus(const MenuResource& empty, const MenuResource& withDocument)
{
    m_emptyMenu = empty;
    m_documentMenu = withDocument;
    m_showingDocumentMenu = !m_children.empty();
    BuildMenu(m_showingDocumentMenu ? m_documentMenu : m_emptyMenu);
}

void CMDIFrameWnd::BuildMenu(const MenuResource& menu)
{
    QMenuBar* bar = m_window->menuBar();
    bar->clear();
    for (auto& [id, action] : m_actions)
        if (action->parent() == m_window && action->associatedObjects().isEmpty())
            action->deleteLater();
    m_actions.clear();
    for (const PopupResource& popup : menu.popups) {
        QMenu* qmenu = bar->addMenu(popup.text.ToQString());
        for (const MenuItemResource& item : popup.items) {
            if (item.id == 0) {
                qmenu->addSeparator();
            } else if (item.id == kRecentFileListPlace) {
                for (std::size_t i = 0; i < m_recentFiles.size(); ++i) {
                    const UINT id = ID_FILE_MRU_FILE1 + static_cast<UINT>(i);
                    QAction* action =
                        MakeAction(id, CString::Formatted("&%d %s", static_cast<int>(i) + 1,
                                                          m_recentFiles[i].ToUtf8().c_str()));
                    qmenu->addAction(action);
                    m_actions[id] = action;
                }
            } else {
                QAction* action = MakeAction(item.id, item.text);
                qmenu->addAction(action);
                m_actions[item.id] = action;
            }
        }
        const bool windowMenu =
            std::any_of(popup.items.begin(), popup.items.end(),
                        [](const MenuItemResource& item) { return item.id == ID_WINDOW_CASCADE; });
        QObject::connect(qmenu, &QMenu::aboutToShow, m_window, [this, qmenu, windowMenu]() {
            if (windowMenu)
                ListWindows(qmenu);
            UpdateMenu(qmenu);
        });
    }
    SetAccelerators(m_accelerators);
}

void CMDIFrameWnd::SetAccelerators(const std::vector<AcceleratorResource>& accelerators)
{
    m_accelerators = accelerators;
    for (QAction* action : m_shortcutActions)
        action->deleteLater();
    m_shortcutActions.clear();
    for (const AcceleratorResource& accelerator : accelerators) {
        const QKeySequence keys(accelerator.keys.ToQString());
        bool taken = false;
        for (const auto& [id, action] : m_actions)
            taken = taken || action->shortcut() == keys;
        if (taken)
            continue;
        auto* action = new QAction(m_window);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        const UINT id = accelerator.id;
        QObject::connect(action, &QAction::triggered, m_window, [this, id]() { RouteCommand(id); });
        m_window->addAction(action);
        m_shortcutActions.push_back(action);
    }
}

void CMDIFrameWnd::SetRecentFiles(const std::vector<CString>& paths)
{
    m_recentFiles = paths;
    BuildMenu(m_showingDocumentMenu ? m_documentMenu : m_emptyMenu);
}

void CMDIFrameWnd::UpdateMenu(QMenu* menu)
{
    for (QAction* action : menu->actions()) {
        const UINT id = action->data().toUInt();
        // The Window menu's windows are always there to choose.
        if (action->isSeparator() || IsWindowCommand(id))
            continue;
        const CCmdUI ui = QueryCommand(id);
        action->setEnabled(ui.m_answered && ui.m_enabled);
        action->setCheckable(ui.m_check >= 0);
        action->setChecked(ui.m_check == 1);
    }
}

void CMDIFrameWnd::ListWindows(QMenu* menu)
{
    // The list from last time goes, with the separator before it.
    const QList<QAction*> actions = menu->actions();
    std::vector<QAction*> stale;
    for (qsizetype i = 0; i < actions.size(); ++i) {
        if (!IsWindowCommand(actions[i]->data().toUInt()))
            continue;
        if (stale.empty() && i > 0 && actions[i - 1]->isSeparator())
            stale.push_back(actions[i - 1]);
        stale.push_back(actions[i]);
    }
    for (QAction* action : stale)
        delete action;
    if (m_children.empty())
        return;
    menu->addSeparator();
    CMDIChildWnd* active = MDIGetActive();
    for (std::size_t i = 0; i < m_children.size(); ++i) {
        CMDIChildWnd* child = m_children[i];
        CString title;
        child->GetWindowText(title);
        auto* action = new QAction(
            QString("&%1 %2").arg(static_cast<int>(i) + 1).arg(title.ToQString()), menu);
        action->setData(kFirstWindowCommand + static_cast<UINT>(i));
        action->setCheckable(true);
        action->setChecked(child == active);
        QObject::connect(action, &QAction::triggered, m_window, [this, child]() {
            if (std::find(m_children.begin(), m_children.end(), child) != m_children.end())
                child->MDIActivate();
        });
        menu->addAction(action);
    }
}

void CMDIFrameWnd::SetToolbar(const std::vector<ToolbarButton>& buttons, int width, int height)
{
    if (m_toolbar == nullptr) {
        m_toolbar = m_window->addToolBar("Standard");
        m_toolbar->setObjectName("Standard");
    }
    m_toolbar->clear();
    m_toolbar->setIconSize(QSize(width, height));
    for (const ToolbarButton& button : buttons) {
        QIcon icon;
        icon.addPixmap(QPixmap::fromImage(button.normal), QIcon::Normal);
        if (!button.hot.isNull())
            icon.addPixmap(QPixmap::fromImage(button.hot), QIcon::Active);
        if (!button.disabled.isNull())
            icon.addPixmap(QPixmap::fromImage(button.disabled), QIcon::Disabled);
        QAction* action = MakeAction(button.id, button.tooltip);
        action->setIcon(icon);
        m_toolbar->addAction(action);
    }
    UpdateFrameControls();
}

void CMDIFrameWnd::SetIndicators(const std::vector<CString>& indicators)
{
    for (QLabel* label : m_indicators)
        label->deleteLater();
    m_indicators.clear();
    m_indicatorNames = indicators;
    for (const CString& text : indicators) {
        auto* label = new QLabel(text.ToQString(), m_window);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        // As wide as its name, whether it shows it or not.
        label->setMinimumWidth(label->sizeHint().width() + 8);
        m_window->statusBar()->addPermanentWidget(label);
        m_indicators.push_back(label);
    }
    if (m_indicatorTimer == nullptr) {
        m_indicatorTimer = new QTimer(m_window);
        QObject::connect(m_indicatorTimer, &QTimer::timeout, m_window,
                         [this] { UpdateIndicators(); });
        m_indicatorTimer->start(250);
    }
    UpdateIndicators();
}

void CMDIFrameWnd::UpdateIndicators()
{
    for (std::size_t i = 0; i < m_indicators.size(); ++i) {
        const CString& name = m_indicatorNames[i];
        std::optional<bool> state;
        if (name == CString("CAP"))
            state = LockKeyState(LockKey::capsLock);
        else if (name == CString("NUM"))
            state = LockKeyState(LockKey::numLock);
        else if (name == CString("SCRL"))
            state = LockKeyState(LockKey::scrollLock);
        else
            state = true;
        QLabel* label = m_indicators[i];
        label->setEnabled(state.has_value());
        label->setText(!state.has_value() || *state ? name.ToQString() : QString());
    }
}

void CMDIFrameWnd::SetMessageText(const CString& text)
{
    if (m_message != nullptr)
        m_message->setText(text.ToQString());
}

void CMDIFrameWnd::SetIcon(const QImage& icon)
{
    // Child frames and dialogs take the program's icon.
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));
}

void CMDIFrameWnd::SetIdleMessage(const CString& text)
{
    m_idleMessage = text;
    SetMessageText(text);
}

void CMDIFrameWnd::ShowToolbar(bool show)
{
    if (m_toolbar != nullptr)
        m_toolbar->setVisible(show);
}

void CMDIFrameWnd::ShowStatusBar(bool show)
{
    m_window->statusBar()->setVisible(show);
}

bool CMDIFrameWnd::IsToolbarShown() const
{
    return m_toolbar != nullptr && !m_toolbar->isHidden();
}

bool CMDIFrameWnd::IsStatusBarShown() const
{
    return !m_window->statusBar()->isHidden();
}

// Children -------------------------------------------------------------------

void CMDIFrameWnd::AddChild(CMDIChildWnd* child)
{
    m_children.push_back(child);
    UpdateFrameControls();
}

void CMDIFrameWnd::RemoveChild(CMDIChildWnd* child)
{
    const bool wasMaximised = child->IsMaximized();
    m_children.erase(std::remove(m_children.begin(), m_children.end(), child), m_children.end());
    // The window that comes to the front when a maximised one closes is
    // maximised in its turn, as the others were shown.
    if (wasMaximised && !m_children.empty()) {
        // The one used last before it.
        CMDIChildWnd* next = m_children.back();
        const QList<QMdiSubWindow*> history =
            m_client.Area()->subWindowList(QMdiArea::ActivationHistoryOrder);
        for (auto window = history.rbegin(); window != history.rend(); ++window) {
            const auto open =
                std::find_if(m_children.begin(), m_children.end(), [window](CMDIChildWnd* each) {
                    return each->GetHostWidget() == (*window)->widget();
                });
            if (open != m_children.end()) {
                next = *open;
                break;
            }
        }
        next->MDIActivate();
        next->MDIMaximize();
    }
    UpdateFrameControls();
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive() const
{
    QMdiSubWindow* active =
        m_client.Area() != nullptr ? m_client.Area()->activeSubWindow() : nullptr;
    for (CMDIChildWnd* child : m_children)
        if (active != nullptr && child->GetHostWidget() == active->widget())
            return child;
    return m_children.empty() ? nullptr : m_children.back();
}

CView* CMDIFrameWnd::GetActiveView() const
{
    CMDIChildWnd* child = MDIGetActive();
    return child != nullptr ? child->GetActiveView() : nullptr;
}

CDocument* CMDIFrameWnd::GetActiveDocument() const
{
    CMDIChildWnd* child = MDIGetActive();
    return child != nullptr ? child->GetDocument() : nullptr;
}

void CMDIFrameWnd::UpdateFrameTitles()
{
    if (m_window == nullptr)
        return;
    for (CMDIChildWnd* child : m_children) {
        CDocument* document = child->GetDocument();
        if (document == nullptr)
            continue;
        CString title =
            CString::FromQString(QFileInfo(document->GetPathName().ToQString()).fileName());
        const std::vector<CView*> views = CView::ViewsOf(document);
        if (views.size() > 1) {
            // "file.nolvex:2": the windows of one document in the order they
            // were opened.
            const auto position = std::find(views.begin(), views.end(), child->GetActiveView());
            title += CString::Formatted(":%d", static_cast<int>(position - views.begin()) + 1);
        }
        child->SetTitle(title);
    }
    // "Nolvex - file" while a document is shown.
    CString title = m_title;
    if (CMDIChildWnd* child = MDIGetActive()) {
        CString name;
        child->GetWindowText(name);
        if (!name.IsEmpty())
            title += CString(" - ") + name;
    }
    if (GetHostWidget() != nullptr)
        GetHostWidget()->setWindowTitle(title.ToQString());
}

void CMDIFrameWnd::UpdateFrameControls()
{
    if (m_window == nullptr)
        return;
    UpdateFrameTitles();
    const bool withDocument = !m_children.empty();
    if (withDocument != m_showingDocumentMenu) {
        m_showingDocumentMenu = withDocument;
        BuildMenu(withDocument ? m_documentMenu : m_emptyMenu);
    }
    if (m_toolbar != nullptr)
        for (QAction* action : m_toolbar->actions())
            action->setEnabled(IsCommandEnabled(action->data().toUInt()));
}

// Commands -------------------------------------------------------------------

BOOL CMDIFrameWnd::RouteCommand(UINT id)
{
    BOOL handled = FALSE;
    if (CView* view = GetActiveView())
        handled = view->RunCommand(id);
    if (!handled)
        handled = OnCommand(id, 0);
    if (!handled && CWinApp::AfxGetApp() != nullptr)
        handled = CWinApp::AfxGetApp()->OnCommand(id);
    UpdateFrameControls();
    return handled;
}

BOOL CMDIFrameWnd::IsCommandEnabled(UINT id)
{
    const CCmdUI ui = QueryCommand(id);
    return ui.m_answered && ui.m_enabled;
}

CCmdUI CMDIFrameWnd::QueryCommand(UINT id)
{
    CCmdUI ui(id);
    if (CView* view = GetActiveView())
        view->OnUpdateCommand(&ui);
    if (!ui.m_answered)
        OnUpdateCommand(&ui);
    if (!ui.m_answered && CWinApp::AfxGetApp() != nullptr)
        CWinApp::AfxGetApp()->OnUpdateCommand(&ui);
    return ui;
}

void CMDIFrameWnd::OnUpdateCommand(CCmdUI* ui)
{
    switch (ui->m_nID) {
    case ID_VIEW_TOOLBAR:
        ui->Enable();
        ui->SetCheck(IsToolbarShown() ? 1 : 0);
        break;
    case ID_VIEW_STATUS_BAR:
        ui->Enable();
        ui->SetCheck(IsStatusBarShown() ? 1 : 0);
        break;
    case ID_WINDOW_CASCADE:
    case ID_WINDOW_TILE_HORZ:
    case ID_WINDOW_ARRANGE:
        ui->Enable(!m_children.empty());
        break;
    default:
        break;
    }
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case ID_VIEW_TOOLBAR:
        ShowToolbar(!IsToolbarShown());
        return TRUE;
    case ID_VIEW_STATUS_BAR:
        ShowStatusBar(!IsStatusBarShown());
        return TRUE;
    case ID_WINDOW_CASCADE:
        Cascade();
        return TRUE;
    case ID_WINDOW_TILE_HORZ:
        m_client.Area()->tileSubWindows();
        return TRUE;
    case ID_WINDOW_ARRANGE:
        ArrangeIcons();
        return TRUE;
    case ID_HELP:
    case ID_CONTEXT_HELP:
    case ID_HELP_FINDER:
    case ID_DEFAULT_HELP:
        OnHelp();
        return TRUE;
    default:
        break;
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CMDIFrameWnd::Cascade()
{
    // Each window three quarters of the client area, one title bar lower
    // and further right than the one behind it, the active one in front;
    // a window that would leave the area starts again at the top left.
    // Minimised windows stay as they are.
    QMdiArea* area = m_client.Area();
    const QRect client = area->viewport()->rect();
    const QSize size(std::max(client.width() * 3 / 4, std::min(client.width(), 320)),
                     std::max(client.height() * 3 / 4, std::min(client.height(), 240)));
    const int step = area->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
    QMdiSubWindow* active = area->activeSubWindow();
    int place = 0;
    for (QMdiSubWindow* window : area->subWindowList(QMdiArea::StackingOrder)) {
        if (window->isMinimized())
            continue;
        QPoint at(place * step, place * step);
        if (at.x() + size.width() > client.width() || at.y() + size.height() > client.height()) {
            place = 0;
            at = QPoint(0, 0);
        }
        window->showNormal();
        window->setGeometry(QRect(at, size));
        window->raise();
        ++place;
    }
    if (active != nullptr)
        area->setActiveSubWindow(active);
}

void CMDIFrameWnd::ArrangeIcons()
{
    // The minimised windows in a row along the bottom of the client area,
    // wrapping upwards when the row is full.
    QMdiArea* area = m_client.Area();
    const QRect client = area->viewport()->rect();
    int x = 0;
    int bottom = client.bottom() + 1;
    for (QMdiSubWindow* window : area->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > client.width()) {
            x = 0;
            bottom -= size.height();
        }
        window->move(x, bottom - size.height());
        x += size.width();
    }
}

void CMDIFrameWnd::OnHelp()
{
    if (!m_helpText.IsEmpty())
        MessageBox(this, m_helpText, m_helpCaption, MB_OK | MB_ICONINFORMATION);
}

void CMDIFrameWnd::OnDropFiles(const std::vector<CString>& paths)
{
    if (CWinApp* app = CWinApp::AfxGetApp())
        for (const CString& path : paths)
            app->OpenDocumentFile(path);
}

// Child frames ---------------------------------------------------------------

CMDIChildWnd::CMDIChildWnd() = default;

CMDIChildWnd::~CMDIChildWnd()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CMDIChildWnd::CreateChild(CMDIFrameWnd* mainFrame, CView* view, CDocument* document,
                               const CString& title)
{
    m_mainFrame = mainFrame;
    m_document = document;
    m_view.reset(view);
    // The frame and its view are made in the size they will show in: the
    // main frame lays out its menu, toolbar and status bar first, even
    // before it shows. A view laid out in a passing small size would keep
    // the shares that size forced on it.
    if (QLayout* layout = mainFrame->MainWindow()->layout())
        layout->activate();
    if (!CWnd::CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), title, WS_CHILD | WS_VISIBLE,
                        CRect(0, 0, 400, 300), &mainFrame->MdiClient(), 0))
        return FALSE;
    QMdiArea* area = mainFrame->MdiClient().Area();
    QMdiSubWindow* sub = area->addSubWindow(GetHostWidget());
    sub->setWindowTitle(title.ToQString());
    sub->installEventFilter(mainFrame->m_dropFilter.get());
    // The view is laid out in the size it will first show in.
    sub->resize(std::max(area->width(), 400), std::max(area->height(), 300));
    sub->show();
    mainFrame->AddChild(this);
    view->SetDocument(document);
    CRect client;
    GetClientRect(&client);
    if (!view->CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "", WS_CHILD | WS_VISIBLE, client, this,
                        kViewId))
        return FALSE;
    mainFrame->MdiClient().Area()->setActiveSubWindow(sub);
    return TRUE;
}

void CMDIChildWnd::SetTitle(const CString& title)
{
    SetWindowText(title);
    if (GetHostWidget() != nullptr)
        if (auto* sub = qobject_cast<QMdiSubWindow*>(GetHostWidget()->parentWidget()))
            sub->setWindowTitle(title.ToQString());
}

void CMDIChildWnd::MDIMaximize()
{
    if (GetHostWidget() == nullptr)
        return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(GetHostWidget()->parentWidget()))
        sub->showMaximized();
}

void CMDIChildWnd::MDIActivate()
{
    if (GetHostWidget() == nullptr || m_mainFrame == nullptr)
        return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(GetHostWidget()->parentWidget()))
        m_mainFrame->MdiClient().Area()->setActiveSubWindow(sub);
}

bool CMDIChildWnd::IsMaximized() const
{
    if (GetHostWidget() == nullptr)
        return false;
    auto* sub = qobject_cast<QMdiSubWindow*>(GetHostWidget()->parentWidget());
    return sub != nullptr && sub->isMaximized();
}

void CMDIChildWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_view && m_view->GetSafeHwnd() != nullptr)
        m_view->MoveWindow(0, 0, cx, cy);
}

void CMDIChildWnd::OnDestroy()
{
    if (m_mainFrame != nullptr)
        m_mainFrame->RemoveChild(this);
    QWidget* host = GetHostWidget();
    if (host != nullptr) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(host->parentWidget())) {
            sub->removeEventFilter(m_mainFrame->m_dropFilter.get());
            m_mainFrame->MdiClient().Area()->removeSubWindow(host);
            sub->deleteLater();
        }
    }
    CWnd::OnDestroy();
}
