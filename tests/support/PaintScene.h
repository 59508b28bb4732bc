// A configuration on the shipped skin, shared by the painting tests and the
// painting benchmark (no test framework needed).
#pragma once

#include "model/CMainDoc.h"
#include "skin/AudioKinds.h"
#include "skin/SkinLayout.h"
#include "skin/Skin.h"

#include <QString>
#include <vector>

struct InputSlotSetup {
    int code;
    int count;
};
struct OutputSlotSetup {
    int code;
    std::vector<int> signals;
};

inline QString ShippedSkinPath() { return QStringLiteral(VKX_SOURCE_DIR "/res/skin/modules.xml"); }

// Puts the modules into the document as a device read would: default key and
// panel links, each slot's audio kind taken from the skin.
inline bool SetUpDocument(CMainDoc& doc, const CSkin& skin, const std::vector<InputSlotSetup>& inputs,
                          const std::vector<OutputSlotSetup>& outputs) {
    ConfigImage image;
    image.Clear();
    SetDefaultKeyMap(image);
    SetDefaultPanelInputMap(image);
    for (std::size_t s = 0; s < inputs.size() && s < kSlotCount; ++s)
        image.inputModules[s] = {uint8_t(inputs[s].code), uint8_t(inputs[s].count)};
    FillAudioKinds(skin, image);
    for (std::size_t s = 0; s < outputs.size() && s < kSlotCount; ++s) {
        image.outputModules[s].code = uint8_t(outputs[s].code);
        for (std::size_t o = 0; o < outputs[s].signals.size() && o < kOutputsPerModule; ++o)
            image.outputModules[s].signal[o] = uint8_t(outputs[s].signals[o]);
    }
    doc.ResetConfig();
    return doc.ReadCfg(image, true);
}

// Every slot filled: eight input modules of two inputs each (16 usable
// inputs, so no limit warning) and eight output modules.
inline bool SetUpFullDocument(CMainDoc& doc, const CSkin& skin) {
    const std::vector<InputSlotSetup> inputs = {{16, 2}, {32, 2}, {48, 2}, {64, 2}, {80, 2}, {17, 2}, {50, 2}, {81, 2}};
    std::vector<OutputSlotSetup> outputs;
    const int outputCodes[] = {128, 144, 160, 176, 129, 145, 161, 177};
    for (int s = 0; s < kSlotCount; ++s)
        outputs.push_back({outputCodes[s], {s % 8, (s + 1) % 8, (s + 2) % 8, (s + 3) % 8}});
    if (!SetUpDocument(doc, skin, inputs, outputs)) return false;
    const char* const labels[] = {"Camera 1", "Camera 2", "Studio A", "Playout",
                                  "Graphics", "Replay",   "Remote",   "VT 1"};
    for (int n = 0; n < 8; ++n) doc.SetInputLabel(n * 2, labels[n]);
    doc.SetPanelLabel(0, "Mic 1");
    doc.SetPanelLabel(1, "Mic 2");
    return true;
}
