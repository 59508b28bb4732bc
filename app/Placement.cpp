#include "app/Placement.h"

QRect UsablePlacement(QRect stored, const QList<QRect>& screens) {
    stored.setSize(stored.size().expandedTo(kMinWindowSize));
    if (screens.isEmpty()) return stored;
    for (const QRect& screen : screens)
        if (screen.intersects(stored)) return stored;
    stored.moveTopLeft(screens.first().topLeft() + kDefaultWindowPos);
    return stored;
}
