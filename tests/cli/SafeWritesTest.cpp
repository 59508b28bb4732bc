// vkx520ctl against vkx520sim: the backup a read keeps, write --verify on a
// device that takes the write and on one that does not, diff of files and
// of the device, and export/import through the real program.
#include "CliProcesses.h"

#include "base/ExitCodes.h"
#include "model/CMainDoc.h"
#include "model/ConfigFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {

// Every vkx520ctl of this executable keeps its backups in a folder of its own.
class BackupFolderEnvironment : public testing::Environment {
public:
    void SetUp() override { qputenv("VKX520_BACKUP_DIR", m_dir.path().toLocal8Bit()); }
    static QStringList Backups() {
        return QDir(qEnvironmentVariable("VKX520_BACKUP_DIR")).entryList({QStringLiteral("*.vkcfg")}, QDir::Files);
    }

private:
    QTemporaryDir m_dir;
};
[[maybe_unused]] testing::Environment* const g_backups = testing::AddGlobalTestEnvironment(new BackupFolderEnvironment);

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
}

class SafeWrites : public testing::Test {
protected:
    QString Path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    // The rack read from sim, with the second input module's count and one
    // output signal changed, saved as changed.vkcfg.
    QString ChangedRack(const SimProcess& sim) {
        EXPECT_EQ(RunCtl({QStringLiteral("read"), QStringLiteral("--port"), sim.port(), QStringLiteral("-o"),
                          Path("rack.vkcfg"), QStringLiteral("--no-backup")})
                      .exitCode,
                  0);
        CMainDoc doc;
        EXPECT_TRUE(doc.LoadFile(Path("rack.vkcfg")));
        doc.SetInputModule(1, doc.GetModuleCode(1), doc.GetInputCount(1) == 2 ? 1 : 2);
        doc.SetOutputSignal(0, 1, doc.GetOutputSignal(0, 1) == 5 ? 4 : 5);
        EXPECT_TRUE(doc.SaveFile(Path("changed.vkcfg")));
        return Path("changed.vkcfg");
    }
    QTemporaryDir m_dir;
};

TEST_F(SafeWrites, EachReadKeepsABackupUnlessToldNot) {
    SimProcess sim;
    const QStringList before = BackupFolderEnvironment::Backups();
    const QStringList read{QStringLiteral("read"), QStringLiteral("--port"), sim.port(), QStringLiteral("-o"),
                           Path("a.vkcfg")};
    ASSERT_EQ(RunCtl(read).exitCode, 0);
    ASSERT_EQ(RunCtl(read).exitCode, 0);
    ASSERT_EQ(RunCtl(read + QStringList{QStringLiteral("--no-backup")}).exitCode, 0);
    QStringList added = BackupFolderEnvironment::Backups();
    for (const QString& old : before) added.removeAll(old);
    ASSERT_EQ(added.size(), 2);
    EXPECT_TRUE(added[0].contains(QStringLiteral("_dev_pts_"))) << qPrintable(added[0]);
    // What the device held, as read.
    CMainDoc fromRead, backup;
    ASSERT_TRUE(fromRead.LoadFile(Path("a.vkcfg")));
    ASSERT_TRUE(backup.LoadFile(QDir(qEnvironmentVariable("VKX520_BACKUP_DIR")).filePath(added[1])));
    EXPECT_EQ(std::memcmp(fromRead.image().bytes(), backup.image().bytes(), kConfigImageSize), 0);
}

