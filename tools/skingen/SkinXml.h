#pragma once
// modules.xml and its pictures: writing the generated skin. Written skins
// are read back with the program's own loader (skin/Skin.h), so that the
// generator sees exactly what the program sees; CatalogueOf turns that tree
// into the generator's model for drawing.
#include <QString>

#include "tools/skingen/SkinModel.h"

namespace skingen {

// Writes modules.xml and every picture below dir; false with error on failure.
bool WriteSkin(const Catalogue& catalogue, const QString& dir, QString* error);

// modules.xml in a skin folder.
QString SkinXmlPath(const QString& dir);

// A skin loaded by the program, with the pictures that loaded decoded; label
// texts are unknown to the file and stay UserLabel.
Catalogue CatalogueOf(const CSkin& skin);

// Colours in files are 0x00BBGGRR (red in the low byte); the program reads
// them back with ReadSkinNumber and SkinColorToRgb.
QString ColourText(QRgb colour);

}  // namespace skingen
