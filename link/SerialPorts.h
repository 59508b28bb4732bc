// The serial ports this computer offers, and what COM1..COM8 stand for.
// Discovery is an interface so that the ports dialog, the first-start mapping
// and vkx520ctl can be driven by a made-up list in tests.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

struct SerialPortRecord {
    QString device;  // the system's path, e.g. /dev/ttyUSB0
    QString byId;    // the stable /dev/serial/by-id name, when the system has one
    QString description;
    QString manufacturer;
    QString serialNumber;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    bool hasUsbIds = false;

    // What a COM entry stores for it: the stable name where there is one.
    const QString& StoredPath() const { return byId.isEmpty() ? device : byId; }
    // "0403:6001", or empty without USB identifiers.
    QString VidPid() const;
    // What is known of it: description, maker, VID:PID, "S/N ..."; the
    // empty ones left out.
    QStringList Details() const;
    // One line for a tooltip or a list: the details, each once.
    QString Summary() const;
};

class PortDiscovery {
public:
    virtual ~PortDiscovery() = default;
    virtual QList<SerialPortRecord> AvailablePorts() = 0;
};

// The system's ports, as the serial port library finds them, with their
// by-id names looked up in /dev/serial/by-id.
PortDiscovery& SystemPortDiscovery();
// The discovery the program uses: the system's unless a test put another
// here (not owned; nullptr restores the system's).
PortDiscovery& DefaultPortDiscovery();
void SetDefaultPortDiscovery(PortDiscovery* discovery);

// The mapping a first start without a "Ports" section gets: the ports found,
// USB adapters first, each group in the order of their names, then the
// built-in defaults that are not taken yet, kPortCount entries in all.
QStringList FirstStartPortMapping(const QList<SerialPortRecord>& found);
// When the settings have no "Ports" section, stores FirstStartPortMapping of
// the ports found now, so that later starts keep it whatever is plugged in.
// A mapping equal to the defaults is not written: it is stable as it is.
// Returns whether the settings were written.
bool EnsurePortMapping(PortDiscovery& discovery);
// What COM1..COM8 stand for, without writing anything: the stored mapping,
// or the one a first start would store with these ports found.
QStringList PortMappingInUse(const QList<SerialPortRecord>& found);
// Stores the eight entries (empty ones are removed, giving the default).
bool StorePortMapping(const QStringList& devices);
// The devices COM1..COM8 stand for now.
QStringList CurrentPortMapping();

// The record a stored path stands for: its device or its by-id name; null
// when none of found matches.
const SerialPortRecord* FindPortRecord(const QList<SerialPortRecord>& found, const QString& path);
// The short name shown beside "COMn": the device's name under /dev (ttyUSB0,
// pts/7), for a by-id path the device it leads to, for a network port its
// host and port (host:2001).
QString ShortPortName(const QList<SerialPortRecord>& found, const QString& path);
