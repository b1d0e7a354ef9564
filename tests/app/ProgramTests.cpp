// The program as it starts: the main frame, opening files from the command
// line, by dropping them and through the menu, closing with the question
// about unsaved changes, bad files, the About box and printing from the
// command line.

#include "CCmdUI.h"
#include "CDialog.h"
#include "CDocTemplate.h"
#include "CFileDialog.h"
#include "CPrintDialog.h"
#include "LockKeys.h"
#include "MainFrame.h"
#include "MetricCatalogue.h"
#include "ModalSeam.h"
#include "NolvexApp.h"
#include "NolvexDoc.h"
#include "NolvexTest.h"
#include "NolvexView.h"
#include "PersonInput.h"
#include "Resources.h"
#include "TrueColorToolBar.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinterInfo>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QUrl>

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace {

QString WriteRecording(const QTemporaryDir& directory, const QString& name, int samples)
{
    CNolvexDoc document;
    CNolvexTest* test = document.AddTestAfter(nullptr);
    test->name = "Shift";
    test->info = "Foundry";
    test->testNumber = 3;
    float values[MetricCatalogue::kMetricCount];
    for (int i = 0; i < samples; ++i) {
        for (int d = 0; d < MetricCatalogue::kMetricCount; ++d)
            values[d] = 60.0f + static_cast<float>(d) + static_cast<float>(i % 50) * 0.1f;
        test->AppendSample(values);
    }
    const QString path = directory.filePath(name);
    EXPECT_TRUE(document.OnSaveDocument(CString::FromQString(path)));
    return path;
}

// The program, telling how many documents it holds open.
class ObservedApp : public CNolvexApp
{
public:
    std::size_t OpenDocumentCount() const
    {
        return m_template != nullptr ? m_template->Documents().size() : 0;
    }
};

// The texts of the status bar's panes, as shown: the message pane first,
// then the indicators.
QStringList StatusBarTexts(CMDIFrameWnd* frame)
{
    QStringList texts;
    for (QLabel* pane : frame->MainWindow()->statusBar()->findChildren<QLabel*>())
        texts << pane->text();
    return texts;
}

// The menu item of a command, as a person finds it in the menu bar.
QAction* MenuItem(CMDIFrameWnd* frame, UINT id)
{
    for (QAction* title : frame->MainWindow()->menuBar()->actions()) {
        if (title->menu() == nullptr)
            continue;
        for (QAction* item : title->menu()->actions()) {
            if (!item->isSeparator() && item->data().toUInt() == id)
                return item;
        }
    }
    return nullptr;
}

// The program started with these arguments; the settings go to a
// temporary place.
struct Program
{
    QTemporaryDir directory;
    ObservedApp app;
    BOOL started = FALSE;

    explicit Program(const std::vector<CString>& arguments = {})
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, directory.path());
        app.SetArguments(arguments);
        started = app.InitInstance();
    }
    CMainFrame* Frame() { return app.MainFrame(); }
    CNolvexView* ActiveView() { return dynamic_cast<CNolvexView*>(Frame()->GetActiveView()); }
    // Cuts samples 10 to 49 of the active view's test: its document is then
    // modified.
    void CutSomething()
    {
        CNolvexTest* test = ActiveView()->GetCurrentTest();
        test->selectionStart = 10;
        test->selectionEnd = 49;
        Frame()->RouteCommand(ID_EDIT_CUT_SELECTION);
    }
    QStringList MenuTitles()
    {
        QStringList titles;
        for (QAction* action : Frame()->MainWindow()->menuBar()->actions())
            titles << action->text();
        return titles;
    }
};

} // namespace

TEST(ProgramTest, WithoutAFileTheMainFrameIsEmptyAndNewMakesNothing)
{
    Program program;
    ASSERT_TRUE(program.started);
    EXPECT_TRUE(program.Frame()->Children().empty());
    EXPECT_EQ(program.MenuTitles(), (QStringList{"&File", "&View", "&Help"}));
    program.Frame()->RouteCommand(ID_FILE_NEW);
    EXPECT_TRUE(program.Frame()->Children().empty());
    EXPECT_EQ(StatusBarTexts(program.Frame()).value(0), QString("Ready"));
    // The toolbar has its nine buttons; without a view Add Metric is off.
    ASSERT_NE(program.Frame()->Toolbar(), nullptr);
    EXPECT_EQ(program.Frame()->Toolbar()->actions().size(), 9);
    EXPECT_FALSE(program.Frame()->IsCommandEnabled(ID_EDIT_ADD_METRIC));
    EXPECT_TRUE(program.Frame()->IsCommandEnabled(ID_FILE_OPEN));
}

