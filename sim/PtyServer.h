// vkx520sim's line: the simulated device on the master side of a
// pseudo-terminal. Programs open the slave side as their serial port. Or, for
// demonstrations without a serial device server, the device on a TCP port as
// such a server offers it raw: one connection at a time, each byte passed
// through as a server would pass it to and from the cable. Reply
// bytes can be paced at the serial line's speed (10 bits per byte at 38400
// baud, for requests and replies alike), so timing measured through the
// pseudo-terminal is what a real cable would give.
#pragma once

#include "sim/SimDevice.h"

#include <QString>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <deque>
#include <functional>

struct PtyStats {
    uint64_t requests = 0;      // well-formed request frames
    uint64_t requestBytes = 0;  // every byte received
    uint64_t replyBytes = 0;    // every byte sent
    // From the first byte received to the last byte sent (0 when none).
    std::chrono::microseconds activeSpan{0};
};

class PtyServer {
public:
    explicit PtyServer(SimDevice& device) : m_device(device) {}
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Opens the pseudo-terminal; false (with errno set) when the system has none.
    bool Open();
    // The device path programs open, e.g. /dev/pts/3.
    const QString& slavePath() const { return m_slavePath; }
    // Serves on TCP instead of a pseudo-terminal: listens on host:port (port
    // 0: one the system chooses) and takes one connection at a time, turning
    // away others while one is open. False (errno set) when it cannot listen.
    bool Listen(const QString& host, uint16_t port);
    // After Listen: the port's name for programs, e.g. tcp://127.0.0.1:40123.
    QString ListenName() const;
    void SetPacing(bool paced) { m_byteTime = paced ? kWireByteTime : Duration::zero(); }

    // Serves requests until stop becomes nonzero (set from a signal handler).
    void Run(const volatile std::sig_atomic_t& stop);
    const PtyStats& stats() const { return m_stats; }
    // Called with each well-formed request as it arrives (the device itself
    // forgets them).
    void SetRequestListener(std::function<void(const std::vector<uint8_t>&)> listener) {
        m_requestListener = std::move(listener);
    }

private:
    using Clock = std::chrono::steady_clock;
    using Duration = std::chrono::nanoseconds;
    // One byte on the wire: start bit, 8 data bits, stop bit at 38400 baud.
    static constexpr Duration kWireByteTime{10LL * 1000000000LL / 38400};

    struct PendingByte {
        uint8_t value;
        Clock::time_point due;  // when its last bit has left the device
    };

    void CountRequest(const std::vector<uint8_t>& frame);
    void Receive(Clock::time_point now);
    void Accept();
    void DropConnection();
    void Schedule(const std::vector<SimChunk>& replies, Clock::time_point start);
    void SendDue(Clock::time_point now);
    int WaitTimeoutNs(Clock::time_point now) const;

    SimDevice& m_device;
    int m_master = -1;
    int m_slaveKeeper = -1;  // keeps the line up while no program has the port open
    QString m_slavePath;
    int m_listener = -1;  // TCP: the listening socket; m_master is then the connection, if any
    QString m_listenHost;
    Duration m_byteTime{0};
    Clock::time_point m_inputLineFreeAt{};   // the last request byte received so far is in
    Clock::time_point m_outputLineFreeAt{};  // the last reply byte scheduled so far is out
    std::deque<PendingByte> m_pending;
    PtyStats m_stats;
    std::function<void(const std::vector<uint8_t>&)> m_requestListener;
    Clock::time_point m_firstByteAt{};
    bool m_anyByte = false;
};
