// The mouse rules without a window: hit testing, the highlighted links of a
// selection, the drop table, label exchange, the drag and drop-target rules
// and the cursor choice, on the shipped skin and a four-module rack.
#include "model/CMainDoc.h"
#include "skin/SkinLayout.h"
#include "support/RecordingPresenter.h"
#include "TestRack.h"
#include "view/KeyboardNavigation.h"
#include "view/MouseEdit.h"

#include <gtest/gtest.h>

#include <map>

namespace {

const QString kShippedSkin = QStringLiteral(VKX_SOURCE_DIR "/res/skin/modules.xml");
constexpr QSize kClient{1600, 1200};

// Items of the rack in layout order.
enum : int { kKeys = 0, kPanel = 1, kComputer = 2, kAnalog = 3, kSdi = 4, kCard = 5, kHdmiOut = 6, kSdiOut = 7 };

ConfigImage RackImage() {
    ConfigImage image = TestRackImage();
    image.audioKinds[0] = kAudioKindEmbedded;
    return image;
}

using Masks = std::map<int, uint32_t>;  // item -> mask, items not listed are 0

uint32_t Bits(std::initializer_list<int> bits) {
    uint32_t mask = 0;
    for (int bit : bits) mask |= uint32_t(1) << bit;
    return mask;
}

class MouseLogicTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin.LoadSkinFile(kShippedSkin);
        ASSERT_FALSE(skin.IsEmpty());
        Load(RackImage());
    }
    void Load(const ConfigImage& image) {
        doc.ResetConfig();
        ASSERT_TRUE(doc.ReadCfg(image, false));
        layout.BuildLayout(skin, doc);
        ASSERT_EQ(layout.items().size(), 8u);
        mouse.Reset();
    }
    QPoint Centre(int item, int sub) const {
        QRect rect;
        EXPECT_TRUE(layout.GetItemRect(item, rect, sub, kClient)) << item << "/" << sub;
        return rect.center();
    }
    SubItemRef Hit(int item, int sub) const { return HitTest(layout, doc, Centre(item, sub), kClient); }
    Masks CurrentMasks() const {
        Masks masks;
        for (std::size_t i = 0; i < layout.items().size(); ++i)
            if (layout.items()[i].mask != 0) masks[int(i)] = layout.items()[i].mask;
        return masks;
    }
    LinkEnd End(int item, int sub) const { return ClassifySubItem(layout, doc, {item, sub}); }

    RecordingPresenter presenter;
    CSkin skin;
    CMainDoc doc;
    SkinLayout layout;
    MouseEdit mouse{layout, doc};
};

TEST_F(MouseLogicTest, HitTestFindsEnabledSubItemsAndFallsBackToTheConfigurationArea) {
    struct Row {
        const char* what;
        int item, sub;  // where the point lies (centre of that rectangle)
        SubItemRef hit;
    };
    const Row rows[] = {
        {"key 3", kKeys, 3, {kKeys, 3}},
        {"panel input 9 (analog input, no embedded audio)", kPanel, 9, {kPanel, 9}},
        {"panel input 2 belongs to embedded audio: the panel as a whole", kPanel, 2, {kPanel, -1}},
        {"panel input 15 beyond the 14 inputs: the panel as a whole", kPanel, 15, {kPanel, -1}},
        {"analog input 2", kAnalog, 2, {kAnalog, 2}},
        {"analog input 5 beyond its 4 inputs: the module's plate, the module as a whole", kAnalog, 5, {kAnalog, -1}},
        {"SDI audio channel 3", kSdi, SUBITEM_AUDIO + 3, {kSdi, SUBITEM_AUDIO + 3}},
        {"middle of the analog module's plate: the input there", kAnalog, SUBITEM_AREA, {kAnalog, 3}},
        {"output 1", kHdmiOut, 1, {kHdmiOut, 1}},
        {"the card", kCard, SUBITEM_WHOLE, {kCard, -1}},
    };
    for (const Row& row : rows) EXPECT_EQ(Hit(row.item, row.sub), row.hit) << row.what;
    EXPECT_EQ(HitTest(layout, doc, QPoint(2, 2), kClient), (SubItemRef{-1, -1})) << "empty margin";
}

