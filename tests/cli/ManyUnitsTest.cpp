// vkx520ctl write to several vkx520sim devices at once, --only and --dry-run.
#include "CliProcesses.h"

#include "base/ExitCodes.h"
#include "model/ConfigFile.h"
#include "model/ConfigParts.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

QStringList Args(std::initializer_list<QString> args) { return QStringList(args); }

class ManyUnits : public testing::Test {
protected:
    void SetUp() override {
        m_savedBackupDir = qgetenv("VKX520_BACKUP_DIR");
        qputenv("VKX520_BACKUP_DIR", Path("backups").toLocal8Bit());
        // The template: the demonstration rack as a device gives it.
        SimProcess sim;
        ASSERT_EQ(RunCtl({QStringLiteral("read"), QStringLiteral("--port"), sim.port(), QStringLiteral("-o"),
                          Path("template.vkcfg"), QStringLiteral("--no-backup")})
                      .exitCode,
                  0);
        m_template = Load(Path("template.vkcfg"));
        m_other = Other(m_template);
        const char noLabels[kInputLabelBytes] = {};
        QFile other(Path("other.vkcfg"));
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        other.write(SerializeConfigFile(m_other, noLabels, noLabels));
    }
    void TearDown() override { qputenv("VKX520_BACKUP_DIR", m_savedBackupDir); }

    QString Path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    static ConfigImage Load(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
        const std::optional<ConfigFileContents> contents = ParseConfigFile(file.readAll());
        EXPECT_TRUE(contents) << qPrintable(path);
        return contents ? contents->image : ConfigImage{};
    }
    // A rack that differs from the template in every part.
    static ConfigImage Other(ConfigImage image) {
        image.inputModules[1].count = image.inputModules[1].count == 2 ? 1 : 2;
        image.outputModules[0].signal[1] ^= 1;
        std::swap(image.keyMap[0], image.keyMap[1]);
        std::swap(image.panelInputMap[0], image.panelInputMap[2]);
        for (int slot = 0; slot < kSlotCount; ++slot)
            if (image.audioKinds[slot] == kAudioKindEmbedded && image.inputModules[slot].count > 0)
                image.audioTable[slot][0] ^= 3;
        for (const DeviceBlock& block : {kInputTableBlock, kPanelMapBlock, kKeyMapBlock, kOutputTableBlock})
            StoreBlockCrc(image, block);
        return image;
    }
    QStringList Backups() const {
        return QDir(Path("backups")).entryList({QStringLiteral("*.vkcfg")}, QDir::Files, QDir::Name);
    }

    QTemporaryDir m_dir;
    QByteArray m_savedBackupDir;
    ConfigImage m_template{}, m_other{};
};

