// "Find device": which ports a VKX520 answers on. Each port gets the first
// step of Connect and nothing else: one read of the input module block
// through the normal link code (38400 8N1, the normal time-outs), so a port
// with nothing on it hears one read request and no retry, and no port is
// ever written to (no memory write, reset or clock command).
#pragma once

#include "link/LinkClock.h"
#include "link/LinkDefs.h"
#include "link/PortOpenFailure.h"
#include "link/SerialPorts.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class LinkPortFactory;

struct PortProbeResult {
    QString device;
    LinkResult code = LINK_ERR_PORT;
    PortOpenFailure openFailure;  // why it did not open (code LINK_ERR_PORT)
    bool answered() const { return code == LINK_OK; }
};

// Opens one device: the serial port by default; tests and tools hand in
// another transport for the same paths.
using ProbePortOpener = std::function<std::unique_ptr<LinkPortFactory>(const QString& device)>;

// The devices worth a probe: those of mapping that exist (a pseudo-terminal
// too) or are network ports, then the ports found; a device reached by two
// paths comes once.
QStringList ProbeCandidates(const QStringList& mapping, const QList<SerialPortRecord>& found);
// The same device, however each path reaches it.
bool SamePortDevice(const QString& a, const QString& b);

// Probes the devices one after another, in order. cancelled (optional) is
// asked before each port. The calling thread must suit LinkThreadProc.
std::vector<PortProbeResult> ProbePorts(const QStringList& devices, LinkClock& clock,
                                        const ProbePortOpener& opener = {},
                                        const std::function<bool()>& cancelled = {});
