// The skin shipped with the program must load cleanly with the real loader and
// offer a usable catalogue.
#include "model/CMainDoc.h"
#include "skin/SkinLayout.h"
#include "skin/Skin.h"
#include "skin/SkinCheck.h"
#include "support/RecordingPresenter.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const QString kShippedSkin = QStringLiteral(VKX_SOURCE_DIR "/res/skin/modules.xml");

class ShippedSkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin.LoadSkinFile(kShippedSkin);
        ReportOpenErrors(skin.missingPictures());
    }
    RecordingPresenter recorder;
    CSkin skin;
};

TEST_F(ShippedSkinTest, LoadsWithoutAnyMessageAndPassesTheChecker) {
    EXPECT_FALSE(skin.IsEmpty());
    EXPECT_TRUE(recorder.messages().empty()) << recorder.messages()[0].text.toStdString();
    const QStringList problems = CheckSkinFile(kShippedSkin);
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

TEST_F(ShippedSkinTest, CatalogueHasTheModulesAUserNeeds) {
    int inputTypes = 0, audioTypes = 0, outputTypes = 0;
    std::set<int> ids;
    for (const CSkinModule& module : skin.modules()) {
        ASSERT_FALSE(module.m_configs.empty()) << module.m_type.toStdString();
        const int first = module.m_configs.front().m_id;
        if (first >= SKIN_ID_CARD) continue;
        const bool output = module.m_configs.front().m_inputs.size() == 4 &&
                            module.m_configs.front().m_minInputs == 4 && module.m_configs.front().m_maxInputs == 4 &&
                            module.m_configs.front().m_audio.empty();
        (output ? outputTypes : inputTypes)++;
        if (module.m_audioKind == kAudioKindEmbedded) ++audioTypes;
        for (const CSkinConfig& config : module.m_configs) {
            EXPECT_TRUE(ids.insert(config.m_id).second) << "duplicate ID " << config.m_id;
            EXPECT_GT(config.m_id, 0);
            EXPECT_LT(config.m_id, 256) << "module codes are one byte";
            EXPECT_LE(config.m_maxInputs, kInputsPerSlot);
            EXPECT_TRUE(config.m_picture.loaded()) << config.m_pictureName.toStdString();
            EXPECT_EQ(skin.FindModuleByConfigID(config.m_id), &module) << config.m_id;
            if (module.m_audioKind == kAudioKindEmbedded) {
                EXPECT_FALSE(config.m_audio.empty()) << config.m_id;
            }
        }
    }
    EXPECT_GE(inputTypes, 4);
    EXPECT_GE(audioTypes, 2);
    EXPECT_GE(outputTypes, 3);
    EXPECT_GE(skin.signalNames().size(), 6);
    for (int reserved = SKIN_ID_CARD; reserved <= SKIN_ID_KEY_PANEL; ++reserved)
        EXPECT_NE(skin.FindModuleByConfigID(reserved), nullptr) << reserved;
}

TEST_F(ShippedSkinTest, FullConfigurationLaysOutWithoutWarningsAndInsideItsSize) {
    CMainDoc doc;
    ConfigImage image;
    image.Clear();
    const int inputs[] = {16, 17, 32, 48, 64, 80, 18, 33};
    const int outputs[] = {128, 129, 144, 145, 160, 161, 176, 177};
    for (int s = 0; s < kSlotCount; ++s) {
        const CSkinConfig* in = skin.FindConfig(inputs[s]);
        const CSkinConfig* out = skin.FindConfig(outputs[s]);
        ASSERT_TRUE(in && out) << s;
        image.inputModules[s] = {uint8_t(inputs[s]), uint8_t(in->m_maxInputs)};
        image.outputModules[s].code = uint8_t(outputs[s]);
    }
    ASSERT_TRUE(doc.ReadCfg(image, true));
    SkinLayout layout;
    layout.BuildLayout(skin, doc);
    // More than 16 inputs: only the input-limit warning may appear.
    for (const auto& m : recorder.messages()) EXPECT_EQ(m.id, 10042u) << m.text.toStdString();
    ASSERT_FALSE(layout.items().empty());
    const QRect bounds(QPoint(0, 0), layout.size());
    for (std::size_t i = 0; i < layout.items().size(); ++i) {
        QRect rect;
        ASSERT_TRUE(layout.GetItemRect(int(i), rect, SUBITEM_WHOLE, layout.size()));
        EXPECT_TRUE(bounds.contains(rect)) << "item " << i;
    }
}

}  // namespace