TEST(ProgramTest, AFileOnTheCommandLineOpensInAMaximisedChild)
{
    QTemporaryDir files;
    const QString path = WriteRecording(files, "shift.nolvex", 600);
    Program program({CString::FromQString(path)});
    ASSERT_TRUE(program.started);
    ASSERT_EQ(program.Frame()->Children().size(), 1u);
    EXPECT_TRUE(program.Frame()->Children()[0]->IsMaximized());
    CNolvexView* view = program.ActiveView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetTree().GetRootItem()->GetChild()->GetChild()->GetLabelText(),
              CString("Shift"));
    EXPECT_EQ(program.MenuTitles(), (QStringList{"&File", "&Edit", "&View", "&Window", "&Help"}));
    // The Edit menu reaches the view.
    EXPECT_TRUE(program.Frame()->IsCommandEnabled(ID_EDIT_ADD_METRIC));
    QAction* addMetric = MenuItem(program.Frame(), ID_EDIT_ADD_METRIC);
    ASSERT_NE(addMetric, nullptr);
    addMetric->trigger();
    EXPECT_EQ(view->GetList().GetItemCount(), 1);
    EXPECT_EQ(view->GetChart().SeriesAt(0).m_count, 600);
    // The file is remembered.
    ASSERT_FALSE(program.app.RecentFiles().empty());
    EXPECT_EQ(program.app.RecentFiles().front().ToQString(), QFileInfo(path).absoluteFilePath());
}

TEST(ProgramTest, ADroppedFileOpens)
{
    QTemporaryDir files;
    const QString path = WriteRecording(files, "dropped.nolvex", 100);
    Program program;
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(path)});
    QWidget* target = program.Frame()->GetHostWidget();
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    delete data;
    EXPECT_EQ(program.Frame()->Children().size(), 1u);
}

TEST(ProgramTest, AFileThatCannotBeReadIsReportedAndOpensNothing)
{
    QTemporaryDir files;
    // A recording cut off in the middle of its samples.
    const QString path = WriteRecording(files, "broken.nolvex", 300);
    QFile broken(path);
    ASSERT_TRUE(broken.open(QIODevice::ReadWrite));
    ASSERT_TRUE(broken.resize(broken.size() / 2));
    broken.close();
    CString reported;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        reported = request.text;
        return IDOK;
    });
    Program program({CString::FromQString(path)});
    EXPECT_FALSE(program.started);
    EXPECT_FALSE(reported.IsEmpty());
    EXPECT_TRUE(program.Frame()->Children().empty());
    EXPECT_TRUE(program.app.OpenDocumentCount() == 0);
}

TEST(ProgramTest, ClosingAChangedDocumentAsksAndCanSave)
{
    QTemporaryDir files;
    const QString path = WriteRecording(files, "changed.nolvex", 300);
    Program program({CString::FromQString(path)});
    CNolvexView* view = program.ActiveView();
    ASSERT_NE(view, nullptr);
    CNolvexTest* test = view->GetCurrentTest();
    test->selectionStart = 10;
    test->selectionEnd = 49;
    program.Frame()->RouteCommand(ID_EDIT_CUT_SELECTION);
    ASSERT_TRUE(view->GetDocument()->IsModified());
    std::vector<CString> asked;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        asked.push_back(request.text);
        return IDCANCEL;
    });
    program.Frame()->RouteCommand(ID_FILE_CLOSE);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], CString("Save changes to changed.nolvex?"));
    // Cancelled: still open.
    EXPECT_EQ(program.Frame()->Children().size(), 1u);
    {
        ScopedModalResponder yes([](const ModalRequest&) -> INT_PTR { return IDYES; });
        program.Frame()->RouteCommand(ID_FILE_CLOSE);
    }
    EXPECT_TRUE(program.Frame()->Children().empty());
    CNolvexDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(CString::FromQString(path)));
    EXPECT_EQ(reopened.firstTest->sampleCount, 300 - 40);
}

