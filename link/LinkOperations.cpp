#include "link/LinkOperations.h"

#include "base/DiagLog.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int64_t kNoBlock = -1;

int ReportProgress(LinkContext& link, uint32_t offset) {
    if (link.notify && link.notify->SendSerialNotify(LINK_PROGRESS, long(offset)) != 0) return LINK_ERR_ABORTED;
    return LINK_OK;
}

int SetAddress(LinkContext& link, uint32_t address) {
    const uint8_t payload[3] = {uint8_t(address), uint8_t(address >> 8), uint8_t(address >> 16)};
    return LinkExchange(link, CMD_SET_ADDRESS, 3, payload, 3, nullptr, 0, true);
}

int ReadMemory(LinkContext& link, uint8_t* buffer, uint32_t length, uint32_t address) {
    LogMessage("read from %08X, %d bytes", address, int(length));
    int code = SetAddress(link, address);
    for (uint32_t offset = 0; code == LINK_OK && offset < length; offset += kMaxFrameData) {
        const uint32_t chunk = std::min<uint32_t>(kMaxFrameData, length - offset);
        code = LinkExchange(link, CMD_READ_MEMORY, uint8_t(chunk), nullptr, 0, buffer + offset, chunk, true);
        if (code == LINK_OK) code = ReportProgress(link, offset);
    }
    return code;
}

// The block walk shared by the two writes and the erase: an address command
// (and an erase, unless plain writing) whenever a new 64 KB block begins,
// chunks of at most 32 bytes, and after a FAILURE a restart at the start of
// the current block, at most kMaxWriteRetries times in the whole operation.
// A chunk never runs over the end of a block: its tail would land in the next
// block before that block's address command, and an erase-write would then
// erase it again.
class MemoryWriter {
public:
    MemoryWriter(LinkContext& link, int kind, const uint8_t* buffer, uint32_t length, uint32_t address)
        : m_link(link), m_kind(kind), m_buffer(buffer), m_length(length), m_address(address) {}

    int Run() {
        while (m_offset < m_length) {
            int code = EnterBlock();
            if (code != LINK_OK) return code;
            const uint32_t toBlockEnd = kMemoryBlockSize - m_address % kMemoryBlockSize;
            const uint32_t chunk = std::min({uint32_t(kMaxFrameData), m_length - m_offset, toBlockEnd});
            if (m_kind == LINK_ERASE) {
                Advance(chunk);
                continue;
            }
            code = LinkExchange(m_link, CMD_WRITE_MEMORY, uint8_t(chunk), m_buffer + m_offset, chunk, nullptr, 0, true);
            if (code == LINK_OK) {
                code = ReportProgress(m_link, m_offset);
                if (code != LINK_OK) return code;
                Advance(chunk);
            } else if (!RestartBlock(code)) {
                return code;
            }
        }
        return LINK_OK;
    }

private:
    int EnterBlock() {
        const int64_t block = m_address & ~(kMemoryBlockSize - 1);
        if (block == m_block) return LINK_OK;
        LogMessage("set address %08X", m_address);
        int code = SetAddress(m_link, m_address);
        if (code == LINK_OK && m_kind != LINK_WRITE) {
            LogMessage("erase block");
            code = LinkExchange(m_link, CMD_ERASE_BLOCK, 0, nullptr, 0, nullptr, 0, true);
        }
        if (code == LINK_OK) m_block = block;
        return code;
    }

    void Advance(uint32_t chunk) {
        m_address += chunk;
        m_offset += chunk;
    }

    // After a failed chunk: true when the walk goes back to the start of the
    // current block; false when the operation ends with `code` (which then
    // holds the final result).
    bool RestartBlock(int& code) {
        LogMessage("error detected...");
        if (code != LINK_ERR_DEVICE) return false;
        LogMessage("retrying...");
        const uint32_t back = m_address % kMemoryBlockSize;
        // Going back past the first data byte would send bytes from before the
        // caller's buffer; the write fails instead.
        if (++m_retries >= kMaxWriteRetries || back > m_offset) return false;
        m_offset -= back;
        m_address = uint32_t(m_block);
        m_block = kNoBlock;
        return true;
    }

    LinkContext& m_link;
    const int m_kind;
    const uint8_t* m_buffer;
    const uint32_t m_length;
    uint32_t m_address;
    uint32_t m_offset = 0;
    int64_t m_block = kNoBlock;
    int m_retries = 0;
};

int ModuleCommand(LinkContext& link, uint8_t command, const uint8_t* buffer, uint32_t length) {
    if (length > kMaxFrameData) return LINK_ERR_WRITE;
    return LinkExchange(link, command, uint8_t(length), buffer, length, nullptr, 0, false);
}

int ModuleRead(LinkContext& link, uint8_t* buffer, uint32_t length) {
    const uint8_t payload[2] = {buffer[0], uint8_t(length)};
    return LinkExchange(link, CMD_MODULE_READ, 2, payload, 2, buffer, length, false);
}

int Query(LinkContext& link, uint8_t* buffer, uint32_t length, uint32_t& returnedCount) {
    const int code = LinkExchange(link, CMD_QUERY, uint8_t(length), nullptr, 0, buffer, length, false);
    if (code == LINK_OK) returnedCount = length;
    return code;
}

int Reset(LinkContext& link) {
    link.clock.SleepMs(kResetDelayMs);
    const uint8_t payload[1] = {0x00};
    return LinkExchange(link, CMD_RESET, 1, payload, 1, nullptr, 0, false);
}

// The device restarts its clock handling at once and may not answer; that
// is not a failure.
int SetTime(LinkContext& link) {
    const LinkTimeOfDay now = link.clock.LocalTime();
    const uint8_t payload[4] = {ToBcd(now.millisecond / 10), ToBcd(now.second), ToBcd(now.minute), ToBcd(now.hour)};
    const int code = LinkExchange(link, CMD_SET_CLOCK, 4, payload, 4, nullptr, 0, false);
    return code == LINK_ERR_NO_REPLY ? LINK_OK : code;
}

}  // namespace

int RunLinkOperation(LinkContext& link, int operation, uint8_t* buffer, uint32_t length, uint32_t address,
                     uint32_t& returnedCount) {
    returnedCount = 0;
    switch (operation) {
    case LINK_QUERY: return Query(link, buffer, length, returnedCount);
    case LINK_READ: return ReadMemory(link, buffer, length, address);
    case LINK_WRITE:
    case LINK_ERASE_WRITE:
    case LINK_ERASE: return MemoryWriter(link, operation, buffer, length, address).Run();
    case LINK_MODULE_WRITE: return ModuleCommand(link, CMD_MODULE_WRITE, buffer, length);
    case LINK_MODULE_DATA: return ModuleCommand(link, CMD_MODULE_DATA, buffer, length);
    case LINK_MODULE_READ: return ModuleRead(link, buffer, length);
    case LINK_RESET: return Reset(link);
    case LINK_SET_TIME: return SetTime(link);
    default: return LINK_OK;  // LINK_NOP and unknown kinds move nothing
    }
}
