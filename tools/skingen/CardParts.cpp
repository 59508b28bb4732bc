#include "tools/skingen/CardParts.h"

#include <QPainter>

#include "tools/skingen/FacePlate.h"
#include "tools/skingen/LabelMetrics.h"
#include "tools/skingen/ModuleCards.h"

namespace skingen {
namespace {

constexpr int kSlotFont = 13;
const LabelStyle kSlotStyle{kSlotFont, qRgb(255, 255, 255), qRgb(16, 16, 18), qRgb(16, 16, 18)};
const QRect kBand(0, 26, 0, 24);  // width follows the card

}  // namespace

QRect CardBand(int cardWidth) { return QRect(0, kBand.top(), cardWidth, kBand.height()); }

void DrawCardBody(QImage& image, const QColor& plate, const QColor& band, const QString& seed) {
    const QRect bandRect = CardBand(image.width());
    BrushedMetal(image, image.rect(), plate, Grain::Vertical, SeedOf(seed));
    BrushedMetal(image, bandRect, band, Grain::Vertical, SeedOf(seed + "band"), 0.6);
    QPainter p(&image);
    Bevel(p, image.rect(), 3);
    Bevel(p, bandRect, 1, 70, 90);
    const int cx = image.width() / 2;
    Screw(p, QPointF(cx, 13), 6.5, 20);
    Screw(p, QPointF(cx, kCardHeight - 14), 6.5, 65);
    CardHandle(p, QRect(18, kCardHeight - 56, image.width() - 36, 18));
}

void DrawCardHead(QImage& image, const QString& model, const QString& title, const QString& detail, ConfigDef& cfg,
                  bool slotLabel, const QColor& silk) {
    QPainter p(&image);
    const int w = image.width();
    const int bandMiddle = kBand.top() + kBand.height() / 2;
    Silk(p, QRectF(8, kBand.top(), w - 16, kBand.height()), model, 12, kWhiteSilk, Qt::AlignLeft | Qt::AlignVCenter);
    if (slotLabel) {
        const QSize size(BoxFor("8", kSlotFont).width() + 8, LabelHeight(kSlotFont));
        const QRect box(QPoint(w - 8 - size.width(), bandMiddle - size.height() / 2), size);
        Silk(p, QRectF(box.left() - 34, kBand.top(), 31, kBand.height()), "SLOT", 8, kWhiteSilk,
             Qt::AlignRight | Qt::AlignVCenter);
        LabelWindow(p, box, kSlotStyle.back);
        cfg.labels.append({box, kSlotStyle, LabelText::SlotNumber});
    }
    Silk(p, QRectF(8, 52, w - 50, 13), title, 10, silk, Qt::AlignLeft | Qt::AlignVCenter);
    Silk(p, QRectF(8, 64, w - 50, 11), detail, 8, silk, Qt::AlignLeft | Qt::AlignVCenter, false);
    Led(p, QPointF(w - 30, 60), 2.6, QColor(60, 235, 90), true);
    Led(p, QPointF(w - 14, 60), 2.6, QColor(255, 60, 40), false);
    Silk(p, QRectF(w - 40, 65, 20, 9), "PWR", 6, silk);
    Silk(p, QRectF(w - 24, 65, 20, 9), "ALM", 6, silk);
    SilkLine(p, QPointF(6, kRowsTop - 4), QPointF(w - 6, kRowsTop - 4), silk, 0.8);
    cfg.area = image.rect();  // the whole plate stands for the module
}

void DrawCardBrand(QImage& image, const QColor& silk) {
    QPainter p(&image);
    Silk(p, QRectF(8, kCardHeight - 30, image.width() / 2 - 16, 14), "VKX520", 8, silk,
         Qt::AlignLeft | Qt::AlignVCenter);
}

}  // namespace skingen
