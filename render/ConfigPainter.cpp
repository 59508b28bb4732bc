#include "render/ConfigPainter.h"

#include "render/LabelPainter.h"
#include "skin/LabelText.h"
#include "skin/SkinLayout.h"

#include <QPainter>

namespace {

const QColor kBackground(Qt::white);
const QColor kPlaceholderFill(0xD4, 0xD4, 0xD4);
const QColor kPlaceholderFrame(0x80, 0x80, 0x80);
const QColor kPlaceholderText(0x40, 0x40, 0x40);
constexpr int kPlaceholderFontPixels = 12;
constexpr int kPlaceholderPadding = 4;

// A picture the skin could not load still takes its place in the row: a
// plain grey plate with the configuration's name says what belongs there.
void DrawPlaceholder(QPainter& painter, const QRect& r, const QString& name) {
    static const QFont font = [] {
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPixelSize(kPlaceholderFontPixels);
        return f;
    }();
    painter.fillRect(r, kPlaceholderFill);
    painter.setPen(kPlaceholderFrame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.setFont(font);
    painter.setPen(kPlaceholderText);
    const QRect inner =
        r.adjusted(kPlaceholderPadding, kPlaceholderPadding, -kPlaceholderPadding, -kPlaceholderPadding);
    painter.drawText(inner, Qt::AlignCenter | Qt::TextWordWrap, name);
}

// The picture 1:1 at the item's corner. A picture smaller than the item (a
// module whose configurations differ in size) leaves the rest of the
// rectangle white instead of whatever was there before.
void DrawPicture(QPainter& painter, const QRect& r, const QImage& picture) {
    const QRect covered(r.topLeft(), picture.size().boundedTo(r.size()));
    painter.drawImage(covered.topLeft(), picture, QRect(QPoint(0, 0), covered.size()));
    if (covered.width() < r.width())
        painter.fillRect(QRect(covered.right() + 1, r.top(), r.width() - covered.width(), r.height()), kBackground);
    if (covered.height() < r.height())
        painter.fillRect(QRect(r.left(), covered.bottom() + 1, covered.width(), r.height() - covered.height()),
                         kBackground);
}

class ItemPainter {
public:
    ItemPainter(QPainter& painter, const SkinLayout& layout, const CSkin& skin, const CMainDoc& doc)
        : m_painter(painter), m_layout(layout), m_skin(skin), m_doc(doc) {}

    void Draw(int index, const QRect& r, int selSub, int dropSub, bool outlines) {
        const ViewItem& item = m_layout.items()[std::size_t(index)];
        const CSkinConfig* config = item.config();
        if (!config || !config->m_picture.loaded()) {
            DrawPlaceholder(m_painter, r, config ? config->m_name : item.module->m_type);
            if (!config) return;
        } else {
            DrawPicture(m_painter, r, config->m_picture.image());
        }
        if (item.kind == ITEM_INPUT_MODULE || item.kind == ITEM_OUTPUT_MODULE) DrawSlotLabels(item, *config, r);
        DrawInputLabels(index, *config, r);
        if (outlines) DrawOutlines(item, *config, r, selSub, dropSub);
    }

private:
    void DrawSlotLabels(const ViewItem& item, const CSkinConfig& config, const QRect& r) {
        for (const SkinLabel& label : config.m_labels)
            DrawLabel(m_painter, label, label.box.translated(r.topLeft()), SlotNumberText(item.slot), false);
    }

    void DrawInputLabels(int index, const CSkinConfig& config, const QRect& r) {
        for (std::size_t e = 0; e < config.m_inputs.size(); ++e) {
            const std::vector<SkinLabel>& labels = config.m_inputs[e].m_labels;
            if (labels.empty()) continue;
            GetInputLabelTexts(m_layout, index, m_skin, m_doc, int(e), m_texts);
            for (std::size_t g = 0; g < labels.size(); ++g) {
                DrawLabel(m_painter, labels[g], labels[g].box.translated(r.topLeft()), m_texts.Get(int(g)),
                          m_texts.disabled);
            }
        }
    }

    void DrawOutlines(const ViewItem& item, const CSkinConfig& config, const QRect& r, int selSub, int dropSub) {
        const std::size_t inputs = std::min<std::size_t>(config.m_inputs.size(), kMaxSkinSubItems);
        for (std::size_t e = 0; e < inputs; ++e)
            DrawOutline(item, config, config.m_inputs[e].m_area, int(e), r, selSub, dropSub);
        const std::size_t channels = std::min<std::size_t>(config.m_audio.size(), kMaxSkinSubItems);
        for (std::size_t j = 0; j < channels; ++j)
            DrawOutline(item, config, config.m_audio[j].m_area, SUBITEM_AUDIO + int(j), r, selSub, dropSub);
    }

    void DrawOutline(const ViewItem& item, const CSkinConfig& config, const QRect& area, int sub, const QRect& r,
                     int selSub, int dropSub) {
        SkinColor color = 0;
        if (GetOutlineColor(config, item.mask, sub, selSub, dropSub, color))
            DrawHighlight(m_painter, area.translated(r.topLeft()), color);
    }

    QPainter& m_painter;
    const SkinLayout& m_layout;
    const CSkin& m_skin;
    const CMainDoc& m_doc;
    InputLabelTexts m_texts;  // reused for every input
};

}  // namespace

// Audio channels follow the rule of the inputs: one outline, the strongest
// state wins. Two XOR outlines at one place would mix their colours into one
// that stands for neither state.
bool GetOutlineColor(const CSkinConfig& config, uint32_t mask, int subItem, int selSubItem, int dropSubItem,
                     SkinColor& color) {
    if (subItem < 0 || subItem >= SUBITEM_AUDIO + kMaxSkinSubItems) return false;
    if (subItem == selSubItem) {
        color = config.m_focusedColor;
    } else if (subItem == dropSubItem) {
        color = config.m_dropTargetColor;
    } else if (mask & (uint32_t(1) << subItem)) {
        color = config.m_selectedColor;
    } else {
        return false;
    }
    return true;
}

void EraseBackground(QPainter& painter, const SkinLayout& layout, QSize client, const QRect& clip) {
    QRegion uncovered(clip);
    QRect r;
    for (int i = 0; i < int(layout.items().size()); ++i) {
        if (layout.GetItemRect(i, r, SUBITEM_WHOLE, client) && r.intersects(clip)) uncovered -= r;
    }
    for (const QRect& part : uncovered) painter.fillRect(part, kBackground);
}

void PaintConfiguration(QPainter& painter, const SkinLayout& layout, const CSkin& skin, const CMainDoc& doc,
                        QSize client, const QRect& clip, const PaintSelection& selection, bool outlines) {
    painter.save();
    ItemPainter itemPainter(painter, layout, skin, doc);
    QRect r;
    for (int i = 0; i < int(layout.items().size()); ++i) {
        if (!layout.GetItemRect(i, r, SUBITEM_WHOLE, client) || !r.intersects(clip)) continue;
        const int selSub = i == selection.selItem ? selection.selSubItem : -1;
        const int dropSub = i == selection.dropItem ? selection.dropSubItem : -1;
        itemPainter.Draw(i, r, selSub, dropSub, outlines);
    }
    painter.restore();
}
