#include "skin/SkinLayout.h"

#include "model/CMainDoc.h"
#include "res/resource.h"

#include <algorithm>

namespace {

constexpr int kMargin = 20;  // around the picture and between its three rows
constexpr QSize kEmptySize{100, 100};

const QRect* SubItemArea(const CSkinConfig& config, int subItem) {
    if (subItem == SUBITEM_AREA) return &config.m_area;
    if (subItem >= 0 && subItem < SUBITEM_AUDIO) {
        return std::size_t(subItem) < config.m_inputs.size() ? &config.m_inputs[std::size_t(subItem)].m_area : nullptr;
    }
    const int channel = subItem - SUBITEM_AUDIO;
    if (channel >= 0 && channel < kMaxSkinSubItems && std::size_t(channel) < config.m_audio.size())
        return &config.m_audio[std::size_t(channel)].m_area;
    return nullptr;
}

}  // namespace

std::vector<int> ViewItem::SubItems() const {
    std::vector<int> subs;
    const CSkinConfig* shown = config();
    if (!shown) return subs;
    const int inputs = std::min<int>(int(shown->m_inputs.size()), kMaxSkinSubItems);
    const int audio = std::min<int>(int(shown->m_audio.size()), kMaxSkinSubItems);
    for (int s = 0; s < inputs; ++s) subs.push_back(s);
    for (int j = 0; j < audio; ++j) subs.push_back(SUBITEM_AUDIO + j);
    return subs;
}

// The module row while it is being assembled from left to right.
struct SkinLayout::RowState {
    int width = 0;
    int height = 0;
    bool noInputModules = true;
    bool unknownModule = false;
};

void SkinLayout::Clear() {
    m_items.clear();
    m_size = kEmptySize;
}

std::vector<unsigned> SkinLayout::BuildLayout(const CSkin& skin, CMainDoc& doc) {
    m_items.clear();
    if (!doc.hasConfig()) {
        m_size = kEmptySize;
        return {};
    }
    const CSkinModule* keyPanel = skin.FindModuleByConfigID(SKIN_ID_KEY_PANEL);
    const CSkinModule* inputPanel = skin.FindModuleByConfigID(SKIN_ID_INPUT_PANEL);
    if (!keyPanel || !inputPanel) return {};  // nothing can be shown without both panels
    m_items.push_back(ViewItem{ITEM_KEY_PANEL, 0, keyPanel, 0, 0, 0, 0});
    m_items.push_back(ViewItem{ITEM_INPUT_PANEL, 0, inputPanel, 0, 0, 0, 0});

    RowState row;
    for (int slot = kSlotCount - 1; slot >= 0; --slot) {  // slot 7 is leftmost
        const int code = doc.GetModuleCode(slot);
        if (code == 0) continue;
        row.noInputModules = false;
        AppendModuleItem(skin, ITEM_INPUT_MODULE, slot, code, row);
    }
    // A skin without the card simply leaves no gap between the two groups.
    if (const CSkinModule* card = skin.FindModuleByConfigID(SKIN_ID_CARD))
        AppendRowItem(ViewItem{ITEM_CARD, 0, card, 0, 0, 0, 0}, row);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int code = doc.GetOutputModuleCode(slot);
        if (code != 0) AppendModuleItem(skin, ITEM_OUTPUT_MODULE, slot, code, row);
    }
    PlaceItems(row);

    std::vector<unsigned> warnings;
    if (row.noInputModules) warnings.push_back(IDS_NO_INPUT_MODULES);
    if (row.unknownModule) warnings.push_back(IDS_UNKNOWN_MODULE);
    if (doc.TakeInputLimitWarning()) warnings.push_back(IDS_INPUT_LIMIT);
    return warnings;
}

