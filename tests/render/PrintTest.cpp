#include "render/PaintFixture.h"
#include "res/resource.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

namespace {

const QSizeF kA4Printable(2000, 2800);  // 200 x 280 mm in tenths

TEST(PrintScaleTest, SmallerPageRatioClampedToOneToFour) {
    const struct {
        const char* name;
        QSizeF page;
        QSize layout;
        double scale;
        int offsetX, offsetY;
    } cases[] = {
        {"small layout: width limits, capped at 4", kA4Printable, {500, 300}, 4.0, 0, 800},
        {"height limits", kA4Printable, {500, 1000}, 2.8, 300, 0},
        {"width limits", {2800, 2000}, {1000, 400}, 2.8, 0, 440},
        {"fractional ratio", kA4Printable, {1500, 700}, 2000.0 / 1500, 0, 933},
        {"too wide at 1.0: shrunk to fit the width", kA4Printable, {4000, 300}, 0.5, 0, 1325},
        {"too tall as well: the tighter side decides", kA4Printable, {2500, 5600}, 0.5, 375, 0},
        {"empty layout", kA4Printable, {0, 0}, 4.0, 1000, 1400},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(ComputePrintScale(c.page, c.layout), c.scale);
        const PrintPlacement placement = ComputePrintPlacement(c.page, c.layout);
        EXPECT_DOUBLE_EQ(placement.scale, c.scale);
        EXPECT_EQ(placement.offsetX, c.offsetX);
        EXPECT_EQ(placement.offsetY, c.offsetY);
    }
}

class PrintTest : public PaintFixture {
protected:
    // The printed page at one dot per tenth of a millimetre.
    QImage PrintedPage(QSizeF printable = kA4Printable) const {
        QImage page(printable.toSize(), QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        PaintPrintPage(painter, 1.0, printable, m_layout, m_skin, m_doc);
        return page;
    }
    QRect ItemsBounds() const {
        QRect bounds;
        for (int item = 0; item < int(m_layout.items().size()); ++item) bounds |= ItemRect(item);
        return bounds;
    }
    void SetUpPdf(QPrinter& printer, const QString& path) const {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QSizeF(200, 280), QPageSize::Millimeter));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    }
};

TEST_F(PrintTest, DrawingIsScaledByTheRuleAndCentredOnThePrintableArea) {
    const PrintPlacement placement = ComputePrintPlacement(kA4Printable, m_layout.size());
    ASSERT_GT(placement.scale, 1.0);
    const QRect items = ItemsBounds();
    const QRect expected(QPoint(placement.offsetX + int(items.left() * placement.scale),
                                placement.offsetY + int(items.top() * placement.scale)),
                         QPoint(placement.offsetX + int((items.right() + 1) * placement.scale) - 1,
                                placement.offsetY + int((items.bottom() + 1) * placement.scale) - 1));
    QRect ink;
    CountPixelsNotOf(PrintedPage(), QRect(QPoint(0, 0), kA4Printable.toSize()), kWhite, &ink);
    for (int edge = 0; edge < 4; ++edge) {
        const int got[] = {ink.left(), ink.top(), ink.right(), ink.bottom()};
        const int want[] = {expected.left(), expected.top(), expected.right(), expected.bottom()};
        EXPECT_NEAR(got[edge], want[edge], 2) << "edge " << edge;
    }
}

TEST_F(PrintTest, LabelTextGrowsWithTheScale) {
    // A page four times the layout: scale 4.0 and no offsets, so a label's
    // 12-pixel font cell becomes 48 tenths of a millimetre.
    const QSizeF printable = QSizeF(m_layout.size()) * 4;
    ASSERT_EQ(ComputePrintPlacement(printable, m_layout.size()).scale, 4.0);
    ASSERT_TRUE(m_doc.SetInputLabel(4, "Hg"));
    const int hdmi = InputModuleItem(1);
    const SkinLabel& label = InputLabel(hdmi, 0, 1);
    const QRect box = InputLabelBox(hdmi, 0, 1);
    const QRgb back = SkinColorToRgb(label.back);
    QRect onScreen, onPaper;
    ASSERT_GT(CountPixelsNotOf(Render(), box, back, &onScreen), 0);
    ASSERT_GT(CountPixelsNotOf(PrintedPage(printable), QRect(box.topLeft() * 4, box.size() * 4), back, &onPaper), 0);
    // Hinting on screen may move an edge by a pixel: four tenths on paper.
    EXPECT_NEAR(onPaper.height(), 4 * onScreen.height(), 5);
    EXPECT_NEAR(onPaper.width(), 4 * onScreen.width(), 8);
    EXPECT_NEAR(onPaper.center().y(), 4 * onScreen.center().y(), 8) << "still centred in its box";
}

TEST_F(PrintTest, PrintingShowsNoOutlines) {
    const QImage plain = PrintedPage();
    for (ViewItem& item : m_layout.items()) item.mask = 0xFFFFFFFF;
    EXPECT_EQ(PrintedPage(), plain);
}

TEST_F(PrintTest, PdfFileGetsExactlyOnePageOfThePrintableSize) {
    QTemporaryDir dir;
    const QString path = dir.filePath("config.pdf");
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdf(printer, path);
    const QSizeF printable = PrintableTenthsMm(printer);
    EXPECT_NEAR(printable.width(), 2000, 0.01);
    EXPECT_NEAR(printable.height(), 2800, 0.01);
    ASSERT_TRUE(PrintConfiguration(printer, m_layout, m_skin, m_doc));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    const QString text = QString::fromLatin1(pdf);
    EXPECT_EQ(text.count(QRegularExpression("/Type\\s*/Page\\b(?!s)")), 1);
    const QRegularExpressionMatch box = QRegularExpression("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]").match(text);
    ASSERT_TRUE(box.hasMatch());
    constexpr double kPointsPerMm = 72 / 25.4;
    EXPECT_NEAR(box.captured(1).toDouble(), 200 * kPointsPerMm, 0.5);
    EXPECT_NEAR(box.captured(2).toDouble(), 280 * kPointsPerMm, 0.5);
    EXPECT_TRUE(m_presenter.messages().empty());
}

TEST_F(PrintTest, APdfThatCannotBeWrittenIsReported) {
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/folder/config.pdf");
    QPrinter printer;
    SetUpPdf(printer, path);
    EXPECT_FALSE(PrintConfiguration(printer, m_layout, m_skin, m_doc));
    ASSERT_EQ(m_presenter.ids(), std::vector<unsigned>{IDS_ERROR_SAVING});
    EXPECT_TRUE(m_presenter.messages()[0].text.contains(path));
}

TEST(PrintDialogTest, OffersOnlyTheOnePage) {
    QPrinter printer;
    QPrintDialog dialog(&printer);
    PreparePrintDialog(dialog);
    EXPECT_EQ(dialog.minPage(), 1);
    EXPECT_EQ(dialog.maxPage(), 1);
    EXPECT_EQ(dialog.fromPage(), 1);
    EXPECT_EQ(dialog.toPage(), 1);
}

TEST_F(PrintTest, PreviewShowsOnePage) {
    QPrinter printer;
    int pages = -1;
    // The preview lays its pages out when it is shown; look once it is up.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        QPrintPreviewWidget* preview = dialog ? dialog->findChild<QPrintPreviewWidget*>() : nullptr;
        if (!preview || preview->pageCount() == 0) return;
        pages = preview->pageCount();
        dialog->close();
    });
    poll.start(20);
    RunPrintPreview(printer, nullptr, m_layout, m_skin, m_doc);
    EXPECT_EQ(pages, 1);
}

}  // namespace
