// Runtime translation of dialogs: replaces a dialog's texts (title, static
// texts, buttons) by the current language's texts for that dialog resource.
#pragma once

class QWidget;

void TranslateDialog(int dialogId, QWidget* dialog);
