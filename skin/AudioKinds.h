// The audio kinds of a configuration image come from the skin: after a read
// from the device, each input module slot gets the audio kind of the skin
// module that its code names (Connect and Load configuration, in the desktop
// program and in vkx520ctl alike). The skin hands them to the read as a table.
#pragma once

#include "model/ConfigImage.h"

class CSkin;

// The audio kind of every module code the skin knows.
AudioKindTable AudioKindTableOf(const CSkin& skin);

// ApplyAudioKinds with the skin's table.
bool FillAudioKinds(const CSkin& skin, ConfigImage& image);
