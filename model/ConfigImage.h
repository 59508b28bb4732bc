// The configuration image: 1198 bytes laid out exactly as the device keeps its
// configuration blocks and as configuration files carry them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>

constexpr int kSlotCount = 8;      // input module slots, and output module slots
constexpr int kInputsPerSlot = 8;  // places per slot for labels and audio settings
constexpr int kOutputsPerModule = 4;
constexpr int kUsableInputs = 16;  // inputs that can have a key and a panel input
constexpr int kKeyCount = 16;
constexpr int kPanelInputCount = 16;
constexpr int kAudioKindEmbedded = 2;

struct InputModuleSlot {
    uint8_t code;   // 0 = empty slot
    uint8_t count;  // inputs in use
};

struct OutputModuleSlot {
    uint8_t code;
    uint8_t signal[kOutputsPerModule];
};

struct ConfigImage {
    InputModuleSlot inputModules[kSlotCount];        // 0
    uint8_t inputReserved;                           // 16
    uint8_t inputCrc;                                // 17: over 0..16
    OutputModuleSlot outputModules[kSlotCount];      // 18
    uint8_t outputCrc;                               // 58: over 18..57
    uint8_t unused[17];                              // 59
    uint8_t panelInputMap[kUsableInputs];            // 76
    uint8_t panelCrc;                                // 92: over 76..91
    uint8_t keyMap[kUsableInputs];                   // 93: key number + 1 per input
    uint8_t keyCrc;                                  // 109: over 93..108
    uint8_t audioTable[kSlotCount][kInputsPerSlot];  // 110
    uint8_t audioKinds[kSlotCount];                  // 174
    uint8_t reserved[1016];                          // 182

    uint8_t* bytes() { return reinterpret_cast<uint8_t*>(this); }
    const uint8_t* bytes() const { return reinterpret_cast<const uint8_t*>(this); }
    void Clear();
};

constexpr std::size_t kConfigImageSize = 1198;
static_assert(sizeof(ConfigImage) == kConfigImageSize);
static_assert(offsetof(ConfigImage, inputCrc) == 17);
static_assert(offsetof(ConfigImage, outputModules) == 18);
static_assert(offsetof(ConfigImage, outputCrc) == 58);
static_assert(offsetof(ConfigImage, panelInputMap) == 76);
static_assert(offsetof(ConfigImage, panelCrc) == 92);
static_assert(offsetof(ConfigImage, keyMap) == 93);
static_assert(offsetof(ConfigImage, keyCrc) == 109);
static_assert(offsetof(ConfigImage, audioTable) == 110);
static_assert(offsetof(ConfigImage, audioKinds) == 174);
static_assert(offsetof(ConfigImage, reserved) == 182);

// A device memory block and the image range it fills.
struct DeviceBlock {
    uint32_t address;
    std::size_t offset;
    std::size_t length;  // including the block's CRC byte
};
constexpr DeviceBlock kInputTableBlock{0xFF0000, 0, 18};
constexpr DeviceBlock kPanelMapBlock{0xFF0040, 76, 17};
constexpr DeviceBlock kKeyMapBlock{0xFF0060, 93, 17};
constexpr DeviceBlock kOutputTableBlock{0xFF0080, 18, 41};

// Module registers addressed by module commands.
constexpr uint8_t InputModuleRegister(int slot) { return uint8_t((slot + 88) * 2); }
constexpr uint8_t OutputModuleRegister(int slot) { return uint8_t((slot + 96) * 2); }

// True when the block, including its CRC byte, checks to 0.
bool IsBlockValid(const ConfigImage& image, const DeviceBlock& block);
// Stores the CRC byte of a block (its last byte) from the bytes before it.
void StoreBlockCrc(ConfigImage& image, const DeviceBlock& block);

enum class BlockCheck {
    Ok,               // all blocks valid
    LinkTablesReset,  // a link table was bad and is now the default; warn the user
    ModuleTablesBad,  // a module table is bad; the image must not be used
};

// Checks the four blocks after a read from the device. Bad link tables are
// replaced by their defaults (the CRC bytes stay as read).
BlockCheck CheckDeviceBlocks(ConfigImage& image);

void SetDefaultPanelInputMap(ConfigImage& image);
void SetDefaultKeyMap(ConfigImage& image);

// The audio kind of each module code a skin knows (the low byte of the
// skin's audio kind). The device does not tell it: a read from the device
// stores it beside the modules it read.
using AudioKindTable = std::map<uint8_t, uint8_t>;
// Stores the audio kind of each occupied slot's module; empty slots and codes
// the table lacks are left as they are. True when any slot got kind 2
// (embedded audio), that is when module data should be read.
bool ApplyAudioKinds(const AudioKindTable& table, ConfigImage& image);
