#include "model/CMainDoc.h"
#include "model/ConfigFile.h"
#include "support/RecordingPresenter.h"
#include "support/ShowingDoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Header(uint32_t version) {
    QByteArray h("V520");
    for (int shift = 0; shift < 32; shift += 8) h.append(char(version >> shift));
    return h;
}

class ConfigFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ConfigImage image;
        image.Clear();
        image.inputModules[0] = {10, 4};
        image.inputModules[2] = {12, 2};
        image.outputModules[1] = {40, {1, 2, 3, 4}};
        image.audioTable[0][1] = 5;
        image.audioKinds[0] = 2;
        image.reserved[7] = 0x77;
        for (int n = 0; n < 16; ++n) image.keyMap[n] = uint8_t(16 - n), image.panelInputMap[n] = uint8_t(n);
        ASSERT_TRUE(ReadShown(doc, image, true));
        ASSERT_TRUE(doc.SetInputLabel(1, "Cam 2"));
        ASSERT_TRUE(doc.SetPanelLabel(3, "Booth"));
    }
    QString Path(const char* name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    RecordingPresenter recorder;
    CMainDoc doc;
};

TEST_F(ConfigFileTest, SaveWritesTheDocumentedLayoutAndLoadRestoresIt) {
    const QString path = Path("studio.vkcfg");
    ASSERT_TRUE(SaveShown(doc, path));
    EXPECT_EQ(doc.filePath(), path);
    EXPECT_FALSE(doc.IsModified());

    const QByteArray bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 2806);
    EXPECT_EQ(bytes.left(8), Header(0x00010002));
    EXPECT_EQ(std::memcmp(bytes.constData() + 8, doc.image().bytes(), 1198), 0);
    EXPECT_EQ(bytes.mid(1206 + 20, 6), QByteArray("Cam 2\0", 6)) << "slot 0 input 1";
    EXPECT_EQ(bytes.mid(2486 + 3 * 20, 6), QByteArray("Booth\0", 6));

    CMainDoc loaded;
    ASSERT_TRUE(LoadShown(loaded, path));
    EXPECT_EQ(std::memcmp(loaded.image().bytes(), doc.image().bytes(), 1198), 0);
    EXPECT_EQ(loaded.GetInputLabel(1, true), "Cam 2");
    EXPECT_EQ(loaded.GetPanelLabel(3, true), "Booth");
    EXPECT_TRUE(loaded.hasConfig());
    EXPECT_FALSE(loaded.deviceBound());
    EXPECT_TRUE(recorder.messages().empty());
}

TEST_F(ConfigFileTest, VersionOneFileHasLabelsAtOffset118AndNoAudio) {
    QByteArray bytes = Header(0x00010001);
    bytes.append(reinterpret_cast<const char*>(doc.image().bytes()), 110);
    QByteArray labels(1600, '\0');
    std::memcpy(labels.data() + 20, "Old label", 9);
    std::memcpy(labels.data() + 1280, "Panel 1", 7);
    bytes.append(labels);
    ASSERT_EQ(bytes.size(), 1718);
    WriteAll(Path("v1.vkcfg"), bytes);

    CMainDoc loaded;
    ASSERT_TRUE(LoadShown(loaded, Path("v1.vkcfg")));
    EXPECT_EQ(loaded.GetModuleCode(2), 12);
    EXPECT_EQ(loaded.GetInputLabel(1, true), "Old label");
    EXPECT_EQ(loaded.GetPanelLabel(0, true), "Panel 1");
    for (int i = 110; i < 1198; ++i) ASSERT_EQ(loaded.image().bytes()[i], 0) << i;
}

TEST_F(ConfigFileTest, BadFilesAreRefusedWithTheirMessageAndChangeNothing) {
    QByteArray good = Header(0x00010002) + QByteArray(2798, '\0');
    QByteArray badMagic = good;
    badMagic[0] = 'X';
    QByteArray tooNew = Header(0x00010003) + QByteArray(2798, '\0');
    QByteArray tooOld = Header(0x00010000) + QByteArray(2798, '\0');
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {{"magic", badMagic},      {"newer", tooNew},
                 {"older", tooOld},        {"short", good.left(2805)},
                 {"header", good.left(6)}, {"v1short", Header(0x00010001) + QByteArray(1709, '\0')}};
    const QByteArray before = QByteArray(reinterpret_cast<const char*>(doc.image().bytes()), 1198);
    for (const auto& c : cases) {
        recorder.Clear();
        const QString path = Path(c.name);
        WriteAll(path, c.bytes);
        EXPECT_FALSE(LoadShown(doc, path)) << c.name;
        ASSERT_EQ(recorder.ids(), std::vector<unsigned>{10036}) << c.name;
        EXPECT_EQ(recorder.messages()[0].text, "Loading failed - file is corrupt!\n\n" + path + "\n");
    }
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(doc.image().bytes()), 1198), before);
    EXPECT_EQ(doc.GetInputLabel(1, true), "Cam 2");
    EXPECT_TRUE(doc.labelsModified()) << "flags untouched";
}

