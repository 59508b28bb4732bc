#include "view/StepTexts.h"

#include "lang/UiText.h"
#include "res/resource.h"
#include "skin/SkinLayout.h"

namespace {

// Numbers are shown counted from 1, as the device's panels label them.
EditHistory::StepText Text(unsigned id, std::vector<int> numbers) {
    return [id, numbers] {
        QStringList inserts;
        for (int n : numbers) inserts << QString::number(n + 1);
        QString text;
        FormatUiString(text, id, inserts);
        return text;
    };
}

QString EndName(LinkEnd end) {
    unsigned id = IDS_END_INPUT;
    switch (end.role) {
    case LinkRole::Key: id = IDS_END_KEY; break;
    case LinkRole::PanelInput: id = IDS_END_PANEL_INPUT; break;
    case LinkRole::AudioChannel: id = IDS_END_AUDIO; break;
    default: break;
    }
    return Text(id, {end.number})();
}

}  // namespace

EditHistory::StepText DropStepText(LinkEnd dragged, LinkEnd target) {
    if (dragged.role == target.role) {
        switch (dragged.role) {
        case LinkRole::Key: return Text(IDS_STEP_KEYS, {dragged.number, target.number});
        case LinkRole::ModuleInput: return Text(IDS_STEP_INPUT_LABELS, {dragged.number, target.number});
        case LinkRole::PanelInput: return Text(IDS_STEP_PANEL_LABELS, {dragged.number, target.number});
        default: break;
        }
    }
    return [dragged, target] {
        QString text;
        FormatUiString(text, IDS_STEP_LINK, {EndName(dragged), EndName(target)});
        return text;
    };
}

EditHistory::StepText DialogStepText(const CMainDoc& doc, const ViewItem& item, int sub) {
    const bool input = item.kind == ITEM_INPUT_MODULE;
    if (item.kind == ITEM_INPUT_PANEL) return Text(IDS_STEP_PANEL_LABEL, {sub});
    if (sub == SUBITEM_WHOLE) return Text(input ? IDS_STEP_INPUT_MODULE : IDS_STEP_OUTPUT_MODULE, {item.slot});
    if (!input) return Text(IDS_STEP_SIGNAL, {sub, item.slot});
    if (sub < SUBITEM_AUDIO) return Text(IDS_STEP_INPUT_LABEL, {doc.GetInputNumber(item.slot, sub)});
    return Text(IDS_STEP_AUDIO, {doc.GetInputNumber(item.slot, sub - SUBITEM_AUDIO)});
}
