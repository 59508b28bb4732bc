// Serial ports: why a port will not open and how that reaches the user, the
// mapping of a first start, and Find device over pseudo-terminals.
#include "PtyDevice.h"
#include "QtMessageTrap.h"
#include "support/RecordingPresenter.h"
#include "support/TempProfile.h"

#include "base/SettingKeys.h"
#include "lang/UiText.h"
#include "link/DeviceOperation.h"
#include "link/HeldPortFactory.h"
#include "link/PortProbe.h"
#include "link/SerialLinkPort.h"
#include "link/SerialPorts.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <climits>
#include <cstring>
#include <thread>

#ifndef _WIN32
#include <grp.h>
#include <sys/stat.h>
#endif

namespace {

const QString kUsbById = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K1234-if00-port0");

SerialPortRecord Usb(const char* device, const QString& byId = {}) {
    SerialPortRecord port;
    port.device = QString::fromLatin1(device);
    port.byId = byId;
    port.description = QStringLiteral("FT232R USB UART");
    port.hasUsbIds = true;
    port.vendorId = 0x0403;
    port.productId = 0x6001;
    return port;
}

SerialPortRecord Builtin(const char* device) {
    SerialPortRecord port;
    port.device = QString::fromLatin1(device);
    return port;
}

class ListedPorts : public PortDiscovery {
public:
    explicit ListedPorts(QList<SerialPortRecord> ports = {}) : ports(std::move(ports)) {}
    QList<SerialPortRecord> AvailablePorts() override { return ports; }
    QList<SerialPortRecord> ports;
};

// Opening always fails with a given reason: what the serial port reports for
// a user without the right group, which tests running as root never see.
class RefusingPorts : public LinkPortFactory {
public:
    explicit RefusingPorts(PortOpenFailure failure) : m_failure(std::move(failure)) {}
    std::unique_ptr<LinkPort> OpenPort(int) override { return nullptr; }
    std::unique_ptr<LinkPort> OpenPortExplained(int, PortOpenFailure& why) override {
        why = m_failure;
        return nullptr;
    }

private:
    PortOpenFailure m_failure;
};

TEST(PortOpenFailure, ExplainedFromTheLibrarysErrorAndTheSystemsFacts) {
    const struct {
        OpenError error;
        PortFacts facts;
        PortProblem problem;
    } cases[] = {
        {OpenError::NotFound, {false, false, {}, {}}, PortProblem::NoSuchDevice},
        {OpenError::Permission, {false, false, {}, {}}, PortProblem::NoSuchDevice},  // unplugged meanwhile
        {OpenError::Permission, {true, false, QStringLiteral("dialout"), {}}, PortProblem::PermissionDenied},
        {OpenError::Busy, {true, false, QStringLiteral("dialout"), {}}, PortProblem::PermissionDenied},
        {OpenError::Permission,
         {true, true, QStringLiteral("dialout"), QStringLiteral("minicom (pid 42)")},
         PortProblem::InUse},
        {OpenError::Busy, {true, true, {}, {}}, PortProblem::InUse},
        {OpenError::Other, {true, true, {}, {}}, PortProblem::Other},
        {OpenError::Permission, {true, true, {}, {}, true}, PortProblem::LockNameTooLong},
    };
    for (const auto& c : cases) {
        const PortOpenFailure failure =
            ExplainOpenFailure(QStringLiteral("/dev/ttyUSB0"), c.error, c.facts, QStringLiteral("I/O error"));
        EXPECT_EQ(failure.problem, c.problem) << int(c.error) << " " << c.facts.accessible;
        EXPECT_EQ(failure.device, "/dev/ttyUSB0");
        EXPECT_EQ(failure.group, c.problem == PortProblem::PermissionDenied ? c.facts.group : QString());
        EXPECT_EQ(failure.holder, c.problem == PortProblem::InUse ? c.facts.holder : QString());
    }
}

#ifndef _WIN32
TEST(PortOpenFailure, TheGroupIsNamedOnlyWhereItMayUseTheDevice) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tty"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
    const group* owner = ::getgrgid(status.st_gid);
    ASSERT_NE(owner, nullptr);
    for (const mode_t mode : {0600, 0640, 0660}) {
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
        const PortFacts facts = GatherPortFacts(path);
        EXPECT_TRUE(facts.exists);
        EXPECT_EQ(facts.group, mode == 0660 ? QString::fromLocal8Bit(owner->gr_name) : QString()) << mode;
    }
    EXPECT_FALSE(GatherPortFacts(dir.filePath(QStringLiteral("gone"))).exists);
}
#endif

