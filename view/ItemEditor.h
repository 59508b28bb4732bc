// The double-click edits of the view. Each dialog is filled from the
// document and the skin, run, and on OK its result goes into the document
// through the document's operations.
#pragma once

#include "view/MouseEdit.h"

#include <functional>

class CMainDoc;
class CSkin;
class EditDialog;
class QWidget;
class SkinLayout;
struct ViewItem;

// The dialog a double click on a place opens.
enum class ItemEdit { None, Module, InputLabel, AudioChannel, OutputSignal, PanelLabel };

class ItemEditor {
public:
    // Runs an edit dialog modally and returns IDOK when it was confirmed.
    using Runner = std::function<int(EditDialog&)>;

    // The dialogs are centred over parent.
    ItemEditor(CMainDoc& doc, SkinLayout& layout, const CSkin& skin, QWidget* parent);

    // What a double click on hit edits.
    ItemEdit EditFor(SubItemRef hit) const;
    // The edit of hit; true when the view must show a change.
    bool Open(SubItemRef hit);
    // Replaces how the dialogs are run (tests answer them without a modal
    // loop); an empty runner restores DoModal.
    void SetRunner(Runner runner);

private:
    bool EditModule(ViewItem& item);
    // An input's label, or with panel a panel input's; area is its place on the item.
    bool EditLabel(const ViewItem& item, int area, bool panel);
    bool EditAudioChannel(const ViewItem& item, int channel);
    bool EditOutputSignal(const ViewItem& item, int output);
    bool RunEditDialog(EditDialog& dialog);

    CMainDoc& m_doc;
    SkinLayout& m_layout;
    const CSkin& m_skin;
    QWidget* m_parent;
    Runner m_run;
};
