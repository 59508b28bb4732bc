// export and import: every file the program can load comes back byte for
// byte, and import names the field of every error it refuses.
#include "convert/ConfigJson.h"
#include "model/ConfigFile.h"
#include "skin/Skin.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>

namespace {

QByteArray RoundTrip(const QByteArray& file, bool force) {
    const CSkin noSkin;
    const std::optional<QJsonObject> json = ConfigFileToJson(file, noSkin);
    if (!json) return "not exported";
    // Through the text, as export writes it and import reads it.
    const QJsonObject back = QJsonDocument::fromJson(QJsonDocument(*json).toJson()).object();
    const JsonImport imported = ConfigFileFromJson(back, force);
    return imported.ok() ? imported.fileBytes : imported.error.toUtf8();
}

QByteArray RandomFile(QRandomGenerator& random, int round) {
    const uint32_t version = round % 3 == 0 ? kConfigFileVersion1 : kConfigFileVersion2;
    QByteArray bytes(qsizetype(ConfigFileSizeFor(version)) + (round % 4 == 1 ? round : 0), '\0');
    for (char& b : bytes) b = char(random.bounded(256));
    std::memcpy(bytes.data(), kConfigFileMagic, 4);
    for (int i = 0; i < 4; ++i) bytes[4 + i] = char((version >> (8 * i)) & 0xFF);
    // Every other file with labels as the program writes them: text, then zeros.
    const std::size_t labels = ConfigFileSizeFor(version) - kInputLabelBytes - kPanelLabelBytes;
    for (std::size_t field = 0; round % 2 == 0 && field < (kInputLabelBytes + kPanelLabelBytes) / 20; ++field) {
        char* label = bytes.data() + labels + field * 20;
        const int length = random.bounded(20);
        for (int i = 0; i < 20; ++i) label[i] = i < length ? char(random.bounded(1, 256)) : '\0';
    }
    return bytes;
}

TEST(ConfigJson, EveryLoadableFileComesBackByteForByte) {
    int files = 0;
    for (const QFileInfo& info :
         QDir(QStringLiteral(VKX_SOURCE_DIR "/fuzz/corpus/config_file")).entryInfoList(QDir::Files)) {
        QFile file(info.filePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        if (!ParseConfigFile(bytes)) continue;  // not loadable: nothing to export
        EXPECT_EQ(RoundTrip(bytes, true), bytes) << qPrintable(info.fileName());
        ++files;
    }
    EXPECT_GE(files, 2);
    QRandomGenerator random(520);
    for (int round = 0; round < 200; ++round) {
        const QByteArray bytes = RandomFile(random, round);
        ASSERT_TRUE(ParseConfigFile(bytes));
        ASSERT_EQ(RoundTrip(bytes, true), bytes) << round;
    }
}

// A valid file's JSON with one change made, imported.
QString ImportError(const std::function<void(QJsonObject&)>& change, bool force = false) {
    ConfigImage image;
    image.Clear();
    SetDefaultKeyMap(image);
    const char noLabels[kInputLabelBytes] = {};
    QJsonObject json = *ConfigFileToJson(SerializeConfigFile(image, noLabels, noLabels), CSkin());
    change(json);
    return ConfigFileFromJson(json, force).error;
}

void SetIn(QJsonObject& json, const QString& key, const std::function<void(QJsonArray&)>& change) {
    QJsonArray array = json.value(key).toArray();
    change(array);
    json.insert(key, array);
}

void SetLabel(QJsonObject& json, int slot, int input, const QString& text) {
    SetIn(json, QStringLiteral("inputLabels"), [&](QJsonArray& slots) {
        QJsonArray labels = slots[slot].toArray();
        labels[input] = text;
        slots[slot] = labels;
    });
}

TEST(ConfigJson, ImportNamesTheFieldOfEachError) {
    EXPECT_EQ(ImportError([](QJsonObject&) {}), QString());
    const struct {
        std::function<void(QJsonObject&)> change;
        const char* error;
    } cases[] = {
        {[](QJsonObject& j) { SetLabel(j, 2, 3, QStringLiteral("Twenty-three bytes long")); },
         "inputLabels[2][3]: 23 bytes, at most 19"},
        {[](QJsonObject& j) { SetLabel(j, 0, 0, QStringLiteral("\u03a9")); },
         "inputLabels[0][0]: \"\u03a9\" has characters the labels' code page (Windows-1252) cannot hold"},
        {[](QJsonObject& j) { SetIn(j, QStringLiteral("keyMap"), [](QJsonArray& a) { a[4] = 1; }); },
         "keyMap: not a permutation of 1..16 (1 is out of place)"},
        {[](QJsonObject& j) { SetIn(j, QStringLiteral("panelInputMap"), [](QJsonArray& a) { a[2] = 256; }); },
         "panelInputMap[2]: 256 is not a number from 0 to 255"},
        {[](QJsonObject& j) { SetIn(j, QStringLiteral("audio"), [](QJsonArray& a) { a.removeLast(); }); },
         "audio: 7 entries, 8 expected"},
        {[](QJsonObject& j) {
             SetIn(j, QStringLiteral("outputModules"), [](QJsonArray& a) {
                 QJsonObject slot = a[1].toObject();
                 slot.insert(QStringLiteral("signals"), QJsonArray{1, 2, 1.5, 4});
                 a[1] = slot;
             });
         },
         "outputModules[1].signals[2]: 1.5 is not a number from 0 to 255"},
        {[](QJsonObject& j) { j.remove(QStringLiteral("panelLabels")); }, "panelLabels: missing"},
        {[](QJsonObject& j) { j.insert(QStringLiteral("colour"), 1); }, "colour: not a field of a configuration"},
        {[](QJsonObject& j) { j.insert(QStringLiteral("unused"), QStringLiteral("00")); },
         "unused: 1 bytes, 17 expected"},
        {[](QJsonObject& j) {
             j.insert(QStringLiteral("version"), qint64(kConfigFileVersion1));
             SetIn(j, QStringLiteral("audioKinds"), [](QJsonArray& a) { a[0] = 2; });
         },
         "audioKinds: a version 65537 file has no place for it; all 0 expected"},
    };
    for (const auto& c : cases) EXPECT_EQ(ImportError(c.change), QString::fromUtf8(c.error));
    // --force takes a keyMap as it is, nothing else.
    EXPECT_EQ(
        ImportError([](QJsonObject& j) { SetIn(j, QStringLiteral("keyMap"), [](QJsonArray& a) { a[4] = 0; }); }, true),
        QString());
}

// What only the text shows: a key given twice, which the parser would take
// silently, and the field where a text that does not parse goes wrong.
TEST(ConfigJson, ImportOfTheTextNamesKeysGivenTwiceAndWhereItBreaks) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {R"({"keyMap": [], "audio": [], "keyMap": []})", "keyMap: given twice"},
        {R"({"inputModules": [{"code": 1}, {"code": 2, "co\u0064e": 3}]})", "inputModules[1].code: given twice"},
        {R"({"labelBytes": {"x": "\"y\": 1, \"y\": 2"}, "labelBytes": 1})", "labelBytes: given twice"},
        {R"({"inputModules": [{}, {"slot": 1, "code": 1e309}]})", "inputModules[1].code: illegal number (at byte "},
        {R"({"panelLabels": ["a", "b" "c"]})", "panelLabels[1]: missing value separator (at byte "},
        {R"(["a"])", "not a JSON object (at byte 0)"},
        {R"({"colour": {"red": 1, "Red": 2}})", "colour: not a field of a configuration"},
    };
    for (const auto& c : cases) {
        const QString error = ConfigFileFromJsonText(QByteArray(c.text), false).error;
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(c.error))) << c.text << "\n" << qPrintable(error);
    }
}

TEST(ConfigJson, ChecksumsLeftOutAreComputed) {
    ConfigImage image;
    image.Clear();
    SetDefaultKeyMap(image);
    image.inputModules[0] = {17, 4};
    const char noLabels[kInputLabelBytes] = {};
    QJsonObject json = *ConfigFileToJson(SerializeConfigFile(image, noLabels, noLabels), CSkin());
    json.remove(QStringLiteral("checksums"));
    const JsonImport imported = ConfigFileFromJson(json, false);
    ASSERT_TRUE(imported.ok()) << qPrintable(imported.error);
    const ConfigImage back = ParseConfigFile(imported.fileBytes)->image;
    for (const DeviceBlock& block : {kInputTableBlock, kPanelMapBlock, kKeyMapBlock, kOutputTableBlock})
        EXPECT_TRUE(IsBlockValid(back, block)) << block.address;
}

}  // namespace
