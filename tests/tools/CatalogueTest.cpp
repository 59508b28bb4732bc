#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "tools/skingen/SkinCheck.h"
#include "tools/skingen/SkinXml.h"

using namespace skingen;

namespace {

class CatalogueTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_catalogue = new Catalogue(BuildCatalogue()); }
    static void TearDownTestSuite() { delete s_catalogue; }
    static const ConfigDef* Find(int id) {
        for (const ModuleDef& m : s_catalogue->modules)
            for (const ConfigDef& c : m.configs)
                if (c.id == id) return &c;
        return nullptr;
    }
    // Module types whose configurations are module codes, split by direction.
    static QList<const ModuleDef*> Modules(bool output) {
        QList<const ModuleDef*> found;
        for (const ModuleDef& m : s_catalogue->modules) {
            if (m.configs.isEmpty() || m.configs[0].id >= SKIN_ID_CARD) continue;
            const bool isOutput = m.configs[0].inputs.size() == 4 && m.configs[0].labels.size() == 1 &&
                                  m.configs[0].inputs[0].labels[1].text == LabelText::SignalName;
            if (isOutput == output) found.append(&m);
        }
        return found;
    }
    static Catalogue* s_catalogue;
};
Catalogue* CatalogueTest::s_catalogue = nullptr;

// Structure as the program's checker and the generator's rules see it once written.
TEST_F(CatalogueTest, PassesStructureAndLabelFitRules) {
    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(WriteSkin(*s_catalogue, dir.path(), &error)) << error.toStdString();
    const LoadedSkin written = LoadSkin(dir.path());
    EXPECT_EQ((written.problems + CheckGeneratorRules(written.skin)).join('\n').toStdString(), "");
    EXPECT_EQ(CheckLabelFit(*s_catalogue).join('\n').toStdString(), "");
}

TEST_F(CatalogueTest, ModuleCodesAreSingleBytesAndUnique) {
    QSet<int> ids;
    for (const ModuleDef& m : s_catalogue->modules)
        for (const ConfigDef& c : m.configs) {
            EXPECT_FALSE(ids.contains(c.id)) << c.id;
            ids.insert(c.id);
            if (c.id < SKIN_ID_CARD) {
                EXPECT_TRUE(c.id >= 1 && c.id <= 254) << c.id;
            }
        }
    for (int reserved :
         {SKIN_ID_CARD, SKIN_ID_UNKNOWN_OUTPUT, SKIN_ID_UNKNOWN_INPUT, SKIN_ID_INPUT_PANEL, SKIN_ID_KEY_PANEL})
        EXPECT_TRUE(ids.contains(reserved)) << reserved;
}

TEST_F(CatalogueTest, InputModulesOfferRangesWithinTheirConnectors) {
    const QList<const ModuleDef*> inputs = Modules(false);
    EXPECT_GE(inputs.size(), 4);
    int withAudio = 0;
    for (const ModuleDef* m : inputs) {
        withAudio += m->audio == 2;
        for (const ConfigDef& c : m->configs) {
            EXPECT_LE(c.inputs.size(), 8) << c.id;
            EXPECT_GE(c.minInputs, 1) << c.id;
            EXPECT_EQ(c.maxInputs, c.inputs.size()) << c.id << ": every offered input has a drawn connector";
            EXPECT_LE(c.minInputs, c.maxInputs) << c.id;
            // Embedded audio channel j belongs to input j.
            EXPECT_EQ(c.audio.size(), m->audio == 2 ? c.inputs.size() : 0) << c.id;
        }
    }
    EXPECT_GE(withAudio, 2);
}

TEST_F(CatalogueTest, OutputModulesHaveFourOutputsWithSignalLabels) {
    const QList<const ModuleDef*> outputs = Modules(true);
    EXPECT_GE(outputs.size(), 3);
    EXPECT_GE(s_catalogue->signalNames.size(), 6);
    for (const ModuleDef* m : outputs)
        for (const ConfigDef& c : m->configs) EXPECT_EQ(c.inputs.size(), 4) << c.id;
}

TEST_F(CatalogueTest, PanelsCarrySixteenPositionsWithTheirLabels) {
    const ConfigDef *keys = Find(SKIN_ID_KEY_PANEL), *panel = Find(SKIN_ID_INPUT_PANEL);
    ASSERT_TRUE(keys && panel);
    ASSERT_EQ(keys->inputs.size(), 16);
    ASSERT_EQ(panel->inputs.size(), 16);
    for (const AreaDef& key : keys->inputs) {
        ASSERT_EQ(key.labels.size(), 3);
        EXPECT_EQ(key.labels[0].text, LabelText::InputNumber);
        EXPECT_EQ(key.labels[1].text, LabelText::UserLabel);
        EXPECT_EQ(key.labels[2].text, LabelText::UserLabel);
    }
    for (const AreaDef& input : panel->inputs) EXPECT_EQ(input.labels.size(), 1);
}

TEST_F(CatalogueTest, RowPicturesShareOneHeight) {
    const int height = Find(SKIN_ID_CARD)->image.height();
    for (const ModuleDef& m : s_catalogue->modules)
        for (const ConfigDef& c : m.configs)
            if (c.id != SKIN_ID_KEY_PANEL && c.id != SKIN_ID_INPUT_PANEL) {
                EXPECT_EQ(c.image.height(), height) << c.id;
            }
}

TEST_F(CatalogueTest, CommittedSkinIsCurrentAndClean) {
    const QStringList problems = CheckSkin(QString(VKX_SOURCE_DIR) + "/res/skin", *s_catalogue);
    EXPECT_TRUE(problems.isEmpty()) << "regenerate with skingen --write res/skin:\n"
                                    << problems.join('\n').toStdString();
}

}  // namespace
