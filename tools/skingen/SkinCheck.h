#pragma once
// Self-check of a written skin: the program's own skin checker (markup,
// reserved and unique IDs, pictures, areas and label boxes inside them),
// then the generator's stricter rules, the comparison with the catalogue,
// and that every label box holds the longest text the program writes into it.
#include <QString>
#include <QStringList>

#include "tools/skingen/SkinModel.h"

namespace skingen {

// Problems of the skin in dir measured against the declared catalogue; empty when clean.
QStringList CheckSkin(const QString& dir, const Catalogue& declared);

// The skin in dir as the program's checker loads it, with that checker's
// problems. loaded is false when the program would show no skin at all.
struct LoadedSkin {
    bool loaded = false;
    Catalogue skin;
    QStringList problems;
};
LoadedSkin LoadSkin(const QString& dir);

// What the generator insists on beyond the program (used by CheckSkin): module
// codes 1..254, reserved IDs first in their module, one picture size per
// module, at most 8 inputs on a slot card, no overlapping hot areas, positive
// font sizes.
QStringList CheckGeneratorRules(const Catalogue& skin);
// Label boxes of the catalogue that cannot hold their longest text.
QStringList CheckLabelFit(const Catalogue& catalogue);
// Texts the program may write into a label of this kind.
QStringList TextsFor(LabelText text, const QStringList& signalNames);

}  // namespace skingen
