#include "view/EditDialogLogic.h"

#include "base/CodePage.h"
#include "model/ConfigImage.h"
#include "skin/Skin.h"

#include <algorithm>

uint32_t MakeInputRange(int minInputs, int maxInputs) {
    return uint32_t(std::clamp(minInputs, 0, 0xFF)) | uint32_t(std::clamp(maxInputs, 0, 0xFF)) << 8;
}

int RangeMinimum(uint32_t range) { return int(range & 0xFF); }

int RangeMaximum(uint32_t range) { return int(range >> 8 & 0xFF); }

QStringList SkinConfigNames(const CSkinModule& module) {
    QStringList names;
    for (const CSkinConfig& config : module.m_configs) names << config.m_name;
    return names;
}

std::vector<uint32_t> SkinInputRanges(const CSkinModule& module) {
    std::vector<uint32_t> ranges;
    for (const CSkinConfig& config : module.m_configs)
        ranges.push_back(MakeInputRange(config.m_minInputs, std::min(config.m_maxInputs, kInputsPerSlot)));
    return ranges;
}

QStringList InputCountEntries(uint32_t range) {
    QStringList entries;
    for (int count = RangeMinimum(range); count <= RangeMaximum(range); ++count)
        entries << QString::asprintf("%d", count);
    return entries;
}

int SelectableIndex(int index, int count) { return index >= 0 && index < count ? index : -1; }

int SelectionOrStored(int selection, int stored) { return selection >= 0 ? selection : stored; }

int InputsIndexOnOk(int selection, int stored, bool configurationChanged) {
    if (selection >= 0) return selection;
    return configurationChanged ? 0 : stored;
}

AudioChannel DecodeAudioSetting(uint8_t setting) { return {setting >> 1 & 0x03, setting & 0x01}; }

uint8_t EncodeAudioSetting(int group, int stereoPair) { return uint8_t((group & 0x03) << 1 | (stereoPair & 0x01)); }

bool IsStorableLabel(const QString& text) {
    for (QChar c : text)
        if (c.category() == QChar::Other_Control) return false;
    bool lossless = false;
    const std::string stored = ToCodePage(text, &lossless);
    return lossless && stored.size() <= std::size_t(kMaxLabelBytes);
}

QString ClipToStorableLabel(const QString& text) {
    QString clipped;
    for (QChar c : text) {
        if (clipped.size() == kMaxLabelBytes) break;
        if (IsStorableLabel(QString(c))) clipped += c;
    }
    return clipped;
}
