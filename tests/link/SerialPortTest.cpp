// The real serial transport: port names, and the whole link over a
// pseudo-terminal with the simulated device answering on its other side.
#include "PtyDevice.h"
#include "QtMessageTrap.h"
#include "SimRig.h"

#include "base/Settings.h"
#include "link/DeviceOperation.h"
#include "link/SerialLinkPort.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <memory>

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
int RunOnQtThread(int command, ConfigImage& image, const LinkEnvironment& env) {
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
