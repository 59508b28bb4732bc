#include "render/PaintFixture.h"
#include "render/LabelPainter.h"
#include "skin/LabelText.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

namespace {

class LabelTextTest : public PaintFixture {};

TEST_F(LabelTextTest, EachItemKindGivesTheTextsAndStateOfItsTable) {
    ASSERT_TRUE(m_doc.SetInputLabel(1, "Camera 2"));
    ASSERT_TRUE(m_doc.SetInputLabel(4, "Cam & Co"));
    ASSERT_TRUE(m_doc.SetPanelLabel(9, "Mic 10"));
    m_doc.SetPanelInputOfInput(4, 9);
    m_doc.AssignKey(14, 2);  // key 14 now shows input 2; key 2 has input 14, which is unusable
    Rebuild();
    const int cvbs = InputModuleItem(2), hdmi = InputModuleItem(1), output = OutputModuleItem(0);
    const struct {
        const char* name;
        int item, input;
        bool disabled;
        QString texts[kTextLabelsPerInput];
    } cases[] = {
        {"key: number, label, label of the linked panel input", 0, 4, false, {"5", "Cam & Co", "Mic 10"}},
        {"key: panel source on an embedded-audio module shows its input label",
         0,
         1,
         false,
         {"2", "Camera 2", "Camera 2"}},
        {"key moved onto input 2", 0, 14, false, {"3", "IN3", "IN3"}},
        {"key whose input is beyond the usable total", 0, 2, true, {}},
        {"key beyond the sixteen keys", 0, 16, true, {}},
        {"panel input with its default name", 1, 8, false, {"A9"}},
        {"panel input with a label", 1, 9, false, {"Mic 10"}},
        {"panel input of an SDI input (embedded audio)", 1, 0, true, {}},
        {"panel input of an HDMI input (embedded audio)", 1, 5, true, {}},
        {"panel input beyond the usable total", 1, 14, true, {}},
        {"module input: number across the slots and label", hdmi, 0, false, {"5", "Cam & Co"}},
        {"module input with its default name", cvbs, 5, false, {"14", "IN14"}},
        {"module input beyond the slot's count", cvbs, 6, true, {}},
        {"output and its signal name", output, 0, false, {"1", "Program"}},
        {"output with the last signal", output, 2, false, {"3", "Black"}},
        {"output whose signal has no name", output, 3, false, {"4", ""}},
        {"output area beyond the four outputs", output, 5, false, {"6", ""}},
        {"the card", CardItem(), 0, false, {}},
        {"no such item", 99, 0, false, {}},
    };
    InputLabelTexts texts;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        texts.text[0] = QStringLiteral("left over");
        GetInputLabelTexts(m_layout, c.item, m_skin, m_doc, c.input, texts);
        EXPECT_EQ(texts.disabled, c.disabled);
        for (int g = 0; g < kTextLabelsPerInput; ++g) EXPECT_EQ(texts.Get(g), c.texts[g]) << "label " << g;
        EXPECT_TRUE(texts.Get(kTextLabelsPerInput).isEmpty());
    }
    EXPECT_EQ(SlotNumberText(0), QStringLiteral("1"));
    EXPECT_EQ(SlotNumberText(7), QStringLiteral("8"));
}

TEST(OutlineColorTest, TheStrongestStateOfASubItemChoosesItsOneOutline) {
    CSkinConfig config;
    config.m_selectedColor = 0x11;
    config.m_focusedColor = 0x22;
    config.m_dropTargetColor = 0x33;
    const uint32_t bit2 = 1u << 2, audio1 = 1u << (SUBITEM_AUDIO + 1);
    const struct {
        const char* name;
        uint32_t mask;
        int sub, sel, drop;
        bool outlined;
        SkinColor color;
    } cases[] = {
        {"selected sub-item wins over drop target and mask", bit2, 2, 2, 2, true, 0x22},
        {"drop target wins over the mask", bit2, 2, -1, 2, true, 0x33},
        {"mask bit alone", bit2, 2, -1, -1, true, 0x11},
        {"another sub-item's bit", bit2, 3, -1, -1, false, 0},
        {"selection elsewhere", 0, 3, 2, 4, false, 0},
        {"audio channel selected with its bit set: one outline", audio1, SUBITEM_AUDIO + 1, SUBITEM_AUDIO + 1, -1, true,
         0x22},
        {"audio channel drop target with its bit set", audio1, SUBITEM_AUDIO + 1, -1, SUBITEM_AUDIO + 1, true, 0x33},
        {"last audio channel bit", 1u << 31, 31, -1, -1, true, 0x11},
        {"beyond the 32 bits", 0xFFFFFFFF, 32, -1, -1, false, 0},
        {"the whole item", 0xFFFFFFFF, -1, -1, -1, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SkinColor color = 0;
        EXPECT_EQ(GetOutlineColor(config, c.mask, c.sub, c.sel, c.drop, color), c.outlined);
        EXPECT_EQ(color, c.color);
    }
}

TEST(LabelFontTest, BoldFontWhoseCellHeightIsTheLabelSize) {
    const QString expectedFamily = QFontDatabase::hasFamily("Arial") ? "Arial" : "Liberation Sans";
    for (int cell : {10, 11, 13, 48}) {
        SCOPED_TRACE(cell);
        const QFont& font = LabelFont("Arial", cell);
        EXPECT_EQ(QFontInfo(font).family(), expectedFamily);
        EXPECT_TRUE(QFontInfo(font).bold());
        EXPECT_NEAR(QFontMetrics(font).height(), cell, 1);
        EXPECT_EQ(&LabelFont("Arial", cell), &font) << "kept, not made again";
    }
    EXPECT_EQ(QFontInfo(LabelFont("Courier New", 12)).fixedPitch(), true);
}

}  // namespace
