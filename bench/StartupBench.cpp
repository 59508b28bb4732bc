// Start-up to the first painted frame: VKX520Setup against a bare Qt main
// window, both started as processes the same way in the same run, alternating
// which goes first. Each reports the steady clock right after its first paint
// (VKX_EXIT_AFTER_FIRST_PAINT=1, see app/FirstPaintExit.h); the time counted
// runs from just before the process is started. The platform is offscreen
// unless QT_QPA_PLATFORM says otherwise (for example xcb under xvfb-run).
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kDefaultRuns = 15;
constexpr double kTarget = 1.5;

QString Binary(const char* name) { return QDir(QStringLiteral(VKX_BIN_DIR)).filePath(QLatin1String(name)); }

long long SteadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Milliseconds from start to first paint; negative when the run failed.
double TimeToFirstPaint(const QString& program) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VKX_EXIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM"))) env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    const long long start = SteadyNs();
    process.start(program, {});
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

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : kDefaultRuns;
    const QString programs[2] = {Binary("bench_bare_window"), Binary("VKX520Setup")};
    // One unmeasured start of each first, so that both find their files cached.
    for (const QString& program : programs)
        if (TimeToFirstPaint(program) < 0) {
            std::printf("%s did not report its first paint\n", qPrintable(program));
            return 1;
        }
    std::vector<double> times[2];
    for (int run = 0; run < runs; ++run) {
        for (int k = 0; k < 2; ++k) {
            const int which = (run + k) % 2;
            const double ms = TimeToFirstPaint(programs[which]);
            if (ms < 0) {
                std::printf("run %d of %s failed\n", run + 1, qPrintable(programs[which]));
                return 1;
            }
            times[which].push_back(ms);
        }
    }
    const double bare = Median(times[0]), setup = Median(times[1]);
    const double ratio = setup / bare;
    std::printf("start-up to first painted frame, median of %d runs (%s)\n"
                "bare Qt main window %6.1f ms | VKX520Setup %6.1f ms | ratio %.3fx | target %.2fx: %s\n",
                runs, qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen"))), bare, setup,
                ratio, kTarget, ratio <= kTarget ? "met" : "missed");
    return 0;
}
