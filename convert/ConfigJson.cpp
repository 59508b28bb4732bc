#include "convert/ConfigJson.h"

#include "base/CodePage.h"
#include "convert/ConfigSummary.h"
#include "model/CMainDoc.h"
#include "model/ConfigFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <QSet>

#include <algorithm>
#include <vector>

#include <cctype>
#include <cmath>
#include <cstring>

namespace {

const QString kChecksums = QStringLiteral("checksums");
const QString kLabelBytes = QStringLiteral("labelBytes");

QString Hex(const void* data, std::size_t size) {
    return QString::fromLatin1(QByteArray(static_cast<const char*>(data), qsizetype(size)).toHex());
}

bool AllZero(const uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        if (data[i] != 0) return false;
    return true;
}

QString InputLabelPath(int slot, int input) { return QStringLiteral("inputLabels[%1][%2]").arg(slot).arg(input); }
QString PanelLabelPath(int panel) { return QStringLiteral("panelLabels[%1]").arg(panel); }

// True when the label's text, as show prints it, gives back the field's bytes.
bool LabelIsText(const char* field) {
    const std::size_t length = strnlen(field, kLabelSize);
    if (length > std::size_t(kMaxLabelLength)) return false;
    for (std::size_t i = length; i < std::size_t(kLabelSize); ++i)
        if (field[i] != 0) return false;
    return true;
}

// Every check of the import, each failure naming its field.
class Importer {
public:
    Importer(const QJsonObject& json, bool force) : m_json(json), m_force(force) {}

    JsonImport Run() {
        CheckKnownFields();
        Version();
        Modules();
        Tables();
        Extras();
        Labels();
        Checksums();
        OlderVersionFits();
        Trailing();
        JsonImport result;
        if (!m_error.isEmpty()) {
            result.error = m_error;
            result.keyMapNotPermutation = m_keyMapNotPermutation;
            return result;
        }
        result.fileBytes = Assemble();
        return result;
    }

private:
    bool Failed() const { return !m_error.isEmpty(); }
    void Fail(const QString& path, const QString& what) {
        if (!Failed()) m_error = path + QStringLiteral(": ") + what;
    }

    void CheckKnownFields() {
        static const QSet<QString> known = {QStringLiteral("version"),
                                            QStringLiteral("inputModules"),
                                            QStringLiteral("outputModules"),
                                            QStringLiteral("panelInputMap"),
                                            QStringLiteral("keyMap"),
                                            QStringLiteral("audio"),
                                            QStringLiteral("audioKinds"),
                                            QStringLiteral("inputLabels"),
                                            QStringLiteral("panelLabels"),
                                            QStringLiteral("inputReserved"),
                                            kChecksums,
                                            QStringLiteral("unused"),
                                            QStringLiteral("reserved"),
                                            kLabelBytes,
                                            QStringLiteral("trailing")};
        for (auto it = m_json.begin(); it != m_json.end(); ++it)
            if (!known.contains(it.key())) Fail(it.key(), QStringLiteral("not a field of a configuration"));
    }

    // A byte at path: an integer 0..255.
    uint8_t Byte(const QJsonValue& value, const QString& path) {
        if (value.isUndefined()) return Fail(path, QStringLiteral("missing")), 0;
        const double number = value.toDouble(-1);
        if (!value.isDouble() || number != std::floor(number) || number < 0 || number > 255) {
            Fail(path,
                 QStringLiteral("%1 is not a number from 0 to 255").arg(QString::fromUtf8(QJsonDocumentText(value))));
            return 0;
        }
        return uint8_t(number);
    }

    static QByteArray QJsonDocumentText(const QJsonValue& value) {
        if (value.isString()) return '"' + value.toString().toUtf8() + '"';
        if (value.isDouble()) return QByteArray::number(value.toDouble(), 'g', 17);
        if (value.isBool()) return value.toBool() ? "true" : "false";
        if (value.isNull()) return "null";
        return value.isArray() ? "an array" : "an object";
    }

    QJsonArray Array(const QJsonValue& value, const QString& path, qsizetype size) {
        if (value.isUndefined()) return Fail(path, QStringLiteral("missing")), QJsonArray();
        if (!value.isArray()) return Fail(path, QStringLiteral("an array expected")), QJsonArray();
        const QJsonArray array = value.toArray();
        if (array.size() != size) Fail(path, QStringLiteral("%1 entries, %2 expected").arg(array.size()).arg(size));
        return array;
    }

    void Bytes(const QJsonValue& value, const QString& path, uint8_t* out, int size) {
        const QJsonArray array = Array(value, path, size);
        for (int i = 0; i < size && !Failed(); ++i) out[i] = Byte(array[i], path + QStringLiteral("[%1]").arg(i));
    }

