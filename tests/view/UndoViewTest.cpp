// Undo and redo on the running program's view: each kind of drop and each
// dialog result is one step with its name, undoing restores what was shown
// and redoing the change; the modified flags around a save; the commands
// that start the history again; the keys and the context menu.
#include "MouseRig.h"

#include "res/resource.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include "view/ViewContextMenu.h"

#include <gtest/gtest.h>

using namespace mousetest;

namespace {

// What undo must give back: the document's content and the configuration
// each item shows.
EditState Shown(const MouseRig& rig) {
    EditState state{rig.doc().Content(), {}};
    for (const ViewItem& item : rig.v().Layout().items()) state.configIndexes.push_back(item.configIndex);
    return state;
}

// Undoes and redoes the step just made; between the two the view shows
// before again and is repainted.
void ExpectUndoRedo(MouseRig& rig, const EditState& before, const char* text) {
    const EditState after = Shown(rig);
    ASSERT_FALSE(after == before) << "the step changed something";
    EXPECT_EQ(rig.v().UndoSteps().UndoText(), text);
    EXPECT_FALSE(rig.Enabled(ID_EDIT_REDO));
    PaintCounter paints(rig.v().viewport());
    paints.Take();
    ASSERT_TRUE(rig.Command(ID_EDIT_UNDO));
    EXPECT_TRUE(Shown(rig) == before);
    EXPECT_GT(paints.Take(), 0);
    EXPECT_EQ(rig.v().UndoSteps().RedoText(), text);
    EXPECT_FALSE(rig.Enabled(ID_EDIT_UNDO));
    ASSERT_TRUE(rig.Command(ID_EDIT_REDO));
    EXPECT_TRUE(Shown(rig) == after);
}

void DragOnto(MouseRig& rig, SubItemRef from, SubItemRef to) {
    Drag(rig.v(), ClientCentre(rig.v(), from.item, from.sub), {ClientCentre(rig.v(), to.item, to.sub)});
}

// Connected to the demo rack, with a label on input 9 and panel input 9 so
// that exchanging them changes something.
void ConnectWithLabels(MouseRig& rig) {
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.doc().SetInputLabel(8, "Cam A"));
    ASSERT_TRUE(rig.doc().SetPanelLabel(8, "Desk"));
}

struct DropCase {
    const char* name;
    SubItemRef from, to;
    const char* text;
};

const DropCase kDrops[] = {
    {"KeyOntoInput", {kKeys, 2}, {kSdi, 4}, "Link key 3 to input 5"},
    {"KeyOntoKey", {kKeys, 2}, {kKeys, 5}, "Exchange the inputs of keys 3 and 6"},
    {"KeyOntoPanelInput", {kKeys, 0}, {kPanel, 9}, "Link key 1 to panel input 10"},
    {"KeyOntoAudio", {kKeys, 9}, {kSdi, SUBITEM_AUDIO + 2}, "Link key 10 to the embedded audio of input 3"},
    {"PanelInputOntoInput", {kPanel, 9}, {kComputer, 0}, "Link panel input 10 to input 13"},
    {"PanelInputOntoKey", {kPanel, 8}, {kKeys, 12}, "Link panel input 9 to key 13"},
    {"InputOntoKey", {kComputer, 1}, {kKeys, 7}, "Link input 14 to key 8"},
    {"InputOntoPanelInput", {kAnalog, 0}, {kPanel, 12}, "Link input 9 to panel input 13"},
    {"AudioOntoInput", {kSdi, SUBITEM_AUDIO + 2}, {kAnalog, 0}, "Link the embedded audio of input 3 to input 9"},
    {"InputLabels", {kAnalog, 0}, {kAnalog, 1}, "Exchange the labels of inputs 9 and 10"},
    {"PanelLabels", {kPanel, 8}, {kPanel, 11}, "Exchange the labels of panel inputs 9 and 12"},
};

class UndoDrop : public ::testing::TestWithParam<DropCase> {};

TEST_P(UndoDrop, IsOneStepThatUndoesAndRedoes) {
    MouseRig rig;
    ConnectWithLabels(rig);
    const EditState before = Shown(rig);
    DragOnto(rig, GetParam().from, GetParam().to);
    ExpectUndoRedo(rig, before, GetParam().text);
    EXPECT_EQ(rig.v().UndoSteps().History().Count(), 1);
}

