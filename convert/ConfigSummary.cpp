#include "convert/ConfigSummary.h"

#include "base/CodePage.h"
#include "model/CMainDoc.h"
#include "skin/Skin.h"

#include <QJsonArray>
#include <QJsonValue>

namespace {

QJsonValue ModuleName(const CSkin& skin, int code) {
    const CSkinConfig* config = code != 0 ? skin.FindConfig(code) : nullptr;
    return config ? QJsonValue(config->m_name) : QJsonValue(QJsonValue::Null);
}

template <typename Value>
QJsonArray ArrayOf(const Value* values, int count) {
    QJsonArray array;
    for (int i = 0; i < count; ++i) array.append(int(values[i]));
    return array;
}

QString LabelText(const char* field) { return FromCodePage(std::string_view(field, strnlen(field, kLabelSize - 1))); }

// One entry per slot: its place, its module's code and name, and field, what
// the module's side adds (an input module's inputs, an output module's signals).
template <typename Slot, typename Detail>
QJsonArray ModulesJson(const Slot (&slots)[kSlotCount], const CSkin& skin, const QString& field, Detail detail) {
    QJsonArray modules;
    for (int slot = 0; slot < kSlotCount; ++slot)
        modules.append(QJsonObject{{QStringLiteral("slot"), slot},
                                   {QStringLiteral("code"), slots[slot].code},
                                   {field, detail(slots[slot])},
                                   {QStringLiteral("name"), ModuleName(skin, slots[slot].code)}});
    return modules;
}

QJsonArray InputLabelsJson(const char* inputLabels) {
    QJsonArray slots;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        QJsonArray labels;
        for (int input = 0; input < kInputsPerSlot; ++input)
            labels.append(LabelText(inputLabels + (slot * kInputsPerSlot + input) * kLabelSize));
        slots.append(labels);
    }
    return slots;
}

QJsonArray AudioJson(const ConfigImage& image) {
    QJsonArray slots;
    for (int slot = 0; slot < kSlotCount; ++slot) slots.append(ArrayOf(image.audioTable[slot], kInputsPerSlot));
    return slots;
}

}  // namespace

QJsonObject ConfigToJson(const CMainDoc& doc, uint32_t version, const CSkin& skin) {
    return ConfigToJson(doc.image(), doc.InputLabelField(0, 0), doc.PanelLabelField(0), version, skin);
}

QJsonObject ConfigToJson(const ConfigImage& image, const char* inputLabels, const char* panelLabelFields,
                         uint32_t version, const CSkin& skin) {
    QJsonArray panelLabels;
    for (int p = 0; p < kPanelInputCount; ++p) panelLabels.append(LabelText(panelLabelFields + p * kLabelSize));
    return QJsonObject{
        {QStringLiteral("version"), qint64(version)},
        {QStringLiteral("inputModules"), ModulesJson(image.inputModules, skin, QStringLiteral("inputs"),
                                                     [](const InputModuleSlot& entry) { return entry.count; })},
        {QStringLiteral("outputModules"),
         ModulesJson(image.outputModules, skin, QStringLiteral("signals"),
                     [](const OutputModuleSlot& entry) { return ArrayOf(entry.signal, kOutputsPerModule); })},
        {QStringLiteral("panelInputMap"), ArrayOf(image.panelInputMap, kUsableInputs)},
        {QStringLiteral("keyMap"), ArrayOf(image.keyMap, kUsableInputs)},
        {QStringLiteral("audio"), AudioJson(image)},
        {QStringLiteral("audioKinds"), ArrayOf(image.audioKinds, kSlotCount)},
        {QStringLiteral("inputLabels"), InputLabelsJson(inputLabels)},
        {QStringLiteral("panelLabels"), panelLabels},
    };
}
