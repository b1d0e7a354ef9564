// A program that ends with documents still open: their child frames and
// views go with it, whether the documents go first or the main frame does.

#include "CDocTemplate.h"
#include "CDocument.h"
#include "CMDIFrameWnd.h"
#include "CView.h"
#include "CWinApp.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class EmptyDocument : public CDocument
{
public:
    void Serialize(CArchive&) override {}
};

// A child frame and a view that count how many of their kind are alive.
class CountedFrame : public CMDIChildWnd
{
public:
    static inline int alive = 0;
    CountedFrame() { ++alive; }
    ~CountedFrame() override { --alive; }
};

class CountedView : public CView
{
public:
    static inline int alive = 0;
    CountedView() { ++alive; }
    ~CountedView() override { --alive; }
    void OnDraw(CDC*) override {}
};

class SmallProgram : public CWinApp
{
public:
    SmallProgram() : CWinApp("Small") {}
    BOOL InitInstance() override { return TRUE; }
    CMultiDocTemplate* Template() const { return m_template.get(); }
};

// A program with its main frame, two documents in it and a second window
// on the first: three child frames with a view each.
struct Program
{
    std::unique_ptr<SmallProgram> app = std::make_unique<SmallProgram>();
    std::unique_ptr<CMDIFrameWnd> mainFrame = std::make_unique<CMDIFrameWnd>();

    Program()
    {
        app->AddDocTemplate(new CMultiDocTemplate(
            1, "\nSmall\nSmall\nSmall Files (*.small)\n.small\nSmall.Document\nSmall.Document",
            [] { return new EmptyDocument; }, [] { return new CountedFrame; },
            [] { return new CountedView; }));
        EXPECT_TRUE(mainFrame->CreateFrame("Small", CRect(0, 0, 640, 480)));
        app->m_pMainWnd = mainFrame.get();
        CMultiDocTemplate* documents = app->Template();
        CDocument* first = documents->OpenNewDocument(mainFrame.get());
        EXPECT_NE(documents->OpenNewDocument(mainFrame.get()), nullptr);
        EXPECT_NE(documents->CreateNewWindow(first, mainFrame.get()), nullptr);
    }
};

} // namespace

TEST(OpenDocumentsAtEndTest, TheDocumentsGoingFirstTakeTheirFramesAndViews)
{
    Program program;
    EXPECT_EQ(program.mainFrame->Children().size(), 3u);
    EXPECT_EQ(CountedFrame::alive, 3);
    EXPECT_EQ(CountedView::alive, 3);
    // The application, with its documents, goes before the main frame.
    program.app.reset();
    EXPECT_EQ(CountedFrame::alive, 0);
    EXPECT_EQ(CountedView::alive, 0);
    EXPECT_TRUE(program.mainFrame->Children().empty());
}

TEST(OpenDocumentsAtEndTest, TheMainFrameGoingFirstTakesTheChildFramesAndViews)
{
    Program program;
    EXPECT_EQ(CountedFrame::alive, 3);
    program.mainFrame->DestroyWindow();
    EXPECT_EQ(CountedFrame::alive, 0);
    EXPECT_EQ(CountedView::alive, 0);
    // The documents, without windows now, go with the application.
    program.app->m_pMainWnd = nullptr;
    program.mainFrame.reset();
    EXPECT_EQ(program.app->Template()->Documents().size(), 2u);
    program.app.reset();
}
