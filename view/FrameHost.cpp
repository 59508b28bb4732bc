#include "view/FrameHost.h"

#include "lang/UiText.h"

void ShowStatusNote(FrameHost* frame, unsigned id, const QStringList& inserts) {
    if (!frame) return;
    QString text;
    FormatUiString(text, id, inserts);
    frame->ShowStatusNote(text);
}
