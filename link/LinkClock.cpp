#include "link/LinkClock.h"

#include <QDateTime>
#include <QTime>

#include <chrono>
#include <thread>

namespace {
class SystemClock : public LinkClock {
public:
    uint64_t NowMs() override {
        using namespace std::chrono;
        return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    void SleepMs(int ms) override {
        if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
    LinkTimeOfDay LocalTime() override {
        const QTime now = QDateTime::currentDateTime().time();
        return {now.hour(), now.minute(), now.second(), now.msec()};
    }
};
}  // namespace

LinkClock& SystemLinkClock() {
    static SystemClock clock;
    return clock;
}
