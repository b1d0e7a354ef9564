// The lock keys' state as the keyboards' LEDs show it.

#include "LockKeys.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A folder of LEDs as the kernel lists them, each with its brightness.
struct LedFolder
{
    QTemporaryDir directory;

    void Light(const char* name, const char* brightness)
    {
        QDir(directory.path()).mkpath(name);
        QFile file(directory.filePath(QString(name) + "/brightness"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(brightness);
    }
    std::optional<bool> State(LockKey key) const
    {
        return LockKeyState(key, CString::FromQString(directory.path()));
    }
};

} // namespace

TEST(LockKeyTest, EachLockIsReadFromItsOwnLight)
{
    LedFolder leds;
    leds.Light("input3::capslock", "1\n");
    leds.Light("input3::numlock", "0\n");
    EXPECT_EQ(leds.State(LockKey::capsLock), std::optional<bool>(true));
    EXPECT_EQ(leds.State(LockKey::numLock), std::optional<bool>(false));
    // No keyboard shows the scroll lock: its state is unknown.
    EXPECT_EQ(leds.State(LockKey::scrollLock), std::nullopt);
}

TEST(LockKeyTest, ALockIsOnWhenAnyKeyboardShowsIt)
{
    LedFolder leds;
    leds.Light("input3::numlock", "0\n");
    leds.Light("input7::numlock", "0\n");
    EXPECT_EQ(leds.State(LockKey::numLock), std::optional<bool>(false));
    leds.Light("input7::numlock", "1\n");
    EXPECT_EQ(leds.State(LockKey::numLock), std::optional<bool>(true));
    // Any brightness above 0 is a light on.
    leds.Light("input7::numlock", "255\n");
    leds.Light("input3::scrolllock", "0\n");
    EXPECT_EQ(leds.State(LockKey::numLock), std::optional<bool>(true));
    EXPECT_EQ(leds.State(LockKey::scrollLock), std::optional<bool>(false));
}

TEST(LockKeyTest, ALightWhoseBrightnessCannotBeReadTellsNothing)
{
    LedFolder leds;
    QDir(leds.directory.path()).mkpath("input3::capslock");
    EXPECT_EQ(leds.State(LockKey::capsLock), std::nullopt);
    EXPECT_EQ(LockKeyState(LockKey::capsLock, CString("/no/such/folder")), std::nullopt);
}
