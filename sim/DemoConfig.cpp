#include "sim/DemoConfig.h"

#include "lang/UiText.h"
#include "model/CMainDoc.h"

#include <cstring>
#include <initializer_list>
#include <iterator>

namespace {

// Module codes are the shipped skin's configuration IDs.
constexpr InputModuleSlot kDemoInputs[] = {
    {17, 4},  // 3G-SDI, 4 inputs (embedded audio)
    {32, 4},  // HDMI 1080p, 4 inputs (embedded audio)
    {48, 4},  // CVBS PAL, 8 inputs, four in use
    {80, 2},  // DVI digital, 2 inputs
    {64, 2},  // single-mode fibre, 4 inputs, two in use
};
constexpr int kDemoAudioSlots[] = {0, 1};

constexpr OutputModuleSlot kDemoOutputs[] = {
    {128, {0, 1, 2, 3}},  // HD-SDI: program, preview, clean feed, multiviewer
    {144, {0, 0, 1, 4}},  // HDMI 1080p: program twice, preview, aux 1
    {160, {7, 6, 1, 0}},  // CVBS PAL: black, colour bars, preview, program
};

// Input n is linked to key keyMap[n] - 1: the first four inputs keep keys 1-4,
// the HDMI and analog groups trade places on the key panel.
constexpr uint8_t kDemoKeyMap[kUsableInputs] = {1, 2, 3, 4, 9, 10, 11, 12, 5, 6, 7, 8, 13, 14, 15, 16};
// Panel inputs: the computer and fibre inputs sit on the first panel inputs of
// their own group, in reverse order.
constexpr uint8_t kDemoPanelMap[kUsableInputs] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 15, 14, 13, 12};

// Embedded audio byte: bit 0 the stereo pair, bits 1-2 the group.
constexpr uint8_t kDemoAudio[2][4] = {{0x00, 0x01, 0x02, 0x03}, {0x04, 0x05, 0x06, 0x07}};

constexpr const char* kDemoInputLabels[kUsableInputs] = {
    "Studio Cam 1",  "Studio Cam 2", "Jib Camera",  "Robo Cam",    "Playout A",   "Playout B",
    "Graphics Fill", "Graphics Key", "Lobby Cam",   "Weather Cam", "Archive VTR", "Rehearsal",
    "Presenter PC",  "Video Wall",   "Satellite 1", "Remote OB"};
constexpr const char* kDemoPanelLabels[kPanelInputCount] = {
    "Host Mic",  "Guest Mic 1", "Guest Mic 2", "Guest Mic 3", "Music Bed",  "Jingles",    "Phone Hybrid", "Ambience",
    "Lobby Amb", "Weather VO",  "Archive L/R", "Talkback",    "Sat Return", "Wall Audio", "PC Audio",     "OB Return"};

}  // namespace

bool WriteDemoFile(const QString& path) {
    CMainDoc doc;
    ConfigImage image = MakeDemoImage();
    doc.ReadCfg(image, true);
    for (int n = 0; n < kUsableInputs; ++n) doc.SetInputLabel(n, kDemoInputLabels[n]);
    for (int p = 0; p < kPanelInputCount; ++p) doc.SetPanelLabel(p, kDemoPanelLabels[p]);
    if (doc.SaveFile(path)) return true;
    ShowNotice(doc.lastNotice());
    return false;
}

ConfigImage MakeDemoImage() {
    ConfigImage image;
    image.Clear();
    for (std::size_t slot = 0; slot < std::size(kDemoInputs); ++slot) image.inputModules[slot] = kDemoInputs[slot];
    for (std::size_t slot = 0; slot < std::size(kDemoOutputs); ++slot) image.outputModules[slot] = kDemoOutputs[slot];
    std::memcpy(image.keyMap, kDemoKeyMap, sizeof kDemoKeyMap);
    std::memcpy(image.panelInputMap, kDemoPanelMap, sizeof kDemoPanelMap);
    for (std::size_t i = 0; i < std::size(kDemoAudioSlots); ++i) {
        const int slot = kDemoAudioSlots[i];
        std::memcpy(image.audioTable[slot], kDemoAudio[i], sizeof kDemoAudio[i]);
        image.audioKinds[slot] = kAudioKindEmbedded;
    }
    for (const DeviceBlock& block : {kInputTableBlock, kPanelMapBlock, kKeyMapBlock, kOutputTableBlock})
        StoreBlockCrc(image, block);
    return image;
}
