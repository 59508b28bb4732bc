#include "skin/SkinCheck.h"
#include "skin/Skin.h"
#include "support/SkinCheckCases.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace {

using namespace skinchecks;

class SkinCheckTest : public SkinCheckFiles {};

TEST_F(SkinCheckTest, ACleanSkinHasNoProblems) {
    const QString path = Write(QStringLiteral("modules.xml"), CleanSkin());
    EXPECT_EQ(CheckSkinFile(path), QStringList());
}

// Tools that go on to use the skin get the tree the check loaded, never one
// left from an earlier call.
TEST_F(SkinCheckTest, HandsBackTheSkinItLoaded) {
    const QString path = Write(QStringLiteral("modules.xml"), CleanSkin());
    CSkin skin;
    EXPECT_EQ(CheckSkinFile(path, skin), QStringList());
    const CSkinConfig* config = skin.FindConfig(10);
    ASSERT_TRUE(config);
    EXPECT_EQ(config->m_pictureWidth, 40);
    EXPECT_EQ(config->m_picture.bitsPerPixel(), 24);
    EXPECT_EQ(CheckSkinFile(m_dir.filePath(QStringLiteral("none.xml")), skin).size(), 1);
    EXPECT_TRUE(skin.IsEmpty());
}

TEST_F(SkinCheckTest, EachDefectIsListedAndFailsTheCheck) {
    for (const DefectCase& c : DefectCases()) {
        SCOPED_TRACE(c.name);
        QByteArray xml = CleanSkin();
        ASSERT_TRUE(xml.contains(c.from));
        xml.replace(c.from, c.to);
        const QString path = Write(QStringLiteral("modules.xml"), xml);
        const QStringList problems = CheckSkinFile(path);
        EXPECT_EQ(problems.size(), qsizetype(c.expected.size())) << problems.join(u'\n').toStdString();
        for (const QString& text : c.expected)
            EXPECT_EQ(problems.filter(text).size(), 1) << text.toStdString() << "\n"
                                                       << problems.join(u'\n').toStdString();
    }
}

TEST_F(SkinCheckTest, MarkupProblemsCarryTheirLineNumbers) {
    const QStringList problems = CheckSkinMarkup("<skin>\n<modules>\n<module>\n<bogus/>\n</module></modules></skin>");
    EXPECT_EQ(problems, QStringList{QStringLiteral("line 4: element \"bogus\" under \"module\" is ignored")});
}

TEST_F(SkinCheckTest, UnreadableAndEmptyFiles) {
    EXPECT_EQ(CheckSkinFile(m_dir.filePath(QStringLiteral("none.xml"))).size(), 1);
    EXPECT_EQ(CheckSkinMarkup(QByteArrayView()),
              QStringList{QStringLiteral("empty file; the program would show no skin")});
}

}  // namespace
