// The real transport: a serial port driven by QSerialPort in blocking mode
// on the worker thread, 38400 baud, 8 data bits, no parity, 1 stop bit, no
// flow control, DTR and RTS low, both directions purged on open.
#pragma once

#include "base/SettingKeys.h"  // kPortCount, PortDevicePath: the COMn-to-device map
#include "link/LinkPort.h"

// Opens the named device (a COM name or a device path) and configures it.
// On failure, why (optional) says what stood in the way of a named device.
std::unique_ptr<LinkPort> OpenSerialPort(const QString& deviceName, PortOpenFailure* why = nullptr);
// The same for any name a port may have: a network port name
// (tcp://HOST:PORT, rfc2217://HOST:PORT) connects to its serial device
// server within the settings' time-out, anything else is opened as above.
std::unique_ptr<LinkPort> OpenNamedPort(const QString& name, PortOpenFailure* why = nullptr);

// The ports a user can name: local devices and network ports alike.
class SerialPortFactory : public LinkPortFactory {
public:
    // Maps port indexes to devices with PortDevicePath.
    SerialPortFactory() = default;
    // Always opens this device, whatever index is asked for (a tool given a
    // device path, such as a pseudo-terminal).
    explicit SerialPortFactory(QString devicePath) : m_devicePath(std::move(devicePath)) {}

    std::unique_ptr<LinkPort> OpenPort(int portIndex) override;
    std::unique_ptr<LinkPort> OpenPortExplained(int portIndex, PortOpenFailure& why) override;

private:
    QString m_devicePath;
};
