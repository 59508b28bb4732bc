// Editing with the keyboard on the running program's view, connected to the
// simulated demo rack: focus and Tab, moving the selection, picking up and
// dropping, Escape, Enter as a double click, and the focus mark.
#include "MouseRig.h"

#include "app/MainToolBar.h"
#include "res/resource.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

using namespace mousetest;

namespace {

constexpr int kAudio0 = SUBITEM_AUDIO;

void Press(CMainView& view, std::initializer_list<Qt::Key> keys) {
    for (Qt::Key key : keys) QTest::keyClick(&view, key);
}

SubItemRef Selected(const CMainView& view) { return view.MouseState().Selection(); }

// The demo rack in the active window, connected unless told otherwise.
class KeyboardRig : public MouseRig {
public:
    explicit KeyboardRig(bool connect = true) {
        if (connect) {
            EXPECT_TRUE(Connect());
        }
        Activate();
    }
    void Activate() const {
        frame().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&frame()));
    }
    void Select(SubItemRef ref) const {
        Click(v(), ref.sub == -1 ? ClientBody(v(), ref.item) : ClientCentre(v(), ref.item, ref.sub));
        EXPECT_EQ(Selected(v()), ref);
    }
};

// The port selector can be used only while not connected.
TEST(KeyboardView, TheViewHasTheFocusAndTabReachesThePortSelector) {
    KeyboardRig rig(false);
    QComboBox* ports = rig.frame().ToolBar()->PortCombo();
    ASSERT_EQ(QApplication::focusWidget(), &rig.v()) << "the keyboard starts on the drawing";
    QTest::keyClick(&rig.v(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), ports);
    QTest::keyClick(ports, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &rig.v());
    EXPECT_TRUE(rig.v().Keyboard().FocusMarkRect().isEmpty()) << "nothing to select yet";

    ASSERT_TRUE(rig.Connect());
    rig.Activate();  // after the operation dialog
    rig.v().clearFocus();
    rig.v().setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Selected(rig.v()), (SubItemRef{kComputer, -1})) << "tabbing in starts at the first place";
    EXPECT_FALSE(rig.v().Keyboard().FocusMarkRect().isEmpty());
}

TEST(KeyboardView, ArrowsMoveTheSelectionAndKeepItInTheWindow) {
    KeyboardRig rig;
    rig.ShowNormal({500, 400});
    rig.Select({kSdi, kAudio0});
    Press(rig.v(), {Qt::Key_Right, Qt::Key_Left, Qt::Key_Down});
    EXPECT_EQ(Selected(rig.v()), (SubItemRef{kSdi, kAudio0 + 1}));
    EXPECT_EQ(rig.Mask(kSdi), (1u << (kAudio0 + 1)) | (1u << 1)) << "its links show as after a click";
    Press(rig.v(), {Qt::Key_End});
    EXPECT_EQ(Selected(rig.v()), (SubItemRef{kKeys, 15}));
    EXPECT_TRUE(rig.v().viewport()->rect().contains(rig.v().Keyboard().FocusMarkRect())) << "scrolled to the last key";
    Press(rig.v(), {Qt::Key_Home});
    EXPECT_EQ(Selected(rig.v()), (SubItemRef{kComputer, -1}));
    // The body is the whole plate, taller than the window: its top is shown.
    EXPECT_TRUE(rig.v().viewport()->rect().contains(rig.v().Keyboard().FocusMarkRect().topLeft()));
    EXPECT_EQ(rig.CountMessages(IDS_CHANGE_NOTICE), 0) << "moving changes nothing";
}

