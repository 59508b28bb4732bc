// Time as the link sees it: a monotonic millisecond tick for the BUSY limit,
// a sleep for the wait before a reset, and the local time of day for the
// device clock. Tests and the simulated device substitute their own clock so
// that the time rules can be checked without waiting.
#pragma once

#include <cstdint>

struct LinkTimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

class LinkClock {
public:
    virtual ~LinkClock() = default;
    virtual uint64_t NowMs() = 0;
    virtual void SleepMs(int ms) = 0;
    virtual LinkTimeOfDay LocalTime() = 0;
};

// The computer's own clock.
LinkClock& SystemLinkClock();
