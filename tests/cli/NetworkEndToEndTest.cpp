// vkx520ctl through a serial device server: the real ser2net (raw and
// Telnet Com Port Control), socat splitting every byte, vkx520sim serving TCP
// itself, and servers that die, refuse or are not there.
#include "Ser2NetRig.h"

#include "link/DeviceOperation.h"
#include "link/SerialLinkPort.h"
#include "model/CMainDoc.h"
#include "sim/DemoConfig.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <cstring>

namespace {

const QString kNoReply = QStringLiteral("Please ensure that device is plugged and turned on!");
const QString kPortError = QStringLiteral("Serial port is not installed or in use by another application!");

// A document whose image a test may set.
class TestDoc : public CMainDoc {
public:
    explicit TestDoc(const ConfigImage& image) { m_image = image; }
};

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the device counted: frames and bytes both ways, without the timing.
QString DeviceCounts(const QString& stats) {
    static const QRegularExpression counts(QStringLiteral("requests=\\d+ request-bytes=\\d+ reply-bytes=\\d+"));
    return counts.match(stats).captured(0);
}

class NetworkEndToEnd : public testing::Test {
protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

// What a user does to one device through one port, and what came of it.
struct Session {
    QByteArray readFile;
    QByteArray deviceState;
    QString deviceCounts;
    QString diffOutput;
    QList<int> codes;
};

TEST_F(NetworkEndToEnd, EveryVerbThroughEachServerGivesWhatTheDirectLineGives) {
    // The configuration written: the demonstration rack with other key links.
    ConfigImage image = MakeDemoImage();
    std::swap(image.keyMap[0], image.keyMap[15]);
    image.outputModules[0].signal[0] = 6;
    TestDoc doc(image);
    const QString changed = Path(QStringLiteral("changed.vkcfg"));
    ASSERT_TRUE(doc.SaveFile(changed));

    enum Transport { Direct, Raw, Telnet, SimListening };
    const char* const names[] = {"direct", "tcp", "rfc2217", "vkx520sim --listen"};
    std::vector<Session> sessions;
    for (const Transport transport : {Direct, Raw, Telnet, SimListening}) {
        SCOPED_TRACE(names[transport]);
        const QString state = Path(QStringLiteral("state-%1.vkcfg").arg(int(transport)));
        const QStringList simArgs{QStringLiteral("--stats"), QStringLiteral("--save"), state};
        std::unique_ptr<Ser2NetRig> rig;
        std::unique_ptr<SimProcess> listening;
        QString port;
        if (transport == SimListening) {
            listening = std::make_unique<SimProcess>(
                simArgs + QStringList{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0")});
            port = listening->port();
            ASSERT_TRUE(port.startsWith(QStringLiteral("tcp://127.0.0.1:"))) << qPrintable(port);
        } else {
            rig = std::make_unique<Ser2NetRig>(simArgs);
            ASSERT_TRUE(rig->ok()) << qPrintable(rig->Why());
            port = transport == Direct ? rig->sim().port() : transport == Raw ? rig->raw() : rig->telnet();
        }
        Session session;
        const QString read = Path(QStringLiteral("read-%1.vkcfg").arg(int(transport)));
        const QList<QStringList> verbs = {
            {QStringLiteral("read"), QStringLiteral("--port"), port, QStringLiteral("-o"), read,
             QStringLiteral("--no-backup")},
            {QStringLiteral("write"), QStringLiteral("--port"), port, changed, QStringLiteral("--yes"),
             QStringLiteral("--verify")},
            {QStringLiteral("set-time"), QStringLiteral("--port"), port},
            {QStringLiteral("diff"), changed, QStringLiteral("--port"), port},
        };
        for (const QStringList& verb : verbs) {
            const CtlResult result = RunCtl(verb);
            session.codes << result.exitCode;
            EXPECT_EQ(result.exitCode, 0) << qPrintable(verb.join(u' ')) << "\n" << qPrintable(result.err);
            session.diffOutput = result.out;  // the last one's: diff
        }
        session.deviceCounts = DeviceCounts(rig ? rig->Stop() : listening->Stop());
        session.readFile = FileBytes(read);
        session.deviceState = FileBytes(state);
        EXPECT_FALSE(session.deviceCounts.isEmpty());
        EXPECT_FALSE(session.readFile.isEmpty());
        EXPECT_FALSE(session.deviceState.isEmpty());
        sessions.push_back(session);
    }
    for (std::size_t n = 1; n < sessions.size(); ++n) {
        SCOPED_TRACE(names[n]);
        EXPECT_EQ(sessions[n].readFile, sessions[0].readFile);
        EXPECT_EQ(sessions[n].deviceState, sessions[0].deviceState);
        EXPECT_EQ(sessions[n].deviceCounts, sessions[0].deviceCounts);
        EXPECT_EQ(sessions[n].diffOutput, sessions[0].diffOutput);
    }
}

// The desktop program opens the port for each step of an operation, so
// each step is a connection of its own (and a negotiation, for rfc2217).
TEST_F(NetworkEndToEnd, AConnectionPerStepAsTheDesktopProgramMakesThemReadsTheSame) {
    Ser2NetRig rig;
    ASSERT_TRUE(rig.ok()) << qPrintable(rig.Why());
    const QString terminal = QFileInfo(rig.sim().port()).canonicalFilePath();
    ConfigImage images[3];
    const QString ports[3] = {rig.sim().port(), rig.raw(), rig.telnet()};
    for (int n = 0; n < 3; ++n) {
        // The two accepters share the terminal: the server must have let go
        // of it for the other.
        ASSERT_TRUE(WaitUntil([&] { return !ProcessHasOpen(rig.server().pid(), terminal); }));
        SerialPortFactory factory(ports[n]);
        images[n].Clear();
        ASSERT_EQ(RunDeviceOperationSync(OPER_READ_CONFIG, 0, images[n], {&factory, &SystemLinkClock()}), LINK_OK)
            << qPrintable(ports[n]);
        EXPECT_EQ(std::memcmp(images[n].bytes(), images[0].bytes(), kConfigImageSize), 0) << qPrintable(ports[n]);
    }
}

TEST_F(NetworkEndToEnd, ProbeFindsTheDeviceBehindMappedNetworkPorts) {
    // Each accepter on a device of its own: two accepters of one ser2net
    // share the device and turn a second connection away while the first
    // is still being closed.
    Ser2NetRig rawRig, telnetRig;
    ASSERT_TRUE(rawRig.ok()) << qPrintable(rawRig.Why());
    ASSERT_TRUE(telnetRig.ok()) << qPrintable(telnetRig.Why());
    const QString nobody = QStringLiteral("tcp://127.0.0.1:%1").arg(FreeLoopbackPort());
    QDir(m_dir.path()).mkdir(QStringLiteral("bin"));
    const QString ctl = Path(QStringLiteral("bin/vkx520ctl"));
    ASSERT_TRUE(QFile::copy(BinaryPath("vkx520ctl"), ctl));
    QFile ini(Path(QStringLiteral("bin/VKX520Setup.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[Ports]\r\nCOM1=%1\r\nCOM2=%2\r\nCOM3=%3\r\n")
                  .arg(rawRig.raw(), telnetRig.telnet(), nobody)
                  .toLocal8Bit());
    ini.close();

    const CtlResult result = RunProgram(ctl, {QStringLiteral("ports"), QStringLiteral("--probe")});
    ASSERT_EQ(result.exitCode, 0) << qPrintable(result.err);
    const QStringList lines = result.out.split(u'\n');
    for (const QString& expected :
         {QStringLiteral("COM1  ") + rawRig.raw(), QStringLiteral("COM2  ") + telnetRig.telnet(),
          QStringLiteral("  %1 (COM1)  VKX520 answers").arg(rawRig.raw()),
          QStringLiteral("  %1 (COM2)  VKX520 answers").arg(telnetRig.telnet()),
          QStringLiteral("  %1 (COM3)  cannot be opened: %1: the connection was refused (no server listens on that "
                         "port).")
              .arg(nobody)})
        EXPECT_TRUE(lines.contains(expected)) << qPrintable(expected) << "\n" << qPrintable(result.out);
}

TEST_F(NetworkEndToEnd, AServerKilledDuringAnOperationEndsItWithTheReason) {
    const struct {
        const char* verb;
        bool telnet;
    } cases[] = {{"read", false}, {"read", true}, {"write", false}, {"write", true}};
    TestDoc doc(MakeDemoImage());
    const QString file = Path(QStringLiteral("rack.vkcfg"));
    ASSERT_TRUE(doc.SaveFile(file));
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.verb) + (c.telnet ? " rfc2217" : " tcp"));
        // A device busy for longer than the test, so that the operation is
        // surely running when the server dies.
        Ser2NetRig rig({QStringLiteral("--busy"), QStringLiteral("3000")});
        ASSERT_TRUE(rig.ok()) << qPrintable(rig.Why());
        const QString port = c.telnet ? rig.telnet() : rig.raw();
        const QStringList args =
            QLatin1String(c.verb) == QLatin1String("read")
                ? QStringList{QStringLiteral("read"), QStringLiteral("--port"), port, QStringLiteral("-o"),
                              Path(QStringLiteral("x.vkcfg"))}
                : QStringList{QStringLiteral("write"), QStringLiteral("--port"), port, file, QStringLiteral("--yes")};
        QProcess ctl;
        ctl.start(BinaryPath("vkx520ctl"), args);
        ASSERT_TRUE(rig.WaitForConnection());
        QThread::msleep(200);
        QElapsedTimer sinceKill;
        sinceKill.start();
        rig.server().Kill();
        ASSERT_TRUE(ctl.waitForFinished(30000));
        const QString err = QString::fromLocal8Bit(ctl.readAllStandardError());
        std::printf("[ info ] %s through %s ended %.1f ms after the server was killed, status %d\n", c.verb,
                    c.telnet ? "rfc2217" : "tcp", double(sinceKill.nsecsElapsed()) / 1e6, ctl.exitCode());
        EXPECT_TRUE(ctl.exitCode() == 2 || ctl.exitCode() == 3) << ctl.exitCode() << "\n" << qPrintable(err);
        EXPECT_TRUE(err.contains(port + QStringLiteral(": the connection was closed by the server.")))
            << qPrintable(err);
        EXPECT_FALSE(QFile::exists(Path(QStringLiteral("x.vkcfg"))));
    }
}

TEST_F(NetworkEndToEnd, RepliesSplitIntoSingleBytesReadTheSame) {
    SimProcess sim({QStringLiteral("--pace")});
    ASSERT_FALSE(sim.port().isEmpty());
    const int port = FreeLoopbackPort();
    BridgeProcess socat;
    // One byte per read and per write, each sent at once: every reply
    // byte travels in a segment of its own.
    ASSERT_TRUE(
        socat.Start(QStringLiteral("socat"),
                    {QStringLiteral("-b1"), QStringLiteral("TCP-LISTEN:%1,bind=127.0.0.1,reuseaddr,nodelay").arg(port),
                     QStringLiteral("FILE:%1,raw,echo=0").arg(sim.port())},
                    {port}))
        << "socat did not start (scripts/install-deps installs it)";
    const QString split = Path(QStringLiteral("split.vkcfg")), direct = Path(QStringLiteral("direct.vkcfg"));
    const CtlResult viaSocat =
        RunCtl({QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("tcp://127.0.0.1:%1").arg(port),
                QStringLiteral("-o"), split, QStringLiteral("--no-backup")});
    ASSERT_EQ(viaSocat.exitCode, 0) << qPrintable(viaSocat.err);
    socat.Stop();
    const CtlResult viaPty = RunCtl({QStringLiteral("read"), QStringLiteral("--port"), sim.port(), QStringLiteral("-o"),
                                     direct, QStringLiteral("--no-backup")});
    ASSERT_EQ(viaPty.exitCode, 0) << qPrintable(viaPty.err);
    EXPECT_EQ(FileBytes(split), FileBytes(direct));
}

TEST_F(NetworkEndToEnd, NoServerAnUnknownHostAndASilentServerEachSayWhy) {
    SimProcess silent({QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--silent")});
    const QString nobody = QStringLiteral("tcp://127.0.0.1:%1").arg(FreeLoopbackPort());
    const QString unknown = QStringLiteral("rfc2217://vkx520-rack.invalid:2001");
    const struct {
        QString port;
        int code;
        QString message;
    } cases[] = {
        {nobody, 1,
         kPortError + QStringLiteral("\nvkx520ctl: ") + nobody + QStringLiteral(": the connection was refused")},
        {unknown, 1,
         kPortError + QStringLiteral("\nvkx520ctl: ") + unknown +
             QStringLiteral(": the host name cannot be resolved.")},
        {silent.port(), 3, kNoReply},
    };
    for (const auto& c : cases) {
        const CtlResult result = RunCtl({QStringLiteral("read"), QStringLiteral("--port"), c.port, QStringLiteral("-o"),
                                         Path(QStringLiteral("never.vkcfg"))});
        EXPECT_EQ(result.exitCode, c.code) << qPrintable(c.port) << "\n" << qPrintable(result.err);
        EXPECT_TRUE(result.err.contains(c.message)) << qPrintable(result.err);
    }
}

}  // namespace
