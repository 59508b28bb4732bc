// The real serial transport: port names, and the whole link over a
// pseudo-terminal with the simulated device answering on its other side.
#include "SimRig.h"

#include "app/Settings.h"
#include "link/DeviceOperation.h"
#include "link/SerialLinkPort.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <mutex>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

namespace {

TEST(PortNames, IndexesMapThroughTheSettings) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("ports.ini"));
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Ports]\r\nCOM3=/dev/ttyUSB0\r\n");
    file.close();
    SetAppProfilePath(ini);
#ifdef _WIN32
    EXPECT_EQ(PortDeviceName(0), "COM1");
    EXPECT_EQ(PortDeviceName(7), "COM8");
#else
    EXPECT_EQ(PortDeviceName(0), "/dev/ttyS0");
    EXPECT_EQ(PortDeviceName(2), "/dev/ttyUSB0");
    EXPECT_EQ(PortDeviceName(7), "/dev/ttyS7");
#endif
    EXPECT_EQ(PortDeviceName(-1), "");
    EXPECT_EQ(PortDeviceName(8), "");
    SetAppProfilePath({});
}

TEST(PortNames, MissingDeviceCannotBeOpened) {
    SerialPortFactory missing(QStringLiteral("/nonexistent/vkx-port"));
    EXPECT_EQ(missing.OpenPort(0), nullptr);
    SerialPortFactory byIndex;
    EXPECT_EQ(byIndex.OpenPort(-1), nullptr);
}

#ifndef _WIN32
// The simulated device on the master side of a pseudo-terminal, in real time.
class PtyDevice {
public:
    PtyDevice() {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) return;
        m_path = QString::fromLocal8Bit(::ptsname(m_master));
        m_pump = std::thread([this] { Pump(); });
    }
    ~PtyDevice() {
        m_stop = true;
        if (m_pump.joinable()) m_pump.join();
        if (m_master >= 0) ::close(m_master);
    }
    const QString& path() const { return m_path; }
    template <typename Change>
    void WithDevice(Change change) {
        std::lock_guard lock(m_mutex);
        change(m_device);
    }

private:
    void Pump() {
        uint8_t buffer[256];
        while (!m_stop) {
            pollfd pfd{m_master, POLLIN, 0};
            if (::poll(&pfd, 1, 10) <= 0 || !(pfd.revents & POLLIN)) continue;
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0) {  // no slave open between two steps
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                continue;
            }
            std::vector<SimChunk> replies;
            {
                std::lock_guard lock(m_mutex);
                replies = m_device.Feed(buffer, std::size_t(n));
            }
            for (const SimChunk& chunk : replies) {
                std::this_thread::sleep_for(std::chrono::milliseconds(chunk.delayMs));
                if (::write(m_master, chunk.bytes.data(), chunk.bytes.size()) < 0) break;
            }
        }
    }
    SimDevice m_device{SystemLinkClock()};
    std::mutex m_mutex;
    int m_master = -1;
    QString m_path;
    std::thread m_pump;
    std::atomic<bool> m_stop{false};
};

TEST(SerialOverPty, ReadWriteAndSetTime) {
    PtyDevice pty;
    ASSERT_FALSE(pty.path().isEmpty());
    SerialPortFactory ports(pty.path());
    const LinkEnvironment env{&ports, &SystemLinkClock()};
    ConfigImage image;
    pty.WithDevice([&](SimDevice& device) { image = device.SaveImage(); });
    image.inputModules[0] = {0x21, 2};
    image.panelInputMap[0] = 9;
    ASSERT_EQ(RunDeviceOperationSync(OPER_WRITE_CONFIG, 0, image, env), LINK_OK);
    ConfigImage read;
    read.Clear();
    pty.WithDevice([](SimDevice& device) { device.SplitNextReply(4, 40); });  // a reply in pieces is still assembled
    ASSERT_EQ(RunDeviceOperationSync(OPER_READ_CONFIG, 0, read, env), LINK_OK);
    EXPECT_EQ(read.inputModules[0].code, 0x21);
    EXPECT_EQ(read.panelInputMap[0], 9);
    EXPECT_EQ(RunDeviceOperationSync(OPER_SET_TIME, 0, read, env), LINK_OK);
    pty.WithDevice([](SimDevice& device) { EXPECT_EQ(device.clockSetCount(), 1); });
}

TEST(SerialOverPty, SilentDeviceIsNoReply) {
    PtyDevice pty;
    ASSERT_FALSE(pty.path().isEmpty());
    pty.WithDevice([](SimDevice& device) { device.SetSilent(true); });
    SerialPortFactory ports(pty.path());
    ConfigImage image;
    image.Clear();
    EXPECT_EQ(RunDeviceOperationSync(OPER_READ_CONFIG, 0, image, {&ports, &SystemLinkClock()}), LINK_ERR_NO_REPLY);
}
#endif

}  // namespace
