#include "skin/Skin.h"
#include "skin/BmpBuilder.h"
#include "support/RecordingPresenter.h"

#include "res/resource.h"

#include <QDir>
#include <QFile>
#include <QRgb>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(SkinNumbers, DecimalReading) {
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {nullptr, 0},
        {"", 0},
        {"12", 12},
        {" 4abc", 4},
        {"\t\n-7", -7},
        {"+5", 5},
        {"- 5", 0},
        {"--1", 0},
        {"abc", 0},
        {"0x10", 0},
        {"2147483647", INT_MAX},
        {"99999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999", INT_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(absent)");
        EXPECT_EQ(ReadSkinDecimal(c.text), c.expected);
    }
}

TEST(SkinNumbers, NumberReadingTakesHexOnlyAfterALongEnough0xPrefix) {
    const struct {
        const char* text;
        uint32_t expected;
    } cases[] = {
        {nullptr, 0},
        {"0X00FF00", 65280},
        {"0x00ff00", 65280},
        {"65280", 65280},
        {"0x", 0},
        {"0X", 0},
        {"0xg1", 0},
        {"0x1g", 1},
        {" 0x10", 0},
        {"x10", 0},
        {"-1", 0xFFFFFFFFu},
        {"0xFFFFFFFF", 0xFFFFFFFFu},
        {"0x100000000", 0xFFFFFFFFu},
        {"0x0000000000FF", 0xFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(absent)");
        EXPECT_EQ(ReadSkinNumber(c.text), c.expected);
    }
}

TEST(SkinColor, RedIsTheLowByte) {
    EXPECT_EQ(SkinColorToRgb(0x0000FF), qRgb(255, 0, 0));
    EXPECT_EQ(SkinColorToRgb(0x00FF00), qRgb(0, 255, 0));
    EXPECT_EQ(SkinColorToRgb(0xFF0000), qRgb(0, 0, 255));
    EXPECT_EQ(SkinColorToRgb(0x123456), qRgb(0x56, 0x34, 0x12));
    EXPECT_EQ(SkinColorToRgb(0x7F000000), qRgb(0, 0, 0)) << "the top byte is no alpha";
}

// A skin folder with two pictures: a 24-bit 4 x 3 and an 8-bit 6 x 2.
class SkinLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("pics")));
        WriteFile(QStringLiteral("pics/small.bmp"), Picture(4, 3, 24));
        WriteFile(QStringLiteral("wide.bmp"), Picture(6, 2, 8));
    }
    static QByteArray Picture(int width, int height, uint16_t bits) {
        BmpFields f;
        f.width = width;
        f.height = height;
        f.bitsPerPixel = bits;
        if (bits == 8) f.table.assign(256, 0x00808080u);
        const std::size_t stride = std::size_t((width * bits + 31) / 32 * 4);
        f.rows.assign(std::size_t(height), std::vector<uint8_t>(stride, 0));
        return BuildBmp(f);
    }
    void WriteFile(const QString& name, const QByteArray& bytes) {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    void Load(const char* xml) {
        WriteFile(QStringLiteral("modules.xml"), QByteArray(xml));
        m_skin.LoadSkinFile(Path(QStringLiteral("modules.xml")));
        ReportOpenErrors(m_skin.missingPictures());  // as the view does
    }

    QTemporaryDir m_dir;
    RecordingPresenter m_presenter;
    CSkin m_skin;
};

const char* const kFullSkin = R"(<?xml version="1.0"?>
<skin>
  <signals><signal name="SDI"/><signal/><signal name="Analog"/></signals>
  <signals><signal name="ignored"/></signals>
  <modules>
    <module Type="Input 4x" Audio=" 2">
      <configurations>
        <configuration ID="17" Name="Four" MinInputs=" 4abc" MaxInputs="8" Selected="0X00FF00" Focused="65280"
                       DropTarget="0x" Left="1" Top="2" Right="30" Bottom="40" Picture="pics\small.bmp" Extra="x">
          <labels>
            <label Left="1" Top="2" Right="3" Bottom="4" Font="Arial" FontSize="12" Color="0xFF" Back="255" Disabled="0x10"/>
            <label Left="1" Top="2" Right="3" Bottom="4" FontSize="12"/>
            <label Left="5" Top="6" Right="7" Bottom="8" Font="Abcdefghijklmnopqrstuvwxyz0123456789" FontSize="9"/>
          </labels>
          <labels><label Left="0" Top="0" Right="1" Bottom="1" Font="second labels" FontSize="1"/></labels>
          <inputs>
            <input Type="BNC" Left="10" Top="11" Right="20" Bottom="21">
              <labels><label Left="0" Top="30" Right="10" Bottom="40" Font="Arial" FontSize="8"/></labels>
            </input>
            <input Type="XLR"/>
            <unknown/>
          </inputs>
          <inputs><input Type="second inputs"/></inputs>
          <input Type="stray"/>
          <audio>
            <input Type="Ch1" Left="5" Top="5" Right="6" Bottom="6">
              <labels><label Left="0" Top="0" Right="1" Bottom="1" Font="Arial" FontSize="8"/></labels>
            </input>
          </audio>
        </configuration>
        <configuration Name="no ID" Picture="missing.bmp"/>
        <configuration ID="18" Picture="wide.bmp"/>
      </configurations>
    </module>
    <module Type="Output">
      <configurations>
        <configuration ID="17" Name="duplicate"/>
        <configuration ID="996" Picture=""/>
        <configuration ID="995"/>
      </configurations>
    </module>
  </modules>
  <modules><module Type="second modules"><configurations><configuration ID="40"/></configurations></module></modules>
