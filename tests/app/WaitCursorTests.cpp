// The busy cursor during work the user waits for (opening and saving files),
// and the ordinary cursor whenever a message box or dialog asks something in
// the middle of it.

#include "CDocTemplate.h"
#include "CDocument.h"
#include "CWaitCursor.h"
#include "CWinApp.h"
#include "ModalSeam.h"

#include <QCursor>
#include <QGuiApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

bool BusyCursorShown()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
}

// Notes whether the busy cursor showed while it was read or written.
class WatchedDocument : public CDocument
{
public:
    explicit WatchedDocument(std::vector<bool>& seen, bool succeed = false)
        : m_seen(seen), m_succeed(succeed)
    {
    }
    void Serialize(CArchive&) override {}
    bool OnOpenDocument(const CString& path) override
    {
        m_seen.push_back(BusyCursorShown());
        if (!m_succeed)
            ReportSaveLoadException(path, "The file is damaged.", false);
        return m_succeed;
    }
    bool OnSaveDocument(const CString& path) override
    {
        m_seen.push_back(BusyCursorShown());
        if (!m_succeed)
            ReportSaveLoadException(path, "The disk is full.", true);
        return m_succeed;
    }

private:
    std::vector<bool>& m_seen;
    bool m_succeed;
};

class TestApp : public CWinApp
{
public:
    TestApp() : CWinApp("Nolvex wait test") {}
    BOOL InitInstance() override { return TRUE; }
};

} // namespace

TEST(WaitCursorTest, NestedWaitsKeepTheBusyCursorUntilTheOutermostEnds)
{
    ASSERT_FALSE(BusyCursorShown());
    {
        const CWaitCursor outer;
        EXPECT_TRUE(BusyCursorShown());
        {
            const CWaitCursor inner;
            EXPECT_TRUE(BusyCursorShown());
        }
        EXPECT_TRUE(BusyCursorShown());
    }
    EXPECT_FALSE(BusyCursorShown());
    // One override for all the waits: nothing is left on Qt's stack.
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(WaitCursorTest, AMessageBoxInTheMiddleOfAWaitGetsTheOrdinaryCursor)
{
    std::vector<bool> seen;
    ScopedModalResponder responder([&](const ModalRequest&) -> INT_PTR {
        seen.push_back(BusyCursorShown());
        return IDOK;
    });
    {
        const CWaitCursor wait;
        AfxMessageBox("Half done.");
        // The work goes on after the answer, and so does the busy cursor.
        EXPECT_TRUE(BusyCursorShown());
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_FALSE(seen[0]);
    EXPECT_FALSE(BusyCursorShown());
}

TEST(WaitCursorTest, OpeningShowsTheBusyCursorAndAFailureIsToldWithTheOrdinaryOne)
{
    std::vector<bool> seen;
    CMultiDocTemplate docTemplate(
        128, "\nNolvex\nNolvex\nNolvex Files (*.nolvex)\n.nolvex\nNolvex.Document\nNolvex File",
        [&seen] { return new WatchedDocument(seen); }, [] { return nullptr; },
        [] { return nullptr; });
    std::vector<ModalRequest> asked;
    std::vector<bool> busyWhileAsked;
    ScopedModalResponder responder([&](const ModalRequest& request) -> INT_PTR {
        asked.push_back(request);
        busyWhileAsked.push_back(BusyCursorShown());
        return IDOK;
    });
    EXPECT_EQ(docTemplate.OpenDocumentFile("/nowhere/damaged.nolvex", nullptr), nullptr);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0]) << "no busy cursor while the file was read";
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, CString("The file is damaged."));
    EXPECT_FALSE(busyWhileAsked[0]);
    EXPECT_FALSE(BusyCursorShown());
}

TEST(WaitCursorTest, SavingShowsTheBusyCursorAndAFailureIsToldWithTheOrdinaryOne)
{
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    TestApp app;
    std::vector<bool> seen;
    std::vector<bool> busyWhileAsked;
    ScopedModalResponder responder([&](const ModalRequest&) -> INT_PTR {
        busyWhileAsked.push_back(BusyCursorShown());
        return IDOK;
    });

    WatchedDocument saved(seen, true);
    saved.SetPathName("/tmp/kept.nolvex");
    EXPECT_TRUE(app.SaveDocument(&saved, false));
    WatchedDocument refused(seen, false);
    refused.SetPathName("/tmp/full.nolvex");
    EXPECT_FALSE(app.SaveDocument(&refused, false));

    EXPECT_EQ(seen, (std::vector<bool>{true, true}));
    ASSERT_EQ(busyWhileAsked.size(), 1u);
    EXPECT_FALSE(busyWhileAsked[0]);
    EXPECT_FALSE(BusyCursorShown());
}