// Four devices at once: one pulled out halfway through the write, one with
// other modules; the others are written and verified all the same.
TEST_F(ManyUnits, OneUnitFailingStopsNoOther) {
    // The read before the write takes 11 requests (two embedded audio slots), the write 15.
    SimProcess plain1, unplugged({QStringLiteral("--unplug-after"), QStringLiteral("14")}),
        other({QStringLiteral("--load"), Path("other.vkcfg"), QStringLiteral("--save"), Path("other-after.vkcfg")}),
        plain2;
    const CtlResult write =
        RunCtl({QStringLiteral("write"), Path("template.vkcfg"), QStringLiteral("--port"), plain1.port(),
                QStringLiteral("--port"), unplugged.port(), QStringLiteral("--port"), other.port(),
                QStringLiteral("--port"), plain2.port(), QStringLiteral("--yes"), QStringLiteral("--verify")});
    EXPECT_EQ(write.exitCode, EXIT_SOME_UNITS_FAILED) << qPrintable(write.err);
    QStringList lines = write.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << qPrintable(write.out);
    EXPECT_EQ(lines.takeLast(),
              QStringLiteral("3 of 4 units written and verified; failed: %1 (status 3)").arg(unplugged.port()));
    lines.sort();
    QStringList expected{plain1.port() + QStringLiteral(": written and verified"),
                         unplugged.port() + QStringLiteral(": failed (status 3) while writing"),
                         other.port() + QStringLiteral(": written and verified"),
                         plain2.port() + QStringLiteral(": written and verified")};
    expected.sort();
    EXPECT_EQ(lines, expected);
    // The failed unit's reasons, each line led by its port, and only its.
    for (const QString& line : write.err.split(u'\n', Qt::SkipEmptyParts))
        EXPECT_TRUE(line.startsWith(unplugged.port() + QStringLiteral(": "))) << qPrintable(line);
    EXPECT_TRUE(write.err.contains(QStringLiteral("may now hold part of the new configuration")));

    // A backup of each unit as it was before the write; the other rack's as it was.
    const QStringList backups = Backups();
    ASSERT_EQ(backups.size(), 4) << qPrintable(backups.join(u' '));
    for (const SimProcess* sim : {&plain1, &unplugged, &other, &plain2}) {
        const QString name = QString(sim->port()).replace(u'/', u'_');
        const auto it =
            std::find_if(backups.begin(), backups.end(), [&](const QString& b) { return b.contains(name); });
        ASSERT_NE(it, backups.end()) << qPrintable(name);
        const ConfigImage held = Load(QDir(Path("backups")).filePath(*it));
        EXPECT_TRUE(CompareConfigs({sim == &other ? m_other : m_template}, {held}, CompareScope::Device).empty());
    }
    other.Stop();
    EXPECT_TRUE(CompareConfigs({m_template}, {Load(Path("other-after.vkcfg"))}, CompareScope::Device).empty());
}

// --only takes each part from the template and leaves every other one as the
// unit holds it.
TEST_F(ManyUnits, OnlyTakesTheNamedPartsAndKeepsTheRest) {
    for (const char* parts : {"modules", "outputs", "keys", "panel", "audio", "outputs,keys"}) {
        QString error;
        const ConfigImage expected =
            TakeConfigParts(m_template, m_other, *ParseConfigParts(QLatin1String(parts), error));
        ASSERT_FALSE(WriteChanges(m_other, expected).empty()) << parts << ": the part must differ";
        {
            SimProcess sim(
                {QStringLiteral("--load"), Path("other.vkcfg"), QStringLiteral("--save"), Path("after.vkcfg")});
            const CtlResult write = RunCtl({QStringLiteral("write"), Path("template.vkcfg"), QStringLiteral("--port"),
                                            sim.port(), QStringLiteral("--only"), QLatin1String(parts),
                                            QStringLiteral("--yes"), QStringLiteral("--verify")});
            EXPECT_EQ(write.exitCode, 0) << parts << "\n" << qPrintable(write.err);
        }
        const std::vector<ConfigDifference> differences =
            CompareConfigs({expected}, {Load(Path("after.vkcfg"))}, CompareScope::Device);
        EXPECT_TRUE(differences.empty()) << parts << "\n" << qPrintable(DifferenceLines(differences));
    }
}

