// The state of the Caps Lock and Num Lock keys, for the status bar indicators.
#pragma once

#include <QObject>
#include <functional>

enum class LockKey { Caps, Num };

// True while the lock is on. Where the platform does not tell (no X11 or
// Windows keyboard state), the indicator stays off.
bool IsKeyLockOn(LockKey key);

// Calls onChange whenever a lock may have been switched: on the lock keys'
// presses and releases within the program, when the program becomes active
// (the keys may have been used in another one meanwhile), and once a second
// for a switch made elsewhere while it stays inactive. Nothing else of the
// window is refreshed by it.
class KeyLockWatcher : public QObject {
public:
    KeyLockWatcher(std::function<void()> onChange, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_onChange;
};
