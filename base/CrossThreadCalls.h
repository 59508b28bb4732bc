// Runs calls on the thread of a QObject (the user-interface thread) on behalf
// of other threads. The calls travel through a queue under a std::mutex of
// ours; the receiving thread is only woken (through a pipe where there is
// one), so nothing of ours is handed over inside Qt's event queue, whose lock
// a race checker cannot see.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class QObject;
class QThread;

class CrossThreadCalls {
public:
    // Made on context's thread, which runs the calls from its event loop.
    explicit CrossThreadCalls(QObject* context);
    ~CrossThreadCalls();
    CrossThreadCalls(const CrossThreadCalls&) = delete;
    CrossThreadCalls& operator=(const CrossThreadCalls&) = delete;

    // Queues call; false once closed.
    bool Post(std::function<void()> call);
    // Queues call and waits until it has run: true then. False when closed
    // first, even while the call runs, so a call must not write into the
    // waiting caller's frame; results go into something the call owns. On
    // the context's own thread the call runs at once (waiting there could
    // never end).
    bool Run(std::function<void()> call);
    // Drops the queued calls and releases every waiting Run.
    void Close();
    // Whether the calling thread is the one that runs the calls.
    bool OnContextThread() const;

private:
    struct Entry {
        std::function<void()> call;
        bool done = false;
    };
    bool Queue(const std::shared_ptr<Entry>& entry);
    void RunQueued();
    void Ring();

    std::mutex m_mutex;
    std::condition_variable m_ran;
    std::deque<std::shared_ptr<Entry>> m_queue;  // under m_mutex
    bool m_closed = false;                       // under m_mutex
    QThread* m_thread;                           // the context's
    std::unique_ptr<QObject> m_receiver;         // on the context's thread
    int m_pipe[2] = {-1, -1};
};
