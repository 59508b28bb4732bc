#include "link/LinkPort.h"

int LinkWrite(LinkPort& port, const uint8_t* bytes, std::size_t count) { return port.Write(bytes, count) ? 1 : 0; }

int LinkRead(LinkPort& port, uint8_t* bytes, std::size_t count) {
    std::size_t received = 0;
    while (received < count) {
        const std::size_t missing = count - received;
        const int got = port.Read(bytes + received, missing, ReadTimeoutMs(missing));
        if (got <= 0 || std::size_t(got) > missing) return 0;
        received += std::size_t(got);
    }
    return 1;
}
