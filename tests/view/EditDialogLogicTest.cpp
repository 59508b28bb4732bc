#include "skin/Skin.h"
#include "view/EditDialogLogic.h"

#include <gtest/gtest.h>

namespace {

struct RangeCase {
    const char* name;
    int minInputs;
    int maxInputs;
    QStringList entries;
};

TEST(InputCountEntries, ListsEveryCountOfTheRange) {
    const RangeCase cases[] = {
        {"two to eight", 2, 8, {"2", "3", "4", "5", "6", "7", "8"}},
        {"one to four", 1, 4, {"1", "2", "3", "4"}},
        {"single count", 3, 3, {"3"}},
        {"zero allowed", 0, 1, {"0", "1"}},
        {"maximum below minimum offers nothing", 5, 4, {}},
    };
    for (const RangeCase& c : cases) {
        const uint32_t range = MakeInputRange(c.minInputs, c.maxInputs);
        EXPECT_EQ(RangeMinimum(range), c.minInputs) << c.name;
        EXPECT_EQ(RangeMaximum(range), c.maxInputs) << c.name;
        EXPECT_EQ(InputCountEntries(range), c.entries) << c.name;
    }
}

TEST(MakeInputRange, PacksMinimumLowAndMaximumHighHoldingEachToAByte) {
    EXPECT_EQ(MakeInputRange(2, 8), 0x0802u);
    EXPECT_EQ(MakeInputRange(255, 255), 0xFFFFu);
    EXPECT_EQ(MakeInputRange(-3, 300), 0xFF00u) << "out-of-byte values are held, not wrapped";
}

TEST(SkinInputRanges, FollowSkinOrderAndNeverOfferMoreThanASlotHolds) {
    CSkinModule module;
    module.m_configs.resize(3);
    module.m_configs[0].m_name = "Quad";
    module.m_configs[0].m_minInputs = 2;
    module.m_configs[0].m_maxInputs = 4;
    module.m_configs[1].m_name = "Octal";
    module.m_configs[1].m_minInputs = 1;
    module.m_configs[1].m_maxInputs = 8;
    module.m_configs[2].m_name = "Broken";
    module.m_configs[2].m_minInputs = 4;
    module.m_configs[2].m_maxInputs = 40;
    EXPECT_EQ(SkinConfigNames(module), QStringList({"Quad", "Octal", "Broken"}));
    EXPECT_EQ(SkinInputRanges(module), (std::vector<uint32_t>{0x0402u, 0x0801u, 0x0804u}));
}

TEST(SelectionRules, NoSelectionKeepsTheStoredValue) {
    struct Case {
        const char* name;
        int index, count, selectable;
    } const selectable[] = {
        {"first entry", 0, 3, 0}, {"last entry", 2, 3, 2},  {"past the end", 3, 3, -1},
        {"negative", -1, 3, -1},  {"empty list", 0, 0, -1},
    };
    for (const Case& c : selectable) EXPECT_EQ(SelectableIndex(c.index, c.count), c.selectable) << c.name;

    EXPECT_EQ(SelectionOrStored(2, 7), 2);
    EXPECT_EQ(SelectionOrStored(-1, 7), 7);
    EXPECT_EQ(InputsIndexOnOk(3, -2, false), 3);
    EXPECT_EQ(InputsIndexOnOk(-1, -2, false), -2) << "same configuration: the stored count stays";
    EXPECT_EQ(InputsIndexOnOk(-1, 5, true), 0) << "another configuration: its minimum";
}

TEST(AudioSetting, GroupInBitsOneToTwoPairInBitZero) {
    struct Case {
        uint8_t byte;
        int group, pair;
    } const cases[] = {
        {0, 0, 0}, {1, 0, 1}, {2, 1, 0}, {3, 1, 1}, {4, 2, 0}, {5, 2, 1}, {6, 3, 0}, {7, 3, 1},
    };
    for (const Case& c : cases) {
        const AudioChannel channel = DecodeAudioSetting(c.byte);
        EXPECT_EQ(channel.group, c.group) << int(c.byte);
        EXPECT_EQ(channel.stereoPair, c.pair) << int(c.byte);
        EXPECT_EQ(EncodeAudioSetting(c.group, c.pair), c.byte);
    }
}

TEST(AudioSetting, HighBitsAreIgnoredOnReadingAndZeroOnWriting) {
    const AudioChannel channel = DecodeAudioSetting(0xFD);
    EXPECT_EQ(channel.group, 2);
    EXPECT_EQ(channel.stereoPair, 1);
    EXPECT_EQ(EncodeAudioSetting(channel.group, channel.stereoPair), 5);
    EXPECT_EQ(EncodeAudioSetting(7, 3) & 0xF8, 0);
}

TEST(StorableLabel, CountsStoredBytesAndRefusesWhatCannotBeStored) {
    struct Case {
        const char* name;
        QString text;
        bool storable;
    } const cases[] = {
        {"empty", QString(), true},
        {"19 letters", QString(19, u'a'), true},
        {"20 letters", QString(20, u'a'), false},
        {"19 umlauts are 19 bytes", QString(19, u'\u00E4'), true},
        {"20 umlauts", QString(20, u'\u00E4'), false},
        {"euro sign has byte 0x80", QStringLiteral("5\u20AC"), true},
        {"greek omega has no byte", QStringLiteral("\u03A9"), false},
        {"character outside the basic plane", QString::fromUcs4(U"\U0001F600"), false},
        {"tab", QStringLiteral("a\tb"), false},
        {"NUL would cut the stored text", QString(QChar(0)), false},
        {"C1 control", QStringLiteral("\u0081"), false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsStorableLabel(c.text), c.storable) << c.name;
}

TEST(StorableLabel, ClipDropsUnstorableCharactersThenCuts) {
    EXPECT_EQ(ClipToStorableLabel(QString(25, u'x')), QString(19, u'x'));
    EXPECT_EQ(ClipToStorableLabel(QStringLiteral("Cam\u03A9 1\t")), QStringLiteral("Cam 1"));
    EXPECT_EQ(ClipToStorableLabel(QStringLiteral("Kamera s\u00FCd")), QStringLiteral("Kamera s\u00FCd"));
}

}  // namespace
