#include "tools/skingen/ContactSheet.h"

#include <QPainter>

#include "tools/skingen/LabelMetrics.h"
#include "tools/skingen/SheetPainting.h"
#include "tools/skingen/SkinCheck.h"

namespace skingen {
namespace {

constexpr int kSheetWidth = 2400;
constexpr int kGap = 24;
constexpr int kCaption = 34;

void Outline(QPainter& p, const QRect& r, const QColor& colour, Qt::PenStyle style = Qt::SolidLine) {
    p.save();
    p.setPen(QPen(colour, 1, style));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.restore();
}

const ConfigDef* Declared(const Catalogue& declared, int id) {
    for (const ModuleDef& m : declared.modules)
        for (const ConfigDef& c : m.configs)
            if (c.id == id) return &c;
    return nullptr;
}

QString LongestText(const LabelBox& label, const QStringList& signalNames) {
    QString longest;
    for (const QString& text : TextsFor(label.text, signalNames))
        if (TextWidth(text, label.style.fontSize) > TextWidth(longest, label.style.fontSize)) longest = text;
    return longest;
}

// The declared label at the same place, if the generator knows it.
QString SampleFor(const ConfigDef* declared, int input, int index, const QStringList& signalNames) {
    if (!declared) return "?";
    const QList<LabelBox>& labels = input < 0                         ? declared->labels
                                    : input < declared->inputs.size() ? declared->inputs[input].labels
                                                                      : QList<LabelBox>();
    return index < labels.size() ? LongestText(labels[index], signalNames) : "?";
}

// A picture with every hot area outlined and every label box showing its longest text.
void DrawAnnotated(QPainter& p, const ConfigDef& c, const QPoint& at, const Catalogue& declared) {
    const ConfigDef* known = Declared(declared, c.id);
    p.drawImage(at, c.image);
    Outline(p, c.area.translated(at), QColor(255, 210, 0), Qt::DashLine);
    for (int g = 0; g < c.labels.size(); ++g)
        PaintLabel(p, c.labels[g], c.labels[g].box.translated(at), SampleFor(known, -1, g, declared.signalNames),
                   false);
    for (int e = 0; e < c.inputs.size(); ++e) {
        const AreaDef& a = c.inputs[e];
        Outline(p, a.rect.translated(at), QColor(255, 40, 40));
        for (int g = 0; g < a.labels.size(); ++g)
            PaintLabel(p, a.labels[g], a.labels[g].box.translated(at), SampleFor(known, e, g, declared.signalNames),
                       false);
    }
    for (const AreaDef& a : c.audio) Outline(p, a.rect.translated(at), QColor(0, 220, 255));
}

void Caption(QPainter& p, const ConfigDef& c, const QPoint& at) {
    QFont font("Liberation Sans");
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(QColor(30, 30, 30));
    const QRect box(at.x(), at.y() + c.image.height() + 2, std::max(c.image.width(), 120), kCaption);
    const QString depth = c.palette8 ? "8-bit" : "24-bit";
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QString("%1  %2\n%3  %4x%5 %6")
                   .arg(c.id)
                   .arg(c.name, c.picture.section('/', -1))
                   .arg(c.image.width())
                   .arg(c.image.height())
                   .arg(depth));
}

struct Cell {
    const ConfigDef* config;
    QPoint at;
};

QList<Cell> Arrange(const Catalogue& skin, int top, int* bottom) {
    QList<Cell> cells;
    int x = kGap, y = top, rowHeight = 0;
    for (const ModuleDef& m : skin.modules)
        for (const ConfigDef& c : m.configs) {
            if (c.image.isNull()) continue;
            const int w = std::max(c.image.width(), 120);
            if (x > kGap && x + w > kSheetWidth - kGap) x = kGap, y += rowHeight + kGap, rowHeight = 0;
            cells.append({&c, QPoint(x, y)});
            x += w + kGap;
            rowHeight = std::max(rowHeight, c.image.height() + kCaption);
        }
    *bottom = y + rowHeight + kGap;
    return cells;
}

}  // namespace

QImage RenderContactSheet(const Catalogue& skin, const Catalogue& declared) {
    const QImage preview = RenderViewPreview(skin);
    const int gridTop = kGap + preview.height() + 2 * kGap;
    int bottom = 0;
    const QList<Cell> cells = Arrange(skin, gridTop, &bottom);
    QImage sheet(std::max(kSheetWidth, preview.width() + 2 * kGap), bottom, QImage::Format_RGB32);
    sheet.fill(QColor(226, 228, 232));
    QPainter p(&sheet);
    p.drawImage(kGap, kGap, preview);
    Outline(p, QRect(QPoint(kGap, kGap), preview.size()).adjusted(-1, -1, 1, 1), QColor(120, 120, 120));
    for (const Cell& cell : cells) {
        DrawAnnotated(p, *cell.config, cell.at, declared);
        Caption(p, *cell.config, cell.at);
    }
    return sheet;
}

}  // namespace skingen
