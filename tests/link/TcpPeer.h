// A server on a free loopback port for one test: it takes connections one
// after another and runs a script on each, on a thread of its own, so that a
// network port can meet servers that misbehave on purpose.
#pragma once

#ifndef _WIN32
#include "sim/DemoConfig.h"
#include "sim/SimDevice.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

class TcpPeer {
public:
    // Runs on each connection until it returns; the connection is then closed.
    using Script = std::function<void(TcpPeer& peer, int fd)>;

    explicit TcpPeer(Script script) : m_script(std::move(script)) {
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(m_listener, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(m_listener, 4) != 0 ||
            ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }
    ~TcpPeer() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        ::close(m_listener);
    }
    TcpPeer(const TcpPeer&) = delete;
    TcpPeer& operator=(const TcpPeer&) = delete;

    QString Name(const char* scheme) const { return QStringLiteral("%1://127.0.0.1:%2").arg(scheme).arg(m_port); }
    bool stopping() const { return m_stop; }

    // What came in on the connection within waitMs (empty when it was closed
    // or nothing came).
    std::vector<uint8_t> Receive(int fd, int waitMs = 20) {
        pollfd pfd{fd, POLLIN, 0};
        std::vector<uint8_t> bytes;
        if (::poll(&pfd, 1, waitMs) <= 0) return bytes;
        uint8_t buffer[512];
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) {
            m_closed = true;
            return bytes;
        }
        bytes.assign(buffer, buffer + n);
        return bytes;
    }
    // Until the client closed the connection or the test ends.
    bool Open() const { return !m_closed && !m_stop; }
    static void Send(int fd, const std::vector<uint8_t>& bytes) {
        if (!bytes.empty()) (void)!::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    }

private:
    void Serve() {
        while (!m_stop) {
            pollfd pfd{m_listener, POLLIN, 0};
            if (::poll(&pfd, 1, 10) <= 0) continue;
            const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0) continue;
            const int on = 1;
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
            m_closed = false;
            m_script(*this, fd);
            ::close(fd);
        }
    }

    Script m_script;
    int m_listener = -1;
    uint16_t m_port = 0;
    std::atomic<bool> m_stop{false};
    bool m_closed = false;  // the peer thread's own
    std::thread m_thread;
};

// The simulated device behind a raw TCP server that sends every reply byte
// in a segment of its own, and now and then pauses longer than the gap that
// ends a read call.
struct SimOverTcp {
    explicit SimOverTcp(int pauseMs = 1) : pauseMs(pauseMs) { device.LoadImage(MakeDemoImage()); }
    void Serve(TcpPeer& peer, int fd) {
        while (peer.Open()) {
            const std::vector<uint8_t> in = peer.Receive(fd);
            std::vector<SimChunk> replies;
            {
                std::lock_guard lock(mutex);
                replies = device.Feed(in.data(), in.size());
            }
            for (const SimChunk& chunk : replies)
                for (std::size_t i = 0; i < chunk.bytes.size(); ++i) {
                    TcpPeer::Send(fd, {chunk.bytes[i]});
                    std::this_thread::sleep_for(std::chrono::milliseconds(i == 3 ? pauseMs : 1));
                }
        }
    }
    std::vector<std::vector<uint8_t>> Requests() {
        std::lock_guard lock(mutex);
        return device.requests();
    }
    const int pauseMs;
    std::mutex mutex;
    SimDevice device{SystemLinkClock()};
};
#endif
