// Comparing two configurations field by field: what Verify after writing
// checks on the device read back, what `vkx520ctl diff` prints and what the
// Compare dialog lists.
#pragma once

#include "model/ConfigImage.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

enum class ConfigField {
    InputModule,   // index: slot
    InputCount,    // index: slot
    OutputModule,  // index: slot
    OutputSignal,  // index: slot, sub: output
    PanelLink,     // index: input number; values: panel input
    KeyLink,       // index: input number; values: key number + 1 as stored
    Audio,         // index: slot, sub: input of the slot
    InputLabel,    // index: slot, sub: input of the slot
    PanelLabel,    // index: panel input
};

struct ConfigDifference {
    ConfigField field;
    int index = 0;  // counted from 0
    int sub = -1;
    int first = 0, second = 0;          // numeric fields
    std::string firstText, secondText;  // labels, as stored (8-bit texts)
    bool operator==(const ConfigDifference&) const = default;
};

// One side of a comparison: an image, and the label tables when labels count
// (inputLabels: 8 x 8 x 20 bytes, panelLabels: 16 x 20 bytes).
struct ConfigSide {
    const ConfigImage& image;
    const char* inputLabels = nullptr;
    const char* panelLabels = nullptr;
};

enum class CompareScope {
    // What a write sends and the device keeps, with `first` the configuration
    // written: the occupied slots' modules, input counts and signals, both
    // link tables, and the embedded audio of the audio slots as far as their
    // input count goes. Nothing the device computes itself (checksums) or
    // that stays with the program (audio kinds, reserved bytes, labels).
    Device,
    // Everything a user sees of two configurations: every slot, every audio
    // byte, and the labels when both sides have them.
    Whole,
};

std::vector<ConfigDifference> CompareConfigs(const ConfigSide& first, const ConfigSide& second, CompareScope scope);

// Where a difference lies as a field path of the JSON form
// ("inputModules[2].code", "inputLabels[2][3]").
QString DifferencePath(const ConfigDifference& difference);
// A difference in words in the program's language: "Input slot 3: module
// code: 12 -> 33" (slots, inputs, keys and panel inputs counted from 1). An
// output signal the skin names (signalNames, index = signal code) is shown
// by its name with its code after it: "Program (0) -> Clean feed (2)".
QString DifferenceText(const ConfigDifference& difference, const QStringList& signalNames = {});
// The differences in words, one per line.
QString DifferenceLines(const std::vector<ConfigDifference>& differences, const QStringList& signalNames = {});
