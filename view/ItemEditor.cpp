#include "view/ItemEditor.h"

#include "base/CodePage.h"
#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "res/resource.h"
#include "view/EditDialog.h"
#include "view/EditDialogLogic.h"
#include "view/HitTest.h"
#include "skin/Skin.h"
#include "skin/SkinLayout.h"
#include "view/EmbeddedAudioDlg.h"
#include "view/InputLabelDlg.h"
#include "view/ModuleConfigDlg.h"
#include "view/OutputSignalDlg.h"

namespace {

constexpr int kOutputsPerSlot = 4;

QString Decimal(int number) { return QString::number(number); }

// The type text of input area k or audio area k of the item's configuration.
QString AreaType(const ViewItem& item, int index, bool audio) {
    const CSkinConfig* config = item.config();
    if (!config || index < 0) return {};
    const auto& areas = audio ? config->m_audio : config->m_inputs;
    return std::size_t(index) < areas.size() ? areas[std::size_t(index)].m_type : QString();
}

bool ShowsFallBack(const ViewItem& item) {
    const CSkinConfig* config = item.config();
    const int fallBack = item.kind == ITEM_INPUT_MODULE ? SKIN_ID_UNKNOWN_INPUT : SKIN_ID_UNKNOWN_OUTPUT;
    return config && config->m_id == fallBack;
}

}  // namespace

ItemEditor::ItemEditor(CMainDoc& doc, SkinLayout& layout, const CSkin& skin, QWidget* parent)
    : m_doc(doc), m_layout(layout), m_skin(skin), m_parent(parent) {
    SetRunner(nullptr);
}

void ItemEditor::SetRunner(Runner runner) {
    if (!runner) runner = [](EditDialog& dialog) { return dialog.DoModal(); };
    m_run = std::move(runner);
}

bool ItemEditor::RunEditDialog(EditDialog& dialog) { return m_run(dialog) == IDOK; }

ItemEdit ItemEditor::EditFor(SubItemRef hit) const {
    if (hit.item < 0 || std::size_t(hit.item) >= m_layout.items().size()) return ItemEdit::None;
    const ViewItem& item = m_layout.items()[std::size_t(hit.item)];
    const int sub = hit.sub;
    const auto usable = [&](int local) { return m_doc.GetInputNumber(item.slot, local) < m_doc.GetTotalInputs(false); };
    switch (item.kind) {
    case ITEM_INPUT_MODULE:
        if (sub == -1) return ItemEdit::Module;
        if (sub < SUBITEM_AUDIO) return usable(sub) ? ItemEdit::InputLabel : ItemEdit::None;
        return usable(sub - SUBITEM_AUDIO) && item.module->m_audioKind == kAudioKindEmbedded ? ItemEdit::AudioChannel
                                                                                             : ItemEdit::None;
    case ITEM_OUTPUT_MODULE:
        if (sub == -1) return ItemEdit::Module;
        return sub < kOutputsPerSlot ? ItemEdit::OutputSignal : ItemEdit::None;
    case ITEM_INPUT_PANEL: return sub >= 0 && sub < kPanelInputCount ? ItemEdit::PanelLabel : ItemEdit::None;
    default: return ItemEdit::None;
    }
}

bool ItemEditor::Open(SubItemRef hit) {
    const ItemEdit edit = EditFor(hit);
    if (edit == ItemEdit::None) return false;
    ViewItem& item = m_layout.items()[std::size_t(hit.item)];
    switch (edit) {
    case ItemEdit::Module: return EditModule(item);
    case ItemEdit::InputLabel: return EditLabel(item, hit.sub, false);
    case ItemEdit::AudioChannel: return EditAudioChannel(item, hit.sub - SUBITEM_AUDIO);
    case ItemEdit::OutputSignal: return EditOutputSignal(item, hit.sub);
    case ItemEdit::PanelLabel: return EditLabel(item, hit.sub, true);
    case ItemEdit::None: break;
    }
    return false;
}

bool ItemEditor::EditModule(ViewItem& item) {
    if (ShowsFallBack(item)) {
        UiMessageBox(IDS_UNKNOWN_MODULE, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const bool input = item.kind == ITEM_INPUT_MODULE;
    CModuleConfigDlg dialog(m_parent);
    dialog.m_moduleNumber = Decimal(item.slot + 1);
    dialog.m_moduleType = item.module->m_type;
    dialog.m_configNames = SkinConfigNames(*item.module);
    dialog.m_configIndex = item.configIndex;
    if (input) {
        dialog.m_inputRanges = SkinInputRanges(*item.module);
        dialog.m_inputsIndex = m_doc.GetInputCount(item.slot) - item.config()->m_minInputs;
    } else {
        dialog.m_inputsIndex = 0;
        dialog.m_hideInputs = true;
    }
    if (!RunEditDialog(dialog)) return false;
    // The picture shown and the code stored change together or not at all.
    const CSkinConfig* chosen = item.module->GetConfig(dialog.m_configIndex);
    const int count = input ? dialog.ChosenInputCount() : 0;
    if (chosen && count >= 0) {
        item.configIndex = dialog.m_configIndex;
        if (input)
            m_doc.SetInputModule(item.slot, chosen->m_id, count);
        else
            m_doc.SetOutputModuleCode(item.slot, chosen->m_id);
        ::ClearMasks(m_layout);
    }
    return true;
}

bool ItemEditor::EditLabel(const ViewItem& item, int area, bool panel) {
    const int input = panel ? area : m_doc.GetInputNumber(item.slot, area);
    CInputLabelDlg dialog(m_parent);
    dialog.m_inputNumber = Decimal(input + 1);
    dialog.m_inputType = AreaType(item, area, false);
    dialog.m_label = FromCodePage(panel ? m_doc.GetPanelLabel(input, false) : m_doc.GetInputLabel(input, false));
    if (!RunEditDialog(dialog)) return false;
    const std::string label = ToCodePage(dialog.m_label);
    if (!(panel ? m_doc.SetPanelLabel(input, label) : m_doc.SetInputLabel(input, label)))
        UiMessageBox(IDS_DUPLICATE_LABEL, MB_OK | MB_ICONEXCLAMATION);
    return true;
}

// The audio setting is not part of the drawing and has no tooltip: its edit
// goes into the document (which counts as modified) but asks for no redraw
// and no change notice.
bool ItemEditor::EditAudioChannel(const ViewItem& item, int channel) {
    const int input = m_doc.GetInputNumber(item.slot, channel);
    CEmbeddedAudioDlg dialog(m_parent);
    dialog.m_inputNumber = Decimal(input + 1);
    dialog.m_inputType = AreaType(item, channel, true);
    dialog.SetSetting(uint8_t(m_doc.GetAudioSetting(item.slot, channel)));
    if (!RunEditDialog(dialog)) return false;
    m_doc.SetAudioSetting(item.slot, channel, dialog.Setting());
    return false;
}

bool ItemEditor::EditOutputSignal(const ViewItem& item, int output) {
    COutputSignalDlg dialog(m_parent);
    dialog.m_signalNames = m_skin.signalNames();
    dialog.m_outputNumber = Decimal(output + 1);
    dialog.m_outputType = AreaType(item, output, false);
    dialog.m_signal = m_doc.GetOutputSignal(item.slot, output);
    if (!RunEditDialog(dialog)) return false;
    if (dialog.m_signal >= 0) m_doc.SetOutputSignal(item.slot, output, dialog.m_signal);
    return true;
}
