#include "view/ViewCursors.h"

#include "view/MouseEdit.h"

#include <QBitmap>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

namespace {

using Path = QPainterPath;

Path Rounded(qreal x, qreal y, qreal w, qreal h, qreal radius) {
    Path path;
    path.addRoundedRect(QRectF(x, y, w, h), radius, radius);
    return path;
}

Path Rotated(const Path& path, QPointF centre, qreal degrees) {
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(degrees);
    turn.translate(-centre.x(), -centre.y());
    return turn.map(path);
}

Path United(std::initializer_list<Path> parts) {
    Path all;
    for (const Path& part : parts) all = all.united(part);
    return all.simplified();
}

// Index finger up, three folded fingers, thumb to the left, cuff below; the
// finger tip is at (x, y).
Path PointingHand(qreal x, qreal y) {
    return United({
        Rounded(x - 2.5, y, 5, 15, 2.5),
        Rounded(x + 2.5, y + 8, 4, 8, 2),
        Rounded(x + 6.5, y + 9, 4, 8, 2),
        Rounded(x + 10.5, y + 10, 4, 8, 2),
        Rounded(x - 2.5, y + 12, 17, 12, 3),
        Rotated(Rounded(x - 8, y + 14, 9, 4.5, 2), QPointF(x - 1, y + 17), 40),
        Rounded(x - 0.5, y + 23, 13, 5, 1),
    });
}

Path OpenHand() {
    return United({
        Rounded(9, 6, 3, 12, 1.5),
        Rounded(13, 3, 3, 15, 1.5),
        Rounded(17, 4, 3, 14, 1.5),
        Rounded(21, 7, 3, 11, 1.5),
        Rounded(9, 13, 15, 12, 4),
        Rotated(Rounded(2, 15, 10, 4, 2), QPointF(11, 17), 40),
        Rounded(11, 24, 11, 5, 1),
    });
}

Path ClosedHand() {
    return United({
        Rounded(8, 9, 4, 7, 2),
        Rounded(12, 8, 4, 7, 2),
        Rounded(16, 8, 4, 7, 2),
        Rounded(20, 9, 4, 7, 2),
        Rounded(8, 12, 16, 13, 4),
        Rounded(5, 14, 6, 5, 2),
        Rounded(11, 24, 11, 5, 1),
    });
}

// The lines that tell the folded fingers apart.
void DrawKnuckleGaps(QPainter& painter) {
    for (int x : {12, 16, 20}) painter.drawLine(x, 10, x, 14);
}

void DrawNotAllowed(QPainter& painter) {
    Path ring;
    ring.addEllipse(QPointF(15.5, 15.5), 13, 13);
    ring.addEllipse(QPointF(15.5, 15.5), 8.5, 8.5);
    const Path bar = Rotated(Rounded(4, 13.5, 23, 4, 0), QPointF(15.5, 15.5), 45);
    const Path sign = ring.united(bar).simplified();
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::black);
    painter.drawPath(sign);
}

void DrawHand(QPainter& painter, const Path& hand) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(hand);
}

void DrawShape(QPainter& painter, int index) {
    switch (index) {
    case CURSOR_POINT: DrawHand(painter, PointingHand(7.5, 0)); break;
    case CURSOR_OPEN_HAND: DrawHand(painter, OpenHand()); break;
    case CURSOR_GRAB:
        DrawHand(painter, ClosedHand());
        DrawKnuckleGaps(painter);
        break;
    case CURSOR_NO_DROP: DrawNotAllowed(painter); break;
    case CURSOR_DROP:
        painter.fillRect(QRect(1, 24, 30, 7), Qt::black);  // the plate to drop onto
        DrawHand(painter, PointingHand(13.5, 9).intersected(Rounded(0, 0, 32, 26, 0)));
        break;
    default: break;
    }
}

QPoint HotSpot(int index) {
    switch (index) {
    case CURSOR_POINT: return {7, 0};
    case CURSOR_DROP: return {13, 9};
    default: return {15, 15};
    }
}

// Each pixel becomes opaque black, opaque white or transparent.
void MakeMonochrome(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) < 128)
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
            else
                image.setPixel(x, y, qGray(pixel) < 128 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    }
}

// A 1-bit picture: bit 1 (black) where the test holds.
template <typename Test>
QBitmap BitsWhere(const QImage& image, Test test) {
    QImage bits(image.size(), QImage::Format_Mono);
    bits.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) bits.setPixel(x, y, test(image.pixel(x, y)) ? 1 : 0);
    return QBitmap::fromImage(bits);
}

}  // namespace

CursorShape DrawViewCursor(int index) {
    QImage image(kCursorSize, kCursorSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        DrawShape(painter, index);
    }
    MakeMonochrome(image);
    return {image, HotSpot(index)};
}

QCursor MakeViewCursor(int index) {
    const CursorShape shape = DrawViewCursor(index);
    // Black where the bitmap is set inside the mask, white elsewhere in it.
    const QBitmap bitmap = BitsWhere(shape.image, [](QRgb p) { return qAlpha(p) != 0 && qGray(p) < 128; });
    const QBitmap mask = BitsWhere(shape.image, [](QRgb p) { return qAlpha(p) != 0; });
    return QCursor(bitmap, mask, shape.hotSpot.x(), shape.hotSpot.y());
}

std::array<QCursor, 5> LoadViewCursors() {
    std::array<QCursor, 5> cursors;
    for (int i = 0; i < kViewCursorCount; ++i) cursors[std::size_t(i)] = MakeViewCursor(i);
    return cursors;
}

const QCursor& ViewCursorSet::Shape(int index) {
    if (!m_made) {
        m_cursors = LoadViewCursors();
        m_made = true;
    }
    return m_cursors[std::size_t(index)];
}
