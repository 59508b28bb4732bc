// Selecting, highlighting and drag-and-drop linking with mouse events on the
// running program's view, connected to the simulated demo rack.
#include "MouseRig.h"

#include "res/resource.h"
#include "view/ViewCursors.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace mousetest;

namespace {

uint32_t Bit(int bit) { return uint32_t(1) << bit; }

TEST(MouseView, ClickingAKeyMarksItsInputAndPanelSource) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    Click(rig.v(), ClientCentre(rig.v(), kKeys, 9));
    EXPECT_EQ(rig.v().Selection().selItem, kKeys);
    EXPECT_EQ(rig.v().Selection().selSubItem, 9);
    EXPECT_EQ(rig.Mask(kKeys), Bit(9));
    EXPECT_EQ(rig.Mask(kAnalog), Bit(1)) << "input 9 is the analog module's second";
    EXPECT_EQ(rig.Mask(kPanel), Bit(9));

    // Key 3 belongs to an input with embedded audio: its panel source is the channel.
    Click(rig.v(), ClientCentre(rig.v(), kKeys, 3));
    EXPECT_EQ(rig.Mask(kKeys), Bit(3));
    EXPECT_EQ(rig.Mask(kSdi), Bit(3) | Bit(SUBITEM_AUDIO + 3));
    EXPECT_EQ(rig.Mask(kPanel), 0u);
    EXPECT_EQ(rig.Mask(kAnalog), 0u) << "the former marks are cleared";
}

TEST(MouseView, ClickingAPanelInputMarksEveryInputLinkedToItAndTheirKeys) {
    MouseRig rig;
    ConfigImage image = viewtest::DemoImage();
    image.panelInputMap[12] = 9;
    image.panelInputMap[13] = 9;
    StoreBlockCrc(image, kPanelMapBlock);
    ASSERT_TRUE(rig.ConnectTo(image));
    Click(rig.v(), ClientCentre(rig.v(), kPanel, 9));
    EXPECT_EQ(rig.Mask(kPanel), Bit(9));
    EXPECT_EQ(rig.Mask(kAnalog), Bit(1));
    EXPECT_EQ(rig.Mask(kComputer), Bit(0) | Bit(1));
    EXPECT_EQ(rig.Mask(kKeys), Bit(9) | Bit(12) | Bit(13));
}

TEST(MouseView, ClicksWorkInAScrolledWindow) {
    MouseRig rig;
    rig.ShowNormal({500, 400});
    ASSERT_TRUE(rig.Connect());
    rig.v().verticalScrollBar()->setValue(rig.v().verticalScrollBar()->maximum());
    rig.v().horizontalScrollBar()->setValue(300);
    ASSERT_NE(rig.v().ScrollPosition(), QPoint(0, 0));
    const QPoint key = ClientCentre(rig.v(), kKeys, 4);
    ASSERT_TRUE(rig.v().viewport()->rect().contains(key));
    Click(rig.v(), key);
    EXPECT_EQ(rig.v().Selection().selItem, kKeys);
    EXPECT_EQ(rig.v().Selection().selSubItem, 4);
}

// As the scrolling view does by default: a page is a tenth of the layout and a
// line a tenth of a page, however large the window; the thumb shows the
// window's share of the layout.
TEST(MouseView, ScrollPagesByATenthOfTheLayout) {
    MouseRig rig;
    rig.ShowNormal({500, 400});
    ASSERT_TRUE(rig.Connect());
    QScrollBar* bar = rig.v().verticalScrollBar();
    EXPECT_EQ(bar->pageStep(), rig.v().viewport()->height());
    const int layoutHeight = bar->maximum() + bar->pageStep();
    const int page = layoutHeight / 10;
    ASSERT_GT(bar->maximum(), 2 * page);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(bar->value(), page);
    QTest::keyClick(&rig.v(), Qt::Key_PageDown);
    EXPECT_EQ(bar->value(), 2 * page);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(bar->value(), 2 * page - page / 10);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(bar->value(), page - page / 10);
}

TEST(MouseView, ClickingTheSameSubItemTwiceDoesNotRedraw) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    PaintCounter paints(rig.v().viewport());
    paints.Take();
    Click(rig.v(), ClientCentre(rig.v(), kKeys, 9));
    EXPECT_GT(paints.Take(), 0) << "a new selection is drawn";
    const std::vector<ToolArea> areas = rig.v().ToolTips().Areas();
    Click(rig.v(), ClientCentre(rig.v(), kKeys, 9));
    EXPECT_EQ(paints.Take(), 0);
    EXPECT_EQ(rig.v().ToolTips().Areas().size(), areas.size());
    Click(rig.v(), QPoint(3, 3));  // empty space drops the selection
    EXPECT_GT(paints.Take(), 0);
    EXPECT_EQ(rig.v().Selection().selItem, -1);
    Click(rig.v(), QPoint(4, 4));
    EXPECT_EQ(paints.Take(), 0);
    EXPECT_EQ(rig.CountMessages(IDS_CHANGE_NOTICE), 0) << "selecting changes nothing";
}

