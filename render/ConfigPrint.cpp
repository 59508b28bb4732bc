#include "render/ConfigPainter.h"

#include "lang/UiText.h"
#include "skin/SkinLayout.h"

#include <QAbstractPrintDialog>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>

namespace {

// A layout is printed at no less than 0.1 mm per pixel, where the label texts
// stay legible, and no more than 0.4 mm, where the pictures turn coarse. A
// layout too large for the page even at 0.1 mm is shrunk to fit instead:
// cutting off modules at the page edges would lose part of the configuration.
constexpr double kMinPrintScale = 1.0;
constexpr double kMaxPrintScale = 4.0;
constexpr double kTenthsPerMm = 10.0;
constexpr double kTenthsMmPerInch = 254.0;

double Ratio(double page, int layout) { return layout > 0 ? page / layout : kMaxPrintScale; }

}  // namespace

double ComputePrintScale(const QSizeF& printableTenthsMm, const QSize& layoutPixels) {
    const double scale = std::min(Ratio(printableTenthsMm.width(), layoutPixels.width()),
                                  Ratio(printableTenthsMm.height(), layoutPixels.height()));
    if (scale < kMinPrintScale) return scale;
    return std::min(scale, kMaxPrintScale);
}

PrintPlacement ComputePrintPlacement(const QSizeF& printableTenthsMm, const QSize& layoutPixels) {
    PrintPlacement placement;
    placement.scale = ComputePrintScale(printableTenthsMm, layoutPixels);
    const int printedWidth = int(layoutPixels.width() * placement.scale);
    const int printedHeight = int(layoutPixels.height() * placement.scale);
    placement.offsetX = int((printableTenthsMm.width() - printedWidth) / 2);
    placement.offsetY = int((printableTenthsMm.height() - printedHeight) / 2);
    return placement;
}

QSizeF PrintableTenthsMm(const QPrinter& printer) {
    return printer.pageLayout().paintRect(QPageLayout::Millimeter).size() * kTenthsPerMm;
}

void PaintPrintPage(QPainter& painter, double dotsPerTenthMm, const QSizeF& printableTenthsMm, const SkinLayout& layout,
                    const CSkin& skin, const CMainDoc& doc) {
    const PrintPlacement placement = ComputePrintPlacement(printableTenthsMm, layout.size());
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(placement.offsetX * dotsPerTenthMm, placement.offsetY * dotsPerTenthMm);
    painter.scale(placement.scale * dotsPerTenthMm, placement.scale * dotsPerTenthMm);
    const QRect everything(QPoint(0, 0), layout.size());
    PaintConfiguration(painter, layout, skin, doc, layout.size(), everything, PaintSelection{}, false);
    painter.restore();
}

bool PrintConfiguration(QPrinter& printer, const SkinLayout& layout, const CSkin& skin, const CMainDoc& doc) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (!printer.outputFileName().isEmpty()) ReportFileError(kFileSaveError, printer.outputFileName());
        return false;
    }
    PaintPrintPage(painter, printer.resolution() / kTenthsMmPerInch, PrintableTenthsMm(printer), layout, skin, doc);
    return painter.end();
}

void PreparePrintDialog(QAbstractPrintDialog& dialog) {
    dialog.setMinMax(1, 1);
    dialog.setFromTo(1, 1);
}

void RunPrintPreview(QPrinter& printer, QWidget* parent, const SkinLayout& layout, const CSkin& skin,
                     const CMainDoc& doc) {
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target) { PrintConfiguration(*target, layout, skin, doc); });
    preview.exec();
}
