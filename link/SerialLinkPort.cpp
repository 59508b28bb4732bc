#include "link/SerialLinkPort.h"

#include "link/NetworkLinkPort.h"
#include "link/NetworkPortName.h"

#include <QElapsedTimer>
#include <QSerialPort>

#include <algorithm>
#include <atomic>

namespace {

constexpr int kBaudRate = 38400;
constexpr int kIntervalTimeoutMs = 10;  // a gap this long ends a read call
constexpr int kWriteMsPerByte = 50;     // write time-out per byte
constexpr int kCancelPollMs = 50;       // how often a blocked wait looks for a cancel

class SerialLinkPort : public LinkPort {
public:
    bool Open(const QString& deviceName) {
        m_port.setPortName(deviceName);
        if (!m_port.open(QIODevice::ReadWrite)) return false;
        // As the driver accepts them: a port that opens is used as configured.
        m_port.setBaudRate(kBaudRate);
        m_port.setDataBits(QSerialPort::Data8);
        m_port.setParity(QSerialPort::NoParity);
        m_port.setStopBits(QSerialPort::OneStop);
        m_port.setFlowControl(QSerialPort::NoFlowControl);
        m_port.setDataTerminalReady(false);
        m_port.setRequestToSend(false);
        m_port.clear(QSerialPort::AllDirections);
        m_port.clearError();
        return true;
    }

    bool Write(const uint8_t* bytes, std::size_t count) override {
        if (m_cancelled) return false;
        const qint64 written = m_port.write(reinterpret_cast<const char*>(bytes), qint64(count));
        if (written != qint64(count)) return false;
        const int budgetMs = std::max(kWriteMsPerByte, kWriteMsPerByte * int(count));
        QElapsedTimer timer;
        timer.start();
        while (m_port.bytesToWrite() > 0) {
            if (m_cancelled || timer.elapsed() >= budgetMs) return false;
            if (!m_port.waitForBytesWritten(kCancelPollMs) && !TimedOut()) return false;
        }
        return true;
    }

    int Read(uint8_t* bytes, std::size_t count, int timeoutMs) override {
        QElapsedTimer timer;
        timer.start();
        while (m_port.bytesAvailable() == 0) {
            if (m_cancelled) return -1;
            const qint64 left = timeoutMs - timer.elapsed();
            if (left <= 0) return 0;
            if (!m_port.waitForReadyRead(int(std::min<qint64>(left, kCancelPollMs))) && !TimedOut()) return -1;
        }
        std::size_t got = 0;
        for (;;) {
            const qint64 n = m_port.read(reinterpret_cast<char*>(bytes + got), qint64(count - got));
            if (n < 0) return -1;
            got += std::size_t(n);
            if (got == count || m_cancelled) break;
            if (m_port.bytesAvailable() == 0 && !m_port.waitForReadyRead(kIntervalTimeoutMs)) {
                TimedOut();
                break;
            }
        }
        return int(got);
    }

    void Cancel() override { m_cancelled = true; }
    void Purge() override { m_port.clear(QSerialPort::AllDirections); }

    // Why Open failed, from the library's error and what the system tells.
    PortOpenFailure ExplainFailure(const QString& deviceName) const {
        OpenError error = OpenError::Other;
        switch (m_port.error()) {
        case QSerialPort::DeviceNotFoundError: error = OpenError::NotFound; break;
        case QSerialPort::PermissionError: error = OpenError::Permission; break;
        case QSerialPort::OpenError: error = OpenError::Busy; break;
        default: break;
        }
        return ExplainOpenFailure(deviceName, error, GatherPortFacts(deviceName), m_port.errorString());
    }

private:
    // Qt reports a wait that ran out as an error; that one is expected.
    bool TimedOut() {
        const bool timeout = m_port.error() == QSerialPort::TimeoutError;
        if (timeout) m_port.clearError();
        return timeout;
    }

    QSerialPort m_port;
    std::atomic<bool> m_cancelled{false};
};

}  // namespace

std::unique_ptr<LinkPort> OpenSerialPort(const QString& deviceName, PortOpenFailure* why) {
    if (deviceName.isEmpty()) return nullptr;  // no entry chosen: the port message says it all
    auto port = std::make_unique<SerialLinkPort>();
    if (!port->Open(deviceName)) {
        if (why) *why = port->ExplainFailure(deviceName);
        return nullptr;
    }
    return port;
}

std::unique_ptr<LinkPort> OpenNamedPort(const QString& name, PortOpenFailure* why) {
    if (IsNetworkPortName(name)) return OpenNetworkPort(name, NetworkTimeoutMs(), why);
    return OpenSerialPort(name, why);
}

std::unique_ptr<LinkPort> SerialPortFactory::OpenPort(int portIndex) {
    return OpenNamedPort(m_devicePath.isEmpty() ? PortDevicePath(portIndex) : m_devicePath);
}

std::unique_ptr<LinkPort> SerialPortFactory::OpenPortExplained(int portIndex, PortOpenFailure& why) {
    return OpenNamedPort(m_devicePath.isEmpty() ? PortDevicePath(portIndex) : m_devicePath, &why);
}
