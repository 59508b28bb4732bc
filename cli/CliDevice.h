// What the device verbs of vkx520ctl share: the port argument, the log
// option and running one device operation with the same step driver and
// link code as the desktop program's operation dialog.
#pragma once

#include "link/DeviceOperation.h"
#include "link/HeldPortFactory.h"
#include "link/SerialLinkPort.h"
#include "model/ConfigImage.h"

#include <QString>
#include <QStringList>

// The settings file whose "Ports" section maps COM1..COM8 to devices: the
// desktop program's, beside vkx520ctl, so both programs agree on the names.
QString CliSettingsPath();

// Where a PORT argument leads. "COM1".."COM8" (any letter case) are port
// indexes 0..7, mapped to devices as the desktop program maps them; anything
// else is a device path (a serial device, a pseudo-terminal).
struct PortChoice {
    int index = -1;
    QString devicePath;  // empty: the index's mapping
};
PortChoice ResolvePortArg(const QString& port);

// --log FILE: the diagnostic lines go to FILE. Without it the settings decide.
// EXIT_OK, or EXIT_CANNOT_CREATE after saying why FILE cannot take them.
int ApplyLogOption(const QString& logPath);

// The port a verb works on, and how vkx520ctl runs a device operation on it:
// blocking, with the same step loop and link code as the desktop program's
// operation dialog, then telling the outcome on standard error as that
// dialog's runner tells it. The port is opened by the first step and kept
// open for every step and operation of the verb, each step starting on a
// purged line as if the port had just been opened. Several links may run at
// once on threads of their own (one per port).
class CliLink : public OperationRunner {
public:
    // A COM name means what the desktop program's first start makes it mean.
    // A verb that changes the device stores that mapping as the first start
    // would; one that only looks (diff, a dry run) leaves the settings as they are.
    enum class FirstStart { StoreMapping, LeaveSettings };
    explicit CliLink(const QString& port, FirstStart firstStart = FirstStart::StoreMapping);

    // Runs a device operation and shows, as the operation dialog does, the
    // link error (string 21108 + code) or the checksum warning on standard
    // error. Ctrl-C asks for an abort, honoured between steps.
    OperationOutcome Run(DeviceOperation& operation) override;
    // The same into or from image (RunOperationOn); returns the link result code.
    LinkResult Run(DeviceCommand command, ConfigImage& image);
    // Runs operations without telling anything (waiting for a device to answer).
    OperationRunner& Quiet() { return m_quiet; }

private:
    OperationOutcome RunSteps(DeviceOperation& operation);

    class QuietRunner : public OperationRunner {
    public:
        explicit QuietRunner(CliLink& link) : m_link(link) {}
        OperationOutcome Run(DeviceOperation& operation) override { return m_link.RunSteps(operation); }

    private:
        CliLink& m_link;
    };

    PortChoice m_choice;
    SerialPortFactory m_serialPorts;
    HeldPortFactory m_ports{m_serialPorts};
    QuietRunner m_quiet{*this};
};

struct VerbSyntax;
// A verb that only needs a port: parses, runs the operation with an image it
// does not need, and prints the text doneTextId (0: none) on success.
int RunPortVerb(const QStringList& args, const VerbSyntax& syntax, DeviceCommand command, unsigned doneTextId);

class CSkin;
struct DeviceRead;
// The device's configuration as Connect reads it, without a document: the
// audio kinds from the skin, then the embedded audio settings. quiet: nothing
// is told on failure.
DeviceRead ReadDeviceImage(CliLink& link, const CSkin& skin, bool quiet = false);

// For verbs that compare with the device: a read that did not come back
// whole (the embedded audio settings included) compares nothing. Returns its
// link code after telling why (the link error itself too unless the read
// told it already), or LINK_OK.
LinkResult RefuseIncompleteRead(const DeviceRead& read, bool linkErrorShown);

// Keeps a backup of a configuration read from the device on port; a backup
// that cannot be saved is only a warning on standard error.
void KeepDeviceBackup(const ConfigImage& image, const QString& port);