    QJsonObject Object(const QJsonValue& value, const QString& path, const QSet<QString>& fields) {
        if (!value.isObject()) return Fail(path, QStringLiteral("an object expected")), QJsonObject();
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            if (!fields.contains(it.key())) Fail(path + u'.' + it.key(), QStringLiteral("not a field here"));
        return object;
    }

    void Version() {
        const QJsonValue value = m_json.value(QStringLiteral("version"));
        if (value.isUndefined()) return;
        const double number = value.toDouble(-1);
        if (number != kConfigFileVersion1 && number != kConfigFileVersion2)
            Fail(QStringLiteral("version"), QStringLiteral("%1 is not a version of the format (%2 or %3)")
                                                .arg(QString::fromUtf8(QJsonDocumentText(value)))
                                                .arg(kConfigFileVersion1)
                                                .arg(kConfigFileVersion2));
        else
            m_version = uint32_t(number);
    }

    // The slot number in a module entry, when given, must be its place.
    void SlotNumber(const QJsonObject& entry, const QString& path, int slot) {
        const QJsonValue given = entry.value(QStringLiteral("slot"));
        if (!given.isUndefined() && given.toDouble(-1) != slot)
            Fail(path + QStringLiteral(".slot"),
                 QStringLiteral("%1 is not its place %2").arg(QString::fromUtf8(QJsonDocumentText(given))).arg(slot));
    }

    // A module table: per slot an object with its place, its module's code, a
    // name (not read back) and field, what the module's side adds, which
    // detail reads into the slot.
    template <typename Slot, typename Detail>
    void ModuleTable(const QString& table, Slot (&slots)[kSlotCount], const QString& field, Detail detail) {
        const QJsonArray entries = Array(m_json.value(table), table, kSlotCount);
        const QSet<QString> fields = {QStringLiteral("slot"), QStringLiteral("code"), field, QStringLiteral("name")};
        for (int s = 0; s < kSlotCount && !Failed(); ++s) {
            const QString path = table + QStringLiteral("[%1]").arg(s);
            const QJsonObject entry = Object(entries[s], path, fields);
            SlotNumber(entry, path, s);
            slots[s].code = Byte(entry.value(QStringLiteral("code")), path + QStringLiteral(".code"));
            detail(slots[s], entry.value(field), path + u'.' + field);
        }
    }

    void Modules() {
        ModuleTable(QStringLiteral("inputModules"), m_image.inputModules, QStringLiteral("inputs"),
                    [this](InputModuleSlot& slot, const QJsonValue& value, const QString& path) {
                        slot.count = Byte(value, path);
                    });
        ModuleTable(QStringLiteral("outputModules"), m_image.outputModules, QStringLiteral("signals"),
                    [this](OutputModuleSlot& slot, const QJsonValue& value, const QString& path) {
                        Bytes(value, path, slot.signal, kOutputsPerModule);
                    });
    }

    void Tables() {
        Bytes(m_json.value(QStringLiteral("panelInputMap")), QStringLiteral("panelInputMap"), m_image.panelInputMap,
              kUsableInputs);
        Bytes(m_json.value(QStringLiteral("keyMap")), QStringLiteral("keyMap"), m_image.keyMap, kUsableInputs);
        if (!Failed() && !m_force) {
            bool seen[kKeyCount + 1] = {};
            for (const uint8_t key : m_image.keyMap) {
                if (key >= 1 && key <= kKeyCount && !seen[key]) {
                    seen[key] = true;
                    continue;
                }
                Fail(QStringLiteral("keyMap"),
                     QStringLiteral("not a permutation of 1..16 (%1 is out of place)").arg(key));
                m_keyMapNotPermutation = true;
                break;
            }
        }
        const QJsonArray audio = Array(m_json.value(QStringLiteral("audio")), QStringLiteral("audio"), kSlotCount);
        for (int s = 0; s < kSlotCount && !Failed(); ++s)
            Bytes(audio[s], QStringLiteral("audio[%1]").arg(s), m_image.audioTable[s], kInputsPerSlot);
        Bytes(m_json.value(QStringLiteral("audioKinds")), QStringLiteral("audioKinds"), m_image.audioKinds, kSlotCount);
    }

    // A hex string of exactly size bytes at path; absent means zeros.
    void HexBytes(const QJsonValue& value, const QString& path, void* out, std::size_t size) {
        if (value.isUndefined() || Failed()) return;
        const QByteArray bytes = HexValue(value, path);
        if (!Failed() && std::size_t(bytes.size()) != size)
            Fail(path, QStringLiteral("%1 bytes, %2 expected").arg(bytes.size()).arg(size));
        if (!Failed()) std::memcpy(out, bytes.constData(), size);
    }

