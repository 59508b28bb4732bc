// The six 16-pixel row images of the Edit translation dialog's list: a glyph
// for the kind of text (menu item, dialog text, string) with a badge telling
// whether it is translated (TranslationStateImage gives the order).
#pragma once

#include <QIcon>

constexpr int kStateImageSize = 16;

// index in 0 .. kStateImageCount - 1; anything else gives a null icon.
QIcon TranslationStateIcon(int index);
