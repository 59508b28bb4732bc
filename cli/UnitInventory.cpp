#include "cli/UnitInventory.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QStringList>

namespace {

// The fields a write sends; labels and the bytes the program keeps for
// itself never reach the device.
const QStringList& DeviceFields() {
    static const QStringList fields{QStringLiteral("inputModules"),  QStringLiteral("outputModules"),
                                    QStringLiteral("panelInputMap"), QStringLiteral("keyMap"),
                                    QStringLiteral("audio"),         QStringLiteral("audioKinds")};
    return fields;
}

// One step of a field path: a key of an object, or an index of an array.
struct PathStep {
    QString key;
    int index = -1;
};

std::optional<std::vector<PathStep>> ParsePath(const QString& path) {
    static const QRegularExpression whole(QStringLiteral("^[A-Za-z]+(?:\\[[0-9]{1,3}\\]|\\.[A-Za-z]+)*$"));
    if (!whole.match(path).hasMatch()) return std::nullopt;
    static const QRegularExpression step(QStringLiteral("\\[([0-9]+)\\]|([A-Za-z]+)"));
    std::vector<PathStep> steps;
    for (auto it = step.globalMatch(path); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        steps.push_back(m.capturedLength(1) > 0 ? PathStep{{}, m.captured(1).toInt()} : PathStep{m.captured(2), -1});
    }
    return steps;
}

QString CheckKey(const QString& key) {
    const std::optional<std::vector<PathStep>> steps = ParsePath(key);
    if (!steps) return QStringLiteral("%1: not a field path (such as keyMap or outputModules[1].signals[0])").arg(key);
    if (!DeviceFields().contains(steps->front().key))
        return QStringLiteral("%1: not held by the device (a unit's patch takes %2)")
            .arg(key, DeviceFields().join(QStringLiteral(", ")));
    return {};
}

// Replaces the value at steps[i..] inside node; false when the path leads
// nowhere.
bool Replace(QJsonValue& node, const std::vector<PathStep>& steps, std::size_t i, const QJsonValue& value) {
    if (i == steps.size()) {
        node = value;
        return true;
    }
    const PathStep& step = steps[i];
    if (step.index >= 0) {
        if (!node.isArray()) return false;
        QJsonArray array = node.toArray();
        if (step.index >= array.size()) return false;
        QJsonValue child = array.at(step.index);
        if (!Replace(child, steps, i + 1, value)) return false;
        array.replace(step.index, child);
        node = array;
        return true;
    }
    if (!node.isObject()) return false;
    QJsonObject object = node.toObject();
    if (!object.contains(step.key)) return false;
    QJsonValue child = object.value(step.key);
    if (!Replace(child, steps, i + 1, value)) return false;
    object.insert(step.key, child);
    node = object;
    return true;
}

}  // namespace

std::optional<std::vector<InventoryUnit>> ParseInventory(QByteArrayView text, QString& error) {
    std::vector<InventoryUnit> units;
    const QList<QByteArray> lines = text.toByteArray().split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = QString::fromUtf8(lines[n]).trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const auto fail = [&](const QString& reason) {
            error = QStringLiteral("line %1: %2").arg(n + 1).arg(reason);
            return std::nullopt;
        };
        InventoryUnit unit;
        unit.line = int(n + 1);
        const qsizetype space = line.indexOf(QRegularExpression(QStringLiteral("\\s")));
        unit.port = space < 0 ? line : line.left(space);
        const QString patch = space < 0 ? QString() : line.mid(space).trimmed();
        if (!patch.isEmpty()) {
            if (!patch.startsWith(u'{')) return fail(QStringLiteral("after the port, a JSON object was expected"));
            QString why;
            const std::optional<QJsonObject> object = ParseJsonObjectText(patch.toUtf8(), why);
            if (!object) return fail(why);
            for (auto it = object->begin(); it != object->end(); ++it)
                if (const QString wrong = CheckKey(it.key()); !wrong.isEmpty()) return fail(wrong);
            unit.patch = *object;
        }
        units.push_back(std::move(unit));
    }
    if (units.empty()) {
        error = QStringLiteral("no unit is listed");
        return std::nullopt;
    }
    return units;
}

JsonImport ApplyUnitPatch(QJsonObject templateJson, const QJsonObject& patch) {
    // Computed afresh for the patched tables, as import computes checksums left out.
    templateJson.remove(QStringLiteral("checksums"));
    QJsonValue root(templateJson);
    for (auto it = patch.begin(); it != patch.end(); ++it) {
        const std::optional<std::vector<PathStep>> steps = ParsePath(it.key());
        if (!steps || !Replace(root, *steps, 0, it.value())) {
            JsonImport failed;
            failed.error = QStringLiteral("%1: no such field").arg(it.key());
            return failed;
        }
    }
    return ConfigFileFromJson(root.toObject(), false);
}