TEST(PortOpenFailure, DetailLineSaysWhatStandsInTheWay) {
    const QString user = CurrentUserName();
    const struct {
        PortOpenFailure failure;
        QString detail;
    } cases[] = {
        {{PortProblem::PermissionDenied, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("dialout"), {}, {}, {}, 0},
         QStringLiteral("Permission denied for /dev/ttyUSB0: it belongs to the group \"dialout\". Join it with \"sudo "
                        "usermod -aG dialout %1\", then log out and in again.")
             .arg(user)},
        {{PortProblem::PermissionDenied, QStringLiteral("/dev/ttyUSB0"), {}, {}, {}, {}, 0},
         QStringLiteral("Permission denied for /dev/ttyUSB0.")},
        {{PortProblem::NoSuchDevice, QStringLiteral("/dev/ttyACM0"), {}, {}, {}, {}, 0},
         QStringLiteral("/dev/ttyACM0: no such device (unplugged, or a wrong path).")},
        {{PortProblem::InUse, QStringLiteral("/dev/ttyS0"), {}, QStringLiteral("minicom (pid 42)"), {}, {}, 0},
         QStringLiteral("/dev/ttyS0 is in use by minicom (pid 42).")},
        {{PortProblem::InUse, QStringLiteral("/dev/ttyS0"), {}, {}, {}, {}, 0},
         QStringLiteral("/dev/ttyS0 is in use by another program.")},
        {{PortProblem::Other, QStringLiteral("/dev/ttyS0"), {}, {}, QStringLiteral("I/O error"), {}, 0},
         QStringLiteral("/dev/ttyS0: I/O error")},
        // A network port is named as typed, and says how long was waited.
        {{PortProblem::ConnectTimedOut, QStringLiteral("tcp://rack-a:2001"), {}, {}, {}, {}, 2500},
         QStringLiteral("tcp://rack-a:2001: no answer within 2.5 s.")},
        {{PortProblem::NegotiationRefused,
          QStringLiteral("rfc2217://rack-a:2001"),
          {},
          {},
          {},
          QStringLiteral("SET-BAUDRATE 38400 (server: 9600)"),
          0},
         QStringLiteral("rfc2217://rack-a:2001: the server did not accept SET-BAUDRATE 38400 (server: 9600).")},
        {{PortProblem::NegotiationTimedOut,
          QStringLiteral("rfc2217://rack-a:2001"),
          {},
          {},
          {},
          QStringLiteral("BINARY"),
          3000},
         QStringLiteral("rfc2217://rack-a:2001: the server did not confirm BINARY within 3 s.")},
        {{PortProblem::LockNameTooLong, QStringLiteral("/dev/x"), {}, {}, {}, {}, 0},
         QStringLiteral("The lock file for /dev/x cannot be created: the device's name is too long for a file name. "
                        "Open it through a link with a shorter name.")},
        {{}, QString()},
    };
    for (const auto& c : cases) EXPECT_EQ(PortOpenDetail(c.failure), c.detail);
}

TEST(PortOpenFailure, TravelsUpWithTheLinkError) {
    RefusingPorts refusing(
        {PortProblem::PermissionDenied, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("dialout"), {}, {}, {}, 0});
    HeldPortFactory held(refusing);
    ConfigImage image;
    image.Clear();
    PortOpenFailure why;
    EXPECT_EQ(RunDeviceOperationSync(OPER_READ_CONFIG, 0, image, {&held, &SystemLinkClock()}, {}, nullptr, &why),
              LINK_ERR_PORT);
    EXPECT_EQ(why.problem, PortProblem::PermissionDenied);
    EXPECT_EQ(why.group, "dialout");
}

