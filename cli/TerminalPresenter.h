// Messages for someone at a terminal: the text on standard error and, for a
// Yes/No question, the answer read from standard input ("y" or "yes" is Yes;
// anything else, or the end of input, is No).
#pragma once

#include "lang/UiText.h"

class TerminalPresenter : public MessagePresenter {
public:
    int Present(unsigned id, const QString& caption, const QString& text, unsigned style) override;
};

// The answer a line typed at a Yes/No question stands for.
int AnswerOfLine(const QString& line);
