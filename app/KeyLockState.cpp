#include "app/KeyLockState.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QTimer>

namespace {
// Only for a lock switched while another program has the keyboard.
constexpr int kLockPollMs = 1000;
}  // namespace

KeyLockWatcher::KeyLockWatcher(std::function<void()> onChange, QObject* parent)
    : QObject(parent), m_onChange(std::move(onChange)) {
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this] { m_onChange(); });
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this] { m_onChange(); });
    poll->start(kLockPollMs);
}

bool KeyLockWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock) m_onChange();
    }
    return QObject::eventFilter(watched, event);
}

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
