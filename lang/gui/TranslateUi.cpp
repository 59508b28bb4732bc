#include "lang/gui/TranslateUi.h"

#include "lang/ControlId.h"
#include "lang/LanguageManager.h"
#include "lang/TranslationKey.h"
#include "lang/UiText.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QMetaProperty>
#include <QWidget>

namespace {

// Group boxes carry their text as a title; labels, buttons and edits as "text".
void SetControlText(QWidget* control, const QString& text) {
    if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(text);
        return;
    }
    const QMetaObject* meta = control->metaObject();
    const int index = meta->indexOfProperty("text");
    if (index >= 0 && meta->property(index).isWritable()) control->setProperty("text", text);
}

void TranslateMenuItems(unsigned menuId, const QList<QAction*>& actions) {
    LanguageManager& languages = Languages();
    for (QAction* action : actions) {
        if (action->isSeparator()) continue;
        QMenu* popup = action->menu();
        const int command = popup ? 0 : CommandId(action);
        if (!popup && command == 0) continue;
        const unsigned ordinal = popup ? languages.NextPopup() : languages.PopupCounter();
        QString text;
        if (LookupUiText(MenuKey(menuId, ordinal, unsigned(command)), text)) SetMenuItemText(action, text);
        if (popup) TranslateMenuItems(menuId, popup->actions());
    }
}

}  // namespace

void TranslateDialog(int dialogId, QWidget* dialog) {
    QString text;
    if (LookupUiText(DialogCaptionKey(unsigned(dialogId)), text)) dialog->setWindowTitle(text);
    const QList<QWidget*> children = dialog->findChildren<QWidget*>();
    for (QWidget* child : children) {
        const int id = ControlId(child);
        if (id != 0 && LookupUiText(DialogControlKey(unsigned(dialogId), id), text)) SetControlText(child, text);
    }
}

void TranslateMenu(int menuId, QMenuBar* menuBar) {
    Languages().ResetPopupCounter();
    TranslateMenuItems(unsigned(menuId), menuBar->actions());
}

void TranslateMenu(int menuId, QMenu* menu) {
    Languages().ResetPopupCounter();
    TranslateMenuItems(unsigned(menuId), menu->actions());
}

void SetMenuItemText(QAction* action, const QString& text) {
    const qsizetype tab = text.indexOf(u'\t');
    const bool dropHint = tab >= 0 && !action->shortcut().isEmpty();
    action->setText(dropHint ? text.left(tab) : text);
}