TEST(PortOpenFailure, MissingDeviceIsNamedAsSuch) {
    PortOpenFailure why;
    QtMessageTrap qtMessages;
    std::unique_ptr<LinkPort> port;
    std::unique_ptr<QThread> thread(QThread::create(
        [&] { port = SerialPortFactory(QStringLiteral("/nonexistent/vkx-port")).OpenPortExplained(0, why); }));
    thread->start();
    thread->wait();
    EXPECT_EQ(port, nullptr);
    EXPECT_EQ(why.problem, PortProblem::NoSuchDevice);
    EXPECT_EQ(why.device, "/nonexistent/vkx-port");
    PortOpenFailure none;
    EXPECT_EQ(SerialPortFactory().OpenPortExplained(-1, none), nullptr);  // Connect with no entry chosen
    EXPECT_EQ(none.problem, PortProblem::None);
}

#ifndef _WIN32
// A free pseudo-terminal reached through a path too long for the lock file's
// name (the whole path, '/' made '_', after "LCK.."): the lock file is what
// failed, nobody holds the port.
TEST(PortOpenFailure, ANameTooLongForTheLockFileIsNamedAsSuch) {
    PtyMaster pty([](const uint8_t*, std::size_t) {});
    QTemporaryDir dir;
    const qsizetype room = NAME_MAX - 5 - dir.path().size() - 1;
    const QString link = dir.filePath(QString(room + 1, u'p'));
    ASSERT_TRUE(QFile::link(pty.path(), link));
    // One character shorter, the lock file's name just fits.
    const QString fits = dir.filePath(QString(room, u'p'));
    ASSERT_TRUE(QFile::link(pty.path(), fits));
    QtMessageTrap qtMessages;
    for (const QString& path : {link, fits}) {
        PortOpenFailure why;
        bool opened = false;
        // On a thread of its own, as every port is opened; a plain thread,
        // whose join orders its results for a race checker.
        std::thread([&] { opened = SerialPortFactory(path).OpenPortExplained(0, why) != nullptr; }).join();
        EXPECT_EQ(opened, path == fits) << path.size();
        EXPECT_EQ(why.problem, path == fits ? PortProblem::None : PortProblem::LockNameTooLong);
    }
}
#endif

