#include "tools/skingen/Panels.h"

#include <QLinearGradient>
#include <QPainter>

#include "tools/skingen/Connectors.h"
#include "tools/skingen/FacePlate.h"
#include "tools/skingen/LabelMetrics.h"

namespace skingen {
namespace {

constexpr int kColumns = 8;
constexpr int kEar = 34;
constexpr int kMargin = 16;
constexpr int kHeader = 34;
constexpr int kNameFont = 11;
constexpr int kNumberFont = 10;

const QColor kPanelPlate(50, 52, 57);
const QColor kSilk(232, 232, 232);
const QColor kDimSilk(160, 162, 168);

const LabelStyle kStripStyle{kNameFont, qRgb(16, 16, 16), qRgb(244, 242, 232), qRgb(98, 100, 104)};
const QRgb kLcdBack = qRgb(16, 30, 44);
const QRgb kLcdOff = qRgb(34, 38, 42);
const LabelStyle kKeyNumberStyle{kNumberFont, qRgb(255, 180, 40), kLcdBack, kLcdOff};
const LabelStyle kKeyInputStyle{kNameFont, qRgb(240, 244, 248), kLcdBack, kLcdOff};
const LabelStyle kKeyPanelStyle{kNameFont, qRgb(120, 220, 255), kLcdBack, kLcdOff};

int Pitch() { return LongLabelWidth(kNameFont) + 18; }
int PanelWidth() { return 2 * (kEar + kMargin) + kColumns * Pitch(); }
int CellLeft(int column) { return kEar + kMargin + column * Pitch(); }

// Dark anodised plate between two rack ears, maker and title in the header.
QImage PanelPlate(int height, const QString& title, const QString& seed) {
    QImage image(PanelWidth(), height, QImage::Format_RGB32);
    BrushedMetal(image, image.rect(), kPanelPlate, Grain::Horizontal, SeedOf(seed), 0.8);
    RackEar(image, QRect(0, 0, kEar, height), SeedOf(seed + "L"));
    RackEar(image, QRect(image.width() - kEar, 0, kEar, height), SeedOf(seed + "R"));
    QPainter p(&image);
    Bevel(p, QRect(kEar, 0, image.width() - 2 * kEar, height), 2);
    const QRectF header(kEar + kMargin, 6, image.width() - 2 * (kEar + kMargin), kHeader - 12);
    Silk(p, header, "VKX520", 15, kSilk, Qt::AlignLeft | Qt::AlignVCenter);
    Silk(p, header, title, 12, kSilk, Qt::AlignCenter);
    SilkLine(p, QPointF(header.left(), kHeader - 3), QPointF(header.right(), kHeader - 3), kDimSilk, 0.8);
    return image;
}

// A plastic key whose face is a small display.
void DrawLcdKey(QPainter& p, const QRect& key) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawRoundedRect(QRectF(key).translated(1.5, 2.5), 6, 6);
    QLinearGradient cap(key.topLeft(), key.bottomLeft());
    cap.setColorAt(0, QColor(112, 114, 120));
    cap.setColorAt(0.12, QColor(76, 78, 84));
    cap.setColorAt(1, QColor(34, 35, 38));
    p.setBrush(cap);
    p.setPen(QPen(QColor(14, 14, 16), 1));
    p.drawRoundedRect(QRectF(key).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    p.setPen(QPen(QColor(0, 0, 0, 200), 1));
    p.setBrush(QColor(kLcdBack));
    p.drawRoundedRect(QRectF(key).adjusted(4.5, 4.5, -4.5, -4.5), 2, 2);
    p.restore();
}

}  // namespace

void DrawInputPanel(ConfigDef& cfg) {
    constexpr int kRowPitch = 80, kXlr = 38;
    const int height = kHeader + 2 * kRowPitch + 8;
    cfg.image = PanelPlate(height, "ANALOG AUDIO INPUTS", cfg.picture);
    QPainter p(&cfg.image);
    const int labelWidth = LongLabelWidth(kNameFont);
    for (int i = 0; i < 2 * kColumns; ++i) {
        const int cell = CellLeft(i % kColumns), top = kHeader + 6 + (i / kColumns) * kRowPitch;
        const QRect xlr(cell + (Pitch() - kXlr) / 2, top, kXlr, kXlr);
        DrawXlrFemale(p, xlr);
        const QRect name(cell + 6, top, 30, 16);
        Silk(p, name, QString("A%1").arg(i + 1), 11, kSilk, Qt::AlignLeft | Qt::AlignVCenter);
        Silk(p, QRectF(xlr.right() + 6, top + kXlr - 14, 40, 12), "BAL", 7, kDimSilk, Qt::AlignLeft | Qt::AlignVCenter);
        const QRect strip(cell + (Pitch() - labelWidth) / 2, xlr.bottom() + 8, labelWidth, LabelHeight(kNameFont));
        LabelWindow(p, strip, kStripStyle.back);
        // The hot area takes in the printed name and the name strip, and a
        // little plate around them.
        const QRect hot = xlr.united(strip).united(name).adjusted(-3, -3, 3, 3);
        cfg.inputs.append({"Analog audio input", hot, {{strip, kStripStyle, LabelText::UserLabel}}});
    }
    cfg.area = cfg.image.rect();
}

void DrawKeyPanel(ConfigDef& cfg) {
    const int labelWidth = LongLabelWidth(kNameFont);
    const int numberHeight = LabelHeight(kNumberFont), nameHeight = LabelHeight(kNameFont);
    const int keyHeight = 7 + numberHeight + 2 + 2 * nameHeight + 2 + 7;
    const int rowPitch = keyHeight + 26;
    cfg.image = PanelPlate(kHeader + 2 * rowPitch + 6, "SOURCE KEYS", cfg.picture);
    QPainter p(&cfg.image);
    for (int i = 0; i < 2 * kColumns; ++i) {
        const int cell = CellLeft(i % kColumns), top = kHeader + 4 + (i / kColumns) * rowPitch;
        Silk(p, QRectF(cell, top, Pitch(), 14), QString("KEY %1").arg(i + 1), 9, kDimSilk, Qt::AlignCenter);
        // One pixel narrower than the labels' padding asks for, so the keys'
        // hot areas (a pixel of plate around each key, where its outline
        // shows) stay clear of each other.
        const QRect key(cell + (Pitch() - labelWidth) / 2 - 7, top + 17, labelWidth + 13, keyHeight);
        DrawLcdKey(p, key);
        const QRect number(key.left() + 7, key.top() + 7, BoxFor("16", kNumberFont).width() + 4, numberHeight);
        const QRect input(key.left() + 7, number.bottom() + 3, labelWidth, nameHeight);
        const QRect panel(key.left() + 7, input.bottom() + 2, labelWidth, nameHeight);
        AreaDef area{"Source key",
                     key.adjusted(-1, -1, 1, 1),
                     {{number, kKeyNumberStyle, LabelText::InputNumber},
                      {input, kKeyInputStyle, LabelText::UserLabel},
                      {panel, kKeyPanelStyle, LabelText::UserLabel}}};
        cfg.inputs.append(area);
    }
    cfg.area = cfg.image.rect();
}

}  // namespace skingen
