#include "app/KeyLockState.h"

#if defined(Q_OS_WIN) || defined(_WIN32)
#include <windows.h>

bool IsKeyLockOn(LockKey key) { return (GetKeyState(key == LockKey::Caps ? VK_CAPITAL : VK_NUMLOCK) & 1) != 0; }

#elif defined(VKX_HAVE_XKB)
#include <QGuiApplication>
#include <X11/XKBlib.h>

bool IsKeyLockOn(LockKey key) {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return false;
    const Atom indicator = XInternAtom(display, key == LockKey::Caps ? "Caps Lock" : "Num Lock", True);
    Bool on = False;
    if (indicator == None || !XkbGetNamedIndicator(display, indicator, nullptr, &on, nullptr, nullptr)) return false;
    return on != False;
}

#else

bool IsKeyLockOn(LockKey) { return false; }

#endif
