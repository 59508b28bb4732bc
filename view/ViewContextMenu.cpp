#include "view/ViewContextMenu.h"

#include "base/CodePage.h"
#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "res/resource.h"
#include "view/KeyboardNavigation.h"
#include "view/LinkTable.h"
#include "view/MainView.h"

#include <QContextMenuEvent>
#include <QKeySequence>
#include <QMenu>

#include <map>

namespace {

constexpr LinkRole kTargetRoles[] = {LinkRole::Key, LinkRole::PanelInput, LinkRole::ModuleInput,
                                     LinkRole::AudioChannel};

unsigned EditText(ItemEdit edit) {
    switch (edit) {
    case ItemEdit::Module: return IDS_MENU_EDIT_MODULE;
    case ItemEdit::InputLabel:
    case ItemEdit::PanelLabel: return IDS_MENU_EDIT_LABEL;
    case ItemEdit::AudioChannel: return IDS_MENU_EDIT_AUDIO;
    case ItemEdit::OutputSignal: return IDS_MENU_EDIT_SIGNAL;
    case ItemEdit::None: break;
    }
    return 0;
}

// The submenu that holds the drops of a place of role `from` onto targets of
// role `to`: a drop onto the same kind exchanges.
unsigned LinkMenuText(LinkRole from, LinkRole to) {
    if (from == to) return to == LinkRole::Key ? IDS_MENU_EXCHANGE_KEY : IDS_MENU_EXCHANGE_LABEL;
    switch (to) {
    case LinkRole::Key: return IDS_MENU_LINK_KEY;
    case LinkRole::PanelInput: return IDS_MENU_LINK_PANEL_INPUT;
    case LinkRole::ModuleInput: return IDS_MENU_LINK_INPUT;
    default: return IDS_MENU_LINK_AUDIO;
    }
}

// A target as the panels show it: its number counted from 1 and the label
// shown there (keys have none). An ampersand of a label is no mnemonic.
QString TargetText(const CMainDoc& doc, LinkEnd end) {
    std::string label;
    if (end.role == LinkRole::PanelInput)
        label = doc.GetPanelLabel(end.number, false);
    else if (end.role != LinkRole::Key)
        label = doc.GetInputLabel(end.number, false);
    QString text = QString::number(end.number + 1);
    if (!label.empty()) text += QStringLiteral("  ") + FromCodePage(label).replace(u'&', QStringLiteral("&&"));
    return text;
}

// Whether a drop of `from` onto `to` links or exchanges anything, tried on a
// copy of the document.
bool DropChangesSomething(const CMainDoc& doc, LinkEnd from, LinkEnd to) {
    CMainDoc trial(doc);
    return DropLink(trial, from, to) != DropResult::Nothing;
}

void AddEditCommand(CMainView& view, QMenu& menu, SubItemRef hit) {
    const unsigned text = EditText(view.Editor().EditFor(hit));
    if (text == 0) return;
    QObject::connect(menu.addAction(LoadUiString(text)), &QAction::triggered, &view,
                     [&view, hit] { view.ClickOn(hit, true); });
}

void AddLinkCommands(CMainView& view, QMenu& menu, SubItemRef hit) {
    const SkinLayout& layout = view.Layout();
    const CMainDoc& doc = *view.GetDocument();
    const LinkEnd from = ClassifySubItem(layout, doc, hit);
    if (from.role == LinkRole::None || from.role == LinkRole::Output) return;
    // Every enabled place a drop could reach, by role and number.
    std::map<LinkRole, std::map<int, SubItemRef>> targets;
    for (int item = 0; item < int(layout.items().size()); ++item)
        for (int sub : EnabledSubItems(layout, doc, item)) {
            const SubItemRef ref{item, sub};
            const LinkEnd end = ClassifySubItem(layout, doc, ref);
            if (ref != hit && end.number >= 0) targets[end.role].emplace(end.number, ref);
        }
    for (LinkRole role : kTargetRoles) {
        QMenu* submenu = nullptr;
        for (const auto& [number, ref] : targets[role]) {
            const LinkEnd to{role, number};
            if (!DropChangesSomething(doc, from, to)) continue;
            if (!submenu) submenu = menu.addMenu(LoadUiString(LinkMenuText(from.role, role)));
            QObject::connect(submenu->addAction(TargetText(doc, to)), &QAction::triggered, &view,
                             [&view, hit, target = ref] { view.LinkByMenu(hit, target); });
        }
    }
}

}  // namespace

std::unique_ptr<QMenu> CreateContextMenu(CMainView& view, SubItemRef hit) {
    auto menu = std::make_unique<QMenu>(&view);
    AddEditCommand(view, *menu, hit);
    AddLinkCommands(view, *menu, hit);
    if (!menu->isEmpty()) menu->addSeparator();
    const auto add = [&](const QString& step, unsigned named, unsigned plain, const QKeySequence& keys,
                         void (CMainView::*run)()) {
        QString text = LoadUiString(plain);
        if (!step.isEmpty()) FormatUiString(text, named, {step});
        QAction* action = menu->addAction(text + u'\t' + keys.toString(QKeySequence::NativeText));
        action->setEnabled(!step.isEmpty());
        QObject::connect(action, &QAction::triggered, &view, run);
    };
    const UndoStack& undo = view.UndoSteps();
    add(undo.UndoText(), IDS_UNDO_STEP, IDS_UNDO_NOTHING, QKeySequence(Qt::CTRL | Qt::Key_Z), &CMainView::OnEditUndo);
    add(undo.RedoText(), IDS_REDO_STEP, IDS_REDO_NOTHING, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
        &CMainView::OnEditRedo);
    return menu;
}
