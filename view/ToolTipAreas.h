// The areas of the view that carry a tooltip: the configuration area of each
// module, then every usable input, output, key, panel input and audio channel
// that is visible in the window. Plain code so the rules can be tested
// without a window; CMainView rebuilds the set when the layout, the window
// or the scroll position changes.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include "view/ViewZoom.h"

#include <vector>

class CMainDoc;
class SkinLayout;

struct ToolArea {
    int id = 0;  // 1, 2, ... in the order the areas were added
    QRect rect;  // client coordinates, left and top raised to 0 when negative
    unsigned textId = 0;
    QString text;  // the string in the current language, as fetched when the area was added
};

// client is the window's client size, scroll its scroll position (both in
// viewport pixels); zoom maps the layout's rectangles to them.
std::vector<ToolArea> BuildToolAreas(const SkinLayout& layout, const CMainDoc& doc, QSize client, QPoint scroll,
                                     const ViewZoom& zoom = ViewZoom());

// The area containing a client point, or nullptr. Where areas overlap (an
// input on its module's plate) the one added last, the sub-item, wins.
const ToolArea* FindToolArea(const std::vector<ToolArea>& areas, QPoint point);

// A string as a tooltip shows it: "&&" is one ampersand and a single "&" marks
// no letter, as in the menus the texts are shared with.
QString ToolTipDisplayText(const QString& text);
