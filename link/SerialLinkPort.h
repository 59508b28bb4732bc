// The real transport: a serial port driven by QSerialPort in blocking mode
// on the worker thread, 38400 baud, 8 data bits, no parity, 1 stop bit, no
// flow control, DTR and RTS low, both directions purged on open.
#pragma once

#include "link/LinkPort.h"

constexpr int kPortCount = 8;  // COM1 .. COM8

// The device behind port index n (0 = COM1): "COM<n+1>" on Windows; elsewhere
// the settings' "Ports"/"COM<n+1>" entry, by default /dev/ttyS<n>. Empty for
// an index outside 0..7 (for example -1, nothing selected).
QString PortDeviceName(int portIndex);

// Opens the named device (a COM name or a device path) and configures it.
std::unique_ptr<LinkPort> OpenSerialPort(const QString& deviceName);

class SerialPortFactory : public LinkPortFactory {
public:
    // Maps port indexes to devices with PortDeviceName.
    SerialPortFactory() = default;
    // Always opens this device, whatever index is asked for (a tool given a
    // device path, such as a pseudo-terminal).
    explicit SerialPortFactory(QString devicePath) : m_devicePath(std::move(devicePath)) {}

    std::unique_ptr<LinkPort> OpenPort(int portIndex) override;

private:
    QString m_devicePath;
};
