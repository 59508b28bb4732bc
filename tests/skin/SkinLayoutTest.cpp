#include "skin/SkinLayout.h"
#include "skin/BmpBuilder.h"
#include "support/RecordingPresenter.h"

#include "model/CMainDoc.h"
#include "res/resource.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Codes of the test skin.
constexpr int kWide = 10, kNarrow = 11, kAudio = 12, kOutput = 20;

// One configuration of the test skin: its ID and picture size, plus extra XML inside it.
struct TestConfig {
    int id;
    int width, height;
    const char* inner = "";
};

// Input areas are 10 x 10 at x = 10 * k; audio areas 5 x 5 at y = 50.
const char* const kFourInputs =
    R"(<inputs><input Left="0" Top="0" Right="10" Bottom="10"/><input Left="10" Top="0" Right="20" Bottom="10"/>
    <input Left="20" Top="0" Right="30" Bottom="10"/><input Left="30" Top="0" Right="40" Bottom="10"/></inputs>)";
const char* const kFourInputsTwoChannels =
    R"(<inputs><input Left="0" Top="0" Right="10" Bottom="10"/><input Left="10" Top="0" Right="20" Bottom="10"/>
    <input Left="20" Top="0" Right="30" Bottom="10"/><input Left="30" Top="0" Right="40" Bottom="10"/></inputs>
    <audio><input Left="0" Top="50" Right="5" Bottom="55"/><input Left="5" Top="50" Right="10" Bottom="55"/></audio>)";

const std::vector<TestConfig> kFullSkin = {
    {kWide, 300, 80, kFourInputs},
    {kNarrow, 200, 60},
    {kAudio, 120, 90, kFourInputsTwoChannels},
    {kOutput, 150, 70},
    {SKIN_ID_CARD, 100, 70},
    {SKIN_ID_UNKNOWN_OUTPUT, 90, 50},
    {SKIN_ID_UNKNOWN_INPUT, 80, 50},
    {SKIN_ID_INPUT_PANEL, 500, 30},
    {SKIN_ID_KEY_PANEL, 400, 40},
};

// Where an item landed, and what it shows.
struct Placed {
    int kind, slot, id, x, y;
    bool operator==(const Placed&) const = default;
};
void PrintTo(const Placed& p, std::ostream* os) {
    *os << "{kind " << p.kind << ", slot " << p.slot << ", ID " << p.id << ", " << p.x << ", " << p.y << "}";
}

