// The simulated device's memory kept in a configuration file: vkx520sim
// starts from one and writes its state back into one when it stops. The state
// is the file's contents as stored, so that saving into the file the state
// came from loses nothing of it.
#pragma once

#include "model/ConfigFile.h"
#include "sim/SimDevice.h"

// Contents holding this image and empty labels (the demo configuration, for example).
ConfigFileContents SimStateOf(const ConfigImage& image);

// Takes what the device keeps (its memory blocks and module data); the audio
// kinds, the labels and the rest of the file stay as they were.
void TakeDeviceState(ConfigFileContents& state, const SimDevice& device);
