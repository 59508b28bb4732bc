// The configuration file format (".vkcfg"), little-endian:
//   0 magic "V520", 4 version u32, 8 ConfigImage (1198 bytes, or only its first
//   110 bytes in version 0x00010001), then inputLabels (8 x 8 x 20 bytes) and
//   panelLabels (16 x 20 bytes). Files are always written in the newest version.
#pragma once

#include "model/ConfigImage.h"

#include <QByteArrayView>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

constexpr char kConfigFileMagic[4] = {'V', '5', '2', '0'};
constexpr uint32_t kConfigFileVersion1 = 0x00010001;
constexpr uint32_t kConfigFileVersion2 = 0x00010002;
constexpr std::size_t kConfigFileHeaderSize = 8;
constexpr std::size_t kVersion1ImageBytes = 110;
constexpr std::size_t kInputLabelBytes = 8 * 8 * 20;
constexpr std::size_t kPanelLabelBytes = 16 * 20;
constexpr std::size_t kConfigFileSize = kConfigFileHeaderSize + 1198 + kInputLabelBytes + kPanelLabelBytes;
static_assert(kConfigFileSize == 2806);

// Bytes a file of the given version needs; 0 for an unknown version.
std::size_t ConfigFileSizeFor(uint32_t version);

class QByteArray;
class QString;
struct FileBytes;

// The first bytes of a configuration file, as far as any version reads; a
// special file (device, FIFO) or an unreadable one gives an error.
FileBytes ReadConfigFile(const QString& path);

// What a configuration file holds, exactly as stored.
struct ConfigFileContents {
    uint32_t version = 0;
    ConfigImage image;  // a version 1 file leaves everything after its 110 bytes 0
    std::array<char, kInputLabelBytes> inputLabels{};
    std::array<char, kPanelLabelBytes> panelLabels{};
};

// The contents of a configuration file's bytes; nothing when they are not one
// (too short for their version, another magic, an unknown version). Bytes
// after the version's size are ignored.
std::optional<ConfigFileContents> ParseConfigFile(QByteArrayView bytes);

// A configuration file of the newest version holding image and labels
// (inputLabels: 8 x 8 x 20 bytes, panelLabels: 16 x 20 bytes).
QByteArray SerializeConfigFile(const ConfigImage& image, const char* inputLabels, const char* panelLabels);
