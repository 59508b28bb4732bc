// Feeds arbitrary reply bytes to the link: the reply check on its own, one
// exchange of a kind chosen by the first input byte, and a memory read and
// write that walk several exchanges. Nothing may read outside its buffers,
// loop without end or give a result outside the link's codes.
#include "link/LinkOperations.h"
#include "sim/ScriptedLinkPort.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

int OneExchange(LinkContext& link, uint8_t selector, uint8_t expected) {
    const std::size_t n = expected % (kMaxFrameData + 1);
    std::array<uint8_t, kMaxFrameData> data{};
    const uint8_t address[3] = {0x00, 0x00, 0xFF};
    switch (selector % 4) {
    case 0: return LinkExchange(link, CMD_SET_ADDRESS, 3, address, 3, nullptr, 0, true);
    case 1: return LinkExchange(link, CMD_READ_MEMORY, uint8_t(n), nullptr, 0, data.data(), n, true);
    case 2: return LinkExchange(link, CMD_ERASE_BLOCK, 0, nullptr, 0, nullptr, 0, true);
    default: return LinkExchange(link, CMD_QUERY, uint8_t(n), nullptr, 0, data.data(), n, false);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Check(!IsValidReply(data, size) || (size >= 5 && data[3] <= 32 && data[3] + 5u <= size));
    if (size < 3) return 0;
    const std::vector<uint8_t> replies(data + 3, data + size);
    const std::size_t slice = 1 + data[2] % 40;

    SimClock clock;
    ScriptedLinkPort port(clock, replies, slice);
    LinkContext link{port, clock, nullptr};
    const int code = OneExchange(link, data[0], data[1]);
    Check(code >= LINK_OK && code <= LINK_ERR_DEVICE);

    SimClock walkClock;
    ScriptedLinkPort walkPort(walkClock, replies, slice);
    LinkContext walk{walkPort, walkClock, nullptr};
    std::array<uint8_t, 41> buffer{};
    uint32_t count = 0;
    const int kind = data[0] & 0x10 ? LINK_WRITE : LINK_READ;
    const int walkCode = RunLinkOperation(walk, kind, buffer.data(), 41, 0x01FFF0, count);
    Check(walkCode >= LINK_OK && walkCode <= LINK_ERR_DEVICE);
    return 0;
}
