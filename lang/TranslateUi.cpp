#include "lang/TranslateUi.h"

// The base language needs no change; translations replace this body.
void TranslateDialog(int, QWidget*) {}
