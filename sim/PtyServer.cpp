#include "sim/PtyServer.h"

#include "link/NetworkPortName.h"

#include <algorithm>
#include <cerrno>

#include <string>

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
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
    if (m_listener >= 0) ::close(m_listener);
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
    m_device.SetRequestObserver([this](const std::vector<uint8_t>& frame) { CountRequest(frame); });
    return true;
}

void PtyServer::CountRequest(const std::vector<uint8_t>& frame) {
    ++m_stats.requests;
    if (m_requestListener) m_requestListener(frame);
}

bool PtyServer::Listen(const QString& host, uint16_t port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* addresses = nullptr;
    if (::getaddrinfo(host.toLocal8Bit().constData(), std::to_string(port).c_str(), &hints, &addresses) != 0) {
        errno = EADDRNOTAVAIL;
        return false;
    }
    for (const addrinfo* ai = addresses; ai && m_listener < 0; ai = ai->ai_next) {
        const int fd = ::socket(ai->ai_family, ai->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, ai->ai_protocol);
        if (fd < 0) continue;
        const int on = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        if (::bind(fd, ai->ai_addr, ai->ai_addrlen) == 0 && ::listen(fd, 4) == 0) {
            m_listener = fd;
        } else {
            const int error = errno;
            ::close(fd);
            errno = error;
        }
    }
    ::freeaddrinfo(addresses);
    m_listenHost = host;
    m_device.SetRequestObserver([this](const std::vector<uint8_t>& frame) { CountRequest(frame); });
    return m_listener >= 0;
}

QString PtyServer::ListenName() const {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (m_listener < 0 || ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) return {};
    const uint16_t port = ntohs(address.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&address)->sin6_port
                                                              : reinterpret_cast<sockaddr_in*>(&address)->sin_port);
    NetworkPortAddress name;
    name.host = m_listenHost;
    name.port = port;
    return name.Name();
}

void PtyServer::Accept() {
    const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    if (m_master >= 0) {  // the line is taken, as a serial port in use is
        ::close(fd);
        return;
    }
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    m_master = fd;
}

// The program at the other end went away: what was still to be sent to it
// is lost, as on a cable pulled out.
void PtyServer::DropConnection() {
    ::close(m_master);
    m_master = -1;
    m_pending.clear();
}

void PtyServer::Run(const volatile std::sig_atomic_t& stop) {
    while (!stop) {
        SendDue(Clock::now());
        pollfd fds[2] = {{m_master, POLLIN, 0}, {m_listener, POLLIN, 0}};
        const int waitNs = WaitTimeoutNs(Clock::now());
        const timespec timeout{waitNs / 1000000000, waitNs % 1000000000};
        const int ready = ::ppoll(fds, 2, &timeout, nullptr);  // a negative descriptor is left out
        if (ready <= 0) continue;                              // time-out, or a signal
        if (fds[1].revents & POLLIN) Accept();
        if (fds[0].revents & POLLIN) {
            Receive(Clock::now());
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            if (m_listener >= 0)
                DropConnection();
            else
                ::usleep(1000);  // nobody on the line; do not spin
        }
    }
}

void PtyServer::Receive(Clock::time_point now) {
    uint8_t buffer[kReadChunk];
    const ssize_t n = ::read(m_master, buffer, sizeof buffer);
    if (m_listener >= 0 && (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)))
        return DropConnection();  // the connection was closed
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
    // A connection closed meanwhile must not end the program with SIGPIPE.
    const ssize_t written =
        m_listener >= 0 ? ::send(m_master, buffer, count, MSG_NOSIGNAL) : ::write(m_master, buffer, count);
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
