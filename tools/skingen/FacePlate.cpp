#include "tools/skingen/FacePlate.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <vector>

namespace skingen {

uint32_t Rng::Next() {
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
}

uint32_t SeedOf(const QString& name) {
    uint32_t h = 2166136261u;
    for (QChar c : name) h = (h ^ c.unicode()) * 16777619u;
    return h;
}

namespace {

// Streak brightness per line across the grain: fine scratches on top of
// wider, softer bands.
std::vector<double> Streaks(int count, Rng& rng) {
    std::vector<double> fine(static_cast<size_t>(count)), wide(static_cast<size_t>(count));
    for (auto& v : fine) v = rng.Signed();
    double drift = 0;
    for (auto& v : wide) {
        drift = 0.92 * drift + 0.25 * rng.Signed();
        v = drift;
    }
    std::vector<double> out(static_cast<size_t>(count));
    for (size_t i = 0; i < out.size(); ++i) out[i] = 0.6 * fine[i] + 0.9 * wide[i];
    return out;
}

int Clamp255(double v) { return v < 0 ? 0 : v > 255 ? 255 : int(v + 0.5); }

}  // namespace

void BrushedMetal(QImage& image, const QRect& rect, const QColor& base, Grain grain, uint32_t seed, double strength) {
    Rng rng(seed);
    const QRect r = rect.intersected(image.rect());
    const bool vertical = grain == Grain::Vertical;
    const std::vector<double> streak = Streaks(vertical ? r.width() : r.height(), rng);
    const double span = vertical ? r.height() : r.width();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            const int across = vertical ? x - r.left() : y - r.top();
            const double along = (vertical ? y - r.top() : x - r.left()) / span;
            // A soft sheen along the grain, as light falls on a real plate.
            const double sheen = 6.0 * std::sin(3.1 * along + 0.7);
            const double delta = strength * (5.0 * streak[size_t(across)] + 1.2 * rng.Signed()) + sheen * strength;
            row[x] = qRgb(Clamp255(base.red() + delta), Clamp255(base.green() + delta), Clamp255(base.blue() + delta));
        }
    }
}

void Bevel(QPainter& p, const QRect& rect, int width, int lightAlpha, int darkAlpha) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < width; ++i) {
        const int fade = (width - i) * 255 / width;
        p.setPen(QColor(255, 255, 255, lightAlpha * fade / 255));
        p.drawLine(rect.left() + i, rect.top() + i, rect.right() - i, rect.top() + i);
        p.drawLine(rect.left() + i, rect.top() + i, rect.left() + i, rect.bottom() - i);
        p.setPen(QColor(0, 0, 0, darkAlpha * fade / 255));
        p.drawLine(rect.left() + i, rect.bottom() - i, rect.right() - i, rect.bottom() - i);
        p.drawLine(rect.right() - i, rect.top() + i, rect.right() - i, rect.bottom() - i);
    }
    p.restore();
}

void Screw(QPainter& p, const QPointF& c, qreal r, qreal angleDegrees) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Washer and shadow.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(c + QPointF(0.8, 1.2), r * 1.15, r * 1.15);
    QRadialGradient washer(c - QPointF(r * 0.3, r * 0.3), r * 1.3);
    washer.setColorAt(0, QColor(235, 236, 238));
    washer.setColorAt(1, QColor(120, 122, 126));
    p.setBrush(washer);
    p.setPen(QPen(QColor(70, 70, 74), 0.8));
    p.drawEllipse(c, r * 1.1, r * 1.1);
    // Domed head.
    QRadialGradient head(c - QPointF(r * 0.35, r * 0.4), r * 1.1);
    head.setColorAt(0, QColor(250, 250, 252));
    head.setColorAt(0.5, QColor(190, 192, 196));
    head.setColorAt(1, QColor(95, 97, 102));
    p.setBrush(head);
    p.drawEllipse(c, r * 0.85, r * 0.85);
    // Cross slot.
    p.translate(c);
    p.rotate(angleDegrees);
    p.setPen(QPen(QColor(40, 40, 44), std::max<qreal>(1.2, r * 0.22), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-r * 0.5, 0), QPointF(r * 0.5, 0));
    p.drawLine(QPointF(0, -r * 0.5), QPointF(0, r * 0.5));
    p.restore();
}

