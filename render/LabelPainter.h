// The two drawing primitives of the configuration view: a label box with its
// text, and the state outline around an input or audio channel.
#pragma once

#include "skin/Skin.h"

#include <QFont>
#include <QRect>

class QPainter;

// The bold font of a label: face as the skin names it (faces missing from the
// system fall back to their metric-compatible free equivalents, so "Arial"
// becomes Liberation Sans), sized so its cell height (ascent plus descent) is
// cellHeight pixels. Fonts are kept for the life of the program; use from
// the GUI thread only.
const QFont& LabelFont(const QString& face, int cellHeight);

// Fills box with the label's back colour, or with its disabled colour and no
// text when disabled. The text is one line, centred both ways, cut at the box
// edges without an ellipsis; "&" is shown as itself.
void DrawLabel(QPainter& painter, const SkinLabel& label, const QRect& box, const QString& text, bool disabled);

// Whether outlines can be drawn by inverting the pixels under them: only
// raster-backed devices (images, pixmaps, widget backing stores) can.
bool SupportsXorOutlines(const QPainter& painter);

// A rounded outline (3-pixel pen, 10 x 10 corner ellipses) around rect.
// Where supported it XORs the pixels under it with color, so drawing it again
// restores them; elsewhere it draws a plain outline in color.
void DrawHighlight(QPainter& painter, const QRect& rect, SkinColor color);
