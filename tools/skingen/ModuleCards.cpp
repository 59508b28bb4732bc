#include "tools/skingen/ModuleCards.h"

#include <QPainter>

#include "tools/skingen/CardParts.h"
#include "tools/skingen/Connectors.h"
#include "tools/skingen/FacePlate.h"
#include "tools/skingen/LabelMetrics.h"

namespace skingen {
namespace {

constexpr int kPortColumn = 56;  // connectors sit left of this, labels right of it
constexpr int kRightMargin = 8;
constexpr int kNameFont = 11;
constexpr int kNumberFont = 10;

const QColor kPlate(198, 201, 206);
const QColor kInputBand(34, 82, 152);
const QColor kOutputBand(200, 88, 26);
const QColor kUnknownPlate(150, 152, 156);
const QColor kUnknownBand(70, 72, 76);

const LabelStyle kNumberStyle{kNumberFont, qRgb(255, 255, 255), qRgb(24, 24, 26), qRgb(104, 104, 108)};
const LabelStyle kNameStyle{kNameFont, qRgb(16, 16, 16), qRgb(244, 242, 232), qRgb(170, 170, 172)};

int NumberWidth() { return BoxFor("16", kNumberFont).width() + 4; }

QSize PortSize(Port port) {
    switch (port) {
    case Port::Hdmi: return {38, 15};
    case Port::SfpSingle:
    case Port::SfpMulti: return {40, 22};
    case Port::Dvi: return {104, 28};
    case Port::Unknown: return {28, 28};
    default: return {30, 30};
    }
}

QString PortSilk(const CardSpec& card, int position) {
    const QString n = QString::number(position + 1);
    switch (card.port) {
    case Port::SdiBnc: return (card.output ? "SDI OUT " : "SDI IN ") + n;
    case Port::CvbsBnc: return (card.output ? "CVBS OUT " : "CVBS ") + n;
    case Port::ComponentBnc: return QStringList{"Y", "Pb", "Pr"}[position % 3];
    case Port::Hdmi: return (card.output ? "HDMI OUT " : "HDMI ") + n;
    case Port::SfpSingle:
    case Port::SfpMulti: return (card.output ? "TX " : "RX ") + n;
    case Port::Dvi: return "DVI-I " + n;
    case Port::Unknown: return (card.output ? "OUT " : "IN ") + n;
    }
    return n;
}

void DrawPort(QPainter& p, Port port, const QRect& r, bool capped, int position) {
    switch (port) {
    case Port::SdiBnc: DrawBnc(p, r, capped ? BncStyle::Capped : BncStyle::Plain); break;
    case Port::CvbsBnc: DrawBnc(p, r, capped ? BncStyle::Capped : BncStyle::Plain, QColor(226, 190, 40)); break;
    case Port::ComponentBnc: {
        const QColor rings[3] = {QColor(50, 160, 70), QColor(50, 90, 200), QColor(200, 50, 45)};
        DrawBnc(p, r, capped ? BncStyle::Capped : BncStyle::Plain, capped ? QColor() : rings[position % 3]);
        break;
    }
    case Port::Hdmi: DrawHdmi(p, r, capped); break;
    case Port::SfpSingle: DrawSfpLc(p, r, QColor(40, 110, 210), capped); break;
    case Port::SfpMulti: DrawSfpLc(p, r, QColor(30, 30, 32), capped); break;
    case Port::Dvi: DrawDvi(p, r); break;
    case Port::Unknown: DrawUnknownSocket(p, r); break;
    }
}

// Embedded audio status: a two-channel level meter standing upright in a
// small window left of the connector, outside the connector's hot area.
void DrawAudioMeter(QPainter& p, const QRect& r) {
    Recess(p, QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 1.5, QColor(14, 16, 14));
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const int segments = (r.height() - 4) / 4;
    const int column = (r.width() - 5) / 2;
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < segments; ++i) {
            const QColor lit = i >= segments - 1   ? QColor(240, 60, 40)
                               : i >= segments - 2 ? QColor(250, 200, 40)
                                                   : QColor(60, 220, 80);
            const bool on = i < segments - 1 - ch;
            p.fillRect(QRect(r.left() + 2 + ch * (column + 1), r.bottom() - 1 - 4 * i - 2, column, 3),
                       on ? lit : lit.darker(400));
        }
    p.restore();
}

// An input's hot area: its connector and every label box it writes, with a
// little plate around them, so the outline runs over the plate.
QRect HotArea(const QRect& port, const QList<LabelBox>& labels, const QMargins& plate) {
    QRect area = port;
    for (const LabelBox& label : labels) area = area.united(label.box);
    return area.marginsAdded(plate);
}

constexpr QMargins kRowPlate(2, 1, 2, 1);
constexpr int kMeterLeft = 6;  // room inside the bevel for its outline
constexpr int kMeterWidth = 9;
constexpr int kMeterMinHeight = 24;
constexpr QMargins kMeterPlate(2, 2, 2, 2);  // the outline runs on the plate around it
// Hot areas keep this many pixels apart, so one outline never touches the next.
constexpr int kAreaGap = 3;

// The connector's own labels: number box and audio meter on the first line,
// name strip (or signal strip on outputs) on the second.
AreaDef LabelStack(QPainter& p, const QPoint& topLeft, int nameWidth, const CardSpec& card, int position) {
    AreaDef input{card.portType, QRect(), {}};
    const QRect number(topLeft, QSize(NumberWidth(), LabelHeight(kNumberFont)));
    LabelWindow(p, number, kNumberStyle.back);
    input.labels.append({number, kNumberStyle, card.output ? LabelText::OutputNumber : LabelText::InputNumber});
    int silkLeft = number.right() + 5;
    if (card.audio) {
        Silk(p, QRectF(silkLeft, number.top(), 24, number.height()), "EMB", 7, kDarkSilk,
             Qt::AlignLeft | Qt::AlignVCenter);
        silkLeft += 26;
    }
    Silk(p, QRectF(silkLeft, number.top(), topLeft.x() + nameWidth - silkLeft, number.height()),
         PortSilk(card, position), 8, kDarkSilk, Qt::AlignRight | Qt::AlignVCenter);
    const QRect name(topLeft.x(), number.bottom() + 3, nameWidth, LabelHeight(kNameFont));
    LabelWindow(p, name, kNameStyle.back);
    input.labels.append({name, kNameStyle, card.output ? LabelText::SignalName : LabelText::UserLabel});
    return input;
}

int StackHeight() { return LabelHeight(kNumberFont) + 2 + LabelHeight(kNameFont); }

// Connectors in a column on the left, labels beside them (every port but DVI).
void DrawPortRows(QImage& image, const CardSpec& card, int nameWidth, ConfigDef& cfg) {
    QPainter p(&image);
    const int pitch = (kRowsBottom - kRowsTop) / card.positions;
    const int group = card.port == Port::ComponentBnc ? 3 : 1;
    QSize size = PortSize(card.port);
    // On cards with embedded audio the meter takes the left edge of the column
    // and the connector moves right (drawn narrower where it would reach the labels).
    int portLeft = kPortColumn / 2 - size.width() / 2 + 1;
    if (card.audio) {
        portLeft = std::max(portLeft, kMeterLeft + kMeterWidth + kMeterPlate.right() + kAreaGap + kRowPlate.left());
        size.setWidth(std::min(size.width(), kPortColumn - 2 - portLeft));
    }
    for (int i = 0; i < card.positions; ++i) {
        const int rowTop = kRowsTop + i * pitch;
        const QRect port(QPoint(portLeft, rowTop + (pitch - size.height()) / 2), size);
        const bool capped = i / group >= card.live;
        DrawPort(p, card.port, port, capped, i);
        if (i > 0 && i % group == 0)
            SilkLine(p, QPointF(6, rowTop), QPointF(image.width() - 6, rowTop), kDarkSilk, 0.5);
        if (capped) {
            Silk(p, QRectF(kPortColumn, rowTop, nameWidth, pitch), "NOT USED", 8, QColor(110, 112, 118),
                 Qt::AlignLeft | Qt::AlignVCenter);
            continue;
        }
        if (group > 1 && i % group != 1) {  // the Y and Pr jacks of a component input
            Silk(p, QRectF(kPortColumn, rowTop, 30, pitch), PortSilk(card, i), 10, kDarkSilk,
                 Qt::AlignLeft | Qt::AlignVCenter);
            continue;
        }
        const QPoint stackAt(kPortColumn, rowTop + (pitch - StackHeight()) / 2);
        AreaDef input = LabelStack(p, stackAt, nameWidth, card, i);
        const QRect jacks =
            group > 1 ? QRect(port.left(), port.top() - pitch, size.width(), size.height() + 2 * pitch) : port;
        input.rect = HotArea(jacks, input.labels, kRowPlate);
        if (card.audio) {
            const int height = std::max(port.height() - 2, kMeterMinHeight);
            const QRect meter(kMeterLeft, port.center().y() - height / 2, kMeterWidth, height);
            DrawAudioMeter(p, meter);
            cfg.audio.append({card.audioType, meter.marginsAdded(kMeterPlate), {}});
        }
        cfg.inputs.append(input);
    }
}

// DVI jacks are too wide for the column: each sits above its labels.
void DrawStackedPorts(QImage& image, const CardSpec& card, int nameWidth, ConfigDef& cfg) {
    QPainter p(&image);
    const int pitch = (kRowsBottom - kRowsTop) / card.positions;
    const QSize size = PortSize(card.port);
    const int w = image.width();
    for (int i = 0; i < card.positions; ++i) {
        const int rowTop = kRowsTop + i * pitch;
        const int blockTop = rowTop + (pitch - size.height() - 10 - StackHeight()) / 2;
        const QRect port(QPoint((w - size.width()) / 2, blockTop), size);
        DrawPort(p, card.port, port, false, i);
        if (i > 0) SilkLine(p, QPointF(6, rowTop), QPointF(w - 6, rowTop), kDarkSilk, 0.5);
        AreaDef input = LabelStack(p, QPoint((w - nameWidth) / 2, port.bottom() + 9), nameWidth, card, i);
        input.rect = HotArea(port, input.labels, kRowPlate);
        cfg.inputs.append(input);
    }
}

// Yellow and black stripes across the band of a plate standing in for a module.
void DrawHazardBand(QImage& image) {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect band = CardBand(image.width());
    p.setClipRect(band.adjusted(1, 1, -1, -1));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 186, 20));
    for (int x = -band.height(); x < band.width(); x += 16)
        p.drawPolygon(QPolygonF({QPointF(x, band.bottom() + 1), QPointF(x + 8, band.bottom() + 1),
                                 QPointF(x + 8 + band.height(), band.top()), QPointF(x + band.height(), band.top())}));
}

