// Connect and Write configuration end to end: vkx520ctl against vkx520sim
// pacing every byte at 38400 baud over a pseudo-terminal. Each figure is a
// ratio to the ideal wire time of the same run: all request and reply bytes
// the simulator counted, 10 bits each at 38400 baud, plus the 750 ms the
// link waits before a reset (Write). Three ratios: the whole vkx520ctl
// process; the process less the start-up and exit of a vkx520ctl that does
// nothing (--version, measured in the same run); and the link alone (the
// simulator's time from the first request byte in to the last reply byte out).
#include "BenchMedian.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double kByteSeconds = 10.0 / 38400.0;
constexpr double kResetWaitSeconds = 0.750;
constexpr int kRuns = 7;

QString Binary(const char* name) { return QDir(QStringLiteral(VKX_BIN_DIR)).filePath(QLatin1String(name)); }

struct Sample {
    double wallSeconds = 0;
    double linkSeconds = 0;
    double idealSeconds = 0;
    long long bytes = 0;
};

struct SimCounts {
    long long bytes = 0;
    double activeSeconds = 0;
};

bool StopSim(QProcess& sim, SimCounts& counts) {
    sim.terminate();
    if (!sim.waitForFinished(5000)) return false;
    const QString out = QString::fromLocal8Bit(sim.readAllStandardOutput());
    static const QRegularExpression stats(QStringLiteral("request-bytes=(\\d+) reply-bytes=(\\d+) active-us=(\\d+)"));
    const QRegularExpressionMatch m = stats.match(out);
    if (!m.hasMatch()) return false;
    counts.bytes = m.captured(1).toLongLong() + m.captured(2).toLongLong();
    counts.activeSeconds = m.captured(3).toDouble() / 1e6;
    return true;
}

// One vkx520ctl run against a fresh paced simulator; false when anything failed.
bool Measure(const QStringList& ctlArgsBeforePort, const QStringList& ctlArgsAfterPort, double extraIdeal,
             Sample& sample) {
    QProcess sim;
    sim.start(Binary("vkx520sim"), {QStringLiteral("--pace"), QStringLiteral("--stats")});
    if (!sim.waitForStarted() || !sim.waitForReadyRead(5000)) return false;
    const QString port = QString::fromLocal8Bit(sim.readLine()).trimmed();

    QProcess ctl;
    ctl.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    ctl.start(Binary("vkx520ctl"), ctlArgsBeforePort + QStringList{QStringLiteral("--port"), port} + ctlArgsAfterPort);
    const bool ok = ctl.waitForFinished(60000) && ctl.exitStatus() == QProcess::NormalExit && ctl.exitCode() == 0;
    sample.wallSeconds = double(timer.nsecsElapsed()) / 1e9;
    SimCounts counts;
    if (!StopSim(sim, counts) || !ok) return false;
    sample.bytes = counts.bytes;
    sample.linkSeconds = counts.activeSeconds;
    sample.idealSeconds = double(counts.bytes) * kByteSeconds + extraIdeal;
    return true;
}

// The wall time of a vkx520ctl that starts, prints its version and ends.
double StartupSeconds() {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QProcess ctl;
        QElapsedTimer timer;
        timer.start();
        ctl.start(Binary("vkx520ctl"), {QStringLiteral("--version")});
        if (!ctl.waitForFinished(10000)) return 0;
        times.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    return Median(times);
}

bool Report(const char* name, const QStringList& before, const QStringList& after, double extraIdeal, double target,
            double startup) {
    std::vector<double> wallRatios, netRatios, linkRatios;
    Sample sample;
    for (int run = 0; run < kRuns; ++run) {
        if (!Measure(before, after, extraIdeal, sample)) {
            std::printf("%-6s run %d failed\n", name, run + 1);
            return false;
        }
        wallRatios.push_back(sample.wallSeconds / sample.idealSeconds);
        netRatios.push_back((sample.wallSeconds - startup) / sample.idealSeconds);
        linkRatios.push_back(sample.linkSeconds / sample.idealSeconds);
    }
    const double wall = Median(wallRatios), net = Median(netRatios), link = Median(linkRatios);
    std::printf(
        "%-5s %3lld bytes, ideal %6.1f ms | process %5.3fx | less start-up %5.3fx | link %5.3fx | target %.2fx: %s\n",
        name, sample.bytes, sample.idealSeconds * 1000, wall, net, link, target,
        wall <= target ? "met"
                       : (net <= target ? "met less start-up" : (link <= target ? "met by the link" : "missed")));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.vkcfg"));
    const double startup = StartupSeconds();
    std::printf(
        "vkx520ctl against vkx520sim --pace, median of %d runs, ratios to the ideal wire time\n"
        "start-up and exit of vkx520ctl --version: %.1f ms\n",
        kRuns, startup * 1000);
    bool ok = Report("read", {QStringLiteral("read")}, {QStringLiteral("-o"), file}, 0.0, 1.15, startup);
    ok = ok &&
         Report("write", {QStringLiteral("write")}, {QStringLiteral("--yes"), file}, kResetWaitSeconds, 1.10, startup);
    return ok ? 0 : 1;
}
