// Keeps the port that the first step opens for every step after it, so that
// a program running operations on its own thread (vkx520ctl) opens, locks and
// configures its serial port once rather than once per step. Each later
// "opening" purges both directions as a real opening does, so every step
// still starts on a clean line; the bytes on the wire are the same.
#pragma once

#include "link/LinkPort.h"

class HeldPortFactory : public LinkPortFactory {
public:
    // ports must outlive this factory.
    explicit HeldPortFactory(LinkPortFactory& ports) : m_ports(ports) {}

    // The held port when it is the same index and its line is still there;
    // otherwise the held port is closed and the index opened. nullptr when it
    // cannot be opened.
    std::unique_ptr<LinkPort> OpenPort(int portIndex) override;
    std::unique_ptr<LinkPort> OpenPortExplained(int portIndex, PortOpenFailure& why) override;
    // Closes the held port (also done on destruction). Ports handed out must
    // no longer be in use.
    void Release();

private:
    LinkPortFactory& m_ports;
    std::unique_ptr<LinkPort> m_held;
    int m_heldIndex = -1;
};
