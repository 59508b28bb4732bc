#include "cli/TerminalPresenter.h"

#include <cstdio>

int AnswerOfLine(const QString& line) {
    const QString answer = line.trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes") ? IDYES : IDNO;
}

int TerminalPresenter::Present(unsigned, const QString&, const QString& text, unsigned style) {
    const bool question = (style & MB_TYPEMASK) == MB_YESNO;
    std::fprintf(stderr, question ? "%s [y/N] " : "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
    if (!question) return DefaultAnswer(style);
    char line[64] = {};
    if (!std::fgets(line, sizeof line, stdin)) return IDNO;
    return AnswerOfLine(QString::fromLocal8Bit(line));
}
