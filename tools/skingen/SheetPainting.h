#pragma once
// Label and outline drawing as the configuration view performs it.
#include <QPainter>

#include "tools/skingen/SkinModel.h"

namespace skingen {

// Box in the back colour (or the disabled colour, then no text); bold text
// centred on one line, clipped to the box.
void PaintLabel(QPainter& p, const LabelBox& label, const QRect& box, const QString& text, bool disabled);
// 3-pixel rounded outline that XORs the picture with the colour.
void PaintXorOutline(QPainter& p, const QRect& rect, QRgb colour);

}  // namespace skingen
