#include "tools/skingen/SheetPainting.h"

#include "tools/skingen/LabelMetrics.h"

namespace skingen {

void PaintLabel(QPainter& p, const LabelBox& label, const QRect& box, const QString& text, bool disabled) {
    p.save();
    p.fillRect(box, QColor(disabled ? label.style.disabled : label.style.back));
    if (!disabled) {
        p.setClipRect(box);
        p.setFont(LabelFont(label.style.fontSize));
        p.setPen(QColor(label.style.color));
        p.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, text);
    }
    p.restore();
}

void PaintXorOutline(QPainter& p, const QRect& rect, QRgb colour) {
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(colour), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(rect.adjusted(1, 1, -2, -2), 5, 5);
    p.restore();
}

}  // namespace skingen
