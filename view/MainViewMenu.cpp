// CMainView: the context menu. It offers what the mouse can do with the place
// under it, so that editing can be found without knowing the gestures: the
// dialog a double click opens, the links a drop of that place makes (one
// submenu per kind of target), then Undo and Redo. Each command runs the
// mouse's own code: a double click, or a press, a move and a release.
#include "view/MainView.h"

#include "base/CodePage.h"
#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "res/resource.h"
#include "view/KeyboardNavigation.h"
#include "view/LinkTable.h"

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

}  // namespace

void CMainView::AddEditCommand(QMenu& menu, SubItemRef hit) {
    const unsigned text = EditText(EditFor(hit));
    if (text == 0) return;
    connect(menu.addAction(LoadUiString(text)), &QAction::triggered, this, [this, hit] { ClickOn(hit, true); });
}

void CMainView::AddLinkCommands(QMenu& menu, SubItemRef hit) {
    const LinkEnd from = ClassifySubItem(m_layout, *m_pDoc, hit);
    if (from.role == LinkRole::None || from.role == LinkRole::Output) return;
    // Every enabled place a drop could reach, by role and number.
    std::map<LinkRole, std::map<int, SubItemRef>> targets;
    for (int item = 0; item < int(m_layout.items().size()); ++item)
        for (int sub : EnabledSubItems(m_layout, *m_pDoc, item)) {
            const SubItemRef ref{item, sub};
            const LinkEnd end = ClassifySubItem(m_layout, *m_pDoc, ref);
            if (ref != hit && end.number >= 0) targets[end.role].emplace(end.number, ref);
        }
    for (LinkRole role : kTargetRoles) {
        QMenu* submenu = nullptr;
        for (const auto& [number, ref] : targets[role]) {
            const LinkEnd to{role, number};
            if (!DropChangesSomething(*m_pDoc, from, to)) continue;
            if (!submenu) submenu = menu.addMenu(LoadUiString(LinkMenuText(from.role, role)));
            connect(submenu->addAction(TargetText(*m_pDoc, to)), &QAction::triggered, this,
                    [this, hit, target = ref] { LinkByMenu(hit, target); });
        }
    }
}

void CMainView::LinkByMenu(SubItemRef from, SubItemRef to) {
    if (m_mouse.IsDragging() && m_mouse.CancelDrag()) RedrawAll();
    ClickOn(from, false);
    DragOver(to, false);
    DragOver(to, true);
}

std::unique_ptr<QMenu> CMainView::CreateContextMenu(SubItemRef hit) {
    auto menu = std::make_unique<QMenu>(this);
    AddEditCommand(*menu, hit);
    AddLinkCommands(*menu, hit);
    if (!menu->isEmpty()) menu->addSeparator();
    const auto add = [&](const QString& step, unsigned named, unsigned plain, const QKeySequence& keys,
                         void (CMainView::*run)()) {
        QString text = LoadUiString(plain);
        if (!step.isEmpty()) FormatUiString(text, named, {step});
        QAction* action = menu->addAction(text + u'\t' + keys.toString(QKeySequence::NativeText));
        action->setEnabled(!step.isEmpty());
        connect(action, &QAction::triggered, this, run);
    };
    add(m_undo.UndoText(), IDS_UNDO_STEP, IDS_UNDO_NOTHING, QKeySequence(Qt::CTRL | Qt::Key_Z), &CMainView::OnEditUndo);
    add(m_undo.RedoText(), IDS_REDO_STEP, IDS_REDO_NOTHING, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
        &CMainView::OnEditRedo);
    return menu;
}

// With the menu key the menu is for the keyboard's place, shown beside it.
void CMainView::contextMenuEvent(QContextMenuEvent* event) {
    const bool byKey = event->reason() == QContextMenuEvent::Keyboard;
    const SubItemRef hit = byKey ? KeyboardPosition() : HitTest(ToLayout(event->pos()));
    QPoint where = event->globalPos();
    if (const QRect place = KeyboardPositionRect(); byKey && !place.isEmpty())
        where = viewport()->mapToGlobal(ToClient(place).center());
    CreateContextMenu(hit)->exec(where);
    event->accept();
}
