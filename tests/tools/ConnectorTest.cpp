#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "tools/skingen/Connectors.h"

using namespace skingen;

namespace {

// Bounding box of every pixel the drawing made visible (alpha above a faint shadow).
QRect PaintedBox(const QImage& image, int minAlpha) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) >= minAlpha) box |= QRect(x, y, 1, 1);
    return box;
}

struct ConnectorCase {
    const char* name;
    QSize size;
    void (*draw)(QPainter&, const QRect&);
};

class ConnectorFillsItsArea : public ::testing::TestWithParam<ConnectorCase> {};

// The hot area handed to a connector is exactly where it is drawn: its body
// reaches every edge of the rectangle and nothing but the soft drop shadow
// leaves it.
TEST_P(ConnectorFillsItsArea, BodyMatchesRectangle) {
    const ConnectorCase c = GetParam();
    QImage image(c.size + QSize(40, 40), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QRect area(QPoint(20, 20), c.size);
    {
        QPainter p(&image);
        c.draw(p, area);
    }
    const QRect body = PaintedBox(image, 200);
    EXPECT_LE(std::abs(body.left() - area.left()), 1) << c.name;
    EXPECT_LE(std::abs(body.top() - area.top()), 1) << c.name;
    EXPECT_LE(std::abs(body.right() - area.right()), 1) << c.name;
    EXPECT_LE(std::abs(body.bottom() - area.bottom()), 1) << c.name;
    const QRect everything = PaintedBox(image, 1);
    EXPECT_TRUE(area.adjusted(-1, -1, 3, 3).contains(everything)) << c.name << ": only the shadow may spill over";
}

INSTANTIATE_TEST_SUITE_P(
    Connectors, ConnectorFillsItsArea,
    ::testing::Values(
        ConnectorCase{"Bnc", {30, 30}, [](QPainter& p, const QRect& r) { DrawBnc(p, r); }},
        ConnectorCase{"BncCapped", {30, 30}, [](QPainter& p, const QRect& r) { DrawBnc(p, r, BncStyle::Capped); }},
        ConnectorCase{
            "BncRinged", {30, 30}, [](QPainter& p, const QRect& r) { DrawBnc(p, r, BncStyle::Plain, Qt::green); }},
        ConnectorCase{"Hdmi", {38, 15}, [](QPainter& p, const QRect& r) { DrawHdmi(p, r); }},
        ConnectorCase{"SfpLc", {40, 22}, [](QPainter& p, const QRect& r) { DrawSfpLc(p, r, Qt::blue); }},
        ConnectorCase{"Dvi", {104, 28}, [](QPainter& p, const QRect& r) { DrawDvi(p, r); }},
        ConnectorCase{"Xlr", {38, 38}, [](QPainter& p, const QRect& r) { DrawXlrFemale(p, r); }},
        ConnectorCase{"Rj45", {36, 30}, [](QPainter& p, const QRect& r) { DrawRj45(p, r); }},
        ConnectorCase{"Db9", {76, 26}, [](QPainter& p, const QRect& r) { DrawDb9(p, r); }},
        ConnectorCase{"TerminalBlock", {80, 20}, [](QPainter& p, const QRect& r) { DrawTerminalBlock(p, r, 6); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
