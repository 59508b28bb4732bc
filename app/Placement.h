// The restored window rectangle read from the settings, made usable: a window
// smaller than kMinWindowSize, larger than the screens or lying wholly outside
// every screen (a monitor that was unplugged, hand-edited settings) would be
// lost to the user.
#pragma once

#include <QList>
#include <QRect>

inline constexpr QSize kMinWindowSize(240, 160);
inline constexpr QPoint kDefaultWindowPos(22, 22);

// The four values as the settings file holds them: any int each, so nothing
// may be added up before they are brought into range.
struct PlacementSettings {
    int left;
    int top;
    int width;
    int height;
};

// screens: the available areas.
QRect UsablePlacement(const PlacementSettings& stored, const QList<QRect>& screens);
