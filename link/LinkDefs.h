// Numbers shared by the serial worker, the link protocol and the operations
// built on it: result codes, link operation kinds, command bytes, reports.
#pragma once

#include <cstddef>
#include <cstdint>

// Result of an exchange, a link operation and a device operation.
enum LinkResult : int {
    LINK_OK = 0,
    LINK_ERR_PORT = 1,       // port cannot be opened
    LINK_ERR_WRITE = 2,      // a request was not written completely
    LINK_ERR_NO_REPLY = 3,   // the expected reply bytes did not arrive
    LINK_ERR_CRC = 4,        // three invalid replies in one exchange
    LINK_ERR_DEVICE = 5,     // FAILURE, BUSY for too long, or a write beyond its retries
    LINK_ERR_ABORTED = 6,    // the receiver answered a progress report with nonzero
    LINK_ERR_NO_THREAD = 7,  // no worker thread could be created for a step (never a worker's code)
};

// Report code of a progress report; its parameter is the chunk's byte offset.
constexpr int LINK_PROGRESS = 16;
// The worker's report message (kept for the diagnostic lines and documentation).
constexpr unsigned WM_SERIAL_NOTIFY = 0x40F;

// Link operations run by one worker thread.
enum LinkOperation : int {
    LINK_QUERY = 1,
    LINK_NOP = 2,
    LINK_READ = 3,
    LINK_WRITE = 4,
    LINK_ERASE_WRITE = 5,
    LINK_ERASE = 6,
    LINK_MODULE_WRITE = 7,
    LINK_RESET = 8,
    LINK_SET_TIME = 9,
    LINK_MODULE_READ = 10,
    LINK_MODULE_DATA = 11,
};

// Request command bytes.
enum LinkCommand : uint8_t {
    CMD_SET_ADDRESS = 0x00,
    CMD_POLL_STATUS = 0x01,
    CMD_MODULE_READ = 0x02,
    CMD_READ_MEMORY = 0x03,
    CMD_ERASE_BLOCK = 0x06,
    CMD_WRITE_MEMORY = 0x07,
    CMD_QUERY = 0x08,
    CMD_SET_CLOCK = 0x09,
    CMD_RESET = 0x0D,
    CMD_MODULE_WRITE = 0x0E,
    CMD_MODULE_DATA = 0x0F,
};

constexpr uint8_t kFrameMark0 = 0xE2;
constexpr uint8_t kFrameMark1 = 0xE4;
constexpr std::size_t kFrameOverhead = 5;  // two marks, command/status, count, CRC
constexpr std::size_t kMaxFrameData = 32;  // payload or reply data bytes per frame
constexpr std::size_t kMaxFrameSize = kMaxFrameData + kFrameOverhead;
constexpr uint8_t kStatusFailure = 0x20;
constexpr uint8_t kStatusBusy = 0x10;

constexpr uint32_t kMemoryBlockSize = 0x10000;  // erase unit and address-command granularity