void Led(QPainter& p, const QPointF& c, qreal r, const QColor& colour, bool lit) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    if (lit) {
        QRadialGradient glow(c, r * 2.6);
        QColor halo = colour;
        halo.setAlpha(110);
        glow.setColorAt(0, halo);
        glow.setColorAt(1, QColor(colour.red(), colour.green(), colour.blue(), 0));
        p.setBrush(glow);
        p.drawEllipse(c, r * 2.6, r * 2.6);
    }
    p.setBrush(QColor(30, 30, 32));
    p.drawEllipse(c, r * 1.35, r * 1.35);
    QRadialGradient lens(c - QPointF(r * 0.3, r * 0.35), r * 1.2);
    const QColor body = lit ? colour : colour.darker(320);
    lens.setColorAt(0, lit ? QColor(255, 255, 255) : body.lighter(170));
    lens.setColorAt(0.35, body);
    lens.setColorAt(1, body.darker(lit ? 150 : 130));
    p.setBrush(lens);
    p.drawEllipse(c, r, r);
    p.restore();
}

void CardHandle(QPainter& p, const QRect& rect) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRoundedRect(QRectF(rect).translated(1.5, 2.5), 5, 5);
    QLinearGradient body(rect.topLeft(), rect.bottomLeft());
    body.setColorAt(0, QColor(92, 94, 100));
    body.setColorAt(0.45, QColor(42, 43, 47));
    body.setColorAt(1, QColor(18, 18, 20));
    p.setBrush(body);
    p.setPen(QPen(QColor(10, 10, 12), 1));
    p.drawRoundedRect(QRectF(rect), 5, 5);
    // Grip ridges.
    p.setPen(QPen(QColor(120, 122, 128, 150), 1));
    const int ridges = std::max(3, rect.width() / 12);
    for (int i = 1; i <= ridges; ++i) {
        const qreal x = rect.left() + rect.width() * i / qreal(ridges + 1);
        p.drawLine(QPointF(x, rect.top() + 3), QPointF(x, rect.bottom() - 3));
    }
    p.restore();
}

void RackEar(QImage& image, const QRect& rect, uint32_t seed) {
    BrushedMetal(image, rect, QColor(178, 181, 186), Grain::Horizontal, seed, 0.9);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Bevel(p, rect, 2);
    const qreal w = rect.width() * 0.42, h = rect.width() * 0.26;
    for (qreal fy : {0.18, 0.82}) {
        const QPointF c(rect.center().x() + 0.5, rect.top() + rect.height() * fy);
        QRectF slot(c.x() - w / 2, c.y() - h / 2, w, h);
        p.setPen(QPen(QColor(255, 255, 255, 120), 1));
        p.setBrush(QColor(20, 20, 22));
        p.drawRoundedRect(slot, h / 2, h / 2);
        Screw(p, QPointF(c.x() - w * 0.12, c.y()), h * 0.62, fy * 140);
    }
}

void Recess(QPainter& p, const QRectF& rect, qreal radius, const QColor& fill) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(rect.translated(0.5, 0.8), radius, radius);
    p.setPen(QPen(QColor(0, 0, 0, 150), 1));
    p.setBrush(fill);
    p.drawRoundedRect(rect, radius, radius);
    p.restore();
}

void Silk(QPainter& p, const QRectF& rect, const QString& text, int pixelSize, const QColor& colour, int flags,
          bool bold) {
    p.save();
    QFont font("Liberation Sans");
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, pixelSize >= 10 ? 0.6 : 0.3);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(rect, flags, text);
    p.restore();
}

void SilkLine(QPainter& p, const QPointF& a, const QPointF& b, const QColor& colour, qreal width) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, width));
    p.drawLine(a, b);
    p.restore();
}

}  // namespace skingen

namespace skingen {

void LabelWindow(QPainter& p, const QRect& box, QRgb back) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect frame = box.adjusted(-1, -1, 0, 0);  // QRect right/bottom are inclusive
    p.setPen(QColor(0, 0, 0, 150));
    p.drawLine(frame.topLeft(), frame.topRight() + QPoint(1, 0));
    p.drawLine(frame.topLeft(), frame.bottomLeft() + QPoint(0, 1));
    p.setPen(QColor(255, 255, 255, 120));
    p.drawLine(frame.bottomLeft() + QPoint(0, 1), frame.bottomRight() + QPoint(1, 1));
    p.drawLine(frame.topRight() + QPoint(1, 0), frame.bottomRight() + QPoint(1, 1));
    p.fillRect(box, QColor(back));
    p.restore();
}

}  // namespace skingen