    // Checked character by character: the trailing bytes may run to a
    // megabyte and more of text.
    static bool IsHexPairs(const QString& text) {
        return text.size() % 2 == 0 && std::all_of(text.begin(), text.end(), [](QChar c) {
                   return c.unicode() < 0x80 && std::isxdigit(c.unicode());
               });
    }

    QByteArray HexValue(const QJsonValue& value, const QString& path) {
        const QString text = value.toString();
        if (!value.isString() || !IsHexPairs(text)) {
            Fail(path, QStringLiteral("a text of hexadecimal byte pairs expected"));
            return {};
        }
        return QByteArray::fromHex(text.toLatin1());
    }

    void Extras() {
        if (Failed()) return;
        const QJsonValue reserved = m_json.value(QStringLiteral("inputReserved"));
        if (!reserved.isUndefined()) m_image.inputReserved = Byte(reserved, QStringLiteral("inputReserved"));
        HexBytes(m_json.value(QStringLiteral("unused")), QStringLiteral("unused"), m_image.unused,
                 sizeof m_image.unused);
        HexBytes(m_json.value(QStringLiteral("reserved")), QStringLiteral("reserved"), m_image.reserved,
                 sizeof m_image.reserved);
    }

    // One label: its bytes from labelBytes when given there, else its text.
    void Label(const QJsonValue& value, const QString& path, char* field, const QJsonObject& rawLabels) {
        if (Failed()) return;
        if (rawLabels.contains(path)) {
            HexBytes(rawLabels.value(path), kLabelBytes + u'.' + path, field, kLabelSize);
            return;
        }
        if (!value.isString()) return Fail(path, QStringLiteral("a text expected"));
        const QString text = value.toString();
        bool lossless = false;
        const std::string bytes = ToCodePage(text, &lossless);
        if (!lossless)
            return Fail(
                path,
                QStringLiteral("\"%1\" has characters the labels' code page (Windows-1252) cannot hold").arg(text));
        if (bytes.find('\0') != std::string::npos) return Fail(path, QStringLiteral("a NUL character in a label"));
        if (bytes.size() > std::size_t(kMaxLabelLength))
            return Fail(path, QStringLiteral("%1 bytes, at most %2").arg(bytes.size()).arg(kMaxLabelLength));
        std::memset(field, 0, kLabelSize);
        std::memcpy(field, bytes.data(), bytes.size());
    }

    void Labels() {
        if (Failed()) return;
        QJsonObject rawLabels;
        if (const QJsonValue raw = m_json.value(kLabelBytes); !raw.isUndefined()) {
            if (!raw.isObject()) return Fail(kLabelBytes, QStringLiteral("an object expected"));
            rawLabels = raw.toObject();
        }
        QSet<QString> labelPaths;
        const QJsonArray slots =
            Array(m_json.value(QStringLiteral("inputLabels")), QStringLiteral("inputLabels"), kSlotCount);
        for (int s = 0; s < kSlotCount && !Failed(); ++s) {
            const QJsonArray labels = Array(slots[s], QStringLiteral("inputLabels[%1]").arg(s), kInputsPerSlot);
            for (int j = 0; j < kInputsPerSlot && !Failed(); ++j) {
                labelPaths << InputLabelPath(s, j);
                Label(labels[j], InputLabelPath(s, j), m_inputLabels[s][j], rawLabels);
            }
        }
        const QJsonArray panels =
            Array(m_json.value(QStringLiteral("panelLabels")), QStringLiteral("panelLabels"), kPanelInputCount);
        for (int p = 0; p < kPanelInputCount && !Failed(); ++p) {
            labelPaths << PanelLabelPath(p);
            Label(panels[p], PanelLabelPath(p), m_panelLabels[p], rawLabels);
        }
        for (auto it = rawLabels.begin(); it != rawLabels.end() && !Failed(); ++it)
            if (!labelPaths.contains(it.key())) Fail(kLabelBytes + u'.' + it.key(), QStringLiteral("not a label"));
    }