class LayoutTest : public ::testing::Test {
protected:
    // One module per configuration; the audio module carries embedded audio.
    void LoadSkin(const std::vector<TestConfig>& configs) {
        ASSERT_TRUE(m_dir.isValid());
        QByteArray xml = "<skin><modules>";
        for (const TestConfig& c : configs) {
            const QByteArray picture = "p" + QByteArray::number(c.id) + ".bmp";
            WritePicture(picture, c.width, c.height);
            xml += "<module Audio=\"" + QByteArray(c.id == kAudio ? "2" : "0") + "\"><configurations>";
            xml += "<configuration ID=\"" + QByteArray::number(c.id) + "\" Picture=\"" + picture +
                   "\" Left=\"1\" Top=\"2\" Right=\"11\" Bottom=\"12\">" + c.inner + "</configuration>";
            xml += "</configurations></module>";
        }
        xml += "</modules></skin>";
        m_skin.LoadSkinData(xml, m_dir.path());
        ReportOpenErrors(m_skin.missingPictures());  // as the view does
    }
    void WritePicture(const QByteArray& name, int width, int height) {
        BmpFields f;
        f.width = width;
        f.height = height;
        f.bitsPerPixel = 1;
        f.table = {0, 0xFFFFFF};
        f.rows.assign(std::size_t(height), std::vector<uint8_t>(std::size_t((width + 31) / 32 * 4), 0));
        QFile file(m_dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(BuildBmp(f));
    }
    // inputs: {code, count} per input slot 0..; outputs: code per output slot 0..
    void SetConfig(std::vector<std::pair<int, int>> inputs, std::vector<int> outputs,
                   std::vector<int> audioKinds = {}) {
        ConfigImage image;
        image.Clear();
        for (std::size_t s = 0; s < inputs.size(); ++s)
            image.inputModules[s] = {uint8_t(inputs[s].first), uint8_t(inputs[s].second)};
        for (std::size_t s = 0; s < outputs.size(); ++s) image.outputModules[s].code = uint8_t(outputs[s]);
        for (std::size_t s = 0; s < audioKinds.size(); ++s) image.audioKinds[s] = uint8_t(audioKinds[s]);
        m_doc.ResetConfig();
        ASSERT_TRUE(m_doc.ReadCfg(image, true));
    }
    std::vector<Placed> Placement() const {
        std::vector<Placed> placed;
        for (const ViewItem& item : m_layout.items())
            placed.push_back({item.kind, item.slot, item.config()->m_id, item.x, item.y});
        return placed;
    }
    QRect Rect(int item, int subItem, QSize client = QSize(0, 0)) const {
        QRect rect(1, 1, 1, 1);
        EXPECT_TRUE(m_layout.GetItemRect(item, rect, subItem, client));
        return rect;
    }

    QTemporaryDir m_dir;
    RecordingPresenter m_presenter;
    CSkin m_skin;
    CMainDoc m_doc;
    SkinLayout m_layout;
};

TEST_F(LayoutTest, TwoInputModulesACardAndWidePanelsAreCentredAsDescribed) {
    LoadSkin(kFullSkin);
    SetConfig({{kWide, 4}, {kNarrow, 4}}, {});
    ShowWarnings(m_layout.BuildLayout(m_skin, m_doc));
    // Row 600 wide, W = 640; rows 80 high, panels 30 and 40: H = 40 + 30 + 80 + 80.
    EXPECT_EQ(m_layout.size(), QSize(640, 230));
    const std::vector<Placed> expected = {
        {ITEM_KEY_PANEL, 0, SKIN_ID_KEY_PANEL, 120, 30 + 80 + 60},
        {ITEM_INPUT_PANEL, 0, SKIN_ID_INPUT_PANEL, 70, 80 + 40},
        {ITEM_INPUT_MODULE, 1, kNarrow, 20, 20},
        {ITEM_INPUT_MODULE, 0, kWide, 220, 20},
        {ITEM_CARD, 0, SKIN_ID_CARD, 520, 20},
    };
    EXPECT_EQ(Placement(), expected);
    EXPECT_TRUE(m_presenter.messages().empty());
}

TEST_F(LayoutTest, RowRunsFromInputSlot7DownThenCardThenOutputSlotsUp) {
    LoadSkin(kFullSkin);
    SetConfig({{kNarrow, 2}, {0, 0}, {kWide, 2}}, {kOutput, 0, kOutput});
    ShowWarnings(m_layout.BuildLayout(m_skin, m_doc));
    // Row: 300 + 200 + 100 + 150 + 150 = 900 wider than the panels: W = 940.
    EXPECT_EQ(m_layout.size().width(), 940);
    const std::vector<Placed> expected = {
        {ITEM_KEY_PANEL, 0, SKIN_ID_KEY_PANEL, 270, 30 + 80 + 60},
        {ITEM_INPUT_PANEL, 0, SKIN_ID_INPUT_PANEL, 220, 80 + 40},
        {ITEM_INPUT_MODULE, 2, kWide, 20, 20},
        {ITEM_INPUT_MODULE, 0, kNarrow, 320, 20},
        {ITEM_CARD, 0, SKIN_ID_CARD, 520, 20},
        {ITEM_OUTPUT_MODULE, 0, kOutput, 620, 20},
        {ITEM_OUTPUT_MODULE, 2, kOutput, 770, 20},
    };
    EXPECT_EQ(Placement(), expected);
}

TEST_F(LayoutTest, RectanglesAreCentredInALargerWindowOnly) {
    LoadSkin(kFullSkin);
    SetConfig({{kWide, 4}, {kNarrow, 4}}, {});
    ShowWarnings(m_layout.BuildLayout(m_skin, m_doc));
    const QSize layout = m_layout.size();
    const struct {
        const char* name;
        QSize client;
        QPoint offset;
    } cases[] = {
        {"100 wider, 60 taller", layout + QSize(100, 60), QPoint(50, 30)},
        {"101 wider: the half is truncated", layout + QSize(101, 0), QPoint(50, 0)},
        {"narrower and lower", layout - QSize(100, 100), QPoint(0, 0)},
        {"equal", layout, QPoint(0, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(m_layout.CentringOffset(c.client), c.offset);
        EXPECT_EQ(Rect(3, SUBITEM_WHOLE, c.client), QRect(220, 20, 300, 80).translated(c.offset));
        EXPECT_EQ(Rect(3, SUBITEM_AREA, c.client), QRect(221, 22, 10, 10).translated(c.offset));
        EXPECT_EQ(Rect(3, 2, c.client), QRect(240, 20, 10, 10).translated(c.offset));
    }
}

TEST_F(LayoutTest, SubItemRectanglesExistOnlyForTheConfigurationsAreas) {
    LoadSkin(kFullSkin);
    SetConfig({{kAudio, 4}}, {});
    ShowWarnings(m_layout.BuildLayout(m_skin, m_doc));
    const int item = m_layout.FindInputModuleItem(0);
    ASSERT_EQ(item, 2);
    const QPoint origin(m_layout.items()[2].x, m_layout.items()[2].y);
    EXPECT_EQ(Rect(item, SUBITEM_AUDIO + 1), QRect(5, 50, 5, 5).translated(origin));
    EXPECT_EQ(Rect(item, 3), QRect(30, 0, 10, 10).translated(origin));
    for (int missing : {4, 15, SUBITEM_AUDIO + 2, SUBITEM_AUDIO + 16, -3}) {
        QRect rect(1, 1, 1, 1);
        EXPECT_FALSE(m_layout.GetItemRect(item, rect, missing, QSize())) << missing;
        EXPECT_TRUE(rect.isNull());
    }
    QRect rect;
    EXPECT_FALSE(m_layout.GetItemRect(int(m_layout.items().size()), rect, SUBITEM_WHOLE, QSize()));
    EXPECT_FALSE(m_layout.GetItemRect(-1, rect, SUBITEM_WHOLE, QSize()));
}

TEST_F(LayoutTest, WarningsAreShownOncePerLayoutInOrder) {
    LoadSkin(kFullSkin);
    const unsigned none = IDS_NO_INPUT_MODULES, unknown = IDS_UNKNOWN_MODULE, limit = IDS_INPUT_LIMIT;
    const struct {
        const char* name;
        std::vector<std::pair<int, int>> inputs;
        std::vector<int> outputs;
        std::vector<unsigned> expected;
    } cases[] = {
        {"two unknown input modules warn once", {{77, 1}, {78, 1}}, {}, {unknown}},
        {"no input modules", {}, {kOutput}, {none}},
        {"no input modules and an unknown output", {}, {99}, {none, unknown}},
        {"more than 16 inputs", {{kWide, 8}, {kWide, 8}, {kNarrow, 2}}, {}, {limit}},
        {"known modules only", {{kWide, 4}}, {kOutput}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetConfig(c.inputs, c.outputs);
        m_presenter.Clear();
        ShowWarnings(m_layout.BuildLayout(m_skin, m_doc));
        EXPECT_EQ(m_presenter.ids(), c.expected);
        for (const RecordedMessage& message : m_presenter.messages())
            EXPECT_EQ(message.style, unsigned(MB_OK | MB_ICONEXCLAMATION));
        m_presenter.Clear();
        ShowWarnings(m_layout.BuildLayout(m_skin, m_doc));
        std::vector<unsigned> again = c.expected;
        std::erase(again, limit);  // the document warns about the limit once per configuration
        EXPECT_EQ(m_presenter.ids(), again);
    }
}

TEST_F(LayoutTest, UnknownModulesShowTheFallBackPictures) {
    LoadSkin(kFullSkin);
    SetConfig({{77, 1}}, {99});
    ShowWarnings(m_layout.BuildLayout(m_skin, m_doc));
    ASSERT_EQ(m_layout.items().size(), 5u);
    EXPECT_EQ(m_layout.items()[2].config()->m_id, SKIN_ID_UNKNOWN_INPUT);
    EXPECT_EQ(m_layout.items()[4].config()->m_id, SKIN_ID_UNKNOWN_OUTPUT);
}

TEST_F(LayoutTest, NoConfigurationOrNoPanelsLayNothingOut) {
    LoadSkin(kFullSkin);
    ShowWarnings(m_layout.BuildLayout(m_skin, m_doc));
    EXPECT_TRUE(m_layout.items().empty());
    EXPECT_EQ(m_layout.size(), QSize(100, 100));

    for (int lacking : {SKIN_ID_KEY_PANEL, SKIN_ID_INPUT_PANEL}) {
        SCOPED_TRACE(lacking);
        std::vector<TestConfig> skin = kFullSkin;
        std::erase_if(skin, [&](const TestConfig& c) { return c.id == lacking; });
        LoadSkin(skin);
        SetConfig({{kWide, 4}}, {});
        ShowWarnings(m_layout.BuildLayout(m_skin, m_doc));
        EXPECT_TRUE(m_layout.items().empty());
    }
    EXPECT_TRUE(m_presenter.messages().empty());
}

TEST_F(LayoutTest, MissingCardOrFallBackPicturesLeaveThoseItemsOut) {
    std::vector<TestConfig> skin = kFullSkin;
    std::erase_if(skin, [](const TestConfig& c) {
        return c.id == SKIN_ID_CARD || c.id == SKIN_ID_UNKNOWN_INPUT || c.id == SKIN_ID_UNKNOWN_OUTPUT;
    });
    LoadSkin(skin);
    SetConfig({{kNarrow, 2}, {77, 2}}, {99, kOutput});
    ShowWarnings(m_layout.BuildLayout(m_skin, m_doc));
    const std::vector<Placed> expected = {
        {ITEM_KEY_PANEL, 0, SKIN_ID_KEY_PANEL, 70, 30 + 70 + 60},
        {ITEM_INPUT_PANEL, 0, SKIN_ID_INPUT_PANEL, 20, 70 + 40},
        {ITEM_INPUT_MODULE, 0, kNarrow, 95, 20},
        {ITEM_OUTPUT_MODULE, 1, kOutput, 295, 20},
    };
    EXPECT_EQ(Placement(), expected);
    EXPECT_EQ(m_presenter.ids(), std::vector<unsigned>{IDS_UNKNOWN_MODULE});
}

TEST_F(LayoutTest, ModuleInputsAreEnabledWithinTheCountAndTheFirst16) {
    LoadSkin(kFullSkin);
    const struct {
        const char* name;
        int count0, count1;
        int enabled0, enabled2;  // usable inputs of slot 0 and of the 4-input slot 2
    } cases[] = {
        {"slot 2 holds inputs 11..14", 3, 8, 3, 4},
        {"slot 2 holds inputs 14..17", 8, 6, 8, 2},
        {"slot 2 holds inputs 16..19", 8, 8, 8, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetConfig({{kWide, c.count0}, {kWide, c.count1}, {kAudio, 4}}, {kOutput});
        ShowWarnings(m_layout.BuildLayout(m_skin, m_doc));
        const int slot0 = m_layout.FindInputModuleItem(0), slot2 = m_layout.FindInputModuleItem(2);
        ASSERT_GE(slot0, 0);
        ASSERT_GE(slot2, 0);
        for (int s = 0; s < 8; ++s) {
            SCOPED_TRACE(s);
            EXPECT_EQ(m_layout.IsSubItemEnabled(slot0, s, m_doc), s < c.enabled0);
            EXPECT_EQ(m_layout.IsSubItemEnabled(slot2, s, m_doc), s < c.enabled2);
            EXPECT_EQ(m_layout.IsSubItemEnabled(slot2, SUBITEM_AUDIO + s, m_doc), s < c.enabled2)
                << "audio follows its input";
        }
        EXPECT_TRUE(m_layout.IsSubItemEnabled(slot0, SUBITEM_WHOLE, m_doc));
    }
    EXPECT_TRUE(m_layout.IsSubItemEnabled(0, 15, m_doc)) << "keys are always usable";
    EXPECT_TRUE(m_layout.IsSubItemEnabled(int(m_layout.items().size()) - 1, 3, m_doc)) << "outputs are always usable";
    EXPECT_FALSE(m_layout.IsSubItemEnabled(int(m_layout.items().size()), 0, m_doc));
}

TEST_F(LayoutTest, PanelInputsOfEmbeddedAudioModulesAreDisabled) {
    LoadSkin(kFullSkin);
    const struct {
        const char* name;
        std::vector<std::pair<int, int>> inputs;
        std::vector<int> audioKinds;
        int audioInputs;  // input numbers [first, first + 4) are on the audio module
        int first;
    } cases[] = {
        {"audio module with embedded audio in slot 1", {{kWide, 4}, {kAudio, 4}}, {0, 2}, 2, 4},
        {"same module, slot says no embedded audio", {{kWide, 4}, {kAudio, 4}}, {0, 0}, 0, 4},
        {"embedded audio kind but no audio areas", {{kWide, 4}, {kNarrow, 4}}, {0, 2}, 0, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetConfig(c.inputs, {}, c.audioKinds);
        ShowWarnings(m_layout.BuildLayout(m_skin, m_doc));
        for (int n = 0; n < 16; ++n) {
            const bool onAudio = n >= c.first && n < c.first + 4 && c.audioInputs > 0;
            EXPECT_EQ(m_layout.EmbeddedAudioCount(n, m_doc), onAudio ? c.audioInputs : 0) << n;
            EXPECT_EQ(m_layout.IsSubItemEnabled(1, n, m_doc), n < 8 && !onAudio) << n;
        }
    }
}

// A rectangle whose right edge lies before its left one (or bottom before
// top) holds no point, as a pixel rectangle of the platform holds none.
TEST(SkinRect, InvertedOrEmptyRectanglesContainNoPoint) {
    const struct {
        int left, top, right, bottom;  // the skin's edges, right and bottom outside
        QPoint point;
        bool inside;
    } rows[] = {
        {10, 10, 20, 20, {10, 10}, true},  {10, 10, 20, 20, {19, 19}, true},  {10, 10, 20, 20, {20, 15}, false},
        {20, 10, 10, 20, {15, 15}, false}, {10, 20, 20, 10, {15, 15}, false}, {20, 20, 10, 10, {12, 12}, false},
        {10, 10, 10, 20, {10, 15}, false},
    };
    for (const auto& r : rows) {
        const QRect rect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
        EXPECT_EQ(SkinRectContains(rect, r.point), r.inside)
            << r.left << "," << r.top << "," << r.right << "," << r.bottom << " " << r.point.x() << "," << r.point.y();
    }
}

}  // namespace
