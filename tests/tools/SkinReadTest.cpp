#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "skin/SkinCheck.h"
#include "tools/skingen/SkinCheck.h"
#include "tools/skingen/SkinXml.h"

using namespace skingen;

namespace {

LoadedSkin ReadText(const QByteArray& xml) {
    QTemporaryDir dir;
    QFile file(SkinXmlPath(dir.path()));
    if (!file.open(QIODevice::WriteOnly) || file.write(xml) != xml.size()) return {};
    file.close();
    return LoadSkin(dir.path());
}

// The generator reads skins back with the program's loader and checker, so the
// check sees what the program sees.
TEST(SkinRead, OnlyTheFirstListsAndTheRightParentsCount) {
    const LoadedSkin r = ReadText(R"(<anything>
    <signals><signal name="A"/><signal/></signals>
    <signals><signal name="ignored"/></signals>
    <modules>
      <module Type="T" Audio=" 2x">
        <configurations>
          <configuration ID="7" Name="N" MinInputs=" 4abc" Left="1" Top="2" Right="11" Bottom="22">
            <input Type="outside the lists"/>
            <inputs><input Type="in" Left="3" Top="4" Right="5" Bottom="6">
              <labels><label Left="0" Top="0" Right="9" Bottom="9" Font="Arial" FontSize="8" Color="0X0000FF"/></labels>
            </input></inputs>
            <audio><input Type="aud"><labels><label Left="0" Top="0" Right="1" Bottom="1" Font="F" FontSize="1"/></labels></input></audio>
          </configuration>
          <configuration Name="no ID"/>
        </configurations>
      </module>
    </modules>
    <modules><module Type="never seen"/></modules>
  </anything>)");
    ASSERT_TRUE(r.loaded);
    EXPECT_EQ(r.skin.signalNames, QStringList({"A", ""}));
    ASSERT_EQ(r.skin.modules.size(), 1);
    const ModuleDef& m = r.skin.modules[0];
    EXPECT_EQ(m.audio, 2);
    ASSERT_EQ(m.configs.size(), 1) << "a configuration without ID is skipped";
    const ConfigDef& c = m.configs[0];
    EXPECT_EQ(c.minInputs, 4);
    EXPECT_EQ(c.area, QRect(1, 2, 10, 20)) << "right and bottom are exclusive";
    ASSERT_EQ(c.inputs.size(), 1);
    EXPECT_EQ(c.inputs[0].rect, QRect(3, 4, 2, 2));
    ASSERT_EQ(c.inputs[0].labels.size(), 1);
    EXPECT_EQ(c.inputs[0].labels[0].style.color, qRgb(255, 0, 0));
    ASSERT_EQ(c.audio.size(), 1);
    EXPECT_TRUE(c.audio[0].labels.isEmpty()) << "labels under an audio channel are not read";
    EXPECT_TRUE(r.problems.join('\n').contains("configuration without an ID is skipped"));
}

TEST(SkinRead, LabelRules) {
    struct Row {
        const char* label;
        const char* problem;  // nullptr: clean
    } rows[] = {
        {R"(<label Left="0" Top="0" Right="9" Bottom="9" Font="Arial" FontSize="8"/>)", nullptr},
        {R"(<label Top="0" Right="9" Bottom="9" Font="Arial" FontSize="8"/>)", "label without \"Left\" is skipped"},
        {R"(<label Left="0" Top="0" Right="9" Bottom="9" FontSize="8"/>)", "label without \"Font\" is skipped"},
        {R"(<label Left="0" Top="0" Right="9" Bottom="9" Font="Arial"/>)", "label without \"FontSize\" is skipped"},
        {R"(<label Left="0" Top="0" Right="9" Bottom="9" Font="Arial" FontSize="0"/>)", "not positive"},
        {R"(<label Left="0" Top="0" Right="9" Bottom="9" Font="A Very Long Font Face Name Beyond" FontSize="8"/>)",
         "is cut to 31 characters"},
    };
    for (const Row& row : rows) {
        const QByteArray xml = QByteArray("<s><modules><module><configurations><configuration ID=\"1\"><labels>") +
                               row.label + "</labels></configuration></configurations></module></modules></s>";
        // The label rules of the program's markup check and of the generator; the
        // rest of the program's check wants a complete skin.
        const LoadedSkin r = ReadText(xml);
        ASSERT_TRUE(r.loaded) << row.label;
        const QStringList problems = CheckSkinMarkup(xml) + CheckGeneratorRules(r.skin);
        if (row.problem)
            EXPECT_TRUE(problems.join('\n').contains(row.problem)) << row.label << '\n'
                                                                   << problems.join('\n').toStdString();
        else
            EXPECT_TRUE(problems.isEmpty()) << row.label << '\n' << problems.join('\n').toStdString();
    }
}

TEST(SkinRead, MalformedFileIsReportedNotLoaded) {
    const LoadedSkin r = ReadText("<skin><modules>");
    EXPECT_FALSE(r.loaded);
    EXPECT_FALSE(r.problems.isEmpty());
}

}  // namespace
