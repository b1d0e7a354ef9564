// The main function of GUI tests: a QApplication on the offscreen platform,
// so that windows, images and fonts work without a display, with settings in
// a temporary directory and numbers in the C locale.

#include "PersonInput.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

namespace {

// A test that ends with a mouse button held lets go of it, so that the
// next test's input starts from a free hand.
class LetGoAfterEachTest : public testing::EmptyTestEventListener
{
    void OnTestEnd(const testing::TestInfo&) override { PersonInput::LetGo(); }
};

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir home;
    setenv("XDG_CONFIG_HOME", home.path().toLocal8Bit().constData(), 1);
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new LetGoAfterEachTest);
    return RUN_ALL_TESTS();
}
