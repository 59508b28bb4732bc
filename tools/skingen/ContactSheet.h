#pragma once
// A PNG for looking at the skin: a preview of a typical configuration laid
// out and labelled the way the view does it, then every picture side by side
// with its module area, input areas, audio areas and label boxes outlined.
#include <QImage>
#include <QString>

#include "tools/skingen/SkinModel.h"

namespace skingen {

// skin: as read back from the files (images decoded from the BMPs); the
// declared catalogue says what each label box shows, so the sheet fills
// every box with the longest text it must hold.
QImage RenderContactSheet(const Catalogue& skin, const Catalogue& declared);
QImage RenderViewPreview(const Catalogue& skin);

}  // namespace skingen
