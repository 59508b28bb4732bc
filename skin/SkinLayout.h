// The configuration layout: the view's items (module row, input panel and key
// panel) placed from the document's configuration and the skin, and the
// rectangles of items and sub-items that painting, tooltips, hit testing and
// drag and drop share. Plain code: the view owns one SkinLayout, calls
// BuildLayout whenever the configuration is replaced, and does its own
// follow-up (selection reset, title, tooltips, repaint) around the call.
#pragma once

#include "skin/Skin.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <vector>

class CMainDoc;

enum ItemKind : int {
    ITEM_KEY_PANEL = 1,      // sub-item k = key k
    ITEM_INPUT_PANEL = 2,    // sub-item p = panel input p
    ITEM_CARD = 3,           // no sub-items
    ITEM_INPUT_MODULE = 4,   // sub-item j = module input j; 16 + j = audio channel j
    ITEM_OUTPUT_MODULE = 5,  // sub-item j = output j; 16 + j = audio channel j
};

// Sub-item numbers: 0..15 are input areas, SUBITEM_AUDIO + j audio area j.
enum : int {
    SUBITEM_WHOLE = -1,  // the whole item (the module's maximum picture size)
    SUBITEM_AREA = -2,   // the configuration's own area
    SUBITEM_AUDIO = 16,
};

struct ViewItem {
    int kind = 0;
    int slot = 0;                         // module slot 0..7; 0 for the panels and the card
    const CSkinModule* module = nullptr;  // never null in a built layout; not owned
    int configIndex = 0;                  // the shown configuration within module
    int x = 0;                            // layout coordinates of the top-left corner
    int y = 0;
    uint32_t mask = 0;  // selection: bit k = input sub-item k, bit 16 + j = audio sub-item j

    const CSkinConfig* config() const { return module ? module->GetConfig(configIndex) : nullptr; }
    // The sub-items its configuration has: inputs 0.., then SUBITEM_AUDIO +
    // channel, at most kMaxSkinSubItems of each.
    std::vector<int> SubItems() const;
};

class SkinLayout {
public:
    // Rebuilds the items and the layout size from the document and the skin.
    // Returns the warnings the user should see, as string IDs in the order to
    // show them: "no input modules" and "unknown module" (each at most once),
    // then the document's input-limit warning when it is due. The skin must
    // outlive the items (they point into it).
    std::vector<unsigned> BuildLayout(const CSkin& skin, CMainDoc& doc);
    void Clear();

    const std::vector<ViewItem>& items() const { return m_items; }
    std::vector<ViewItem>& items() { return m_items; }  // the view changes the masks
    // The scroll size W x H.
    QSize size() const { return m_size; }

    // How far the picture is moved to sit in the middle of a larger window.
    QPoint CentringOffset(QSize client) const;
    // Rectangle of an item (sub-item -1), its configuration area (-2), input
    // area k (0..15) or audio area j (16 + j) in view coordinates. False, with
    // an empty rectangle, when the item or that area does not exist.
    bool GetItemRect(int item, QRect& rect, int subItem, QSize client) const;
    // Whether a sub-item is usable: module inputs within the slot's count and
    // the first 16 inputs; panel inputs of usable inputs without embedded audio.
    bool IsSubItemEnabled(int item, int subItem, const CMainDoc& doc) const;
    // The number of audio areas of the module that holds input number n when
    // that slot carries embedded audio; 0 otherwise.
    int EmbeddedAudioCount(int input, const CMainDoc& doc) const;
    // Index of the input module item of a slot, or -1.
    int FindInputModuleItem(int slot) const;

private:
    struct RowState;
    bool AppendModuleItem(const CSkin& skin, ItemKind kind, int slot, int code, RowState& row);
    void AppendRowItem(ViewItem item, RowState& row);
    void PlaceItems(const RowState& row);

    std::vector<ViewItem> m_items;
    QSize m_size{100, 100};
};
