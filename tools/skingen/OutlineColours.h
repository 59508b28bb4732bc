#pragma once
// The outline pens of a configuration. The program draws the outlines by
// XOR over the picture, so the colour seen is the plate's colour XOR the
// pen: the pens are chosen from the plate that lies under the outlines, so
// that what shows is the intended colour on light and dark plates alike.
#include <QImage>
#include <QList>
#include <QRect>

#include "tools/skingen/SkinModel.h"

namespace skingen {

// The colours the outlines should show.
constexpr QRgb kLinkedLook = 0xFF00FFFF;      // cyan: sub-items linked to the selection
constexpr QRgb kFocusedLook = 0xFFFFFF00;     // yellow: the selected sub-item
constexpr QRgb kDropTargetLook = 0xFFFF0000;  // red: the drop target of a drag

// The pixels an outline of a 3-pixel pen drawn on area covers (its square
// ring: the rounded corners leave out only a few of them).
QList<QPoint> OutlinePixels(const QRect& area, const QRect& bounds);

// The per-channel median of the picture under the outlines of every input
// and audio area; the picture's own median when it has no areas.
QRgb PlateUnderOutlines(const QImage& picture, const QList<QRect>& areas);

// The pen that shows look when XORed over plate.
constexpr QRgb XorPen(QRgb plate, QRgb look) { return 0xFF000000u | ((plate ^ look) & 0x00FFFFFFu); }

// Sets the configuration's three pens from its picture as it is written
// (quantized when it is stored with a palette).
void ChooseOutlineColours(ConfigDef& cfg);

}  // namespace skingen
