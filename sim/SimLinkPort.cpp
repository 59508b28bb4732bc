#include "sim/SimLinkPort.h"

#include <algorithm>

namespace {
constexpr uint64_t kIntervalTimeoutUs = 10 * 1000;
}

bool SimLinkPort::Write(const uint8_t* bytes, std::size_t count) {
    if (m_cancelled) return false;
    m_clock.AdvanceUs(WireTimeUs(count));
    uint64_t at = m_clock.NowUs();
    for (SimChunk& chunk : m_device.Feed(bytes, count)) {
        at += uint64_t(chunk.delayMs) * 1000 + WireTimeUs(chunk.bytes.size());
        m_arrivals.push_back({std::move(chunk.bytes), 0, at});
    }
    return true;
}

int SimLinkPort::Read(uint8_t* bytes, std::size_t count, int timeoutMs) {
    if (m_cancelled) return -1;
    const uint64_t deadline = m_clock.NowUs() + uint64_t(timeoutMs) * 1000;
    if (m_arrivals.empty() || m_arrivals.front().atUs > deadline) {
        m_clock.AdvanceToUs(deadline);
        return 0;
    }
    std::size_t got = 0;
    while (got < count && !m_arrivals.empty()) {
        Arrival& next = m_arrivals.front();
        if (got > 0 && next.atUs > m_clock.NowUs() + kIntervalTimeoutUs) {
            m_clock.AdvanceUs(kIntervalTimeoutUs);  // the gap ends this read call
            break;
        }
        m_clock.AdvanceToUs(next.atUs);
        const std::size_t take = std::min(count - got, next.bytes.size() - next.used);
        std::copy_n(next.bytes.begin() + std::ptrdiff_t(next.used), take, bytes + got);
        got += take;
        next.used += take;
        if (next.used == next.bytes.size()) m_arrivals.pop_front();
    }
    return int(got);
}

void SimLinkPort::Purge() {
    while (!m_arrivals.empty() && m_arrivals.front().atUs <= m_clock.NowUs()) m_arrivals.pop_front();
}

std::unique_ptr<LinkPort> SimPortFactory::OpenPort(int portIndex) {
    m_lastPortIndex = portIndex;
    if (!m_present || portIndex < 0 || portIndex >= 8) return nullptr;
    ++m_openCount;
    return std::make_unique<SimLinkPort>(m_device, m_clock);
}
