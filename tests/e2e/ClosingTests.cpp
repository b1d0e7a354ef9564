// The program's one main window, and closing it or its windows with unsaved
// work: File > Exit, the window manager's close and a window's own close
// button, answered Cancel, No, Yes, or Yes with a save that fails. Checked by
// the process, its windows and the file on disk.

#include "ProgramSession.h"
#include "SessionManager.h"

#include <QDir>

namespace {

class ClosingTest : public ProgramTest
{
};

} // namespace

TEST_F(ClosingTest, TheProgramIsOneWindowTitledWithItsFile)
{
    const std::string path = MakeRecording("foundry.nolvex", 120);
    StartNolvex({path});
    const unsigned long window = WaitForWindow("Nolvex");
    ASSERT_NE(window, 0u);
    SaveScreenshot("main-window");
    EXPECT_EQ(Windows().size(), 1u);
    EXPECT_EQ(Desktop().Title(window), QString("Nolvex - foundry.nolvex"));
    EXPECT_TRUE(FindPanes(window).Found());
}

TEST_F(ClosingTest, ExitAsksAboutACutAndCancelKeepsEverything)
{
    const std::string path = MakeRecording("shift.nolvex", 120);
    const std::string before = ReadFile(path);
    const unsigned long window = OpenAndCut(path);
    ASSERT_NE(window, 0u);
    Desktop().Key("alt+f");
    Desktop().Key("x");
    const unsigned long question = WaitForOtherWindow(window);
    ASSERT_NE(question, 0u) << "Exit did not ask about the cut";
    SaveScreenshot("exit-question");
    EXPECT_EQ(Desktop().Title(question), QString("Nolvex"));
    Desktop().Key("Escape");
    ASSERT_TRUE(WaitForOnly(window));
    Desktop().Settle(300);
    EXPECT_TRUE(Program().IsRunning());
    EXPECT_EQ(ReadFile(path), before);

    // Asked again, No ends the program and leaves the file as it was.
    Desktop().Key("alt+f");
    Desktop().Key("x");
    ASSERT_NE(WaitForOtherWindow(window), 0u);
    Desktop().Key("alt+n");
    EXPECT_TRUE(Program().WaitForExit());
    EXPECT_EQ(ReadFile(path), before);
}

TEST_F(ClosingTest, YesAtExitSavesTheCutAndEnds)
{
    const std::string path = MakeRecording("saved.nolvex", 120);
    const unsigned long window = OpenAndCut(path);
    ASSERT_NE(window, 0u);
    Desktop().Key("alt+f");
    Desktop().Key("x");
    ASSERT_NE(WaitForOtherWindow(window), 0u);
    Desktop().Key("alt+y");
    ASSERT_TRUE(Program().WaitForExit());
    EXPECT_EQ(Program().ExitStatus(), 0);
    const std::vector<int> counts = SampleCounts(path);
    ASSERT_EQ(counts.size(), 1u);
    EXPECT_LT(counts[0], 1200);
    EXPECT_GT(counts[0], 600);
}

TEST_F(ClosingTest, AFailedSaveAtExitKeepsTheProgramAndTheCut)
{
    const std::string folder = Home() + "/gone";
    QDir().mkpath(QString::fromStdString(folder));
    const std::string path = MakeRecording("gone/shift.nolvex", 120);
    const unsigned long window = OpenAndCut(path);
    ASSERT_NE(window, 0u);
    // The file's folder goes away behind the program's back: saving fails.
    QDir(QString::fromStdString(folder)).removeRecursively();
    Desktop().Key("alt+f");
    Desktop().Key("x");
    ASSERT_NE(WaitForOtherWindow(window), 0u);
    Desktop().Key("alt+y");
    // The error is told; the program stays.
    const unsigned long error = WaitForOtherWindow(window);
    ASSERT_NE(error, 0u) << "the failed save was not told";
    SaveScreenshot("failed-save");
    Desktop().Key("Return");
    ASSERT_TRUE(WaitForOnly(window));
    Desktop().Settle(300);
    EXPECT_TRUE(Program().IsRunning());
    // Still modified: Exit asks again.
    Desktop().Key("alt+f");
    Desktop().Key("x");
    ASSERT_NE(WaitForOtherWindow(window), 0u);
    Desktop().Key("alt+n");
    EXPECT_TRUE(Program().WaitForExit());
}

TEST_F(ClosingTest, TheWindowManagersCloseAsksToo)
{
    const std::string path = MakeRecording("closed.nolvex", 120);
    const std::string before = ReadFile(path);
    const unsigned long window = OpenAndCut(path);
    ASSERT_NE(window, 0u);
    Desktop().Key("alt+F4");
    ASSERT_NE(WaitForOtherWindow(window), 0u) << "Alt+F4 closed without asking";
    Desktop().Key("Escape");
    ASSERT_TRUE(WaitForOnly(window));
    Desktop().Settle(300);
    EXPECT_TRUE(Program().IsRunning());
    Desktop().Key("alt+F4");
    ASSERT_NE(WaitForOtherWindow(window), 0u);
    Desktop().Key("alt+n");
    EXPECT_TRUE(Program().WaitForExit());
    EXPECT_EQ(ReadFile(path), before);
}

TEST_F(ClosingTest, ALogoutAsksAboutTheCutAndCancelKeepsTheSession)
{
    TestSessionManager session;
    ASSERT_TRUE(session.IsUp());
    const std::string path = MakeRecording("logout.nolvex", 120);
    const std::string before = ReadFile(path);
    const unsigned long window = OpenAndCut(path, {"SESSION_MANAGER=" + session.Address()});
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(session.WaitForClients(1, std::chrono::seconds(10)))
        << "the program did not join the session";

    // Cancel calls the logout off; the program and the cut stay.
    session.Logout();
    ASSERT_NE(WaitForOtherWindow(window), 0u) << "the logout did not ask about the cut";
    SaveScreenshot("logout-question");
    Desktop().Key("Escape");
    EXPECT_EQ(session.WaitForOutcome(std::chrono::seconds(10)),
              TestSessionManager::Outcome::cancelled);
    ASSERT_TRUE(WaitForOnly(window));
    EXPECT_TRUE(Program().IsRunning());

    // No lets the session end, and the program ends with it.
    session.Logout();
    ASSERT_NE(WaitForOtherWindow(window), 0u);
    Desktop().Key("alt+n");
    EXPECT_EQ(session.WaitForOutcome(std::chrono::seconds(10)), TestSessionManager::Outcome::saved);
    session.EndSession();
    EXPECT_TRUE(Program().WaitForExit());
    EXPECT_EQ(ReadFile(path), before);
}
