// Collects the texts the program asks translations for, with the keys it asks
// with: the string table, menu 128 as the frame builds it, and the caption and
// controls of every dialog as the dialog builds them. The walks follow the
// same rules as TranslateMenu and TranslateDialog, so that the base language
// file made from them answers every lookup the program makes.
#pragma once

#include "lang/TranslationKey.h"

#include <QString>
#include <vector>

class QMenuBar;
class QWidget;

namespace langgen {

struct WalkedText {
    TranslationKey key;
    QString text;  // as the program shows it: a real tab before a shortcut hint
};

struct UiTextWalk {
    std::vector<WalkedText> texts;  // in walk order, each key once
    // Keys of controls that share an ID but show different texts (the About
    // box's static lines): one translation would overwrite them all, so they
    // get none.
    std::vector<TranslationKey> ambiguous;

    // Adds a text; a key seen before with another text becomes ambiguous.
    void Add(TranslationKey key, const QString& text);
};

// String table entries, except those never looked up in another language.
void WalkStringTable(UiTextWalk& walk);
// Depth first, popups numbered from 1 across the whole menu; separators,
// items without a command ID and the language items (their texts are the
// languages' own names) are left out.
void WalkMenu(int menuId, const QMenuBar* menuBar, UiTextWalk& walk);
// The caption and every child control with a control ID, at any depth.
void WalkDialog(int dialogId, const QWidget* dialog, UiTextWalk& walk);

// Builds the frame and every dialog and walks them all: menu, dialogs 100,
// 130, 131, 132, 134, 208, 209, then the string table. Needs a QApplication.
// Switches translation on with an empty base language in a temporary folder
// while the frame is built (so the Language submenu is there), and off again.
UiTextWalk WalkProgramTexts();

}  // namespace langgen
