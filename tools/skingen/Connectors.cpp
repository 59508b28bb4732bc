#include "tools/skingen/Connectors.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "tools/skingen/FacePlate.h"

namespace skingen {
namespace {

QRadialGradient Chrome(const QPointF& c, qreal r, int bright = 245, int dark = 90) {
    QRadialGradient g(c - QPointF(r * 0.4, r * 0.45), r * 1.6);
    g.setColorAt(0, QColor(bright, bright, bright + std::min(10, 255 - bright)));
    g.setColorAt(0.55, QColor((bright + dark) / 2, (bright + dark) / 2, (bright + dark) / 2 + 4));
    g.setColorAt(1, QColor(dark, dark, dark + 4));
    return g;
}

QPolygonF Hexagon(const QPointF& c, qreal r) {
    QPolygonF hex;
    for (int i = 0; i < 6; ++i) {
        const qreal a = M_PI / 6 + i * M_PI / 3;
        hex << c + QPointF(r * std::cos(a), r * std::sin(a));
    }
    return hex;
}

void DropShadow(QPainter& p, const QPainterPath& shape) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawPath(shape.translated(1.2, 1.6));
    p.restore();
}

// D-shaped outline (wider at the top) used by the D-sub and DVI shells.
QPainterPath DShape(const QRectF& r, qreal taper) {
    QPainterPath path;
    const qreal k = r.height() * 0.22;
    path.moveTo(r.left() + k, r.top());
    path.lineTo(r.right() - k, r.top());
    path.quadTo(r.right(), r.top(), r.right() - 0.5, r.top() + k);
    path.lineTo(r.right() - taper, r.bottom() - k);
    path.quadTo(r.right() - taper - 1, r.bottom(), r.right() - taper - k, r.bottom());
    path.lineTo(r.left() + taper + k, r.bottom());
    path.quadTo(r.left() + taper + 1, r.bottom(), r.left() + taper, r.bottom() - k);
    path.lineTo(r.left() + 0.5, r.top() + k);
    path.quadTo(r.left(), r.top(), r.left() + k, r.top());
    return path;
}

void HexStandoff(QPainter& p, const QPointF& c, qreal r) {
    p.setPen(QPen(QColor(60, 60, 64), 0.8));
    p.setBrush(Chrome(c, r, 230, 110));
    p.drawPolygon(Hexagon(c, r));
    p.setBrush(QColor(25, 25, 28));
    p.drawEllipse(c, r * 0.42, r * 0.42);
}

// The metal flange of a D-sub style jack (DVI, DB9) with its two hex
// standoffs, post inset from the flange's ends by postInset post radii.
void DSubFlange(QPainter& p, const QRectF& r, qreal corner, const QColor& top, qreal post, qreal postInset) {
    QPainterPath flange;
    flange.addRoundedRect(r, corner, corner);
    DropShadow(p, flange);
    QLinearGradient metal(r.topLeft(), r.bottomLeft());
    metal.setColorAt(0, top);
    metal.setColorAt(1, QColor(140, 142, 148));
    p.setPen(QPen(QColor(70, 70, 76), 0.8));
    p.setBrush(metal);
    p.drawPath(flange);
    HexStandoff(p, QPointF(r.left() + post * postInset, r.center().y()), post);
    HexStandoff(p, QPointF(r.right() - post * postInset, r.center().y()), post);
}

}  // namespace

