#include "link/NetworkLinkPort.h"

#include "base/SettingKeys.h"
#include "link/ComPortTelnet.h"
#include "link/NetworkPortName.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kIntervalTimeoutMs = 10;  // a gap this long ends a read call, as on a local port
constexpr int kWriteMsPerByte = 50;     // write time-out per byte, as on a local port
constexpr int kMaxTimeoutMs = 600000;
constexpr std::size_t kReceiveChunk = 512;

int MsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return int(std::clamp<long long>(left, 0, kMaxTimeoutMs));
}

PortOpenFailure Failure(const QString& name, PortProblem problem) {
    PortOpenFailure failure;
    failure.problem = problem;
    failure.device = name;
    return failure;
}

PortOpenFailure FailureOfErrno(const QString& name, int error, int timeoutMs) {
    switch (error) {
    case ECONNREFUSED: return Failure(name, PortProblem::ConnectionRefused);
    case ENETUNREACH:
    case EHOSTUNREACH:
    case ENETDOWN:
    case EHOSTDOWN: return Failure(name, PortProblem::HostUnreachable);
    case ETIMEDOUT: {
        PortOpenFailure failure = Failure(name, PortProblem::ConnectTimedOut);
        failure.timeoutMs = timeoutMs;
        return failure;
    }
    default: {
        PortOpenFailure failure = Failure(name, PortProblem::Other);
        failure.system = QString::fromLocal8Bit(std::strerror(error));
        return failure;
    }
    }
}

// The system's lookup cannot be interrupted and may wait on a name server
// for long; it runs on a thread of its own, which the caller leaves behind
// once its time is up (the thread then ends on its own and frees the result).
struct Lookup {
    ~Lookup() {
        if (result) ::freeaddrinfo(result);
    }
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    int status = 0;
    addrinfo* result = nullptr;
};

// numericHost: only an address written out is taken, which needs no name
// server and returns at once.
void RunLookup(Lookup& lookup, const std::string& host, const std::string& service, bool numericHost = false) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV | (numericHost ? AI_NUMERICHOST : 0);
    addrinfo* result = nullptr;
    const int status = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &result);
    std::lock_guard lock(lookup.mutex);
    lookup.status = status;
    lookup.result = result;
    lookup.done = true;
    lookup.finished.notify_all();
}

