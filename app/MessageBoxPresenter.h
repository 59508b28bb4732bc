// The GUI's message boxes: every UiMessageBox and file error of the program is
// shown here as a modal QMessageBox over the active window.
#pragma once

#include "lang/UiText.h"

class MessageBoxPresenter : public MessagePresenter {
public:
    int Present(unsigned id, const QString& caption, const QString& text, unsigned style) override;
};