TEST(ProgramTest, SaveAsWritesAnotherFileAndKeepsTheOld)
{
    QTemporaryDir files;
    const QString path = WriteRecording(files, "first.nolvex", 200);
    const QString other = files.filePath("second.nolvex");
    Program program({CString::FromQString(path)});
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        auto* dialog = static_cast<CFileDialog*>(request.dialogObject);
        EXPECT_EQ(dialog->m_filter,
                  CString("Nolvex Files (*.nolvex)|*.nolvex|All Files (*.*)|*.*||"));
        dialog->m_path = CString::FromQString(other);
        return IDOK;
    });
    program.Frame()->RouteCommand(ID_FILE_SAVE_AS);
    EXPECT_TRUE(QFile::exists(other));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(program.Frame()->GetActiveDocument()->GetPathName().ToQString(), other);
}

TEST(ProgramTest, TheAboutBoxRunsThroughTheSeam)
{
    Program program;
    ModalRequest seen;
    QStringList lines;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        seen = request;
        for (const QLabel* label : static_cast<CDialog*>(request.dialogObject)
                                       ->GetHostWidget()
                                       ->findChildren<QLabel*>()) {
            lines << label->text();
            // Every line fits its place.
            EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
        }
        return IDOK;
    });
    program.Frame()->RouteCommand(ID_APP_ABOUT);
    EXPECT_TRUE(lines.contains("Nolvex Version 1.2"));
    EXPECT_EQ(lines.size(), 2);
    EXPECT_EQ(seen.text, CString("CAboutDlg"));
    EXPECT_EQ(seen.caption, CString("About Nolvex"));
    EXPECT_EQ(seen.templateId, Resources::IDD_ABOUTBOX);
}

