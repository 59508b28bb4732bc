#include "skin/LabelPainter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>

#include <cmath>
#include <deque>

namespace {

constexpr int kOutlineWidth = 3;
constexpr qreal kCornerRadius = 5;  // 10 x 10 corner ellipses
constexpr int kReferencePixelSize = 256;

// Faces skins name that free systems rarely have, with their metric-compatible stand-ins.
struct FaceSubstitute {
    const char* face;
    const char* substitute;
};
constexpr FaceSubstitute kFaceSubstitutes[] = {
    {"Arial", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
};

QString ResolveFace(const QString& face) {
    if (QFontDatabase::hasFamily(face)) return face;
    for (const FaceSubstitute& s : kFaceSubstitutes) {
        if (face.compare(QLatin1String(s.face), Qt::CaseInsensitive) == 0) return QLatin1String(s.substitute);
    }
    return face;  // the font matcher picks what comes closest
}

QFont BoldFont(const QString& family, int pixelSize) {
    QFont font(family);
    font.setPixelSize(std::max(1, pixelSize));
    font.setWeight(QFont::Bold);
    return font;
}

// Pixel (em) size whose cell height comes closest to cellHeight.
int PixelSizeForCell(const QString& family, int cellHeight) {
    const qreal cellPerEm = QFontMetricsF(BoldFont(family, kReferencePixelSize)).height() / kReferencePixelSize;
    if (cellPerEm <= 0) return cellHeight;
    return std::max(1, int(std::lround(cellHeight / cellPerEm)));
}

struct CachedFont {
    QString face;
    int cellHeight;
    QFont font;
};

}  // namespace

const QFont& LabelFont(const QString& face, int cellHeight) {
    static std::deque<CachedFont> cache;  // stable references as it grows
    for (const CachedFont& c : cache) {
        if (c.cellHeight == cellHeight && c.face == face) return c.font;
    }
    const QString family = ResolveFace(face);
    cache.push_back(CachedFont{face, cellHeight, BoldFont(family, PixelSizeForCell(family, cellHeight))});
    return cache.back().font;
}

void DrawLabel(QPainter& painter, const SkinLabel& label, const QRect& box, const QString& text, bool disabled) {
    painter.fillRect(box, QColor::fromRgb(SkinColorToRgb(disabled ? label.disabled : label.back)));
    if (disabled || text.isEmpty() || label.fontSize <= 0) return;
    painter.setFont(LabelFont(label.fontFace, label.fontSize));
    painter.setPen(QColor::fromRgb(SkinColorToRgb(label.color)));
    // Without a mnemonic flag "&" stays a character; without TextDontClip the
    // text is cut at the box; no elide flag, so no ellipsis.
    painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, text);
}

bool SupportsXorOutlines(const QPainter& painter) {
    // Vector engines (PDF, printers, recordings) accept the raster-op modes
    // but cannot invert what is already on the page.
    const QPaintEngine* engine = painter.paintEngine();
    return engine && engine->type() == QPaintEngine::Raster;
}

void DrawHighlight(QPainter& painter, const QRect& rect, SkinColor color) {
    const bool invert = SupportsXorOutlines(painter);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);  // partial coverage cannot be undone by a second XOR
    if (invert) painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(QColor::fromRgb(SkinColorToRgb(color)), kOutlineWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);  // the XOR of a black interior changes nothing
    painter.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius, kCornerRadius);
    painter.restore();
}
