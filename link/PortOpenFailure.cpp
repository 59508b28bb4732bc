#include "link/PortOpenFailure.h"

#include "lang/UiText.h"
#include "link/NetworkPortName.h"
#include "res/resource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <climits>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifndef Q_OS_WIN
// The folders where serial programs leave "LCK..<name>" files holding their
// process number.
const char* const kLockFolders[] = {"/var/lock", "/run/lock", "/var/spool/lock", "/var/spool/uucp", "/tmp"};

// A small text file's first line; at most 256 bytes are read.
QString FirstLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromLocal8Bit(file.read(256)).section(u'\n', 0, 0).trimmed();
}

QString ProcessName(qint64 pid) {
    const QString name = FirstLine(QStringLiteral("/proc/%1/comm").arg(pid));
    return name.isEmpty() ? QStringLiteral("pid %1").arg(pid) : QStringLiteral("%1 (pid %2)").arg(name).arg(pid);
}

bool IsOtherLiveProcess(qint64 pid) {
    return pid > 0 && pid != qint64(::getpid()) && QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid));
}

// The lock file's name as the serial port library makes it: the path
// without "/dev/", each '/' made '_' ("LCK..ttyUSB0", "LCK..serial_by-id_usb-...").
QString LockFileName(const QString& device) {
    QString name = device.startsWith(QLatin1String("/dev/")) ? device.mid(5) : device;
    return QStringLiteral("LCK..") + name.replace(u'/', u'_');
}

// A lock file naming a process that still runs: the library's, or one named
// after the device's file name alone, as other serial programs name theirs.
QString LockHolder(const QString& device) {
    for (const QString& name : {LockFileName(device), QStringLiteral("LCK..") + QFileInfo(device).fileName()}) {
        for (const char* folder : kLockFolders) {
            bool ok = false;
            const qint64 pid = FirstLine(QString::fromLatin1(folder) + u'/' + name).toLongLong(&ok);
            if (ok && IsOtherLiveProcess(pid)) return ProcessName(pid);
        }
    }
    return {};
}

// A process with the device among its open files (only our own user's
// processes can be looked into, unless we are root).
QString OpenFileHolder(const QString& canonicalDevice) {
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok || !IsOtherLiveProcess(pid)) continue;
        const QDir fds(proc.filePath(entry + QStringLiteral("/fd")));
        for (const QFileInfo& fd : fds.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot))
            if (fd.symLinkTarget() == canonicalDevice) return ProcessName(pid);
    }
    return {};
}
#endif

}  // namespace

PortFacts GatherPortFacts(const QString& device) {
    PortFacts facts;
#ifndef Q_OS_WIN
    const QByteArray path = QFile::encodeName(device);
    struct stat status {};
    if (::stat(path.constData(), &status) != 0) return facts;
    facts.exists = true;
    facts.accessible = ::access(path.constData(), R_OK | W_OK) == 0;
    // Joining the group helps only where the group may read and write.
    const bool groupMayUse = (status.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    if (const group* owner = groupMayUse ? ::getgrgid(status.st_gid) : nullptr)
        facts.group = QString::fromLocal8Bit(owner->gr_name);
    facts.lockNameTooLong = QFile::encodeName(LockFileName(device)).size() > NAME_MAX;
    if (facts.accessible && !facts.lockNameTooLong) {
        facts.holder = LockHolder(device);
        if (facts.holder.isEmpty()) facts.holder = OpenFileHolder(QFileInfo(device).canonicalFilePath());
    }
#else
    facts.exists = true;
    facts.accessible = true;
#endif
    return facts;
}

PortOpenFailure ExplainOpenFailure(const QString& device, OpenError error, const PortFacts& facts,
                                   const QString& systemText) {
    PortOpenFailure failure;
    failure.device = device;
    if (!facts.exists || error == OpenError::NotFound) {
        failure.problem = PortProblem::NoSuchDevice;
    } else if (!facts.accessible) {
        failure.problem = PortProblem::PermissionDenied;
        failure.group = facts.group;
    } else if (error == OpenError::Permission && facts.lockNameTooLong) {
        failure.problem = PortProblem::LockNameTooLong;
    } else if (error == OpenError::Permission || error == OpenError::Busy) {
        failure.problem = PortProblem::InUse;
        failure.holder = facts.holder;
    } else {
        failure.problem = PortProblem::Other;
        failure.system = systemText;
    }
    return failure;
}

QString PortOpenDetail(const PortOpenFailure& failure) {
    QString text;
    const QString device =
        IsNetworkPortName(failure.device) ? failure.device : QDir::toNativeSeparators(failure.device);
    const QString seconds = QString::number(failure.timeoutMs / 1000.0);
    switch (failure.problem) {
    case PortProblem::None: break;
    case PortProblem::PermissionDenied:
        if (failure.group.isEmpty())
            FormatUiString(text, IDS_PORT_NO_PERMISSION, {device});
        else
            FormatUiString(text, IDS_PORT_JOIN_GROUP, {device, failure.group, CurrentUserName()});
        break;
    case PortProblem::NoSuchDevice: FormatUiString(text, IDS_PORT_NO_DEVICE, {device}); break;
    case PortProblem::InUse:
        if (failure.holder.isEmpty())
            FormatUiString(text, IDS_PORT_IN_USE, {device});
        else
            FormatUiString(text, IDS_PORT_IN_USE_BY, {device, failure.holder});
        break;
    case PortProblem::LockNameTooLong: FormatUiString(text, IDS_PORT_LOCK_NAME_TOO_LONG, {device}); break;
    case PortProblem::Other: FormatUiString(text, IDS_PORT_OTHER_ERROR, {device, failure.system}); break;
    case PortProblem::ConnectionRefused: FormatUiString(text, IDS_PORT_NET_REFUSED, {device}); break;
    case PortProblem::HostUnreachable: FormatUiString(text, IDS_PORT_NET_UNREACHABLE, {device}); break;
    case PortProblem::ConnectTimedOut: FormatUiString(text, IDS_PORT_NET_TIMEOUT, {device, seconds}); break;
    case PortProblem::HostNotFound: FormatUiString(text, IDS_PORT_NET_NO_HOST, {device}); break;
    case PortProblem::NegotiationRefused:
        FormatUiString(text, IDS_PORT_NET_REFUSED_OPTION, {device, failure.option});
        break;
    case PortProblem::NegotiationTimedOut:
        FormatUiString(text, IDS_PORT_NET_UNCONFIRMED, {device, failure.option, seconds});
        break;
    case PortProblem::ConnectionClosed: FormatUiString(text, IDS_PORT_NET_CLOSED, {device}); break;
    case PortProblem::BadNetworkName: FormatUiString(text, IDS_PORT_NET_BAD_NAME, {device}); break;
    }
    return text;
}

QString CurrentUserName() {
#ifndef Q_OS_WIN
    if (const passwd* user = ::getpwuid(::geteuid())) return QString::fromLocal8Bit(user->pw_name);
#endif
    const QString name = qEnvironmentVariable("USER");
    return name.isEmpty() ? QStringLiteral("$USER") : name;
}
