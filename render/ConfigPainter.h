// Drawing the configuration: pictures, label texts, disabled label boxes and the
// outlines of selected, linked and drop-target sub-items. The same drawing
// serves the screen, printing and print preview.
#pragma once

#include "skin/Skin.h"

#include <QRect>
#include <QSize>
#include <QSizeF>

class QAbstractPrintDialog;
class QPainter;
class QPrinter;
class QWidget;
class CMainDoc;
class SkinLayout;

// The view's selection state that painting reads (items -1 = none).
struct PaintSelection {
    int selItem = -1;
    int selSubItem = -1;
    int dropItem = -1;
    int dropSubItem = -1;
};

// Paints every item whose rectangle meets clip. Coordinates are those of
// SkinLayout::GetItemRect(item, rect, sub, client): the caller translates the
// painter by minus its scroll position. outlines is false when printing.
// A view's paint event, for instance:
//   QPainter painter(viewport());
//   painter.translate(-scroll);
//   const QRect clip = event->rect().translated(scroll);
//   EraseBackground(painter, layout, viewport()->size(), clip);
//   PaintConfiguration(painter, layout, skin, doc, viewport()->size(), clip, selection, true);
void PaintConfiguration(QPainter& painter, const SkinLayout& layout, const CSkin& skin, const CMainDoc& doc,
                        QSize client, const QRect& clip, const PaintSelection& selection, bool outlines);

// Fills the part of clip that no item covers with the view's white
// background; the items paint everything inside their own rectangles.
void EraseBackground(QPainter& painter, const SkinLayout& layout, QSize client, const QRect& clip);

// The outline colour of sub-item subItem of an item showing config: the
// focused colour for the selected sub-item, else the drop-target colour for
// the drop target, else the selected colour when its mask bit is set. False
// when the sub-item has no outline.
bool GetOutlineColor(const CSkinConfig& config, uint32_t mask, int subItem, int selSubItem, int dropSubItem,
                     SkinColor& color);

// The printing scale: the smaller of the page/layout ratios (page in tenths of
// a millimetre, layout in pixels), clamped to 1.0 .. 4.0 — except that a
// layout that does not fit at 1.0 gets the smaller scale that fits the page.
double ComputePrintScale(const QSizeF& printableTenthsMm, const QSize& layoutPixels);

// Where the drawing lands on paper: the scale and the offsets of the layout's
// corner from the printable area's corner, in tenths of a millimetre, so the
// drawing is centred.
struct PrintPlacement {
    double scale = 1.0;
    int offsetX = 0;
    int offsetY = 0;
};
PrintPlacement ComputePrintPlacement(const QSizeF& printableTenthsMm, const QSize& layoutPixels);

// The printer's printable area (the page inside its margins) in tenths of a millimetre.
QSizeF PrintableTenthsMm(const QPrinter& printer);

// Draws the printed page on any painter whose origin is the printable area's
// corner and that has dotsPerTenthMm device units per tenth of a millimetre.
void PaintPrintPage(QPainter& painter, double dotsPerTenthMm, const QSizeF& printableTenthsMm, const SkinLayout& layout,
                    const CSkin& skin, const CMainDoc& doc);

// Prints the configuration on exactly one page, centred on the printable area,
// without outlines. Also the handler of the print preview's paint requests.
// False when the printer could not be started; printing into a file reports
// the file that could not be written.
bool PrintConfiguration(QPrinter& printer, const SkinLayout& layout, const CSkin& skin, const CMainDoc& doc);

// Offers only page 1 in a print dialog: the configuration is always one page.
void PreparePrintDialog(QAbstractPrintDialog& dialog);

// The modal print preview of the configuration on printer; returns when the
// user closes it.
void RunPrintPreview(QPrinter& printer, QWidget* parent, const SkinLayout& layout, const CSkin& skin,
                     const CMainDoc& doc);
