// The restored window rectangle read from the settings, made usable: a window
// smaller than kMinWindowSize or lying wholly outside every screen (a monitor
// that was unplugged, hand-edited settings) would be lost to the user.
#pragma once

#include <QList>
#include <QRect>

inline constexpr QSize kMinWindowSize(240, 160);
inline constexpr QPoint kDefaultWindowPos(22, 22);

// stored: the rectangle from the settings; screens: the available areas.
QRect UsablePlacement(QRect stored, const QList<QRect>& screens);
