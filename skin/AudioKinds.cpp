#include "skin/AudioKinds.h"

#include "skin/Skin.h"

bool FillAudioKinds(const CSkin& skin, ConfigImage& image) {
    bool embedded = false;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int code = image.inputModules[slot].code;
        const CSkinModule* module = code != 0 ? skin.FindModuleByConfigID(code) : nullptr;
        if (!module) continue;
        image.audioKinds[slot] = uint8_t(module->m_audioKind & 0xFF);
        embedded = embedded || image.audioKinds[slot] == kAudioKindEmbedded;
    }
    return embedded;
}