TEST(FirstStart, UsbAdaptersFirstInNameOrderThenTheDefaults) {
    const struct {
        QList<SerialPortRecord> found;
        QStringList mapping;
    } cases[] = {
        {{},
         {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3", "/dev/ttyS4", "/dev/ttyS5", "/dev/ttyS6",
          "/dev/ttyS7"}},
        {{Builtin("/dev/ttyS0"), Usb("/dev/ttyUSB10"), Usb("/dev/ttyUSB2", kUsbById), Usb("/dev/ttyACM0")},
         {"/dev/ttyACM0", kUsbById, "/dev/ttyUSB10", "/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3",
          "/dev/ttyS4"}},
        {{Builtin("/dev/ttyS1"), Builtin("/dev/ttyAMA0")},
         {"/dev/ttyAMA0", "/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3", "/dev/ttyS4", "/dev/ttyS5",
          "/dev/ttyS6"}},
        {{Usb("/dev/ttyUSB0"), Usb("/dev/ttyUSB1"), Usb("/dev/ttyUSB2"), Usb("/dev/ttyUSB3"), Usb("/dev/ttyUSB4"),
          Usb("/dev/ttyUSB5"), Usb("/dev/ttyUSB6"), Usb("/dev/ttyUSB7"), Usb("/dev/ttyUSB8")},
         {"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyUSB3", "/dev/ttyUSB4", "/dev/ttyUSB5",
          "/dev/ttyUSB6", "/dev/ttyUSB7"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FirstStartPortMapping(c.found), c.mapping) << qPrintable(FirstStartPortMapping(c.found).join(u' '));
}

TEST(FirstStart, MappingIsWrittenOnceAndThenKept) {
    TempProfile profile;
    ListedPorts ports({Builtin("/dev/ttyS0"), Usb("/dev/ttyUSB0", kUsbById)});
    EXPECT_TRUE(EnsurePortMapping(ports));
    EXPECT_EQ(PortDevicePath(0), kUsbById);
    EXPECT_EQ(PortDevicePath(1), "/dev/ttyS0");
    EXPECT_EQ(PortDevicePath(7), "/dev/ttyS6");
    ports.ports = {Usb("/dev/ttyACM0")};  // plugged in later: the stored mapping stays
    EXPECT_FALSE(EnsurePortMapping(ports));
    EXPECT_EQ(PortDevicePath(0), kUsbById);
}

TEST(FirstStart, NothingToMapWritesNothingAndAUsersSectionIsKept) {
    TempProfile profile;
    ListedPorts builtinOnly({Builtin("/dev/ttyS0")});
    EXPECT_FALSE(EnsurePortMapping(builtinOnly));
    EXPECT_FALSE(profile.Exists());
    profile.Write("[Ports]\r\nCOM3=/dev/pts/7\r\n");
    ListedPorts usb({Usb("/dev/ttyUSB0")});
    EXPECT_FALSE(EnsurePortMapping(usb));
    EXPECT_EQ(PortDevicePath(0), "/dev/ttyS0");
    EXPECT_EQ(PortDevicePath(2), "/dev/pts/7");
}

TEST(PortRecords, SummaryStoredPathAndShortName) {
    SerialPortRecord port = Usb("/dev/ttyUSB2", kUsbById);
    port.manufacturer = QStringLiteral("FTDI");
    port.serialNumber = QStringLiteral("A10K1234");
    EXPECT_EQ(port.Summary(), "FT232R USB UART, FTDI, 0403:6001, S/N A10K1234");
    EXPECT_EQ(port.StoredPath(), kUsbById);
    EXPECT_EQ(Builtin("/dev/ttyS0").Summary(), "");
    EXPECT_EQ(Builtin("/dev/ttyS0").StoredPath(), "/dev/ttyS0");
    const QList<SerialPortRecord> found{port};
    EXPECT_EQ(ShortPortName(found, kUsbById), "ttyUSB2");
    EXPECT_EQ(ShortPortName(found, QStringLiteral("/dev/ttyUSB2")), "ttyUSB2");
    EXPECT_EQ(ShortPortName(found, QStringLiteral("/dev/pts/4")), "pts/4");
    EXPECT_EQ(FindPortRecord(found, QStringLiteral("/dev/ttyS0")), nullptr);
}

#ifndef _WIN32
TEST(FindDevice, AnswersWhereTheDeviceIsAndTheSilentPortsHearOneReadRequest) {
    SilentPty first;
    PtyDevice device;
    SilentPty second;
    ASSERT_FALSE(first.path().isEmpty() || device.path().isEmpty() || second.path().isEmpty());
    ConfigImage before;
    device.WithDevice([&](SimDevice& sim) { before = sim.SaveImage(); });
    const QStringList devices{first.path(), device.path(), second.path(), QStringLiteral("/nonexistent/vkx-port")};
    std::vector<PortProbeResult> results;
    QtMessageTrap qtMessages;
    std::unique_ptr<QThread> thread(QThread::create([&] { results = ProbePorts(devices, SystemLinkClock()); }));
    thread->start();
    thread->wait();
    ASSERT_EQ(results.size(), 4u);
    std::vector<int> codes;
    for (const PortProbeResult& result : results) codes.push_back(result.code);
    EXPECT_EQ(codes, std::vector<int>({LINK_ERR_NO_REPLY, LINK_OK, LINK_ERR_NO_REPLY, LINK_ERR_PORT}));
    EXPECT_EQ(results[3].openFailure.problem, PortProblem::NoSuchDevice);
    // Where nothing answers, the one request of the read went out: the
    // address command, once, and nothing that writes, resets or sets a clock.
    for (SilentPty* silent : {&first, &second}) {
        const std::vector<uint8_t> bytes = silent->Received();
        ASSERT_GE(bytes.size(), kFrameOverhead) << qPrintable(silent->path());
        EXPECT_EQ(bytes[0], kFrameMark0);
        EXPECT_EQ(bytes[1], kFrameMark1);
        EXPECT_EQ(bytes[2], CMD_SET_ADDRESS);
        EXPECT_EQ(bytes.size(), kFrameOverhead + bytes[3]) << "one frame only";
    }
    device.WithDevice([&](SimDevice& sim) {
        EXPECT_EQ(std::memcmp(sim.SaveImage().bytes(), before.bytes(), sizeof(ConfigImage)), 0);
        EXPECT_EQ(sim.resetCount(), 0);
        EXPECT_EQ(sim.clockSetCount(), 0);
    });
    EXPECT_EQ(qtMessages.Joined(), "");
}
#endif

}  // namespace
