#pragma once
// Faceplate rendering: brushed and anodised metal, bevels, screws, LEDs,
// handles, rack ears and silk-screen text.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <cstdint>

namespace skingen {

// Small deterministic generator, so regenerated pictures are identical.
class Rng {
public:
    explicit Rng(uint32_t seed) : m_state(seed ? seed : 0x9E3779B9u) {}
    uint32_t Next();
    double Uniform() { return (Next() >> 8) / double(1 << 24); }  // [0, 1)
    double Signed() { return 2.0 * Uniform() - 1.0; }             // [-1, 1)
private:
    uint32_t m_state;
};

uint32_t SeedOf(const QString& name);

enum class Grain { Vertical, Horizontal };

// Fills rect with base colour brushed along the grain; strength scales the streaks.
void BrushedMetal(QImage& image, const QRect& rect, const QColor& base, Grain grain, uint32_t seed,
                  double strength = 1.0);
// Light upper-left edge and dark lower-right edge, width pixels wide.
void Bevel(QPainter& p, const QRect& rect, int width, int lightAlpha = 110, int darkAlpha = 140);
// Pan-head cross-slot screw with a washer.
void Screw(QPainter& p, const QPointF& centre, qreal radius, qreal angleDegrees);
// Round LED in a bezel; lit LEDs glow.
void Led(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour, bool lit);
// Pull handle of a plug-in card.
void CardHandle(QPainter& p, const QRect& rect);
// Rack ear with two slotted mounting holes.
void RackEar(QImage& image, const QRect& rect, uint32_t seed);
// Recessed dark area (an engraved window around connectors or displays).
void Recess(QPainter& p, const QRectF& rect, qreal radius, const QColor& fill);

// Silk-screen print (a sans-serif font, not the label font, though it maps alike).
void Silk(QPainter& p, const QRectF& rect, const QString& text, int pixelSize, const QColor& colour,
          int flags = Qt::AlignCenter, bool bold = true);
// Thin printed line.
void SilkLine(QPainter& p, const QPointF& a, const QPointF& b, const QColor& colour, qreal width = 1.0);

}  // namespace skingen

namespace skingen {
// Window in the plate where the program writes a label: a thin recessed
// frame just outside the box, the box itself in the label's back colour.
void LabelWindow(QPainter& p, const QRect& box, QRgb back);
}  // namespace skingen
