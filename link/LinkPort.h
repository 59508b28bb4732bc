// The byte transport under the link protocol. The serial port is one
// implementation; the simulated device offers another so that the protocol
// and the operations can be exercised in process.
#pragma once

#include "link/PortOpenFailure.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>

class LinkPort {
public:
    virtual ~LinkPort() = default;
    // True when all count bytes were written.
    virtual bool Write(const uint8_t* bytes, std::size_t count) = 0;
    // One read call: waits up to timeoutMs for the first byte, then takes what
    // follows until count bytes are in or 10 ms pass without a byte. Returns
    // the number of bytes read (0 on a time-out), -1 on failure or cancel.
    virtual int Read(uint8_t* bytes, std::size_t count, int timeoutMs) = 0;
    // Makes a pending and every later Read or Write fail promptly. Callable
    // from any thread; this is how a worker is stopped without killing it.
    virtual void Cancel() = 0;
    // Discards what both directions still hold, as opening the port does.
    virtual void Purge() {}
    // After a failed Read or Write: true, with why, when the line itself went
    // away (a network server closed the connection). A local port cannot tell.
    virtual bool ExplainLoss(PortOpenFailure& why) const {
        (void)why;
        return false;
    }
};

// Opens the port with the given 0-based index (COM1 = 0). nullptr when it
// cannot be opened. Called on the worker thread.
class LinkPortFactory {
public:
    virtual ~LinkPortFactory() = default;
    virtual std::unique_ptr<LinkPort> OpenPort(int portIndex) = 0;
    // The same, saying in why what went wrong when it returns nullptr. A
    // factory that cannot tell leaves why as it is.
    virtual std::unique_ptr<LinkPort> OpenPortExplained(int portIndex, PortOpenFailure& why) {
        (void)why;
        return OpenPort(portIndex);
    }
};

// The time-out of one read call of n bytes: 500 ms plus 10 ms per byte.
constexpr int ReadTimeoutMs(std::size_t n) { return 500 + 10 * int(n); }

// 1 when exactly count bytes were written, else 0.
int LinkWrite(LinkPort& port, const uint8_t* bytes, std::size_t count);
// 1 when exactly count bytes were received, reading the missing bytes again
// until complete; 0 as soon as a read call fails or returns nothing.
int LinkRead(LinkPort& port, uint8_t* bytes, std::size_t count);
