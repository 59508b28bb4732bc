#include "lang/gui/TranslationStateImages.h"

#include "lang/TranslationEdits.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor kInk(0x40, 0x40, 0x40);
const QColor kPaper(Qt::white);
const QColor kMenuColour(0x2f, 0x6f, 0xc0);
const QColor kDialogColour(0x1f, 0x8a, 0x80);
const QColor kStringColour(0x8a, 0x4f, 0xb0);
const QColor kDoneColour(0x2e, 0x9e, 0x3a);
const QColor kOpenColour(0xe0, 0x8a, 0x10);

// A menu: a bar with a dropped list of three items.
void DrawMenuGlyph(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kMenuColour);
    p.drawRect(0, 1, 12, 3);
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(2, 4, 9, 9);
    p.setPen(kMenuColour);
    for (int y : {6, 8, 10}) p.drawLine(4, y, 9, y);
}

// A dialog: a window with a title bar and a button.
void DrawDialogGlyph(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(0, 1, 12, 11);
    p.setPen(Qt::NoPen);
    p.setBrush(kDialogColour);
    p.drawRect(1, 2, 11, 3);
    p.drawRect(2, 8, 5, 2);
}

// A string: lines of text on a sheet.
void DrawStringGlyph(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(1, 0, 10, 13);
    p.setPen(kStringColour);
    for (int y : {3, 5, 7, 9}) p.drawLine(3, y, y == 9 ? 6 : 9, y);
}

// Translated: a white tick on a green disc; not translated: a white bar on
// an amber disc. Both sit in the lower right corner over the glyph.
void DrawBadge(QPainter& p, bool translated) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(7, 7, 9, 9));
    p.setBrush(translated ? kDoneColour : kOpenColour);
    p.drawEllipse(QRectF(8, 8, 8, 8));
    if (!translated) {
        p.fillRect(QRect(10, 11, 4, 2), kPaper);
        return;
    }
    p.setPen(QPen(kPaper, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath tick;
    tick.moveTo(10, 12.1);
    tick.lineTo(11.6, 13.7);
    tick.lineTo(14.2, 10.4);
    p.drawPath(tick);
}

}  // namespace

QIcon TranslationStateIcon(int index) {
    if (index < 0 || index >= kStateImageCount) return {};
    QPixmap image(kStateImageSize, kStateImageSize);
    image.fill(Qt::transparent);
    QPainter p(&image);
    switch (index / 2) {
    case 0: DrawMenuGlyph(p); break;
    case 1: DrawDialogGlyph(p); break;
    default: DrawStringGlyph(p); break;
    }
    DrawBadge(p, index % 2 == 0);
    p.end();
    return QIcon(image);
}
