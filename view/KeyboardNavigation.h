// The places of the configuration view the keyboard moves between, in the
// order the eye reads them: every module body that a double click edits and
// every enabled sub-item, gathered into rows from top to bottom and ordered
// left to right within a row. The same list gives the accessible children of
// the view. Plain code on the layout and the document, in view coordinates.
#pragma once

#include "view/HitTest.h"

#include <QRect>
#include <QSize>

#include <functional>
#include <vector>

class CMainDoc;
class SkinLayout;
struct ViewItem;

// The sub-items an item has areas for: its inputs in order, then its audio
// channels; none for the card, whose areas stand for nothing.
std::vector<int> SubItemsOf(const ViewItem& item);
// Those of an item's sub-items that are enabled.
std::vector<int> EnabledSubItems(const SkinLayout& layout, const CMainDoc& doc, int item);

struct KeyboardStop {
    SubItemRef ref;  // a module body has sub-item -1
    QRect rect;      // what the stop stands for: its area (a body: its configuration area)
    QRect anchor;    // where the stop sits when rows are formed (a body: above its connectors)
    int row = 0;     // 0 = the top row
};

// The stops in reading order. A module body's anchor is the part of its
// configuration area above its first sub-item, so a body that covers the
// whole face plate still comes before the connectors on it. The card and the
// panels are not stops: nothing there can be edited as a whole.
std::vector<KeyboardStop> KeyboardStops(const SkinLayout& layout, const CMainDoc& doc, QSize client);

// The stop of a reference in stops, or nullptr.
const KeyboardStop* FindStop(const std::vector<KeyboardStop>& stops, SubItemRef ref);

enum class KeyMove { Left, Right, Up, Down, First, Last };

// The stop a key moves to from `from` among the stops that `allowed` accepts
// (all when it is empty): Left and Right the previous and next in reading
// order; Up and Down the nearest one straight above or below (sharing some
// of its columns), else the horizontally closest in the nearest row that
// way; First and Last the ends. Where there is none in that direction, from
// itself; from a reference that is no stop, the first (Last: the last)
// allowed stop; {-1, -1} when no stop is allowed.
using StopFilter = std::function<bool(SubItemRef)>;
SubItemRef MoveStop(const std::vector<KeyboardStop>& stops, SubItemRef from, KeyMove move,
                    const StopFilter& allowed = {});
