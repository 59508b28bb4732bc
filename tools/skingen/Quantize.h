#pragma once
// Reduces a rendered picture to an 8-bit palette picture. Pictures with at
// most maxColours distinct colours keep them exactly; richer ones get a
// median-cut palette, which suits the grey metal gradients of the faceplates.
#include <QImage>

namespace skingen {

QImage QuantizeToIndexed8(const QImage& image, int maxColours = 256);

}  // namespace skingen
