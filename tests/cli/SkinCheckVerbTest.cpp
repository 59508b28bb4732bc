// vkx520ctl skin-check's exit statuses on the skins the checker's own tests use.
#include "cli/CmdSkinCheck.h"
#include "support/SkinCheckCases.h"

#include <gtest/gtest.h>

namespace {

using namespace skinchecks;

class SkinCheckVerb : public SkinCheckFiles {};

TEST_F(SkinCheckVerb, ExitsZeroOnACleanSkinAnd65OnEachDefect) {
    EXPECT_EQ(RunSkinCheck({Write(QStringLiteral("modules.xml"), CleanSkin())}), 0);
    for (const DefectCase& c : DefectCases()) {
        SCOPED_TRACE(c.name);
        QByteArray xml = CleanSkin();
        xml.replace(c.from, c.to);
        EXPECT_EQ(RunSkinCheck({Write(QStringLiteral("modules.xml"), xml)}), 65);
    }
}

TEST_F(SkinCheckVerb, UsageAndAMissingFile) {
    EXPECT_EQ(RunSkinCheck({QStringLiteral("a.xml"), QStringLiteral("b.xml")}), 64);
    EXPECT_EQ(RunSkinCheck({m_dir.filePath(QStringLiteral("none.xml"))}), 66);  // as every verb's missing input
}

}  // namespace
