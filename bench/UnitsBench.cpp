// One template to many units: vkx520ctl write --units to four vkx520sim
// devices pacing every byte at 38400 baud, each unit read, written and
// verified, against the same write to one of them alone, in the same run.
// Units run side by side, so the ratio should stay close to 1.
#include "BenchMedian.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kUnits = 4;
constexpr int kRuns = 5;
constexpr double kTarget = 1.3;

QString Binary(const char* name) { return QDir(QStringLiteral(VKX_BIN_DIR)).filePath(QLatin1String(name)); }

// The wall time of one write to the units in the inventory; negative when it failed.
double TimeWrite(const QString& templateFile, const QString& inventory) {
    QProcess ctl;
    ctl.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    ctl.start(Binary("vkx520ctl"), {QStringLiteral("write"), templateFile, QStringLiteral("--units"), inventory,
                                    QStringLiteral("--yes"), QStringLiteral("--verify")});
    const bool ok = ctl.waitForFinished(120000) && ctl.exitStatus() == QProcess::NormalExit && ctl.exitCode() == 0;
    return ok ? double(timer.nsecsElapsed()) / 1e9 : -1;
}

bool WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("VKX520_BACKUP_DIR", dir.filePath(QStringLiteral("backups")).toLocal8Bit());
    std::vector<std::unique_ptr<QProcess>> sims;
    QByteArray all;
    for (int i = 0; i < kUnits; ++i) {
        auto sim = std::make_unique<QProcess>();
        sim->start(Binary("vkx520sim"), {QStringLiteral("--pace")});
        if (!sim->waitForStarted() || !sim->waitForReadyRead(5000)) {
            std::printf("vkx520sim did not start\n");
            return 1;
        }
        all += sim->readLine();
        sims.push_back(std::move(sim));
    }
    const QString one = dir.filePath(QStringLiteral("one.txt")), many = dir.filePath(QStringLiteral("many.txt"));
    const QString rack = dir.filePath(QStringLiteral("rack.vkcfg"));
    const QString firstPort = QString::fromLocal8Bit(all.left(all.indexOf('\n')));
    if (!WriteText(one, all.left(all.indexOf('\n') + 1)) || !WriteText(many, all) ||
        QProcess::execute(Binary("vkx520ctl"), {QStringLiteral("read"), QStringLiteral("--port"), firstPort,
                                                QStringLiteral("-o"), rack, QStringLiteral("--no-backup")}) != 0) {
        std::printf("no template\n");
        return 1;
    }
    std::vector<double> alone, together, ratios;
    for (int run = 0; run < kRuns; ++run) {
        const double a = TimeWrite(rack, one), t = TimeWrite(rack, many);
        if (a <= 0 || t <= 0) {
            std::printf("run %d failed\n", run + 1);
            return 1;
        }
        alone.push_back(a);
        together.push_back(t);
        ratios.push_back(t / a);
    }
    const double ratio = Median(ratios);
    std::printf(
        "vkx520ctl write --units --verify against vkx520sim --pace, median of %d runs\n"
        "one unit alone %.0f ms | %d units at once %.0f ms | ratio %.3fx | target %.2fx: %s\n",
        kRuns, Median(alone) * 1000, kUnits, Median(together) * 1000, ratio, kTarget,
        ratio <= kTarget ? "met" : "missed");
    for (auto& sim : sims) {
        sim->terminate();
        sim->waitForFinished(5000);
    }
    return 0;
}
