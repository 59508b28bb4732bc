// Parts of a configuration taken from one image into another: how a template
// is applied to a unit without overwriting what the unit keeps of its own,
// and what a write would change on a device.
#pragma once

#include "model/ConfigDiff.h"
#include "model/ConfigImage.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

enum ConfigPart : unsigned {
    PART_MODULES = 1u << 0,  // input module table (codes, input counts) with the slots' audio kinds
    PART_OUTPUTS = 1u << 1,  // output module table (codes, signals)
    PART_KEYS = 1u << 2,     // keyMap
    PART_PANEL = 1u << 3,    // panelInputMap
    PART_AUDIO = 1u << 4,    // audioTable
    PART_ALL = (1u << 5) - 1,
};

// "modules,outputs" -> the part bits; nothing, with why in error, for an
// empty list or a name that is no part.
std::optional<unsigned> ParseConfigParts(const QString& names, QString& error);
// The part names, comma-separated, in the order of the bits.
QString ConfigPartNames();

// into with the named parts of from in place of its own. Everything else of
// into (reserved bytes, checksums, the parts not named) stays byte for byte,
// except that modules without audio also take from's audio settings where
// into had none to keep (inputs beyond into's count in the slot, or a slot
// whose module into held carries no embedded audio).
ConfigImage TakeConfigParts(const ConfigImage& from, const ConfigImage& into, unsigned parts);

// What writing toWrite changes on a device that holds device: the
// differences a write's verify would find, oriented device -> written.
std::vector<ConfigDifference> WriteChanges(const ConfigImage& device, const ConfigImage& toWrite);
// The same in words, one per line (DifferenceLines); empty when nothing
// changes. With maxLines above 0, a longer list keeps its first maxLines
// lines and ends in a line "..." (a message box must fit on the screen).
QString WriteChangesText(const ConfigImage& device, const ConfigImage& toWrite, const QStringList& signalNames = {},
                         int maxLines = 0);
