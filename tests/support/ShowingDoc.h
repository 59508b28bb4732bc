// The document's file and read operations followed by what the view does
// when one fails: show the document's notice. Tests that look at the
// messages a user sees call these instead of the bare member functions.
#pragma once

#include "lang/UiText.h"
#include "model/CMainDoc.h"

inline bool Shown(CMainDoc& doc, bool ok) {
    if (!ok) ShowNotice(doc.lastNotice());
    return ok;
}
inline bool LoadShown(CMainDoc& doc, const QString& path) { return Shown(doc, doc.LoadFile(path)); }
inline bool SaveShown(CMainDoc& doc, const QString& path) { return Shown(doc, doc.SaveFile(path)); }
inline bool ReadShown(CMainDoc& doc, const ConfigImage& image, bool force) {
    return Shown(doc, doc.ReadCfg(image, force));
}
