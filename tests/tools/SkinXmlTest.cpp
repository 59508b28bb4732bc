#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tinyxml2.h>

#include "skin/Skin.h"
#include "tools/skingen/BmpFile.h"
#include "tools/skingen/SkinCheck.h"
#include "tools/skingen/SkinXml.h"

using namespace skingen;

namespace {

// The generator writes what the program's readings give back.
TEST(SkinXmlNumbers, DecimalAndNumberReadings) {
    struct Row {
        const char* text;
        int decimal, number;
    } rows[] = {
        {" 4abc", 4, 4},        {"-12", -12, -12},
        {"+7", 7, 7},           {"abc", 0, 0},
        {"0x", 0, 0},           {"0X00FF00", 0, 65280},
        {"0x00ff00", 0, 65280}, {"65280", 65280, 65280},
        {"0x1G", 0, 1},         {"", 0, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ReadSkinDecimal(r.text), r.decimal) << '"' << r.text << '"';
        EXPECT_EQ(int(ReadSkinNumber(r.text)), r.number) << '"' << r.text << '"';
    }
    EXPECT_EQ(ReadSkinDecimal(nullptr), 0);
    EXPECT_EQ(ReadSkinNumber(nullptr), 0u);
}

TEST(SkinXmlColours, RedIsTheLowByte) {
    EXPECT_EQ(ColourText(qRgb(255, 0, 0)), "0x0000FF");
    EXPECT_EQ(ColourText(qRgb(0, 0, 255)), "0xFF0000");
    EXPECT_EQ(ColourText(qRgb(0x12, 0x34, 0x56)), "0x563412");
    for (QRgb c : {qRgb(1, 2, 3), qRgb(250, 128, 7), qRgb(0, 0, 0)})
        EXPECT_EQ(SkinColorToRgb(ReadSkinNumber(ColourText(c).toLatin1().constData())), c);
}

// Edits the written modules.xml: finds the first element path and applies f.
bool EditXml(const QString& dir, void (*edit)(tinyxml2::XMLElement* root)) {
    tinyxml2::XMLDocument doc;
    const QByteArray path = QFile::encodeName(dir + "/modules.xml");
    if (doc.LoadFile(path.constData()) != tinyxml2::XML_SUCCESS) return false;
    edit(doc.FirstChildElement());
    return doc.SaveFile(path.constData()) == tinyxml2::XML_SUCCESS;
}

tinyxml2::XMLElement* FirstConfig(tinyxml2::XMLElement* root) {
    return root->FirstChildElement("modules")
        ->FirstChildElement("module")
        ->FirstChildElement("configurations")
        ->FirstChildElement("configuration");
}

tinyxml2::XMLElement* ConfigWithId(tinyxml2::XMLElement* root, int id) {
    for (auto* m = root->FirstChildElement("modules")->FirstChildElement("module"); m;
         m = m->NextSiblingElement("module"))
        for (auto* c = m->FirstChildElement("configurations")->FirstChildElement("configuration"); c;
             c = c->NextSiblingElement("configuration"))
            if (c->IntAttribute("ID") == id) return c;
    return nullptr;
}

struct Damage {
    const char* name;
    void (*apply)(const QString& dir);
    const char* expected;  // part of the problem text
};

class SkinCheckFinds : public ::testing::TestWithParam<Damage> {
protected:
    static void SetUpTestSuite() { s_catalogue = new Catalogue(BuildCatalogue()); }
    static void TearDownTestSuite() { delete s_catalogue; }
    static Catalogue* s_catalogue;
};
Catalogue* SkinCheckFinds::s_catalogue = nullptr;

TEST_P(SkinCheckFinds, Damage) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString error;
    ASSERT_TRUE(WriteSkin(*s_catalogue, dir.path(), &error)) << error.toStdString();
    ASSERT_TRUE(CheckSkin(dir.path(), *s_catalogue).isEmpty()) << "a freshly written skin is clean";
    GetParam().apply(dir.path());
    const QStringList problems = CheckSkin(dir.path(), *s_catalogue);
    ASSERT_FALSE(problems.isEmpty());
    EXPECT_TRUE(problems.join('\n').contains(GetParam().expected)) << problems.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Skins, SkinCheckFinds,
    ::testing::Values(
        Damage{"InputAreaOutsidePicture",
               [](const QString& d) {
                   EditXml(d, [](auto* root) {
                       FirstConfig(root)->FirstChildElement("inputs")->FirstChildElement("input")->SetAttribute("Right",
                                                                                                                5000);
                   });
               },
               "outside"},
        Damage{"LabelBoxOutsidePicture",
               [](const QString& d) {
                   EditXml(d, [](auto* root) {
                       FirstConfig(root)->FirstChildElement("labels")->FirstChildElement("label")->SetAttribute("Top",
                                                                                                                -3);
                   });
               },
               "outside"},
        Damage{"PictureMissing", [](const QString& d) { QFile::remove(d + "/pictures/in_sdi_hd8.bmp"); },
               "in_sdi_hd8.bmp\" cannot be loaded: file cannot be opened"},
        Damage{"PictureOfAnotherSize",
               [](const QString& d) {
                   QString e;
                   WriteFileBytes(d + "/pictures/out_hdmi.bmp", EncodeBmp24(QImage(10, 10, QImage::Format_RGB32)), &e);
               },
               "declared"},
        Damage{"PictureNotBmp",
               [](const QString& d) {
                   QString e;
                   WriteFileBytes(d + "/pictures/key_panel.bmp", "PNG but not really", &e);
               },
               "picture"},
        Damage{"DuplicateId",
               [](const QString& d) { EditXml(d, [](auto* root) { ConfigWithId(root, 17)->SetAttribute("ID", 16); }); },
               "duplicate ID"},
        Damage{
            "ReservedIdMissing",
            [](const QString& d) { EditXml(d, [](auto* root) { ConfigWithId(root, 998)->SetAttribute("ID", 250); }); },
            "998 is missing"},
        Damage{
            "CodeTooLarge",
            [](const QString& d) { EditXml(d, [](auto* root) { ConfigWithId(root, 128)->SetAttribute("ID", 300); }); },
            "outside 1..254"},
        Damage{"LabelWithoutFont",
               [](const QString& d) {
                   EditXml(d, [](auto* root) {
                       FirstConfig(root)->FirstChildElement("labels")->FirstChildElement("label")->DeleteAttribute(
                           "Font");
                   });
               },
               "label without \"Font\" is skipped"},
        Damage{"OverlappingInputs",
               [](const QString& d) {
                   EditXml(d, [](auto* root) {
                       auto* first = FirstConfig(root)->FirstChildElement("inputs")->FirstChildElement("input");
                       first->SetAttribute("Bottom", first->NextSiblingElement("input")->IntAttribute("Top") + 4);
                   });
               },
               "overlaps"},
        Damage{"MalformedXml",
               [](const QString& d) {
                   QFile f(d + "/modules.xml");
                   f.open(QIODevice::ReadWrite);
                   f.resize(f.size() / 2);
               },
               "not well-formed XML"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
