// A serial device server in front of the simulated device, as a rack in
// another room is reached: vkx520sim on a pseudo-terminal and the real
// ser2net bridging it to two loopback ports, one raw and one Telnet with Com
// Port Control, both stopped with the rig. Helpers for other bridges (socat)
// and for free ports live here too.
#pragma once

#include "CliProcesses.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// A loopback port nobody listens on at this moment.
inline int FreeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

// The socket inodes a process listens on among the given loopback ports
// (from /proc), so that a rig knows its server has its ports, not another.
inline bool ProcessListensOn(qint64 pid, const QList<int>& ports) {
    QFile table(QStringLiteral("/proc/net/tcp"));
    if (!table.open(QIODevice::ReadOnly)) return false;
    QStringList inodes;
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 10 || fields[3] != "0A") continue;  // listening only
        if (ports.contains(fields[1].split(':').value(1).toInt(nullptr, 16))) inodes << QString::fromLatin1(fields[9]);
    }
    if (inodes.size() < ports.size()) return false;
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    int found = 0;
    for (const QFileInfo& fd : fds.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
        const QString target = fd.symLinkTarget();
        for (const QString& inode : inodes)
            if (target.endsWith(QStringLiteral("socket:[%1]").arg(inode))) ++found;
    }
    return found == ports.size();
}

// Whether the process has the file open now.
inline bool ProcessHasOpen(qint64 pid, const QString& path) {
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QFileInfo& fd : fds.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot))
        if (fd.symLinkTarget() == path) return true;
    return false;
}

// Waits up to timeoutMs for the condition; true once it holds.
template <typename Condition>
bool WaitUntil(Condition condition, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) return false;
        QThread::msleep(5);
    }
    return true;
}

// A bridge program between loopback ports and the simulated device's
// terminal, started and stopped with the test.
class BridgeProcess {
public:
    ~BridgeProcess() { Stop(); }
    // Starts program; true once it listens on every one of ports.
    bool Start(const QString& program, const QStringList& args, const QList<int>& ports) {
        QString path = QStandardPaths::findExecutable(program);
        if (path.isEmpty()) path = QStandardPaths::findExecutable(program, {QStringLiteral("/usr/sbin")});
        if (path.isEmpty()) return false;
        m_process.setProgram(path);
        m_process.setArguments(args);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start();
        if (!m_process.waitForStarted(5000)) return false;
        // Generous: a loaded machine (sanitizer builds, parallel tests) starts it slowly.
        constexpr int kListenTimeoutMs = 10000;
        return WaitUntil(
            [&] { return m_process.state() == QProcess::Running && ProcessListensOn(m_process.processId(), ports); },
            kListenTimeoutMs);
    }
    qint64 pid() const { return m_process.processId(); }
    // What it printed so far (kept for a failure message).
    QString Output() {
        m_output += QString::fromLocal8Bit(m_process.readAll());
        return m_output;
    }
    // As a server that dies: no goodbye on any connection but what the
    // system does for a process that ended.
    void Kill() {
        if (m_process.state() == QProcess::NotRunning) return;
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    void Stop() {
        if (m_process.state() == QProcess::NotRunning) return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) Kill();
    }

private:
    QProcess m_process;
    QString m_output;
};

class Ser2NetRig {
public:
    // simArgs go to vkx520sim (faults, --save, --pace). The server is set up
    // as README advises for a request/reply device (no Nagle's algorithm, no
    // waiting for more bytes before sending), or with ser2net's defaults.
    explicit Ser2NetRig(const QStringList& simArgs = {}, bool serverDefaults = false) : m_sim(simArgs) {
        if (m_sim.port().isEmpty()) return;
        // A port found free may be taken (as another connection's own end)
        // before the server binds it: then again with other ports.
        for (int attempt = 0; attempt < 3 && !m_ok; ++attempt) {
            m_server.Stop();
            m_ok = StartServer(serverDefaults);
        }
    }
    ~Ser2NetRig() { Stop(); }

private:
    bool StartServer(bool serverDefaults) {
        m_rawPort = FreeLoopbackPort();
        m_telnetPort = FreeLoopbackPort();
        const QString tcp = serverDefaults ? QStringLiteral("tcp") : QStringLiteral("tcp(nodelay)");
        const QString options = serverDefaults ? QString() : QStringLiteral("  options:\n    chardelay: false\n");
        // The Telnet side starts at another speed, so that the settings the
        // client sends are what makes the line right.
        const QString config = QStringLiteral(
                                   "connection: &raw\n"
                                   "  accepter: %1,127.0.0.1,%2\n"
                                   "  connector: serialdev,%4,38400n81,local\n"
                                   "%5"
                                   "connection: &rfc2217\n"
                                   "  accepter: telnet(rfc2217),%1,127.0.0.1,%3\n"
                                   "  connector: serialdev,%4,9600e71,local\n"
                                   "%5")
                                   .arg(tcp)
                                   .arg(m_rawPort)
                                   .arg(m_telnetPort)
                                   .arg(m_sim.port(), options);
        const QString configPath = m_dir.filePath(QStringLiteral("ser2net.yaml"));
        QFile file(configPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(config.toUtf8()) < 0) return false;
        file.close();
        // In the foreground, without lock files, with its process file here.
        return m_server.Start(QStringLiteral("ser2net"),
                              {QStringLiteral("-n"), QStringLiteral("-u"), QStringLiteral("-c"), configPath,
                               QStringLiteral("-P"), m_dir.filePath(QStringLiteral("ser2net.pid"))},
                              {m_rawPort, m_telnetPort});
    }

public:
    bool ok() const { return m_ok; }
    // Why ok() is false, for the test's failure message.
    QString Why() {
        return QStringLiteral("ser2net did not start (scripts/install-deps installs it): ") + m_server.Output();
    }
    QString raw() const { return QStringLiteral("tcp://127.0.0.1:%1").arg(m_rawPort); }
    QString telnet() const { return QStringLiteral("rfc2217://127.0.0.1:%1").arg(m_telnetPort); }
    SimProcess& sim() { return m_sim; }
    BridgeProcess& server() { return m_server; }
    // Until the server holds the terminal, that is, serves a connection.
    bool WaitForConnection() {
        return WaitUntil([&] { return ProcessHasOpen(m_server.pid(), QFileInfo(m_sim.port()).canonicalFilePath()); });
    }
    // Stops the server, then the device (which saves its state if asked to);
    // returns what the device printed on leaving.
    QString Stop() {
        m_server.Stop();
        return m_sim.Stop();
    }

private:
    QTemporaryDir m_dir;
    SimProcess m_sim;
    BridgeProcess m_server;
    int m_rawPort = 0;
    int m_telnetPort = 0;
    bool m_ok = false;
};
