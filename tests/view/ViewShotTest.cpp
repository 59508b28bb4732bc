// The view after Connect, grabbed offscreen: every item shows its picture on a
// white background. The image is kept as view-shot.png in the working folder
// (or where VKX_VIEW_SHOT says) for a person to look at.
#include "ViewRig.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

using namespace viewtest;

namespace {
int NonWhitePixels(const QImage& image, const QRect& rect) {
    int count = 0;
    const QRect inside = rect.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) ++count;
    return count;
}
}  // namespace

TEST(ViewShot, AfterConnectEveryItemIsPaintedOnWhite) {
    ViewRig rig;
    rig.ShowNormal({1400, 1100});
    ASSERT_TRUE(rig.Connect());
    CMainView& view = rig.view();
    const QImage shot = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString path =
        qEnvironmentVariable("VKX_VIEW_SHOT", QDir::current().filePath(QStringLiteral("view-shot.png")));
    EXPECT_TRUE(shot.save(path)) << path.toStdString();

    const auto& items = view.Layout().items();
    ASSERT_EQ(items.size(), 8u);
    for (std::size_t i = 0; i < items.size(); ++i) {
        QRect rect;
        ASSERT_TRUE(view.Layout().GetItemRect(int(i), rect, SUBITEM_WHOLE, view.ClientSize()));
        rect.translate(-view.ScrollPosition());
        EXPECT_GT(NonWhitePixels(shot, rect), rect.width() * rect.height() / 4) << "item " << i;
    }
    EXPECT_EQ(NonWhitePixels(shot, QRect(0, 0, 10, 10)), 0) << "the margin is white";
}
