// The simulated device on the master side of a pseudo-terminal, answering in
// real time, so that the real serial transport can be tested end to end.
#pragma once

#ifndef _WIN32
#include "link/LinkClock.h"
#include "sim/SimDevice.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

class PtyDevice {
public:
    PtyDevice() {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) return;
        m_path = QString::fromLocal8Bit(::ptsname(m_master));
        m_pump = std::thread([this] { Pump(); });
    }
    ~PtyDevice() {
        m_stop = true;
        if (m_pump.joinable()) m_pump.join();
        if (m_slave >= 0) ::close(m_slave);
        if (m_master >= 0) ::close(m_master);
    }
    const QString& path() const { return m_path; }
    // A descriptor of the slave side of our own, kept until the end. Line
    // settings belong to the terminal, not to a descriptor, so it shows what
    // the program's port set while that port is open; open it before the
    // port does, since the port takes the terminal exclusively.
    int OpenSlave() {
        if (m_slave < 0 && !m_path.isEmpty()) m_slave = ::open(m_path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        return m_slave;
    }
    template <typename Change>
    void WithDevice(Change change) {
        std::lock_guard lock(m_mutex);
        change(m_device);
    }

private:
    void Pump() {
        uint8_t buffer[256];
        while (!m_stop) {
            pollfd pfd{m_master, POLLIN, 0};
            if (::poll(&pfd, 1, 10) <= 0 || !(pfd.revents & POLLIN)) continue;
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0) {  // no slave open between two steps
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                continue;
            }
            std::vector<SimChunk> replies;
            {
                std::lock_guard lock(m_mutex);
                replies = m_device.Feed(buffer, std::size_t(n));
            }
            for (const SimChunk& chunk : replies) {
                std::this_thread::sleep_for(std::chrono::milliseconds(chunk.delayMs));
                if (::write(m_master, chunk.bytes.data(), chunk.bytes.size()) < 0) break;
            }
        }
    }
    SimDevice m_device{SystemLinkClock()};
    std::mutex m_mutex;
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    std::thread m_pump;
    std::atomic<bool> m_stop{false};
};
#endif
