// Start-up to the first painted frame: VKX520Setup against a bare Qt main
// window with the same kind of menus, toolbar and status bar (any window with
// text pays for Qt's font machinery, which a window without it never starts),
// all started as processes the same way in the same run, taking turns at
// going first. The plain bare window is shown for reference. Each reports the
// steady clock right after its first paint (VKX_EXIT_AFTER_FIRST_PAINT=1, see
// app/FirstPaintExit.h); the time counted runs from just before the process
// is started. The platform is offscreen unless QT_QPA_PLATFORM says otherwise
// (for example xcb under xvfb-run).
#include "BenchMedian.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iterator>
#include <vector>

namespace {

constexpr int kDefaultRuns = 15;
constexpr double kTarget = 1.3;  // against the window with bars

QString Binary(const char* name) { return QDir(QStringLiteral(VKX_BIN_DIR)).filePath(QLatin1String(name)); }

long long SteadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Milliseconds from start to first paint; negative when the run failed.
struct Program {
    const char* title;
    QString path;
    QStringList args;
};

double TimeToFirstPaint(const Program& program) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VKX_EXIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    const long long start = SteadyNs();
    process.start(program.path, program.args);
    const bool finished = process.waitForFinished(30000) && process.exitCode() == 0;
    const QByteArray out = process.readAllStandardOutput();
    const qsizetype at = out.indexOf("first-paint-ns=");
    if (!finished || at < 0) {  // only then is what the program said of interest
        std::fputs(process.readAllStandardError().constData(), stderr);
        return -1;
    }
    const long long painted = out.mid(at + 15).trimmed().toLongLong();
    return double(painted - start) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : kDefaultRuns;
    const Program programs[] = {
        {"bare Qt main window", Binary("bench_bare_window"), {}},
        {"with menus, toolbar, status bar", Binary("bench_bare_window"), {QStringLiteral("--bars")}},
        {"VKX520Setup", Binary("VKX520Setup"), {}},
    };
    constexpr int kCount = int(std::size(programs));
    // One unmeasured start of each first, so that all find their files cached.
    for (const Program& program : programs)
        if (TimeToFirstPaint(program) < 0) {
            std::printf("%s did not report its first paint\n", program.title);
            return 1;
        }
    std::vector<double> times[kCount];
    for (int run = 0; run < runs; ++run) {
        for (int k = 0; k < kCount; ++k) {
            const int which = (run + k) % kCount;
            const double ms = TimeToFirstPaint(programs[which]);
            if (ms < 0) {
                std::printf("run %d of %s failed\n", run + 1, programs[which].title);
                return 1;
            }
            times[which].push_back(ms);
        }
    }
    const double bare = Median(times[0]), bars = Median(times[1]), setup = Median(times[2]);
    const double ratio = setup / bars;
    std::printf(
        "start-up to first painted frame, median of %d runs (%s)\n"
        "Qt main window with menus, toolbar and status bar %6.1f ms | VKX520Setup %6.1f ms | ratio %.3fx"
        " | target %.2fx: %s\n"
        "for reference: the bare Qt main window %6.1f ms; VKX520Setup is %.3fx that\n",
        runs, qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen"))), bars, setup, ratio,
        kTarget, ratio <= kTarget ? "met" : "missed", bare, setup / bare);
    return 0;
}