int SignalWidth(const QStringList& signalNames) {
    int widest = 0;
    for (const QString& name : signalNames) widest = std::max(widest, BoxFor(name, kNameFont).width());
    return widest + 8;
}

}  // namespace

int InputCardWidth() { return kPortColumn + LongLabelWidth(kNameFont) + kRightMargin; }

int OutputCardWidth(const QStringList& signalNames) {
    return std::max(150, kPortColumn + SignalWidth(signalNames) + kRightMargin);
}

void DrawModuleCard(const CardSpec& card, int width, const QStringList& signalNames, ConfigDef& cfg) {
    cfg.image = QImage(width, kCardHeight, QImage::Format_RGB32);
    const bool unknown = card.port == Port::Unknown;
    DrawCardBody(cfg.image, unknown ? kUnknownPlate : kPlate,
                 unknown       ? kUnknownBand
                 : card.output ? kOutputBand
                               : kInputBand,
                 cfg.picture);
    if (unknown) DrawHazardBand(cfg.image);
    DrawCardHead(cfg.image, card.model, card.title, card.detail, cfg, true);
    const int nameWidth = width - kPortColumn - kRightMargin;
    if (card.port == Port::Dvi)
        DrawStackedPorts(cfg.image, card, std::min(nameWidth, LongLabelWidth(kNameFont)), cfg);
    else
        DrawPortRows(cfg.image, card, card.output ? SignalWidth(signalNames) : nameWidth, cfg);
    DrawCardBrand(cfg.image);
}

void DrawUnknownCard(bool output, int width, const QStringList& signalNames, ConfigDef& cfg) {
    CardSpec card;
    card.model = "";
    card.title = "UNKNOWN";
    card.detail = output ? "output module type" : "input module type";
    card.output = output;
    card.port = Port::Unknown;
    card.positions = card.live = output ? 4 : 8;
    card.portType = output ? "Unknown output" : "Unknown input";
    DrawModuleCard(card, width, signalNames, cfg);
}

}  // namespace skingen
