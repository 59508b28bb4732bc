#include "app/Placement.h"
#include "app/SettingKeys.h"
#include "TempProfile.h"

#include <gtest/gtest.h>

namespace {

struct IntDefault {
    IntSetting setting;
    int expected;
};

// The documented defaults, spelled out here independently of the key table.
const IntDefault kIntDefaults[] = {
    {kLayoutLeft, 22},   {kLayoutTop, 22},     {kLayoutWidth, 600},   {kLayoutHeight, 400},
    {kLayoutMaximize, 1}, {kViewToolBar, 1},   {kViewStatusBar, 1},   {kViewToolTips, 1},
    {kViewMessages, 1},  {kConnectionPort, 0}, {kDebugLog, 0},
};

TEST(SettingKeys, EveryKeyHasItsDefaultWithoutAFile) {
    TempProfile profile;
    for (const IntDefault& row : kIntDefaults)
        EXPECT_EQ(ReadSetting(row.setting), row.expected) << row.setting.section << "/" << row.setting.key;
    EXPECT_EQ(ReadSetting(kLanguageId), QString());
    EXPECT_FALSE(profile.Exists()) << "reading must not create the file";
}

TEST(SettingKeys, MissingKeyInAnExistingSectionGivesTheDefault) {
    TempProfile profile;
    profile.Write("[Layout]\r\nLeft=100\r\n[View]\r\n");
    EXPECT_EQ(ReadSetting(kLayoutLeft), 100);
    EXPECT_EQ(ReadSetting(kLayoutTop), 22);
    EXPECT_EQ(ReadSetting(kViewToolBar), 1);
}

TEST(SettingKeys, NonNumericValuesReadAsZero) {
    TempProfile profile;
    profile.Write("[Layout]\nWidth=wide\nMaximize=yes\n[View]\nToolBar=\n[Connection]\nPort=x3\n");
    EXPECT_EQ(ReadSetting(kLayoutWidth), 0);
    EXPECT_EQ(ReadSetting(kLayoutMaximize), 0);
    EXPECT_EQ(ReadSetting(kViewToolBar), 0);
    EXPECT_EQ(ReadSetting(kConnectionPort), 0);
}

TEST(SettingKeys, WrittenValuesReadBackUnderTheirSectionAndKey) {
    TempProfile profile;
    for (const IntDefault& row : kIntDefaults) ASSERT_TRUE(WriteSetting(row.setting, row.expected + 7));
    ASSERT_TRUE(WriteSetting(kLanguageId, QStringLiteral("Deutsch")));
    for (const IntDefault& row : kIntDefaults) {
        EXPECT_EQ(ReadSetting(row.setting), row.expected + 7) << row.setting.key;
        EXPECT_EQ(profile.Int(row.setting.section, row.setting.key), row.expected + 7);
    }
    EXPECT_EQ(ReadSetting(kLanguageId), "Deutsch");
}

TEST(SettingKeys, PortsMapToDevicePathsWithTtySDefaults) {
    TempProfile profile;
    profile.Write("[Ports]\nCOM3=/dev/ttyUSB0\n");
    EXPECT_EQ(PortName(0), "COM1");
    EXPECT_EQ(PortName(7), "COM8");
    EXPECT_EQ(PortDevicePath(0), "/dev/ttyS0");
    EXPECT_EQ(PortDevicePath(2), "/dev/ttyUSB0");
    EXPECT_EQ(PortDevicePath(7), "/dev/ttyS7");
}

struct PlacementCase {
    const char* name;
    QRect stored;
    QRect expected;
};

TEST(Placement, StoredRectangleIsKeptUnlessItCannotBeSeen) {
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const PlacementCase cases[] = {
        {"defaults", {22, 22, 600, 400}, {22, 22, 600, 400}},
        {"on the second screen", {2000, 100, 800, 600}, {2000, 100, 800, 600}},
        {"partly off the edge", {1800, 900, 600, 400}, {1800, 900, 600, 400}},
        {"zero size from a bad value", {22, 22, 0, 0}, {22, 22, kMinWindowSize.width(), kMinWindowSize.height()}},
        {"off every screen", {5000, 3000, 600, 400}, {22, 22, 600, 400}},
        {"negative, off every screen", {-2000, -900, 600, 400}, {22, 22, 600, 400}},
    };
    for (const PlacementCase& c : cases) EXPECT_EQ(UsablePlacement(c.stored, screens), c.expected) << c.name;
}

TEST(Placement, LostWindowMovesToTheFirstScreensCorner) {
    const QList<QRect> screens{QRect(100, 50, 800, 600)};
    EXPECT_EQ(UsablePlacement(QRect(-900, 0, 300, 200), screens), QRect(122, 72, 300, 200));
    EXPECT_EQ(UsablePlacement(QRect(-900, 0, 300, 200), {}), QRect(-900, 0, 300, 200)) << "no screen known";
}

}  // namespace
