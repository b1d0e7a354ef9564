#pragma once

#include "CString.h"

#include <optional>

// The toggled state of the keyboard's lock keys, as the keyboard's LEDs
// show it (the kernel lists them as /sys/class/leds/<device>::capslock and
// so on). Qt does not tell it; without such LEDs the state is unknown.
enum class LockKey
{
    capsLock,
    numLock,
    scrollLock
};

// On, off, or nothing when no keyboard shows that lock.
std::optional<bool> LockKeyState(LockKey key);
// Where the LEDs are looked for; tests point it at a folder of their own.
void SetLockKeyLedFolder(const CString& folder);
