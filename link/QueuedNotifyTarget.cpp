#include "link/QueuedNotifyTarget.h"

#include <QMetaObject>
#include <QThread>

#include <memory>

namespace {
struct PendingReport {
    bool done = false;
    int answer = 0;
};
constexpr int kClosedAnswer = 1;
}  // namespace

QueuedNotifyTarget::QueuedNotifyTarget(QObject* context, Handler handler)
    : m_context(context), m_handler(std::move(handler)) {}

QueuedNotifyTarget::~QueuedNotifyTarget() { Close(); }

int QueuedNotifyTarget::SendSerialNotify(int code, long param) {
    if (QThread::currentThread() == m_context->thread()) return m_handler(code, param);
    auto pending = std::make_shared<PendingReport>();
    {
        std::lock_guard lock(m_mutex);
        if (m_closed) return kClosedAnswer;
    }
    // The call is dropped by Qt if the context dies first; the worker is then
    // released by Close().
    QMetaObject::invokeMethod(
        m_context,
        [this, pending, code, param] {
            {
                std::lock_guard lock(m_mutex);
                if (m_closed) return;
            }
            const int answer = m_handler(code, param);
            std::lock_guard lock(m_mutex);
            pending->answer = answer;
            pending->done = true;
            m_answered.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(m_mutex);
    m_answered.wait(lock, [&] { return pending->done || m_closed; });
    return pending->done ? pending->answer : kClosedAnswer;
}

void QueuedNotifyTarget::Close() {
    std::lock_guard lock(m_mutex);
    m_closed = true;
    m_answered.notify_all();
}