// The addresses of the host, or nothing when the name does not resolve
// within the deadline. The lookup stays alive while either side uses it.
std::shared_ptr<Lookup> Resolve(const NetworkPortAddress& address, Clock::time_point deadline) {
    auto lookup = std::make_shared<Lookup>();
    std::string host = address.host.toStdString();
    std::string service = std::to_string(address.port);
    // An address written out needs no name server (and no thread).
    RunLookup(*lookup, host, service, true);
    if (lookup->status == 0) return lookup;
    lookup = std::make_shared<Lookup>();
    try {
        std::thread([lookup, host, service] { RunLookup(*lookup, host, service); }).detach();
    } catch (const std::system_error&) {
        RunLookup(*lookup, host, service);  // no thread to spare: wait for the lookup itself
    }
    std::unique_lock lock(lookup->mutex);
    if (!lookup->finished.wait_until(lock, deadline, [&] { return lookup->done; })) return nullptr;
    if (lookup->status != 0 || !lookup->result) return nullptr;
    return lookup;
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { Reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    void Reset(int fd = -1) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

// Waits for events on fd until the deadline, going on after a signal; false
// on a time-out.
bool WaitFor(int fd, short events, Clock::time_point deadline, short& revents) {
    for (;;) {
        pollfd pfd{fd, events, 0};
        const int ready = ::poll(&pfd, 1, MsUntil(deadline));
        if (ready > 0) {
            revents = pfd.revents;
            return true;
        }
        if (ready == 0 || errno != EINTR) return false;
    }
}

// A connected, non-blocking socket to one of the host's addresses.
int Connect(const addrinfo* addresses, Clock::time_point deadline, int& error) {
    error = ETIMEDOUT;
    for (const addrinfo* ai = addresses; ai; ai = ai->ai_next) {
        if (Clock::now() >= deadline) break;
        Descriptor fd(::socket(ai->ai_family, ai->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, ai->ai_protocol));
        if (fd.get() < 0) {
            error = errno;
            continue;
        }
        if (::connect(fd.get(), ai->ai_addr, ai->ai_addrlen) != 0) {
            if (errno != EINPROGRESS) {
                error = errno;
                continue;
            }
            short revents = 0;
            if (!WaitFor(fd.get(), POLLOUT, deadline, revents)) {
                error = ETIMEDOUT;
                continue;
            }
            int status = 0;
            socklen_t length = sizeof status;
            if (::getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &status, &length) != 0) status = errno;
            if (status != 0) {
                error = status;
                continue;
            }
        }
        const int on = 1;
        ::setsockopt(fd.get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);  // a request goes out at once
        return fd.release();
    }
    return -1;
}

class NetworkLinkPort : public LinkPort {
public:
    NetworkLinkPort(QString name, int socket, bool telnet) : m_name(std::move(name)), m_socket(socket) {
        if (telnet) m_telnet.emplace();
        int wake[2] = {-1, -1};
        if (::pipe2(wake, O_CLOEXEC | O_NONBLOCK) == 0) {
            m_wakeRead.Reset(wake[0]);
            m_wakeWrite.Reset(wake[1]);
        }
    }

    // The Telnet negotiation of an rfc2217 port; raw ports have none.
    std::optional<PortOpenFailure> Negotiate(int timeoutMs) {
        if (!m_telnet) return std::nullopt;
        const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        const std::vector<uint8_t> start = m_telnet->Start();
        bool connected = SendAll(start.data(), start.size(), deadline);
        while (connected && m_telnet->state() == ComPortTelnet::State::Negotiating && Clock::now() < deadline)
            connected = Fill(deadline) != Filled::Failed;
        if (m_lost) return m_lost;
        if (m_telnet->state() == ComPortTelnet::State::Refused) {
            PortOpenFailure failure = Failure(m_name, PortProblem::NegotiationRefused);
            failure.option = m_telnet->refusal();
            return failure;
        }
        if (m_telnet->state() != ComPortTelnet::State::Ready) {
            PortOpenFailure failure = Failure(m_name, PortProblem::NegotiationTimedOut);
            failure.option = m_telnet->Unconfirmed();
            failure.timeoutMs = timeoutMs;
            return failure;
        }
        m_data.clear();  // as a port just opened: nothing waits on the line
        return std::nullopt;
    }

    bool Write(const uint8_t* bytes, std::size_t count) override {
        if (m_cancelled || m_lost) return false;
        const int budgetMs = std::max(kWriteMsPerByte, kWriteMsPerByte * int(count));
        const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(budgetMs);
        if (!m_telnet) return SendAll(bytes, count, deadline);
        std::vector<uint8_t> wire;
        ComPortTelnet::Escape(bytes, count, wire);
        return SendAll(wire.data(), wire.size(), deadline);
    }

    int Read(uint8_t* bytes, std::size_t count, int timeoutMs) override {
        if (m_cancelled) return -1;
        const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
        std::size_t got = Take(bytes, count);
        while (got == 0) {
            if (Clock::now() >= deadline) return 0;
            if (Fill(deadline) == Filled::Failed) return -1;
            got = Take(bytes, count);
        }
        while (got < count) {
            if (Fill(Clock::now() + std::chrono::milliseconds(kIntervalTimeoutMs)) != Filled::Received) break;
            got += Take(bytes + got, count - got);
        }
        return int(got);
    }

    void Cancel() override {
        m_cancelled = true;
        const char wake = 1;
        if (m_wakeWrite.get() >= 0) {
            const ssize_t written = ::write(m_wakeWrite.get(), &wake, 1);
            (void)written;  // a full pipe has woken the wait already
        }
    }

    void Purge() override {
        // What arrived from the server so far is dropped, as a local port's
        // driver queue is; the Telnet state still sees every byte.
        uint8_t buffer[kReceiveChunk];
        for (;;) {
            const ssize_t n = ::recv(m_socket.get(), buffer, sizeof buffer, MSG_DONTWAIT);
            if (n > 0) {
                Decode(buffer, std::size_t(n));
                continue;
            }
            if (n == 0) Lose();
            break;
        }
        m_data.clear();
    }

    bool ExplainLoss(PortOpenFailure& why) const override {
        if (!m_lost) return false;
        why = *m_lost;
        return true;
    }

private:
    enum class Filled { Received, Nothing, Failed };

    std::size_t Take(uint8_t* bytes, std::size_t count) {
        const std::size_t n = std::min(count, m_data.size());
        std::copy_n(m_data.begin(), n, bytes);
        m_data.erase(m_data.begin(), m_data.begin() + std::ptrdiff_t(n));
        return n;
    }

    // A server that does not turn off Nagle's algorithm holds back the rest
    // of a reply until the first segment is acknowledged; acknowledging at
    // once (the system would wait up to 40 ms) lets it come at once.
    void QuickAck() {
#ifdef TCP_QUICKACK
        const int on = 1;
        ::setsockopt(m_socket.get(), IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
#endif
    }

    void Lose() {
        if (!m_lost) m_lost = Failure(m_name, PortProblem::ConnectionClosed);
    }

    void Decode(const uint8_t* bytes, std::size_t count) {
        if (!m_telnet) {
            m_data.insert(m_data.end(), bytes, bytes + count);
            return;
        }
        std::vector<uint8_t> reply;
        m_telnet->Receive(bytes, count, m_data, reply);
        // The protocol's answers are a few bytes; a socket that cannot take
        // them now is failing anyway, and the next write will say so.
        if (!reply.empty())
            SendAll(reply.data(), reply.size(), Clock::now() + std::chrono::milliseconds(kWriteMsPerByte));
    }

    // Waits until the deadline for something from the server and takes it
    // (Received, also when it was Telnet commands only). Failed when the
    // connection ended or the port was cancelled.
    Filled Fill(Clock::time_point deadline) {
        if (m_lost) return Filled::Failed;
        for (;;) {
            pollfd fds[2] = {{m_socket.get(), POLLIN, 0}, {m_wakeRead.get(), POLLIN, 0}};
            const int ready = ::poll(fds, m_wakeRead.get() >= 0 ? 2 : 1, MsUntil(deadline));
            if (m_cancelled) return Filled::Failed;
            if (ready < 0 && errno == EINTR) continue;  // a signal (Ctrl-C is asked about between steps)
            if (ready <= 0) return Filled::Nothing;
            uint8_t buffer[kReceiveChunk];
            const ssize_t n = ::recv(m_socket.get(), buffer, sizeof buffer, MSG_DONTWAIT);
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
                Lose();
                return Filled::Failed;
            }
            if (n < 0) continue;
            QuickAck();
            Decode(buffer, std::size_t(n));
            return Filled::Received;
        }
    }

    bool SendAll(const uint8_t* bytes, std::size_t count, Clock::time_point deadline) {
        std::size_t sent = 0;
        while (sent < count) {
            if (m_cancelled || m_lost) return false;
            const ssize_t n = ::send(m_socket.get(), bytes + sent, count - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0) {
                sent += std::size_t(n);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
                Lose();
                return false;
            }
            pollfd fds[2] = {{m_socket.get(), POLLOUT, 0}, {m_wakeRead.get(), POLLIN, 0}};
            const int ready = ::poll(fds, m_wakeRead.get() >= 0 ? 2 : 1, MsUntil(deadline));
            if (ready == 0) return false;  // the server takes nothing: the write timed out
        }
        return true;
    }

    const QString m_name;
    Descriptor m_socket;
    Descriptor m_wakeRead, m_wakeWrite;  // Cancel writes a byte, waking any wait
    std::atomic<bool> m_cancelled{false};
    std::optional<ComPortTelnet> m_telnet;
    std::vector<uint8_t> m_data;  // received for the link, not yet read
    std::optional<PortOpenFailure> m_lost;
};

}  // namespace

