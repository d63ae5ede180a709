#pragma once

namespace orvane
{

struct LockKeyState {
    bool capsLock = false;
    bool numLock = false;
};

// The keyboard's Caps Lock and Num Lock lights. Qt has no portable query for them; on Linux the
// kernel shows the lights under /sys/class/leds. Where nothing can be read, both are off.
LockKeyState readLockKeys();

} // namespace orvane