// Picked up with Space, the arrows move the drop target: the view shows the
// same selection, target and outlines as a mouse dragging there.
TEST(KeyboardView, APickedUpKeyShowsItsTargetAsAMouseDragDoes) {
    KeyboardRig rig;
    QTest::mousePress(rig.v().viewport(), Qt::LeftButton, {}, ClientCentre(rig.v(), kKeys, 3));
    QTest::mouseMove(rig.v().viewport(), ClientCentre(rig.v(), kKeys, 4));
    const PaintSelection byMouse = rig.v().Selection();
    QTest::mouseRelease(rig.v().viewport(), Qt::LeftButton, {}, ClientCentre(rig.v(), kKeys, 3));
    ASSERT_FALSE(rig.v().MouseState().IsDragging());

    Press(rig.v(), {Qt::Key_Space});
    EXPECT_TRUE(rig.v().MouseState().IsDragging());
    EXPECT_EQ(rig.v().Selection().dropItem, -1) << "no target before the first arrow";
    Press(rig.v(), {Qt::Key_Right});
    const PaintSelection byKeys = rig.v().Selection();
    EXPECT_EQ(std::tie(byKeys.selItem, byKeys.selSubItem, byKeys.dropItem, byKeys.dropSubItem),
              std::tie(byMouse.selItem, byMouse.selSubItem, byMouse.dropItem, byMouse.dropSubItem));
    EXPECT_EQ(rig.v().Keyboard().Position(), (SubItemRef{kKeys, 4})) << "the focus mark is on the target";
}

TEST(KeyboardView, SpaceEnterAndEscapeLinkAsADropDoes) {
    struct Row {
        const char* what;
        std::initializer_list<Qt::Key> keys;
        int inputOfKey3;
        int panelOfInput3;
        SubItemRef selected;  // afterwards
    };
    const Row rows[] = {
        {"Space drops: key 3 and key 5 exchange inputs",
         {Qt::Key_Space, Qt::Key_Right, Qt::Key_Right, Qt::Key_Space},
         5,
         3,
         {kKeys, 5}},
        {"Enter drops as well", {Qt::Key_Space, Qt::Key_Right, Qt::Key_Return}, 4, 3, {kKeys, 4}},
        {"onto the panel input above: its panel source",
         {Qt::Key_Space, Qt::Key_Up, Qt::Key_Space},
         3,
         11,
         {kPanel, 11}},
        {"Escape puts it back", {Qt::Key_Space, Qt::Key_Right, Qt::Key_Escape}, 3, 3, {kKeys, 3}},
        {"a drop without a target links nothing", {Qt::Key_Space, Qt::Key_Space}, 3, 3, {kKeys, 3}},
    };
    for (const Row& row : rows) {
        KeyboardRig rig;
        rig.Select({kKeys, 3});
        for (Qt::Key key : row.keys) QTest::keyClick(&rig.v(), key);
        EXPECT_EQ(rig.doc().GetInputOfKey(3), row.inputOfKey3) << row.what;
        EXPECT_EQ(rig.doc().GetPanelInputOfInput(3), row.panelOfInput3) << row.what;
        EXPECT_EQ(Selected(rig.v()), row.selected) << row.what;
        EXPECT_FALSE(rig.v().MouseState().IsDragging()) << row.what;
        EXPECT_EQ(rig.v().Selection().dropItem, -1) << row.what;
        const bool linked = row.inputOfKey3 != 3 || row.panelOfInput3 != 3;
        EXPECT_EQ(rig.doc().configModified(), linked) << row.what;
        EXPECT_EQ(rig.CountMessages(IDS_CHANGE_NOTICE), linked ? 1 : 0) << row.what;
    }
}

TEST(KeyboardView, OutputsAndBodiesAreNotPickedUpAndAPickUpEndsWithTheFocus) {
    KeyboardRig rig;
    for (SubItemRef ref : {SubItemRef{kHdmiOut, 1}, SubItemRef{kAnalog, -1}}) {
        rig.Select(ref);
        Press(rig.v(), {Qt::Key_Space});
        EXPECT_FALSE(rig.v().MouseState().IsDragging()) << ref.item;
    }
    rig.Select({kKeys, 3});
    Press(rig.v(), {Qt::Key_Space, Qt::Key_Right});
    rig.v().clearFocus();
    EXPECT_FALSE(rig.v().MouseState().IsDragging());
    EXPECT_EQ(rig.v().Selection().dropItem, -1);
    EXPECT_EQ(Selected(rig.v()), (SubItemRef{kKeys, 3}));
}

