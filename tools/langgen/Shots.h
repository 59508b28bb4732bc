// Pictures of the translated user interface for review: the frame with each
// popup of its menu open, the Edit translation dialog and the About box, in
// the language given, from the language files of a directory.
#pragma once

#include <QString>

namespace langgen {

// Writes PNG files into outDir; false when the language files cannot be
// used or a picture cannot be written.
bool WriteShots(const QString& languageDir, const QString& language, const QString& outDir);

}  // namespace langgen