void DrawBnc(QPainter& p, const QRect& rect, BncStyle style, const QColor& ring) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(rect);
    const QPointF c = r.center();
    const qreal R = r.width() / 2.0;
    QPainterPath outline;
    outline.addEllipse(c, R - 0.5, R - 0.5);
    DropShadow(p, outline);
    // Flange washer under the nut: a coloured marker ring, or plain dark insulation.
    const QColor washer = ring.isValid() ? ring : QColor(58, 60, 66);
    QRadialGradient g(c - QPointF(R * 0.3, R * 0.3), R * 1.4);
    g.setColorAt(0, washer.lighter(150));
    g.setColorAt(1, washer.darker(140));
    p.setBrush(g);
    p.setPen(QPen(washer.darker(200), 0.8));
    p.drawEllipse(c, R - 0.5, R - 0.5);
    p.setPen(QPen(QColor(55, 55, 60), 0.8));
    p.setBrush(Chrome(c, R, 235, 105));
    p.drawPolygon(Hexagon(c, R * 0.86));
    if (style == BncStyle::Capped) {
        QRadialGradient cap(c - QPointF(R * 0.25, R * 0.3), R);
        cap.setColorAt(0, QColor(95, 95, 100));
        cap.setColorAt(0.6, QColor(35, 35, 38));
        cap.setColorAt(1, QColor(12, 12, 14));
        p.setBrush(cap);
        p.setPen(QPen(QColor(5, 5, 6), 1));
        p.drawEllipse(c, R * 0.66, R * 0.66);
        p.setPen(QPen(QColor(255, 255, 255, 50), 1));
        p.drawEllipse(c, R * 0.45, R * 0.45);
        p.restore();
        return;
    }
    // Bayonet studs.
    p.setPen(QPen(QColor(60, 60, 64), 0.6));
    p.setBrush(Chrome(c, R * 0.2, 250, 140));
    p.drawEllipse(c + QPointF(-R * 0.62, 0), R * 0.13, R * 0.13);
    p.drawEllipse(c + QPointF(R * 0.62, 0), R * 0.13, R * 0.13);
    // Sleeve, dielectric and centre contact.
    p.setBrush(Chrome(c, R * 0.55, 250, 120));
    p.setPen(QPen(QColor(45, 45, 50), 0.9));
    p.drawEllipse(c, R * 0.5, R * 0.5);
    p.setBrush(QColor(238, 236, 226));
    p.setPen(QPen(QColor(150, 148, 140), 0.6));
    p.drawEllipse(c, R * 0.34, R * 0.34);
    p.setBrush(QColor(212, 170, 70));
    p.setPen(QPen(QColor(120, 90, 30), 0.6));
    p.drawEllipse(c, R * 0.1, R * 0.1);
    p.restore();
}

void DrawHdmi(QPainter& p, const QRect& rect, bool capped) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal chamfer = r.height() * 0.3;
    QPainterPath shell;
    shell.moveTo(r.topLeft());
    shell.lineTo(r.topRight());
    shell.lineTo(r.right(), r.bottom() - chamfer);
    shell.lineTo(r.right() - chamfer, r.bottom());
    shell.lineTo(r.left() + chamfer, r.bottom());
    shell.lineTo(r.left(), r.bottom() - chamfer);
    shell.closeSubpath();
    DropShadow(p, shell);
    QLinearGradient metal(r.topLeft(), r.bottomLeft());
    metal.setColorAt(0, QColor(240, 241, 244));
    metal.setColorAt(1, QColor(130, 132, 138));
    p.setPen(QPen(QColor(60, 60, 66), 0.8));
    p.setBrush(metal);
    p.drawPath(shell);
    const qreal inset = std::max<qreal>(1.8, r.height() * 0.16);
    QTransform shrink;
    shrink.translate(r.center().x(), r.center().y());
    shrink.scale((r.width() - 2 * inset) / r.width(), (r.height() - 2 * inset) / r.height());
    shrink.translate(-r.center().x(), -r.center().y());
    const QPainterPath mouth = shrink.map(shell);
    p.setBrush(capped ? QColor(28, 28, 30) : QColor(14, 14, 16));
    p.setPen(Qt::NoPen);
    p.drawPath(mouth);
    if (!capped) {  // contact tongue with gold pins
        const QRectF tongue(r.left() + r.width() * 0.17, r.top() + r.height() * 0.36, r.width() * 0.66,
                            r.height() * 0.22);
        p.setBrush(QColor(40, 40, 44));
        p.drawRect(tongue);
        p.setBrush(QColor(205, 165, 70));
        for (int i = 0; i < 10; ++i)
            p.drawRect(
                QRectF(tongue.left() + 1 + i * (tongue.width() - 2) / 10.0, tongue.top(), 1.1, tongue.height() * 0.6));
    } else {
        p.setPen(QPen(QColor(255, 255, 255, 45), 1));
        p.drawLine(QPointF(r.left() + inset + 2, r.top() + inset + 1),
                   QPointF(r.right() - inset - 2, r.top() + inset + 1));
    }
    p.restore();
}

