// Ports reached over the network through a serial device server: named
// "tcp://HOST:PORT" (raw TCP, the line settings are the server's) or
// "rfc2217://HOST:PORT" (Telnet with Com Port Control, the line settings
// sent to the server) wherever a device path can stand.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

enum class NetworkProtocol { RawTcp, Rfc2217 };

struct NetworkPortAddress {
    NetworkProtocol protocol = NetworkProtocol::RawTcp;
    QString host;  // a name, an IPv4 address or an IPv6 address (without brackets)
    uint16_t port = 0;

    // "host:port" ("[::1]:port" for an IPv6 address): the short name shown
    // beside a COM entry.
    QString HostAndPort() const;
    // The name it is stored and typed as, e.g. "rfc2217://host:2001".
    QString Name() const;
};

// True for a name with one of the two schemes (any letter case), well formed
// or not: such a name is never opened as a device path.
bool IsNetworkPortName(const QString& name);
// The address a network port name stands for; nothing when it is not one, or
// the host is empty, or the port is not a number from 1 to 65535.
std::optional<NetworkPortAddress> ParseNetworkPortName(const QString& name);
// "HOST:PORT" alone, as vkx520sim --listen takes it; port 0 is allowed there
// (the system chooses one).
std::optional<NetworkPortAddress> ParseHostAndPort(const QString& text, bool allowPortZero = false);
