// The simulated device's memory kept in a configuration file: vkx520sim
// starts from one and writes its state back into one when it stops.
#pragma once

#include "model/CMainDoc.h"
#include "sim/SimDevice.h"

class SimStateDoc : public CMainDoc {
public:
    // A document holding this image (the demo configuration, for example).
    void SetImage(const ConfigImage& image);
    // Takes what the device keeps (its memory blocks and module data); the
    // audio kinds, the labels and the rest of the file stay as they were, so
    // that saving into the file the state came from loses nothing.
    void TakeDeviceState(const SimDevice& device);
};
