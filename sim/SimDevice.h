// The simulated VKX520: a byte-stream engine that takes request bytes and
// answers as the device does, with its memory (the configuration blocks with
// their CRCs, an address pointer, 64 KB erase blocks), its module tables set
// through the module registers, module data, reset, clock and query, plus
// named faults. The same engine serves the tests in process and vkx520sim on
// a pseudo-terminal.
#pragma once

#include "link/LinkClock.h"
#include "model/ConfigImage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

// Reply bytes the device sends after a pause: delayMs counts from the end of
// the request for the first chunk, from the previous chunk for the others.
struct SimChunk {
    std::vector<uint8_t> bytes;
    int delayMs = 0;
};

class SimDevice {
public:
    static constexpr int kAnyCommand = -1;
    static constexpr std::size_t kModuleDataSize = 32;

    // The device starts with empty module tables and default link tables,
    // all with valid CRCs, and everything else erased.
    explicit SimDevice(LinkClock& clock);

    // --- byte stream -----------------------------------------------------
    // Feeds request bytes as they arrive; returns the replies of every frame
    // they complete. Bytes that do not form a valid frame are skipped.
    std::vector<SimChunk> Feed(const uint8_t* data, std::size_t size);
    // Forgets a partial frame (the line was closed).
    void DropPartialInput() { m_input.clear(); }

    // --- state -------------------------------------------------------------
    // Stores the image's four device blocks as they are (CRCs included) and
    // its audio rows as module data.
    void LoadImage(const ConfigImage& image);
    // The device's blocks and module data as an image (audio kinds 0).
    ConfigImage SaveImage() const;
    uint8_t MemoryAt(uint32_t address) const;
    const uint8_t* ModuleData(int slot) const { return m_moduleData[std::size_t(slot)].data(); }
    uint32_t addressPointer() const { return m_pointer; }
    int resetCount() const { return m_resetCount; }
    int clockSetCount() const { return m_clockSetCount; }
    LinkTimeOfDay lastClock() const { return m_lastClock; }

    // Every well-formed request received, in order.
    const std::vector<std::vector<uint8_t>>& requests() const { return m_requests; }
    std::size_t CountRequests(uint8_t command) const;
    void ClearRequests() { m_requests.clear(); }
    // Called with each well-formed request before it is answered.
    void SetRequestObserver(std::function<void(const std::vector<uint8_t>&)> observer) {
        m_observer = std::move(observer);
    }

    // --- faults --------------------------------------------------------------
    // Nothing is answered (nor done) while silent.
    void SetSilent(bool silent) { m_silent = silent; }
    // The next `count` replies (to `command`, or any) carry a wrong CRC; the
    // requests themselves are carried out.
    void CorruptReplies(int count, int command = kAnyCommand);
    // Requests (to `command`, or any) are answered BUSY and not carried out
    // for `ms` milliseconds from the next such request on.
    void BusyFor(int ms, int command = kAnyCommand);
    // The next `count` requests (to `command`, or any) are answered FAILURE.
    void FailRequests(int count, int command = kAnyCommand);
    // The next reply comes in two parts, the second `gapMs` after the first.
    void SplitNextReply(std::size_t firstPartBytes, int gapMs);
    // Flips the stored CRC byte of the configuration block at this address.
    void CorruptStoredBlock(uint32_t blockAddress);
    // After `requests` more requests the cable is pulled: silence for good.
    void UnplugAfter(int requests) { m_requestsBeforeUnplug = requests; }
    // An erase keeps the device busy this long (polls answer BUSY meanwhile).
    void SetEraseBusyMs(int ms) { m_eraseBusyMs = ms; }
    // After a reset the device restarts and stays silent this long.
    void SetRebootSilenceMs(int ms) { m_rebootSilenceMs = ms; }
    // Module commands (types, input counts, signals) are acknowledged but
    // not carried out, as by a device that keeps its modules as they were.
    void SetIgnoreModuleWrites(bool ignore) { m_ignoreModuleWrites = ignore; }

private:
    struct Request {
        uint8_t command;
        uint8_t count;
        const uint8_t* payload;
        std::size_t payloadLength;
    };
    struct CountedFault {
        int remaining = 0;
        int command = kAnyCommand;
        bool Take(uint8_t cmd);
    };

    bool ParseFrame(std::vector<SimChunk>& replies);
    void Answer(const std::vector<uint8_t>& frame, std::vector<SimChunk>& replies);
    bool IsBusy(uint8_t command);
    uint8_t Execute(const Request& request, std::vector<uint8_t>& data);
    void WriteMemory(uint32_t address, const uint8_t* bytes, std::size_t count);
    void EraseBlock(uint32_t address);
    void ReadModule(uint8_t reg, std::vector<uint8_t>& data) const;
    void WriteModule(const Request& request);
    void StoreModuleTableCrcs();
    void MakeReply(uint8_t status, const std::vector<uint8_t>& data, std::vector<SimChunk>& replies);

    LinkClock& m_clock;
    std::vector<uint8_t> m_input;
    std::map<uint32_t, uint8_t> m_memory;  // bytes not present read as erased (0xFF)
    uint32_t m_pointer = 0;
    std::array<std::array<uint8_t, kModuleDataSize>, kSlotCount> m_moduleData{};
    int m_resetCount = 0;
    int m_clockSetCount = 0;
    LinkTimeOfDay m_lastClock;
    std::vector<std::vector<uint8_t>> m_requests;
    std::function<void(const std::vector<uint8_t>&)> m_observer;

    bool m_silent = false;
    CountedFault m_corrupt, m_failure;
    int m_busyMs = 0;
    int m_busyCommand = kAnyCommand;
    bool m_busyStarted = false;
    uint64_t m_busyStart = 0;
    std::size_t m_splitAt = 0;
    int m_splitGapMs = 0;
    int m_requestsBeforeUnplug = -1;
    int m_eraseBusyMs = 0;
    uint64_t m_eraseDoneAt = 0;
    int m_rebootSilenceMs = 0;
    bool m_ignoreModuleWrites = false;
    uint64_t m_silentUntil = 0;
};
