// One request/reply exchange with the device: framing, CRC, the bad-reply
// retries and the waiting on a busy device.
#pragma once

#include "link/LinkClock.h"
#include "link/LinkDefs.h"
#include "link/LinkPort.h"

// Receives the worker's synchronous reports (the WM_SERIAL_NOTIFY message):
// LINK_PROGRESS with the chunk's byte offset after each chunk of a memory
// read or write, then once the result code with the byte count. A nonzero
// answer to a progress report stops the operation with LINK_ERR_ABORTED.
class LinkNotifyTarget {
public:
    virtual ~LinkNotifyTarget() = default;
    virtual int SendSerialNotify(int code, long param) = 0;
};

// What one link operation works with, all owned by the worker.
struct LinkContext {
    LinkPort& port;
    LinkClock& clock;
    LinkNotifyTarget* notify = nullptr;
};

constexpr int kBusyLimitMs = 2000;
constexpr int kMaxBadReplies = 3;

// A reply frame is valid when it starts with E2 E4, its length byte L is at
// most 32, all L + 5 bytes lie within the received bytes, and its last byte
// is the CRC of the bytes before it.
bool IsValidReply(const uint8_t* reply, std::size_t received);

// Packed BCD of 0..99.
uint8_t ToBcd(int value);

// Sends the request (payloadLength bytes after the four header bytes; the CRC
// is stored at its end) and reads a reply with `expected` data bytes into
// `reply` (room for expected + 5 bytes, and at least 8 for an erase, whose
// request may turn into a status poll). Returns a LinkResult.
int LinkTransact(LinkContext& link, uint8_t* request, std::size_t payloadLength, uint8_t* reply, std::size_t expected,
                 bool checkStatus);

// Builds and runs one exchange: command, count byte, payload; on success the
// reply's data go to replyData (expected bytes).
int LinkExchange(LinkContext& link, uint8_t command, uint8_t count, const uint8_t* payload, std::size_t payloadLength,
                 uint8_t* replyData, std::size_t expected, bool checkStatus);
