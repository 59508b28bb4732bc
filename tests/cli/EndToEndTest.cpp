// vkx520ctl against vkx520sim, both the real programs, over a real
// pseudo-terminal: the device verbs, their exit statuses and messages, show,
// and the file errors.
#include "CliProcesses.h"

#include "lang/LanguageTable.h"
#include "lang/TranslationKey.h"
#include "model/CMainDoc.h"
#include "model/ConfigFile.h"
#include "sim/DemoConfig.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cstring>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <stdlib.h>
#include <unistd.h>
#endif

namespace {

// The device part of an image: everything the device and the skin decide.
constexpr std::size_t kDevicePart = offsetof(ConfigImage, reserved);

const QString kNoReply = QStringLiteral("Please ensure that device is plugged and turned on!");
const QString kPortError = QStringLiteral("Serial port is not installed or in use by another application!");

// A document whose image a test may set directly.
class TestDoc : public CMainDoc {
public:
    ConfigImage& mutableImage() { return m_image; }
};

ConfigImage ImageOfFile(const QString& path) {
    CMainDoc doc;
    EXPECT_TRUE(doc.LoadFile(path)) << qPrintable(path);
    return doc.image();
}

bool SameDevicePart(const ConfigImage& a, const ConfigImage& b, std::size_t size = kDevicePart) {
    return std::memcmp(a.bytes(), b.bytes(), size) == 0;
}

void StoreAllCrcs(ConfigImage& image) {
    for (const DeviceBlock& block : {kInputTableBlock, kPanelMapBlock, kKeyMapBlock, kOutputTableBlock})
        StoreBlockCrc(image, block);
}

// The demo rack with changes in every table the device keeps.
void ChangeEverything(ConfigImage& image) {
    image.inputModules[2].count = 2;
    image.inputModules[5] = {33, 2};  // HDMI 4K, embedded audio
    image.audioKinds[5] = kAudioKindEmbedded;
    image.audioTable[5][0] = 0x03;
    image.audioTable[5][1] = 0x06;
    const uint8_t firstRow[] = {0x07, 0x06, 0x05, 0x04};
    std::memcpy(image.audioTable[0], firstRow, sizeof firstRow);
    image.outputModules[3] = {176, {5, 4, 3, 2}};
    image.outputModules[0].signal[0] = 6;
    std::swap(image.keyMap[0], image.keyMap[15]);
    std::swap(image.panelInputMap[2], image.panelInputMap[5]);
}

class EndToEnd : public testing::Test {
protected:
    QString Path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    QString SaveDoc(TestDoc& doc, const char* name) const {
        const QString path = Path(name);
        EXPECT_TRUE(doc.SaveFile(path));
        return path;
    }
    QTemporaryDir m_dir;
};

TEST_F(EndToEnd, ReadWriteAndReadBackAreEqual) {
    SimProcess sim({QStringLiteral("--save"), Path("state.vkcfg")});
    ASSERT_FALSE(sim.port().isEmpty());
    const CtlResult first =
        RunCtl({QStringLiteral("read"), QStringLiteral("--port"), sim.port(), QStringLiteral("-o"), Path("a.vkcfg")});
    ASSERT_EQ(first.exitCode, 0) << qPrintable(first.err);
    EXPECT_TRUE(first.err.isEmpty()) << qPrintable(first.err);
    // The demo rack, audio kinds from the shipped skin and audio read from the modules.
    EXPECT_TRUE(SameDevicePart(ImageOfFile(Path("a.vkcfg")), MakeDemoImage()));

    TestDoc changed;
    ASSERT_TRUE(changed.LoadFile(Path("a.vkcfg")));
    ChangeEverything(changed.mutableImage());
    const QString b = SaveDoc(changed, "b.vkcfg");
    const CtlResult write =
        RunCtl({QStringLiteral("write"), QStringLiteral("--port"), sim.port(), b, QStringLiteral("--yes")});
    ASSERT_EQ(write.exitCode, 0) << qPrintable(write.err);
    EXPECT_TRUE(write.out.startsWith(QStringLiteral("Configuration updated successfully.")));

    const CtlResult back = RunCtl(
        {QStringLiteral("read"), QStringLiteral("--port=") + sim.port(), QStringLiteral("--output"), Path("c.vkcfg")});
    ASSERT_EQ(back.exitCode, 0) << qPrintable(back.err);
    ConfigImage expected = changed.image();
    StoreAllCrcs(expected);  // the device keeps its tables' CRCs right
    EXPECT_TRUE(SameDevicePart(ImageOfFile(Path("c.vkcfg")), expected));

    sim.Stop();
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_TRUE(SameDevicePart(ImageOfFile(Path("state.vkcfg")), expected, offsetof(ConfigImage, audioKinds)));
}

TEST_F(EndToEnd, SimulatorStartsFromAFileAndSavesIntoItWithoutLosingLabels) {
    TestDoc doc;
    ConfigImage& image = doc.mutableImage();
    image = MakeDemoImage();
    ChangeEverything(image);
    StoreAllCrcs(image);
    const QString file = SaveDoc(doc, "rack.vkcfg");
    ASSERT_TRUE(doc.LoadFile(file));
    ASSERT_TRUE(doc.SetInputLabel(3, "Studio B"));
    ASSERT_TRUE(doc.SaveFile(file));

    SimProcess sim({QStringLiteral("--load"), file, QStringLiteral("--save"), file});
    ASSERT_EQ(
        RunCtl({QStringLiteral("read"), QStringLiteral("--port"), sim.port(), QStringLiteral("-o"), Path("read.vkcfg")})
            .exitCode,
        0);
    EXPECT_TRUE(SameDevicePart(ImageOfFile(Path("read.vkcfg")), image));
    sim.Stop();
    CMainDoc saved;
    ASSERT_TRUE(saved.LoadFile(file));
    EXPECT_TRUE(SameDevicePart(saved.image(), image));
    EXPECT_EQ(saved.GetInputLabel(3, true), "Studio B");
}

TEST_F(EndToEnd, SetTimeAndResetSendOneRequestEach) {
    SimProcess sim({QStringLiteral("--stats")});
    const CtlResult time = RunCtl({QStringLiteral("set-time"), QStringLiteral("--port"), sim.port()});
    EXPECT_EQ(time.exitCode, 0) << qPrintable(time.err);
    EXPECT_TRUE(time.out.startsWith(QStringLiteral("Time set successfully.")));
    const CtlResult reset = RunCtl({QStringLiteral("reset"), QStringLiteral("--port"), sim.port()});
    EXPECT_EQ(reset.exitCode, 0) << qPrintable(reset.err);
    EXPECT_TRUE(reset.out.isEmpty());
    EXPECT_TRUE(sim.Stop().startsWith(QStringLiteral("requests=2 ")));
}

TEST_F(EndToEnd, SilentDeviceIsNoReply) {
    SimProcess sim({QStringLiteral("--silent")});
    const CtlResult result =
        RunCtl({QStringLiteral("read"), QStringLiteral("--port"), sim.port(), QStringLiteral("-o"), Path("x.vkcfg")});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_TRUE(result.err.contains(kNoReply)) << qPrintable(result.err);
    EXPECT_FALSE(QFile::exists(Path("x.vkcfg")));
}

TEST_F(EndToEnd, MissingPortIsCodeOneForEveryDeviceVerb) {
    const QString missing = Path("no-such-tty");
    const QStringList verbs[] = {{QStringLiteral("read"), QStringLiteral("-o"), Path("x.vkcfg")},
                                 {QStringLiteral("set-time")},
                                 {QStringLiteral("reset")}};
    for (QStringList args : verbs) {
        args << QStringLiteral("--port") << missing;
        const CtlResult result = RunCtl(args);
        EXPECT_EQ(result.exitCode, 1) << qPrintable(args.first());
        EXPECT_TRUE(result.err.contains(kPortError)) << qPrintable(result.err);
    }
    TestDoc doc;
    doc.mutableImage() = MakeDemoImage();
    const CtlResult write =
        RunCtl({QStringLiteral("write"), QStringLiteral("--port"), missing, SaveDoc(doc, "w.vkcfg")});
    EXPECT_EQ(write.exitCode, 1);
}

TEST_F(EndToEnd, ComNamesAreMappedThroughTheDesktopProgramsSettings) {
    SimProcess sim;
    QDir(m_dir.path()).mkdir(QStringLiteral("bin"));
    const QString ctl = Path("bin/vkx520ctl");
    ASSERT_TRUE(QFile::copy(BinaryPath("vkx520ctl"), ctl));
    QFile ini(Path("bin/VKX520Setup.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[Ports]\r\nCOM3=%1\r\nCOM4=%2\r\n").arg(sim.port(), Path("absent")).toLocal8Bit());
    ini.close();
    EXPECT_EQ(RunProgram(ctl, {QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("COM3"),
                               QStringLiteral("-o"), Path("x.vkcfg")})
                  .exitCode,
              0);
    EXPECT_EQ(RunProgram(ctl, {QStringLiteral("set-time"), QStringLiteral("--port"), QStringLiteral("com3")}).exitCode,
              0);
    EXPECT_EQ(RunProgram(ctl, {QStringLiteral("set-time"), QStringLiteral("--port"), QStringLiteral("COM4")}).exitCode,
              1);
}

TEST_F(EndToEnd, MessagesFollowTheLanguageChosenInTheSettings) {
    QDir(m_dir.path()).mkdir(QStringLiteral("bin"));
    for (const char* name : {"vkx520ctl", "VKX520Setup.lna", "Deutsch.lng"})
        ASSERT_TRUE(QFile::copy(BinaryPath(name), Path("bin/") + QLatin1String(name))) << name;
    QFile ini(Path("bin/VKX520Setup.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Language]\r\nLangID=Deutsch\r\n");
    ini.close();

    QFile german(BinaryPath("Deutsch.lng"));
    ASSERT_TRUE(german.open(QIODevice::ReadOnly));
    LanguageTable table;
    ASSERT_EQ(table.Parse(german.readAll()), 0);
    const std::optional<QString> expected = table.FindDecodedText(StringKey(21109));
    ASSERT_TRUE(expected.has_value());

    const CtlResult result =
        RunProgram(Path("bin/vkx520ctl"), {QStringLiteral("reset"), QStringLiteral("--port"), Path("no-such-tty")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(*expected)) << qPrintable(result.err);
    EXPECT_FALSE(result.err.contains(kPortError)) << qPrintable(result.err);
}

TEST_F(EndToEnd, ChecksumWarningStillSucceedsAndBadModuleTablesFail) {
    {
        SimProcess sim({QStringLiteral("--bad-block"), QStringLiteral("0xFF0060")});
        const CtlResult result = RunCtl(
            {QStringLiteral("read"), QStringLiteral("--port"), sim.port(), QStringLiteral("-o"), Path("w.vkcfg")});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_TRUE(result.err.contains(QStringLiteral("Warning: Device reports internal memory checksum error!")));
        const ConfigImage read = ImageOfFile(Path("w.vkcfg"));
        for (int n = 0; n < kUsableInputs; ++n) EXPECT_EQ(read.keyMap[n], n + 1);  // the default key links
    }
    SimProcess sim({QStringLiteral("--bad-block"), QStringLiteral("0xFF0080")});
    const CtlResult result =
        RunCtl({QStringLiteral("read"), QStringLiteral("--port"), sim.port(), QStringLiteral("-o"), Path("f.vkcfg")});
    EXPECT_EQ(result.exitCode, 5);
    EXPECT_TRUE(result.err.contains(QStringLiteral("Device reports internal error!")));
    EXPECT_FALSE(QFile::exists(Path("f.vkcfg")));
}

// The file is saved as Connect keeps the configuration, but the exit status
// and a line of its own tell that the audio settings are missing from it.
TEST_F(EndToEnd, FailedModuleDataReadDoesNotStopTheRead) {
    // The four block reads take nine requests; then the cable is pulled.
    SimProcess sim({QStringLiteral("--unplug-after"), QStringLiteral("9")});
    const CtlResult result =
        RunCtl({QStringLiteral("read"), QStringLiteral("--port"), sim.port(), QStringLiteral("-o"), Path("m.vkcfg")});
    EXPECT_EQ(result.exitCode, 8);
    EXPECT_TRUE(result.err.contains(kNoReply));
    EXPECT_TRUE(result.err.contains(QStringLiteral("saved without the embedded audio settings")))
        << qPrintable(result.err);
    ConfigImage expected = MakeDemoImage();
    std::memset(expected.audioTable, 0, sizeof expected.audioTable);
    EXPECT_TRUE(SameDevicePart(ImageOfFile(Path("m.vkcfg")), expected));
}

// The skin is read while the configuration comes in; one that describes no
// module (here an empty file) gives no slot embedded audio, so no module data
// is asked for.
TEST_F(EndToEnd, ReadWithoutASkinLeavesTheAudioKindsZero) {
    QFile empty(Path("empty.xml"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    SimProcess sim({QStringLiteral("--stats")});
    const CtlResult result = RunCtl({QStringLiteral("read"), QStringLiteral("--port"), sim.port(), QStringLiteral("-o"),
                                     Path("n.vkcfg"), QStringLiteral("--skin"), Path("empty.xml")});
    EXPECT_EQ(result.exitCode, 0) << qPrintable(result.err);
    EXPECT_TRUE(result.err.isEmpty()) << qPrintable(result.err);
    ConfigImage expected = MakeDemoImage();
    std::memset(expected.audioKinds, 0, sizeof expected.audioKinds);
    std::memset(expected.audioTable, 0, sizeof expected.audioTable);
    EXPECT_TRUE(SameDevicePart(ImageOfFile(Path("n.vkcfg")), expected));
    EXPECT_TRUE(sim.Stop().startsWith(QStringLiteral("requests=9 ")));  // the four block reads alone
}

// A skin named by --skin that is not there ends the command before any work,
// instead of every module silently not being in the skin.
TEST_F(EndToEnd, MissingSkinNamedBySkinOptionIsAnInputError) {
    TestDoc doc;
    doc.mutableImage() = MakeDemoImage();
    const QString file = SaveDoc(doc, "rack.vkcfg");
    const QString skin = Path("missing.xml");
    SimProcess sim({QStringLiteral("--stats")});
    const QStringList commands[] = {
        {QStringLiteral("read"), QStringLiteral("--port"), sim.port(), QStringLiteral("-o"), Path("r.vkcfg"),
         QStringLiteral("--skin"), skin},
        {QStringLiteral("show"), file, QStringLiteral("--skin=") + skin},
        {QStringLiteral("show"), file, QStringLiteral("--json"), QStringLiteral("--skin"), skin},
    };
    for (const QStringList& args : commands) {
        const CtlResult result = RunCtl(args);
        EXPECT_EQ(result.exitCode, 66) << qPrintable(args.join(u' '));
        EXPECT_TRUE(result.err.contains(QStringLiteral("Error opening file!"))) << qPrintable(result.err);
        EXPECT_TRUE(result.err.contains(skin)) << qPrintable(result.err);
        EXPECT_TRUE(result.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(Path("r.vkcfg")));
    EXPECT_TRUE(sim.Stop().startsWith(QStringLiteral("requests=0 "))) << "the device was left alone";
}

TEST_F(EndToEnd, LogOptionWritesTheLinkLines) {
    SimProcess sim;
    const QString log = Path("link.log");
    ASSERT_EQ(RunCtl({QStringLiteral("read"), QStringLiteral("--port"), sim.port(), QStringLiteral("-o"),
                      Path("l.vkcfg"), QStringLiteral("--log"), log})
                  .exitCode,
              0);
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray lines = file.readAll();
    EXPECT_TRUE(lines.contains(" - read from 00FF0000, 18 bytes\r\n"));
    EXPECT_TRUE(lines.contains(" - read from 00FF0080, 41 bytes\r\n"));
    EXPECT_TRUE(lines.contains(" - CMainDoc::ReadCfg()\r\n"));
}

TEST_F(EndToEnd, ShowJsonHasTheFilesValues) {
    TestDoc doc;
    doc.mutableImage() = MakeDemoImage();
    ASSERT_TRUE(doc.SetInputLabel(0, "Cam\xE9ra 1"));
    ASSERT_TRUE(doc.SetPanelLabel(15, "Talkback"));
    const QString file = SaveDoc(doc, "known.vkcfg");
    const CtlResult result = RunCtl({QStringLiteral("show"), file, QStringLiteral("--json")});
    ASSERT_EQ(result.exitCode, 0) << qPrintable(result.err);
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(result.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << qPrintable(error.errorString());

    const ConfigImage& image = doc.image();
    EXPECT_EQ(json[QStringLiteral("version")].toInteger(), kConfigFileVersion2);
    const QJsonArray inputs = json[QStringLiteral("inputModules")].toArray();
    const QJsonArray outputs = json[QStringLiteral("outputModules")].toArray();
    const QJsonArray audio = json[QStringLiteral("audio")].toArray();
    const QJsonArray labels = json[QStringLiteral("inputLabels")].toArray();
    ASSERT_EQ(inputs.size(), kSlotCount);
    ASSERT_EQ(outputs.size(), kSlotCount);
    ASSERT_EQ(audio.size(), kSlotCount);
    ASSERT_EQ(labels.size(), kSlotCount);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const QJsonObject in = inputs[slot].toObject(), out = outputs[slot].toObject();
        EXPECT_EQ(in[QStringLiteral("slot")].toInt(), slot);
        EXPECT_EQ(in[QStringLiteral("code")].toInt(), image.inputModules[slot].code);
        EXPECT_EQ(in[QStringLiteral("inputs")].toInt(), image.inputModules[slot].count);
        EXPECT_EQ(out[QStringLiteral("code")].toInt(), image.outputModules[slot].code);
        const QJsonArray signalCodes = out[QStringLiteral("signals")].toArray();
        ASSERT_EQ(signalCodes.size(), kOutputsPerModule);
        for (int o = 0; o < kOutputsPerModule; ++o)
            EXPECT_EQ(signalCodes[o].toInt(), image.outputModules[slot].signal[o]);
        ASSERT_EQ(audio[slot].toArray().size(), kInputsPerSlot);
        for (int i = 0; i < kInputsPerSlot; ++i) EXPECT_EQ(audio[slot].toArray()[i].toInt(), image.audioTable[slot][i]);
        EXPECT_EQ(json[QStringLiteral("audioKinds")].toArray()[slot].toInt(), image.audioKinds[slot]);
        EXPECT_EQ(labels[slot].toArray().size(), kInputsPerSlot);
    }
    for (int n = 0; n < kUsableInputs; ++n) {
        EXPECT_EQ(json[QStringLiteral("keyMap")].toArray()[n].toInt(), image.keyMap[n]);
        EXPECT_EQ(json[QStringLiteral("panelInputMap")].toArray()[n].toInt(), image.panelInputMap[n]);
    }
    EXPECT_EQ(inputs[0].toObject()[QStringLiteral("name")].toString(), QStringLiteral("3G-SDI, 4 inputs"));
    EXPECT_EQ(labels[0].toArray()[0].toString(), QStringLiteral("Cam\u00E9ra 1"));
    EXPECT_EQ(json[QStringLiteral("panelLabels")].toArray()[15].toString(), QStringLiteral("Talkback"));

    const CtlResult text = RunCtl({QStringLiteral("show"), file});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.out.contains(QStringLiteral("SDI output; configuration 128 \"HD-SDI outputs\"; outputs: ")));
}

TEST_F(EndToEnd, FileErrorsHaveTheirOwnStatusesAndLeaveTheDeviceAlone) {
    QFile garbage(Path("garbage.vkcfg"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("V520\x02\x00\x01\x00 far too short");
    garbage.close();
    QFile other(Path("other.vkcfg"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write(QByteArray(int(kConfigFileSize), 'x'));
    other.close();
    SimProcess sim({QStringLiteral("--stats")});
    const struct {
        QStringList args;
        int status;
        const char* message;
    } cases[] = {
        {{QStringLiteral("show"), Path("absent.vkcfg")}, 66, "Error opening file!"},
        {{QStringLiteral("show"), Path("garbage.vkcfg")}, 65, "Loading failed - file is corrupt!"},
        {{QStringLiteral("show"), Path("other.vkcfg"), QStringLiteral("--json")},
         65,
         "Loading failed - file is corrupt!"},
        {{QStringLiteral("write"), QStringLiteral("--port"), sim.port(), Path("absent.vkcfg")},
         66,
         "Error opening file!"},
        {{QStringLiteral("write"), QStringLiteral("--port"), sim.port(), Path("garbage.vkcfg")}, 65, "Loading failed"},
        {{QStringLiteral("read"), QStringLiteral("--port"), sim.port(), QStringLiteral("-o"), Path("none/x.vkcfg")},
         73,
         "Error saving file!"},
        {{QStringLiteral("read"), QStringLiteral("--port"), sim.port(), QStringLiteral("-o"), m_dir.path()},
         73,
         "Error saving file!"},
    };
    for (const auto& c : cases) {
        const CtlResult result = RunCtl(c.args);
        EXPECT_EQ(result.exitCode, c.status) << qPrintable(c.args.join(u' '));
        EXPECT_TRUE(result.err.contains(QLatin1String(c.message))) << qPrintable(result.err);
    }
    EXPECT_TRUE(sim.Stop().startsWith(QStringLiteral("requests=0 ")));
}

// A failure is said once: the program's message as the desktop program shows
// it, then at most one line of the command's own, marked with its name.
TEST_F(EndToEnd, MessagesSayEachFailureOnceAndMarkTheirOwnLines) {
    QFile garbage(Path("garbage.vkcfg"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("V520 far too short");
    garbage.close();
    const QString absent = Path("absent.vkcfg"), noFolder = Path("none/x.vkcfg"), noPort = Path("no-tty");
    const QString noSuchFile = QString::fromLocal8Bit(std::generic_category().message(ENOENT));
    const struct {
        QStringList args;
        QString err;
    } cases[] = {
        {{"show", absent}, "Error opening file!\n\n" + absent + "\nvkx520ctl: " + absent + ": " + noSuchFile + "\n"},
        {{"show", garbage.fileName()}, "Loading failed - file is corrupt!\n\n" + garbage.fileName() + "\n"},
        {{"read", "--port", noPort, "-o", noFolder},
         "Error saving file!\n\n" + noFolder + "\nvkx520ctl: " + noFolder + ": " + noSuchFile + "\n"},
        {{"set-time", "--port", noPort},
         "VKX link error:\n\n" + kPortError + "\nvkx520ctl: " + noPort +
             ": no such device (unplugged, or a wrong path).\n"},
        {{"show"},
         "vkx520ctl: a file name is missing\nvkx520ctl: usage: vkx520ctl show FILE.vkcfg [--json] [--skin "
         "modules.xml]\n"},
        {{"fetch"}, "vkx520ctl: unknown command fetch (see vkx520ctl --help)\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(RunCtl(c.args).err, c.err) << qPrintable(c.args.join(u' '));
}

TEST_F(EndToEnd, UsageErrorsAreStatus64) {
    const QStringList cases[] = {
        {},
        {QStringLiteral("fetch")},
        {QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("COM1")},
        {QStringLiteral("read"), QStringLiteral("-o"), Path("x.vkcfg")},
        {QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("COM1")},
        {QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("COM1"), QStringLiteral("a"),
         QStringLiteral("b")},
        {QStringLiteral("set-time")},
        {QStringLiteral("reset"), QStringLiteral("--port"), QStringLiteral("COM1"), QStringLiteral("--yes")},
        {QStringLiteral("show")},
        {QStringLiteral("show"), QStringLiteral("a.vkcfg"), QStringLiteral("--port"), QStringLiteral("COM1")},
        {QStringLiteral("ports"), QStringLiteral("COM1")},
        {QStringLiteral("skin-check"), QStringLiteral("a.xml"), QStringLiteral("b.xml")},
    };
    for (const QStringList& args : cases) {
        const CtlResult result = RunCtl(args);
        EXPECT_EQ(result.exitCode, 64) << qPrintable(args.join(u' '));
        EXPECT_FALSE(result.err.isEmpty());
        EXPECT_TRUE(result.out.isEmpty());
    }
}

TEST_F(EndToEnd, SimulatorOptionErrorsSayWhatIsWrong) {
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {{QStringLiteral("--fast")}, "unknown option --fast"},
        {{QStringLiteral("--pace"), QStringLiteral("--fast"), QStringLiteral("1")}, "unknown option --fast"},
        {{QStringLiteral("-fast")}, "unknown option --fast"},
        {{QStringLiteral("--pace"), QStringLiteral("--fail")}, "--fail needs a value"},
        {{QStringLiteral("--link")}, "--link needs a value"},
        {{QStringLiteral("--corrupt"), QStringLiteral("many")}, "--corrupt takes a number, not many"},
        {{QStringLiteral("--busy=-5")}, "--busy takes a number, not -5"},
        {{QStringLiteral("stray")}, "unexpected stray"},
    };
    for (const auto& c : cases) {
        const CtlResult result = RunProgram(BinaryPath("vkx520sim"), c.args);
        EXPECT_EQ(result.exitCode, 64) << qPrintable(c.args.join(u' '));
        EXPECT_TRUE(result.err.startsWith(QStringLiteral("vkx520sim: ") + QLatin1String(c.message)))
            << qPrintable(c.args.join(u' ')) << ": " << qPrintable(result.err);
        EXPECT_TRUE(result.out.isEmpty());
    }
    const CtlResult version = RunProgram(BinaryPath("vkx520sim"), {QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith(QStringLiteral("vkx520sim 1."))) << qPrintable(version.out);
    // Option values in either form, as before: a hexadecimal address, a value after "=".
    SimProcess sim({QStringLiteral("--bad-block=0xFF0080"), QStringLiteral("--stats")});
    const CtlResult read =
        RunCtl({QStringLiteral("read"), QStringLiteral("--port"), sim.port(), QStringLiteral("-o"), Path("b.vkcfg")});
    EXPECT_EQ(read.exitCode, 5);
    EXPECT_TRUE(sim.Stop().startsWith(QStringLiteral("requests=")));
}

TEST_F(EndToEnd, HelpVersionPortsAndSkinCheck) {
    const CtlResult help = RunCtl({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* word : {"read", "write", "set-time", "reset", "show", "ports", "skin-check", "--json", "--yes",
                             "--log", "--skin", "COM1", "64", "65", "66", "73"})
        EXPECT_TRUE(help.out.contains(QLatin1String(word))) << word;
    const CtlResult version = RunCtl({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith(QStringLiteral("vkx520ctl 1.")));
    const CtlResult ports = RunCtl({QStringLiteral("ports")});
    EXPECT_EQ(ports.exitCode, 0);
    EXPECT_TRUE(ports.out.startsWith(QStringLiteral("COM1")));
    EXPECT_EQ(ports.out.count(QStringLiteral("\nCOM")), 7);
    const CtlResult skin = RunCtl({QStringLiteral("skin-check")});
    EXPECT_EQ(skin.exitCode, 0) << qPrintable(skin.out);
    EXPECT_EQ(RunProgram(BinaryPath("vkx520sim"), {QStringLiteral("--help")}).exitCode, 0);
}

#ifndef _WIN32
// For real, as a user without access to the device: a pseudo-terminal made by
// root, given to a group as serial devices are (dialout where it exists),
// which "nobody" is not in.
TEST_F(EndToEnd, PortRefusedToAUserSaysWhichGroupToJoin) {
    const passwd* nobody = ::getpwnam("nobody");
    const QString setpriv = QStringLiteral("/usr/bin/setpriv");
    if (::geteuid() != 0 || !nobody || !QFile::exists(setpriv))
        GTEST_SKIP() << "needs root, the user nobody and setpriv to run as another user";
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const QString device = QString::fromLocal8Bit(::ptsname(master));
    const group* owner = ::getgrnam("dialout");
    if (!owner) owner = ::getgrnam("tty");
    ASSERT_NE(owner, nullptr);
    const QString groupName = QString::fromLocal8Bit(owner->gr_name);
    ASSERT_EQ(::chown(::ptsname(master), 0, owner->gr_gid), 0);
    ASSERT_EQ(::chmod(::ptsname(master), 0660), 0);
    const QString uid = QString::number(nobody->pw_uid), gid = QString::number(nobody->pw_gid);
    const CtlResult result = RunProgram(
        setpriv, {QStringLiteral("--reuid=") + uid, QStringLiteral("--regid=") + gid, QStringLiteral("--clear-groups"),
                  BinaryPath("vkx520ctl"), QStringLiteral("reset"), QStringLiteral("--port"), device});
    ::close(master);
    if (result.exitCode == 127 || result.exitCode == -1) GTEST_SKIP() << "cannot run as nobody here";
    EXPECT_EQ(result.exitCode, 1) << qPrintable(result.err);
    const QStringList lines = result.err.trimmed().split(u'\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[lines.size() - 2], kPortError);
    EXPECT_EQ(lines.last(),
              QStringLiteral("vkx520ctl: Permission denied for %1: it belongs to the group \"%2\". Join it with "
                             "\"sudo usermod -aG %2 %3\", then log out and in again.")
                  .arg(device, groupName, QString::fromLocal8Bit(nobody->pw_name)));
    EXPECT_TRUE(result.out.isEmpty());
}
#endif

}  // namespace
