// Re-texting of built dialogs and menus in the current language. Controls and
// menu actions are found by the resource IDs they carry (lang/ControlId.h);
// with translation off nothing changes.
#pragma once

class QAction;
class QMenu;
class QMenuBar;
class QString;
class QWidget;

// The caption, then every child control at any depth that carries a control
// ID; controls sharing an ID get the same text.
void TranslateDialog(int dialogId, QWidget* dialog);

// Walks the items depth first, numbering popups from 1 across the whole menu
// in walk order; each item's key carries the ordinal of the popup most
// recently entered. Separators and actions without a command ID are skipped.
void TranslateMenu(int menuId, QMenuBar* menuBar);
void TranslateMenu(int menuId, QMenu* menu);

// Sets a menu item's text given as "text" or "text\tshortcut" (resources and
// language files keep the shortcut after a tab). An action with a real
// shortcut shows that one in the platform's notation, so only the text part
// is kept; otherwise the part after the tab stays as a displayed hint, which
// menus show in their shortcut column.
void SetMenuItemText(QAction* action, const QString& text);