TEST_F(MouseLogicTest, HitRectanglesIncludeLeftAndTopAndExcludeRightAndBottom) {
    QRect key;
    ASSERT_TRUE(layout.GetItemRect(kKeys, key, 4, kClient));
    EXPECT_EQ(HitSubItem(layout, doc, kKeys, key.topLeft(), kClient), 4);
    EXPECT_EQ(HitSubItem(layout, doc, kKeys, key.bottomRight(), kClient), 4);  // QRect's bottom-right is inside
    EXPECT_NE(HitSubItem(layout, doc, kKeys, key.bottomRight() + QPoint(1, 0), kClient), 4);
    EXPECT_NE(HitSubItem(layout, doc, kKeys, key.bottomRight() + QPoint(0, 1), kClient), 4);
    EXPECT_EQ(HitItem(layout, Centre(kSdiOut, 2), SUBITEM_WHOLE, kClient), kSdiOut);
    EXPECT_EQ(HitItem(layout, Centre(kSdiOut, 2), SUBITEM_AREA, kClient), kSdiOut) << "the plate around the outputs";
}

TEST_F(MouseLogicTest, SelectionMarksItsLinks) {
    ConfigImage image = RackImage();
    image.panelInputMap[12] = 9;  // the computer's first input also takes panel input 9
    image.panelInputMap[1] = 4;   // SDI input 1 takes the embedded audio of input 4
    Load(image);
    struct Row {
        const char* what;
        SubItemRef selected;
        Masks marks;  // including the selected sub-item's own bit
    };
    const Row rows[] = {
        {"key 9: input 9 and its panel input",
         {kKeys, 9},
         {{kKeys, Bits({9})}, {kAnalog, Bits({1})}, {kPanel, Bits({9})}}},
        {"key 3: input 3 and, for its embedded audio, the SDI channel 3",
         {kKeys, 3},
         {{kKeys, Bits({3})}, {kSdi, Bits({3, SUBITEM_AUDIO + 3})}}},
        {"key 15: input 15 does not exist, nothing else", {kKeys, 15}, {{kKeys, Bits({15})}}},
        {"panel input 9: inputs 9 and 12 and their keys",
         {kPanel, 9},
         {{kPanel, Bits({9})}, {kAnalog, Bits({1})}, {kComputer, Bits({0})}, {kKeys, Bits({9, 12})}}},
        {"module input 10: its key and panel input",
         {kAnalog, 2},
         {{kAnalog, Bits({2})}, {kKeys, Bits({10})}, {kPanel, Bits({10})}}},
        {"SDI input 1: key 1 and the audio channel 4 it takes",
         {kSdi, 1},
         {{kSdi, Bits({1, SUBITEM_AUDIO + 4})}, {kKeys, Bits({1})}}},
        {"audio channel 4: inputs 1 and 4 and their keys",
         {kSdi, SUBITEM_AUDIO + 4},
         {{kSdi, Bits({1, 4, SUBITEM_AUDIO + 4})}, {kKeys, Bits({1, 4})}}},
        {"output: itself only", {kHdmiOut, 2}, {{kHdmiOut, Bits({2})}}},
        {"module body: nothing", {kAnalog, -1}, {}},
    };
    for (const Row& row : rows) {
        mouse.Reset();
        EXPECT_TRUE(mouse.Select(row.selected)) << row.what;
        EXPECT_EQ(CurrentMasks(), row.marks) << row.what;
        EXPECT_EQ(mouse.Selection(), row.selected) << row.what;
    }
}

// Expected link tables: the defaults with the listed inputs changed.
struct Links {
    std::map<int, int> keyOf;    // input -> key
    std::map<int, int> panelOf;  // input -> panel input
};

