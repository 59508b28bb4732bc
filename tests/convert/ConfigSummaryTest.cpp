// What show prints: the JSON object's values for a known configuration, the
// names the skin gives, and the readable summary's lines.
#include "convert/ConfigSummary.h"
#include "model/CMainDoc.h"
#include "model/ConfigFile.h"
#include "skin/Skin.h"

#include <gtest/gtest.h>

#include <QJsonArray>

namespace {

constexpr char kSkin[] = R"(<skin>
  <signals><signal name="Program"/><signal name="Preview"/></signals>
  <modules>
    <module Type="SDI input" Audio="2"><configurations>
      <configuration ID="17" Name="3G-SDI, 4 inputs" MinInputs="1" MaxInputs="4"/></configurations></module>
    <module Type="SDI output"><configurations>
      <configuration ID="128" Name="HD-SDI outputs" MinInputs="4" MaxInputs="4"/></configurations></module>
  </modules>
</skin>)";

class KnownConfig : public testing::Test {
protected:
    void SetUp() override {
        m_skin.LoadSkinData(kSkin, QString());
        ConfigImage defaults;
        defaults.Clear();
        SetDefaultKeyMap(defaults);
        SetDefaultPanelInputMap(defaults);
        ASSERT_TRUE(m_doc.ReadCfg(defaults, false));
        m_doc.SetInputModule(0, 17, 3);
        m_doc.SetInputModule(2, 99, 2);  // a module the skin lacks
        m_doc.SetOutputModuleCode(1, 128);
        for (int output = 0; output < kOutputsPerModule; ++output) m_doc.SetOutputSignal(1, output, output % 2);
        m_doc.SetOutputSignal(1, 3, 9);  // a signal the skin does not name
        m_doc.SetAudioSetting(0, 1, 0x05);
        m_doc.AssignKey(4, 0);
        m_doc.SetPanelInputOfInput(1, 7);
        ASSERT_TRUE(m_doc.SetInputLabel(1, "Caf\xE9"));  // Windows-1252 e acute
        ASSERT_TRUE(m_doc.SetPanelLabel(3, "Mic 4"));
    }
    CSkin m_skin;
    CMainDoc m_doc;
};

TEST_F(KnownConfig, JsonCarriesTheStoredValues) {
    const QJsonObject json = ConfigToJson(m_doc, kConfigFileVersion2, m_skin);
    EXPECT_EQ(json[QStringLiteral("version")].toInteger(), 0x00010002);

    const QJsonArray inputs = json[QStringLiteral("inputModules")].toArray();
    ASSERT_EQ(inputs.size(), kSlotCount);
    EXPECT_EQ(inputs[0].toObject()[QStringLiteral("slot")].toInt(), 0);
    EXPECT_EQ(inputs[0].toObject()[QStringLiteral("code")].toInt(), 17);
    EXPECT_EQ(inputs[0].toObject()[QStringLiteral("inputs")].toInt(), 3);
    EXPECT_EQ(inputs[0].toObject()[QStringLiteral("name")].toString(), QStringLiteral("3G-SDI, 4 inputs"));
    EXPECT_TRUE(inputs[2].toObject()[QStringLiteral("name")].isNull());
    EXPECT_EQ(inputs[7].toObject()[QStringLiteral("slot")].toInt(), 7);

    const QJsonArray outputs = json[QStringLiteral("outputModules")].toArray();
    ASSERT_EQ(outputs.size(), kSlotCount);
    EXPECT_EQ(outputs[1].toObject()[QStringLiteral("code")].toInt(), 128);
    EXPECT_EQ(outputs[1].toObject()[QStringLiteral("signals")].toArray(), (QJsonArray{0, 1, 0, 9}));

    const QJsonArray keyMap = json[QStringLiteral("keyMap")].toArray();
    const QJsonArray panelMap = json[QStringLiteral("panelInputMap")].toArray();
    ASSERT_EQ(keyMap.size(), kUsableInputs);
    ASSERT_EQ(panelMap.size(), kUsableInputs);
    for (int n = 0; n < kUsableInputs; ++n) {
        EXPECT_EQ(keyMap[n].toInt(), m_doc.image().keyMap[n]) << n;
        EXPECT_EQ(panelMap[n].toInt(), m_doc.image().panelInputMap[n]) << n;
    }
    EXPECT_EQ(keyMap[0].toInt(), 5);  // as stored: key number + 1
    EXPECT_EQ(panelMap[1].toInt(), 7);

    EXPECT_EQ(json[QStringLiteral("audio")].toArray()[0].toArray(), (QJsonArray{0, 5, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(json[QStringLiteral("audioKinds")].toArray().size(), kSlotCount);
    const QJsonArray labels = json[QStringLiteral("inputLabels")].toArray();
    ASSERT_EQ(labels.size(), kSlotCount);
    EXPECT_EQ(labels[0].toArray()[1].toString(), QStringLiteral("Caf\u00E9"));
    EXPECT_EQ(labels[0].toArray()[0].toString(), QString());  // default name: stored empty
    EXPECT_EQ(json[QStringLiteral("panelLabels")].toArray().size(), kPanelInputCount);
    EXPECT_EQ(json[QStringLiteral("panelLabels")].toArray()[3].toString(), QStringLiteral("Mic 4"));
}

TEST_F(KnownConfig, SummaryNamesModulesSignalsAndLinks) {
    const QString text = ConfigSummaryText(m_doc, QStringLiteral("known.vkcfg"), kConfigFileVersion2, m_skin);
    const QStringList lines = text.split(u'\n');
    EXPECT_EQ(lines[0], QStringLiteral("known.vkcfg (configuration file version 1.2)"));
    EXPECT_TRUE(text.contains(
        QStringLiteral("slot 1  SDI input; configuration 17 \"3G-SDI, 4 inputs\"; number of inputs: 3\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("slot 3  configuration 99 (not in the skin); number of inputs: 2\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("outputs: Program, Preview, Program, signal 9")));
    EXPECT_TRUE(text.contains(QStringLiteral("Inputs: 5 in use, 5 usable")));
    EXPECT_TRUE(text.contains(QStringLiteral("\"Caf\u00E9\"")));
    EXPECT_TRUE(text.contains(QStringLiteral("key  5")));
    EXPECT_TRUE(text.contains(QStringLiteral("panel input  8 \"A8\"")));
    EXPECT_EQ(text.count(QStringLiteral("  input ")), 5);
}

TEST_F(KnownConfig, EmbeddedAudioIsShownOnlyForSlotsOfThatKind) {
    EXPECT_FALSE(ConfigSummaryText(m_doc, {}, kConfigFileVersion2, m_skin).contains(QStringLiteral("audio group")));
    ConfigImage image = m_doc.image();
    image.audioKinds[0] = kAudioKindEmbedded;
    CMainDoc withKinds;
    ASSERT_TRUE(withKinds.ReadCfg(image, false));
    const QString text = ConfigSummaryText(withKinds, {}, kConfigFileVersion2, m_skin);
    EXPECT_EQ(text.count(QStringLiteral("audio group")), 3);
    EXPECT_TRUE(text.contains(QStringLiteral("audio group 3, pair 2")));  // 0x05: group bits 10, pair bit 1
}

}  // namespace
