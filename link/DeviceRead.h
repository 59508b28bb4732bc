// Reading the configuration from the device into the document: Connect and
// Load configuration in the desktop program, `vkx520ctl read` on the command
// line. The configuration comes first; which modules carry embedded audio is
// known from the skin, not the device, so the caller says that; then the
// embedded audio settings are read where there are any, and the document
// takes the whole.
#pragma once

#include "link/DeviceOperation.h"

#include <functional>

class CMainDoc;

// What the caller provides: how one device operation runs on its port, and
// the audio kinds of its skin.
struct DeviceReadSteps {
    // Runs one device operation into the image and tells the user of its
    // failure or checksum warning, as that caller talks to its user.
    std::function<LinkResult(DeviceCommand command, ConfigImage& image)> runOperation;
    // Stores each occupied input slot's audio kind; true when any slot got
    // embedded audio, that is when module data is to be read.
    std::function<bool(ConfigImage& image)> fillAudioKinds;
};

struct DeviceRead {
    LinkResult result = LINK_ERR_ABORTED;  // of the configuration read; nothing else happens unless LINK_OK
    // The embedded audio settings could not be read. The configuration is
    // still worth having: the slots not read keep their audio bytes 0.
    bool audioMissing = false;
    LinkResult audioResult = LINK_OK;  // of the embedded audio read, when there was one
    bool taken = false;                // the document took the configuration (CMainDoc::ReadCfg)
    // The configuration exactly as read (with the audio kinds and the audio
    // settings read), before any document merged it: what a backup keeps and
    // what verify and compare look at. Meaningful when result is LINK_OK.
    ConfigImage image{};

    // What a comparison with the device may go by: the configuration and
    // every embedded audio setting read. A device that fell silent halfway
    // is a link failure, never a difference; this is its code (LINK_OK when
    // the read is whole).
    LinkResult WholeResult() const { return result != LINK_OK ? result : audioMissing ? audioResult : LINK_OK; }
};

// The device's configuration without a document (taken stays false).
DeviceRead ReadImageFromDevice(const DeviceReadSteps& steps);

// force: the document takes the modules even when they do not match those it
// shows (Load configuration); otherwise a mismatch is refused with a message.
DeviceRead ReadConfigFromDevice(CMainDoc& doc, bool force, const DeviceReadSteps& steps);
