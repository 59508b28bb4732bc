// The state of the Caps Lock and Num Lock keys, for the status bar indicators.
#pragma once

enum class LockKey { Caps, Num };

// True while the lock is on. Where the platform does not tell (no X11 or
// Windows keyboard state), the indicator stays off.
bool IsKeyLockOn(LockKey key);