TEST_F(SafeWrites, VerifyPassesOnAGoodDeviceAndListsWhatAnotherKept) {
    {
        SimProcess sim({QStringLiteral("--reboot-silence"), QStringLiteral("2000")});
        const QString changed = ChangedRack(sim);
        const CtlResult write = RunCtl({QStringLiteral("write"), QStringLiteral("--port"), sim.port(), changed,
                                        QStringLiteral("--yes"), QStringLiteral("--verify")});
        EXPECT_EQ(write.exitCode, 0) << qPrintable(write.err);
        EXPECT_TRUE(write.out.endsWith(QStringLiteral("Verified: the device holds the configuration written.\n")))
            << qPrintable(write.out);
    }
    SimProcess sim({QStringLiteral("--ignore-module-writes")});
    const QString changed = ChangedRack(sim);
    const CtlResult write = RunCtl({QStringLiteral("write"), QStringLiteral("--port"), sim.port(), changed,
                                    QStringLiteral("--yes"), QStringLiteral("--verify")});
    EXPECT_EQ(write.exitCode, EXIT_VERIFY_DIFFERENT);
    EXPECT_TRUE(write.err.contains(QStringLiteral("(written -> device):\nInput slot 2: number of inputs: ")))
        << qPrintable(write.err);
    EXPECT_TRUE(write.err.contains(QStringLiteral("Output slot 1, output 2: signal: "))) << qPrintable(write.err);
    EXPECT_EQ(write.err.count(u'\n'), 3) << qPrintable(write.err);
}

// The device falls silent at the embedded audio step of the read-back: what
// was read is incomplete, a link failure, never a list of differences.
TEST_F(SafeWrites, AReadBackThatStopsAtTheAudioStepComparesNothing) {
    QString rack;
    {
        SimProcess sim;
        rack = ChangedRack(sim);
    }
    // A write takes 15 requests, a read 9 before its 2 embedded audio slots.
    const struct {
        QStringList args;
        int requests;
    } rows[] = {
        {{QStringLiteral("write"), rack, QStringLiteral("--yes"), QStringLiteral("--verify")}, 15 + 9},
        {{QStringLiteral("diff"), rack, QStringLiteral("--json")}, 9},
        {{QStringLiteral("diff"), rack}, 9 + 1},
    };
    for (const auto& row : rows) {
        SimProcess sim({QStringLiteral("--unplug-after"), QString::number(row.requests)});
        const CtlResult result = RunCtl(row.args + QStringList{QStringLiteral("--port"), sim.port()});
        const QString what = row.args.join(u' ');
        EXPECT_EQ(result.exitCode, 3) << qPrintable(what) << "\n" << qPrintable(result.err);
        EXPECT_TRUE(result.err.contains(QStringLiteral("Please ensure that device is plugged and turned on!")))
            << qPrintable(what) << "\n"
            << qPrintable(result.err);
        EXPECT_TRUE(
            result.err.endsWith(QStringLiteral("embedded audio settings could not be read; nothing was compared\n")))
            << qPrintable(what) << "\n"
            << qPrintable(result.err);
        EXPECT_FALSE(result.out.contains(QStringLiteral("audio"), Qt::CaseInsensitive)) << qPrintable(result.out);
    }
}