TEST(ProgramTest, PrintingFromTheCommandLineWritesAPdfBesideTheFileWithoutAPrinter)
{
    QTemporaryDir files;
    const QString path = WriteRecording(files, "report.nolvex", 400);
    {
        // An earlier print of the same file.
        QFile earlier(files.filePath("report.pdf"));
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    Program program({"/p", CString::FromQString(path)});
    // Printing ends the program's start: nothing stays open.
    EXPECT_FALSE(program.started);
    EXPECT_TRUE(program.app.OpenDocumentCount() == 0);
    if (QPrinterInfo::defaultPrinter().isNull()) {
        QFile pdf(files.filePath("report.pdf"));
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
        // Written beside it first, then put in its place: nothing else is left.
        EXPECT_EQ(QDir(files.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList({"report.nolvex", "report.pdf"}));
        EXPECT_EQ(pdf.permissions() & QFileDevice::ReadOther,
                  QFileInfo(path).permissions() & QFileDevice::ReadOther);
    }
}

TEST(ProgramTest, PrintSetupSetsTheOrientationOfLaterPrints)
{
    Program program;
    EXPECT_EQ(CPrintDialog::GetDefaultOrientation(), QPageLayout::Landscape);
    ScopedModalResponder responder([](const ModalRequest& request) -> INT_PTR {
        EXPECT_EQ(request.text, CString("CPageSetupDialog"));
        static_cast<QPrinter*>(request.dialogObject)->setPageOrientation(QPageLayout::Portrait);
        return IDOK;
    });
    program.Frame()->RouteCommand(ID_FILE_PRINT_SETUP);
    EXPECT_EQ(CPrintDialog::GetDefaultOrientation(), QPageLayout::Portrait);
    CPrintDialog dialog(FALSE);
    EXPECT_EQ(dialog.GetPrinter()->pageLayout().orientation(), QPageLayout::Portrait);
    CPrintDialog::SetDefaultOrientation(QPageLayout::Landscape);
}

TEST(ProgramTest, AFailedSaveSaysSoAndLeavesTheOldFileAndTheDocument)
{
    QTemporaryDir files;
    const QString path = WriteRecording(files, "kept.nolvex", 200);
    const QByteArray before = [&path] {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    Program program({CString::FromQString(path)});
    CNolvexView* view = program.ActiveView();
    ASSERT_NE(view, nullptr);
    view->GetCurrentTest()->selectionStart = 5;
    view->GetCurrentTest()->selectionEnd = 20;
    program.Frame()->RouteCommand(ID_EDIT_CUT_SELECTION);
    std::vector<ModalRequest> asked;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        asked.push_back(request);
        if (request.kind == ModalRequest::dialog)
            static_cast<CFileDialog*>(request.dialogObject)->m_path = "/nonexistent/dir/x.nolvex";
        return IDOK;
    });
    program.Frame()->RouteCommand(ID_FILE_SAVE_AS);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].kind, ModalRequest::messageBox);
    EXPECT_FALSE(asked[1].text.IsEmpty());
    // The document is still open, still changed, and still names its file.
    EXPECT_TRUE(program.Frame()->GetActiveDocument()->IsModified());
    EXPECT_EQ(program.Frame()->GetActiveDocument()->GetPathName().ToQString(),
              QFileInfo(path).absoluteFilePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST(ProgramTest, NewWindowShowsTheSameDocumentTwice)
{
    QTemporaryDir files;
    const QString path = WriteRecording(files, "twice.nolvex", 150);
    Program program({CString::FromQString(path)});
    program.Frame()->RouteCommand(ID_WINDOW_NEW);
    ASSERT_EQ(program.Frame()->Children().size(), 2u);
    EXPECT_EQ(program.Frame()->Children()[0]->GetDocument(),
              program.Frame()->Children()[1]->GetDocument());
    // Closing the document closes both of its windows.
    program.Frame()->RouteCommand(ID_FILE_CLOSE);
    EXPECT_TRUE(program.Frame()->Children().empty());
}

TEST(ProgramTest, TheTitleNamesTheFileAndF6MovesBetweenPanes)
{
    QTemporaryDir files;
    const QString path = WriteRecording(files, "panes.nolvex", 100);
    Program program({CString::FromQString(path)});
    EXPECT_EQ(program.Frame()->GetHostWidget()->windowTitle(), QString("Nolvex - panes.nolvex"));
    ASSERT_TRUE(PersonInput::ShowAndActivate(program.Frame()->GetHostWidget()));
    CNolvexView* view = program.ActiveView();
    ASSERT_NE(view, nullptr);
    view->GetTree().GetList().SetFocus();
    PersonInput::Key(Qt::Key_F6);
    EXPECT_EQ(CWnd::GetFocus(), &view->GetChart());
    PersonInput::Key(Qt::Key_F6);
    EXPECT_EQ(CWnd::GetFocus(), &view->GetList());
    PersonInput::Key(Qt::Key_F6, Qt::ShiftModifier);
    PersonInput::Key(Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(CWnd::GetFocus(), &view->GetTree().GetList());
}

TEST(ProgramTest, F1AndShiftF1ShowTheProgramsHelp)
{
    Program program;
    std::vector<ModalRequest> shown;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        shown.push_back(request);
        return IDOK;
    });
    ASSERT_TRUE(PersonInput::ShowAndActivate(program.Frame()->GetHostWidget()));
    PersonInput::Key(Qt::Key_F1);
    PersonInput::Key(Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].kind, ModalRequest::messageBox);
    EXPECT_EQ(shown[0].caption, CString("Nolvex Help"));
    EXPECT_TRUE(shown[0].text.ToQString().contains("Cut Selection"));
    // It tells how metrics come on display: added with Add Metric and chosen
    // in the Data Type cell, not checked in the tree.
    EXPECT_TRUE(shown[0].text.ToQString().contains("Add Metric"));
    EXPECT_TRUE(shown[0].text.ToQString().contains("Data Type"));
    EXPECT_FALSE(shown[0].text.ToQString().contains("Check tests and metrics"));
}