    // Given checksums are taken as they are (a file may hold bad ones);
    // without them each block gets its right one.
    void Checksums() {
        if (Failed()) return;
        const QJsonValue value = m_json.value(kChecksums);
        struct Sum {
            const char* name;
            const DeviceBlock& block;
        };
        const Sum sums[] = {{"inputModules", kInputTableBlock},
                            {"outputModules", kOutputTableBlock},
                            {"panelInputMap", kPanelMapBlock},
                            {"keyMap", kKeyMapBlock}};
        if (value.isUndefined()) {
            for (const Sum& sum : sums) StoreBlockCrc(m_image, sum.block);
            return;
        }
        QSet<QString> names;
        for (const Sum& sum : sums) names << QLatin1String(sum.name);
        const QJsonObject given = Object(value, kChecksums, names);
        for (const Sum& sum : sums) {
            const QString name = QLatin1String(sum.name);
            if (given.contains(name))
                m_image.bytes()[sum.block.offset + sum.block.length - 1] =
                    Byte(given.value(name), kChecksums + u'.' + name);
            else
                StoreBlockCrc(m_image, sum.block);
        }
    }

    // A file of the first version holds only the image's first 110 bytes.
    void OlderVersionFits() {
        if (Failed() || m_version != kConfigFileVersion1) return;
        const uint8_t* rest = m_image.bytes() + kVersion1ImageBytes;
        const std::size_t restSize = kConfigImageSize - kVersion1ImageBytes;
        if (AllZero(rest, restSize)) return;
        const std::size_t at =
            std::size_t(std::find_if(rest, rest + restSize, [](uint8_t b) { return b != 0; }) - rest) +
            kVersion1ImageBytes;
        const QString field = at < offsetof(ConfigImage, audioKinds) ? QStringLiteral("audio")
                              : at < offsetof(ConfigImage, reserved) ? QStringLiteral("audioKinds")
                                                                     : QStringLiteral("reserved");
        Fail(field, QStringLiteral("a version %1 file has no place for it; all 0 expected").arg(kConfigFileVersion1));
    }

    void Trailing() {
        const QJsonValue value = m_json.value(QStringLiteral("trailing"));
        if (value.isUndefined() || Failed()) return;
        m_trailing = HexValue(value, QStringLiteral("trailing"));
    }

    QByteArray Assemble() const {
        QByteArray bytes = SerializeConfigFile(m_image, &m_inputLabels[0][0][0], &m_panelLabels[0][0]);
        if (m_version == kConfigFileVersion1) {
            bytes.remove(qsizetype(kConfigFileHeaderSize + kVersion1ImageBytes),
                         qsizetype(kConfigImageSize - kVersion1ImageBytes));
            for (int i = 0; i < 4; ++i) bytes[4 + i] = char((m_version >> (8 * i)) & 0xFF);
        }
        return bytes + m_trailing;
    }

    const QJsonObject& m_json;
    const bool m_force;
    bool m_keyMapNotPermutation = false;
    QString m_error;
    uint32_t m_version = kConfigFileVersion2;
    ConfigImage m_image{};
    char m_inputLabels[kSlotCount][kInputsPerSlot][kLabelSize] = {};
    char m_panelLabels[kPanelInputCount][kLabelSize] = {};
    QByteArray m_trailing;
};

// Walks JSON text as far as it is well formed, keeping the path of the value
// at hand: what QJsonDocument does not tell, a key given twice in one object
// (it keeps the last silently) and the field where the text goes wrong.
class JsonPathScanner {
public:
    explicit JsonPathScanner(QByteArrayView text) : m_text(text) {}

    // Scans up to offset (the whole text when negative). The path of the
    // value there, "inputModules[2].code"; empty at the top level.
    QString ScanTo(qsizetype offset) {
        const qsizetype end = offset < 0 ? m_text.size() : std::min(offset, m_text.size());
        for (m_pos = 0; m_pos < end && m_duplicate.isEmpty();) Step();
        return Path();
    }

    // The first key given twice in one object, as its path; empty when none.
    const QString& duplicate() const { return m_duplicate; }

private:
    struct Frame {
        bool object = false;
        bool keyNext = false;  // an object's next string is a key
        QString key;
        int index = 0;
        QSet<QString> keys;
    };

    QString Path() const {
        QString path;
        for (const Frame& frame : m_frames) {
            if (!frame.object)
                path += QStringLiteral("[%1]").arg(frame.index);
            else if (!frame.key.isNull())
                path += (path.isEmpty() ? QString() : QStringLiteral(".")) + frame.key;
        }
        return path;
    }

    void Step() {
        const char c = m_text[m_pos];
        switch (c) {
        case '{':
        case '[': m_frames.push_back({c == '{', c == '{', {}, 0, {}}); break;
        case '}':
        case ']':
            if (!m_frames.empty()) m_frames.pop_back();
            break;
        case ',':
            if (!m_frames.empty()) {
                Frame& top = m_frames.back();
                top.keyNext = top.object;
                top.index += top.object ? 0 : 1;
            }
            break;
        case '"': String(); return;
        default: break;
        }
        ++m_pos;
    }

