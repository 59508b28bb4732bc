// The undo history of the configuration view: a snapshot of what is shown
// before the first step and after each step (the configuration is small),
// each step with the text that names it. Plain code: the view's undo stack
// drives it and tests check it without a window.
//
// The two "modified" flags follow the history: at the clean point (the last
// read, load or save) they are as they stood there; elsewhere a flag is set
// when a step between here and the clean point changed what it covers, so
// undoing past a save makes the document modified again.
#pragma once

#include "model/CMainDoc.h"

#include <QString>

#include <functional>
#include <vector>

// What the view shows: the document's content and the configuration each
// module item shows (which a module dialog sets together with the code).
struct EditState {
    DocContent doc;
    std::vector<int> configIndexes;
    bool operator==(const EditState&) const = default;
};

class EditHistory {
public:
    // The step's text in the current language, made when it is shown.
    using StepText = std::function<QString()>;

    // Empties the history; current becomes its start and its clean point.
    void Clear(const EditState& current);
    // Appends a step (dropping what was undone); false, with nothing
    // recorded, when the step changed nothing.
    bool Record(StepText text, const EditState& before, const EditState& after);
    // The state is saved: current (the state now) is the clean point.
    void SetClean(const EditState& current);

    bool CanUndo() const { return m_index > 0; }
    bool CanRedo() const { return m_index < Count(); }
    QString UndoText() const;
    QString RedoText() const;
    // Moves one step back or forward and returns the state to show, with
    // the modified flags the rule above gives. Only when CanUndo / CanRedo.
    EditState Undo();
    EditState Redo();

    int Count() const { return int(m_texts.size()); }
    int Index() const { return m_index; }
    // The index of the clean point; -1 once the steps that led to it were dropped.
    int CleanIndex() const { return m_cleanIndex; }

private:
    struct Touched {
        bool config = false;
        bool labels = false;
    };
    static Touched TouchedBy(const DocContent& before, const DocContent& after);
    EditState StateAt(int index) const;

    std::vector<EditState> m_states{EditState{}};  // m_states[i]: after step i (0: the start)
    std::vector<StepText> m_texts;                 // m_texts[i - 1]: the text of step i
    std::vector<Touched> m_touched;                // what step i changed, as it was made
    int m_index = 0;
    int m_cleanIndex = 0;
    EditState m_clean;  // the clean point, kept after its steps were dropped
};