TEST(KeyboardView, EnterOpensTheDialogADoubleClickOpens) {
    struct Row {
        SubItemRef at;
        std::vector<int> opened;
    };
    const Row rows[] = {
        {{kPanel, 9}, {IDD_INPUT_LABEL}},
        {{kAnalog, 1}, {IDD_INPUT_LABEL}},
        {{kSdi, -1}, {IDD_MODULE_CONFIG}},
        {{kSdiOut, -1}, {IDD_MODULE_CONFIG}},
        {{kHdmiOut, 1}, {IDD_OUTPUT_SIGNAL}},
        {{kSdi, kAudio0 + 2}, {IDD_EMBEDDED_AUDIO}},
        {{kKeys, 2}, {}},
    };
    KeyboardRig rig;
    DialogScript dialogs(rig.v());
    for (const Row& row : rows) {
        rig.Select(row.at);
        dialogs.opened.clear();
        Press(rig.v(), {Qt::Key_Return});
        EXPECT_EQ(dialogs.opened, row.opened) << row.at.item << "/" << row.at.sub;
    }
    // A confirmed dialog is applied as after a double click.
    rig.Select({kPanel, 9});
    dialogs.answer = [](EditDialog& dialog) {
        dialog.Control(IDC_LABEL_EDIT)->setProperty("text", QStringLiteral("Desk"));
        return Confirm(dialog);
    };
    Press(rig.v(), {Qt::Key_Enter});
    EXPECT_EQ(rig.doc().GetPanelLabel(9, true), "Desk");
}

// As on the desktop, the focus mark shows once the keyboard is used in the
// view; after a click the view shows only what the mouse selected. White with
// black dashes, clear of the outlines: readable on any plate.
TEST(KeyboardView, TheFocusMarkShowsOnceTheKeyboardIsUsed) {
    KeyboardRig rig;
    rig.Select({kKeys, 9});
    EXPECT_TRUE(rig.v().Keyboard().FocusMarkRect().isEmpty()) << "after a click";
    Press(rig.v(), {Qt::Key_Right, Qt::Key_Left});
    ASSERT_EQ(Selected(rig.v()), (SubItemRef{kKeys, 9}));
    const QRect mark = rig.v().Keyboard().FocusMarkRect();
    ASSERT_TRUE(mark.contains(ClientCentre(rig.v(), kKeys, 9)));
    const QImage shot = rig.v().viewport()->grab().toImage();
    int white = 0, black = 0;
    for (int x = mark.left(); x <= mark.right(); ++x) {
        const QRgb pixel = shot.pixel(x, mark.top()) & 0xFFFFFF;
        white += pixel == 0xFFFFFF ? 1 : 0;
        black += pixel == 0 ? 1 : 0;
    }
    EXPECT_GT(white, mark.width() / 4);
    EXPECT_GT(black, mark.width() / 4);

    // A disabled panel input (its input's audio stands in) picks the panel:
    // drawn exactly as without the focus.
    Click(rig.v(), ClientCentre(rig.v(), kPanel, 0));
    ASSERT_EQ(Selected(rig.v()), (SubItemRef{kPanel, -1}));
    EXPECT_TRUE(rig.v().Keyboard().FocusMarkRect().isEmpty());
    const QImage clicked = Grab(rig.v());
    rig.v().clearFocus();
    EXPECT_TRUE(rig.v().Keyboard().FocusMarkRect().isEmpty());
    EXPECT_EQ(Grab(rig.v()), clicked);
}

}  // namespace

// Zoomed, the keyboard scrolls and marks in zoomed pixels as the painting does.
TEST(KeyboardView, TheFocusMarkAndScrollingFollowTheZoom) {
    KeyboardRig rig;
    rig.ShowNormal({500, 400});
    rig.v().ZoomTo(200, {0, 0});
    Press(rig.v(), {Qt::Key_End});
    ASSERT_EQ(Selected(rig.v()), (SubItemRef{kKeys, 15}));
    QRect key;
    ASSERT_TRUE(rig.v().Layout().GetItemRect(kKeys, key, 15, rig.v().LayoutClientSize()));
    const QRect shown = rig.v().ToClient(key);
    EXPECT_TRUE(rig.v().Keyboard().FocusMarkRect().contains(shown));
    EXPECT_TRUE(rig.v().viewport()->rect().contains(rig.v().Keyboard().FocusMarkRect())) << "scrolled to the last key";
}
