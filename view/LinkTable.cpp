#include "view/LinkTable.h"

#include "model/CMainDoc.h"
#include "skin/SkinLayout.h"

#include <string>

namespace {

constexpr int kKeyPanelItem = 0;
constexpr int kInputPanelItem = 1;

bool IsLinkable(int number) { return number >= 0 && number < kUsableInputs; }

class LinkMarker {
public:
    LinkMarker(SkinLayout& layout, const CMainDoc& doc) : m_layout(layout), m_doc(doc) {}

    void MarkInput(int input) {
        if (!IsLinkable(input)) return;
        SetBit(m_layout.FindInputModuleItem(m_doc.GetSlotOfInput(input)), m_doc.GetLocalIndex(input));
    }
    // Panel input p, or the embedded audio of input p that stands in for it.
    void MarkPanelSource(int panelInput) {
        if (!IsLinkable(panelInput)) return;
        if (m_layout.EmbeddedAudioCount(panelInput, m_doc) == 0) {
            SetBit(kInputPanelItem, panelInput, ITEM_INPUT_PANEL);
        } else {
            SetBit(m_layout.FindInputModuleItem(m_doc.GetSlotOfInput(panelInput)),
                   SUBITEM_AUDIO + m_doc.GetLocalIndex(panelInput));
        }
    }
    void MarkKey(int key) {
        if (key >= 0 && key < kKeyCount) SetBit(kKeyPanelItem, key, ITEM_KEY_PANEL);
    }
    // Every usable input fed from the panel source, and its key.
    void MarkInputsOfPanelSource(int panelInput) {
        const int usable = m_doc.GetTotalInputs(false);
        for (int n = 0; n < usable; ++n) {
            if (!m_doc.IsPanelInputOfInput(panelInput, n)) continue;
            MarkInput(n);
            MarkKey(m_doc.GetKeyOfInput(n));
        }
    }

private:
    void SetBit(int item, int bit, int kind = 0) {
        auto& items = m_layout.items();
        if (item < 0 || std::size_t(item) >= items.size() || bit < 0 || bit >= 32) return;
        if (kind != 0 && items[std::size_t(item)].kind != kind) return;
        items[std::size_t(item)].mask |= uint32_t(1) << bit;
    }

    SkinLayout& m_layout;
    const CMainDoc& m_doc;
};

// Sets the panel source of an input; an input number of 16 (a key nobody
// holds) links nothing.
DropResult LinkPanelSource(CMainDoc& doc, int input, int panelInput) {
    if (!IsLinkable(input) || !IsLinkable(panelInput)) return DropResult::Nothing;
    doc.SetPanelInputOfInput(input, panelInput);
    return DropResult::Linked;
}

DropResult LinkKey(CMainDoc& doc, int key, int input) {
    if (key < 0 || key >= kKeyCount || !IsLinkable(input)) return DropResult::Nothing;
    doc.AssignKey(key, input);
    return DropResult::Linked;
}

DropResult Exchanged(bool done) { return done ? DropResult::Exchanged : DropResult::LabelRefused; }

DropResult DropKey(CMainDoc& doc, int key, LinkEnd target) {
    switch (target.role) {
    case LinkRole::Key: return LinkKey(doc, key, doc.GetInputOfKey(target.number));
    case LinkRole::ModuleInput: return LinkKey(doc, key, target.number);
    case LinkRole::PanelInput:
    case LinkRole::AudioChannel: return LinkPanelSource(doc, doc.GetInputOfKey(key), target.number);
    default: return DropResult::Nothing;
    }
}

// A panel input or an audio channel dragged onto a key or a module input.
DropResult DropPanelSource(CMainDoc& doc, int source, LinkEnd target) {
    if (target.role == LinkRole::Key) return LinkPanelSource(doc, doc.GetInputOfKey(target.number), source);
    if (target.role == LinkRole::ModuleInput) return LinkPanelSource(doc, target.number, source);
    return DropResult::Nothing;
}

DropResult DropModuleInput(CMainDoc& doc, int input, LinkEnd target) {
    switch (target.role) {
    case LinkRole::Key: return LinkKey(doc, target.number, input);
    case LinkRole::PanelInput:
    case LinkRole::AudioChannel: return LinkPanelSource(doc, input, target.number);
    case LinkRole::ModuleInput: return Exchanged(ExchangeInputLabels(doc, input, target.number));
    default: return DropResult::Nothing;
    }
}

using LabelGetter = std::string (CMainDoc::*)(int, bool) const;
using LabelSetter = bool (CMainDoc::*)(int, const std::string&);

bool ExchangeLabelsOn(CMainDoc& doc, int dragged, int target, LabelGetter get, LabelSetter set) {
    const std::string draggedLabel = (doc.*get)(dragged, true);
    const std::string targetLabel = (doc.*get)(target, true);
    (doc.*set)(dragged, {});
    (doc.*set)(target, {});
    const bool draggedTaken = (doc.*set)(dragged, targetLabel);
    const bool targetTaken = (doc.*set)(target, draggedLabel);
    return draggedTaken && targetTaken;
}

// Both emptied first, so the two labels cannot clash with each other; but a
// label may clash with another input's default name (a label given while
// that input did not exist yet). Trying the exchange on a copy first keeps
// such a label from being dropped.
bool ExchangeLabels(CMainDoc& doc, int dragged, int target, LabelGetter get, LabelSetter set) {
    CMainDoc trial(doc);
    if (!ExchangeLabelsOn(trial, dragged, target, get, set)) return false;
    ExchangeLabelsOn(doc, dragged, target, get, set);
    return true;
}

}  // namespace

void ClearMasks(SkinLayout& layout) {
    for (ViewItem& item : layout.items()) item.mask = 0;
}

void MarkSelectionLinks(SkinLayout& layout, const CMainDoc& doc, LinkEnd selected) {
    LinkMarker marker(layout, doc);
    switch (selected.role) {
    case LinkRole::Key: {
        const int input = doc.GetInputOfKey(selected.number);
        if (input >= doc.GetTotalInputs(false)) return;  // the key is not assigned
        marker.MarkInput(input);
        marker.MarkPanelSource(doc.GetPanelInputOfInput(input));
        return;
    }
    case LinkRole::ModuleInput:
        marker.MarkKey(doc.GetKeyOfInput(selected.number));
        marker.MarkPanelSource(doc.GetPanelInputOfInput(selected.number));
        return;
    case LinkRole::PanelInput:
    case LinkRole::AudioChannel: marker.MarkInputsOfPanelSource(selected.number); return;
    default: return;
    }
}

DropResult DropLink(CMainDoc& doc, LinkEnd dragged, LinkEnd target) {
    switch (dragged.role) {
    case LinkRole::Key: return DropKey(doc, dragged.number, target);
    case LinkRole::PanelInput:
        if (target.role == LinkRole::PanelInput)
            return Exchanged(ExchangePanelLabels(doc, dragged.number, target.number));
        return DropPanelSource(doc, dragged.number, target);
    case LinkRole::AudioChannel: return DropPanelSource(doc, dragged.number, target);
    case LinkRole::ModuleInput: return DropModuleInput(doc, dragged.number, target);
    default: return DropResult::Nothing;
    }
}

bool ExchangeInputLabels(CMainDoc& doc, int dragged, int target) {
    return ExchangeLabels(doc, dragged, target, &CMainDoc::GetInputLabel, &CMainDoc::SetInputLabel);
}

bool ExchangePanelLabels(CMainDoc& doc, int dragged, int target) {
    return ExchangeLabels(doc, dragged, target, &CMainDoc::GetPanelLabel, &CMainDoc::SetPanelLabel);
}