TEST_F(MouseLogicTest, DropTableLinksKeysInputsAndPanelInputs) {
    struct Row {
        const char* what;
        SubItemRef dragged, target;
        DropResult result;
        Links changed;
    };
    const Row rows[] = {
        {"key 3 onto key 5: the keys exchange inputs",
         {kKeys, 3},
         {kKeys, 5},
         DropResult::Linked,
         {{{3, 5}, {5, 3}}, {}}},
        {"key 3 onto input 9: input 9 gets key 3, input 3 gets key 9",
         {kKeys, 3},
         {kAnalog, 1},
         DropResult::Linked,
         {{{9, 3}, {3, 9}}, {}}},
        {"key 4 onto panel input 10", {kKeys, 4}, {kPanel, 10}, DropResult::Linked, {{}, {{4, 10}}}},
        {"key 9 onto audio channel 6", {kKeys, 9}, {kSdi, SUBITEM_AUDIO + 6}, DropResult::Linked, {{}, {{9, 6}}}},
        {"panel input 10 onto key 12", {kPanel, 10}, {kKeys, 12}, DropResult::Linked, {{}, {{12, 10}}}},
        {"panel input 10 onto input 13", {kPanel, 10}, {kComputer, 1}, DropResult::Linked, {{}, {{13, 10}}}},
        {"panel input onto audio channel: nothing", {kPanel, 10}, {kSdi, SUBITEM_AUDIO + 1}, DropResult::Nothing, {}},
        {"input 11 onto key 0: input 11 gets key 0, input 0 gets key 11",
         {kAnalog, 3},
         {kKeys, 0},
         DropResult::Linked,
         {{{11, 0}, {0, 11}}, {}}},
        {"input 11 onto panel input 13", {kAnalog, 3}, {kPanel, 13}, DropResult::Linked, {{}, {{11, 13}}}},
        {"input 11 onto audio channel 1", {kAnalog, 3}, {kSdi, SUBITEM_AUDIO + 1}, DropResult::Linked, {{}, {{11, 1}}}},
        {"audio channel 5 onto key 7", {kSdi, SUBITEM_AUDIO + 5}, {kKeys, 7}, DropResult::Linked, {{}, {{7, 5}}}},
        {"audio channel 5 onto input 13",
         {kSdi, SUBITEM_AUDIO + 5},
         {kComputer, 1},
         DropResult::Linked,
         {{}, {{13, 5}}}},
        {"audio channel onto panel input: nothing", {kSdi, SUBITEM_AUDIO + 5}, {kPanel, 9}, DropResult::Nothing, {}},
        {"audio onto audio: nothing", {kSdi, SUBITEM_AUDIO + 5}, {kSdi, SUBITEM_AUDIO + 2}, DropResult::Nothing, {}},
        {"output onto key: nothing", {kHdmiOut, 0}, {kKeys, 2}, DropResult::Nothing, {}},
        {"key onto output: nothing", {kKeys, 2}, {kHdmiOut, 0}, DropResult::Nothing, {}},
    };
    for (const Row& row : rows) {
        Load(RackImage());
        const LinkEnd dragged = End(row.dragged.item, row.dragged.sub);
        EXPECT_EQ(DropLink(doc, dragged, End(row.target.item, row.target.sub)), row.result) << row.what;
        for (int n = 0; n < kUsableInputs; ++n) {
            const auto key = row.changed.keyOf.find(n);
            const auto panel = row.changed.panelOf.find(n);
            EXPECT_EQ(doc.GetKeyOfInput(n), key == row.changed.keyOf.end() ? n : key->second)
                << row.what << ", input " << n;
            EXPECT_EQ(doc.GetPanelInputOfInput(n), panel == row.changed.panelOf.end() ? n : panel->second)
                << row.what << ", input " << n;
        }
        EXPECT_EQ(doc.configModified(), !row.changed.keyOf.empty() || !row.changed.panelOf.empty()) << row.what;
    }
}

