// Framing, replies and faults of the simulated device.
#include "sim/SimDevice.h"

#include "base/Crc8.h"
#include "link/LinkDefs.h"

#include <algorithm>

namespace {

constexpr std::size_t kHeaderSize = 4;

// Payload bytes a request carries: fixed by the command, or its count byte.
std::size_t PayloadLength(uint8_t command, uint8_t count) {
    switch (command) {
    case CMD_SET_ADDRESS: return 3;
    case CMD_MODULE_READ: return 2;
    case CMD_SET_CLOCK: return 4;
    case CMD_RESET: return 1;
    case CMD_POLL_STATUS:
    case CMD_READ_MEMORY:
    case CMD_ERASE_BLOCK:
    case CMD_QUERY: return 0;
    default: return count;  // writes and module commands, and unknown commands
    }
}

}  // namespace

bool SimDevice::CountedFault::Take(uint8_t cmd) {
    if (remaining <= 0 || (command != kAnyCommand && command != cmd)) return false;
    --remaining;
    return true;
}

void SimDevice::CorruptReplies(int count, int command) { m_corrupt = {count, command}; }
void SimDevice::FailRequests(int count, int command) { m_failure = {count, command}; }

void SimDevice::BusyFor(int ms, int command) {
    m_busyMs = ms;
    m_busyCommand = command;
    m_busyStarted = false;
}

void SimDevice::SplitNextReply(std::size_t firstPartBytes, int gapMs) {
    m_splitAt = firstPartBytes;
    m_splitGapMs = gapMs;
}

std::size_t SimDevice::CountRequests(uint8_t command) const {
    return std::size_t(std::count_if(m_requests.begin(), m_requests.end(),
                                     [command](const auto& frame) { return frame[2] == command; }));
}

std::vector<SimChunk> SimDevice::Feed(const uint8_t* data, std::size_t size) {
    m_input.insert(m_input.end(), data, data + size);
    std::vector<SimChunk> replies;
    while (ParseFrame(replies)) {}
    return replies;
}

// Takes one frame off the input when one is complete; skips a byte of noise
// and tries again when the input does not start a valid frame.
bool SimDevice::ParseFrame(std::vector<SimChunk>& replies) {
    if (m_input.empty()) return false;
    const bool marked = m_input[0] == kFrameMark0 && (m_input.size() < 2 || m_input[1] == kFrameMark1);
    if (!marked) {
        m_input.erase(m_input.begin());
        return true;
    }
    if (m_input.size() < kHeaderSize) return false;
    const std::size_t payload = PayloadLength(m_input[2], m_input[3]);
    if (payload > kMaxFrameData) {
        m_input.erase(m_input.begin());
        return true;
    }
    const std::size_t frameSize = payload + kFrameOverhead;
    if (m_input.size() < frameSize) return false;
    if (Crc8(m_input.data(), frameSize) != 0) {  // a request with a bad CRC is not answered
        m_input.erase(m_input.begin());
        return true;
    }
    const std::vector<uint8_t> frame(m_input.begin(), m_input.begin() + std::ptrdiff_t(frameSize));
    m_input.erase(m_input.begin(), m_input.begin() + std::ptrdiff_t(frameSize));
    Answer(frame, replies);
    return true;
}

void SimDevice::Answer(const std::vector<uint8_t>& frame, std::vector<SimChunk>& replies) {
    m_requests.push_back(frame);
    if (m_observer) m_observer(frame);
    if (m_requestsBeforeUnplug == 0 || m_silent || m_clock.NowMs() < m_silentUntil) return;
    if (m_requestsBeforeUnplug > 0) --m_requestsBeforeUnplug;
    const Request request{frame[2], frame[3], frame.data() + kHeaderSize, frame.size() - kFrameOverhead};
    std::vector<uint8_t> data;
    uint8_t status = 0;
    if (m_failure.Take(request.command)) {
        status = kStatusFailure;
    } else if (IsBusy(request.command)) {
        status = kStatusBusy;
    } else {
        status = Execute(request, data);
    }
    // A reply always carries the data bytes the request asks for.
    std::size_t expected = 0;
    if (request.command == CMD_POLL_STATUS) expected = 3;
    if (request.command == CMD_READ_MEMORY || request.command == CMD_QUERY) expected = request.count;
    if (request.command == CMD_MODULE_READ) expected = request.payload[1];
    data.resize(std::min(expected, kMaxFrameData), 0);
    MakeReply(status, data, replies);
    if (m_corrupt.Take(request.command)) replies.back().bytes.back() ^= 0xFF;
}

bool SimDevice::IsBusy(uint8_t command) {
    if (m_clock.NowMs() < m_eraseDoneAt) return true;
    if (m_busyMs <= 0 || (m_busyCommand != kAnyCommand && m_busyCommand != command)) return false;
    if (!m_busyStarted) {
        m_busyStarted = true;
        m_busyStart = m_clock.NowMs();
    }
    if (m_clock.NowMs() - m_busyStart < uint64_t(m_busyMs)) return true;
    m_busyMs = 0;
    return false;
}

void SimDevice::MakeReply(uint8_t status, const std::vector<uint8_t>& data, std::vector<SimChunk>& replies) {
    std::vector<uint8_t> reply{kFrameMark0, kFrameMark1, status, uint8_t(data.size())};
    reply.insert(reply.end(), data.begin(), data.end());
    reply.push_back(Crc8(reply.data(), reply.size()));
    if (m_splitAt > 0 && m_splitAt < reply.size()) {
        const auto cut = reply.begin() + std::ptrdiff_t(m_splitAt);
        replies.push_back({std::vector<uint8_t>(reply.begin(), cut), 0});
        replies.push_back({std::vector<uint8_t>(cut, reply.end()), m_splitGapMs});
        m_splitAt = 0;
        return;
    }
    replies.push_back({std::move(reply), 0});
}