INSTANTIATE_TEST_SUITE_P(Links, UndoDrop, ::testing::ValuesIn(kDrops),
                         [](const auto& info) { return std::string(info.param.name); });

QComboBox* ListOf(EditDialog& dialog, int id) { return qobject_cast<QComboBox*>(dialog.Control(id)); }

// The next entry of a list, so that the answer always changes something.
void NextEntry(EditDialog& dialog, int id) {
    QComboBox* list = ListOf(dialog, id);
    list->setCurrentIndex((list->currentIndex() + 1) % list->count());
}

struct DialogCase {
    const char* name;
    SubItemRef hit;
    void (*answer)(EditDialog&);
    const char* text;
};

const DialogCase kDialogs[] = {
    {"InputModule",
     {kAnalog, SUBITEM_AREA},
     [](EditDialog& d) { ListOf(d, IDC_INPUTS_LIST)->setCurrentIndex(7); },
     "Change input module 2"},
    {"OutputModule",
     {kSdiOut, SUBITEM_AREA},
     [](EditDialog& d) { NextEntry(d, IDC_CONFIG_LIST); },
     "Change output module 2"},
    {"InputLabel",
     {kAnalog, 1},
     [](EditDialog& d) { qobject_cast<QLineEdit*>(d.Control(IDC_LABEL_EDIT))->setText("Studio"); },
     "Change the label of input 10"},
    {"PanelLabel",
     {kPanel, 9},
     [](EditDialog& d) { qobject_cast<QLineEdit*>(d.Control(IDC_LABEL_EDIT))->setText("Studio"); },
     "Change the label of panel input 10"},
    {"OutputSignal",
     {kHdmiOut, 2},
     [](EditDialog& d) { NextEntry(d, IDC_SIGNAL_LIST); },
     "Change the signal of output 3 of module 1"},
    {"EmbeddedAudio",
     {kSdi, SUBITEM_AUDIO + 2},
     [](EditDialog& d) { NextEntry(d, IDC_GROUP_LIST); },
     "Change the embedded audio of input 3"},
};

class UndoDialog : public ::testing::TestWithParam<DialogCase> {};

TEST_P(UndoDialog, ResultIsOneStepThatUndoesAndRedoes) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    const EditState before = Shown(rig);
    DialogScript dialogs(rig.v());
    dialogs.answer = [this](EditDialog& dialog) {
        GetParam().answer(dialog);
        return Confirm(dialog);
    };
    const SubItemRef hit = GetParam().hit;
    // A module's area is its whole plate, inputs included: its head edits the module.
    DoubleClick(rig.v(),
                hit.sub == SUBITEM_AREA ? ClientBody(rig.v(), hit.item) : ClientCentre(rig.v(), hit.item, hit.sub));
    ASSERT_EQ(dialogs.opened.size(), 1u);
    ExpectUndoRedo(rig, before, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Results, UndoDialog, ::testing::ValuesIn(kDialogs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Undo, ACancelledDialogOrAnEmptyDropIsNoStep) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    DialogScript dialogs(rig.v());  // cancels
    DoubleClick(rig.v(), ClientBody(rig.v(), kAnalog));
    DragOnto(rig, {kKeys, 2}, {kKeys, 2});
    DragOnto(rig, {kSdi, SUBITEM_AUDIO + 1}, {kSdi, SUBITEM_AUDIO + 2});  // audio onto audio links nothing
    EXPECT_EQ(rig.v().UndoSteps().History().Count(), 0);
    EXPECT_FALSE(rig.Enabled(ID_EDIT_UNDO));
}

