#include "view/ClosePrompt.h"

#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "res/resource.h"

bool RunClosePrompt(CMainDoc& doc, const std::function<void()>& save) {
    if (!doc.IsModified()) return true;
    switch (UiMessageBox(IDS_NOT_SAVED, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL: return false;
    case IDNO: return true;
    default: save(); return !doc.IsModified();
    }
}
