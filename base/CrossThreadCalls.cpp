#include "base/CrossThreadCalls.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>
#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

CrossThreadCalls::CrossThreadCalls(QObject* context)
    : m_thread(context->thread()), m_receiver(std::make_unique<QObject>()) {
    m_receiver->moveToThread(m_thread);
#ifdef Q_OS_UNIX
    if (::pipe(m_pipe) == 0) {
        for (int fd : m_pipe) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
        auto* notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, m_receiver.get());
        QObject::connect(notifier, &QSocketNotifier::activated, m_receiver.get(), [this] {
            char drained[64];
            while (::read(m_pipe[0], drained, sizeof drained) > 0) {}
            RunQueued();
        });
    } else {
        m_pipe[0] = m_pipe[1] = -1;  // rung through Qt's queue instead
    }
#endif
}

CrossThreadCalls::~CrossThreadCalls() {
    Close();
    m_receiver.reset();  // the notifier goes before its pipe
#ifdef Q_OS_UNIX
    for (int fd : m_pipe)
        if (fd >= 0) ::close(fd);
#endif
}

bool CrossThreadCalls::Post(std::function<void()> call) {
    return Queue(std::make_shared<Entry>(Entry{std::move(call)}));
}

bool CrossThreadCalls::OnContextThread() const { return QThread::currentThread() == m_thread; }

bool CrossThreadCalls::Run(std::function<void()> call) {
    if (OnContextThread()) {
        {
            std::lock_guard lock(m_mutex);
            if (m_closed) return false;
        }
        call();
        return true;
    }
    auto entry = std::make_shared<Entry>(Entry{std::move(call)});
    if (!Queue(entry)) return false;
    std::unique_lock lock(m_mutex);
    m_ran.wait(lock, [&] { return entry->done || m_closed; });
    return entry->done;
}

void CrossThreadCalls::Close() {
    std::lock_guard lock(m_mutex);
    m_closed = true;
    m_queue.clear();
    m_ran.notify_all();
}

// Under the lock, so that the object cannot go away between queueing and
// ringing.
bool CrossThreadCalls::Queue(const std::shared_ptr<Entry>& entry) {
    std::lock_guard lock(m_mutex);
    if (m_closed) return false;
    m_queue.push_back(entry);
    Ring();
    return true;
}

void CrossThreadCalls::Ring() {
#ifdef Q_OS_UNIX
    // A full pipe already holds a wake-up that has not been read yet.
    if (m_pipe[1] >= 0 && (::write(m_pipe[1], "", 1) == 1 || errno == EAGAIN)) return;
#endif
    QMetaObject::invokeMethod(
        m_receiver.get(), [this] { RunQueued(); }, Qt::QueuedConnection);
}

// Everything queued so far, oldest first; calls queued while one runs (a
// nested event loop included) are taken by the loop or the next wake-up.
void CrossThreadCalls::RunQueued() {
    for (;;) {
        std::shared_ptr<Entry> entry;
        {
            std::lock_guard lock(m_mutex);
            if (m_queue.empty()) return;
            entry = m_queue.front();
            m_queue.pop_front();
        }
        entry->call();
        std::lock_guard lock(m_mutex);
        entry->done = true;
        m_ran.notify_all();
    }
}
