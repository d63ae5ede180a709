#pragma once

#include <QString>

#include <optional>

namespace orvane
{

struct LockKeyState {
    bool capsLock = false;
    bool numLock = false;

    bool operator==(const LockKeyState &) const = default;
};

// Caps Lock and Num Lock as the display server keeps them: on X11 the locked modifiers of the
// core keyboard, asked through XKB on the connection Qt already holds. Nothing where the
// display cannot say (Wayland, offscreen, a build without X11).
std::optional<LockKeyState> readDisplayLockKeys();
// The keyboard lights the kernel shows under `ledsFolder`; both off where there are none.
LockKeyState readKernelLockKeys(const QString &ledsFolder = QStringLiteral("/sys/class/leds"));
// The display's answer, or the kernel's lights where the display gives none. Many machines, and
// every X server without a keyboard device, have no lights under /sys at all.
LockKeyState readLockKeys();

} // namespace orvane
