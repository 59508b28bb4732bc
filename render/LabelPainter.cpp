#include "render/LabelPainter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QStaticText>
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

// A label font with the texts already laid out in it: label texts change
// rarely, so a repaint finds nearly all of them here instead of shaping each
// again.
class CachedFont {
public:
    CachedFont(const QString& face, int cellHeight)
        : m_face(face),
          m_cellHeight(cellHeight),
          m_font(MakeFont(face, cellHeight)),
          m_lineHeight(QFontMetrics(m_font).height()) {}

    bool Matches(const QString& face, int cellHeight) const { return m_cellHeight == cellHeight && m_face == face; }
    const QFont& font() const { return m_font; }
    int lineHeight() const { return m_lineHeight; }

    const QStaticText& Text(const QString& text) {
        auto found = m_texts.constFind(text);
        if (found != m_texts.constEnd()) return *found;
        if (m_texts.size() >= kMaxCachedTexts) m_texts.clear();
        QString line = text;
        line.replace(QLatin1Char('\n'), QLatin1Char(' '))
            .replace(QLatin1Char('\r'), QLatin1Char(' '));  // one line only
        QStaticText laidOut(line);
        laidOut.setTextFormat(Qt::PlainText);  // "&" and "<" are characters
        laidOut.prepare(QTransform(), m_font);
        return *m_texts.insert(text, laidOut);
    }

private:
    static constexpr qsizetype kMaxCachedTexts = 4096;
    static QFont MakeFont(const QString& face, int cellHeight) {
        const QString family = ResolveFace(face);
        return BoldFont(family, PixelSizeForCell(family, cellHeight));
    }

    QString m_face;
    int m_cellHeight;
    QFont m_font;
    int m_lineHeight;
    QHash<QString, QStaticText> m_texts;
};

CachedFont& FontEntry(const QString& face, int cellHeight) {
    static std::deque<CachedFont> cache;  // stable references as it grows
    for (CachedFont& c : cache) {
        if (c.Matches(face, cellHeight)) return c;
    }
    return cache.emplace_back(face, cellHeight);
}

}  // namespace

const QFont& LabelFont(const QString& face, int cellHeight) { return FontEntry(face, cellHeight).font(); }

void DrawLabel(QPainter& painter, const SkinLabel& label, const QRect& box, const QString& text, bool disabled) {
    painter.fillRect(box, QColor::fromRgb(SkinColorToRgb(disabled ? label.disabled : label.back)));
    if (disabled || text.isEmpty() || label.fontSize <= 0) return;
    CachedFont& font = FontEntry(label.fontFace, label.fontSize);
    const QStaticText& laidOut = font.Text(text);
    // Centred like the box's own pixels: whole-pixel offsets keep glyphs crisp.
    const int width = int(std::ceil(laidOut.size().width()));
    const QPoint at(box.left() + (box.width() - width) / 2, box.top() + (box.height() - font.lineHeight()) / 2);
    const bool overflows = width > box.width() || font.lineHeight() > box.height();
    if (overflows) {  // cut at the box edges, no ellipsis
        painter.save();
        painter.setClipRect(box, Qt::IntersectClip);
    }
    painter.setFont(font.font());
    painter.setPen(QColor::fromRgb(SkinColorToRgb(label.color)));
    painter.drawStaticText(at, laidOut);
    if (overflows) painter.restore();
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
    painter.setPen(
        QPen(QColor::fromRgb(SkinColorToRgb(color)), kOutlineWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);  // the XOR of a black interior changes nothing
    painter.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius, kCornerRadius);
    painter.restore();
}
