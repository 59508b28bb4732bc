#include "view/UndoStack.h"

#include <QUndoCommand>

// Undo and redo go through the history, which knows the modified flags of
// each point; the stack only orders the commands.
class CUndoStack::StepCommand : public QUndoCommand {
public:
    StepCommand(CUndoStack& owner, const QString& text) : QUndoCommand(text), m_owner(owner) {}
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
    CUndoStack& m_owner;
    bool m_pushed = true;
};

void CUndoStack::Clear(const EditState& current) {
    m_stack.clear();
    m_history.Clear(current);
}

bool CUndoStack::Record(CEditHistory::StepText text, const EditState& before, const EditState& after) {
    const QString shown = text ? text() : QString();
    if (!m_history.Record(std::move(text), before, after)) return false;
    m_stack.push(new StepCommand(*this, shown));
    return true;
}

void CUndoStack::SetClean(const EditState& current) {
    m_history.SetClean(current);
    m_stack.setClean();
}