</skin>)";

TEST_F(SkinLoaderTest, ReadsEveryElementAndAttributeByTheFormatRules) {
    Load(kFullSkin);
    EXPECT_TRUE(m_presenter.messages().empty());
    EXPECT_EQ(m_skin.signalNames(), QStringList({QStringLiteral("SDI"), QString(), QStringLiteral("Analog")}));
    ASSERT_EQ(m_skin.modules().size(), 2u);

    const CSkinModule& input = m_skin.modules()[0];
    EXPECT_EQ(input.m_type, QStringLiteral("Input 4x"));
    EXPECT_EQ(input.m_audioKind, 2);
    ASSERT_EQ(input.m_configs.size(), 2u) << "the configuration without an ID is skipped";
    const CSkinConfig& four = input.m_configs[0];
    EXPECT_EQ(four.m_id, 17);
    EXPECT_EQ(four.m_name, QStringLiteral("Four"));
    EXPECT_EQ(four.m_minInputs, 4);
    EXPECT_EQ(four.m_maxInputs, 8);
    EXPECT_EQ(four.m_selectedColor, 65280u);
    EXPECT_EQ(four.m_focusedColor, 65280u);
    EXPECT_EQ(four.m_dropTargetColor, 0u);
    EXPECT_EQ(four.m_area, QRect(QPoint(1, 2), QPoint(29, 39)));
    EXPECT_EQ(four.m_area.width(), 29);

    ASSERT_EQ(four.m_labels.size(), 2u) << "a label without its font is skipped; second labels ignored";
    EXPECT_EQ(four.m_labels[0].box, QRect(1, 2, 2, 2));
    EXPECT_EQ(four.m_labels[0].fontFace, QStringLiteral("Arial"));
    EXPECT_EQ(four.m_labels[0].fontSize, 12);
    EXPECT_EQ(four.m_labels[0].color, 0xFFu);
    EXPECT_EQ(four.m_labels[0].back, 255u);
    EXPECT_EQ(four.m_labels[0].disabled, 0x10u);
    EXPECT_EQ(four.m_labels[1].fontFace, QStringLiteral("Abcdefghijklmnopqrstuvwxyz01234"));

    ASSERT_EQ(four.m_inputs.size(), 2u);
    EXPECT_EQ(four.m_inputs[0].m_type, QStringLiteral("BNC"));
    EXPECT_EQ(four.m_inputs[0].m_area, QRect(10, 11, 10, 10));
    ASSERT_EQ(four.m_inputs[0].m_labels.size(), 1u);
    EXPECT_EQ(four.m_inputs[0].m_labels[0].box, QRect(0, 30, 10, 10));
    EXPECT_EQ(four.m_inputs[1].m_type, QStringLiteral("XLR"));
    EXPECT_TRUE(four.m_inputs[1].m_area.isEmpty());
    ASSERT_EQ(four.m_audio.size(), 1u);
    EXPECT_EQ(four.m_audio[0].m_type, QStringLiteral("Ch1"));
    EXPECT_TRUE(four.m_audio[0].m_labels.empty()) << "labels under an audio channel are not read";

    const CSkinModule& output = m_skin.modules()[1];
    EXPECT_EQ(output.m_audioKind, 0);
    EXPECT_EQ(output.m_configs.size(), 3u);
    EXPECT_EQ(m_skin.FindModuleByConfigID(40), nullptr) << "a second modules element is never read";
}

