// The view's undo stack: Qt's undo stack in front of the snapshot history.
// Each recorded step becomes one command on the stack; undoing or redoing it
// moves the history and hands the state to show to the view.
#pragma once

#include "view/EditHistory.h"

#include <QUndoStack>

#include <functional>

class UndoStack {
public:
    using ApplyState = std::function<void(const EditState&)>;

    explicit UndoStack(ApplyState apply) : m_apply(std::move(apply)) {}
    // Qt's stack empties itself as it goes: nobody is told any more.
    ~UndoStack() { m_stack.blockSignals(true); }
    UndoStack(const UndoStack&) = delete;
    UndoStack& operator=(const UndoStack&) = delete;

    // Empty, with current as the clean point (a configuration read, loaded or closed).
    void Clear(const EditState& current);
    // One step from before to after, already made; false when it changed nothing.
    bool Record(EditHistory::StepText text, const EditState& before, const EditState& after);
    // The configuration was saved as it is now.
    void SetClean(const EditState& current);

    void Undo() { m_stack.undo(); }
    void Redo() { m_stack.redo(); }
    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    QString UndoText() const { return m_history.UndoText(); }
    QString RedoText() const { return m_history.RedoText(); }

    QUndoStack& Stack() { return m_stack; }
    const EditHistory& History() const { return m_history; }

private:
    class StepCommand;

    EditHistory m_history;
    QUndoStack m_stack;
    ApplyState m_apply;
};
