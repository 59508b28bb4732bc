// Why a serial port would not open, found out where the opening failed and
// carried up beside LINK_ERR_PORT, so that the layer talking to the user can
// add a line saying what to do about it under the unchanged port message. A
// network port also says here that its server closed the connection during
// an operation (beside the code the operation ended with).
#pragma once

#include <QString>

enum class PortProblem {
    None,              // nothing known (the port opened, or no reason was looked for)
    PermissionDenied,  // the user may not open the device
    NoSuchDevice,      // nothing is there, or the adapter was unplugged
    InUse,             // another program has the device
    LockNameTooLong,   // the device's name is too long for the lock file that guards it
    Other,             // the system's own text says why
    // Network ports (tcp://, rfc2217://).
    ConnectionRefused,    // nothing listens on that port
    HostUnreachable,      // no route to the host
    ConnectTimedOut,      // no answer within timeoutMs
    HostNotFound,         // the name does not resolve
    NegotiationRefused,   // the server would not accept option
    NegotiationTimedOut,  // the server did not confirm option within timeoutMs
    ConnectionClosed,     // the server ended the connection
    BadNetworkName,       // a tcp:// or rfc2217:// name without a host or port
};

struct PortOpenFailure {
    PortProblem problem = PortProblem::None;
    QString device;     // the path that was opened
    QString group;      // PermissionDenied: the group owning the device, when known
    QString holder;     // InUse: the other program ("name (pid 123)"), when the system tells
    QString system;     // Other: the system's description of the error
    QString option;     // NegotiationRefused, NegotiationTimedOut: what the server did not accept
    int timeoutMs = 0;  // ConnectTimedOut, NegotiationTimedOut: how long was waited
};

// What the file system tells about a device after opening it failed: the
// facts the explanation is made of, gathered by GatherPortFacts and made up
// by tests (which run as root, where no permission is ever missing).
struct PortFacts {
    bool exists = false;
    bool accessible = false;  // readable and writable by this user
    QString group;            // owning group's name, when its members may read and write the device
    QString holder;           // a process that has it open or locked
    // The lock file serial programs share ("LCK..<name>") cannot exist for
    // this device: its name is longer than a file name may be.
    bool lockNameTooLong = false;
};
PortFacts GatherPortFacts(const QString& device);

// How the opening failed, as far as the serial port library tells it.
enum class OpenError { NotFound, Permission, Busy, Other };

// The reason from the library's error and the facts: a device that is not
// there is missing whatever the library says, a permission error on a device
// this user may open means another program holds it, unless the lock file
// that the library creates first could not be named.
PortOpenFailure ExplainOpenFailure(const QString& device, OpenError error, const PortFacts& facts,
                                   const QString& systemText = {});

// The detail line shown under the port message, in the program's language;
// empty when nothing is known.
QString PortOpenDetail(const PortOpenFailure& failure);

// The name of the user running the program, for the command that adds it to
// a group.
QString CurrentUserName();
