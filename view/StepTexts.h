// The names of undo steps, such as "Link key 3 to input 5": made from what
// was dropped or edited before the change, fetched in the language current
// when they are shown.
#pragma once

#include "view/EditHistory.h"
#include "view/HitTest.h"

struct ViewItem;

// A drop of dragged onto target (as DropLink carries it out).
EditHistory::StepText DropStepText(LinkEnd dragged, LinkEnd target);
// The edit dialog of an item's sub-item (-1: the module itself).
EditHistory::StepText DialogStepText(const CMainDoc& doc, const ViewItem& item, int sub);