// Back at the clean point both flags are as they were there; undoing past a
// save makes the document modified again.
TEST(Undo, TheCleanPointIsUnmodified) {
    MouseRig rig;
    QTemporaryDir dir;
    ASSERT_TRUE(rig.Connect());
    DragOnto(rig, {kKeys, 2}, {kSdi, 4});
    ASSERT_TRUE(rig.doc().configModified());
    ASSERT_TRUE(rig.Command(ID_EDIT_UNDO));
    EXPECT_FALSE(rig.doc().IsModified()) << "as read from the device";
    ASSERT_TRUE(rig.Command(ID_EDIT_REDO));
    EXPECT_TRUE(rig.doc().configModified());

    rig.dialogs.saveAnswers.push_back(dir.filePath("rack.vkcfg"));
    ASSERT_TRUE(rig.Command(ID_FILE_SAVE_AS));
    ASSERT_FALSE(rig.doc().IsModified());
    ASSERT_TRUE(rig.Command(ID_EDIT_UNDO));
    EXPECT_TRUE(rig.doc().configModified()) << "the file has the link, the view no longer";
    EXPECT_FALSE(rig.doc().labelsModified());
    ASSERT_TRUE(rig.Command(ID_EDIT_REDO));
    EXPECT_FALSE(rig.doc().IsModified()) << "as saved";
}

// Every way a configuration is replaced starts the history again.
struct ReplaceCase {
    const char* name;
    void (*replace)(MouseRig& rig, const QString& file);
};

const ReplaceCase kReplacements[] = {
    {"LoadConfiguration", [](MouseRig& rig, const QString&) { ASSERT_TRUE(rig.Command(ID_DEVICE_LOAD)); }},
    {"Connect",
     [](MouseRig& rig, const QString&) {
         rig.presenter->Answer(IDYES);  // discard the changes
         ASSERT_TRUE(rig.Command(ID_DEVICE_DISCARD));
         ASSERT_TRUE(rig.Connect());
     }},
    {"OpenFile",
     [](MouseRig& rig, const QString& file) {
         rig.presenter->Answer(IDNO);  // not saved: go on
         rig.dialogs.openAnswers.push_back(file);
         ASSERT_TRUE(rig.Command(ID_FILE_OPEN));
         ASSERT_EQ(rig.doc().filePath(), file);
     }},
    {"Close",
     [](MouseRig& rig, const QString&) {
         rig.presenter->Answer(IDNO);  // not written to the device
         rig.presenter->Answer(IDNO);  // not saved
         ASSERT_TRUE(rig.Command(ID_FILE_CLOSE));
         ASSERT_FALSE(rig.doc().hasConfig());
     }},
};

class UndoAfter : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(UndoAfter, ReplacingTheConfigurationEmptiesTheHistory) {
    MouseRig rig;
    QTemporaryDir dir;
    const QString file = dir.filePath("rack.vkcfg");
    ASSERT_TRUE(rig.Connect());
    rig.dialogs.saveAnswers.push_back(file);
    ASSERT_TRUE(rig.Command(ID_FILE_SAVE_AS));
    DragOnto(rig, {kKeys, 2}, {kSdi, 4});
    DragOnto(rig, {kKeys, 0}, {kPanel, 9});
    ASSERT_TRUE(rig.Command(ID_EDIT_UNDO));
    ASSERT_TRUE(rig.Enabled(ID_EDIT_REDO));
    GetParam().replace(rig, file);
    EXPECT_EQ(rig.v().UndoSteps().History().Count(), 0);
    EXPECT_FALSE(rig.Enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(rig.Enabled(ID_EDIT_REDO));
    EXPECT_FALSE(rig.doc().IsModified());
}

INSTANTIATE_TEST_SUITE_P(Replacements, UndoAfter, ::testing::ValuesIn(kReplacements),
                         [](const auto& info) { return std::string(info.param.name); });

// The keys act once the commands' enabling has caught up, as between two key presses.
void PressKeys(MouseRig& rig, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QApplication::processEvents();
    QTest::keyClick(rig.v().viewport(), key, modifiers);
}

TEST(Undo, CtrlZUndoesCtrlShiftZAndCtrlYRedo) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&rig.frame()));
    const EditState start = Shown(rig);
    DragOnto(rig, {kKeys, 2}, {kSdi, 4});
    const EditState linked = Shown(rig);
    PressKeys(rig, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Shown(rig) == start);
    PressKeys(rig, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(Shown(rig) == linked);
    PressKeys(rig, Qt::Key_Z, Qt::ControlModifier);
    PressKeys(rig, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(Shown(rig) == linked);
    EXPECT_EQ(rig.v().UndoSteps().History().Index(), 1);
}

QStringList Texts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions()) texts << action->text() + (action->isEnabled() ? "" : " (off)");
    return texts;
}

