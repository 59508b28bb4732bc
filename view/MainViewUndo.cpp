// CMainView: undo and redo of the changes made with the mouse and the edit
// dialogs, and their commands.
#include "view/MainView.h"

#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "res/resource.h"

void CMainView::SetUpUndo() {
    m_mouse.SetEditRecorder([this](EditHistory::StepText text, const std::function<void()>& change) {
        RecordEdit(std::move(text), [&] {
            change();
            return true;
        });
    });
    if (!m_pFrame) return;
    // The buttons follow the stack as it moves.
    connect(&m_undo.Stack(), &QUndoStack::indexChanged, this, [this] { m_pFrame->RequestCommandUpdate(); });
}

EditState CMainView::CurrentEditState() const {
    EditState state{m_pDoc->Content(), {}};
    for (const ViewItem& item : m_layout.items()) state.configIndexes.push_back(item.configIndex);
    return state;
}

bool CMainView::RecordEdit(EditHistory::StepText text, const std::function<bool()>& change) {
    const EditState before = CurrentEditState();
    const bool result = change();
    m_undo.Record(std::move(text), before, CurrentEditState());
    return result;
}

void CMainView::ResetHistory() { m_undo.Clear(CurrentEditState()); }

void CMainView::MarkSaved() { m_undo.SetClean(CurrentEditState()); }

bool CMainView::EditAsOneStep(EditHistory::StepText text, const std::function<bool()>& change) {
    const bool changed = RecordEdit(std::move(text), change);
    if (changed) OnMouseChange();
    return changed;
}

// Shown as an edit shows its change. The selection goes: what it
// highlighted may no longer be linked.
void CMainView::ApplyEditState(const EditState& state) {
    m_pDoc->RestoreContent(state.doc);
    std::vector<ViewItem>& items = m_layout.items();
    for (std::size_t i = 0; i < items.size() && i < state.configIndexes.size(); ++i)
        items[i].configIndex = state.configIndexes[i];
    m_mouse.Reset();
    ::ClearMasks(m_layout);
    OnMouseChange();
    if (m_pDoc->TakeInputLimitWarning()) ShowWarnings({IDS_INPUT_LIMIT});
}

void CMainView::OnEditUndo() {
    if (m_undo.CanUndo()) m_undo.Undo();
}

void CMainView::OnEditRedo() {
    if (m_undo.CanRedo()) m_undo.Redo();
}
