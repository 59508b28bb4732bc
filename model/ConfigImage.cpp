#include "model/ConfigImage.h"

#include "base/Crc8.h"

#include <cstring>

void ConfigImage::Clear() { std::memset(bytes(), 0, kConfigImageSize); }

bool IsBlockValid(const ConfigImage& image, const DeviceBlock& block) {
    return Crc8(image.bytes() + block.offset, block.length) == 0;
}

void StoreBlockCrc(ConfigImage& image, const DeviceBlock& block) {
    uint8_t* start = image.bytes() + block.offset;
    start[block.length - 1] = Crc8(start, block.length - 1);
}

void SetDefaultPanelInputMap(ConfigImage& image) {
    for (int n = 0; n < kUsableInputs; ++n) image.panelInputMap[n] = uint8_t(n);
}

void SetDefaultKeyMap(ConfigImage& image) {
    for (int n = 0; n < kUsableInputs; ++n) image.keyMap[n] = uint8_t(n + 1);
}

BlockCheck CheckDeviceBlocks(ConfigImage& image) {
    if (!IsBlockValid(image, kInputTableBlock) || !IsBlockValid(image, kOutputTableBlock))
        return BlockCheck::ModuleTablesBad;
    BlockCheck result = BlockCheck::Ok;
    if (!IsBlockValid(image, kPanelMapBlock)) {
        SetDefaultPanelInputMap(image);
        result = BlockCheck::LinkTablesReset;
    }
    if (!IsBlockValid(image, kKeyMapBlock)) {
        SetDefaultKeyMap(image);
        result = BlockCheck::LinkTablesReset;
    }
    return result;
}

bool ApplyAudioKinds(const AudioKindTable& table, ConfigImage& image) {
    bool embedded = false;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const uint8_t code = image.inputModules[slot].code;
        const auto kind = code != 0 ? table.find(code) : table.end();
        if (kind == table.end()) continue;
        image.audioKinds[slot] = kind->second;
        embedded = embedded || kind->second == kAudioKindEmbedded;
    }
    return embedded;
}