TEST(Undo, TheContextMenuNamesTheStepsAndRunsThem) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    EXPECT_EQ(Texts(*CreateContextMenu(rig.v())), QStringList({"&Undo\tCtrl+Z (off)", "&Redo\tCtrl+Shift+Z (off)"}));
    DragOnto(rig, {kKeys, 2}, {kSdi, 4});

    // A right click opens it where the mouse is.
    QStringList shown;
    QTimer::singleShot(0, [&] {
        if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            shown = Texts(*popup);
            popup->close();
        }
    });
    const QPoint point = ClientCentre(rig.v(), kCard, SUBITEM_WHOLE);
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, rig.v().viewport()->mapToGlobal(point));
    QApplication::sendEvent(rig.v().viewport(), &event);
    EXPECT_EQ(shown, QStringList({"&Undo Link key 3 to input 5\tCtrl+Z", "&Redo\tCtrl+Shift+Z (off)"}));

    const auto menu = CreateContextMenu(rig.v());
    menu->actions()[0]->trigger();
    EXPECT_FALSE(rig.v().UndoSteps().CanUndo());
    EXPECT_EQ(Texts(*CreateContextMenu(rig.v())),
              QStringList({"&Undo\tCtrl+Z (off)", "&Redo Link key 3 to input 5\tCtrl+Shift+Z"}));
}

// The menu of a place offers what the mouse does with it: the dialog of a
// double click and the drops it can make, each run as the mouse runs it.
TEST(Undo, TheContextMenuOffersTheEditAndTheLinksOfThePlace) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    const QStringList undoRedo{"", "&Undo\tCtrl+Z (off)", "&Redo\tCtrl+Shift+Z (off)"};
    const QStringList links{"Link to &panel input", "Link to &input", "Link to the embedded &audio of input"};
    EXPECT_EQ(
        Texts(*CreateContextMenu(rig.v(), {kAnalog, 0})),
        QStringList({"&Edit input label...", "Link to &key", links[0], "E&xchange label with", links[2]}) + undoRedo);
    EXPECT_EQ(Texts(*CreateContextMenu(rig.v(), {kKeys, 2})),
              QStringList({"E&xchange inputs with key"}) + links + undoRedo);
    EXPECT_EQ(Texts(*CreateContextMenu(rig.v(), {kHdmiOut, 2})), QStringList({"&Edit output signal..."}) + undoRedo);
    EXPECT_EQ(Texts(*CreateContextMenu(rig.v(), {kSdi, SUBITEM_WHOLE})),
              QStringList({"&Edit module configuration..."}) + undoRedo);

    // A link is the drop it names: one step.
    const auto menu = CreateContextMenu(rig.v(), {kAnalog, 0});
    QMenu* keys = menu->actions()[1]->menu();
    ASSERT_TRUE(keys && keys->actions().size() == 16);
    keys->actions()[2]->trigger();
    EXPECT_EQ(rig.doc().GetKeyOfInput(8), 2);
    EXPECT_EQ(rig.v().UndoSteps().UndoText(), "Link input 9 to key 3");

    // A right click offers the place under the mouse; its edit is the double click's dialog.
    DialogScript dialogs(rig.v());
    dialogs.answer = [](EditDialog& dialog) {
        qobject_cast<QLineEdit*>(dialog.Control(IDC_LABEL_EDIT))->setText("Studio");
        return Confirm(dialog);
    };
    QTimer::singleShot(0, [] {
        if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            popup->actions()[0]->trigger();
            popup->close();
        }
    });
    const QPoint point = ClientCentre(rig.v(), kPanel, 9);
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, rig.v().viewport()->mapToGlobal(point));
    QApplication::sendEvent(rig.v().viewport(), &event);
    EXPECT_EQ(dialogs.opened, std::vector<int>{IDD_INPUT_LABEL});
    EXPECT_EQ(rig.doc().GetPanelLabel(9, true), "Studio");
    EXPECT_EQ(rig.v().UndoSteps().UndoText(), "Change the label of panel input 10");
}

}  // namespace
