// The zoomed view: the mapping between viewport and layout pixels, clicks,
// tooltips, cursors and drags at 50 % and 200 %, fit to window on a full
// rack, the commands and keys, the stored setting; and the outline colours
// as painted on light and dark plates. Pictures go where VKX_MOUSE_SHOTS
// says (the working folder when unset).
#include "MouseRig.h"

#include "base/SettingKeys.h"
#include "lang/UiText.h"
#include "model/ConfigImage.h"
#include "res/resource.h"
#include "view/ViewCursors.h"
#include "view/ViewZoom.h"

#include <QDir>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <algorithm>

using namespace mousetest;

namespace {

QRect LayoutRect(const CMainView& view, int item, int sub) {
    QRect rect;
    EXPECT_TRUE(view.Layout().GetItemRect(item, rect, sub, view.LayoutClientSize())) << item << "/" << sub;
    return rect;
}

// Scrolls the sub-item to the middle of the window; its centre in client coordinates.
QPoint Reveal(CMainView& view, int item, int sub) {
    const QRect rect = LayoutRect(view, item, sub);
    const QPoint centre = view.ToClient(rect).center() + view.ScrollPosition();
    view.horizontalScrollBar()->setValue(centre.x() - view.ClientSize().width() / 2);
    view.verticalScrollBar()->setValue(centre.y() - view.ClientSize().height() / 2);
    return view.ToClient(rect).center();
}

// Every input and output module slot filled: the widest rack there is.
ConfigImage FullRack() {
    ConfigImage image = viewtest::DemoImage();
    const int inputCodes[kSlotCount] = {16, 48, 80, 32, 64, 81, 50, 17};
    const int outputCodes[kSlotCount] = {144, 128, 129, 130, 145, 160, 176, 177};
    for (int slot = 0; slot < kSlotCount; ++slot) {
        image.inputModules[slot] = {uint8_t(inputCodes[slot]), 2};
        image.outputModules[slot] = {uint8_t(outputCodes[slot]), {0, 1, 2, 3}};
    }
    for (const DeviceBlock& block : {kInputTableBlock, kOutputTableBlock}) StoreBlockCrc(image, block);
    return image;
}

TEST(ViewZoomMapping, ViewPixelsOfARectangleMapBackIntoItAndNoOthersDo) {
    const QRect rects[] = {{0, 0, 1, 1}, {7, 3, 13, 5}, {193, 440, 30, 30}, {-5, -6, 10, 9}};
    for (int percent : {25, 33, 50, 67, 100, 125, 200, 300, 400}) {
        const ViewZoom zoom(percent);
        for (const QRect& rect : rects) {
            const QRect shown = zoom.ToView(rect);
            if (percent == 100) {
                EXPECT_EQ(shown, rect);
            }
            for (int x = shown.left() - 2; x <= shown.right() + 2; ++x)
                for (int y : {shown.top() - 1, shown.center().y(), shown.bottom() + 1}) {
                    const QPoint p(x, y);
                    ASSERT_EQ(rect.contains(zoom.ToLayout(p)), shown.contains(p))
                        << percent << "% at " << x << "," << y;
                }
        }
    }
}

TEST(ViewZoomMapping, StepsLimitsAndFit) {
    const struct {
        int from, in, out;
    } steps[] = {{100, 125, 75}, {25, 33, 25}, {400, 400, 300}, {43, 50, 33}, {67, 75, 50}};
    for (const auto& s : steps) {
        EXPECT_EQ(ZoomInStep(s.from), s.in) << s.from;
        EXPECT_EQ(ZoomOutStep(s.from), s.out) << s.from;
    }
    EXPECT_EQ(FitZoomPercent({2912, 932}, {1456, 900}), 50);
    EXPECT_EQ(FitZoomPercent({2912, 932}, {2912, 466}), 50);
    EXPECT_EQ(FitZoomPercent({500, 300}, {1600, 1200}), 100) << "never larger than the pixels";
    EXPECT_EQ(FitZoomPercent({2912, 932}, {100, 100}), kZoomMinPercent);
}

TEST(ViewZoom, ClicksTooltipsCursorsAndDragsFollowTheZoom) {
    const struct {
        int item, sub;
        unsigned tip;
    } rows[] = {
        {kKeys, 3, IDS_TIP_KEY},
        {kPanel, 9, IDS_TIP_INPUT},
        {kAnalog, 1, IDS_TIP_INPUT},
        {kHdmiOut, 2, IDS_TIP_OUTPUT},
        {kSdi, SUBITEM_AUDIO + 2, IDS_TIP_AUDIO_INPUT},
    };
    for (int percent : {50, 200}) {
        SCOPED_TRACE(percent);
        MouseRig rig;
        ASSERT_TRUE(rig.Connect());
        rig.v().ZoomTo(percent, QPoint(0, 0));
        ASSERT_EQ(rig.v().ZoomPercent(), percent);
        for (const auto& row : rows) {
            const QPoint at = Reveal(rig.v(), row.item, row.sub);
            ASSERT_TRUE(rig.v().viewport()->rect().contains(at));
            Click(rig.v(), at);
            EXPECT_EQ(rig.v().Selection().selItem, row.item);
            EXPECT_EQ(rig.v().Selection().selSubItem, row.sub);
            EXPECT_EQ(rig.v().ToolTips().TextAt(at), ToolTipDisplayText(LoadUiString(row.tip)));
            EXPECT_EQ(rig.v().CursorIndex(), CURSOR_OPEN_HAND);
        }
        // Key 3 onto analog input 2 (input number 9): that input takes key 3.
        const QPoint key = Reveal(rig.v(), kKeys, 3);
        QTest::mousePress(rig.v().viewport(), Qt::LeftButton, {}, key);
        QTest::mouseMove(rig.v().viewport(), key + QPoint(1, 0));
        const QPoint target = rig.v().ToClient(LayoutRect(rig.v(), kAnalog, 1)).center();
        if (!rig.v().viewport()->rect().contains(target)) {
            // At 200 % the two lie apart: the drop comes after scrolling, at the next move.
            QTest::mouseRelease(rig.v().viewport(), Qt::LeftButton, {}, QPoint(-5, -5));
            MoveWithoutButton(rig.v(), Reveal(rig.v(), kAnalog, 1));
        } else {
            QTest::mouseMove(rig.v().viewport(), target);
            EXPECT_EQ(rig.v().CursorIndex(), CURSOR_DROP);
            QTest::mouseRelease(rig.v().viewport(), Qt::LeftButton, {}, target);
        }
        EXPECT_EQ(rig.doc().GetKeyOfInput(9), 3);
    }
}

TEST(ViewZoom, FitToWindowShowsTheWholeRackAndTheKeysAndWheelZoom) {
    MouseRig rig;
    rig.ShowNormal({1280, 800});
    ASSERT_TRUE(rig.ConnectTo(FullRack()));
    CMainView& view = rig.v();
    ASSERT_EQ(view.Layout().size().width(), 2912);
    EXPECT_TRUE(Grab(view).save(ShotPath(QStringLiteral("rack-100.png"))));

    ASSERT_TRUE(rig.Command(ID_VIEW_ZOOM_FIT));
    QApplication::processEvents();
    EXPECT_LT(view.ZoomPercent(), 100);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
    for (int item = 0; item < int(view.Layout().items().size()); ++item)
        EXPECT_TRUE(view.viewport()->rect().contains(view.ToClient(LayoutRect(view, item, SUBITEM_WHOLE)))) << item;
    EXPECT_EQ(ReadSetting(kViewZoom), view.ZoomPercent());
    EXPECT_TRUE(Grab(view).save(ShotPath(QStringLiteral("rack-fit-to-window.png"))));

    rig.frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&rig.frame()));
    const struct {
        QKeyCombination keys;
        int percent;
    } keys[] = {{Qt::CTRL | Qt::Key_0, 100}, {Qt::CTRL | Qt::Key_Equal, 125}, {Qt::CTRL | Qt::Key_Minus, 100}};
    for (const auto& k : keys) {
        QTest::keyClick(&rig.frame(), k.keys.key(), k.keys.keyboardModifiers());
        EXPECT_EQ(view.ZoomPercent(), k.percent);
    }
    const QPointF at(100, 100);
    QWheelEvent wheel(at, view.viewport()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    const QPoint under = view.ToLayout(at.toPoint());
    QApplication::sendEvent(view.viewport(), &wheel);
    EXPECT_EQ(view.ZoomPercent(), 125);
    EXPECT_LE((view.ToLayout(at.toPoint()) - under).manhattanLength(), 2) << "the point under the mouse stays";
    EXPECT_EQ(ReadSetting(kViewZoom), 125);
}

