#include "model/ConfigParts.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

struct PartName {
    const char* name;
    ConfigPart part;
};
constexpr PartName kPartNames[] = {{"modules", PART_MODULES},
                                   {"outputs", PART_OUTPUTS},
                                   {"keys", PART_KEYS},
                                   {"panel", PART_PANEL},
                                   {"audio", PART_AUDIO}};

template <typename Field>
void Take(Field& into, const Field& from) {
    std::memcpy(&into, &from, sizeof(Field));
}

}  // namespace

std::optional<unsigned> ParseConfigParts(const QString& names, QString& error) {
    unsigned parts = 0;
    for (const QString& word : names.split(u',')) {
        const QString name = word.trimmed();
        bool known = false;
        for (const PartName& entry : kPartNames) {
            if (name != QLatin1String(entry.name)) continue;
            parts |= entry.part;
            known = true;
        }
        if (!known) {
            error = name.isEmpty() ? QStringLiteral("an empty part name")
                                   : QStringLiteral("%1 is not a part (parts: %2)").arg(name, ConfigPartNames());
            return std::nullopt;
        }
    }
    return parts;
}

QString ConfigPartNames() {
    QStringList names;
    for (const PartName& entry : kPartNames) names << QLatin1String(entry.name);
    return names.join(u',');
}

ConfigImage TakeConfigParts(const ConfigImage& from, const ConfigImage& into, unsigned parts) {
    ConfigImage result = into;
    if (parts & PART_MODULES) {
        Take(result.inputModules, from.inputModules);
        // The kind belongs to the module in the slot: it decides whether the
        // slot's audio settings are sent.
        Take(result.audioKinds, from.audioKinds);
        // Settings into had no place for (inputs beyond its count, slots
        // without embedded audio) were never read from a unit: they come
        // with the modules rather than as zeros.
        for (int slot = 0; slot < kSlotCount && !(parts & PART_AUDIO); ++slot) {
            const int known = into.audioKinds[slot] == kAudioKindEmbedded ? into.inputModules[slot].count : 0;
            for (int input = std::max(known, 0); input < kInputsPerSlot; ++input)
                result.audioTable[slot][input] = from.audioTable[slot][input];
        }
    }
    if (parts & PART_OUTPUTS) Take(result.outputModules, from.outputModules);
    if (parts & PART_KEYS) Take(result.keyMap, from.keyMap);
    if (parts & PART_PANEL) Take(result.panelInputMap, from.panelInputMap);
    if (parts & PART_AUDIO) Take(result.audioTable, from.audioTable);
    return result;
}

std::vector<ConfigDifference> WriteChanges(const ConfigImage& device, const ConfigImage& toWrite) {
    // Compared as verify compares, so that the preview lists exactly what a
    // verify of the same write would find different were the write not done.
    std::vector<ConfigDifference> changes = CompareConfigs({toWrite}, {device}, CompareScope::Device);
    for (ConfigDifference& change : changes) {
        std::swap(change.first, change.second);
        std::swap(change.firstText, change.secondText);
    }
    return changes;
}

QString WriteChangesText(const ConfigImage& device, const ConfigImage& toWrite, const QStringList& signalNames,
                         int maxLines) {
    std::vector<ConfigDifference> changes = WriteChanges(device, toWrite);
    const bool cut = maxLines > 0 && changes.size() > std::size_t(maxLines);
    if (cut) changes.resize(std::size_t(maxLines));
    if (changes.empty()) return {};
    return DifferenceLines(changes, signalNames) + (cut ? QStringLiteral("\n...") : QString());
}
