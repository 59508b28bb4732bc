#include "lang/gui/DialogUnits.h"

#include <QFontMetrics>
#include <QString>

DialogUnits::DialogUnits(const QFont& font) {
    // The average width is taken over both alphabets and rounded, as dialog
    // templates have always measured it.
    const QFontMetrics metrics(font);
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseX = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
    m_baseY = metrics.height();
}
