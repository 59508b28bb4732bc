// What vkx520ctl and vkx520sim build on besides the link: the demonstration
// rack against the shipped skin, audio kinds from a skin, a skin read without
// its pictures, and the simulator's state file.
#include "model/CMainDoc.h"
#include "sim/DemoConfig.h"
#include "sim/SimState.h"
#include "skin/AudioKinds.h"
#include "skin/Skin.h"
#include "support/RecordingPresenter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstring>
#include <set>

namespace {

QString ShippedSkin() { return QStringLiteral(VKX_SOURCE_DIR "/res/skin/modules.xml"); }

TEST(DemoConfig, DemoFileNamesEveryInputAndPanelInputOfTheRack) {
    RecordingPresenter recorder;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("demo.vkcfg"));
    ASSERT_TRUE(WriteDemoFile(path));
    CMainDoc doc;
    ASSERT_TRUE(doc.LoadFile(path));
    EXPECT_EQ(std::memcmp(doc.image().bytes(), MakeDemoImage().bytes(), kConfigImageSize), 0);
    std::set<std::string> names;
    for (int n = 0; n < kUsableInputs; ++n) names.insert(doc.GetInputLabel(n, true));
    EXPECT_EQ(names.size(), std::size_t(kUsableInputs)) << "every label stored, none twice";
    EXPECT_EQ(names.count(""), 0u);
    for (int p = 0; p < kPanelInputCount; ++p) EXPECT_FALSE(doc.GetPanelLabel(p, true).empty()) << p;
    EXPECT_TRUE(recorder.messages().empty());
    EXPECT_FALSE(WriteDemoFile(dir.filePath(QStringLiteral("missing/demo.vkcfg"))));
}

TEST(DemoConfig, IsAValidRackOfShippedModules) {
    CSkin skin;
    skin.LoadSkinFile(ShippedSkin(), CSkin::SkinPictures::Skip);
    ASSERT_FALSE(skin.IsEmpty());
    ConfigImage image = MakeDemoImage();
    int inputs = 0, modules = 0, audioModules = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const InputModuleSlot& in = image.inputModules[slot];
        if (in.code != 0) {
            const CSkinConfig* config = skin.FindConfig(in.code);
            ASSERT_NE(config, nullptr) << "input slot " << slot;
            EXPECT_GE(in.count, config->m_minInputs);
            EXPECT_LE(in.count, config->m_maxInputs);
            const bool embedded = skin.FindModuleByConfigID(in.code)->m_audioKind == kAudioKindEmbedded;
            EXPECT_EQ(image.audioKinds[slot] == kAudioKindEmbedded, embedded) << "input slot " << slot;
            inputs += in.count;
            ++modules;
            audioModules += embedded;
        }
        const OutputModuleSlot& out = image.outputModules[slot];
        if (out.code == 0) continue;
        EXPECT_NE(skin.FindConfig(out.code), nullptr) << "output slot " << slot;
        for (const uint8_t signal : out.signal) EXPECT_LT(signal, skin.signalNames().size());
    }
    EXPECT_GE(modules, 3);
    EXPECT_GE(audioModules, 1);
    EXPECT_LE(inputs, kUsableInputs);
    EXPECT_EQ(CheckDeviceBlocks(image), BlockCheck::Ok);
    EXPECT_EQ(std::set<int>(std::begin(image.keyMap), std::end(image.keyMap)).size(), std::size_t(kKeyCount));
    EXPECT_EQ(*std::min_element(std::begin(image.keyMap), std::end(image.keyMap)), 1);
    EXPECT_EQ(*std::max_element(std::begin(image.keyMap), std::end(image.keyMap)), kKeyCount);
    EXPECT_EQ(std::set<int>(std::begin(image.panelInputMap), std::end(image.panelInputMap)).size(),
              std::size_t(kPanelInputCount));
    EXPECT_LT(*std::max_element(std::begin(image.panelInputMap), std::end(image.panelInputMap)), kPanelInputCount);
}

