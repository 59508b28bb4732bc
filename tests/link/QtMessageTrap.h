// Collects every warning Qt prints (from any thread) while the trap lives,
// so that a test can fail on them instead of letting them scroll past.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <mutex>
#include <string>

class QtMessageTrap {
public:
    QtMessageTrap() {
        std::lock_guard lock(Mutex());
        Current() = this;
        m_previous = qInstallMessageHandler(&QtMessageTrap::Handle);
    }
    ~QtMessageTrap() {
        std::lock_guard lock(Mutex());
        qInstallMessageHandler(m_previous);
        Current() = nullptr;
    }
    QtMessageTrap(const QtMessageTrap&) = delete;
    QtMessageTrap& operator=(const QtMessageTrap&) = delete;

    // Warnings, criticals and fatals so far (debug and info lines are not kept).
    QStringList messages() const {
        std::lock_guard lock(Mutex());
        return m_messages;
    }
    // The same, one per line, for test output ("" when there were none).
    std::string Joined() const { return messages().join(u'\n').toStdString(); }

private:
    static void Handle(QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtDebugMsg || type == QtInfoMsg) return;
        std::lock_guard lock(Mutex());
        if (Current()) Current()->m_messages << text;
    }
    static std::mutex& Mutex() {
        static std::mutex mutex;
        return mutex;
    }
    static QtMessageTrap*& Current() {
        static QtMessageTrap* current = nullptr;
        return current;
    }

    QtMessageHandler m_previous = nullptr;
    QStringList m_messages;
};
