#include "skin/LabelText.h"

#include "base/CodePage.h"
#include "model/CMainDoc.h"
#include "skin/SkinLayout.h"

#include <array>

namespace {

// Numbers shown in boxes are small; sharing their kept texts avoids building
// a string for every box on every repaint.
constexpr int kCachedNumbers = 256;

QString DecimalText(int value) {
    static const std::array<QString, kCachedNumbers> texts = [] {
        std::array<QString, kCachedNumbers> t;
        for (int i = 0; i < kCachedNumbers; ++i) t[std::size_t(i)] = QString::number(i);
        return t;
    }();
    return value >= 0 && value < kCachedNumbers ? texts[std::size_t(value)] : QString::number(value);
}

void Clear(InputLabelTexts& out) {
    out.disabled = false;
    for (QString& t : out.text) t.clear();
}

// The panel input linked to a key's input is shown by the name the user knows
// it by: a module input that carries embedded audio keeps its input label.
QString PanelSourceName(const SkinLayout& layout, const CMainDoc& doc, int input) {
    const int source = doc.GetPanelInputOfInput(input);
    if (layout.EmbeddedAudioCount(source, doc) == 0) return FromCodePage(doc.GetPanelLabel(source, false));
    return FromCodePage(doc.GetInputLabel(source, false));
}

void KeyPanelTexts(const SkinLayout& layout, const CMainDoc& doc, int key, InputLabelTexts& out) {
    const int input = key < kKeyCount ? doc.GetInputOfKey(key) : kUsableInputs;
    if (input >= doc.GetTotalInputs(false)) {
        out.disabled = true;
        return;
    }
    out.text[0] = DecimalText(input + 1);
    out.text[1] = FromCodePage(doc.GetInputLabel(input, false));
    out.text[2] = PanelSourceName(layout, doc, input);
}

void InputModuleTexts(const ViewItem& item, const CMainDoc& doc, int input, InputLabelTexts& out) {
    const int number = doc.GetInputNumber(item.slot, input);
    out.text[0] = DecimalText(number + 1);
    out.text[1] = FromCodePage(doc.GetInputLabel(number, false));
}

void OutputModuleTexts(const ViewItem& item, const CSkin& skin, const CMainDoc& doc, int output, InputLabelTexts& out) {
    out.text[0] = DecimalText(output + 1);
    // Only the record's four outputs carry a signal.
    if (output >= kOutputsPerModule) return;
    const int signal = doc.GetOutputSignal(item.slot, output);
    if (signal >= 0 && signal < skin.signalNames().size()) out.text[1] = skin.signalNames()[signal];
}

}  // namespace

const QString& InputLabelTexts::Get(int g) const {
    static const QString empty;
    return g >= 0 && g < kTextLabelsPerInput ? text[g] : empty;
}

QString SlotNumberText(int slot) { return DecimalText(slot + 1); }

void GetInputLabelTexts(const SkinLayout& layout, int item, const CSkin& skin, const CMainDoc& doc, int input,
                        InputLabelTexts& out) {
    Clear(out);
    if (item < 0 || std::size_t(item) >= layout.items().size() || input < 0) return;
    const ViewItem& it = layout.items()[std::size_t(item)];
    switch (it.kind) {
    case ITEM_KEY_PANEL: KeyPanelTexts(layout, doc, input, out); break;
    case ITEM_INPUT_PANEL:
        out.disabled = input >= kPanelInputCount || !layout.IsSubItemEnabled(item, input, doc);
        if (!out.disabled) out.text[0] = FromCodePage(doc.GetPanelLabel(input, false));
        break;
    case ITEM_INPUT_MODULE:
        out.disabled = input >= kInputsPerSlot || !layout.IsSubItemEnabled(item, input, doc);
        if (!out.disabled) InputModuleTexts(it, doc, input, out);
        break;
    case ITEM_OUTPUT_MODULE: OutputModuleTexts(it, skin, doc, input, out); break;
    default: break;
    }
}
