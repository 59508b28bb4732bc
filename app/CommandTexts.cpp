#include "app/CommandTexts.h"

#include "lang/UiText.h"

QString CommandPrompt(int commandId) {
    QString text;
    if (commandId > 0) LoadUiPrompt(unsigned(commandId), text);
    return text;
}

QString CommandToolTip(int commandId) {
    QString text;
    if (commandId > 0) LoadUiTooltip(unsigned(commandId), text);
    return text.left(kMaxToolTipLength);
}
