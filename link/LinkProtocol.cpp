#include "link/LinkProtocol.h"

#include "base/Crc8.h"
#include "base/DiagLog.h"

#include <array>
#include <cstring>

bool IsValidReply(const uint8_t* reply, std::size_t received) {
    if (received < kFrameOverhead) return false;
    if (reply[0] != kFrameMark0 || reply[1] != kFrameMark1) return false;
    const std::size_t length = reply[3];
    if (length > kMaxFrameData || length + kFrameOverhead > received) return false;
    return reply[4 + length] == Crc8(reply, 4 + length);
}

uint8_t ToBcd(int value) {
    if (value < 0 || value > 99) value = 0;
    return uint8_t((value / 10) * 16 + value % 10);
}

namespace {

uint64_t ElapsedMs(LinkClock& clock, uint64_t start) {
    const uint64_t now = clock.NowMs();
    return now >= start ? now - start : start - now;
}

// A busy erase is followed by status polls until the device is done.
void TurnIntoStatusPoll(uint8_t* request, std::size_t& requestSize, std::size_t& expected) {
    request[2] = CMD_POLL_STATUS;
    request[3] = 0x00;
    request[4] = Crc8(request, 4);
    requestSize = kFrameOverhead;
    expected = 3;
}

}  // namespace

int LinkTransact(LinkContext& link, uint8_t* request, std::size_t payloadLength, uint8_t* reply, std::size_t expected,
                 bool checkStatus) {
    // No frame may exceed 37 bytes: the worker's buffers and the device's queues are sized for that.
    if (payloadLength > kMaxFrameData || expected > kMaxFrameData) return LINK_ERR_WRITE;
    std::size_t requestSize = payloadLength + kFrameOverhead;
    request[4 + payloadLength] = Crc8(request, 4 + payloadLength);
    const uint64_t start = link.clock.NowMs();
    int badReplies = 0;
    if (!LinkWrite(link.port, request, requestSize)) return LINK_ERR_WRITE;
    for (;;) {
        if (!LinkRead(link.port, reply, expected + kFrameOverhead)) return LINK_ERR_NO_REPLY;
        // A reply declaring other than the bytes asked for would hand over
        // data its CRC does not cover, so it counts as a bad reply too.
        if (!IsValidReply(reply, expected + kFrameOverhead) || reply[3] != expected) {
            LogMessage("Device reports: CRC ERROR");
            if (++badReplies >= kMaxBadReplies) return LINK_ERR_CRC;
            if (!LinkWrite(link.port, request, requestSize)) return LINK_ERR_WRITE;
            continue;
        }
        if (!checkStatus) return LINK_OK;
        if (reply[2] & kStatusFailure) {
            LogMessage("Device reports: FAILURE");
            return LINK_ERR_DEVICE;
        }
        if (!(reply[2] & kStatusBusy)) return LINK_OK;
        LogMessage("Device reports: BUSY");
        if (ElapsedMs(link.clock, start) >= uint64_t(kBusyLimitMs)) return LINK_ERR_DEVICE;
        if (request[2] == CMD_ERASE_BLOCK) TurnIntoStatusPoll(request, requestSize, expected);
        if (!LinkWrite(link.port, request, requestSize)) return LINK_ERR_WRITE;
    }
}

int LinkExchange(LinkContext& link, uint8_t command, uint8_t count, const uint8_t* payload, std::size_t payloadLength,
                 uint8_t* replyData, std::size_t expected, bool checkStatus) {
    if (payloadLength > kMaxFrameData || expected > kMaxFrameData) return LINK_ERR_WRITE;
    std::array<uint8_t, kMaxFrameSize> request{kFrameMark0, kFrameMark1, command, count};
    if (payloadLength > 0) std::memcpy(request.data() + 4, payload, payloadLength);
    std::array<uint8_t, kMaxFrameSize> reply{};
    const int code = LinkTransact(link, request.data(), payloadLength, reply.data(), expected, checkStatus);
    if (code == LINK_OK && expected > 0) std::memcpy(replyData, reply.data() + 4, expected);
    return code;
}