TEST(ViewZoom, StartsAtTheStoredZoom) {
    const struct {
        const char* settings;
        int percent;
    } rows[] = {{"[View]\r\nZoom=50\r\n", 50}, {"[View]\r\nZoom=1000\r\n", kZoomMaxPercent}, {"[View]\r\n", 100}};
    for (const auto& row : rows) {
        viewtest::ViewRig rig(row.settings);
        EXPECT_EQ(rig.view().ZoomPercent(), row.percent) << row.settings;
    }
}

// The median colour of the pixels an outline drawn on rect covers along its
// straight sides.
QRgb OutlineColour(const QImage& shot, const QRect& rect) {
    std::vector<int> channels[3];
    const auto add = [&](int x, int y) {
        const QRgb c = shot.pixel(x, y);
        channels[0].push_back(qRed(c));
        channels[1].push_back(qGreen(c));
        channels[2].push_back(qBlue(c));
    };
    for (int x = rect.left() + 6; x <= rect.right() - 6; ++x) {
        add(x, rect.top());
        add(x, rect.bottom());
    }
    for (int y = rect.top() + 6; y <= rect.bottom() - 6; ++y) {
        add(rect.left(), y);
        add(rect.right(), y);
    }
    int median[3];
    for (int i = 0; i < 3; ++i) {
        std::nth_element(channels[i].begin(), channels[i].begin() + channels[i].size() / 2, channels[i].end());
        median[i] = channels[i][channels[i].size() / 2];
    }
    return qRgb(median[0], median[1], median[2]);
}

