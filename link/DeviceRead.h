// Reading the configuration from the device into the document: Connect and
// Load configuration in the desktop program, `vkx520ctl read` on the command
// line. The configuration comes first; which modules carry embedded audio is
// known from the skin, not the device, so the caller hands in the skin's
// table; then the embedded audio settings are read where there are any, and
// the document takes the whole. The runner runs each of the two operations
// (and tells its user of a failure or the checksum warning, as it talks to
// its user); the result comes back as a value.
#pragma once

#include "link/DeviceOperation.h"

#include <future>

class CMainDoc;

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

// The device's configuration without a document (taken stays false). The
// audio kinds may still be in the making (a skin read meanwhile): they are
// waited for once the configuration is in.
DeviceRead ReadImageFromDevice(OperationRunner& runner, std::shared_future<AudioKindTable> audioKinds);
DeviceRead ReadImageFromDevice(OperationRunner& runner, const AudioKindTable& audioKinds);

// force: the document takes the modules even when they do not match those it
// shows (Load configuration); otherwise a mismatch is refused (the document's
// lastNotice() says why).
DeviceRead ReadConfigFromDevice(CMainDoc& doc, bool force, OperationRunner& runner,
                                std::shared_future<AudioKindTable> audioKinds);
DeviceRead ReadConfigFromDevice(CMainDoc& doc, bool force, OperationRunner& runner, const AudioKindTable& audioKinds);
