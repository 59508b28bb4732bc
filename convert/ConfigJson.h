// The text form of a configuration file: `vkx520ctl export` and `import`.
// The JSON is the object `vkx520ctl show --json` prints, plus what the file
// holds beyond it (the bytes the device computes, reserved bytes, label bytes
// that are no plain text, bytes after the format's end), so that a file
// exported and imported again is the same file, byte for byte. The format is
// described in docs/json-format.md.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QString>

#include <optional>

class CSkin;

// The JSON form of a configuration file's bytes; nothing when they are not
// a configuration file (ParseConfigFile).
std::optional<QJsonObject> ConfigFileToJson(QByteArrayView fileBytes, const CSkin& skin);

struct JsonImport {
    QByteArray fileBytes;  // the configuration file, when error is empty
    // What is wrong, naming the field: "inputLabels[2][3]: 23 bytes, at most 19".
    QString error;
    // The fault said is a keyMap that is not a permutation, which a forced
    // import would take as it is.
    bool keyMapNotPermutation = false;
    bool ok() const { return error.isEmpty(); }
};

// Builds the configuration file the JSON describes, checking every field.
// A keyMap that is not a permutation of 1..16 is refused unless force is set.
JsonImport ConfigFileFromJson(const QJsonObject& json, bool force);

// JSON text that must be one object with no key given twice in any object;
// nothing, with error naming the field where it goes wrong and the byte,
// otherwise.
std::optional<QJsonObject> ParseJsonObjectText(QByteArrayView text, QString& error);

// The same from the JSON text, which must be one object with no key given
// twice in any object; a text that does not parse is refused naming the
// field where it goes wrong and the byte.
JsonImport ConfigFileFromJsonText(QByteArrayView text, bool force);
