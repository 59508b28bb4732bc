// Comparing configurations (verify, diff, Compare with...) and the backups
// kept of what the device held.
#include "model/CMainDoc.h"
#include "model/ConfigBackups.h"
#include "model/ConfigDiff.h"
#include "model/ConfigFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>

#include <sys/wait.h>
#include <unistd.h>

namespace {

ConfigImage Rack() {
    ConfigImage image;
    image.Clear();
    image.inputModules[0] = {33, 4};
    image.inputModules[1] = {12, 2};
    image.audioKinds[0] = kAudioKindEmbedded;
    image.outputModules[0] = {176, {1, 2, 3, 4}};
    SetDefaultPanelInputMap(image);
    SetDefaultKeyMap(image);
    for (const DeviceBlock& block : {kInputTableBlock, kPanelMapBlock, kKeyMapBlock, kOutputTableBlock})
        StoreBlockCrc(image, block);
    return image;
}

std::vector<QString> Paths(const std::vector<ConfigDifference>& differences) {
    std::vector<QString> paths;
    for (const ConfigDifference& d : differences) paths.push_back(DifferencePath(d));
    return paths;
}

TEST(ConfigDiff, DeviceScopeSeesWhatAWriteSendsAndNothingElse) {
    const ConfigImage written = Rack();
    struct Case {
        const char* what;
        std::function<void(ConfigImage&)> change;
        std::vector<QString> expected;
    };
    const Case cases[] = {
        {"same", [](ConfigImage&) {}, {}},
        {"count", [](ConfigImage& i) { i.inputModules[1].count = 4; }, {"inputModules[1].inputs"}},
        {"code", [](ConfigImage& i) { i.inputModules[0].code = 34; }, {"inputModules[0].code"}},
        {"signal", [](ConfigImage& i) { i.outputModules[0].signal[3] = 9; }, {"outputModules[0].signals[3]"}},
        {"links",
         [](ConfigImage& i) { std::swap(i.keyMap[0], i.keyMap[1]), i.panelInputMap[15] = 0; },
         {"panelInputMap[15]", "keyMap[0]", "keyMap[1]"}},
        {"audio within the count", [](ConfigImage& i) { i.audioTable[0][3] = 5; }, {"audio[0][3]"}},
        // Not sent by a write, or computed by the device or the program:
        {"audio beyond the count", [](ConfigImage& i) { i.audioTable[0][4] = 5; }, {}},
        {"audio of a slot without it", [](ConfigImage& i) { i.audioTable[1][0] = 5; }, {}},
        {"a slot written empty",
         [](ConfigImage& i) {
             i.inputModules[5] = {12, 2};
         },
         {}},
        {"checksums, kinds, reserved",
         [](ConfigImage& i) { i.inputCrc ^= 1, i.keyCrc ^= 1, i.audioKinds[0] = 0, i.reserved[9] = 1; },
         {}},
    };
    for (const Case& c : cases) {
        ConfigImage device = written;
        c.change(device);
        EXPECT_EQ(Paths(CompareConfigs({written}, {device}, CompareScope::Device)), c.expected) << c.what;
    }
}

TEST(ConfigDiff, WholeScopeAddsEverySlotAndTheLabelsInWords) {
    CMainDoc a, b;
    ASSERT_TRUE(a.ReadCfg(Rack(), true));
    ConfigImage other = Rack();
    other.inputModules[5] = {12, 2};
    other.audioTable[1][7] = 3;
    std::swap(other.keyMap[0], other.keyMap[15]);
    ASSERT_TRUE(b.ReadCfg(other, true));
    ASSERT_TRUE(b.SetInputLabel(1, "Studio B"));
    ASSERT_TRUE(b.SetPanelLabel(3,
                                "Gr\xf6\xdf"
                                "e"));
    const ConfigSide first{a.image(), a.InputLabelField(0, 0), a.PanelLabelField(0)};
    const ConfigSide second{b.image(), b.InputLabelField(0, 0), b.PanelLabelField(0)};
    const auto differences = CompareConfigs(first, second, CompareScope::Whole);
    EXPECT_EQ(DifferenceLines(differences), QStringLiteral("Input slot 6: module code: 0 -> 12\n"
                                                           "Input slot 6: number of inputs: 0 -> 2\n"
                                                           "Input 1: key: 1 -> 16\n"
                                                           "Input 16: key: 16 -> 1\n"
                                                           "Input slot 2, input 8: embedded audio: 0 -> 3\n"
                                                           "Input slot 1, input 2: label: \"\" -> \"Studio B\"\n"
                                                           "Panel input 4: label: \"\" -> \"Gr\u00f6\u00dfe\""));
    EXPECT_EQ(DifferencePath(differences[6]), QStringLiteral("panelLabels[3]"));
    // A side without labels (the device) leaves the labels out.
    EXPECT_EQ(CompareConfigs(first, {b.image()}, CompareScope::Whole).size(), 5u);
}

// Signals by the skin's names with their codes; a code the skin does not name stays a number.
TEST(ConfigDiff, SignalsAreNamedWhereTheSkinNamesThem) {
    const QStringList names{"Program", "Preview", "Clean feed"};
    const ConfigDifference named{ConfigField::OutputSignal, 0, 1, 0, 2, {}, {}};
    EXPECT_EQ(DifferenceText(named, names), "Output slot 1, output 2: signal: Program (0) -> Clean feed (2)");
    EXPECT_EQ(DifferenceText(named), "Output slot 1, output 2: signal: 0 -> 2");
    const ConfigDifference unnamed{ConfigField::OutputSignal, 2, 3, 1, 9, {}, {}};
    EXPECT_EQ(DifferenceLines({named, unnamed}, names),
              "Output slot 1, output 2: signal: Program (0) -> Clean feed (2)\n"
              "Output slot 3, output 4: signal: Preview (1) -> 9");
}

TEST(ConfigBackups, NamedByTimeAndPortKeepingTheNewest) {
    QTemporaryDir dir;
    QDateTime now(QDate(2026, 12, 9), QTime(11, 45, 0));
    ConfigBackups backups(
        dir.filePath(QStringLiteral("below/backups")), [&now] { return now; }, 3);
    QStringList saved;
    const ConfigImage image = Rack();
    for (int i = 0; i < 5; ++i) {
        saved << backups.Save(image, i == 0 ? QStringLiteral("/dev/ttyUSB0") : QStringLiteral("COM3"));
        if (i != 2) now = now.addSecs(60);  // the third and fourth share a moment
    }
    EXPECT_EQ(QFileInfo(saved[0]).fileName(), QStringLiteral("20261209-114500-000_dev_ttyUSB0.vkcfg"));
    EXPECT_EQ(QFileInfo(saved[3]).fileName(), QStringLiteral("20261209-114700-000_COM3-2.vkcfg"));
    EXPECT_EQ(backups.List(), (QStringList{saved[2], saved[3], saved[4]}));
    CMainDoc doc;
    ASSERT_TRUE(doc.LoadFile(saved[4]));
    EXPECT_EQ(std::memcmp(doc.image().bytes(), image.bytes(), kConfigImageSize), 0);
    EXPECT_EQ(doc.GetInputLabel(0, true), "");
    // Files of other names in the folder are the user's and stay.
    QFile mine(backups.folder() + QStringLiteral("/mine.vkcfg"));
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.close();
    backups.Save(image, QStringLiteral("COM3"));
    EXPECT_TRUE(mine.exists());
    EXPECT_EQ(backups.List().size(), 3);

    FileError error = FileError::None;
    ConfigBackups blocked(mine.fileName() + QStringLiteral("/sub"));
    EXPECT_TRUE(blocked.Save(image, QStringLiteral("COM1"), &error).isEmpty());
    EXPECT_NE(error, FileError::None);
}

// Two programs reading at the same moment (the clock is the test's, the
// same for both): every read keeps its own backup. Ports that differ only
// far into their names are told apart in the names.
TEST(ConfigBackups, TwoProcessesSavingAtOnceLoseNothing) {
    const QString byId = QStringLiteral("/dev/serial/by-id/usb-Acme_USB_Serial_Adapter_with_a_long_name_SN");
    const struct {
        const char* name;
        QString first, second;
    } rows[] = {{"one port", QStringLiteral("COM1"), QStringLiteral("COM1")},
                {"two adapters of one model", byId + QStringLiteral("0001-if00"), byId + QStringLiteral("0002-if00")}};
    constexpr int kEach = 25;
    for (const auto& row : rows) {
        QTemporaryDir dir;
        const QDateTime moment(QDate(2026, 3, 1), QTime(9, 30, 0));
        ConfigBackups backups(dir.path(), [moment] { return moment; });
        const ConfigImage image = Rack();
        int go[2];
        ASSERT_EQ(::pipe(go), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        const bool inChild = child == 0;
        if (inChild) {
            char byte = 0;
            if (::read(go[0], &byte, 1) != 1) ::_exit(2);
        } else {
            ASSERT_EQ(::write(go[1], "g", 1), 1);
        }
        int failed = 0;
        for (int i = 0; i < kEach; ++i) failed += backups.Save(image, inChild ? row.second : row.first).isEmpty();
        if (inChild) ::_exit(failed == 0 ? 0 : 1);
        int status = -1;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ::close(go[0]);
        ::close(go[1]);
        EXPECT_EQ(failed, 0) << row.name;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << row.name;
        const QStringList kept = backups.List();
        EXPECT_EQ(kept.size(), 2 * kEach) << row.name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2 * kEach) << row.name;
        for (const QString& path : kept) EXPECT_LE(QFileInfo(path).fileName().size(), 140) << qPrintable(path);
    }
}

// Backups written while the clock was set a year ahead are of unknown age
// once it is right again: they go first, and a new backup always stays.
TEST(ConfigBackups, AClockThatWasAheadSilencesNoLaterBackup) {
    QTemporaryDir dir;
    QDateTime now(QDate(2027, 5, 1), QTime(8, 0, 0));
    ConfigBackups backups(
        dir.path(), [&now] { return now; }, 3);
    const ConfigImage image = Rack();
    QStringList ahead;
    for (int i = 0; i < 3; ++i) {
        ahead << backups.Save(image, QStringLiteral("COM1"));
        now = now.addSecs(60);
    }
    now = QDateTime(QDate(2026, 5, 1), QTime(8, 0, 0));
    const QString first = backups.Save(image, QStringLiteral("COM1"));
    now = now.addSecs(60);
    const QString second = backups.Save(image, QStringLiteral("COM1"));
    EXPECT_EQ(backups.List(), (QStringList{ahead[2], first, second}));
    // Within a day ahead is a time zone's change, not a wrong clock.
    now = QDateTime(QDate(2027, 4, 30), QTime(20, 0, 0));
    const QString third = backups.Save(image, QStringLiteral("COM1"));
    EXPECT_EQ(backups.List(), (QStringList{second, third, ahead[2]}));
}

}  // namespace
