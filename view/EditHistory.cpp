#include "view/EditHistory.h"

#include <algorithm>

void EditHistory::Clear(const EditState& current) {
    m_states.assign(1, current);
    m_texts.clear();
    m_touched.clear();
    m_index = m_cleanIndex = 0;
    m_clean = current;
}

bool EditHistory::Record(StepText text, const EditState& before, const EditState& after) {
    if (before == after) return false;
    m_states.resize(std::size_t(m_index) + 1);
    m_texts.resize(std::size_t(m_index));
    m_touched.resize(std::size_t(m_index));
    // The state before may differ from the one kept here when something
    // outside the history changed the document (a save clears the flags):
    // going back to this point must give what really was shown.
    // A change made outside the history also leaves the clean point behind.
    if (m_cleanIndex > m_index || (m_cleanIndex == m_index && !(m_states.back() == before))) m_cleanIndex = -1;
    m_states.back() = before;
    m_states.push_back(after);
    m_texts.push_back(std::move(text));
    m_touched.push_back(TouchedBy(before.doc, after.doc));
    ++m_index;
    return true;
}

void EditHistory::SetClean(const EditState& current) {
    m_states[std::size_t(m_index)] = current;
    m_cleanIndex = m_index;
    m_clean = current;
}

namespace {
QString Shown(const EditHistory::StepText& text) { return text ? text() : QString(); }
}  // namespace

QString EditHistory::UndoText() const { return CanUndo() ? Shown(m_texts[std::size_t(m_index - 1)]) : QString(); }

QString EditHistory::RedoText() const { return CanRedo() ? Shown(m_texts[std::size_t(m_index)]) : QString(); }

EditState EditHistory::Undo() {
    if (CanUndo()) --m_index;
    return StateAt(m_index);
}

EditState EditHistory::Redo() {
    if (CanRedo()) ++m_index;
    return StateAt(m_index);
}

EditHistory::Touched EditHistory::TouchedBy(const DocContent& before, const DocContent& after) {
    return {(after.configModified && !before.configModified) || !before.SameDeviceData(after),
            (after.labelsModified && !before.labelsModified) || !before.SameLabels(after)};
}

EditState EditHistory::StateAt(int index) const {
    EditState state = m_states[std::size_t(index)];
    DocContent& doc = state.doc;
    if (index == m_cleanIndex) {
        doc.configModified = m_clean.doc.configModified;
        doc.labelsModified = m_clean.doc.labelsModified;
        return state;
    }
    Touched touched{m_clean.doc.configModified, m_clean.doc.labelsModified};
    if (m_cleanIndex >= 0) {
        // What the steps between the clean point and here changed.
        for (int i = std::min(index, m_cleanIndex); i < std::max(index, m_cleanIndex); ++i) {
            const Touched step = m_touched[std::size_t(i)];
            touched.config = touched.config || step.config;
            touched.labels = touched.labels || step.labels;
        }
    } else {
        // The saved state is on a branch that was dropped: what differs from
        // it, and what was modified when this state was recorded.
        touched.config = touched.config || doc.configModified || !doc.SameDeviceData(m_clean.doc);
        touched.labels = touched.labels || doc.labelsModified || !doc.SameLabels(m_clean.doc);
    }
    doc.configModified = touched.config;
    doc.labelsModified = touched.labels;
    return state;
}
