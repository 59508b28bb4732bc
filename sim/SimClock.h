// A clock that moves only when told: the simulated port advances it by the
// wire time of every byte and by every read time-out, so the link's time
// rules (BUSY limit, reset pause) run without real waiting.
#pragma once

#include "link/LinkClock.h"

#include <atomic>
#include <mutex>

class SimClock : public LinkClock {
public:
    uint64_t NowMs() override { return m_us.load() / 1000; }
    void SleepMs(int ms) override { AdvanceUs(uint64_t(ms > 0 ? ms : 0) * 1000); }
    LinkTimeOfDay LocalTime() override {
        std::lock_guard lock(m_mutex);
        return m_timeOfDay;
    }

    uint64_t NowUs() const { return m_us.load(); }
    void AdvanceUs(uint64_t us) { m_us += us; }
    void AdvanceToUs(uint64_t us) {
        uint64_t now = m_us.load();
        while (us > now && !m_us.compare_exchange_weak(now, us)) {}
    }
    void SetLocalTime(const LinkTimeOfDay& time) {
        std::lock_guard lock(m_mutex);
        m_timeOfDay = time;
    }

private:
    std::atomic<uint64_t> m_us{0};
    std::mutex m_mutex;
    LinkTimeOfDay m_timeOfDay{12, 0, 0, 0};
};
