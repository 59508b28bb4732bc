// The real programs for end-to-end tests: vkx520sim on a pseudo-terminal as
// a child process, and vkx520ctl runs with their exit status and output.
#pragma once

#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>

inline QString BinaryPath(const char* name) { return QDir(QStringLiteral(VKX_BIN_DIR)).filePath(QLatin1String(name)); }

struct CtlResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs vkx520ctl (or another executable) to its end; standard input is
// empty, standard output goes to outputFile when one is named.
inline CtlResult RunProgram(const QString& program, const QStringList& args, const QString& outputFile = {}) {
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    if (!outputFile.isEmpty()) process.setStandardOutputFile(outputFile);
    process.start(program, args);
    CtlResult result;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitCode();
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

inline CtlResult RunCtl(const QStringList& args, const QString& outputFile = {}) {
    return RunProgram(BinaryPath("vkx520ctl"), args, outputFile);
}

// vkx520sim for the length of a test; port() is its terminal once started.
class SimProcess {
public:
    explicit SimProcess(const QStringList& args = {}) {
        m_process.start(BinaryPath("vkx520sim"), args);
        if (!m_process.waitForStarted(10000)) return;
        while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {}
        m_port = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~SimProcess() { Stop(); }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const QString& port() const { return m_port; }
    // Stops it as a user would (SIGTERM); returns what it printed after the port.
    QString Stop() {
        if (m_process.state() == QProcess::NotRunning) return m_rest;
        m_process.terminate();
        if (!m_process.waitForFinished(10000)) {
            m_process.kill();
            m_process.waitForFinished();
        }
        m_exitCode = m_process.exitCode();
        m_rest = QString::fromLocal8Bit(m_process.readAllStandardOutput());
        return m_rest;
    }
    int exitCode() const { return m_exitCode; }

private:
    QProcess m_process;
    QString m_port;
    QString m_rest;
    int m_exitCode = -1;
};
