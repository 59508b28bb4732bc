// A serial port on a serial device server, reached over TCP: raw (the
// server's line settings apply) or Telnet with Com Port Control (the line
// settings of a local port are sent and must be confirmed). Reads and writes
// keep the contract of LinkPort exactly, so the link cannot tell it from a
// local port: a reply split anyhow over segments is put together as bytes
// trickling in over a cable are, and Cancel ends any wait at once.
#pragma once

#include "link/LinkPort.h"

// Connects to a port named tcp://HOST:PORT or rfc2217://HOST:PORT. The name
// lookup and the connection get timeoutMs together, the negotiation of an
// rfc2217 port timeoutMs again. nullptr, with why (optional) saying what
// went wrong, when no usable connection was made.
std::unique_ptr<LinkPort> OpenNetworkPort(const QString& name, int timeoutMs, PortOpenFailure* why = nullptr);

// The connection time-out the settings give, in milliseconds.
int NetworkTimeoutMs();
