// What undo and redo put back: the part of the document an edit can change.
#pragma once

#include "model/ConfigImage.h"

constexpr int kLabelSize = 20;  // bytes per label field, NUL included
constexpr int kMaxLabelLength = kLabelSize - 1;

// Everything an edit with the mouse or a dialog can change, with the two
// "modified" flags as they stood: what undo and redo put back.
struct DocContent {
    ConfigImage image;
    char inputLabels[kSlotCount][kInputsPerSlot][kLabelSize];
    char panelLabels[kPanelInputCount][kLabelSize];
    bool configModified = false;
    bool labelsModified = false;

    bool SameDeviceData(const DocContent& other) const;
    bool SameLabels(const DocContent& other) const;
    bool operator==(const DocContent& other) const;
};
