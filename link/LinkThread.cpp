#include "link/LinkThread.h"

#include "link/LinkOperations.h"
#include "link/SerialLinkPort.h"

#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

SerialPortFactory g_serialPorts;
std::atomic<LinkPortFactory*> g_ports{nullptr};
std::atomic<LinkClock*> g_clock{nullptr};

// What the starter and Stop know about a running worker, under the mutex of
// the worker's operation.
struct WorkerState {
    explicit WorkerState(std::mutex& mutex) : mutex(mutex) {}
    std::mutex& mutex;
    bool ended = false;
    bool cancelled = false;
    LinkPort* port = nullptr;  // while open
};

// Workers are QThreads rather than plain threads: Qt's serial port creates
// socket notifiers, which need a thread Qt started (one with an event
// dispatcher); on any other thread each opening prints warnings.
using WorkerThread = std::unique_ptr<QThread>;

// Waits for the thread to end (a worker always ends: every operation is
// bounded in time and a stop cancels its pending read) and frees it.
void Join(WorkerThread& thread) {
    if (!thread) return;
    thread->wait();
    thread.reset();
}

// Publishes the open port so that Stop can cancel a pending read.
class PortRegistration {
public:
    PortRegistration(WorkerState* state, LinkPort& port) : m_state(state) {
        if (!m_state) return;
        std::lock_guard lock(m_state->mutex);
        m_state->port = &port;
        if (m_state->cancelled) port.Cancel();
    }
    ~PortRegistration() {
        if (!m_state) return;
        std::lock_guard lock(m_state->mutex);
        m_state->port = nullptr;
    }
    PortRegistration(const PortRegistration&) = delete;
    PortRegistration& operator=(const PortRegistration&) = delete;

private:
    WorkerState* m_state;
};

int RunRequest(const LinkRequest& request, WorkerState* state) {
    const LinkEnvironment env = DefaultLinkEnvironment();
    LinkPortFactory& ports = request.ports ? *request.ports : *env.ports;
    LinkClock& clock = request.clock ? *request.clock : *env.clock;
    int code = LINK_ERR_PORT;
    uint32_t count = 0;
    PortOpenFailure why;
    if (std::unique_ptr<LinkPort> port = ports.OpenPortExplained(request.port, why)) {
        PortRegistration registration(state, *port);
        LinkContext link{*port, clock, request.notify};
        code = RunLinkOperation(link, request.operation, request.buffer, request.length, request.address, count);
        // A connection the server closed is told where an opening failure is.
        if (code != LINK_OK && request.openFailure) port->ExplainLoss(*request.openFailure);
    } else if (request.openFailure) {
        *request.openFailure = why;
    }  // the port closes here, before the report
    if (request.notify) request.notify->SendSerialNotify(code & 0xFFFF, code == LINK_OK ? long(count) : 0);
    return code;
}

// A started QThread is running or, if it was quick, finished; neither means
// the system could not create it.
class QtThreads : public WorkerThreads {
public:
    std::unique_ptr<QThread> Start(std::function<void()> work) override {
        WorkerThread thread(QThread::create(std::move(work)));
        thread->start();
        if (!thread->isRunning() && !thread->isFinished()) return nullptr;
        return thread;
    }
};

}  // namespace

LinkEnvironment DefaultLinkEnvironment() {
    LinkPortFactory* ports = g_ports.load();
    LinkClock* clock = g_clock.load();
    return {ports ? ports : &g_serialPorts, clock ? clock : &SystemLinkClock()};
}

void SetDefaultLinkEnvironment(LinkPortFactory* ports, LinkClock* clock) {
    g_ports = ports;
    g_clock = clock;
}

int LinkThreadProc(const LinkRequest& request) { return RunRequest(request, nullptr); }

WorkerThreads& QtWorkerThreads() {
    static QtThreads threads;
    return threads;
}

struct LinkWorker::State {
    explicit State(WorkerThreads& threads) : threads(threads) {}
    WorkerThreads& threads;
    std::mutex mutex;
    std::condition_variable ended;
    WorkerThread current;
    WorkerThread retired;  // the one before; its final report has returned
    std::shared_ptr<WorkerState> currentState;

    void JoinRetired() {
        WorkerThread thread;
        {
            std::lock_guard lock(mutex);
            thread = std::move(retired);
        }
        Join(thread);
    }
};

LinkWorker::LinkWorker(WorkerThreads& threads) : m_state(std::make_unique<State>(threads)) {}

LinkWorker::~LinkWorker() {
    Join(m_state->current);
    Join(m_state->retired);
}

bool LinkWorker::Start(LinkNotifyTarget* notify, int port, int operation, uint8_t* buffer, uint32_t length,
                       uint32_t address, PortOpenFailure* openFailure) {
    // The worker before the current one returned from its final report before
    // the current one was started; joining it here cannot wait on us.
    State& workers = *m_state;
    workers.JoinRetired();
    const LinkEnvironment env = DefaultLinkEnvironment();
    const LinkRequest request{notify, port, operation, address, length, buffer, env.ports, env.clock, openFailure};
    std::lock_guard lock(workers.mutex);
    auto state = std::make_shared<WorkerState>(workers.mutex);
    WorkerThread thread = workers.threads.Start([request, state, &workers] {
        RunRequest(request, state.get());
        std::lock_guard ending(workers.mutex);
        state->ended = true;
        workers.ended.notify_all();
    });
    if (!thread) return false;  // out of threads: the caller ends the operation
    workers.retired = std::move(workers.current);
    workers.current = std::move(thread);
    workers.currentState = std::move(state);
    return true;
}

void LinkWorker::Stop(int timeoutMs) {
    State& workers = *m_state;
    WorkerThread current;
    {
        std::unique_lock lock(workers.mutex);
        if (workers.currentState) {
            WorkerState& state = *workers.currentState;
            if (!workers.ended.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return state.ended; })) {
                state.cancelled = true;
                if (state.port) state.port->Cancel();
            }
        }
        current = std::move(workers.current);
        workers.currentState.reset();
    }
    Join(current);
    workers.JoinRetired();
}