TEST_F(SkinLoaderTest, PicturesGiveSizesAndTheModuleMaximum) {
    Load(kFullSkin);
    const CSkinModule& input = m_skin.modules()[0];
    EXPECT_TRUE(input.m_configs[0].m_picture.loaded());
    EXPECT_EQ(QSize(input.m_configs[0].m_pictureWidth, input.m_configs[0].m_pictureHeight), QSize(4, 3));
    EXPECT_EQ(QSize(input.m_configs[1].m_pictureWidth, input.m_configs[1].m_pictureHeight), QSize(6, 2));
    EXPECT_EQ(input.m_maxWidth, 6);
    EXPECT_EQ(input.m_maxHeight, 3);
    const CSkinModule& output = m_skin.modules()[1];
    EXPECT_FALSE(output.m_configs[1].m_picture.loaded()) << "an empty Picture means no picture";
    EXPECT_EQ(output.m_maxWidth, 0);
    EXPECT_EQ(output.m_maxHeight, 0);
}

TEST_F(SkinLoaderTest, EachFailingPictureIsReportedWithItsFullPathAndLeftOut) {
    Load(R"(<s><modules><module><configurations>
        <configuration ID="1" Picture="absent.bmp"/>
        <configuration ID="2" Picture="modules.xml"/>
        <configuration ID="3" Picture="wide.bmp"/>
      </configurations></module></modules></s>)");
    ASSERT_EQ(m_presenter.messages().size(), 2u);
    const QString dir = QFileInfo(Path(QStringLiteral("modules.xml"))).absolutePath();
    for (int i = 0; i < 2; ++i) {
        const RecordedMessage& message = m_presenter.messages()[std::size_t(i)];
        EXPECT_EQ(message.id, unsigned(IDS_ERROR_OPENING));
        EXPECT_EQ(message.style, unsigned(MB_OK | MB_ICONSTOP));
        const QString name = i == 0 ? QStringLiteral("absent.bmp") : QStringLiteral("modules.xml");
        EXPECT_EQ(message.text, QStringLiteral("Error opening file!\n\n") + dir + u'/' + name);
    }
    const CSkinModule& module = m_skin.modules()[0];
    EXPECT_FALSE(module.m_configs[0].m_picture.loaded());
    EXPECT_EQ(module.m_configs[0].m_pictureWidth, 0);
    EXPECT_EQ(module.m_maxWidth, 6) << "only the loaded picture counts";
}

TEST_F(SkinLoaderTest, LookupsFindTheFirstMatchInFileOrder) {
    Load(kFullSkin);
    EXPECT_EQ(m_skin.FindModuleByConfigID(17), &m_skin.modules()[0]);
    EXPECT_EQ(m_skin.FindModuleByConfigID(996), &m_skin.modules()[1]);
    EXPECT_EQ(m_skin.FindModuleByConfigID(5), nullptr);
    EXPECT_EQ(m_skin.modules()[1].FindConfigIndex(995), 2);
    EXPECT_EQ(m_skin.modules()[1].FindConfigIndex(18), -1);
    EXPECT_EQ(m_skin.modules()[1].GetConfig(3), nullptr);
    EXPECT_EQ(m_skin.modules()[1].GetConfig(-1), nullptr);
    ASSERT_NE(m_skin.FindConfig(17), nullptr);
    EXPECT_EQ(m_skin.FindConfig(17)->m_name, QStringLiteral("Four"));
    EXPECT_EQ(m_skin.FindConfig(12345), nullptr);
}

TEST_F(SkinLoaderTest, BrokenOrMissingFilesLeaveAnEmptySkinSilently) {
    Load(kFullSkin);
    ASSERT_FALSE(m_skin.IsEmpty());
    const struct {
        const char* name;
        QByteArray xml;
    } cases[] = {
        {"malformed", "<skin><modules><module></modules>"},
        {"empty", ""},
        {"not XML", "BM\x01\x02"},
        {"nested past the parser's depth limit", QByteArray("<a>").repeated(5000) + QByteArray("</a>").repeated(5000)},
        {"no elements", "<!-- nothing -->"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_skin.LoadSkinData(kFullSkin, m_dir.path());
        m_skin.LoadSkinData(c.xml, m_dir.path());
        EXPECT_TRUE(m_skin.IsEmpty());
    }
    m_skin.LoadSkinFile(Path(QStringLiteral("nothing-here.xml")));
    ReportOpenErrors(m_skin.missingPictures());
    EXPECT_TRUE(m_skin.IsEmpty());
    EXPECT_TRUE(m_presenter.messages().empty());
}

}  // namespace
