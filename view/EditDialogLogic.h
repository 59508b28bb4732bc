// What the edit dialogs offer and hand back, apart from their widgets, so the
// rules can be checked without opening a window.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

struct CSkinModule;

// Input count range of a module configuration, packed as the module dialog
// receives it: minimum in bits 0..7, maximum in bits 8..15 (each held to 0..255).
uint32_t MakeInputRange(int minInputs, int maxInputs);
int RangeMinimum(uint32_t range);
int RangeMaximum(uint32_t range);

// What the module dialog lists for a skin module: the names of its
// configurations in skin order, and their input count ranges. A slot has
// places for kInputsPerSlot inputs, so no larger count is offered whatever
// the skin says.
QStringList SkinConfigNames(const CSkinModule& module);
std::vector<uint32_t> SkinInputRanges(const CSkinModule& module);

// The entries of the inputs list: every count from the minimum to the maximum
// inclusive, in decimal; empty when the maximum is below the minimum.
QStringList InputCountEntries(uint32_t range);

// A list index as a selection: the index when the list has that entry, else
// -1 (no selection).
int SelectableIndex(int index, int count);

// What OK stores from a list: its selection, or the stored value when nothing
// is selected, so a list the dialog could not preselect changes nothing.
int SelectionOrStored(int selection, int stored);

// The inputs index OK stores. Without a selection the stored index stays
// valid only for the configuration it was given for; after a change to a
// configuration whose list is empty, its minimum (index 0) is taken.
int InputsIndexOnOk(int selection, int stored, bool configurationChanged);

// Embedded audio setting byte: bit 0 the stereo pair, bits 1..2 the group.
inline constexpr int kAudioGroups = 4;
inline constexpr int kStereoPairs = 2;
struct AudioChannel {
    int group;       // 0..3 for group 1..4
    int stereoPair;  // 0..1 for pair 1..2
};
AudioChannel DecodeAudioSetting(uint8_t setting);
// Bits 3..7 of the result are always 0.
uint8_t EncodeAudioSetting(int group, int stereoPair);

// Labels are stored as NUL-terminated 20-byte Windows-1252 fields.
inline constexpr int kMaxLabelBytes = 19;
// Whether text can be stored as it is: every character has a Windows-1252
// byte, none is a control character (a NUL would cut the stored text short),
// and there are at most kMaxLabelBytes of them.
bool IsStorableLabel(const QString& text);
// The storable part of text: characters that cannot be stored are dropped
// and the rest is cut to kMaxLabelBytes.
QString ClipToStorableLabel(const QString& text);
