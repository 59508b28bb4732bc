#include "app/CommandIcons.h"

#include "res/resource.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <map>
#include <utility>

namespace {

using Draw = void (*)(QPainter&);

const QColor kOutline(0x30, 0x30, 0x38);
const QColor kPaper(0xFA, 0xFA, 0xF5);
const QColor kDevice(0x4A, 0x52, 0x60);
const QColor kBlue(0x2F, 0x6F, 0xC8);
const QColor kGreen(0x2E, 0x9E, 0x48);
const QColor kRed(0xD0, 0x32, 0x2C);
const QColor kOrange(0xE0, 0x80, 0x20);

QPen Outline(qreal width = 1.0) { return QPen(kOutline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

// A page with a folded corner, the body of the file icons.
void Page(QPainter& p, const QRectF& r) {
    const qreal fold = 4;
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(Outline());
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawPolyline(
        QPolygonF({{r.right() - fold, r.top()}, {r.right() - fold, r.top() + fold}, {r.right(), r.top() + fold}}));
}

// The device seen from the front: a dark case with a row of lit slots.
void DeviceCase(QPainter& p, const QRectF& r) {
    p.setPen(Outline());
    p.setBrush(kDevice);
    p.drawRoundedRect(r, 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x7C, 0xE0, 0x8C));
    for (qreal x = r.left() + 2; x + 1.5 <= r.right() - 1; x += 3)
        p.drawRect(QRectF(x, r.top() + 2, 1.5, r.height() - 4));
}

// A thick arrow along the vertical axis at x, from y0 to y1 (head at y1).
void VerticalArrow(QPainter& p, qreal x, qreal y0, qreal y1, const QColor& color) {
    const qreal dir = y1 > y0 ? 1 : -1;
    const qreal headStart = y1 - dir * 4;
    QPainterPath path;
    path.moveTo(x - 1.5, y0);
    path.lineTo(x + 1.5, y0);
    path.lineTo(x + 1.5, headStart);
    path.lineTo(x + 4, headStart);
    path.lineTo(x, y1);
    path.lineTo(x - 4, headStart);
    path.lineTo(x - 1.5, headStart);
    path.closeSubpath();
    p.setPen(Outline(0.8));
    p.setBrush(color);
    p.drawPath(path);
}

// A coloured arrow along a bent path, outlined, with its head.
void BentArrow(QPainter& p, const QPainterPath& arc, const QPolygonF& head, const QColor& color) {
    p.setPen(QPen(kOutline, 3.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(QPen(color, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arc);
    p.setPen(Outline(0.8));
    p.setBrush(color);
    p.drawPolygon(head);
}

void DrawOpen(QPainter& p) {
    p.setPen(Outline());
    p.setBrush(QColor(0xE8, 0xB8, 0x40));
    QPainterPath back;
    back.moveTo(1.5, 13.5);
    back.lineTo(1.5, 3.5);
    back.lineTo(5.5, 3.5);
    back.lineTo(7, 5);
    back.lineTo(12.5, 5);
    back.lineTo(12.5, 7.5);
    p.drawPath(back);
    p.setBrush(QColor(0xF8, 0xD8, 0x70));
    p.drawPolygon(QPolygonF({{1.5, 13.5}, {4, 7.5}, {15, 7.5}, {12.5, 13.5}}));
}

void DrawSave(QPainter& p) {
    p.setPen(Outline());
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(QColor(0xC8, 0xCC, 0xD4));
    p.drawRect(QRectF(4, 9.5, 8, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawRect(QRectF(9, 2.5, 2, 3));
}

void DrawClose(QPainter& p) {
    Page(p, QRectF(2.5, 1.5, 9, 12));
    p.setPen(QPen(kRed, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 9), QPointF(14, 14));
    p.drawLine(QPointF(14, 9), QPointF(9, 14));
}

void DrawPrint(QPainter& p) {
    p.setPen(Outline());
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(0xB8, 0xBC, 0xC4));
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 5.5), 1, 1);
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 10, 7, 4.5));
    p.setPen(QPen(kOutline, 0.8));
    p.drawLine(QPointF(6, 12), QPointF(10, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawRect(QRectF(12, 8, 1.5, 1.5));
}

void DrawConnect(QPainter& p) {
    // A cable's plug with its two prongs going into the device's socket.
    p.setPen(QPen(kOutline, 2.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(0, 8), QPointF(3, 8));
    p.setPen(Outline());
    p.setBrush(kGreen);
    p.drawRoundedRect(QRectF(2.5, 3.5, 5.5, 9), 1.5, 1.5);
    p.setPen(QPen(kOutline, 1.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(8, 6), QPointF(11.5, 6));
    p.drawLine(QPointF(8, 10), QPointF(11.5, 10));
    p.setPen(Outline());
    p.setBrush(kDevice);
    p.drawRoundedRect(QRectF(11.5, 1.5, 4, 13), 1, 1);
}

void DrawLoad(QPainter& p) {
    DeviceCase(p, QRectF(1.5, 1.5, 13, 5));
    VerticalArrow(p, 8, 7, 15, kBlue);
}

void DrawWrite(QPainter& p) {
    DeviceCase(p, QRectF(1.5, 1.5, 13, 5));
    VerticalArrow(p, 8, 15, 7, kOrange);
}

void DrawDiscard(QPainter& p) {
    // An arrow turning back: the changes are dropped, the device left as it is.
    QPainterPath arc;
    arc.moveTo(4, 6);
    arc.cubicTo(QPointF(8, 2.5), QPointF(15, 4), QPointF(14, 9.5));
    arc.cubicTo(QPointF(13.5, 13), QPointF(9, 15), QPointF(5, 13));
    BentArrow(p, arc, QPolygonF({{0.8, 7.5}, {6.5, 2.5}, {7, 9}}), kRed);
}

void DrawSyncTime(QPainter& p) {
    p.setPen(Outline());
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(kOutline, 0.8));
    for (int i = 0; i < 12; i += 3) {
        p.save();
        p.translate(8, 8);
        p.rotate(i * 30);
        p.drawLine(QPointF(0, -5.5), QPointF(0, -4.3));
        p.restore();
    }
    p.setPen(QPen(kOutline, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(8, 4));
    p.setPen(QPen(kBlue, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
}

void DrawAbout(QPainter& p) {
    p.setPen(Outline());
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(1.5, 1.5, 13, 13), Qt::AlignCenter, QStringLiteral("?"));
}

// A blue arrow bending back over itself: to the left for undo; redo draws
// it mirrored.
void DrawUndo(QPainter& p) {
    QPainterPath arc;
    arc.moveTo(4.5, 6.5);
    arc.lineTo(10, 6.5);
    arc.cubicTo(QPointF(15.5, 6.5), QPointF(15.5, 13.5), QPointF(10, 13.5));
    arc.lineTo(6.5, 13.5);
    BentArrow(p, arc, QPolygonF({{0.8, 6.5}, {6, 1.5}, {6, 11.5}}), kBlue);
}

void DrawRedo(QPainter& p) {
    p.translate(16, 0);
    p.scale(-1, 1);
    DrawUndo(p);
}

void DrawApp(QPainter& p) {
    // The device: a case with eight module slots in two rows of colours.
    p.setPen(Outline());
    p.setBrush(kDevice);
    p.drawRoundedRect(QRectF(0.5, 2.5, 15, 11), 2, 2);
    for (int i = 0; i < 4; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x7C, 0xE0, 0x8C));
        p.drawRect(QRectF(2 + i * 3.2, 4.5, 2.2, 3));
        p.setBrush(QColor(0xF0, 0xB0, 0x50));
        p.drawRect(QRectF(2 + i * 3.2, 8.5, 2.2, 3));
    }
}

// A page holding the device as the application icon draws it, smaller.
void DrawConfigFile(QPainter& p) {
    Page(p, QRectF(2.5, 0.5, 11, 15));
    p.setPen(Outline());
    p.setBrush(kDevice);
    p.drawRoundedRect(QRectF(4, 6, 8, 6.5), 1, 1);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        p.setBrush(QColor(0x7C, 0xE0, 0x8C));
        p.drawRect(QRectF(5.2 + i * 2.1, 7.2, 1.4, 1.8));
        p.setBrush(QColor(0xF0, 0xB0, 0x50));
        p.drawRect(QRectF(5.2 + i * 2.1, 9.6, 1.4, 1.8));
    }
}

void DrawPorts(QPainter& p) {
    // A nine-pin serial connector seen from the front.
    p.setPen(Outline());
    p.setBrush(kPaper);
    p.drawPolygon(QPolygonF({{0.5, 4}, {15.5, 4}, {13.5, 12}, {2.5, 12}}));
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    for (int i = 0; i < 5; ++i) p.drawEllipse(QPointF(3.2 + i * 2.4, 6.5), 0.9, 0.9);
    for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(4.4 + i * 2.4, 9.5), 0.9, 0.9);
}

Draw DrawerFor(int commandId) {
    switch (commandId) {
    case ID_FILE_OPEN: return DrawOpen;
    case ID_FILE_SAVE: return DrawSave;
    case ID_FILE_CLOSE: return DrawClose;
    case ID_FILE_PRINT: return DrawPrint;
    case ID_DEVICE_CONNECT: return DrawConnect;
    case ID_DEVICE_LOAD: return DrawLoad;
    case ID_DEVICE_WRITE: return DrawWrite;
    case ID_DEVICE_DISCARD: return DrawDiscard;
    case ID_DEVICE_SYNC_TIME: return DrawSyncTime;
    case ID_DEVICE_PORTS: return DrawPorts;
    case ID_APP_ABOUT: return DrawAbout;
    case ID_EDIT_UNDO: return DrawUndo;
    case ID_EDIT_REDO: return DrawRedo;
    default: return nullptr;
    }
}

// The pictures are drawn on a 16 x 16 grid and stretched to the size asked
// for (the toolbar's buttons are 16 x 15).
QPixmap Render(Draw draw, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(size.width() / 16.0, size.height() / 16.0);
    draw(painter);
    return pixmap;
}

// Draws an icon at a size when that size is first asked for, rather than
// every size when the icon is made: start-up makes the icon of every command,
// while the toolbar shows a few of them at one size.
class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(Draw draw) : m_draw(draw) {}
    QIconEngine* clone() const override { return new DrawnIconEngine(m_draw); }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        if (size.isEmpty()) return {};
        QPixmap& cached = m_drawn[{{size.width(), size.height()}, int(mode)}];
        if (cached.isNull()) {
            const QPixmap normal = Render(m_draw, size);
            // Disabled and selected looks as Qt derives them from a plain picture.
            cached = mode == QIcon::Normal ? normal : QIcon(normal).pixmap(size, mode, state);
        }
        return cached;
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatioF();
        QPixmap drawn = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
        drawn.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, drawn);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {QSize(16, 15), QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48)};
    }

private:
    Draw m_draw;
    std::map<std::pair<std::pair<int, int>, int>, QPixmap> m_drawn;  // by width and height, and mode
};

QIcon IconOf(Draw draw) { return QIcon(new DrawnIconEngine(draw)); }

}  // namespace

QIcon CommandIcon(int commandId) {
    const Draw draw = DrawerFor(commandId);
    return draw ? IconOf(draw) : QIcon();
}

QIcon AppIcon() { return IconOf(DrawApp); }

QIcon ConfigFileIcon() { return IconOf(DrawConfigFile); }
