// The serial worker: one thread (a QThread) per device step opens the port,
// runs one link operation, closes the port and reports the result
// synchronously to its notify target. At most one worker of an operation
// runs at a time.
#pragma once

#include "link/LinkProtocol.h"

#include <cstdint>
#include <functional>
#include <memory>

// What a worker does; copied into the worker when it starts.
struct LinkRequest {
    LinkNotifyTarget* notify = nullptr;
    int port = -1;                     // 0-based index, COM1 = 0
    int operation = LINK_NOP;          // LINK_QUERY .. LINK_MODULE_DATA
    uint32_t address = 0;              // device address of memory operations (24 bits go on the wire)
    uint32_t length = 0;               // data bytes to move
    uint8_t* buffer = nullptr;         // caller's data, alive until the completion report
    LinkPortFactory* ports = nullptr;  // nullptr: the default environment's
    LinkClock* clock = nullptr;        // nullptr: the default environment's
    // Receives why the port did not open (LINK_ERR_PORT), or why its line went
    // away during the operation, before the final report; the caller's, alive
    // until then. nullptr: not wanted.
    PortOpenFailure* openFailure = nullptr;
};

// Where workers get their port and their time. By default the serial ports
// and the computer's clock; tests and tools put the simulated device here.
struct LinkEnvironment {
    LinkPortFactory* ports;
    LinkClock* clock;
};
LinkEnvironment DefaultLinkEnvironment();
// nullptr restores the serial ports or the system clock.
void SetDefaultLinkEnvironment(LinkPortFactory* ports, LinkClock* clock);

// Runs a request on the calling thread: opens the port (LINK_ERR_PORT when it
// cannot), runs the operation, closes the port, then reports the code and the
// byte count to request.notify. Returns the code (the worker's exit code
// carries nothing; direct callers may use it). With the serial ports the
// calling thread must be one Qt knows: a QThread, or the main thread once a
// QCoreApplication exists (Qt's serial port warns on any other).
int LinkThreadProc(const LinkRequest& request);

class QThread;

// Creates the threads workers run on. Qt's by default; tests provide one that
// cannot create any.
class WorkerThreads {
public:
    virtual ~WorkerThreads() = default;
    // A started thread running work; null when none could be created.
    virtual std::unique_ptr<QThread> Start(std::function<void()> work) = 0;
};
WorkerThreads& QtWorkerThreads();

// The workers of one operation: one thread per step, at most one running.
// Several operations (on several ports) each have their own.
class LinkWorker {
public:
    explicit LinkWorker(WorkerThreads& threads = QtWorkerThreads());
    ~LinkWorker();  // a program ending during an operation still waits for its worker
    LinkWorker(const LinkWorker&) = delete;
    LinkWorker& operator=(const LinkWorker&) = delete;

    // Starts a worker for the request in the default environment. False when
    // no thread could be created: then no report will come, and the caller
    // ends the operation itself. openFailure (optional) receives why the port
    // did not open, as in LinkRequest. May be called from inside the previous
    // worker's final report.
    bool Start(LinkNotifyTarget* notify, int port, int operation, uint8_t* buffer, uint32_t length, uint32_t address,
               PortOpenFailure* openFailure = nullptr);
    // Waits up to timeoutMs for the latest worker; if it is still running, its
    // pending read is cancelled and the thread joined. A thread is never
    // killed. The notify target must not block while this runs (close it first).
    void Stop(int timeoutMs);

private:
    struct State;
    std::unique_ptr<State> m_state;
};
