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

// On, off, or nothing when no keyboard shows that lock; the LEDs are looked
// for in ledFolder.
std::optional<bool> LockKeyState(LockKey key,
                                 const CString& ledFolder = CString("/sys/class/leds"));
