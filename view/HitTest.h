// Hit testing of the configuration view: which item and which usable
// sub-item lies under a point, and what a sub-item stands for when keys,
// inputs and panel inputs are linked. Plain code on the layout and the
// document, so the rules can be checked without a window.
//
// Points are in view coordinates: a client point plus the scroll position,
// the coordinates SkinLayout::GetItemRect gives (centring included).
#pragma once

#include <QPoint>
#include <QSize>

class CMainDoc;
class SkinLayout;

// An item and one of its sub-items; -1 for none (a sub-item of -1 is the
// whole item, the module body).
struct SubItemRef {
    int item = -1;
    int sub = -1;

    bool operator==(const SubItemRef&) const = default;
    // Both parts set: an input, key, panel input, output or audio channel.
    bool IsSubItem() const { return item != -1 && sub != -1; }
    bool IsSet() const { return item != -1 || sub != -1; }
};

// The first item, in item order, whose rectangle for sub (SUBITEM_WHOLE or
// SUBITEM_AREA) contains the point; -1 when none does.
int HitItem(const SkinLayout& layout, QPoint point, int sub, QSize client);

// The input areas of the item's configuration in order, then its audio
// areas: at the first one that contains the point, that sub-item when it is
// enabled, otherwise -1. -1 when no area contains the point.
int HitSubItem(const SkinLayout& layout, const CMainDoc& doc, int item, QPoint point, QSize client);

// The item under the point and its enabled sub-item; where the sub-item is
// missing or disabled, whatever configuration area lies there (so a click
// on a disabled input picks its module), with sub-item -1.
SubItemRef HitTest(const SkinLayout& layout, const CMainDoc& doc, QPoint point, QSize client);

// What a sub-item stands for when linking.
enum class LinkRole {
    None,          // nothing selected, the card, an item without that area
    Key,           // number: key 0..15
    PanelInput,    // number: panel input 0..15
    ModuleInput,   // number: input number
    AudioChannel,  // number: input number of the channel's input
    Output,        // number: output of the slot (never linked)
};

struct LinkEnd {
    LinkRole role = LinkRole::None;
    int number = -1;
    bool operator==(const LinkEnd&) const = default;
};

// The role of a sub-item. Keys and panel inputs beyond the 16 the device
// has, and inputs beyond the first 16, stand for nothing.
LinkEnd ClassifySubItem(const SkinLayout& layout, const CMainDoc& doc, SubItemRef ref);