void DrawSfpLc(QPainter& p, const QRect& rect, const QColor& bale, bool capped) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath cage;
    cage.addRoundedRect(r, 1.5, 1.5);
    DropShadow(p, cage);
    QLinearGradient metal(r.topLeft(), r.bottomRight());
    metal.setColorAt(0, QColor(230, 232, 236));
    metal.setColorAt(1, QColor(140, 142, 148));
    p.setPen(QPen(QColor(70, 70, 76), 0.8));
    p.setBrush(metal);
    p.drawPath(cage);
    // Spring fingers along the cage mouth.
    p.setPen(QPen(QColor(110, 112, 118), 0.6));
    for (qreal x = r.left() + 3; x < r.right() - 2; x += 3)
        p.drawLine(QPointF(x, r.top() + 0.8), QPointF(x, r.top() + 2.2));
    const QRectF body = r.adjusted(2.5, 3, -2.5, -2);
    p.setPen(QPen(QColor(30, 30, 34), 0.6));
    p.setBrush(capped ? QColor(18, 18, 20) : QColor(84, 86, 92));
    p.drawRect(body);
    if (capped) {
        p.setPen(QPen(QColor(255, 255, 255, 40), 1));
        p.drawLine(QPointF(body.left() + 2, body.top() + 2), QPointF(body.right() - 2, body.top() + 2));
        p.restore();
        return;
    }
    // Duplex LC receptacle: two square ports with ceramic ferrules, then the bale.
    const qreal portW = body.width() * 0.34, portH = body.height() * 0.62;
    for (qreal fx : {0.12, 0.54}) {
        const QRectF port(body.left() + body.width() * fx, body.top() + 1.5, portW, portH);
        p.setPen(QPen(QColor(150, 140, 110), 0.6));
        p.setBrush(QColor(214, 206, 180));
        p.drawRect(port);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 20, 22));
        p.drawRect(port.adjusted(1.5, 1.5, -1.5, -1.5));
        p.setBrush(QColor(246, 242, 228));
        p.drawEllipse(port.center(), portH * 0.16, portH * 0.16);
    }
    p.setPen(QPen(bale.darker(160), 0.6));
    p.setBrush(bale);
    p.drawRoundedRect(
        QRectF(body.left() + 1, body.bottom() - body.height() * 0.24, body.width() - 2, body.height() * 0.2), 1, 1);
    p.restore();
}

void DrawDvi(QPainter& p, const QRect& rect) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal post = r.height() * 0.34;
    DSubFlange(p, r, 3, QColor(232, 234, 238), post, 1.2);
    // Insulator with 3 x 8 contact holes and the analogue blade.
    const QRectF shell(r.left() + post * 2.6, r.top() + r.height() * 0.14, r.width() - post * 5.2, r.height() * 0.72);
    p.setBrush(QColor(20, 20, 22));
    p.setPen(QPen(QColor(40, 40, 44), 0.8));
    p.drawPath(DShape(shell, shell.height() * 0.25));
    const QRectF pins =
        shell.adjusted(shell.width() * 0.06, shell.height() * 0.2, -shell.width() * 0.3, -shell.height() * 0.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 230, 232));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 8; ++col)
            p.drawRect(QRectF(pins.left() + col * pins.width() / 8.0 + 0.5,
                              pins.top() + row * pins.height() / 3.0 + 0.5, 1.4, 1.4));
    const QPointF blade(shell.right() - shell.width() * 0.15, shell.center().y());
    p.drawRect(QRectF(blade.x() - 3, blade.y() - 0.7, 6, 1.4));
    for (QPointF d : {QPointF(-2.5, -2.5), QPointF(2.5, -2.5), QPointF(-2.5, 2.5), QPointF(2.5, 2.5)})
        p.drawRect(QRectF(blade + d - QPointF(0.7, 0.7), QSizeF(1.4, 1.4)));
    p.restore();
}

void DrawXlrFemale(QPainter& p, const QRect& rect) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPointF c = r.center();
    const qreal R = r.width() / 2.0;
    // Square flange with two fixing holes, round housing, latch.
    QPainterPath flange;
    flange.addRoundedRect(r, R * 0.25, R * 0.25);
    DropShadow(p, flange);
    QLinearGradient metal(r.topLeft(), r.bottomRight());
    metal.setColorAt(0, QColor(92, 94, 100));
    metal.setColorAt(1, QColor(30, 31, 34));
    p.setPen(QPen(QColor(12, 12, 14), 0.8));
    p.setBrush(metal);
    p.drawPath(flange);
    p.setBrush(QColor(10, 10, 12));
    p.drawEllipse(r.topLeft() + QPointF(R * 0.2, R * 0.2), R * 0.08, R * 0.08);
    p.drawEllipse(r.bottomRight() - QPointF(R * 0.2, R * 0.2), R * 0.08, R * 0.08);
    p.setBrush(Chrome(c, R * 0.85, 235, 95));
    p.setPen(QPen(QColor(40, 40, 44), 0.8));
    p.drawEllipse(c, R * 0.82, R * 0.82);
    p.setBrush(QColor(26, 26, 28));
    p.drawEllipse(c, R * 0.64, R * 0.64);
    // Latch at the top, PUSH tab.
    p.setBrush(Chrome(c, R * 0.3, 240, 130));
    p.drawRoundedRect(QRectF(c.x() - R * 0.16, r.top() + R * 0.04, R * 0.32, R * 0.3), 1.5, 1.5);
    // Three contact holes.
    p.setBrush(QColor(4, 4, 5));
    p.setPen(QPen(QColor(120, 100, 50), 0.8));
    for (QPointF d : {QPointF(-0.3, -0.18), QPointF(0.3, -0.18), QPointF(0, 0.3)})
        p.drawEllipse(c + d * R, R * 0.12, R * 0.12);
    p.restore();
}

