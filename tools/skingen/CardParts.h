#pragma once
// Pieces every rear card shares: the plate with its screws and handle, the
// head with model band, title and LEDs, and the maker's print at the foot.
#include <QColor>
#include <QImage>
#include <QString>

#include "tools/skingen/SkinModel.h"

namespace skingen {

constexpr int kRowsTop = 84;      // first connector row under the head
constexpr int kRowsBottom = 376;  // the handle starts below this
const QColor kDarkSilk(26, 28, 34);
const QColor kWhiteSilk(240, 240, 240);

QRect CardBand(int cardWidth);
void DrawCardBody(QImage& image, const QColor& plate, const QColor& band, const QString& seed);
// Prints model, title and detail, adds the slot label when asked and sets
// the configuration's area to the whole plate.
void DrawCardHead(QImage& image, const QString& model, const QString& title, const QString& detail, ConfigDef& cfg,
                  bool slotLabel, const QColor& silk = kDarkSilk);
void DrawCardBrand(QImage& image, const QColor& silk = kDarkSilk);

}  // namespace skingen
