#include <QPainter>

#include "tools/skingen/ContactSheet.h"
#include "tools/skingen/SheetPainting.h"

// A typical configuration composed like the configuration view: module row
// (input slots 7..0, card, output slots 0..7), input panel, key panel, with
// labels filled in and a few outlines, to judge how the pictures compose.
namespace skingen {
namespace {

constexpr int kUsableInputs = 16;

struct Slot {
    int code;
    int inputCount;
};

// Input slots 0..4 (the rest empty) and output slots 0..3.
const Slot kInputSlots[] = {{16, 8}, {32, 4}, {64, 4}, {81, 2}, {201, 0}};
const int kOutputCodes[] = {128, 144, 177, 222};

const QStringList kInputNames = {
    "Studio Camera 1",    "Studio Camera 2", "Jib Camera",     "REMOTE FEED LINE 12", "Robo Cam Desk", "Graphics Fill",
    "Graphics Key",       "Playout A",       "Playout B",      "Laptop Presenter",    "Video Wall",    "Skype Return",
    "Satellite Downlink", "Drone",           "Archive Server", "Test Signal",         "Spare 17",      "Spare 18"};
const QStringList kPanelNames = {"Mic 1",         "Mic 2",       "Mic 3",         "Mic 4",     "Mic 5",  "Mic 6",
                                 "Mic 7",         "Mic 8",       "Mic 9",         "Mic 10",    "Mic 11", "Mic 12",
                                 "Sat Audio L/R", "Drone Audio", "Archive Audio", "1 kHz Tone"};

struct Found {
    const ModuleDef* module = nullptr;
    const ConfigDef* config = nullptr;
};

Found FindId(const Catalogue& skin, int id) {
    for (const ModuleDef& m : skin.modules)
        for (const ConfigDef& c : m.configs)
            if (c.id == id) return {&m, &c};
    return {};
}

QSize MaxSize(const ModuleDef& m) {
    QSize s(0, 0);
    for (const ConfigDef& c : m.configs) s = s.expandedTo(c.image.size());
    return s;
}

struct Placed {
    Found what;
    QPoint at;
    int kind;  // 1 key panel, 2 input panel, 3 card, 4 input module, 5 output module
    int slot;
};

int FirstInputOf(int slot) {
    int n = 0;
    for (int s = 0; s < slot; ++s) n += kInputSlots[s].inputCount;
    return n;
}

bool InputHasEmbeddedAudio(const Catalogue& skin, int input) {
    for (int s = 0; s < 5; ++s)
        if (input < FirstInputOf(s) + kInputSlots[s].inputCount) {
            const Found f = FindId(skin, kInputSlots[s].code);
            return f.module && f.module->audio == 2 && !f.config->audio.isEmpty();
        }
    return false;
}

QString InputLabel(int n) { return n < kInputNames.size() ? kInputNames[n] : QString("IN%1").arg(n + 1); }

// Text and disabled state of label g of area e, as the view decides them.
std::pair<QString, bool> LabelText(const Catalogue& skin, const Placed& item, int e, int g) {
    const auto signalText = [&](int e2) { return skin.signalNames[(item.slot * 4 + e2) % skin.signalNames.size()]; };
    switch (item.kind) {
    case 1: {
        const bool audio = InputHasEmbeddedAudio(skin, e);
        const QString texts[3] = {QString::number(e + 1), InputLabel(e), audio ? InputLabel(e) : kPanelNames[e]};
        return {g < 3 ? texts[g] : QString(), false};
    }
    case 2: return {kPanelNames[e], e >= kUsableInputs || InputHasEmbeddedAudio(skin, e)};
    case 4: {
        const int m = FirstInputOf(item.slot) + e;
        const bool off = e >= kInputSlots[item.slot].inputCount || m >= kUsableInputs;
        return {g == 0 ? QString::number(m + 1) : g == 1 ? InputLabel(m) : QString(), off};
    }
    case 5: return {g == 0 ? QString::number(e + 1) : g == 1 ? signalText(e) : QString(), false};
    default: return {QString(), false};
    }
}

void DrawItem(QPainter& p, const Catalogue& skin, const Placed& item) {
    const ConfigDef& c = *item.what.config;
    p.drawImage(item.at, c.image);
    if (item.kind == 4 || item.kind == 5)
        for (const LabelBox& l : c.labels)
            PaintLabel(p, l, l.box.translated(item.at), QString::number(item.slot + 1), false);
    for (int e = 0; e < c.inputs.size(); ++e)
        for (int g = 0; g < c.inputs[e].labels.size(); ++g) {
            const auto [text, disabled] = LabelText(skin, item, e, g);
            PaintLabel(p, c.inputs[e].labels[g], c.inputs[e].labels[g].box.translated(item.at), text, disabled);
        }
}

QList<Placed> Layout(const Catalogue& skin, QSize* size) {
    const Found keys = FindId(skin, SKIN_ID_KEY_PANEL), panel = FindId(skin, SKIN_ID_INPUT_PANEL);
    if (!keys.module || !panel.module) return {};
    QList<Placed> items{{keys, {}, 1, 0}, {panel, {}, 2, 0}};
    int x = 0, rowHeight = 0;
    auto append = [&](Found f, int kind, int slot) {
        items.append({f, QPoint(x, 20), kind, slot});
        x += MaxSize(*f.module).width();
        rowHeight = std::max(rowHeight, MaxSize(*f.module).height());
    };
    for (int s = 4; s >= 0; --s) {
        const Found f = FindId(skin, kInputSlots[s].code);
        append(f.module ? f : FindId(skin, SKIN_ID_UNKNOWN_INPUT), 4, s);
    }
    append(FindId(skin, SKIN_ID_CARD), 3, 0);
    for (int s = 0; s < 4; ++s) {
        const Found f = FindId(skin, kOutputCodes[s]);
        append(f.module ? f : FindId(skin, SKIN_ID_UNKNOWN_OUTPUT), 5, s);
    }
    const QSize keySize = MaxSize(*keys.module), panelSize = MaxSize(*panel.module);
    const int w = std::max({keySize.width(), panelSize.width(), x}) + 40;
    for (int i = 2; i < items.size(); ++i) items[i].at.rx() += (w - x) / 2;
    items[1].at = QPoint((w - panelSize.width()) / 2, rowHeight + 40);
    items[0].at = QPoint((w - keySize.width()) / 2, panelSize.height() + rowHeight + 60);
    *size = QSize(w, keySize.height() + panelSize.height() + rowHeight + 80);
    return items;
}

}  // namespace

QImage RenderViewPreview(const Catalogue& skin) {
    QSize size;
    const QList<Placed> items = Layout(skin, &size);
    QImage image(size.expandedTo(QSize(100, 100)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    for (const Placed& item : items) DrawItem(p, skin, item);
    if (items.size() < 7) return image;
    // Selected input 3 of slot 0, its key and embedded audio marked, a drop target on key 6.
    const Placed &sdi = items[6], &keys = items[0];
    const ConfigDef &sdiConfig = *sdi.what.config, &keysConfig = *keys.what.config;
    PaintXorOutline(p, sdiConfig.inputs[2].rect.translated(sdi.at), sdiConfig.focusedPen);
    if (!sdiConfig.audio.isEmpty())
        PaintXorOutline(p, sdiConfig.audio[2].rect.translated(sdi.at), sdiConfig.selectedPen);
    PaintXorOutline(p, keysConfig.inputs[2].rect.translated(keys.at), keysConfig.selectedPen);
    PaintXorOutline(p, keysConfig.inputs[5].rect.translated(keys.at), keysConfig.dropTargetPen);
    return image;
}

}  // namespace skingen
