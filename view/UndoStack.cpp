#include "view/UndoStack.h"

#include <QUndoCommand>

// Undo and redo go through the history, which knows the modified flags of
// each point; the stack only orders the commands.
class UndoStack::StepCommand : public QUndoCommand {
public:
    StepCommand(UndoStack& owner, const QString& text) : QUndoCommand(text), m_owner(owner) {}
    void undo() override { m_owner.m_apply(m_owner.m_history.Undo()); }
    void redo() override {
        // Pushing redoes the command: its change has been made already.
        if (m_pushed) {
            m_pushed = false;
            return;
        }
        m_owner.m_apply(m_owner.m_history.Redo());
    }

private:
    UndoStack& m_owner;
    bool m_pushed = true;
};

void UndoStack::Clear(const EditState& current) {
    m_stack.clear();
    m_history.Clear(current);
}

bool UndoStack::Record(EditHistory::StepText text, const EditState& before, const EditState& after) {
    const QString shown = text ? text() : QString();
    if (!m_history.Record(std::move(text), before, after)) return false;
    m_stack.push(new StepCommand(*this, shown));
    return true;
}

void UndoStack::SetClean(const EditState& current) {
    m_history.SetClean(current);
    m_stack.setClean();
}
