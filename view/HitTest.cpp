#include "view/HitTest.h"

#include "model/CMainDoc.h"
#include "skin/SkinLayout.h"

#include <algorithm>

namespace {

bool Contains(const SkinLayout& layout, int item, int sub, QPoint point, QSize client) {
    QRect rect;
    return layout.GetItemRect(item, rect, sub, client) && SkinRectContains(rect, point);
}

bool InRange(int value, int count) { return value >= 0 && value < count; }

LinkEnd ModuleSubItem(const ViewItem& item, const CMainDoc& doc, int sub) {
    const bool audio = sub >= SUBITEM_AUDIO;
    const int local = audio ? sub - SUBITEM_AUDIO : sub;
    if (local >= doc.GetInputCount(item.slot)) return {};
    const int input = doc.GetInputNumber(item.slot, local);
    if (!InRange(input, kUsableInputs)) return {};
    return {audio ? LinkRole::AudioChannel : LinkRole::ModuleInput, input};
}

}  // namespace

int HitItem(const SkinLayout& layout, QPoint point, int sub, QSize client) {
    const int count = int(layout.items().size());
    for (int item = 0; item < count; ++item)
        if (Contains(layout, item, sub, point, client)) return item;
    return -1;
}

int HitSubItem(const SkinLayout& layout, const CMainDoc& doc, int item, QPoint point, QSize client) {
    if (!InRange(item, int(layout.items().size()))) return -1;
    for (int sub : layout.items()[std::size_t(item)].SubItems())
        if (Contains(layout, item, sub, point, client)) return layout.IsSubItemEnabled(item, sub, doc) ? sub : -1;
    return -1;
}

SubItemRef HitTest(const SkinLayout& layout, const CMainDoc& doc, QPoint point, QSize client) {
    SubItemRef hit{HitItem(layout, point, SUBITEM_WHOLE, client), -1};
    if (hit.item == -1) return hit;
    hit.sub = HitSubItem(layout, doc, hit.item, point, client);
    if (hit.sub == -1) hit.item = HitItem(layout, point, SUBITEM_AREA, client);
    return hit;
}

LinkEnd ClassifySubItem(const SkinLayout& layout, const CMainDoc& doc, SubItemRef ref) {
    if (!ref.IsSubItem() || !InRange(ref.item, int(layout.items().size()))) return {};
    const ViewItem& item = layout.items()[std::size_t(ref.item)];
    switch (item.kind) {
    case ITEM_KEY_PANEL: return InRange(ref.sub, kKeyCount) ? LinkEnd{LinkRole::Key, ref.sub} : LinkEnd{};
    case ITEM_INPUT_PANEL:
        return InRange(ref.sub, kPanelInputCount) ? LinkEnd{LinkRole::PanelInput, ref.sub} : LinkEnd{};
    case ITEM_INPUT_MODULE: return ModuleSubItem(item, doc, ref.sub);
    case ITEM_OUTPUT_MODULE: return {LinkRole::Output, ref.sub};
    default: return {};
    }
}
