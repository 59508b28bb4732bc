// The simulated device behind a LinkPort, in process: writes feed the
// device, reads deliver its replies with the serial line's timing (wire time
// at 38400 baud, read time-outs, the 10 ms gap that ends a read call), all
// measured on a SimClock so nothing waits for real.
#pragma once

#include "link/LinkPort.h"
#include "sim/SimClock.h"
#include "sim/SimDevice.h"

#include <atomic>
#include <deque>

class SimLinkPort : public LinkPort {
public:
    SimLinkPort(SimDevice& device, SimClock& clock) : m_device(device), m_clock(clock) {}

    bool Write(const uint8_t* bytes, std::size_t count) override;
    int Read(uint8_t* bytes, std::size_t count, int timeoutMs) override;
    void Cancel() override { m_cancelled = true; }
    // Reply bytes already in are dropped; those still on the way arrive later.
    void Purge() override;

    // Microseconds the line needs for this many bytes (10 bits each).
    static uint64_t WireTimeUs(std::size_t bytes) { return uint64_t(bytes) * 10 * 1000000 / 38400; }

private:
    struct Arrival {
        std::vector<uint8_t> bytes;
        std::size_t used = 0;
        uint64_t atUs = 0;  // when its last byte is in
    };

    SimDevice& m_device;
    SimClock& m_clock;
    std::deque<Arrival> m_arrivals;
    std::atomic<bool> m_cancelled{false};
};

// Opens SimLinkPorts on the one simulated device; port indexes outside
// 0..7, or a port made absent, cannot be opened.
class SimPortFactory : public LinkPortFactory {
public:
    SimPortFactory(SimDevice& device, SimClock& clock) : m_device(device), m_clock(clock) {}

    std::unique_ptr<LinkPort> OpenPort(int portIndex) override;

    void SetPresent(bool present) { m_present = present; }
    int openCount() const { return m_openCount; }
    int lastPortIndex() const { return m_lastPortIndex; }

private:
    SimDevice& m_device;
    SimClock& m_clock;
    std::atomic<bool> m_present{true};
    std::atomic<int> m_openCount{0};
    std::atomic<int> m_lastPortIndex{-1};
};
