// The real transport: a serial port driven by QSerialPort in blocking mode
// on the worker thread, 38400 baud, 8 data bits, no parity, 1 stop bit, no
// flow control, DTR and RTS low, both directions purged on open.
#pragma once

#include "base/SettingKeys.h"  // kPortCount, PortDevicePath: the COMn-to-device map
#include "link/LinkPort.h"

// Opens the named device (a COM name or a device path) and configures it.
// On failure, why (optional) says what stood in the way of a named device.
std::unique_ptr<LinkPort> OpenSerialPort(const QString& deviceName, PortOpenFailure* why = nullptr);

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
