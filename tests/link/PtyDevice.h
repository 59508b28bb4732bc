// The simulated device on the master side of a pseudo-terminal, answering in
// real time, so that the real serial transport can be tested end to end.
#pragma once

#ifndef _WIN32
#include "link/LinkClock.h"
#include "sim/SimDevice.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

// The master side of a fresh pseudo-terminal, read on a thread of its own:
// each piece that arrives goes to onBytes, which may answer through
// WriteBack. Programs open path() as their serial port.
class PtyMaster {
public:
    using Handler = std::function<void(const uint8_t* bytes, std::size_t count)>;
    explicit PtyMaster(Handler onBytes) : m_onBytes(std::move(onBytes)) {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) return;
        m_path = QString::fromLocal8Bit(::ptsname(m_master));
        m_pump = std::thread([this] { Pump(); });
    }
    ~PtyMaster() {
        m_stop = true;
        if (m_pump.joinable()) m_pump.join();
        if (m_master >= 0) ::close(m_master);
    }
    PtyMaster(const PtyMaster&) = delete;
    PtyMaster& operator=(const PtyMaster&) = delete;
    const QString& path() const { return m_path; }
    bool WriteBack(const std::vector<uint8_t>& bytes) { return ::write(m_master, bytes.data(), bytes.size()) >= 0; }

private:
    void Pump() {
        uint8_t buffer[256];
        while (!m_stop) {
            pollfd pfd{m_master, POLLIN, 0};
            if (::poll(&pfd, 1, 5) <= 0 || !(pfd.revents & POLLIN)) continue;
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0) {  // no slave open between two steps
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                continue;
            }
            m_onBytes(buffer, std::size_t(n));
        }
    }
    Handler m_onBytes;
    int m_master = -1;
    QString m_path;
    std::thread m_pump;
    std::atomic<bool> m_stop{false};
};

class PtyDevice {
public:
    PtyDevice() = default;
    ~PtyDevice() {
        if (m_slave >= 0) ::close(m_slave);
    }
    const QString& path() const { return m_master.path(); }
    // A descriptor of the slave side of our own, kept until the end. Line
    // settings belong to the terminal, not to a descriptor, so it shows what
    // the program's port set while that port is open; open it before the
    // port does, since the port takes the terminal exclusively.
    int OpenSlave() {
        if (m_slave < 0 && !path().isEmpty()) m_slave = ::open(path().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        return m_slave;
    }
    template <typename Change>
    void WithDevice(Change change) {
        std::lock_guard lock(m_mutex);
        change(m_device);
    }

private:
    void Answer(const uint8_t* bytes, std::size_t count) {
        std::vector<SimChunk> replies;
        {
            std::lock_guard lock(m_mutex);
            replies = m_device.Feed(bytes, count);
        }
        for (const SimChunk& chunk : replies) {
            std::this_thread::sleep_for(std::chrono::milliseconds(chunk.delayMs));
            if (!m_master.WriteBack(chunk.bytes)) break;
        }
    }
    SimDevice m_device{SystemLinkClock()};
    std::mutex m_mutex;
    int m_slave = -1;
    PtyMaster m_master{[this](const uint8_t* bytes, std::size_t count) { Answer(bytes, count); }};  // last: stops first
};

// A pseudo-terminal with nothing answering on it: it only keeps every byte
// a program sends to it.
class SilentPty {
public:
    const QString& path() const { return m_master.path(); }
    std::vector<uint8_t> Received() {
        std::lock_guard lock(m_mutex);
        return m_received;
    }

private:
    std::mutex m_mutex;
    std::vector<uint8_t> m_received;
    PtyMaster m_master{[this](const uint8_t* bytes, std::size_t count) {
        std::lock_guard lock(m_mutex);
        m_received.insert(m_received.end(), bytes, bytes + count);
    }};
};
#endif
