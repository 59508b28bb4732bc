// Where files are found: the portable/installed decision, and that an
// installed program reads its shipped files from the data folder and writes
// only to the user's folders.
#include "base/DiagLog.h"
#include "base/ProgramPaths.h"
#include "base/Settings.h"
#include "lang/LanguageManager.h"
#include "support/LanguageTestFiles.h"
#include "lang/UiText.h"
#include "res/resource.h"
#include "skin/Skin.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

using langtest::WriteBytes;

namespace {

// The mode follows the layout: an install is recognised by its data folder,
// whatever lies beside the executable and whoever runs it (root may write
// into /usr/bin, and a settings file an earlier root run left there must not
// turn the install portable).
TEST(ProgramPathsTest, DecisionFollowsTheLayout) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    struct Row {
        const char* name;
        bool shippedSkin;  // prefix/share/vkx520setup/modules.xml
        bool settingsBeside;
        bool readOnlyBin;
        PathMode expected;
    };
    const Row rows[] = {
        {"build folder", false, false, false, PathMode::Portable},
        {"unpacked copy with settings", false, true, true, PathMode::Portable},
        {"install", true, false, true, PathMode::Installed},
        {"install writable, as for root", true, false, false, PathMode::Installed},
        {"install with a settings file left beside", true, true, false, PathMode::Installed},
    };
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    for (const Row& row : rows) {
        const QString prefix = root.filePath(row.name);
        const QString bin = prefix + "/bin";
        ASSERT_TRUE(QDir().mkpath(bin));
        if (row.shippedSkin) {
            ASSERT_TRUE(QDir().mkpath(prefix + "/share/vkx520setup"));
            WriteBytes(prefix + "/share/vkx520setup/modules.xml", "<Modules/>");
        }
        if (row.settingsBeside) WriteBytes(bin + "/VKX520Setup.ini", "[Language]\r\n");
        if (row.readOnlyBin) {
            ASSERT_TRUE(QFile::setPermissions(bin, readOnly));
        }
        EXPECT_EQ(DecidePathMode(bin), row.expected) << row.name;
        EXPECT_EQ(InstalledDataFolder(bin), QDir::cleanPath(prefix + "/share/vkx520setup")) << row.name;
        QFile::setPermissions(bin, readOnly | QFileDevice::WriteOwner);
    }
    // A folder of that name without the skin is no install.
    ASSERT_TRUE(QDir().mkpath(root.filePath("empty/bin")));
    ASSERT_TRUE(QDir().mkpath(root.filePath("empty/share/vkx520setup/modules.xml")));
    EXPECT_EQ(DecidePathMode(root.filePath("empty/bin")), PathMode::Portable);
}

// A prefix and a home of their own: the per-user folders follow the XDG
// variables, the data folder is forced.
class InstalledModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_root.isValid());
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
            qputenv(name, QFile::encodeName(m_root.filePath(QString::fromLatin1(name).toLower())));
        ASSERT_TRUE(QDir().mkpath(Data()));
        ForceInstalledMode(Data());
        SetAppProfilePath({});
        ResetLogState();
    }
    void TearDown() override {
        Languages().Reset();
        ForceInstalledMode({});
        ResetLogState();
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"}) qunsetenv(name);
    }
    QString Data() const { return m_root.filePath("share/vkx520setup"); }
    QString Home(const QString& below) const { return m_root.filePath(below); }

    QTemporaryDir m_root;
};

// What the program would leave beside the executable, if it wrote there.
QStringList BesideExecutable() {
    QStringList stamps;
    const QString title = QFileInfo(ExecutablePath()).completeBaseName();
    for (const QString& name : {title + ".ini", title + ".log", QString("VKX520Setup.ini"), QString("Shipped.lng"),
                                QString("Mine.lng"), QString("Deutsch.lng")}) {
        const QFileInfo file(ExecutableDir() + u'/' + name);
        stamps << name + (file.exists() ? file.lastModified().toString(Qt::ISODateWithMs) : QString("-"));
    }
    return stamps;
}

TEST_F(InstalledModeTest, ReadsShippedFilesAndWritesOnlyToTheUsersFolders) {
    const QStringList before = BesideExecutable();
    EXPECT_EQ(ProgramPathMode(), PathMode::Installed);
    EXPECT_EQ(SharedSettingsPath(), Home("xdg_config_home/vkx520setup/VKX520Setup.ini"));
    EXPECT_EQ(DefaultSkinPath(), Data() + "/modules.xml");
    EXPECT_EQ(UserLanguageFolder(), Home("xdg_data_home/vkx520setup/languages"));
    // Naming the folders and reading the settings make nothing: the first write does.
    EXPECT_EQ(AppProfile().GetString("Language", "LangID", "none"), "none");
    EXPECT_EQ(QDir(m_root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"share"});

    // Settings and the log: file names as beside the executable.
    ASSERT_TRUE(AppProfile().WriteInt("Debug", "Log", 1));
    EXPECT_EQ(QFileInfo(AppProfile().path()).dir().path(), SettingsFolder());
    LogMessage("installed");
    EXPECT_TRUE(QFileInfo(ProgramLogPath()).size() > 0) << ProgramLogPath().toStdString();
    EXPECT_TRUE(ProgramLogPath().startsWith(m_root.path()));

    // Languages: the user's translation of a shipped title wins; new ones go
    // to the user's folder.
    WriteBytes(Data() + "/Base.lna", langtest::FileBytes({}));
    WriteBytes(Data() + "/Deutsch.lng", langtest::FileBytes({{StringKey(IDS_IDLE), "Bereit"}}));
    WriteBytes(Data() + "/Shipped.lng", langtest::FileBytes({}));
    ASSERT_TRUE(QDir().mkpath(UserLanguageFolder()));  // as a translation saved before left it
    WriteBytes(UserLanguageFolder() + "/Deutsch.lng", langtest::FileBytes({{StringKey(IDS_IDLE), "Fertig"}}));
    WriteBytes(UserLanguageFolder() + "/Mine.lng", langtest::FileBytes({}));
    AppProfile().WriteString("Language", "LangID", "Deutsch");
    LanguageManager& languages = Languages();
    languages.SetProgramLocation({}, "Base");
    ASSERT_TRUE(languages.InitLanguages());
    QStringList titles = languages.LanguageList();
    titles.sort();
    EXPECT_EQ(titles, (QStringList{"Deutsch", "Mine", "Shipped"}));
    EXPECT_EQ(LoadUiString(IDS_IDLE), "Fertig");
    EXPECT_EQ(languages.SaveLanguageTable(LanguageTable(), "Shipped", ".lng"), LANG_OK);
    EXPECT_TRUE(QFile::exists(UserLanguageFolder() + "/Shipped.lng"));
    EXPECT_EQ(languages.FilePath("Shipped", ".lng"), UserLanguageFolder() + "/Shipped.lng");
    EXPECT_EQ(languages.FilePath("Base", ".lna"), Data() + "/Base.lna");

    EXPECT_EQ(BesideExecutable(), before);
}

}  // namespace