// The largest file export takes (its bytes after the format's end kept as
// hexadecimal text) comes back from import byte for byte; one byte more is
// refused by export.
TEST_F(SafeWrites, ExportImportAtTheSizeLimit) {
    ConfigImage image;
    image.Clear();
    SetDefaultKeyMap(image);
    const char noLabels[kInputLabelBytes] = {};
    QByteArray bytes = SerializeConfigFile(image, noLabels, noLabels);
    for (qsizetype i = bytes.size(); i < (1 << 20); ++i) bytes.append(char(i * 7));
    QFile big(Path("big.vkcfg"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(bytes);
    big.close();
    ASSERT_EQ(RunCtl({QStringLiteral("export"), Path("big.vkcfg"), QStringLiteral("-o"), Path("big.json")}).exitCode,
              0);
    const CtlResult imported =
        RunCtl({QStringLiteral("import"), Path("big.json"), QStringLiteral("-o"), Path("back.vkcfg")});
    EXPECT_EQ(imported.exitCode, 0) << qPrintable(imported.err);
    EXPECT_TRUE(ReadAll(Path("back.vkcfg")) == bytes);
    ASSERT_TRUE(big.open(QIODevice::Append));
    big.write("!");
    big.close();
    EXPECT_EQ(RunCtl({QStringLiteral("export"), Path("big.vkcfg")}).exitCode, EXIT_DATA_ERROR);
}

TEST_F(SafeWrites, DiffOfFilesAndOfTheDevice) {
    SimProcess sim;
    const QString changed = ChangedRack(sim);
    const CtlResult same = RunCtl({QStringLiteral("diff"), Path("rack.vkcfg"), QStringLiteral("--port"), sim.port()});
    EXPECT_EQ(same.exitCode, 0) << qPrintable(same.err);
    EXPECT_TRUE(same.out.isEmpty());
    const CtlResult words = RunCtl({QStringLiteral("diff"), Path("rack.vkcfg"), changed});
    EXPECT_EQ(words.exitCode, EXIT_DIFFERENT);
    // Fewer inputs also give the inputs no longer there their own panel inputs back.
    EXPECT_EQ(words.out.count(u'\n'), 4) << qPrintable(words.out);
    EXPECT_TRUE(words.out.endsWith(QStringLiteral("Input 16: panel input: 13 -> 16\n"))) << qPrintable(words.out);
    EXPECT_TRUE(words.out.startsWith(QStringLiteral("Input slot 2: number of inputs: "))) << qPrintable(words.out);
    // The device first: its values are "first".
    const CtlResult json =
        RunCtl({QStringLiteral("diff"), QStringLiteral("--port"), sim.port(), changed, QStringLiteral("--json")});
    EXPECT_EQ(json.exitCode, EXIT_DIFFERENT);
    const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(object.value(QStringLiteral("first")).toString(), sim.port());
    const QJsonArray list = object.value(QStringLiteral("differences")).toArray();
    ASSERT_EQ(list.size(), 4);
    EXPECT_EQ(list[1].toObject().value(QStringLiteral("field")).toString(),
              QStringLiteral("outputModules[0].signals[1]"));
    EXPECT_EQ(RunCtl({QStringLiteral("diff"), changed}).exitCode, EXIT_USAGE);
}

TEST_F(SafeWrites, ExportImportGiveTheSameFileAndAnErrorTouchesNothing) {
    SimProcess sim;
    const QString changed = ChangedRack(sim);
    ASSERT_EQ(RunCtl({QStringLiteral("export"), changed, QStringLiteral("-o"), Path("c.json")}).exitCode, 0);
    ASSERT_EQ(RunCtl({QStringLiteral("import"), Path("c.json"), QStringLiteral("-o"), Path("back.vkcfg")}).exitCode, 0);
    EXPECT_EQ(ReadAll(Path("back.vkcfg")), ReadAll(changed));
    // Printed on standard output without -o.
    EXPECT_EQ(RunCtl({QStringLiteral("export"), changed}).out.toUtf8(), ReadAll(Path("c.json")));

    QJsonObject json = QJsonDocument::fromJson(ReadAll(Path("c.json"))).object();
    QJsonArray keys = json.value(QStringLiteral("keyMap")).toArray();
    keys[3] = keys[4];
    json.insert(QStringLiteral("keyMap"), keys);
    QFile bad(Path("bad.json"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QJsonDocument(json).toJson());
    bad.close();
    const QByteArray before = ReadAll(Path("back.vkcfg"));
    const CtlResult refused =
        RunCtl({QStringLiteral("import"), Path("bad.json"), QStringLiteral("-o"), Path("back.vkcfg")});
    EXPECT_EQ(refused.exitCode, EXIT_DATA_ERROR);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("keyMap: not a permutation of 1..16"))) << qPrintable(refused.err);
    EXPECT_EQ(ReadAll(Path("back.vkcfg")), before);
    EXPECT_EQ(RunCtl({QStringLiteral("import"), Path("bad.json"), QStringLiteral("-o"), Path("forced.vkcfg"),
                      QStringLiteral("--force")})
                  .exitCode,
              0);
    EXPECT_EQ(RunCtl({QStringLiteral("import"), Path("none.json"), QStringLiteral("-o"), Path("x.vkcfg")}).exitCode,
              EXIT_NO_INPUT);
}

}  // namespace
