#include "app/Placement.h"

#include <algorithm>

namespace {

// Beyond any desktop, and far enough from the int limits that a position plus
// a size cannot overflow.
constexpr int kMaxExtent = 1 << 24;

QRect ClampedToRange(const PlacementSettings& stored) {
    const QPoint topLeft(std::clamp(stored.left, -kMaxExtent, kMaxExtent),
                         std::clamp(stored.top, -kMaxExtent, kMaxExtent));
    const QSize size(std::clamp(stored.width, kMinWindowSize.width(), kMaxExtent),
                     std::clamp(stored.height, kMinWindowSize.height(), kMaxExtent));
    return {topLeft, size};
}

}  // namespace

QRect UsablePlacement(const PlacementSettings& stored, const QList<QRect>& screens) {
    QRect placement = ClampedToRange(stored);
    if (screens.isEmpty()) return placement;
    QRect desktop;
    for (const QRect& screen : screens) desktop |= screen;
    placement.setSize(placement.size().boundedTo(desktop.size()).expandedTo(kMinWindowSize));
    for (const QRect& screen : screens)
        if (screen.intersects(placement)) return placement;
    placement.moveTopLeft(screens.first().topLeft() + kDefaultWindowPos);
    return placement;
}