TEST(MouseView, DraggingKey3OntoKey5ExchangesTheirInputs) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    Drag(rig.v(), ClientCentre(rig.v(), kKeys, 3), {ClientCentre(rig.v(), kKeys, 4), ClientCentre(rig.v(), kKeys, 5)});
    EXPECT_EQ(rig.doc().GetInputOfKey(3), 5);
    EXPECT_EQ(rig.doc().GetInputOfKey(5), 3);
    EXPECT_EQ(rig.v().Selection().selItem, -1) << "a drop onto a target clears the selection";
    EXPECT_FALSE(rig.v().MouseState().IsDragging());
    for (const ViewItem& item : rig.v().Layout().items()) EXPECT_EQ(item.mask, 0u);
    EXPECT_EQ(rig.CountMessages(IDS_CHANGE_NOTICE), 1);

    Drag(rig.v(), ClientCentre(rig.v(), kKeys, 3), {ClientCentre(rig.v(), kKeys, 5)});
    EXPECT_EQ(rig.doc().GetInputOfKey(3), 3) << "and back";
    EXPECT_EQ(rig.CountMessages(IDS_CHANGE_NOTICE), 1) << "the notice comes once per run";
}

TEST(MouseView, KeyOntoModuleInputGivesItTheKeyAndTheOldHolderItsFormerKey) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    Drag(rig.v(), ClientCentre(rig.v(), kKeys, 3), {ClientCentre(rig.v(), kComputer, 1)});
    EXPECT_EQ(rig.doc().GetKeyOfInput(13), 3);
    EXPECT_EQ(rig.doc().GetKeyOfInput(3), 13);
    EXPECT_TRUE(rig.doc().configModified());
}

TEST(MouseView, PanelLabelsExchangeWhenOneIsEmpty) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.doc().SetPanelLabel(9, "Desk"));
    Drag(rig.v(), ClientCentre(rig.v(), kPanel, 9), {ClientCentre(rig.v(), kPanel, 12)});
    EXPECT_EQ(rig.doc().GetPanelLabel(9, false), "A10") << "its default name";
    EXPECT_EQ(rig.doc().GetPanelLabel(12, true), "Desk");
}

TEST(MouseView, ALabelExchangeThatWouldLoseALabelIsRefusedWithTheDuplicateMessage) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    // Taken while input 15 did not exist; now input 15 shows IN16 as its name.
    ASSERT_TRUE(rig.doc().SetInputLabel(0, "IN16"));
    rig.doc().SetInputModule(1, 48, 6);
    rig.presenter->Clear();
    Drag(rig.v(), ClientCentre(rig.v(), kSdi, 0), {ClientCentre(rig.v(), kAnalog, 1)});
    EXPECT_EQ(rig.CountMessages(IDS_DUPLICATE_LABEL), 1);
    EXPECT_EQ(rig.doc().GetInputLabel(0, true), "IN16");
    EXPECT_EQ(rig.doc().GetInputLabel(9, true), "");
}

TEST(MouseView, DropOntoItselfAnOutputOrEmptySpaceLinksNothingAndKeepsTheSelection) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    const ConfigImage before = rig.doc().image();
    struct Row {
        const char* what;
        QPoint dropAt;
    };
    const Row rows[] = {
        {"itself", ClientCentre(rig.v(), kKeys, 6)},
        {"an output", ClientCentre(rig.v(), kSdiOut, 2)},
        {"empty space", QPoint(5, 5)},
    };
    for (const Row& row : rows) {
        // Past a valid target first, so the target has to be dropped again.
        Drag(rig.v(), ClientCentre(rig.v(), kKeys, 6), {ClientCentre(rig.v(), kKeys, 7), row.dropAt});
        EXPECT_EQ(rig.v().Selection().selItem, kKeys) << row.what;
        EXPECT_EQ(rig.v().Selection().selSubItem, 6) << row.what;
        EXPECT_EQ(rig.v().Selection().dropItem, -1) << row.what;
        EXPECT_FALSE(rig.v().MouseState().IsDragging()) << row.what;
        EXPECT_EQ(rig.Mask(kKeys), Bit(6)) << row.what;
    }
    EXPECT_EQ(std::memcmp(before.bytes(), rig.doc().image().bytes(), sizeof(ConfigImage)), 0);
    EXPECT_FALSE(rig.doc().configModified());
}

