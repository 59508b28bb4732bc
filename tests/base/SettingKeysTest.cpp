#include "base/SettingKeys.h"
#include "support/TempProfile.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFileInfo>

namespace {

struct IntDefault {
    IntSetting setting;
    int expected;
};

// The documented defaults, spelled out here independently of the key table.
const IntDefault kIntDefaults[] = {
    {kLayoutLeft, 22},    {kLayoutTop, 22},     {kLayoutWidth, 600}, {kLayoutHeight, 400},
    {kLayoutMaximize, 1}, {kViewToolBar, 1},    {kViewStatusBar, 1}, {kViewToolTips, 1},
    {kViewMessages, 1},   {kConnectionPort, 0}, {kDebugLog, 0},      {kConnectionNetworkTimeout, 3000},
};

TEST(SettingKeys, EveryKeyHasItsDefaultWithoutAFile) {
    TempProfile profile;
    for (const IntDefault& row : kIntDefaults)
        EXPECT_EQ(ReadSetting(row.setting), row.expected) << row.setting.section << "/" << row.setting.key;
    EXPECT_EQ(ReadSetting(kLanguageId), QString());
    EXPECT_FALSE(profile.Exists()) << "reading must not create the file";
}

struct StoredCase {
    const char* name;
    const char* file;
    IntSetting setting;
    int expected;
};

TEST(SettingKeys, StoredValuesMissingKeysAndNonNumericText) {
    const StoredCase cases[] = {
        {"stored value", "[Layout]\nLeft=100\n", kLayoutLeft, 100},
        {"other key of the section", "[Layout]\nLeft=100\n", kLayoutTop, 22},
        {"empty section", "[View]\n", kViewToolBar, 1},
        {"section names ignore case", "[layout]\nwidth=640\n", kLayoutWidth, 640},
        {"word", "[Layout]\nWidth=wide\n", kLayoutWidth, 0},
        {"yes is not a number", "[Layout]\nMaximize=yes\n", kLayoutMaximize, 0},
        {"empty value", "[View]\nToolBar=\n", kViewToolBar, 0},
        {"letter first", "[Connection]\nPort=x3\n", kConnectionPort, 0},
        {"digits then letters", "[Connection]\nPort=3x\n", kConnectionPort, 3},
    };
    TempProfile profile;
    for (const StoredCase& c : cases) {
        profile.Write(c.file);
        EXPECT_EQ(ReadSetting(c.setting), c.expected) << c.name;
    }
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

// Both programs store their language at every start; storing what is already
// there must not replace the file (a replacement costs a flush to disk).
TEST(SettingKeys, StoringTheStoredValueLeavesTheFileAlone) {
    struct Case {
        const char* name;
        IntSetting setting;
        int value;
        bool replaced;
    };
    const Case cases[] = {
        {"same value", kViewToolBar, 0, false},
        {"other value", kViewToolBar, 1, true},
        {"new key", kViewStatusBar, 0, true},
    };
    const QDateTime longAgo(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
    TempProfile profile;
    for (const Case& c : cases) {
        profile.Write("[View]\r\nToolBar=0\r\n");
        QFile file(profile.Path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.setFileTime(longAgo, QFileDevice::FileModificationTime));
        file.close();
        EXPECT_TRUE(WriteSetting(c.setting, c.value)) << c.name;
        EXPECT_EQ(QFileInfo(profile.Path()).lastModified() != longAgo, c.replaced) << c.name;
        EXPECT_EQ(ReadSetting(c.setting), c.value) << c.name;
    }
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

}  // namespace