TEST(ToolbarTest, TheButtonsComeFromTheThreeBitmapsWithoutTheirBackground)
{
    const QImage normal = Resources::ToolbarBitmap(Resources::IDB_TOOLBAR_NORMAL);
    ASSERT_EQ(normal.width(), 9 * 40);
    ASSERT_EQ(normal.height(), 34);
    const std::vector<ToolbarButton> buttons =
        CTrueColorToolBar::Buttons(Resources::ToolbarCommands(),
                                   {normal, Resources::ToolbarBitmap(Resources::IDB_TOOLBAR_HOT),
                                    Resources::ToolbarBitmap(Resources::IDB_TOOLBAR_DISABLED)},
                                   40);
    ASSERT_EQ(buttons.size(), 9u);
    EXPECT_EQ(buttons[0].id, ID_FILE_OPEN);
    EXPECT_EQ(buttons[8].id, ID_EDIT_CUT_SELECTION);
    for (const ToolbarButton& button : buttons) {
        ASSERT_EQ(button.normal.size(), QSize(40, 34));
        EXPECT_FALSE(button.hot.isNull());
        EXPECT_FALSE(button.disabled.isNull());
        // The first pixel's colour is see-through; the drawing is not.
        EXPECT_EQ(qAlpha(button.normal.pixel(0, 0)), 0);
        int drawn = 0;
        for (int y = 0; y < 34; ++y)
            for (int x = 0; x < 40; ++x)
                drawn += qAlpha(button.normal.pixel(x, y)) != 0 ? 1 : 0;
        EXPECT_GT(drawn, 40);
    }
    // A bitmap that cannot be read stops the later ones.
    const std::vector<ToolbarButton> partial =
        CTrueColorToolBar::Buttons(Resources::ToolbarCommands(), {normal, QImage(), normal}, 40);
    EXPECT_FALSE(partial[0].normal.isNull());
    EXPECT_TRUE(partial[0].hot.isNull());
    EXPECT_TRUE(partial[0].disabled.isNull());
}

TEST(ProgramTest, TheLockIndicatorsShowTheKeyboardsLights)
{
    Program program;
    CMainFrame* frame = program.Frame();
    frame->UpdateIndicators();
    const QStringList panes = StatusBarTexts(frame);
    ASSERT_EQ(panes.size(), 4);
    // Each indicator shows its name while its lock is on or its state is
    // unknown (greyed then), nothing while it is off; which of these this
    // machine's keyboard gives is what LockKeyState reads.
    const std::pair<LockKey, QString> indicators[] = {
        {LockKey::capsLock, "CAP"}, {LockKey::numLock, "NUM"}, {LockKey::scrollLock, "SCRL"}};
    const QList<QLabel*> labels = frame->MainWindow()->statusBar()->findChildren<QLabel*>();
    for (int i = 0; i < 3; ++i) {
        const std::optional<bool> state = LockKeyState(indicators[i].first);
        EXPECT_EQ(panes[i + 1], !state || *state ? indicators[i].second : QString());
        EXPECT_EQ(labels[i + 1]->isEnabled(), state.has_value())
            << indicators[i].second.toStdString();
    }
}

