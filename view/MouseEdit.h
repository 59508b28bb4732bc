// The selection, drop target and drag state of the configuration view and
// the rules that move them: a click selects and highlights what is linked, a
// move with the button held drags, a release drops and links; plus the choice
// of cursor. Plain code: the view turns mouse events into hit-tested calls
// here and repaints when a call reports a change.
#pragma once

#include "view/HitTest.h"
#include "view/LinkTable.h"

#include <QString>

#include <functional>

class CMainDoc;
class SkinLayout;

// The view's cursors by index (resources 134..138), or the window's own.
enum ViewCursor : int {
    CURSOR_DEFAULT = -1,
    CURSOR_POINT = 0,      // over a module: a double click edits it
    CURSOR_OPEN_HAND = 1,  // over a sub-item that can be picked up
    CURSOR_GRAB = 2,       // dragging, over the dragged sub-item itself
    CURSOR_NO_DROP = 3,    // dragging, over no valid target
    CURSOR_DROP = 4,       // dragging, over a valid target
    kViewCursorCount = 5,
};

struct DragOutcome {
    bool changed = false;                   // selection, target or document changed: repaint
    DropResult link = DropResult::Nothing;  // what a drop onto a target did
};

class MouseEdit {
public:
    // Makes a document change as one step named by text (the view records
    // it for undo); without one the change is simply made.
    using EditRecorder = std::function<void(std::function<QString()> text, const std::function<void()>& change)>;

    // Both must outlive this object.
    MouseEdit(SkinLayout& layout, CMainDoc& doc) : m_layout(layout), m_doc(doc) {}
    // Every link a drop makes goes through the recorder.
    void SetEditRecorder(EditRecorder recorder) { m_record = std::move(recorder); }

    // Nothing selected, no target, not dragging (after the layout is rebuilt).
    void Reset();

    SubItemRef Selection() const { return {m_selItem, m_selSub}; }
    SubItemRef DropTarget() const { return {m_dropItem, m_dropSub}; }
    bool IsDragging() const { return m_dragging; }

    // A click on hit: a different hit becomes the selection and its links are
    // highlighted; true when the selection changed. The same hit changes nothing.
    bool Select(SubItemRef hit);

    // A move with the button held (drop false), or the release (drop true),
    // over hit. The first move after pressing on any sub-item but an output
    // starts the drag; a drop onto a valid target links and clears the
    // selection, a drop without one keeps it.
    DragOutcome Drag(SubItemRef hit, bool drop);
    // Ends a drag without a drop: the target goes, the selection stays. True
    // when a target was shown (repaint).
    bool CancelDrag();

    // The cursor over hit in the current state.
    int ChooseCursor(SubItemRef hit) const;
    // A sub-item, not an output, not the selection itself.
    bool IsValidDropTarget(SubItemRef hit) const;

private:
    bool IsOutput(int item) const;
    bool UpdateDropTarget(SubItemRef hit);
    DropResult DropOnTarget();

    SkinLayout& m_layout;
    CMainDoc& m_doc;
    EditRecorder m_record;
    int m_selItem = -1;
    int m_selSub = -1;
    int m_dropItem = -1;
    int m_dropSub = -1;
    bool m_dragging = false;
};
