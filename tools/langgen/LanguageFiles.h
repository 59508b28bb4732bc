// The shipped language files made from the walked texts: the base file with
// one text per distinct text and aliases for the keys that repeat one, and
// translations made from a catalogue of base text -> translated text.
#pragma once

#include "lang/LanguageTable.h"
#include "tools/langgen/UiTextWalk.h"

#include <QStringList>
#include <utility>
#include <vector>

namespace langgen {

// Texts in language files write a tab as backslash + t.
QString EscapeTabs(const QString& text);

// One text entry per distinct text, in walk order; every later key with the
// same text becomes an alias of the first.
LanguageTable BuildBaseTable(const UiTextWalk& walk);

// Pairs of texts as the program shows them (real tabs), base language first.
using Catalogue = std::vector<std::pair<QString, QString>>;

// A translation of every text entry of base, in base order. Base texts the
// catalogue lacks are listed in *missing and get no entry; so are texts with
// characters a language file cannot hold.
LanguageTable BuildTranslation(const LanguageTable& base, const Catalogue& catalogue, QStringList* missing);

// The sample translation shipped as Deutsch.lng.
const Catalogue& GermanCatalogue();

}  // namespace langgen