TEST_F(MouseLogicTest, BrokenLinkTablesLinkAndMarkNothingOutOfRange) {
    // As a damaged file may bring them: key 5 held by inputs 5 and 6, so key 6
    // by nobody; input 7 with key byte 0 (key -1); input 12 with panel input 200.
    ConfigImage image = RackImage();
    image.keyMap[6] = 6;
    image.keyMap[7] = 0;
    image.panelInputMap[12] = 200;
    Load(image);
    const int nobodysKey = 6;
    ASSERT_EQ(doc.GetInputOfKey(nobodysKey), kUsableInputs);
    EXPECT_EQ(DropLink(doc, {LinkRole::Key, nobodysKey}, {LinkRole::PanelInput, 9}), DropResult::Nothing);
    EXPECT_EQ(DropLink(doc, {LinkRole::PanelInput, 9}, {LinkRole::Key, nobodysKey}), DropResult::Nothing);
    EXPECT_FALSE(doc.configModified());

    mouse.Select({kKeys, nobodysKey});
    EXPECT_EQ(CurrentMasks(), (Masks{{kKeys, Bits({nobodysKey})}}));
    mouse.Select({kSdi, 7});
    EXPECT_EQ(CurrentMasks(), (Masks{{kSdi, Bits({7, SUBITEM_AUDIO + 7})}})) << "no key -1";
    mouse.Select({kComputer, 0});
    EXPECT_EQ(CurrentMasks(), (Masks{{kComputer, Bits({0})}, {kKeys, Bits({12})}})) << "no panel input 200";
}

TEST_F(MouseLogicTest, LabelExchangeSwapsEvenWithOneEmptyLabel) {
    ASSERT_TRUE(doc.SetPanelLabel(9, "Desk"));
    EXPECT_EQ(DropLink(doc, End(kPanel, 9), End(kPanel, 12)), DropResult::Exchanged);
    EXPECT_EQ(doc.GetPanelLabel(9, true), "");
    EXPECT_EQ(doc.GetPanelLabel(9, false), "A10");
    EXPECT_EQ(doc.GetPanelLabel(12, true), "Desk");

    ASSERT_TRUE(doc.SetInputLabel(8, "Camera"));
    ASSERT_TRUE(doc.SetInputLabel(10, "Tape"));
    EXPECT_EQ(DropLink(doc, End(kAnalog, 0), End(kAnalog, 2)), DropResult::Exchanged);
    EXPECT_EQ(doc.GetInputLabel(8, true), "Tape");
    EXPECT_EQ(doc.GetInputLabel(10, true), "Camera");
    EXPECT_TRUE(doc.labelsModified());
    EXPECT_FALSE(doc.configModified()) << "labels are not device data";
}

TEST_F(MouseLogicTest, LabelExchangeThatWouldLoseALabelChangesNothing) {
    // "IN16" was accepted for input 0 while input 15 did not exist; now it does
    // and shows IN16 as its default name, so input 9 cannot take that label.
    ASSERT_TRUE(doc.SetInputLabel(0, "IN16"));
    doc.SetInputModule(1, 48, 6);
    ASSERT_EQ(doc.GetTotalInputs(false), 16);
    ASSERT_TRUE(doc.SetInputLabel(9, "Tape"));
    EXPECT_FALSE(ExchangeInputLabels(doc, 0, 9));
    EXPECT_EQ(doc.GetInputLabel(0, true), "IN16");
    EXPECT_EQ(doc.GetInputLabel(9, true), "Tape");
    EXPECT_EQ(DropLink(doc, {LinkRole::ModuleInput, 0}, {LinkRole::ModuleInput, 9}), DropResult::LabelRefused);
}

TEST_F(MouseLogicTest, DragStartsOnlyFromSubItemsOtherThanOutputs) {
    struct Row {
        const char* what;
        SubItemRef pressed;
        bool drags;
    };
    const Row rows[] = {
        {"key", {kKeys, 3}, true},
        {"audio channel", {kSdi, SUBITEM_AUDIO + 2}, true},
        {"module input", {kAnalog, 1}, true},
        {"output", {kHdmiOut, 1}, false},
        {"module body", {kAnalog, -1}, false},
        {"nothing", {-1, -1}, false},
    };
    for (const Row& row : rows) {
        mouse.Reset();
        mouse.Select(row.pressed);
        mouse.Drag({kKeys, 7}, false);
        EXPECT_EQ(mouse.IsDragging(), row.drags) << row.what;
        EXPECT_EQ(mouse.DropTarget().IsSet(), row.drags) << row.what;
    }
}