TEST(ProgramTest, ArrangeIconsLinesUpTheMinimisedWindowsAlongTheBottom)
{
    QTemporaryDir files;
    const QString path = WriteRecording(files, "icons.nolvex", 150);
    Program program({CString::FromQString(path)});
    program.Frame()->RouteCommand(ID_WINDOW_NEW);
    program.Frame()->RouteCommand(ID_WINDOW_NEW);
    program.Frame()->MainWindow()->resize(1000, 700);
    program.Frame()->MainWindow()->show();
    QApplication::processEvents();
    QMdiArea* area = program.Frame()->MainWindow()->findChild<QMdiArea*>();
    ASSERT_NE(area, nullptr);
    const QList<QMdiSubWindow*> windows = area->subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(windows.size(), 3);
    for (QMdiSubWindow* window : windows)
        window->showNormal();
    windows[0]->showMinimized();
    windows[2]->showMinimized();
    ASSERT_TRUE(windows[0]->isMinimized());
    ASSERT_TRUE(windows[2]->isMinimized());
    windows[0]->move(200, 20);
    windows[2]->move(10, 60);
    windows[1]->setGeometry(30, 40, 500, 350);
    program.Frame()->RouteCommand(ID_WINDOW_ARRANGE);
    const int bottom = area->viewport()->rect().bottom() + 1;
    EXPECT_EQ(windows[0]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(windows[0]->x(), 0);
    EXPECT_EQ(windows[2]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(windows[2]->x(), windows[0]->width());
    // The others stay where they are.
    EXPECT_EQ(windows[1]->geometry(), QRect(30, 40, 500, 350));
}

namespace {

QMdiSubWindow* SubWindowOf(CMDIChildWnd* child)
{
    return qobject_cast<QMdiSubWindow*>(child->GetHostWidget()->parentWidget());
}

QMenu* MenuTitled(CMainFrame* frame, const QString& title)
{
    for (QAction* action : frame->MainWindow()->menuBar()->actions())
        if (action->text() == title)
            return action->menu();
    return nullptr;
}

} // namespace

TEST(ProgramTest, ClosingOneOfTwoWindowsClosesOnlyThatViewAndTheLastAsks)
{
    QTemporaryDir files;
    const QString path = WriteRecording(files, "views.nolvex", 300);
    Program program({CString::FromQString(path)});
    ASSERT_NE(program.ActiveView(), nullptr);
    program.CutSomething();
    program.Frame()->RouteCommand(ID_WINDOW_NEW);
    ASSERT_EQ(program.Frame()->Children().size(), 2u);
    EXPECT_EQ(program.Frame()->GetHostWidget()->windowTitle(), QString("Nolvex - views.nolvex:2"));
    std::vector<CString> asked;
    INT_PTR answer = IDCANCEL;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        asked.push_back(request.text);
        return answer;
    });
    // The window's own close button closes that window only, unasked.
    SubWindowOf(program.Frame()->Children()[1])->close();
    QCoreApplication::processEvents();
    ASSERT_EQ(program.Frame()->Children().size(), 1u);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(program.Frame()->GetHostWidget()->windowTitle(), QString("Nolvex - views.nolvex"));
    // The last one asks; Cancel keeps it, No closes the document.
    SubWindowOf(program.Frame()->Children()[0])->close();
    QCoreApplication::processEvents();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], CString("Save changes to views.nolvex?"));
    EXPECT_EQ(program.Frame()->Children().size(), 1u);
    answer = IDNO;
    SubWindowOf(program.Frame()->Children()[0])->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(program.Frame()->Children().empty());
    EXPECT_TRUE(program.app.OpenDocumentCount() == 0);
    EXPECT_EQ(program.Frame()->GetHostWidget()->windowTitle(), QString("Nolvex"));
}

TEST(ProgramTest, TheWindowMenuListsTheWindowsAndChoosingOneActivatesIt)
{
    QTemporaryDir files;
    const QString path = WriteRecording(files, "listed.nolvex", 100);
    Program program({CString::FromQString(path)});
    program.Frame()->RouteCommand(ID_WINDOW_NEW);
    QMenu* windowMenu = MenuTitled(program.Frame(), "&Window");
    ASSERT_NE(windowMenu, nullptr);
    emit windowMenu->aboutToShow();
    QStringList listed;
    QAction* first = nullptr;
    for (QAction* action : windowMenu->actions())
        if (CMDIFrameWnd::IsWindowCommand(action->data().toUInt())) {
            listed << action->text();
            EXPECT_TRUE(action->isEnabled());
            if (first == nullptr)
                first = action;
        }
    EXPECT_EQ(listed, (QStringList{"&1 listed.nolvex:1", "&2 listed.nolvex:2"}));
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->isChecked());
    first->trigger();
    EXPECT_EQ(program.Frame()->MDIGetActive(), program.Frame()->Children()[0]);
    EXPECT_EQ(program.Frame()->GetHostWidget()->windowTitle(), QString("Nolvex - listed.nolvex:1"));
    // Shown again, the list is not doubled and checks the active window.
    emit windowMenu->aboutToShow();
    int count = 0;
    for (QAction* action : windowMenu->actions())
        if (CMDIFrameWnd::IsWindowCommand(action->data().toUInt())) {
            ++count;
            EXPECT_EQ(action->isChecked(), action->text().startsWith("&1"));
        }
    EXPECT_EQ(count, 2);
}

