// What a screen reader finds in the running program's view, asked through
// Qt's accessibility API: the items and enabled sub-items with their names,
// states and places, and the events sent as the keyboard moves.
#include "MouseRig.h"

#include "view/ViewAccessible.h"

#include <QAccessible>
#include <QTest>
#include <gtest/gtest.h>

using namespace mousetest;

namespace {

constexpr int kAudio0 = SUBITEM_AUDIO;

class AccessibleRig : public MouseRig {
public:
    AccessibleRig() {
        EXPECT_TRUE(Connect());
        frame().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&frame()));
    }
    QAccessibleInterface* View() const { return QAccessible::queryAccessibleInterface(&v()); }
    QAccessibleInterface* Item(int item) const { return View()->child(item); }
    // child: the sub-item's place among the item's enabled sub-items.
    QAccessibleInterface* Sub(int item, int child) const { return Item(item)->child(child); }
    QPoint Global(int item, int sub) const { return v().viewport()->mapToGlobal(ClientCentre(v(), item, sub)); }
};

TEST(ViewAccessible, EveryItemAndEnabledSubItemHasAName) {
    AccessibleRig rig;
    rig.doc().AssignKey(2, 9);  // input 9 had key 9: input 2 takes it
    ASSERT_TRUE(rig.doc().SetInputLabel(9, "Studio Cam 1"));
    rig.doc().SetPanelInputOfInput(9, 12);
    ASSERT_NE(rig.View(), nullptr);
    EXPECT_EQ(rig.View()->text(QAccessible::Name), "Configuration");
    ASSERT_EQ(rig.View()->childCount(), 8);

    struct ItemRow {
        int item;
        int children;  // enabled sub-items
        const char* name;
    };
    const ItemRow items[] = {
        {kKeys, 16, "Keys"},
        {kPanel, 6, "Panel inputs"},  // 8..13: the SDI inputs carry their own audio
        {kComputer, 2, "Input module 3, Computer input, DVI digital, 2 inputs"},
        {kAnalog, 4, "Input module 2, Analog video input, CVBS PAL, 8 inputs"},
        {kSdi, 16, "Input module 1, SDI input, HD-SDI, 8 inputs"},
        {kCard, 0, "CPU card"},
        {kSdiOut, 4, "Output module 2, SDI output, HD-SDI outputs"},
    };
    for (const ItemRow& row : items) {
        QAccessibleInterface* item = rig.Item(row.item);
        ASSERT_NE(item, nullptr) << row.name;
        EXPECT_EQ(item->text(QAccessible::Name), row.name);
        EXPECT_EQ(item->childCount(), row.children) << row.name;
        EXPECT_EQ(item->parent(), rig.View()) << row.name;
        EXPECT_EQ(rig.View()->indexOfChild(item), row.item) << row.name;
    }

    struct SubRow {
        int item, child;
        const char* name;
    };
    const SubRow subs[] = {
        {kKeys, 2, "Key 3, input 10 Studio Cam 1, panel input A13"},
        {kKeys, 9, "Key 10, input 3 IN3, panel input IN3"},  // a source with embedded audio keeps its input's name
        {kKeys, 15, "Key 16, no input"},
        {kPanel, 1, "Panel input 10 A10"},
        {kAnalog, 1, "Input 10 Studio Cam 1, key 3, panel input A13"},
        {kSdi, 8 + 3, "Embedded audio of input 4 IN4"},
        {kSdiOut, 2, "Output 3 Preview"},
    };
    for (const SubRow& row : subs) {
        QAccessibleInterface* sub = rig.Sub(row.item, row.child);
        ASSERT_NE(sub, nullptr) << row.name;
        EXPECT_EQ(sub->text(QAccessible::Name), row.name);
        EXPECT_EQ(sub->parent(), rig.Item(row.item)) << row.name;
        EXPECT_EQ(rig.Item(row.item)->indexOfChild(sub), row.child) << row.name;
    }
    EXPECT_EQ(rig.Sub(kKeys, 16), nullptr);
}

TEST(ViewAccessible, StatesAndPlacesFollowTheSelectionTheFocusAndTheWindow) {
    AccessibleRig rig;
    Click(rig.v(), ClientCentre(rig.v(), kKeys, 1));
    QAccessibleInterface* key1 = rig.Sub(kKeys, 1);
    EXPECT_TRUE(key1->state().selected);
    EXPECT_TRUE(key1->state().focused);
    EXPECT_TRUE(key1->rect().contains(rig.Global(kKeys, 1)));
    EXPECT_EQ(rig.View()->focusChild(), key1);
    const QPoint onKey1 = rig.Global(kKeys, 1);
    EXPECT_EQ(rig.View()->childAt(onKey1.x(), onKey1.y()), rig.Item(kKeys));
    EXPECT_EQ(rig.Item(kKeys)->childAt(onKey1.x(), onKey1.y()), key1);
    QAccessibleInterface* key2 = rig.Sub(kKeys, 2);
    EXPECT_FALSE(key2->state().selected);
    EXPECT_FALSE(key2->state().focused);
    EXPECT_TRUE(key2->state().focusable);
    EXPECT_TRUE(rig.Item(kSdi)->state().focusable) << "a module body is edited as a whole";
    EXPECT_FALSE(rig.Item(kKeys)->state().focusable);

    QTest::keyClick(&rig.v(), Qt::Key_Space);
    QTest::keyClick(&rig.v(), Qt::Key_Right);
    EXPECT_EQ(key1->text(QAccessible::Description), "Picked up");
    EXPECT_EQ(key2->text(QAccessible::Description), "Drop target");
    EXPECT_TRUE(key2->state().focused);
    QTest::keyClick(&rig.v(), Qt::Key_Escape);
    EXPECT_EQ(key2->text(QAccessible::Description), "");

    rig.v().clearFocus();
    EXPECT_TRUE(key1->state().selected);
    EXPECT_FALSE(key1->state().focused);
    EXPECT_EQ(rig.View()->focusChild(), nullptr);

    rig.ShowNormal({500, 400});
    EXPECT_TRUE(key1->state().offscreen) << "the keys lie below the small window";
    EXPECT_FALSE(rig.Item(kComputer)->state().offscreen);
}

TEST(ViewAccessible, TheKeyboardAnnouncesWhereItMoves) {
    AccessibleRig rig;
    Click(rig.v(), ClientCentre(rig.v(), kSdi, 0));
    std::vector<std::pair<QAccessible::Event, QString>> events;
    SetAccessibleEventSink([&events](QAccessibleEvent& event) {
        events.emplace_back(event.type(), event.accessibleInterface()->text(QAccessible::Name));
    });
    QTest::keyClick(&rig.v(), Qt::Key_Left);  // the audio meter stands left of its input
    SetAccessibleEventSink(nullptr);
    const QString audio = "Embedded audio of input 1 IN1";
    const std::vector<std::pair<QAccessible::Event, QString>> expected{{QAccessible::Focus, audio},
                                                                       {QAccessible::Selection, audio}};
    EXPECT_EQ(events, expected);
}

}  // namespace