// A dry run lists the changes of each unit and sends nothing that changes
// a device; an inventory with a wrong line sends nothing at all.
TEST_F(ManyUnits, DryRunAndAWrongInventorySendNoChange) {
    auto a = std::make_unique<SimProcess>(
        Args({QStringLiteral("--load"), Path("other.vkcfg"), QStringLiteral("--request-log"), Path("a.log")}));
    auto b = std::make_unique<SimProcess>(Args({QStringLiteral("--request-log"), Path("b.log")}));
    QFile inventory(Path("units.txt"));
    ASSERT_TRUE(inventory.open(QIODevice::WriteOnly));
    inventory.write(
        ("# two racks\n" + a->port() + "\n" + b->port() + "  {\"keyMap[0]\": 2, \"keyMap[1]\": 1}\n").toUtf8());
    inventory.close();
    const CtlResult dry =
        RunCtl({QStringLiteral("write"), Path("template.vkcfg"), QStringLiteral("--units"), Path("units.txt"),
                QStringLiteral("--dry-run"), QStringLiteral("--only"), QStringLiteral("keys,panel")});
    EXPECT_EQ(dry.exitCode, 0) << qPrintable(dry.err);
    const QStringList lines = dry.out.split(u'\n', Qt::SkipEmptyParts);
    const QString prefix = a->port() + QStringLiteral(": ");
    // Only the parts asked for, as the device's changes would read.
    QStringList expected;
    const ConfigImage keysAndPanel = TakeConfigParts(m_template, m_other, PART_KEYS | PART_PANEL);
    for (const QString& line : WriteChangesText(m_other, keysAndPanel).split(u'\n')) expected << prefix + line;
    ASSERT_EQ(expected.size(), 4);
    expected << prefix + QStringLiteral("4 change(s) a write would make");
    EXPECT_EQ(lines.filter(prefix), expected) << qPrintable(dry.out);
    EXPECT_TRUE(lines.contains(b->port() + QStringLiteral(": 2 change(s) a write would make"))) << qPrintable(dry.out);
    EXPECT_EQ(lines.last(), QStringLiteral("2 of 2 units read"));
    EXPECT_TRUE(Backups().isEmpty()) << "a dry run only looks";

    inventory.open(QIODevice::Append);
    inventory.write("/dev/null {\"keyMap[0]\": 3}\n");
    inventory.close();
    const CtlResult refused = RunCtl({QStringLiteral("write"), Path("template.vkcfg"), QStringLiteral("--units"),
                                      Path("units.txt"), QStringLiteral("--yes")});
    EXPECT_EQ(refused.exitCode, EXIT_DATA_ERROR);
    EXPECT_TRUE(refused.err.startsWith(QStringLiteral("vkx520ctl: %1: line 4: keyMap: not a permutation")
                                           .arg(QDir::toNativeSeparators(Path("units.txt")))))
        << qPrintable(refused.err);

    a.reset();
    b.reset();
    for (const char* log : {"a.log", "b.log"}) {
        QFile file(Path(log));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << log;
        const QStringList requests = QString::fromLatin1(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
        EXPECT_EQ(requests.size(), 11) << log << ": the one read of the dry run";
        // Set address, read memory, module read: nothing else.
        for (const QString& request : requests)
            EXPECT_TRUE(request.startsWith(QLatin1String("00:")) || request.startsWith(QLatin1String("03:")) ||
                        request.startsWith(QLatin1String("02:")))
                << log << ": " << qPrintable(request);
    }
}

// A unit's patch applies to the template as it was loaded, whatever the
// file holds after the configuration: the units differ only in their patches.
TEST(ManyUnitsTemplate, APatchTakesTheTemplateAsLoaded) {
    QTemporaryDir dir;
    ConfigImage image;
    image.Clear();
    SetDefaultKeyMap(image);
    const char noLabels[kInputLabelBytes] = {};
    QFile file(dir.filePath(QStringLiteral("template.vkcfg")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(SerializeConfigFile(image, noLabels, noLabels) + QByteArray(2 << 20, '\0'));
    file.close();
    QFile inventory(dir.filePath(QStringLiteral("units.txt")));
    ASSERT_TRUE(inventory.open(QIODevice::WriteOnly));
    inventory.write("/nonexistent/tty1 {\"keyMap[0]\": 2, \"keyMap[1]\": 1}\n/nonexistent/tty2\n");
    inventory.close();
    // Both units are tried (neither port opens): none is refused for its patch.
    const CtlResult dry = RunCtl({QStringLiteral("write"), file.fileName(), QStringLiteral("--units"),
                                  inventory.fileName(), QStringLiteral("--dry-run")});
    EXPECT_EQ(dry.exitCode, EXIT_SOME_UNITS_FAILED) << qPrintable(dry.err);
    EXPECT_TRUE(dry.out.contains(QStringLiteral("/nonexistent/tty1: failed (status 1) while reading")))
        << qPrintable(dry.out);
}

}  // namespace