int NetworkTimeoutMs() {
    const int ms = ReadSetting(kConnectionNetworkTimeout);
    return ms > 0 ? std::min(ms, kMaxTimeoutMs) : kConnectionNetworkTimeout.defaultValue;
}

std::unique_ptr<LinkPort> OpenNetworkPort(const QString& name, int timeoutMs, PortOpenFailure* why) {
    PortOpenFailure ignored;
    PortOpenFailure& failure = why ? *why : ignored;
    const std::optional<NetworkPortAddress> address = ParseNetworkPortName(name);
    if (!address) {
        failure = Failure(name, PortProblem::BadNetworkName);
        return nullptr;
    }
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    const std::shared_ptr<Lookup> lookup = Resolve(*address, deadline);
    if (!lookup) {
        failure = Failure(name, PortProblem::HostNotFound);
        return nullptr;
    }
    int error = 0;
    const int socket = Connect(lookup->result, deadline, error);
    if (socket < 0) {
        failure = FailureOfErrno(name, error, timeoutMs);
        return nullptr;
    }
    auto port = std::make_unique<NetworkLinkPort>(name, socket, address->protocol == NetworkProtocol::Rfc2217);
    if (std::optional<PortOpenFailure> refused = port->Negotiate(timeoutMs)) {
        failure = *refused;
        return nullptr;
    }
    return port;
}
