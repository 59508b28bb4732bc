#pragma once
// Self-check of a written skin: the XML reads by the program's rules, every
// picture exists, decodes and has the size the catalogue declares, every
// area and label box lies inside its picture, IDs are valid and unique,
// and every label box holds the longest text the program writes into it.
#include <QString>
#include <QStringList>

#include "tools/skingen/SkinModel.h"

namespace skingen {

// Problems of the skin in dir measured against the declared catalogue; empty when clean.
QStringList CheckSkin(const QString &dir, const Catalogue &declared);

// Structural rules that need only the skin itself (used by CheckSkin).
QStringList CheckStructure(const Catalogue &skin);
// Label boxes of the catalogue that cannot hold their longest text.
QStringList CheckLabelFit(const Catalogue &catalogue);
// Texts the program may write into a label of this kind.
QStringList TextsFor(LabelText text, const QStringList &signalNames);

}  // namespace skingen
