#include "skin/AudioKinds.h"

#include "skin/Skin.h"

AudioKindTable AudioKindTableOf(const CSkin& skin) {
    AudioKindTable table;
    for (int code = 1; code <= 0xFF; ++code)
        if (const CSkinModule* module = skin.FindModuleByConfigID(code))
            table[uint8_t(code)] = uint8_t(module->m_audioKind & 0xFF);
    return table;
}

bool FillAudioKinds(const CSkin& skin, ConfigImage& image) { return ApplyAudioKinds(AudioKindTableOf(skin), image); }