    void String() {
        const qsizetype start = m_pos++;
        while (m_pos < m_text.size() && m_text[m_pos] != '"') m_pos += m_text[m_pos] == '\\' ? 2 : 1;
        m_pos = std::min(m_pos + 1, m_text.size());
        if (m_frames.empty() || !m_frames.back().keyNext) return;
        Frame& top = m_frames.back();
        top.keyNext = false;
        // The key as the parser reads it, escapes and all.
        const QByteArrayView raw = m_text.sliced(start, m_pos - start);
        if (raw.size() >= 2 && !raw.contains('\\'))
            top.key = QString::fromUtf8(raw.sliced(1, raw.size() - 2));
        else
            top.key =
                QJsonDocument::fromJson('[' + raw.toByteArray() + ']').array().at(0).toString(QStringLiteral("?"));
        if (top.keys.contains(top.key))
            m_duplicate = Path();
        else
            top.keys.insert(top.key);
    }

    QByteArrayView m_text;
    qsizetype m_pos = 0;
    std::vector<Frame> m_frames;
    QString m_duplicate;
};

}  // namespace

std::optional<QJsonObject> ConfigFileToJson(QByteArrayView fileBytes, const CSkin& skin) {
    const std::optional<ConfigFileContents> file = ParseConfigFile(fileBytes);
    if (!file) return std::nullopt;
    const ConfigImage& image = file->image;
    QJsonObject json = ConfigToJson(image, file->inputLabels.data(), file->panelLabels.data(), file->version, skin);
    json.insert(QStringLiteral("inputReserved"), image.inputReserved);
    json.insert(kChecksums, QJsonObject{{QStringLiteral("inputModules"), image.inputCrc},
                                        {QStringLiteral("outputModules"), image.outputCrc},
                                        {QStringLiteral("panelInputMap"), image.panelCrc},
                                        {QStringLiteral("keyMap"), image.keyCrc}});
    json.insert(QStringLiteral("unused"), Hex(image.unused, sizeof image.unused));
    if (!AllZero(image.reserved, sizeof image.reserved))
        json.insert(QStringLiteral("reserved"), Hex(image.reserved, sizeof image.reserved));
    QJsonObject rawLabels;
    for (int s = 0; s < kSlotCount; ++s)
        for (int j = 0; j < kInputsPerSlot; ++j) {
            const char* field = file->inputLabels.data() + (s * kInputsPerSlot + j) * kLabelSize;
            if (!LabelIsText(field)) rawLabels.insert(InputLabelPath(s, j), Hex(field, kLabelSize));
        }
    for (int p = 0; p < kPanelInputCount; ++p) {
        const char* field = file->panelLabels.data() + p * kLabelSize;
        if (!LabelIsText(field)) rawLabels.insert(PanelLabelPath(p), Hex(field, kLabelSize));
    }
    if (!rawLabels.isEmpty()) json.insert(kLabelBytes, rawLabels);
    const std::size_t size = ConfigFileSizeFor(file->version);
    if (std::size_t(fileBytes.size()) > size)
        json.insert(QStringLiteral("trailing"), Hex(fileBytes.data() + size, std::size_t(fileBytes.size()) - size));
    return json;
}

JsonImport ConfigFileFromJson(const QJsonObject& json, bool force) { return Importer(json, force).Run(); }

std::optional<QJsonObject> ParseJsonObjectText(QByteArrayView text, QString& error) {
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(text.toByteArray(), &parseError);
    if (document.isNull()) {
        const QString field = JsonPathScanner(text).ScanTo(parseError.offset);
        error = (field.isEmpty() ? QString() : field + QStringLiteral(": ")) +
                QStringLiteral("%1 (at byte %2)").arg(parseError.errorString()).arg(parseError.offset);
        return std::nullopt;
    }
    if (!document.isObject()) {
        error = QStringLiteral("not a JSON object (at byte 0)");
        return std::nullopt;
    }
    JsonPathScanner scanner(text);
    scanner.ScanTo(-1);
    if (!scanner.duplicate().isEmpty()) {
        error = scanner.duplicate() + QStringLiteral(": given twice");
        return std::nullopt;
    }
    return document.object();
}

JsonImport ConfigFileFromJsonText(QByteArrayView text, bool force) {
    JsonImport failed;
    const std::optional<QJsonObject> object = ParseJsonObjectText(text, failed.error);
    return object ? ConfigFileFromJson(*object, force) : failed;
}
