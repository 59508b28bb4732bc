// Skins for the skin checker's tests: a small clean one, the defects each
// replacement of it makes, and a folder holding its pictures.
#pragma once

#include "skin/BmpBuilder.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace skinchecks {

inline QByteArray PanelInputs(const char* prefix) {
    QByteArray inputs = "<inputs>";
    for (int k = 0; k < 16; ++k)
        inputs += "<input Type=\"" + QByteArray(prefix) + QByteArray::number(k) + "\" Left=\"" +
                  QByteArray::number(2 * k) + "\" Top=\"0\" Right=\"" + QByteArray::number(2 * k + 2) +
                  "\" Bottom=\"5\"/>";
    return inputs + "</inputs>";
}

// A small skin that the checker finds clean: every picture is 40 x 20.
inline QByteArray CleanSkin() {
    const QByteArray whole = R"(Left="0" Top="0" Right="40" Bottom="20" Picture="r.bmp")";
    return R"(<skin>
 <signals><signal name="SDI"/></signals>
 <modules>
  <module Type="In" Audio="2"><configurations>
   <configuration ID="10" Name="In" MinInputs="1" MaxInputs="4" Left="0" Top="0" Right="40" Bottom="20" Picture="m.bmp">
    <labels><label Left="20" Top="10" Right="40" Bottom="20" Font="Arial" FontSize="8"/></labels>
    <inputs><input Type="BNC" Left="0" Top="0" Right="10" Bottom="10"><labels><label Left="0" Top="10" Right="10" Bottom="19" Font="Arial" FontSize="8"/></labels></input></inputs>
    <audio><input Type="Ch" Left="10" Top="0" Right="20" Bottom="10"/></audio>
   </configuration>
  </configurations></module>
  <module Type="Panels"><configurations>
   <configuration ID="999" )" +
           whole + ">" + PanelInputs("K") + R"(</configuration>
   <configuration ID="998" )" +
           whole + ">" + PanelInputs("P") + R"(</configuration>
   <configuration ID="997" )" +
           whole + R"(/>
   <configuration ID="996" )" +
           whole + R"(/>
   <configuration ID="995" )" +
           whole + R"(/>
  </configurations></module>
 </modules>
</skin>)";
}

class SkinCheckFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        BmpFields f;
        f.width = 40;
        f.height = 20;
        f.bitsPerPixel = 24;
        f.rows.assign(20, std::vector<uint8_t>(120, 0x80));
        for (const char* name : {"m.bmp", "r.bmp"}) Write(QString::fromLatin1(name), BuildBmp(f));
    }
    QString Write(const QString& name, const QByteArray& bytes) {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QTemporaryDir m_dir;
};

struct DefectCase {
    std::string name;
    QByteArray from, to;            // the defect: one replacement in the clean skin
    std::vector<QString> expected;  // one problem line containing each text
};

inline std::vector<DefectCase> DefectCases() {
    const QByteArray label = R"(Left="0" Top="10" Right="10" Bottom="19" Font="Arial" FontSize="8")";
    return {
        {"reserved ID missing", R"(ID="997")", R"(ID="97")", {"reserved configuration ID 997 is missing"}},
        {"duplicate ID",
         R"(ID="996")",
         R"(ID="10")",
         {"reserved configuration ID 996 is missing", "configuration 10 (\"\" of module \"Panels\"): duplicate ID"}},
        {"picture that does not exist",
         "Picture=\"m.bmp\"",
         "Picture=\"gone.bmp\"",
         {"picture \"gone.bmp\" cannot be loaded: file cannot be opened"}},
        {"picture that is no BMP", "Picture=\"m.bmp\"", "Picture=\"modules.xml\"", {"no \"BM\" signature"}},
        {"audio area outside the picture",
         R"(Right="20" Bottom="10"/>)",
         R"(Right="50" Bottom="10"/>)",
         {"audio channel 0 area 10,0-50,10 lies outside the 40x20 picture"}},
        {"label box outside the picture",
         label,
         R"(Left="0" Top="10" Right="10" Bottom="21" Font="Arial" FontSize="8")",
         {"input 0 label 0 box 0,10-10,21 lies outside"}},
        {"empty input area",
         R"(Right="10" Bottom="10"><labels>)",
         R"(Right="0" Bottom="10"><labels>)",
         {"input 0 area 0,0-0,10 is empty"}},
        {"unknown element", "<audio>", "<extra/><audio>", {"element \"extra\" under \"configuration\" is ignored"}},
        {"unknown attribute",
         "Type=\"In\"",
         "Type=\"In\" Colour=\"1\"",
         {"attribute \"Colour\" of \"module\" is ignored"}},
        {"second modules", "</skin>", "<modules/></skin>", {"second \"modules\" under \"skin\" is ignored"}},
        {"labels under an audio channel",
         R"(Bottom="10"/></audio>)",
         R"(Bottom="10"><labels/></input></audio>)",
         {"element \"labels\" under \"input\" is ignored"}},
        {"configuration without ID",
         "</configurations></module>\n  <module",
         "<configuration/></configurations></module>\n  <module",
         {"configuration without an ID is skipped"}},
        {"label without font",
         label,
         R"(Left="0" Top="10" Right="10" Bottom="19" FontSize="8")",
         {"label without \"Font\" is skipped"}},
        {"long font face",
         label,
         R"(Left="0" Top="10" Right="10" Bottom="19" Font="ABCDEFGHIJKLMNOPQRSTUVWXYZabcdef" FontSize="8")",
         {"is cut to 31 characters"}},
        {"malformed XML", "</skin>", "</skn>", {"not well-formed XML"}},
        {"fewer than 16 keys",
         R"(<input Type="K15" Left="30" Top="0" Right="32" Bottom="5"/>)",
         "",
         {"15 input areas, the panel needs 16"}},
        {"input range reversed", R"(MinInputs="1")", R"(MinInputs="5")", {"MinInputs 5 above MaxInputs 4"}},
        {"ID beyond a module code", R"(ID="10")", R"(ID="300")", {"ID is neither a module code"}},
        {"no signal names", R"(<signal name="SDI"/>)", "", {"no output signal names"}},
    };
}

}  // namespace skinchecks