TEST(ProgramTest, SaveAsRetitlesEveryWindowOfTheDocument)
{
    QTemporaryDir files;
    const QString path = WriteRecording(files, "old.nolvex", 100);
    Program program({CString::FromQString(path)});
    program.Frame()->RouteCommand(ID_WINDOW_NEW);
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        static_cast<CFileDialog*>(request.dialogObject)->m_path =
            CString::FromQString(files.filePath("new.nolvex"));
        return IDOK;
    });
    program.Frame()->RouteCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(program.Frame()->GetHostWidget()->windowTitle(), QString("Nolvex - new.nolvex:2"));
    CString first;
    program.Frame()->Children()[0]->GetWindowText(first);
    EXPECT_EQ(first, CString("new.nolvex:1"));
    EXPECT_EQ(SubWindowOf(program.Frame()->Children()[0])->windowTitle(), QString("new.nolvex:1"));
}

TEST(ProgramTest, ToolbarAndStatusBarShowAChecksWhileShownAndTheStatusSaysReady)
{
    Program program;
    ASSERT_TRUE(PersonInput::ShowAndActivate(program.Frame()->GetHostWidget()));
    QMenu* viewMenu = MenuTitled(program.Frame(), "&View");
    ASSERT_NE(viewMenu, nullptr);
    emit viewMenu->aboutToShow();
    for (QAction* action : viewMenu->actions()) {
        EXPECT_TRUE(action->isCheckable());
        EXPECT_TRUE(action->isChecked());
    }
    program.Frame()->RouteCommand(ID_VIEW_TOOLBAR);
    emit viewMenu->aboutToShow();
    ASSERT_NE(MenuItem(program.Frame(), ID_VIEW_TOOLBAR), nullptr);
    EXPECT_FALSE(MenuItem(program.Frame(), ID_VIEW_TOOLBAR)->isChecked());
    EXPECT_TRUE(MenuItem(program.Frame(), ID_VIEW_STATUS_BAR)->isChecked());

    // A menu item under the pointer prompts its command; once the menu
    // closes the status bar says "Ready" again.
    PersonInput::Key(Qt::Key_F, Qt::AltModifier);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr) << "Alt+F opened no menu";
    PersonInput::Key(Qt::Key_Down);
    EXPECT_NE(StatusBarTexts(program.Frame()).value(0), QString("Ready"));
    PersonInput::Key(Qt::Key_Escape);
    PersonInput::Key(Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(StatusBarTexts(program.Frame()).value(0), QString("Ready"));
}

TEST(ProgramTest, TheSessionEndingAsksAboutEachChangedDocument)
{
    QTemporaryDir files;
    const QString path = WriteRecording(files, "session.nolvex", 300);
    Program program({CString::FromQString(path)});
    CNolvexView* view = program.ActiveView();
    ASSERT_NE(view, nullptr);
    program.CutSomething();
    int asked = 0;
    INT_PTR answer = IDCANCEL;
    ScopedModalResponder responder([&](const ModalRequest&) -> INT_PTR {
        ++asked;
        return answer;
    });
    // Cancel: the session is asked to stay, and everything stays.
    EXPECT_EQ(program.Frame()->SendMessage(WM_QUERYENDSESSION), FALSE);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(program.Frame()->Children().size(), 1u);
    EXPECT_TRUE(view->GetDocument()->IsModified());
    // No: the session may end.
    answer = IDNO;
    EXPECT_EQ(program.Frame()->SendMessage(WM_QUERYENDSESSION), TRUE);
    EXPECT_EQ(asked, 2);
}

TEST(ProgramTest, EveryWindowHasTheSameButtonsAsTheFirst)
{
    QTemporaryDir files;
    const QString path = WriteRecording(files, "buttons.nolvex", 100);
    Program program({CString::FromQString(path)});
    program.Frame()->RouteCommand(ID_WINDOW_NEW);
    ASSERT_EQ(program.Frame()->Children().size(), 2u);
    QMdiSubWindow* first = SubWindowOf(program.Frame()->Children()[0]);
    QMdiSubWindow* second = SubWindowOf(program.Frame()->Children()[1]);
    EXPECT_EQ(first->windowFlags(), second->windowFlags());
    for (const Qt::WindowType button :
         {Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint, Qt::WindowCloseButtonHint})
        EXPECT_TRUE(first->windowFlags().testFlag(button)) << button;
    // Both are maximised in the one main window: no window of their own.
    EXPECT_FALSE(first->isWindow());
    EXPECT_EQ(first->window(), program.Frame()->GetHostWidget());
}