void DrawRj45(QPainter& p, const QRect& rect) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shield;
    shield.addRect(r);
    DropShadow(p, shield);
    QLinearGradient metal(r.topLeft(), r.bottomLeft());
    metal.setColorAt(0, QColor(232, 234, 236));
    metal.setColorAt(1, QColor(150, 152, 156));
    p.setPen(QPen(QColor(70, 70, 76), 0.8));
    p.setBrush(metal);
    p.drawPath(shield);
    const QRectF hole = r.adjusted(r.width() * 0.12, r.height() * 0.2, -r.width() * 0.12, -r.height() * 0.1);
    QPainterPath mouth;
    mouth.addRect(hole);
    QPainterPath notch;
    notch.addRect(QRectF(hole.center().x() - hole.width() * 0.22, hole.bottom() - 1, hole.width() * 0.44,
                         r.bottom() - hole.bottom()));
    p.setBrush(QColor(16, 16, 18));
    p.setPen(Qt::NoPen);
    p.drawPath(mouth.united(notch));
    p.setBrush(QColor(200, 160, 60));
    for (int i = 0; i < 8; ++i)
        p.drawRect(QRectF(hole.left() + 2 + i * (hole.width() - 4) / 8.0, hole.top() + 1, 1.0, hole.height() * 0.3));
    // Link (green) and activity (amber) windows in the top corners.
    Led(p, QPointF(r.left() + r.width() * 0.14, r.top() + r.height() * 0.1), r.height() * 0.055, QColor(60, 230, 80),
        true);
    Led(p, QPointF(r.right() - r.width() * 0.14, r.top() + r.height() * 0.1), r.height() * 0.055, QColor(255, 170, 30),
        true);
    p.restore();
}

void DrawDb9(QPainter& p, const QRect& rect) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal post = r.height() * 0.3;
    DSubFlange(p, r, 2.5, QColor(228, 230, 234), post, 1.15);
    const QRectF shell(r.left() + post * 2.5, r.top() + r.height() * 0.16, r.width() - post * 5, r.height() * 0.68);
    p.setBrush(Chrome(shell.center(), shell.width() / 2, 210, 120));
    p.setPen(QPen(QColor(50, 50, 54), 0.8));
    p.drawPath(DShape(shell, shell.width() * 0.08));
    const QRectF insul = shell.adjusted(1.5, 1.5, -1.5, -1.5);
    p.setBrush(QColor(28, 28, 30));
    p.drawPath(DShape(insul, insul.width() * 0.08));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(215, 180, 90));
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(QPointF(insul.left() + insul.width() * (0.16 + i * 0.17), insul.top() + insul.height() * 0.32),
                      1.1, 1.1);
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(insul.left() + insul.width() * (0.245 + i * 0.17), insul.top() + insul.height() * 0.7),
                      1.1, 1.1);
    p.restore();
}

void DrawTerminalBlock(QPainter& p, const QRect& rect, int poles) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath body;
    body.addRoundedRect(r, 1.5, 1.5);
    DropShadow(p, body);
    QLinearGradient plastic(r.topLeft(), r.bottomLeft());
    plastic.setColorAt(0, QColor(60, 160, 90));
    plastic.setColorAt(1, QColor(24, 92, 48));
    p.setPen(QPen(QColor(12, 50, 24), 0.8));
    p.setBrush(plastic);
    p.drawPath(body);
    const qreal pitch = r.width() / poles;
    for (int i = 0; i < poles; ++i) {
        const QPointF screw(r.left() + pitch * (i + 0.5), r.top() + r.height() * 0.32);
        p.setPen(QPen(QColor(60, 60, 64), 0.5));
        p.setBrush(Chrome(screw, pitch * 0.3, 240, 120));
        p.drawEllipse(screw, pitch * 0.3, pitch * 0.3);
        p.setPen(QPen(QColor(40, 40, 40), 0.9));
        p.drawLine(screw - QPointF(pitch * 0.2, 0), screw + QPointF(pitch * 0.2, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(10, 20, 12));
        p.drawRect(QRectF(screw.x() - pitch * 0.28, r.top() + r.height() * 0.62, pitch * 0.56, r.height() * 0.26));
    }
    p.restore();
}

void DrawUnknownSocket(QPainter& p, const QRect& rect) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect).adjusted(1, 1, -1, -1);
    p.setBrush(QColor(0, 0, 0, 40));
    p.setPen(QPen(QColor(40, 40, 40), 1.2, Qt::DashLine));
    p.drawEllipse(r);
    Silk(p, r, "?", int(r.height() * 0.6), QColor(40, 40, 40));
    p.restore();
}

}  // namespace skingen