bool Looks(QRgb seen, QRgb look) {
    constexpr int kTolerance = 48;
    return std::abs(qRed(seen) - qRed(look)) <= kTolerance && std::abs(qGreen(seen) - qGreen(look)) <= kTolerance &&
           std::abs(qBlue(seen) - qBlue(look)) <= kTolerance;
}

TEST(Outlines, ShowCyanYellowAndRedOnLightAndDarkPlates) {
    constexpr QRgb kCyan = qRgb(0, 255, 255), kYellow = qRgb(255, 255, 0), kRed = qRgb(255, 0, 0);
    const struct {
        const char* what;
        int pressItem, pressSub;  // the selection
        int overItem, overSub;    // where the drag is (none: no drag)
        std::vector<std::tuple<int, int, QRgb>> outlines;
    } rows[] = {
        {"key 10 selected (dark), input 10 and panel input 10 linked",
         kKeys,
         9,
         -1,
         -1,
         {{kKeys, 9, kYellow}, {kAnalog, 1, kCyan}, {kPanel, 9, kCyan}}},
        {"analog input 2 selected (light), key 10 linked (dark)",
         kAnalog,
         1,
         -1,
         -1,
         {{kAnalog, 1, kYellow}, {kKeys, 9, kCyan}, {kPanel, 9, kCyan}}},
        {"key 4 selected (dark), SDI input 4 and its audio channel linked (light)",
         kKeys,
         3,
         -1,
         -1,
         {{kKeys, 3, kYellow}, {kSdi, 3, kCyan}, {kSdi, SUBITEM_AUDIO + 3, kCyan}}},
        {"key 4 dragged over analog input 3 (light)", kKeys, 3, kAnalog, 2, {{kAnalog, 2, kRed}}},
        {"key 4 dragged over key 6 (dark)", kKeys, 3, kKeys, 5, {{kKeys, 5, kRed}}},
        {"computer input 1 dragged over panel input 11 (dark)", kComputer, 0, kPanel, 10, {{kPanel, 10, kRed}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        MouseRig rig;
        ASSERT_TRUE(rig.Connect());
        const QPoint press = ClientCentre(rig.v(), row.pressItem, row.pressSub);
        QTest::mousePress(rig.v().viewport(), Qt::LeftButton, {}, press);
        if (row.overItem != -1) QTest::mouseMove(rig.v().viewport(), ClientCentre(rig.v(), row.overItem, row.overSub));
        const QImage shot = Grab(rig.v());
        if (row.pressItem == kKeys && row.pressSub == 9 && row.overItem == -1) {
            EXPECT_TRUE(shot.save(ShotPath(QStringLiteral("outlines-light-dark.png"))));
        }
        for (const auto& [item, sub, look] : row.outlines) {
            const QRgb seen = OutlineColour(shot, rig.v().ToClient(LayoutRect(rig.v(), item, sub)));
            EXPECT_TRUE(Looks(seen, look)) << item << "/" << sub << " shows " << std::hex << seen << " for " << look;
        }
        QTest::mouseRelease(rig.v().viewport(), Qt::LeftButton, {}, press);
    }
}

// Real event routing: the events go to the window, and Qt delivers them to
// the viewport, which keeps the mouse while the button is held.
TEST(MouseView, AReleaseOutsideTheViewportDropsNothingThereButAtTheNextMoveOverTheView) {
    MouseRig rig;
    rig.ShowNormal({900, 700});
    ASSERT_TRUE(rig.Connect());
    CMainView& view = rig.v();
    QWindow* window = rig.frame().windowHandle();
    const auto inWindow = [&](QPoint client) { return view.viewport()->mapTo(&rig.frame(), client); };
    // Analog input 2 (input number 9), dragged below the viewport, where the
    // layout goes on with something it could be dropped onto.
    const QPoint from = ClientCentre(view, kAnalog, 1);
    QPoint outside;
    for (int x = 0; x < view.ClientSize().width() && outside.isNull(); x += 4) {
        const QPoint p(x, view.ClientSize().height() + 6);
        const SubItemRef hidden = view.HitTest(view.ToLayout(p));
        if (hidden.IsSubItem() && hidden != SubItemRef{kAnalog, 1} &&
            view.Layout().items()[std::size_t(hidden.item)].kind != ITEM_OUTPUT_MODULE)
            outside = p;
    }
    ASSERT_FALSE(outside.isNull()) << "nothing droppable lies just below the viewport";
    ASSERT_NE(QApplication::widgetAt(view.viewport()->mapToGlobal(outside)), view.viewport());

    QTest::mousePress(window, Qt::LeftButton, {}, inWindow(from));
    QTest::mouseMove(window, inWindow(from + QPoint(2, 0)));
    ASSERT_TRUE(view.MouseState().IsDragging());
    QTest::mouseMove(window, inWindow(outside));
    EXPECT_EQ(view.Selection().dropItem, -1) << "no target where the user cannot see";
    QTest::mouseRelease(window, Qt::LeftButton, {}, inWindow(outside));
    EXPECT_TRUE(view.MouseState().IsDragging());
    EXPECT_FALSE(rig.doc().configModified()) << "nothing dropped outside";

    const QPoint channel = ClientCentre(view, kSdi, SUBITEM_AUDIO + 2);
    QTest::mouseMove(window, inWindow(channel));
    EXPECT_FALSE(view.MouseState().IsDragging());
    EXPECT_EQ(rig.doc().GetPanelInputOfInput(9), 2) << "dropped at the next move over the view";
}

}  // namespace