TEST_F(MouseLogicTest, DropTargetFollowsTheMouseOverValidTargetsOnly) {
    mouse.Select({kKeys, 3});
    struct Step {
        const char* what;
        SubItemRef over;
        bool changed;
        SubItemRef target;
    };
    const Step steps[] = {
        {"the dragged key itself", {kKeys, 3}, false, {-1, -1}},
        {"key 5", {kKeys, 5}, true, {kKeys, 5}},
        {"key 5 again", {kKeys, 5}, false, {kKeys, 5}},
        {"an output", {kHdmiOut, 0}, true, {-1, -1}},
        {"a module body", {kAnalog, -1}, false, {-1, -1}},
        {"panel input 10", {kPanel, 10}, true, {kPanel, 10}},
        {"empty space", {-1, -1}, true, {-1, -1}},
        {"empty space again", {-1, -1}, false, {-1, -1}},
    };
    for (const Step& step : steps) {
        const DragOutcome outcome = mouse.Drag(step.over, false);
        EXPECT_EQ(outcome.changed, step.changed) << step.what;
        EXPECT_EQ(mouse.DropTarget(), step.target) << step.what;
        EXPECT_EQ(outcome.link, DropResult::Nothing) << step.what;
        EXPECT_TRUE(mouse.IsDragging()) << step.what;
    }
}

TEST_F(MouseLogicTest, DropWithoutTargetKeepsTheSelectionAndLinksNothing) {
    for (SubItemRef over : {SubItemRef{kKeys, 3}, SubItemRef{kSdiOut, 2}, SubItemRef{-1, -1}}) {
        mouse.Reset();
        mouse.Select({kKeys, 3});
        const Masks marked = CurrentMasks();
        mouse.Drag(over, false);
        const DragOutcome outcome = mouse.Drag(over, true);
        EXPECT_FALSE(outcome.changed);
        EXPECT_FALSE(mouse.IsDragging());
        EXPECT_EQ(mouse.Selection(), (SubItemRef{kKeys, 3}));
        EXPECT_EQ(CurrentMasks(), marked);
    }
    EXPECT_FALSE(doc.configModified());
}

TEST_F(MouseLogicTest, CursorFollowsStateAndWhatIsUnderTheMouse) {
    struct Row {
        const char* what;
        SubItemRef selected;
        bool dragOver;  // start a drag over `over` first
        SubItemRef over;
        int cursor;
    };
    const Row rows[] = {
        {"nothing selected, empty space", {-1, -1}, false, {-1, -1}, CURSOR_DEFAULT},
        {"over a key", {-1, -1}, false, {kKeys, 2}, CURSOR_OPEN_HAND},
        {"over a module body", {-1, -1}, false, {kAnalog, -1}, CURSOR_POINT},
        {"over an output module body", {-1, -1}, false, {kSdiOut, -1}, CURSOR_POINT},
        {"over the card", {-1, -1}, false, {kCard, -1}, CURSOR_DEFAULT},
        {"over the panel body", {-1, -1}, false, {kPanel, -1}, CURSOR_DEFAULT},
        {"an output selected: open hand over empty space", {kHdmiOut, 1}, false, {-1, -1}, CURSOR_OPEN_HAND},
        {"an output selected: open hand over a module", {kHdmiOut, 1}, false, {kAnalog, -1}, CURSOR_OPEN_HAND},
        {"dragging over a target", {kKeys, 3}, true, {kKeys, 5}, CURSOR_DROP},
        {"dragging over itself", {kKeys, 3}, true, {kKeys, 3}, CURSOR_GRAB},
        {"dragging over an output", {kKeys, 3}, true, {kHdmiOut, 1}, CURSOR_NO_DROP},
        {"dragging over empty space", {kKeys, 3}, true, {-1, -1}, CURSOR_NO_DROP},
    };
    for (const Row& row : rows) {
        mouse.Reset();
        mouse.Select(row.selected);
        if (row.dragOver) mouse.Drag(row.over, false);
        EXPECT_EQ(mouse.ChooseCursor(row.over), row.cursor) << row.what;
    }
}

