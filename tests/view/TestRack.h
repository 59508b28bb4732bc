// The rack the view tests work on: slot 0 SDI with embedded audio, 8 inputs
// (inputs 0..7); slot 1 analog video, 4 of 8 inputs (8..11); slot 2 computer,
// 2 inputs (12, 13); two output modules; default key and panel links.
#pragma once

#include "model/ConfigImage.h"

inline ConfigImage TestRackImage() {
    ConfigImage image;
    image.Clear();
    image.inputModules[0] = {16, 8};
    image.inputModules[1] = {48, 4};
    image.inputModules[2] = {80, 2};
    image.outputModules[0] = {144, {0, 1, 2, 3}};
    image.outputModules[1] = {128, {3, 2, 1, 0}};
    SetDefaultPanelInputMap(image);
    SetDefaultKeyMap(image);
    return image;
}