bool SkinLayout::AppendModuleItem(const CSkin& skin, ItemKind kind, int slot, int code, RowState& row) {
    const CSkinModule* module = skin.FindModuleByConfigID(code);
    int configIndex = module ? module->FindConfigIndex(code) : 0;
    if (!module) {
        row.unknownModule = true;
        module = skin.FindModuleByConfigID(kind == ITEM_INPUT_MODULE ? SKIN_ID_UNKNOWN_INPUT : SKIN_ID_UNKNOWN_OUTPUT);
        configIndex = 0;
    }
    if (!module) return false;  // no fall-back picture either: the slot is left out
    AppendRowItem(ViewItem{kind, slot, module, configIndex, 0, 0, 0}, row);
    return true;
}

void SkinLayout::AppendRowItem(ViewItem item, RowState& row) {
    item.x = row.width;
    row.width += item.module->m_maxWidth;
    row.height = std::max(row.height, item.module->m_maxHeight);
    m_items.push_back(item);
}

void SkinLayout::PlaceItems(const RowState& row) {
    ViewItem& keyPanel = m_items[0];
    ViewItem& inputPanel = m_items[1];
    const int panelWidth = std::max(keyPanel.module->m_maxWidth, inputPanel.module->m_maxWidth);
    const int keyHeight = keyPanel.module->m_maxHeight;
    const int panelHeight = inputPanel.module->m_maxHeight;
    const int width = std::max(panelWidth, row.width) + 2 * kMargin;
    m_size = QSize(width, keyHeight + panelHeight + row.height + 4 * kMargin);

    for (std::size_t i = 2; i < m_items.size(); ++i) {
        m_items[i].x += (width - row.width) / 2;
        m_items[i].y = kMargin;
    }
    inputPanel.x = (width - inputPanel.module->m_maxWidth) / 2;
    inputPanel.y = row.height + 2 * kMargin;
    keyPanel.x = (width - keyPanel.module->m_maxWidth) / 2;
    keyPanel.y = panelHeight + row.height + 3 * kMargin;
}

QPoint SkinLayout::CentringOffset(QSize client) const {
    return QPoint(std::max(0, (client.width() - m_size.width()) / 2),
                  std::max(0, (client.height() - m_size.height()) / 2));
}

bool SkinLayout::GetItemRect(int item, QRect& rect, int subItem, QSize client) const {
    rect = QRect();
    if (item < 0 || std::size_t(item) >= m_items.size()) return false;
    const ViewItem& it = m_items[std::size_t(item)];
    QRect local;
    if (subItem == SUBITEM_WHOLE) {
        local = QRect(it.x, it.y, it.module->m_maxWidth, it.module->m_maxHeight);
    } else {
        const CSkinConfig* config = it.config();
        const QRect* area = config ? SubItemArea(*config, subItem) : nullptr;
        if (!area) return false;
        local = area->translated(it.x, it.y);
    }
    rect = local.translated(CentringOffset(client));
    return true;
}

bool SkinLayout::IsSubItemEnabled(int item, int subItem, const CMainDoc& doc) const {
    if (item < 0 || std::size_t(item) >= m_items.size()) return false;
    if (subItem < 0) return true;  // the whole item and its area
    const ViewItem& it = m_items[std::size_t(item)];
    const int s = subItem % SUBITEM_AUDIO;  // audio channel j is judged as input j
    const int usable = doc.GetTotalInputs(false);
    switch (it.kind) {
    case ITEM_INPUT_MODULE: return s < doc.GetInputCount(it.slot) && doc.GetInputNumber(it.slot, s) < usable;
    case ITEM_INPUT_PANEL: return s < usable && EmbeddedAudioCount(s, doc) == 0;
    default: return true;
    }
}

int SkinLayout::EmbeddedAudioCount(int input, const CMainDoc& doc) const {
    const int slot = doc.GetSlotOfInput(input);
    if (slot < 0 || slot >= kSlotCount || doc.image().audioKinds[slot] == 0) return 0;
    const int item = FindInputModuleItem(slot);
    const CSkinConfig* config = item >= 0 ? m_items[std::size_t(item)].config() : nullptr;
    return config ? int(config->m_audio.size()) : 0;
}

int SkinLayout::FindInputModuleItem(int slot) const {
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].kind == ITEM_INPUT_MODULE && m_items[i].slot == slot) return int(i);
    }
    return -1;
}
