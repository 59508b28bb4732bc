// Taking named parts of a template into a unit's configuration, and what a
// write would change.
#include "model/ConfigParts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace {

// Two racks that differ in every part, and in bytes no part names.
ConfigImage Filled(uint8_t seed) {
    ConfigImage image;
    for (std::size_t i = 0; i < kConfigImageSize; ++i) image.bytes()[i] = uint8_t(seed + i * 7);
    for (int n = 0; n < kUsableInputs; ++n) image.keyMap[n] = uint8_t((n + seed) % kKeyCount + 1);
    // Some slots of each with embedded audio, some inputs of them in use.
    for (int s = 0; s < kSlotCount; ++s) {
        image.audioKinds[s] = (s + seed) % 3 == 0 ? kAudioKindEmbedded : 1;
        image.inputModules[s].count = uint8_t((s + seed) % 9);
    }
    return image;
}

// The byte ranges of each part in the image.
struct Range {
    std::size_t offset, length;
};
std::vector<Range> RangesOf(unsigned parts) {
    std::vector<Range> ranges;
    if (parts & PART_MODULES) ranges.insert(ranges.end(), {{0, 16}, {174, 8}});
    if (parts & PART_OUTPUTS) ranges.push_back({18, 40});
    if (parts & PART_PANEL) ranges.push_back({76, 16});
    if (parts & PART_KEYS) ranges.push_back({93, 16});
    if (parts & PART_AUDIO) ranges.push_back({110, 64});
    return ranges;
}

TEST(ConfigParts, EachPartTakesItsBytesAndLeavesEveryOtherByte) {
    const ConfigImage from = Filled(3), into = Filled(100);
    for (const unsigned parts :
         {0u, unsigned(PART_MODULES), unsigned(PART_OUTPUTS), unsigned(PART_KEYS), unsigned(PART_PANEL),
          unsigned(PART_AUDIO), unsigned(PART_OUTPUTS | PART_KEYS), unsigned(PART_ALL)}) {
        const ConfigImage result = TakeConfigParts(from, into, parts);
        std::vector<bool> taken(kConfigImageSize, false);
        for (const Range& range : RangesOf(parts))
            for (std::size_t i = range.offset; i < range.offset + range.length; ++i) taken[i] = true;
        // New modules bring the audio settings into held none of.
        for (int s = 0; s < kSlotCount && (parts & PART_MODULES); ++s)
            for (int j = into.audioKinds[s] == kAudioKindEmbedded ? into.inputModules[s].count : 0; j < kInputsPerSlot;
                 ++j)
                taken[offsetof(ConfigImage, audioTable) + std::size_t(s * kInputsPerSlot + j)] = true;
        for (std::size_t i = 0; i < kConfigImageSize; ++i)
            ASSERT_EQ(result.bytes()[i], (taken[i] ? from : into).bytes()[i]) << "parts " << parts << " byte " << i;
    }
}

TEST(ConfigParts, NamesParseAndAnUnknownOneIsRefused) {
    const struct {
        const char* names;
        std::optional<unsigned> parts;
        const char* error;
    } rows[] = {
        {"modules", PART_MODULES, ""},
        {"keys, panel,audio", PART_KEYS | PART_PANEL | PART_AUDIO, ""},
        {"modules,outputs,keys,panel,audio", PART_ALL, ""},
        {"outputs,outputs", PART_OUTPUTS, ""},
        {"labels", std::nullopt, "labels is not a part (parts: modules,outputs,keys,panel,audio)"},
        {"modules,", std::nullopt, "an empty part name"},
        {"Modules", std::nullopt, "Modules is not a part (parts: modules,outputs,keys,panel,audio)"},
    };
    for (const auto& row : rows) {
        QString error;
        EXPECT_EQ(ParseConfigParts(QLatin1String(row.names), error), row.parts) << row.names;
        EXPECT_EQ(error, QLatin1String(row.error)) << row.names;
    }
}

TEST(ConfigParts, WriteChangesRunFromTheDeviceToWhatIsWritten) {
    ConfigImage device;
    device.Clear();
    SetDefaultKeyMap(device);
    SetDefaultPanelInputMap(device);
    device.inputModules[0] = {12, 2};
    ConfigImage written = device;
    EXPECT_TRUE(WriteChangesText(device, written).isEmpty());
    written.inputModules[0].count = 4;
    std::swap(written.keyMap[0], written.keyMap[1]);
    const std::vector<ConfigDifference> changes = WriteChanges(device, written);
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].first, 2);
    EXPECT_EQ(changes[0].second, 4);
    EXPECT_EQ(WriteChangesText(device, written).split(u'\n').first(),
              QStringLiteral("Input slot 1: number of inputs: 2 -> 4"));
    EXPECT_EQ(WriteChangesText(device, written, {}, 3).count(u'\n'), 2) << "three lines fit";
    EXPECT_TRUE(WriteChangesText(device, written, {}, 2).endsWith(QStringLiteral("key: 1 -> 2\n...")));
}

}  // namespace
