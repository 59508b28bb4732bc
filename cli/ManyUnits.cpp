// Writing one template to many units at once. Each unit gets a worker of its
// own (up to kMaxWorkers at a time); its lines are kept and printed together,
// each led by its port, when the unit ends, so that units never interleave.
#include "base/ExitCodes.h"
#include "cli/CliDevice.h"
#include "cli/UnitWrite.h"
#include "lang/UiText.h"
#include "link/LinkDefs.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>

namespace {

// Threads sit on serial lines, not on the processor; this only keeps a very
// long inventory from opening every port at once.
constexpr std::size_t kMaxWorkers = 16;

class UnitReport : public UnitOutput {
public:
    void Note(const QString&) override {}  // the unit's closing line says it
    void List(const QString& line) override { m_out << line; }
    void Err(const QString& line) override { m_err << line; }
    const QStringList& out() const { return m_out; }
    const QStringList& err() const { return m_err; }

private:
    QStringList m_out, m_err;
};

// The unit whose worker runs on this thread: its message boxes go into its report.
thread_local UnitReport* t_unit = nullptr;

// Message boxes of a worker (link errors, warnings) become lines of its unit's
// report; those of any other thread go where they went before.
class UnitPresenter : public MessagePresenter {
public:
    UnitPresenter() : m_previous(SetMessagePresenter(this)) {}
    ~UnitPresenter() override { SetMessagePresenter(m_previous); }
    UnitPresenter(const UnitPresenter&) = delete;
    UnitPresenter& operator=(const UnitPresenter&) = delete;

    int Present(unsigned id, const QString& caption, const QString& text, unsigned style) override {
        return PresentDetailed(id, caption, text, {}, style);
    }
    int PresentDetailed(unsigned id, const QString& caption, const QString& text, const QString& detail,
                        unsigned style) override {
        if (!t_unit) return m_previous->PresentDetailed(id, caption, text, detail, style);
        for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) t_unit->Err(line);
        for (const QString& line : detail.split(u'\n', Qt::SkipEmptyParts))
            t_unit->Err(QStringLiteral("vkx520ctl: ") + line);
        return DefaultAnswer(style);
    }

private:
    MessagePresenter* m_previous;
};

QString StageText(UnitStage stage) {
    switch (stage) {
    case UnitStage::Reading: return QStringLiteral("reading");
    case UnitStage::Writing: return QStringLiteral("writing");
    case UnitStage::Verifying: return QStringLiteral("verifying");
    case UnitStage::Done: break;
    }
    return QStringLiteral("done");
}

// The unit's closing line, after its port.
QString ClosingLine(const UnitOutcome& outcome, const UnitWriteMode& mode) {
    if (outcome.status == EXIT_VERIFY_DIFFERENT)
        return QStringLiteral("failed (status %1): the device does not hold the configuration written")
            .arg(outcome.status);
    if (outcome.status != EXIT_OK)
        return QStringLiteral("failed (status %1) while %2").arg(outcome.status).arg(StageText(outcome.stage));
    if (mode.dryRun)
        return outcome.changes == 0 ? QStringLiteral("no changes")
                                    : QStringLiteral("%1 change(s) a write would make").arg(outcome.changes);
    return mode.verify ? QStringLiteral("written and verified") : QStringLiteral("written");
}

void Print(FILE* stream, const QString& port, const QStringList& lines) {
    for (const QString& line : lines)
        std::fprintf(stream, "%s: %s\n", qPrintable(port), line.toLocal8Bit().constData());
}

}  // namespace

int WriteManyUnits(const std::vector<UnitTarget>& units, const UnitWriteMode& mode, const CSkin& skin) {
    // Built here, one after the other: a COM name may store the port mapping.
    std::vector<std::unique_ptr<CliLink>> links;
    for (const UnitTarget& unit : units) links.push_back(std::make_unique<CliLink>(unit.port, mode.firstStart()));
    std::vector<UnitReport> reports(units.size());
    std::vector<UnitOutcome> outcomes(units.size());
    std::vector<char> started(units.size(), 0);  // not vector<bool>: each worker writes its own
    std::atomic<std::size_t> next{0};
    std::atomic<bool> aborted{false};
    std::mutex printing;
    UnitPresenter presenter;

    const auto work = [&] {
        for (std::size_t i = next++; i < units.size() && !aborted; i = next++) {
            {
                std::lock_guard lock(printing);
                started[i] = 1;
            }
            t_unit = &reports[i];
            const UnitOutcome outcome = WriteUnit(units[i].image, mode, units[i].port, *links[i], skin, reports[i]);
            t_unit = nullptr;
            // Ctrl-C: the units under way end between steps, no more begin.
            if (outcome.status == LINK_ERR_ABORTED) aborted = true;
            // The results are handed over under the lock: QThread::wait's own
            // synchronisation is not one a race checker can see.
            std::lock_guard lock(printing);
            outcomes[i] = outcome;
            Print(stderr, units[i].port, reports[i].err());
            std::fflush(stderr);
            Print(stdout, units[i].port, reports[i].out() + QStringList{ClosingLine(outcomes[i], mode)});
            std::fflush(stdout);
        }
    };
    // QThreads: the link's serial ports want threads Qt knows.
    std::vector<std::unique_ptr<QThread>> workers;
    for (std::size_t w = 0; w < std::min(units.size(), kMaxWorkers); ++w) {
        workers.emplace_back(QThread::create(work));
        workers.back()->start();
    }
    for (const auto& worker : workers) worker->wait();

    QStringList failed;
    std::lock_guard lock(printing);
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (!started[i])
            failed << QStringLiteral("%1 (not begun)").arg(units[i].port);
        else if (outcomes[i].status != EXIT_OK)
            failed << QStringLiteral("%1 (status %2)").arg(units[i].port).arg(outcomes[i].status);
    }
    const qsizetype done = qsizetype(units.size()) - failed.size();
    std::printf("%lld of %zu units %s", static_cast<long long>(done), units.size(),
                mode.dryRun ? "read" : (mode.verify ? "written and verified" : "written"));
    if (!failed.isEmpty()) std::printf("; failed: %s", failed.join(QStringLiteral(", ")).toLocal8Bit().constData());
    std::printf("\n");
    return failed.isEmpty() ? EXIT_OK : EXIT_SOME_UNITS_FAILED;
}
