// Connect (vkx520ctl read) through a serial device server against the
// direct line, in the same run: vkx520sim pacing every byte at 38400 baud on
// a pseudo-terminal, read directly and through ser2net's raw and rfc2217
// accepters, ser2net set up as README advises and with its defaults. Each
// run starts a fresh device and server for each way (their start is not
// timed) and the ways take turns, so that a busy machine slows them alike.
// Two ratios to the direct line per way: the whole vkx520ctl process, and the
// device's own time from the first request byte in to the last reply byte
// out.
#include "BenchMedian.h"

#include "Ser2NetRig.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <vector>

namespace {

constexpr int kRuns = 9;
constexpr double kTarget = 1.10;

struct Sample {
    double wallSeconds = 0;
    double deviceSeconds = 0;
};

struct Way {
    const char* name;
    bool telnet;
    bool serverDefaults;
};
const Way kWays[] = {{"direct", false, false},
                     {"tcp", false, false},
                     {"rfc2217", true, false},
                     {"tcp, ser2net defaults", false, true},
                     {"rfc2217, ser2net defaults", true, true}};
constexpr int kWayCount = int(std::size(kWays));

// One read the way chosen; false when anything failed.
bool Measure(int way, const QString& file, Sample& sample) {
    Ser2NetRig rig({QStringLiteral("--pace"), QStringLiteral("--stats")}, kWays[way].serverDefaults);
    if (!rig.ok()) {
        std::printf("%s\n", qPrintable(rig.Why()));
        return false;
    }
    const QString port = way == 0 ? rig.sim().port() : kWays[way].telnet ? rig.telnet() : rig.raw();
    QProcess ctl;
    ctl.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    ctl.start(BinaryPath("vkx520ctl"), {QStringLiteral("read"), QStringLiteral("--port"), port, QStringLiteral("-o"),
                                        file, QStringLiteral("--no-backup")});
    const bool ok = ctl.waitForFinished(60000) && ctl.exitStatus() == QProcess::NormalExit && ctl.exitCode() == 0;
    sample.wallSeconds = double(timer.nsecsElapsed()) / 1e9;
    static const QRegularExpression active(QStringLiteral("active-us=(\\d+)"));
    const QRegularExpressionMatch match = active.match(rig.Stop());
    sample.deviceSeconds = match.captured(1).toDouble() / 1e6;
    return ok && match.hasMatch();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.vkcfg"));
    std::vector<double> wall[kWayCount], device[kWayCount];
    for (int run = 0; run < kRuns; ++run) {
        for (int way = 0; way < kWayCount; ++way) {
            Sample sample;
            if (!Measure(way, file, sample)) {
                std::printf("%s run %d failed\n", kWays[way].name, run + 1);
                return 1;
            }
            wall[way].push_back(sample.wallSeconds);
            device[way].push_back(sample.deviceSeconds);
        }
    }
    std::printf("vkx520ctl read against vkx520sim --pace, median of %d runs, ratios to the direct line\n", kRuns);
    std::printf("%-26s process %6.1f ms        | device %6.1f ms\n", kWays[0].name, Median(wall[0]) * 1000,
                Median(device[0]) * 1000);
    for (int way = 1; way < kWayCount; ++way) {
        // Ratios run by run (the ways of one run met the same machine), then their median.
        std::vector<double> wallRatio, deviceRatio;
        for (int run = 0; run < kRuns; ++run) {
            wallRatio.push_back(wall[way][run] / wall[0][run]);
            deviceRatio.push_back(device[way][run] / device[0][run]);
        }
        const double processRatio = Median(wallRatio), deviceRatioMedian = Median(deviceRatio);
        std::printf("%-26s process %6.1f ms %5.3fx | device %6.1f ms %5.3fx | target %.2fx: %s\n", kWays[way].name,
                    Median(wall[way]) * 1000, processRatio, Median(device[way]) * 1000, deviceRatioMedian, kTarget,
                    processRatio <= kTarget ? "met" : (deviceRatioMedian <= kTarget ? "met by the device" : "missed"));
    }
    return 0;
}