// The keyboard's places on the same rack: module bodies and enabled
// sub-items, left to right in rows from the module headers down to the keys.
TEST_F(MouseLogicTest, KeyboardMovesThroughThePlacesInVisualOrder) {
    const std::vector<KeyboardStop> stops = KeyboardStops(layout, doc, kClient);
    // 5 module bodies, inputs 2 + 4 + 8, SDI audio 8, outputs 4 + 4, panel inputs 8..13, 16 keys.
    EXPECT_EQ(stops.size(), 57u);
    for (SubItemRef none :
         {SubItemRef{kPanel, 2}, SubItemRef{kAnalog, 5}, SubItemRef{kCard, -1}, SubItemRef{kKeys, -1}})
        EXPECT_EQ(FindStop(stops, none), nullptr) << none.item << "/" << none.sub;

    constexpr int kAudio0 = SUBITEM_AUDIO;
    struct Row {
        const char* what;
        SubItemRef from;
        KeyMove move;
        SubItemRef to;
    };
    const Row rows[] = {
        {"from nowhere: the leftmost module", {-1, -1}, KeyMove::Right, {kComputer, -1}},
        {"End: the last key", {-1, -1}, KeyMove::Last, {kKeys, 15}},
        {"along the module headers", {kComputer, -1}, KeyMove::Right, {kAnalog, -1}},
        {"past the end of a row into the next", {kSdiOut, -1}, KeyMove::Right, {kAnalog, 0}},
        {"and back", {kAnalog, 0}, KeyMove::Left, {kSdiOut, -1}},
        {"an audio meter, then its input to the right of it", {kSdi, kAudio0}, KeyMove::Right, {kSdi, 0}},
        {"down a column, over rows of other modules", {kComputer, 0}, KeyMove::Down, {kComputer, 1}},
        {"from a body to the topmost place under it", {kSdi, -1}, KeyMove::Down, {kSdi, kAudio0}},
        {"from the first input to the body", {kSdi, 0}, KeyMove::Up, {kSdi, -1}},
        {"audio channels in their own column", {kSdi, kAudio0 + 1}, KeyMove::Up, {kSdi, kAudio0}},
        {"from the last input to the panel input under it", {kSdi, 7}, KeyMove::Down, {kPanel, 11}},
        {"from a panel input to the key under it", {kPanel, 9}, KeyMove::Down, {kKeys, 1}},
        {"from a key to the panel input above", {kKeys, 3}, KeyMove::Up, {kPanel, 11}},
        {"nothing below the bottom row", {kKeys, 8}, KeyMove::Down, {kKeys, 8}},
        {"nothing before the first", {kComputer, -1}, KeyMove::Left, {kComputer, -1}},
        {"Home", {kKeys, 5}, KeyMove::First, {kComputer, -1}},
    };
    for (const Row& row : rows) EXPECT_EQ(MoveStop(stops, row.from, row.move), row.to) << row.what;

    // While a key is carried only drop targets count: no outputs, no bodies, not itself.
    ASSERT_TRUE(mouse.Select({kSdi, kAudio0}));
    ASSERT_FALSE(mouse.Drag({kSdi, kAudio0}, false).changed);
    const StopFilter target = [this](SubItemRef ref) { return mouse.IsValidDropTarget(ref); };
    EXPECT_EQ(MoveStop(stops, {kSdi, 0}, KeyMove::Right, target), (SubItemRef{kComputer, 0})) << "outputs skipped";
    EXPECT_EQ(MoveStop(stops, {kSdi, 1}, KeyMove::Up, target), (SubItemRef{kSdi, 0})) << "the body skipped";
    EXPECT_EQ(MoveStop(stops, {kSdi, 1}, KeyMove::Up, [](SubItemRef) { return false; }), (SubItemRef{}));
}

}  // namespace
