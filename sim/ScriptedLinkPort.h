// A port that plays back fixed reply bytes, whatever is written: for feeding
// the link arbitrary replies (tests, fuzzing). Every read call takes at most
// `slice` bytes; once the bytes run out reads time out, advancing the clock.
#pragma once

#include "link/LinkPort.h"
#include "sim/SimClock.h"

#include <algorithm>
#include <vector>

class ScriptedLinkPort : public LinkPort {
public:
    ScriptedLinkPort(SimClock& clock, std::vector<uint8_t> replies, std::size_t slice = 64)
        : m_clock(clock), m_replies(std::move(replies)), m_slice(slice ? slice : 1) {}

    bool Write(const uint8_t* bytes, std::size_t count) override {
        m_written.emplace_back(bytes, bytes + count);
        m_clock.AdvanceUs(1000);
        return true;
    }
    int Read(uint8_t* bytes, std::size_t count, int timeoutMs) override {
        const std::size_t take = std::min({count, m_slice, m_replies.size() - m_next});
        if (take == 0) {
            m_clock.AdvanceUs(uint64_t(timeoutMs) * 1000);
            return 0;
        }
        std::copy_n(m_replies.begin() + std::ptrdiff_t(m_next), take, bytes);
        m_next += take;
        m_clock.AdvanceUs(1000);
        return int(take);
    }
    void Cancel() override {}

    const std::vector<std::vector<uint8_t>>& written() const { return m_written; }

private:
    SimClock& m_clock;
    std::vector<uint8_t> m_replies;
    std::size_t m_slice;
    std::size_t m_next = 0;
    std::vector<std::vector<uint8_t>> m_written;
};
