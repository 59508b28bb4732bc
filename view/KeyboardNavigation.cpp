#include "view/KeyboardNavigation.h"

#include "model/CMainDoc.h"
#include "skin/SkinLayout.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool IsModule(int kind) { return kind == ITEM_INPUT_MODULE || kind == ITEM_OUTPUT_MODULE; }

// The enabled sub-items of one item and, for a module, its body. A body may
// cover the whole face plate, sub-items included; its anchor is a strip
// along its top, ending above the highest area of its sub-items (enabled or
// not) and no taller than the lowest of them, so that the bodies form the
// row of the module headers.
void AddItemStops(const SkinLayout& layout, const CMainDoc& doc, QSize client, int item,
                  std::vector<KeyboardStop>& stops) {
    const ViewItem& it = layout.items()[std::size_t(item)];
    QRect body;
    const bool hasBody = IsModule(it.kind) && layout.GetItemRect(item, body, SUBITEM_AREA, client);
    QRect anchor = body;
    for (int sub : SubItemsOf(it)) {
        QRect rect;
        if (!layout.GetItemRect(item, rect, sub, client)) continue;
        if (hasBody && rect.top() > anchor.top() && rect.top() <= anchor.bottom()) anchor.setBottom(rect.top() - 1);
        if (hasBody && rect.height() < anchor.height()) anchor.setHeight(rect.height());
        if (layout.IsSubItemEnabled(item, sub, doc)) stops.push_back({{item, sub}, rect, rect});
    }
    if (hasBody) stops.push_back({{item, -1}, body, anchor});
}

// Rows from top to bottom: a stop joins the row of the stop above it when its
// anchor starts above the middle of that row's first anchor, or its centre
// lies within that anchor's height (places a pixel or two apart in height
// still share a row).
void FormRows(std::vector<KeyboardStop>& stops) {
    std::stable_sort(stops.begin(), stops.end(),
                     [](const KeyboardStop& a, const KeyboardStop& b) { return a.anchor.top() < b.anchor.top(); });
    int row = -1;
    QRect head;
    for (KeyboardStop& stop : stops) {
        if (row < 0 || (stop.anchor.top() > head.center().y() && stop.anchor.center().y() > head.bottom())) {
            ++row;
            head = stop.anchor;
        }
        stop.row = row;
    }
    std::stable_sort(stops.begin(), stops.end(), [](const KeyboardStop& a, const KeyboardStop& b) {
        if (a.row != b.row) return a.row < b.row;
        return a.anchor.center().x() < b.anchor.center().x();
    });
}

}  // namespace

std::vector<int> SubItemsOf(const ViewItem& item) {
    return item.kind == ITEM_CARD ? std::vector<int>{} : item.SubItems();
}

std::vector<int> EnabledSubItems(const SkinLayout& layout, const CMainDoc& doc, int item) {
    std::vector<int> subs;
    if (item < 0 || std::size_t(item) >= layout.items().size()) return subs;
    for (int sub : SubItemsOf(layout.items()[std::size_t(item)]))
        if (layout.IsSubItemEnabled(item, sub, doc)) subs.push_back(sub);
    return subs;
}

std::vector<KeyboardStop> KeyboardStops(const SkinLayout& layout, const CMainDoc& doc, QSize client) {
    std::vector<KeyboardStop> stops;
    for (int item = 0; item < int(layout.items().size()); ++item) AddItemStops(layout, doc, client, item, stops);
    FormRows(stops);
    return stops;
}

const KeyboardStop* FindStop(const std::vector<KeyboardStop>& stops, SubItemRef ref) {
    const auto it = std::find_if(stops.begin(), stops.end(), [&](const KeyboardStop& s) { return s.ref == ref; });
    return it == stops.end() ? nullptr : &*it;
}

SubItemRef MoveStop(const std::vector<KeyboardStop>& stops, SubItemRef from, KeyMove move, const StopFilter& allowed) {
    auto ok = [&](const KeyboardStop& stop) { return !allowed || allowed(stop.ref); };
    const auto first = std::find_if(stops.begin(), stops.end(), ok);
    if (first == stops.end()) return {};
    const auto last = std::find_if(stops.rbegin(), stops.rend(), ok);
    const KeyboardStop* current = FindStop(stops, from);
    if (move == KeyMove::Last) return last->ref;
    if (move == KeyMove::First || !current) return first->ref;

    const int index = int(current - stops.data());
    const int count = int(stops.size());
    if (move == KeyMove::Left || move == KeyMove::Right) {
        const int step = move == KeyMove::Right ? 1 : -1;
        for (int i = index + step; i >= 0 && i < count; i += step)
            if (ok(stops[std::size_t(i)])) return stops[std::size_t(i)].ref;
        return from;
    }
    // Up or Down: the nearest stop straight above or below, that is one
    // whose anchor shares some of the current one's columns; where there is
    // none, the horizontally nearest one in the next row with an allowed stop.
    const int step = move == KeyMove::Down ? 1 : -1;
    const QRect at = current->anchor;
    auto beyond = [&](const KeyboardStop& stop) { return (stop.row - current->row) * step > 0 && ok(stop); };
    const KeyboardStop* best = nullptr;
    for (const KeyboardStop& stop : stops) {  // in reading order: on a tie the left one wins
        if (!beyond(stop) || stop.anchor.left() > at.right() || at.left() > stop.anchor.right()) continue;
        if (!best || std::abs(stop.anchor.top() - at.top()) < std::abs(best->anchor.top() - at.top())) best = &stop;
    }
    if (best) return best->ref;
    auto distance = [x = at.center().x()](const KeyboardStop& stop) { return std::abs(stop.anchor.center().x() - x); };
    for (int i = index + step; i >= 0 && i < count; i += step) {
        const KeyboardStop& stop = stops[std::size_t(i)];
        if (!beyond(stop)) continue;
        if (best && stop.row != best->row) break;
        if (!best || distance(stop) < distance(*best) || (step < 0 && distance(stop) == distance(*best))) best = &stop;
    }
    return best ? best->ref : from;
}
