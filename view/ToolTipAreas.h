// The areas of the view that carry a tooltip: the configuration area of each
// module, then every usable input, output, key, panel input and audio channel
// that is visible in the window. Plain code so the rules can be tested
// without a window; the view's ToolTipAreas rebuilds the set when the
// layout, the window or the scroll position changes.
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

// The tooltips the view shows: the areas of the drawing as it stands in the
// window, none while View > Tooltips is off (an option kept in the settings).
class ToolTipAreas {
public:
    ToolTipAreas();  // reads the option

    bool Shown() const { return m_shown; }
    // Switches the option and stores it; Refresh(true) then takes it up.
    void Toggle();
    // Builds the areas again when forced or when the client size or the
    // scroll position changed since the last time; true when it did.
    bool Refresh(bool force, const SkinLayout& layout, const CMainDoc& doc, QSize client, QPoint scroll,
                 const ViewZoom& zoom);
    // Whether the areas were built with the option on.
    bool Active() const { return m_active; }
    const std::vector<ToolArea>& Areas() const { return m_areas; }
    // The area at a client point (nullptr where there is none or while off).
    const ToolArea* At(QPoint clientPoint) const;
    // The text shown there, as the tooltip shows it; empty where there is none.
    QString TextAt(QPoint clientPoint) const;

private:
    std::vector<ToolArea> m_areas;
    bool m_active = false;
    bool m_shown = true;
    QSize m_lastClient{-1, -1};
    QPoint m_lastScroll{-1, -1};
};
