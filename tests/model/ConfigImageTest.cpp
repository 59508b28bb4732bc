#include "base/Crc8.h"
#include "model/CMainDoc.h"
#include "support/RecordingPresenter.h"
#include "support/ShowingDoc.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Crc8, KnownVectors) {
    const uint8_t abc[] = {'a', 'b', 'c'};
    EXPECT_EQ(Crc8(abc, 3), 0x90);
    EXPECT_EQ(Crc8(nullptr, 0), 0xFF);
    const uint8_t setAddress[] = {0xE2, 0xE4, 0x00, 0x03, 0x00, 0x00, 0xFF};
    EXPECT_EQ(Crc8(setAddress, sizeof setAddress), 0x8B);
}

TEST(Crc8, BlockFollowedByItsCrcChecksToZero) {
    uint8_t block[18];
    for (int i = 0; i < 17; ++i) block[i] = uint8_t(i * 37 + 5);
    block[17] = Crc8(block, 17);
    EXPECT_EQ(Crc8(block, 18), 0);
}

ConfigImage ValidImage() {
    ConfigImage image;
    image.Clear();
    image.inputModules[0] = {10, 4};
    image.outputModules[0] = {40, {1, 2, 3, 0}};
    SetDefaultPanelInputMap(image);
    SetDefaultKeyMap(image);
    for (const auto& block : {kInputTableBlock, kOutputTableBlock, kPanelMapBlock, kKeyMapBlock})
        StoreBlockCrc(image, block);
    return image;
}

TEST(BlockChecks, ValidImagePasses) {
    ConfigImage image = ValidImage();
    EXPECT_EQ(CheckDeviceBlocks(image), BlockCheck::Ok);
}

TEST(BlockChecks, BadModuleTablesFailTheRead) {
    for (std::size_t offset : {std::size_t(3), std::size_t(16), std::size_t(30), std::size_t(58)}) {
        ConfigImage image = ValidImage();
        image.bytes()[offset] ^= 0x40;
        EXPECT_EQ(CheckDeviceBlocks(image), BlockCheck::ModuleTablesBad) << offset;
    }
}

TEST(BlockChecks, BadLinkTablesBecomeDefaultsAndKeepTheirCrcBytes) {
    ConfigImage image = ValidImage();
    image.keyMap[0] = 7;
    image.keyMap[6] = 1;
    image.panelInputMap[2] = 9;
    StoreBlockCrc(image, kPanelMapBlock);
    const uint8_t keyCrc = image.keyCrc;
    EXPECT_EQ(CheckDeviceBlocks(image), BlockCheck::LinkTablesReset);
    for (int n = 0; n < 16; ++n) EXPECT_EQ(image.keyMap[n], n + 1);
    EXPECT_EQ(image.keyCrc, keyCrc);
    EXPECT_EQ(image.panelInputMap[2], 9) << "a valid panel map is kept";
}

class ReadCfgTest : public ::testing::Test {
protected:
    RecordingPresenter recorder;
    CMainDoc doc;
    ConfigImage device = ValidImage();
};

TEST_F(ReadCfgTest, FirstReadCopiesEverythingAndBindsTheDevice) {
    device.reserved[100] = 0x5A;
    device.panelInputMap[6] = 3;  // beyond the 4 usable inputs: reset to its own number
    ASSERT_TRUE(ReadShown(doc, device, false));
    EXPECT_EQ(doc.image().reserved[100], 0x5A);
    EXPECT_EQ(doc.GetPanelInputOfInput(6), 6);
    EXPECT_TRUE(doc.hasConfig());
    EXPECT_TRUE(doc.deviceBound());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(recorder.messages().empty());
}

TEST_F(ReadCfgTest, ReadOverShownConfigTakesModulesAndAudioButKeepsLinksAndLabels) {
    ASSERT_TRUE(ReadShown(doc, device, true));
    doc.AssignKey(5, 0);
    ASSERT_TRUE(doc.SetInputLabel(1, "Camera 2"));
    ConfigImage fresh = device;
    fresh.inputModules[0].count = 2;
    fresh.outputModules[0].signal[0] = 5;
    fresh.audioTable[0][1] = 3;
    fresh.keyMap[0] = 9;
    ASSERT_TRUE(ReadShown(doc, fresh, false));
    EXPECT_EQ(doc.GetInputCount(0), 2);
    EXPECT_EQ(doc.GetOutputSignal(0, 0), 5);
    EXPECT_EQ(doc.GetAudioSetting(0, 1), 3);
    EXPECT_EQ(doc.GetKeyOfInput(0), 5) << "the shown key links stay";
    EXPECT_EQ(doc.GetInputLabel(1, true), "Camera 2");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ReadCfgTest, MismatchWarnsAndChangesNothing) {
    ASSERT_TRUE(ReadShown(doc, device, false));
    doc.SetOutputSignal(0, 1, 7);
    ConfigImage other = device;
    other.inputModules[0].code = 11;
    EXPECT_FALSE(ReadShown(doc, other, false));
    EXPECT_EQ(recorder.ids(), std::vector<unsigned>{10041});
    EXPECT_EQ(recorder.messages()[0].style, unsigned(MB_ICONSTOP));
    EXPECT_EQ(doc.GetModuleCode(0), 10);
    EXPECT_TRUE(doc.configModified());

    EXPECT_TRUE(ReadShown(doc, other, true)) << "force replaces the modules without a message";
    EXPECT_EQ(doc.GetModuleCode(0), 11);
    EXPECT_EQ(recorder.messages().size(), 1u);
}

TEST_F(ReadCfgTest, EmptyDisplayedSlotMatchesAnyModule) {
    ConfigImage partial = device;
    partial.outputModules[0].code = 0;
    ASSERT_TRUE(ReadShown(doc, partial, true));
    EXPECT_TRUE(doc.MatchesDevice(device));
    ConfigImage changedCount = device;
    changedCount.inputModules[0].count = 1;
    EXPECT_TRUE(doc.MatchesDevice(changedCount)) << "only codes are compared";
}

}  // namespace
