#include "lang/TranslateUi.h"

// Without language tables there is nothing to look up: dialogs and menus keep
// the texts they were built with.
void TranslateDialog(int, QWidget*) {}

void TranslateMenu(int, QMenuBar*) {}
