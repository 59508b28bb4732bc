// The GUI's message boxes: every UiMessageBox and file error of the program is
// shown here as a modal QMessageBox over the active window.
#pragma once

#include "lang/UiText.h"

class QMessageBox;

class MessageBoxPresenter : public MessagePresenter {
public:
    int Present(unsigned id, const QString& caption, const QString& text, unsigned style) override;
    // The detail is the box's informative text, a line of its own under the message.
    int PresentDetailed(unsigned id, const QString& caption, const QString& text, const QString& detail,
                        unsigned style) override;
};

// Gives the box's standard buttons their texts from the string table, so that
// they follow the program's language rather than Qt's.
void SetMessageBoxButtonTexts(QMessageBox& box);
