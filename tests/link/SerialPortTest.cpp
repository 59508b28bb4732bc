// The real serial transport: port names, and the whole link over a
// pseudo-terminal with the simulated device answering on its other side.
#include "PtyDevice.h"
#include "QtMessageTrap.h"
#include "support/SimRig.h"

#include "base/Settings.h"
#include "link/DeviceOperation.h"
#include "link/SerialLinkPort.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <memory>

#ifndef _WIN32
#include <cerrno>
#include <sys/ioctl.h>
#include <termios.h>
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
    EXPECT_EQ(PortDevicePath(0), "COM1");
    EXPECT_EQ(PortDevicePath(7), "COM8");
#else
    EXPECT_EQ(PortDevicePath(0), "/dev/ttyS0");
    EXPECT_EQ(PortDevicePath(2), "/dev/ttyUSB0");
    EXPECT_EQ(PortDevicePath(7), "/dev/ttyS7");
#endif
    EXPECT_EQ(PortDevicePath(-1), "");
    EXPECT_EQ(PortDevicePath(8), "");
    SetAppProfilePath({});
}

TEST(PortNames, MissingDeviceCannotBeOpened) {
    SerialPortFactory missing(QStringLiteral("/nonexistent/vkx-port"));
    EXPECT_EQ(missing.OpenPort(0), nullptr);
    SerialPortFactory byIndex;
    EXPECT_EQ(byIndex.OpenPort(-1), nullptr);
}

#ifndef _WIN32
// Runs a device operation as vkx520ctl does, on a thread Qt knows (there the
// main thread of its QCoreApplication; here a QThread): the serial port's
// notifiers need one.
int RunOnQtThread(DeviceCommand command, ConfigImage& image, const LinkEnvironment& env) {
    int code = -1;
    std::unique_ptr<QThread> thread(QThread::create([&] { code = RunDeviceOperationSync(command, 0, image, env); }));
    thread->start();
    thread->wait();
    return code;
}

TEST(SerialOverPty, ReadWriteAndSetTime) {
    PtyDevice pty;
    ASSERT_FALSE(pty.path().isEmpty());
    SerialPortFactory ports(pty.path());
    const LinkEnvironment env{&ports, &SystemLinkClock()};
    ConfigImage image;
    pty.WithDevice([&](SimDevice& device) { image = device.SaveImage(); });
    image.inputModules[0] = {0x21, 2};
    image.panelInputMap[0] = 9;
    QtMessageTrap qtMessages;
    ASSERT_EQ(RunOnQtThread(OPER_WRITE_CONFIG, image, env), LINK_OK);
    ConfigImage read;
    read.Clear();
    pty.WithDevice([](SimDevice& device) { device.SplitNextReply(4, 40); });  // a reply in pieces is still assembled
    ASSERT_EQ(RunOnQtThread(OPER_READ_CONFIG, read, env), LINK_OK);
    EXPECT_EQ(read.inputModules[0].code, 0x21);
    EXPECT_EQ(read.panelInputMap[0], 9);
    EXPECT_EQ(RunOnQtThread(OPER_SET_TIME, read, env), LINK_OK);
    pty.WithDevice([](SimDevice& device) { EXPECT_EQ(device.clockSetCount(), 1); });
    EXPECT_EQ(qtMessages.Joined(), "");
}

// The terminal's line settings as the device sees them on its first
// request, that is while the program's port is open.
struct LineSeen {
    bool seen = false;
    termios settings{};
    int modemResult = 0;
    int modemError = 0;
    int modemBits = 0;
};

TEST(SerialOverPty, PortRunsAt38400EightNoneOneWithoutFlowControl) {
    PtyDevice pty;
    const int slave = pty.OpenSlave();
    ASSERT_GE(slave, 0);
    // A fresh pseudo-terminal already is at 38400 8N1: start from settings
    // the port has to change. (The pseudo-terminal driver itself keeps 8 data
    // bits and no parity, whatever it is asked.)
    termios other{};
    ASSERT_EQ(::tcgetattr(slave, &other), 0);
    ::cfsetispeed(&other, B9600);
    ::cfsetospeed(&other, B9600);
    other.c_cflag |= CSTOPB | CRTSCTS;
    other.c_lflag |= ICANON;
    ASSERT_EQ(::tcsetattr(slave, TCSANOW, &other), 0);

    LineSeen line;
    pty.WithDevice([&line, slave](SimDevice& device) {
        device.SetRequestObserver([&line, slave](const Bytes&) {
            if (line.seen) return;
            line.seen = ::tcgetattr(slave, &line.settings) == 0;
            line.modemResult = ::ioctl(slave, TIOCMGET, &line.modemBits);
            line.modemError = errno;
        });
    });
    SerialPortFactory ports(pty.path());
    ConfigImage image;
    image.Clear();
    QtMessageTrap qtMessages;
    EXPECT_EQ(RunOnQtThread(OPER_SET_TIME, image, {&ports, &SystemLinkClock()}), LINK_OK);
    pty.WithDevice([](SimDevice& device) { device.SetRequestObserver(nullptr); });

    ASSERT_TRUE(line.seen);
    const termios& t = line.settings;
    EXPECT_EQ(::cfgetospeed(&t), speed_t(B38400));
    EXPECT_EQ(::cfgetispeed(&t), speed_t(B38400));
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(t.c_lflag & ICANON, 0u) << "binary: no line editing";
    // Linux pseudo-terminals have no modem lines (TIOCMGET fails with
    // ENOTTY); DTR and RTS are checked where the terminal has them.
    if (line.modemResult == 0) {
        EXPECT_EQ(line.modemBits & (TIOCM_DTR | TIOCM_RTS), 0);
    } else {
        EXPECT_EQ(line.modemError, ENOTTY);
    }
    EXPECT_EQ(qtMessages.Joined(), "");
}

TEST(SerialOverPty, SilentDeviceIsNoReply) {
    PtyDevice pty;
    ASSERT_FALSE(pty.path().isEmpty());
    pty.WithDevice([](SimDevice& device) { device.SetSilent(true); });
    SerialPortFactory ports(pty.path());
    ConfigImage image;
    image.Clear();
    QtMessageTrap qtMessages;
    EXPECT_EQ(RunOnQtThread(OPER_READ_CONFIG, image, {&ports, &SystemLinkClock()}), LINK_ERR_NO_REPLY);
    EXPECT_EQ(qtMessages.Joined(), "");
}
#endif

}  // namespace
