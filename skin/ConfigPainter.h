// Drawing the configuration: pictures, label texts, disabled label boxes and the
// outlines of selected, linked and drop-target sub-items. The same drawing
// serves the screen, printing and print preview.
#pragma once

#include <QRect>
#include <QSize>
#include <QSizeF>

class QPainter;
class QPrinter;
class CMainDoc;
class CSkin;
class CSkinLayout;

// The view's selection state that painting reads (items -1 = none).
struct PaintSelection {
    int selItem = -1;
    int selSubItem = -1;
    int dropItem = -1;
    int dropSubItem = -1;
};

// Paints every item whose rectangle meets clip. Coordinates are those of
// CSkinLayout::GetItemRect(item, rect, sub, client): the caller translates the
// painter by minus its scroll position. outlines is false when printing.
void PaintConfiguration(QPainter& painter, const CSkinLayout& layout, const CSkin& skin, const CMainDoc& doc,
                        QSize client, const QRect& clip, const PaintSelection& selection, bool outlines);

// The printing scale: the smaller of the page/layout ratios (page in tenths of
// a millimetre, layout in pixels), clamped to 1.0 .. 4.0.
double ComputePrintScale(const QSizeF& printableTenthsMm, const QSize& layoutPixels);

// Prints the configuration on exactly one page, centred on the printable area,
// without outlines. False when the printer could not be started.
bool PrintConfiguration(QPrinter& printer, const CSkinLayout& layout, const CSkin& skin, const CMainDoc& doc);
