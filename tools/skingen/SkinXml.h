#pragma once
// modules.xml and its pictures: writing the generated skin, and reading a
// skin back the way the program does (first child of each name, the
// "decimal" and "number" readings), noting every rule a file breaks.
#include <QString>
#include <QStringList>

#include "tools/skingen/SkinModel.h"

namespace skingen {

// Writes modules.xml and every picture below dir; false with error on failure.
bool WriteSkin(const Catalogue &catalogue, const QString &dir, QString *error);

struct SkinReadResult {
  bool loaded = false;  // the XML parsed
  Catalogue skin;       // images decoded where the pictures were readable
  QStringList problems;
};

SkinReadResult ReadSkin(const QString &dir);

// The program's two number readings of attribute texts.
int ReadDecimal(const char *text);
int ReadNumber(const char *text);
// Colours in files are 0x00BBGGRR (red in the low byte).
QString ColourText(QRgb colour);
QRgb ColourFromFile(int value);

}  // namespace skingen
