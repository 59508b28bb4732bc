// Re-texting of dialogs and menus in the current language. Controls are found
// by the resource ID they carry as the dynamic property "vkxControlId" (int),
// menu items by their command ID in the property "vkxCommandId" (int).
#pragma once

class QWidget;
class QMenuBar;

// Called by every dialog while it initialises, with its dialog resource ID.
void TranslateDialog(int dialogId, QWidget* dialog);
// Called by the main frame after building or rebuilding its menu bar.
void TranslateMenu(int menuId, QMenuBar* menuBar);
