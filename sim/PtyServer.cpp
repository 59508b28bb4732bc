#include "sim/PtyServer.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {
// How long one wait lasts at most, so a stop request is seen promptly.
constexpr std::chrono::milliseconds kIdleWait{50};
constexpr std::size_t kReadChunk = 256;
}  // namespace

PtyServer::~PtyServer() {
    if (m_slaveKeeper >= 0) ::close(m_slaveKeeper);
    if (m_master >= 0) ::close(m_master);
}

bool PtyServer::Open() {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) return false;
    const char* name = ::ptsname(m_master);
    if (!name) return false;
    m_slavePath = QString::fromLocal8Bit(name);
    // Holding the slave open keeps the line up between a program's port
    // openings (otherwise the master reports a hang-up), and raw mode from the
    // start means nothing the device sends is ever echoed back to it.
    m_slaveKeeper = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slaveKeeper < 0) return false;
    termios settings{};
    if (::tcgetattr(m_slaveKeeper, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(m_slaveKeeper, TCSANOW, &settings);
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_device.SetRequestObserver([this](const std::vector<uint8_t>&) { ++m_stats.requests; });
    return true;
}

void PtyServer::Run(const volatile std::sig_atomic_t& stop) {
    while (!stop) {
        SendDue(Clock::now());
        pollfd pfd{m_master, POLLIN, 0};
        const int waitNs = WaitTimeoutNs(Clock::now());
        const timespec timeout{waitNs / 1000000000, waitNs % 1000000000};
        const int ready = ::ppoll(&pfd, 1, &timeout, nullptr);
        if (ready <= 0) continue;  // time-out, or a signal
        if (pfd.revents & POLLIN) {
            Receive(Clock::now());
        } else if (pfd.revents & (POLLHUP | POLLERR)) {
            ::usleep(1000);  // nobody on the line; do not spin
        }
    }
}

void PtyServer::Receive(Clock::time_point now) {
    uint8_t buffer[kReadChunk];
    const ssize_t n = ::read(m_master, buffer, sizeof buffer);
    if (n <= 0) return;
    if (!m_anyByte) {
        m_anyByte = true;
        m_firstByteAt = now;
    }
    m_stats.requestBytes += uint64_t(n);
    // On a real line these bytes arrive one after another; the device can
    // answer only once the last of them is in.
    m_inputLineFreeAt = std::max(now, m_inputLineFreeAt) + m_byteTime * n;
    const std::vector<SimChunk> replies = m_device.Feed(buffer, std::size_t(n));
    m_device.ClearRequests();  // counted by the observer; the log would only grow
    Schedule(replies, m_inputLineFreeAt);
}

void PtyServer::Schedule(const std::vector<SimChunk>& replies, Clock::time_point start) {
    Clock::time_point due = start;
    for (const SimChunk& chunk : replies) {
        due = std::max(due, m_outputLineFreeAt) + std::chrono::milliseconds(chunk.delayMs);
        for (const uint8_t byte : chunk.bytes) {
            due += m_byteTime;
            m_pending.push_back({byte, due});
        }
        m_outputLineFreeAt = due;
    }
}

void PtyServer::SendDue(Clock::time_point now) {
    uint8_t buffer[kReadChunk];
    std::size_t count = 0;
    while (count < sizeof buffer && count < m_pending.size() && m_pending[count].due <= now)
        buffer[count] = m_pending[count].value, ++count;
    if (count == 0) return;
    // A device does not wait for its listener: bytes the line cannot take
    // (nobody has read the earlier ones) are lost, as on a cable.
    const ssize_t written = ::write(m_master, buffer, count);
    m_pending.erase(m_pending.begin(), m_pending.begin() + std::ptrdiff_t(count));
    if (written <= 0) return;
    m_stats.replyBytes += uint64_t(written);
    m_stats.activeSpan = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - m_firstByteAt);
}

int PtyServer::WaitTimeoutNs(Clock::time_point now) const {
    Duration wait = kIdleWait;
    if (!m_pending.empty()) wait = std::clamp<Duration>(m_pending.front().due - now, Duration::zero(), kIdleWait);
    return int(wait.count());
}
