// The audio kinds of a configuration image come from the skin: after a read
// from the device, each input module slot gets the audio kind of the skin
// module that its code names (Connect and Load configuration, in the desktop
// program and in vkx520ctl alike).
#pragma once

#include "model/ConfigImage.h"

class CSkin;

// Stores the low byte of the audio kind of each occupied slot's module;
// empty slots and codes the skin lacks are left as they are. True when any
// slot got kind 2 (embedded audio), that is when module data should be read.
bool FillAudioKinds(const CSkin& skin, ConfigImage& image);
