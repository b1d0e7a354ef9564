// A recording the program cannot read to its end, as a person meets it: the
// program opens what it could read and says where it stopped; a save over
// the file asks first, No (the default) keeps the file, Yes replaces it.

#include "ProgramSession.h"

#include <QFile>

namespace {

class DamagedFileTest : public ProgramTest
{
};

} // namespace

TEST_F(DamagedFileTest, ReadingStoppedEarlyIsToldAndSavingOverTheFileAsks)
{
    const std::string path = MakeRecording("copied.nolvex", 120);
    {
        // A copy that went wrong: foreign bytes in place of the end tag.
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek(file.size() - 1));
        file.write("\x01garbage from another file");
    }
    const std::string before = ReadFile(path);

    StartNolvex({path});
    const unsigned long window = WaitForWindow("Nolvex - ");
    ASSERT_NE(window, 0u);
    const unsigned long warning = WaitForOtherWindow(window);
    ASSERT_NE(warning, 0u) << "the program did not tell that reading stopped early";
    SaveScreenshot("reading-stopped-early");
    EXPECT_EQ(Desktop().Title(warning), QString("Nolvex"));
    Desktop().Key("Return");
    ASSERT_TRUE(WaitForOnly(window));

    // What could be read is there: a metric, a selection and a cut.
    const ViewPanes panes = AddAMetric(window);
    ASSERT_TRUE(panes.Found());
    CutTheMiddle(panes);

    // Saving over the file asks; Enter gives the default, No.
    Desktop().Key("ctrl+s");
    const unsigned long question = WaitForOtherWindow(window);
    ASSERT_NE(question, 0u) << "saving over the file did not ask";
    SaveScreenshot("save-over-unread-bytes");
    Desktop().Key("Return");
    ASSERT_TRUE(WaitForOnly(window));
    Desktop().Settle(300);
    EXPECT_EQ(ReadFile(path), before);

    // Yes replaces it with what the program holds: the cut test, whole.
    Desktop().Key("ctrl+s");
    ASSERT_NE(WaitForOtherWindow(window), 0u);
    Desktop().Key("alt+y");
    ASSERT_TRUE(WaitForOnly(window));
    Desktop().Settle(300);
    const std::vector<int> counts = SampleCounts(path);
    ASSERT_EQ(counts.size(), 1u);
    EXPECT_LT(counts[0], 1200);
    EXPECT_GT(counts[0], 600);
    EXPECT_EQ(ReadFile(path).back(), '\x85');

    // Saved: Exit ends without a question.
    Desktop().Key("alt+f");
    Desktop().Key("x");
    EXPECT_TRUE(Program().WaitForExit());
}