TEST_F(ConfigFileTest, MissingFileGivesOpenError) {
    EXPECT_FALSE(LoadShown(doc, Path("absent.vkcfg")));
    EXPECT_EQ(recorder.ids(), std::vector<unsigned>{10035});
}

TEST_F(ConfigFileTest, TrailingBytesAreIgnoredAndLabelsAlwaysEndInTheirField) {
    ASSERT_TRUE(SaveShown(doc, Path("a.vkcfg")));
    QByteArray bytes = ReadAll(Path("a.vkcfg"));
    bytes.replace(1206, 20, QByteArray(20, 'Z'));  // slot 0 input 0 without NUL
    bytes.append("trailing garbage");
    WriteAll(Path("b.vkcfg"), bytes);
    CMainDoc loaded;
    ASSERT_TRUE(LoadShown(loaded, Path("b.vkcfg")));
    EXPECT_EQ(loaded.GetInputLabel(0, true), std::string(19, 'Z'));
}

TEST_F(ConfigFileTest, DeviceBoundLoadTakesLinksAudioAndLabelsButKeepsModules) {
    // doc is bound to the device (ReadCfg). A file with the same modules but
    // other signals, links and audio:
    CMainDoc fileDoc;
    ConfigImage fileImage = doc.image();
    fileImage.outputModules[1].signal[0] = 9;
    fileImage.keyMap[0] = 1, fileImage.keyMap[15] = 16;
    fileImage.panelInputMap[1] = 4, fileImage.panelInputMap[4] = 1;
    fileImage.audioTable[0][1] = 2;
    fileImage.audioKinds[0] = 0;
    ASSERT_TRUE(ReadShown(fileDoc, fileImage, true));
    ASSERT_TRUE(fileDoc.SetInputLabel(0, "From file"));
    ASSERT_TRUE(SaveShown(fileDoc, Path("links.vkcfg")));

    ASSERT_TRUE(LoadShown(doc, Path("links.vkcfg")));
    EXPECT_TRUE(doc.deviceBound());
    EXPECT_EQ(doc.GetOutputSignal(1, 0), 1) << "device signal kept";
    EXPECT_EQ(doc.GetKeyOfInput(0), 0);
    EXPECT_EQ(doc.GetPanelInputOfInput(1), 4) << "panel links from the file";
    EXPECT_EQ(doc.GetPanelInputOfInput(4), 1);
    EXPECT_EQ(doc.GetAudioSetting(0, 1), 2);
    EXPECT_EQ(doc.image().audioKinds[0], 2) << "device audio kinds kept";
    EXPECT_EQ(doc.GetInputLabel(0, true), "From file");
    EXPECT_EQ(doc.GetPanelLabel(3, true), "") << "labels all come from the file";

    fileImage.inputModules[2].code = 13;
    ASSERT_TRUE(ReadShown(fileDoc, fileImage, true));
    ASSERT_TRUE(SaveShown(fileDoc, Path("other.vkcfg")));
    EXPECT_FALSE(LoadShown(doc, Path("other.vkcfg")));
    EXPECT_EQ(recorder.ids(), std::vector<unsigned>{10041});
    EXPECT_EQ(doc.filePath(), Path("links.vkcfg"));
}

TEST_F(ConfigFileTest, FailedSaveKeepsOldFileFlagsAndPath) {
    const QString path = Path("keep.vkcfg");
    ASSERT_TRUE(SaveShown(doc, path));
    const QByteArray old = ReadAll(path);
    ASSERT_TRUE(doc.SetInputLabel(2, "Changed"));

    // A folder that cannot take a temporary file: the save must fail cleanly.
    const QString locked = Path("locked");
    ASSERT_TRUE(QDir().mkdir(locked));
    QFile::copy(path, locked + "/keep.vkcfg");
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool canStillWrite = QFileInfo(locked).isWritable();  // root ignores permissions
    if (!canStillWrite) {
        EXPECT_FALSE(SaveShown(doc, locked + "/keep.vkcfg"));
        EXPECT_EQ(ReadAll(locked + "/keep.vkcfg"), old);
        EXPECT_EQ(recorder.ids().back(), 10037u);
    }
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // A path whose folder does not exist fails everywhere, also for root.
    EXPECT_FALSE(SaveShown(doc, Path("missing/sub/keep.vkcfg")));
    EXPECT_EQ(recorder.messages().back().text, "Error saving file!\n\n" + Path("missing/sub/keep.vkcfg"));
    EXPECT_EQ(recorder.messages().back().style, unsigned(MB_ICONSTOP));
    EXPECT_TRUE(doc.labelsModified());
    EXPECT_EQ(doc.filePath(), path);
    EXPECT_EQ(ReadAll(path), old);
}

TEST_F(ConfigFileTest, SaveOverAFolderNameLeavesItIntact) {
    ASSERT_TRUE(QDir().mkdir(Path("taken")));
    EXPECT_FALSE(SaveShown(doc, Path("taken")));
    EXPECT_TRUE(QFileInfo(Path("taken")).isDir());
    EXPECT_TRUE(doc.IsModified());
}

}  // namespace
