#include "base/Settings.h"
#include "base/FileIo.h"
#include "support/FailingWrites.h"
#include "support/SpecialFiles.h"

#include <gtest/gtest.h>

namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ProfileFileTest : public testing::Test {
protected:
    ProfileFile Profile(const QByteArray& bytes) {
        QFile file(m_path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        ForgetProfileCache();
        return ProfileFile(m_path);
    }
    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath("VKX520Setup.ini");
};

}  // namespace

// Windows-1252 bytes, comments, other programs' sections and their line ends
// are not ours to change: a write replaces one line or adds one.
TEST_F(ProfileFileTest, WritesChangeOneLineAndKeepEveryOtherByte) {
    const QByteArray foreign = "; caf\xE9 \xFF\xFE comment\r\n[Other]\r\nName=M\xFCller\r\n\r\n[View]\nToolBar=1\r\n";
    struct Case {
        const char* name;
        QByteArray file;
        const char* section;
        const char* key;
        const char* value;
        QByteArray expected;
    } const cases[] = {
        {"replaced", foreign, "View", "toolbar", "0",
         "; caf\xE9 \xFF\xFE comment\r\n[Other]\r\nName=M\xFCller\r\n\r\n[View]\ntoolbar=0\r\n"},
        {"added to its section", foreign, "other", "Port", "3",
         "; caf\xE9 \xFF\xFE comment\r\n[Other]\r\nName=M\xFCller\r\nPort=3\r\n\r\n[View]\nToolBar=1\r\n"},
        {"new section after a last line without its end", "[A]\nx=1", "Language", "LangID", "Fran\u00e7ais",
         "[A]\nx=1\n[Language]\nLangID=Fran\xE7"
         "ais\n"},
        {"outside the code page kept in UTF-8", "", "Language", "LangID", "\u0420\u0443\u0441",
         "[Language]\r\nLangID=\xD0\xA0\xD1\x83\xD1\x81\r\n"},
        {"stored in UTF-8 by an earlier version: left as it is",
         "[Language]\r\nLangID=Fran\xC3\xA7"
         "ais\r\n",
         "Language", "LangID", "Fran\u00e7ais",
         "[Language]\r\nLangID=Fran\xC3\xA7"
         "ais\r\n"},
    };
    for (const Case& c : cases) {
        const ProfileFile profile = Profile(c.file);
        EXPECT_TRUE(profile.WriteString(c.section, c.key, QString::fromUtf8(c.value))) << c.name;
        EXPECT_EQ(Contents(m_path), c.expected) << c.name;
        EXPECT_EQ(profile.GetString(c.section, c.key), QString::fromUtf8(c.value)) << c.name;
    }
    const ProfileFile profile = Profile(foreign);
    EXPECT_EQ(profile.GetString("Other", "Name"), QString::fromUtf8("M\u00fcller"));
}

TEST_F(ProfileFileTest, ValuesReadInTheCodePageAndAsEarlierVersionsWroteThem) {
    const struct {
        QByteArray line;
        const char* expected;
    } cases[] = {
        {"LangID=Fran\xE7"
         "ais",
         "Fran\u00e7ais"},
        {"LangID=Fran\xC3\xA7"
         "ais",
         "Fran\u00e7ais"},  // UTF-8, as written before
        {"LangID=\"quoted\"", "quoted"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Profile("[Language]\r\n" + c.line + "\r\n").GetString("Language", "LangID"),
                  QString::fromUtf8(c.expected));
}

TEST_F(ProfileFileTest, ChangesOnDiskAreSeen) {
    const ProfileFile profile = Profile("[View]\nToolBar=1\n");
    EXPECT_EQ(profile.GetInt("View", "ToolBar", 7), 1);
    QFile file(m_path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[View]\nToolBar=0\nStatusBar=0\n");  // another size: no need to forget
    file.close();
    EXPECT_EQ(profile.GetInt("View", "ToolBar", 7), 0);
}

TEST_F(ProfileFileTest, FailedWritesKeepTheFileAndAreSaidOnce) {
    const QByteArray old = "[View]\r\nToolBar=1\r\n";
    const ProfileFile profile = Profile(old);
    QStringList said;
    SetProfileWriteFailureHandler([&](const QString& path) { said << path; });
    FailNthFileWrite fullDisk(1);
    EXPECT_FALSE(profile.WriteInt("View", "ToolBar", 0));
    SpecialFiles special;
    for (const QString& path : {special.fifo(), special.zeroLink()}) {
        const ProfileFile odd(path);
        EXPECT_EQ(odd.GetInt("View", "ToolBar", 5), 5) << qPrintable(path);
        EXPECT_FALSE(odd.WriteInt("View", "ToolBar", 0)) << qPrintable(path);
    }
    SetProfileWriteFailureHandler({});
    EXPECT_EQ(Contents(m_path), old);
    EXPECT_EQ(said, QStringList{m_path});
    EXPECT_TRUE(special.Intact());
}
