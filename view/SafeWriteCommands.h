// What guards the device's configuration: the backup kept at Connect and
// Load configuration (and File > Open backup... to get it back), the
// read-back after a write (View > Verify after writing), and File > Compare
// with..., against a file or against the device when connected.
#pragma once

#include "model/ConfigImage.h"
#include "view/FrameHost.h"

#include <QObject>

class CMainDoc;
class CMainView;
class ConfigBackups;
class DeviceCommands;
class FileCommands;

class SafeWriteCommands : public QObject {
    Q_OBJECT
public:
    // Follows device's reads and writes; reads the verify option.
    SafeWriteCommands(FrameHost* frame, CMainDoc& doc, CMainView& view, DeviceCommands& device, FileCommands& files);

    CommandBindings Bindings();

    // Open backup...: the open dialog in the backups folder, then as Open.
    void OnFileOpenBackup();
    // Compare with...: the displayed configuration against a file, or
    // against the device when connected; the differences in a dialog.
    void OnFileCompare();
    // Verify after writing: switches the read-back after a write on or off.
    void OnToggleVerifyWrite();

    bool VerifiesWrites() const { return m_verifyWrite; }
    // A write waits to be read back once the device's busy period is over.
    bool VerifyPending() const { return m_verifyPending; }
    // Where Connect and Load configuration keep their backups (not owned;
    // null restores the program's own folder).
    void SetBackups(ConfigBackups* backups) { m_backups = backups; }

private:
    // Keeps the configuration just read from the device as a backup.
    void KeepBackup(const ConfigImage& image);
    // Reads the device back, once it answers again and no other window is
    // modal, and compares it with what was written.
    void VerifyWhenReady();
    void VerifyWritten();

    FrameHost* m_pFrame;
    CMainDoc& m_doc;
    CMainView& m_view;
    DeviceCommands& m_device;
    FileCommands& m_files;
    bool m_verifyWrite = true;
    bool m_verifyPending = false;
    ConfigImage m_written{};  // what the last write sent, for verify
    ConfigBackups* m_backups = nullptr;
};