TEST(AudioKinds, ComeFromTheModuleOfEachOccupiedSlot) {
    CSkin skin;
    skin.LoadSkinFile(ShippedSkin(), CSkin::SkinPictures::Skip);
    ConfigImage image;
    image.Clear();
    image.inputModules[0] = {48, 2};   // analog: no embedded audio
    image.inputModules[1] = {250, 2};  // not in the skin: left as it was
    image.audioKinds[1] = 7;
    image.audioKinds[2] = 9;  // empty slot: left as it was
    EXPECT_FALSE(FillAudioKinds(skin, image));
    EXPECT_EQ(image.audioKinds[0], 0);
    EXPECT_EQ(image.audioKinds[1], 7);
    EXPECT_EQ(image.audioKinds[2], 9);
    image.inputModules[3] = {33, 2};  // HDMI 4K carries embedded audio
    EXPECT_TRUE(FillAudioKinds(skin, image));
    EXPECT_EQ(image.audioKinds[3], kAudioKindEmbedded);
    CSkin none;
    ConfigImage untouched = image;
    EXPECT_FALSE(FillAudioKinds(none, untouched));
    EXPECT_EQ(std::memcmp(untouched.audioKinds, image.audioKinds, kSlotCount), 0);
}

TEST(SkinWithoutPictures, HasTheSameTreeAndReportsNoPictureErrors) {
    QTemporaryDir dir;  // the description without its pictures folder
    const QString xml = dir.filePath(QStringLiteral("modules.xml"));
    ASSERT_TRUE(QFile::copy(ShippedSkin(), xml));
    CSkin described, drawn;
    {
        RecordingPresenter presenter;
        described.LoadSkinFile(xml, CSkin::SkinPictures::Skip);
        ReportOpenErrors(described.missingPictures());
        EXPECT_TRUE(presenter.messages().empty());
    }
    drawn.LoadSkinFile(ShippedSkin());
    ASSERT_EQ(described.modules().size(), drawn.modules().size());
    EXPECT_EQ(described.signalNames(), drawn.signalNames());
    for (std::size_t m = 0; m < drawn.modules().size(); ++m) {
        const CSkinModule& a = described.modules()[m];
        const CSkinModule& b = drawn.modules()[m];
        EXPECT_EQ(a.m_audioKind, b.m_audioKind);
        ASSERT_EQ(a.m_configs.size(), b.m_configs.size());
        for (std::size_t c = 0; c < a.m_configs.size(); ++c) {
            EXPECT_EQ(a.m_configs[c].m_id, b.m_configs[c].m_id);
            EXPECT_EQ(a.m_configs[c].m_name, b.m_configs[c].m_name);
            EXPECT_EQ(a.m_configs[c].m_pictureWidth, 0);
            EXPECT_GT(b.m_configs[c].m_pictureWidth, 0) << qPrintable(b.m_configs[c].m_name);
        }
    }
    RecordingPresenter presenter;
    CSkin missingPictures;
    missingPictures.LoadSkinFile(xml);
    ReportOpenErrors(missingPictures.missingPictures());
    EXPECT_FALSE(presenter.messages().empty());  // loading them is still reported when they fail
}

TEST(SimState, TakesTheDeviceMemoryAndKeepsTheFilesOwnParts) {
    ConfigImage start = MakeDemoImage();
    start.reserved[0] = 0x42;
    ConfigFileContents state = SimStateOf(start);
    std::memcpy(state.inputLabels.data(), "Camera 1", 9);

    SimDevice device(SystemLinkClock());
    ConfigImage changed = MakeDemoImage();
    changed.outputModules[4] = {176, {1, 2, 3, 4}};
    changed.keyMap[0] = 2;
    changed.keyMap[1] = 1;
    changed.audioTable[0][3] = 0x06;
    for (const DeviceBlock& block : {kOutputTableBlock, kKeyMapBlock}) StoreBlockCrc(changed, block);
    device.LoadImage(changed);

    TakeDeviceState(state, device);
    const ConfigImage& taken = state.image;
    EXPECT_EQ(std::memcmp(taken.bytes(), changed.bytes(), offsetof(ConfigImage, audioKinds)), 0);
    EXPECT_EQ(std::memcmp(taken.audioKinds, start.audioKinds, kSlotCount), 0);  // the device has no audio kinds
    EXPECT_EQ(taken.reserved[0], 0x42);
    EXPECT_STREQ(state.inputLabels.data(), "Camera 1");
}

}  // namespace