TEST(MouseView, ADragReleasedOutsideTheViewDropsAtTheNextMove) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    QTest::mousePress(rig.v().viewport(), Qt::LeftButton, {}, ClientCentre(rig.v(), kKeys, 3));
    QTest::mouseMove(rig.v().viewport(), ClientCentre(rig.v(), kKeys, 8));
    ASSERT_TRUE(rig.v().MouseState().IsDragging());
    EXPECT_EQ(rig.v().CursorIndex(), CURSOR_DROP);
    QTest::mouseRelease(rig.v().window(), Qt::LeftButton, {}, QPoint(1, 1));  // elsewhere
    ASSERT_TRUE(rig.v().MouseState().IsDragging());
    MoveWithoutButton(rig.v(), ClientCentre(rig.v(), kKeys, 8));
    EXPECT_FALSE(rig.v().MouseState().IsDragging());
    EXPECT_EQ(rig.doc().GetInputOfKey(3), 8);
}

TEST(MouseView, APressOnAnOutputNeverDragsAndShowsTheOpenHand) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    Drag(rig.v(), ClientCentre(rig.v(), kHdmiOut, 1), {ClientCentre(rig.v(), kKeys, 2), QPoint(6, 6)});
    EXPECT_FALSE(rig.v().MouseState().IsDragging());
    EXPECT_EQ(rig.v().Selection().dropItem, -1);
    EXPECT_EQ(rig.v().Selection().selItem, kHdmiOut);
    for (QPoint over : {QPoint(6, 6), ClientBody(rig.v(), kAnalog), ClientCentre(rig.v(), kKeys, 2)}) {
        MoveWithoutButton(rig.v(), over);
        EXPECT_EQ(rig.v().CursorIndex(), CURSOR_OPEN_HAND);
        EXPECT_EQ(rig.v().viewport()->cursor().hotSpot(), QPoint(15, 15));
        EXPECT_EQ(rig.v().viewport()->cursor().shape(), Qt::BitmapCursor);
    }
    EXPECT_FALSE(rig.doc().configModified());
    Click(rig.v(), QPoint(6, 6));
    EXPECT_EQ(rig.v().CursorIndex(), CURSOR_DEFAULT) << "until another click";
    EXPECT_EQ(rig.v().viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST(MouseView, CursorWhileDraggingShowsTheTarget) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    MoveWithoutButton(rig.v(), ClientBody(rig.v(), kAnalog));
    EXPECT_EQ(rig.v().CursorIndex(), CURSOR_POINT);
    EXPECT_EQ(rig.v().viewport()->cursor().hotSpot(), QPoint(7, 0));
    QTest::mousePress(rig.v().viewport(), Qt::LeftButton, {}, ClientCentre(rig.v(), kKeys, 3));
    QTest::mouseMove(rig.v().viewport(), ClientCentre(rig.v(), kKeys, 3));
    EXPECT_EQ(rig.v().CursorIndex(), CURSOR_GRAB);
    QTest::mouseMove(rig.v().viewport(), ClientCentre(rig.v(), kPanel, 10));
    EXPECT_EQ(rig.v().CursorIndex(), CURSOR_DROP);
    EXPECT_EQ(rig.v().viewport()->cursor().hotSpot(), QPoint(13, 9));
    QTest::mouseMove(rig.v().viewport(), ClientCentre(rig.v(), kHdmiOut, 0));
    EXPECT_EQ(rig.v().CursorIndex(), CURSOR_NO_DROP);
    QTest::mouseRelease(rig.v().viewport(), Qt::LeftButton, {}, ClientCentre(rig.v(), kHdmiOut, 0));
}

TEST(MouseView, ToolTipsFollowTheLanguage) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    auto keyTip = [&] {
        for (const ToolArea& area : rig.v().ToolTips().Areas())
            if (area.textId == IDS_TIP_KEY) return area.text;
        return QString();
    };
    const QString before = keyTip();
    ASSERT_FALSE(before.isEmpty());
    SetUiTextLookup([](uint32_t key, QString& text) {
        if (key != kStringKeyBase + IDS_TIP_KEY) return false;
        text = QStringLiteral("Ziehen zum Verbinden");
        return true;
    });
    Q_EMIT rig.frame().languageChanged();
    EXPECT_EQ(keyTip(), QStringLiteral("Ziehen zum Verbinden"));
    SetUiTextLookup(nullptr);
    Q_EMIT rig.frame().languageChanged();
    EXPECT_EQ(keyTip(), before);
}

}  // namespace
