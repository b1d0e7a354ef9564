#include "LockKeys.h"

#include <QDir>
#include <QFile>

namespace {

QString& LedFolder()
{
    static QString folder = "/sys/class/leds";
    return folder;
}

const char* LedSuffix(LockKey key)
{
    switch (key) {
    case LockKey::capsLock:
        return "::capslock";
    case LockKey::numLock:
        return "::numlock";
    case LockKey::scrollLock:
        return "::scrolllock";
    }
    return "";
}

} // namespace

void SetLockKeyLedFolder(const CString& folder)
{
    LedFolder() = folder.ToQString();
}

std::optional<bool> LockKeyState(LockKey key)
{
    const QDir folder(LedFolder());
    const QStringList leds =
        folder.entryList({QString("*") + LedSuffix(key)}, QDir::Dirs | QDir::NoDotAndDotDot);
    std::optional<bool> state;
    // With several keyboards the lock is on when any of them shows it.
    for (const QString& led : leds) {
        QFile brightness(folder.filePath(led + "/brightness"));
        if (!brightness.open(QIODevice::ReadOnly))
            continue;
        const bool on = brightness.readAll().trimmed().toInt() > 0;
        state = state.value_or(false) || on;
    }
    return state;
}
