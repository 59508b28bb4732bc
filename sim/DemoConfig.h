// The configuration a simulated device holds when nothing else is loaded: a
// plausible rack built from the shipped skin's modules, so that the desktop
// program, vkx520ctl and demonstrations have something real to show.
#pragma once

#include "model/ConfigImage.h"

#include <QString>

// Five input modules with 16 inputs in all (two of them with embedded audio,
// their audio kinds set), three output modules, key and panel links that are
// not the defaults, and valid CRCs on all four device blocks.
ConfigImage MakeDemoImage();

// The demonstration rack as a configuration file, with input and panel labels
// (which live only in files, never on the device). Opening it while connected
// to the simulated device gives its inputs their names. False when the file
// cannot be written (the message has been shown).
bool WriteDemoFile(const QString& path);
