#include "view/MouseEdit.h"

#include "skin/SkinLayout.h"
#include "view/StepTexts.h"

void MouseEdit::Reset() {
    m_selItem = m_selSub = m_dropItem = m_dropSub = -1;
    m_dragging = false;
}

bool MouseEdit::IsOutput(int item) const {
    const auto& items = m_layout.items();
    return item >= 0 && std::size_t(item) < items.size() && items[std::size_t(item)].kind == ITEM_OUTPUT_MODULE;
}

bool MouseEdit::Select(SubItemRef hit) {
    if (hit == Selection()) return false;
    ClearMasks(m_layout);
    if (hit.IsSubItem()) {
        MarkSelectionLinks(m_layout, m_doc, ClassifySubItem(m_layout, m_doc, hit));
        m_layout.items()[std::size_t(hit.item)].mask |= uint32_t(1) << (hit.sub % 32);
    }
    m_selItem = hit.item;
    m_selSub = hit.sub;
    return true;
}

bool MouseEdit::IsValidDropTarget(SubItemRef hit) const {
    return hit.IsSubItem() && !IsOutput(hit.item) && hit != Selection();
}

bool MouseEdit::UpdateDropTarget(SubItemRef hit) {
    if (hit == DropTarget()) return false;
    if (IsValidDropTarget(hit)) {
        m_dropItem = hit.item;
        m_dropSub = hit.sub;
        return true;
    }
    const bool wasSet = DropTarget().IsSet();
    m_dropItem = m_dropSub = -1;
    return wasSet;
}

DropResult MouseEdit::DropOnTarget() {
    const LinkEnd dragged = ClassifySubItem(m_layout, m_doc, Selection());
    const LinkEnd target = ClassifySubItem(m_layout, m_doc, DropTarget());
    DropResult link = DropResult::Nothing;
    const auto change = [&] { link = DropLink(m_doc, dragged, target); };
    if (m_record)
        m_record(DropStepText(dragged, target), change);
    else
        change();
    m_selItem = m_selSub = m_dropItem = m_dropSub = -1;
    ClearMasks(m_layout);
    return link;
}

DragOutcome MouseEdit::Drag(SubItemRef hit, bool drop) {
    if (!m_dragging && Selection().IsSubItem() && !IsOutput(m_selItem)) {
        m_dragging = true;
        m_dropItem = m_dropSub = -1;
    }
    DragOutcome outcome;
    if (!m_dragging) return outcome;
    outcome.changed = UpdateDropTarget(hit);
    if (drop) {
        if (DropTarget().IsSet()) {
            outcome.link = DropOnTarget();
            outcome.changed = true;
        }
        m_dragging = false;
    }
    return outcome;
}

bool MouseEdit::CancelDrag() {
    const bool wasSet = DropTarget().IsSet();
    m_dropItem = m_dropSub = -1;
    m_dragging = false;
    return wasSet;
}

int MouseEdit::ChooseCursor(SubItemRef hit) const {
    if (m_dragging) {
        if (DropTarget().IsSet()) return CURSOR_DROP;
        return hit == Selection() ? CURSOR_GRAB : CURSOR_NO_DROP;
    }
    // An output cannot be dragged: after pressing on one the hand stays open.
    if (Selection().IsSubItem() && IsOutput(m_selItem)) return CURSOR_OPEN_HAND;
    if (hit.item == -1) return CURSOR_DEFAULT;
    if (hit.sub != -1) return CURSOR_OPEN_HAND;
    const int kind = m_layout.items()[std::size_t(hit.item)].kind;
    return kind == ITEM_INPUT_MODULE || kind == ITEM_OUTPUT_MODULE ? CURSOR_POINT : CURSOR_DEFAULT;
}
