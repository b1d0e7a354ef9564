#include "LockKeys.h"

#include <QDir>
#include <QFile>

namespace {

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

std::optional<bool> LockKeyState(LockKey key, const CString& ledFolder)
{
    const QDir folder(ledFolder.ToQString());
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
