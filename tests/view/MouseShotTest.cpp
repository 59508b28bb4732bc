// The cursors as drawn, and pictures of the view with a selection and during
// a drag. The pictures go to the folder VKX_MOUSE_SHOTS names (the working
// folder when unset) for a person to look at; the tests check what can be
// measured in them.
#include "MouseRig.h"

#include "view/ViewCursors.h"

#include <QBitmap>
#include <QDir>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

using namespace mousetest;

namespace {

// A grab does not show the mouse: the picture for a person gets the view's
// cursor drawn in where the mouse is.
void SaveWithCursor(QImage shot, const CMainView& view, QPoint mouse, const QString& name) {
    const CursorShape cursor = DrawViewCursor(view.CursorIndex());
    QPainter painter(&shot);
    painter.drawImage(mouse - cursor.hotSpot, cursor.image);
    painter.end();
    EXPECT_TRUE(shot.save(ShotPath(name)));
}

QRect ClientRect(const CMainView& view, int item, int sub) {
    QRect rect;
    view.Layout().GetItemRect(item, rect, sub, view.ClientSize());
    return rect.translated(-view.ScrollPosition());
}

// Outlines change the picture only at and just around what is marked.
bool Outlined(const QImage& marked, const QImage& plain, QRect rect) {
    const QRect around = rect.adjusted(-2, -2, 2, 2);
    for (int y = around.top(); y <= around.bottom(); ++y)
        for (int x = around.left(); x <= around.right(); ++x)
            if (marked.pixel(x, y) != plain.pixel(x, y)) return true;
    return false;
}

TEST(ViewCursors, FiveMonochromeCursorsWithTheirHotSpots) {
    const QPoint hotSpots[] = {{7, 0}, {15, 15}, {15, 15}, {15, 15}, {13, 9}};
    for (int i = 0; i < kViewCursorCount; ++i) {
        const CursorShape shape = DrawViewCursor(i);
        ASSERT_EQ(shape.image.size(), QSize(kCursorSize, kCursorSize)) << i;
        EXPECT_EQ(shape.hotSpot, hotSpots[i]) << i;
        int black = 0, white = 0;
        for (int y = 0; y < kCursorSize; ++y) {
            for (int x = 0; x < kCursorSize; ++x) {
                const QRgb p = shape.image.pixel(x, y);
                if (qAlpha(p) == 0) continue;
                ASSERT_EQ(qAlpha(p), 255) << i;
                ASSERT_TRUE(p == qRgb(0, 0, 0) || p == qRgb(255, 255, 255)) << i << " at " << x << "," << y;
                (p == qRgb(0, 0, 0) ? black : white) += 1;
            }
        }
        EXPECT_GT(black, 40) << i;
        EXPECT_GT(white, 40) << i;
        // The hot spot is on the drawing (the finger tip, the palm, the sign).
        EXPECT_NE(qAlpha(shape.image.pixel(shape.hotSpot)), 0) << i;

        const QCursor cursor = MakeViewCursor(i);
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
        EXPECT_EQ(cursor.hotSpot(), hotSpots[i]);
        EXPECT_EQ(cursor.bitmap().depth(), 1);
        EXPECT_EQ(cursor.mask().size(), QSize(kCursorSize, kCursorSize));
    }
}

TEST(ViewCursors, SheetOfTheFiveCursors) {
    constexpr int kZoom = 6, kCell = kCursorSize * kZoom + 20;
    QImage sheet(kCell * kViewCursorCount, kCell, QImage::Format_RGB32);
    sheet.fill(qRgb(128, 144, 160));
    QPainter painter(&sheet);
    for (int i = 0; i < kViewCursorCount; ++i) {
        const CursorShape shape = DrawViewCursor(i);
        const QPoint origin(i * kCell + 10, 10);
        painter.drawImage(QRect(origin, QSize(kCursorSize * kZoom, kCursorSize * kZoom)), shape.image);
        painter.fillRect(QRect(origin + shape.hotSpot * kZoom, QSize(kZoom, kZoom)), Qt::red);
    }
    painter.end();
    EXPECT_TRUE(sheet.save(ShotPath(QStringLiteral("cursors.png"))));
}

TEST(MouseShots, KeySelectedShowsItsLinks) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    const QImage plain = Grab(rig.v());
    const QPoint key = ClientCentre(rig.v(), kKeys, 9);
    Click(rig.v(), key);
    const QImage shot = Grab(rig.v());
    SaveWithCursor(shot, rig.v(), key, QStringLiteral("key-selected.png"));
    EXPECT_TRUE(Outlined(shot, plain, ClientRect(rig.v(), kKeys, 9)));
    EXPECT_TRUE(Outlined(shot, plain, ClientRect(rig.v(), kAnalog, 1)));
    EXPECT_TRUE(Outlined(shot, plain, ClientRect(rig.v(), kPanel, 9)));
    EXPECT_FALSE(Outlined(shot, plain, ClientRect(rig.v(), kKeys, 8)));
    EXPECT_FALSE(Outlined(shot, plain, ClientRect(rig.v(), kAnalog, 2)));
}

TEST(MouseShots, DragOverADropTarget) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    const QImage plain = Grab(rig.v());
    QTest::mousePress(rig.v().viewport(), Qt::LeftButton, {}, ClientCentre(rig.v(), kKeys, 3));
    const QPoint target = ClientCentre(rig.v(), kAnalog, 1);
    QTest::mouseMove(rig.v().viewport(), target);
    ASSERT_EQ(rig.v().Selection().dropItem, kAnalog);
    const QImage shot = Grab(rig.v());
    SaveWithCursor(shot, rig.v(), target, QStringLiteral("drag-over-target.png"));
    EXPECT_TRUE(Outlined(shot, plain, ClientRect(rig.v(), kAnalog, 1)));
    EXPECT_TRUE(Outlined(shot, plain, ClientRect(rig.v(), kKeys, 3)));
    QTest::mouseRelease(rig.v().viewport(), Qt::LeftButton, {}, ClientCentre(rig.v(), kAnalog, 1));
    const QImage after = Grab(rig.v());
    EXPECT_TRUE(after.save(ShotPath(QStringLiteral("after-drop.png"))));
    EXPECT_EQ(rig.doc().GetKeyOfInput(9), 3);
}

}  // namespace
