#include "cli/CliDevice.h"

#include "base/ProgramPaths.h"
#include "cli/CliArgs.h"
#include "base/ExitCodes.h"
#include "lang/UiText.h"
#include "link/DeviceOperation.h"
#include "link/SerialPorts.h"
#include "base/DiagLog.h"

#include "link/DeviceRead.h"
#include "model/ConfigBackups.h"
#include "skin/AudioKinds.h"

#include <QDir>
#include <QRegularExpression>

#include <csignal>
#include <cstdio>
#include <mutex>

namespace {

volatile std::sig_atomic_t g_abortRequested = 0;
void OnInterrupt(int) { g_abortRequested = 1; }

// While operations run, Ctrl-C ends them between two steps (as the dialog's
// Abort button does) instead of killing the program halfway through a step.
// Operations of several units may run at once on their own threads: the
// first to start takes SIGINT, the last to end gives it back.
std::mutex g_interruptMutex;
int g_interruptUsers = 0;
struct sigaction g_previousInterrupt {};

class InterruptAsAbort {
public:
    InterruptAsAbort() {
        std::lock_guard lock(g_interruptMutex);
        if (g_interruptUsers++ > 0) return;
        g_abortRequested = 0;
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &g_previousInterrupt);
    }
    ~InterruptAsAbort() {
        std::lock_guard lock(g_interruptMutex);
        if (--g_interruptUsers == 0) sigaction(SIGINT, &g_previousInterrupt, nullptr);
    }
    InterruptAsAbort(const InterruptAsAbort&) = delete;
    InterruptAsAbort& operator=(const InterruptAsAbort&) = delete;
};

}  // namespace

QString CliSettingsPath() { return SharedSettingsPath(); }

PortChoice ResolvePortArg(const QString& port) {
    static const QRegularExpression comName(QStringLiteral("^COM([1-8])$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comName.match(port);
    if (match.hasMatch()) return {match.captured(1).toInt() - 1, {}};
    return {0, port};
}

int ApplyLogOption(const QString& logPath) {
    if (logPath.isEmpty()) return EXIT_OK;
    if (const char* why = LogFileProblem(logPath)) {
        std::fprintf(stderr, "vkx520ctl: log file %s cannot be written: %s\n",
                     QDir::toNativeSeparators(logPath).toLocal8Bit().constData(), why);
        return EXIT_CANNOT_CREATE;
    }
    SetLogFile(logPath);
    return EXIT_OK;
}

namespace {
PortChoice ResolvePortWithMapping(const QString& port, CliLink::FirstStart firstStart) {
    PortChoice choice = ResolvePortArg(port);
    if (!choice.devicePath.isEmpty()) return choice;
    if (firstStart == CliLink::FirstStart::StoreMapping)
        EnsurePortMapping(DefaultPortDiscovery());
    else
        choice.devicePath = PortMappingInUse(DefaultPortDiscovery().AvailablePorts()).value(choice.index);
    return choice;
}
}  // namespace

CliLink::CliLink(const QString& port, FirstStart firstStart)
    : m_choice(ResolvePortWithMapping(port, firstStart)), m_serialPorts(m_choice.devicePath) {}

OperationOutcome CliLink::RunSteps(DeviceOperation& operation) {
    InterruptAsAbort interrupt;
    OperationObserver observer;
    observer.abortRequested = [] { return g_abortRequested != 0; };
    return BlockingOperationRunner(m_choice.index, {&m_ports, &SystemLinkClock()}, observer).Run(operation);
}

OperationOutcome CliLink::Run(DeviceOperation& operation) {
    const OperationOutcome outcome = RunSteps(operation);
    ShowNotice(OutcomeMessageOf(operation.command(), outcome));
    return outcome;
}

LinkResult CliLink::Run(DeviceCommand command, ConfigImage& image) {
    return RunOperationOn(*this, command, image).result;
}

DeviceRead ReadDeviceImage(CliLink& link, const CSkin& skin, bool quiet) {
    return ReadImageFromDevice(quiet ? link.Quiet() : link, AudioKindTableOf(skin));
}

LinkResult RefuseIncompleteRead(const DeviceRead& read, bool linkErrorShown) {
    const LinkResult code = read.WholeResult();
    if (code == LINK_OK) return code;
    if (!linkErrorShown) UiMessageBox(LinkErrorTextId(code), MB_OK | MB_ICONSTOP);
    if (read.result == LINK_OK)
        std::fprintf(stderr,
                     "vkx520ctl: the device's embedded audio settings could not be read; nothing was compared\n");
    return code;
}

void KeepDeviceBackup(const ConfigImage& image, const QString& port) {
    FileError error = FileError::None;
    if (!ProgramBackups().Save(image, port, &error).isEmpty()) return;
    std::fprintf(stderr, "vkx520ctl: no backup of the device's configuration could be kept in %s: %s\n",
                 QDir::toNativeSeparators(ProgramBackups().folder()).toLocal8Bit().constData(), FileErrorText(error));
}

int RunPortVerb(const QStringList& args, const VerbSyntax& syntax, DeviceCommand command, unsigned doneTextId) {
    VerbOptions options;
    if (!ParseVerbArgsOrComplain(args, syntax, options)) return EXIT_USAGE;
    if (const int status = ApplyLogOption(options.log); status != EXIT_OK) return status;
    ConfigImage unused;
    unused.Clear();
    if (const int code = CliLink(options.port).Run(command, unused); code != LINK_OK) return code;
    if (doneTextId != 0) std::printf("%s\n", LoadUiString(doneTextId).toLocal8Bit().constData());
    return EXIT_OK;
}
