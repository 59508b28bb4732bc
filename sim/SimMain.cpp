// vkx520sim: the simulated VKX520 on a pseudo-terminal, for vkx520ctl, the
// desktop program and tests to talk to as if a device were plugged in.
#include "cli/ConfigFileArg.h"
#include "base/ExitCodes.h"
#include "link/NetworkPortName.h"
#include "sim/DemoConfig.h"
#include "sim/PtyServer.h"
#include "sim/SimState.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <iterator>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

constexpr char kHelp[] = R"(usage: vkx520sim [options]

Runs a simulated VKX520 on a pseudo-terminal and prints the terminal's device
path (the port to give vkx520ctl or the desktop program) as the first line on
standard output; with --listen, on a TCP port instead. Stops cleanly on
SIGINT or SIGTERM.

  --link PATH           also make PATH a symbolic link to the terminal
  --listen HOST:PORT    serve on TCP instead of a pseudo-terminal, as a
                        serial device server does raw (one connection at a
                        time; port 0: one the system chooses) and print
                        the port's name, tcp://HOST:PORT
  --load FILE.vkcfg     start from the configuration in this file
                        (default: a demonstration rack of the shipped modules)
  --save FILE.vkcfg     write the device's configuration to this file on exit
  --write-demo FILE     write the demonstration rack with its input and panel
                        labels as a configuration file, then exit
  --pace                send and take bytes at the speed of a 38400 baud line
  --reboot-silence MS   stay silent for MS milliseconds after a reset
  --stats               on exit print: requests, request bytes, reply bytes
                        and the time from the first byte in to the last out
  --request-log FILE    on exit write every request received to FILE, one
                        per line: its command byte, a colon, then the whole
                        frame, in hexadecimal ("0e: ...")
  --help                this text
  --version             the version of vkx520sim

Faults, to see how programs cope:
  --silent              answer nothing (as a device switched off)
  --corrupt N           the next N replies carry a wrong CRC
  --busy MS             answer BUSY to everything for MS milliseconds
  --fail N              answer FAILURE to the next N requests
  --bad-block ADDRESS   spoil the stored CRC of the block at ADDRESS
                        (0xFF0000, 0xFF0040, 0xFF0060 or 0xFF0080)
  --unplug-after N      go silent for good after N requests
  --erase-busy MS       an erase keeps the device busy for MS milliseconds
  --ignore-module-writes  acknowledge module types, input counts and signals
                        without storing them (a write then does not hold)
)";

struct SimOptions {
    QString link, load, save, writeDemo, listen, requestLog;
    bool pace = false, stats = false, silent = false, help = false, version = false, ignoreModuleWrites = false;
    int rebootSilenceMs = 0, corrupt = 0, busyMs = 0, fail = 0, unplugAfter = -1, eraseBusyMs = 0;
    int badBlock = -1;
};

struct FlagOption {
    const char* name;
    bool SimOptions::*field;
};
struct TextOption {
    const char* name;
    QString SimOptions::*field;
};
struct NumberOption {
    const char* name;
    int SimOptions::*field;
};

constexpr FlagOption kFlags[] = {
    {"pace", &SimOptions::pace},     {"stats", &SimOptions::stats},
    {"silent", &SimOptions::silent}, {"ignore-module-writes", &SimOptions::ignoreModuleWrites},
    {"help", &SimOptions::help},     {"version", &SimOptions::version}};
constexpr TextOption kTexts[] = {
    {"link", &SimOptions::link}, {"listen", &SimOptions::listen},        {"load", &SimOptions::load},
    {"save", &SimOptions::save}, {"write-demo", &SimOptions::writeDemo}, {"request-log", &SimOptions::requestLog}};
constexpr NumberOption kNumbers[] = {{"reboot-silence", &SimOptions::rebootSilenceMs},
                                     {"corrupt", &SimOptions::corrupt},
                                     {"busy", &SimOptions::busyMs},
                                     {"fail", &SimOptions::fail},
                                     {"unplug-after", &SimOptions::unplugAfter},
                                     {"erase-busy", &SimOptions::eraseBusyMs},
                                     {"bad-block", &SimOptions::badBlock}};

QString Dashed(const QString& name) { return QStringLiteral("--") + name; }

// The two common mistakes are worded as vkx520ctl words them; anything else
// keeps the parser's own text.
QString ParseError(const QCommandLineParser& parser, const QStringList& args) {
    if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty())
        return QStringLiteral("unknown option %1").arg(Dashed(unknown.first()));
    const auto takesValue = [&](const auto& option) { return Dashed(QLatin1String(option.name)) == args.last(); };
    if (!args.isEmpty() && (std::any_of(std::begin(kTexts), std::end(kTexts), takesValue) ||
                            std::any_of(std::begin(kNumbers), std::end(kNumbers), takesValue)))
        return QStringLiteral("%1 needs a value").arg(args.last());
    return parser.errorText();
}

bool ParseOptions(const QStringList& args, SimOptions& options, QString& error) {
    QCommandLineParser parser;
    // "-fast" is one unknown word, not the letters f, a, s and t.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const FlagOption& flag : kFlags) parser.addOption(QCommandLineOption(QLatin1String(flag.name)));
    for (const TextOption& text : kTexts)
        parser.addOption(QCommandLineOption(QLatin1String(text.name), {}, QStringLiteral("value")));
    for (const NumberOption& number : kNumbers)
        parser.addOption(QCommandLineOption(QLatin1String(number.name), {}, QStringLiteral("number")));
    if (!parser.parse(QStringList(QStringLiteral("vkx520sim")) + args)) {
        error = ParseError(parser, args);
        return false;
    }
    if (const QStringList stray = parser.positionalArguments(); !stray.isEmpty()) {
        error = QStringLiteral("unexpected %1").arg(stray.first());
        return false;
    }
    for (const FlagOption& flag : kFlags) options.*flag.field = parser.isSet(QLatin1String(flag.name));
    for (const TextOption& text : kTexts)
        if (parser.isSet(QLatin1String(text.name))) options.*text.field = parser.value(QLatin1String(text.name));
    for (const NumberOption& number : kNumbers) {
        const QString name = QLatin1String(number.name);
        if (!parser.isSet(name)) continue;
        const QString value = parser.value(name);
        bool ok = false;
        const int parsed = value.toInt(&ok, 0);
        if (!ok || parsed < 0) {
            error = QStringLiteral("%1 takes a number, not %2").arg(Dashed(name), value);
            return false;
        }
        options.*number.field = parsed;
    }
    if (!options.listen.isEmpty()) {
        if (!ParseHostAndPort(options.listen, true)) {
            error = QStringLiteral("--listen takes HOST:PORT, not %1").arg(options.listen);
            return false;
        }
        if (!options.link.isEmpty()) {
            error = QStringLiteral("--link needs a pseudo-terminal; it does not go with --listen");
            return false;
        }
    }
    return true;
}

void ApplyFaults(const SimOptions& options, SimDevice& device) {
    device.SetSilent(options.silent);
    device.SetIgnoreModuleWrites(options.ignoreModuleWrites);
    device.SetRebootSilenceMs(options.rebootSilenceMs);
    device.SetEraseBusyMs(options.eraseBusyMs);
    if (options.corrupt > 0) device.CorruptReplies(options.corrupt);
    if (options.busyMs > 0) device.BusyFor(options.busyMs);
    if (options.fail > 0) device.FailRequests(options.fail);
    if (options.unplugAfter >= 0) device.UnplugAfter(options.unplugAfter);
    if (options.badBlock >= 0) device.CorruptStoredBlock(uint32_t(options.badBlock));
}

// Replaces an earlier link of ours; never a file that is not a link.
bool MakeLink(const QString& linkPath, const QString& target) {
    if (QFileInfo(linkPath).isSymLink()) QFile::remove(linkPath);
    return QFile::link(target, linkPath);
}

volatile std::sig_atomic_t g_stop = 0;
void OnStopSignal(int) { g_stop = 1; }

void InstallStopHandlers() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

void PrintStats(const PtyStats& stats) {
    std::printf("requests=%llu request-bytes=%llu reply-bytes=%llu active-us=%lld\n",
                static_cast<unsigned long long>(stats.requests), static_cast<unsigned long long>(stats.requestBytes),
                static_cast<unsigned long long>(stats.replyBytes), static_cast<long long>(stats.activeSpan.count()));
}

// A request as a line of the request log: "0e: 00 03 0e ...".
QByteArray RequestLine(const std::vector<uint8_t>& frame) {
    return QByteArray(1, char(frame[2])).toHex() + ": " +
           QByteArray(reinterpret_cast<const char*>(frame.data()), qsizetype(frame.size())).toHex(' ') + '\n';
}

bool WriteRequestLog(const QByteArray& text, const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size()) return true;
    std::fprintf(stderr, "vkx520sim: cannot write the request log %s\n", qPrintable(path));
    return false;
}

int Serve(const SimOptions& options) {
    ConfigFileContents state = SimStateOf(MakeDemoImage());
    if (!options.load.isEmpty())
        if (const int status = LoadConfigFileArg(state, options.load); status != EXIT_OK) return status;
    if (!options.save.isEmpty())
        if (const int status = CheckOutputFileArg(options.save); status != EXIT_OK) return status;

    SimDevice device(SystemLinkClock());
    device.LoadImage(state.image);
    ApplyFaults(options, device);
    PtyServer server(device);
    if (const std::optional<NetworkPortAddress> listen = ParseHostAndPort(options.listen, true)) {
        if (!server.Listen(listen->host, listen->port)) {
            std::fprintf(stderr, "vkx520sim: cannot listen on %s: %s\n", qPrintable(options.listen),
                         std::strerror(errno));
            return 1;
        }
    } else if (!server.Open()) {
        std::perror("vkx520sim: no pseudo-terminal");
        return 1;
    }
    server.SetPacing(options.pace);
    QByteArray requestLog;
    if (!options.requestLog.isEmpty())
        server.SetRequestListener(
            [&requestLog](const std::vector<uint8_t>& frame) { requestLog += RequestLine(frame); });
    if (!options.link.isEmpty() && !MakeLink(options.link, server.slavePath())) {
        std::fprintf(stderr, "vkx520sim: cannot create the link %s\n", qPrintable(options.link));
        return EXIT_CANNOT_CREATE;
    }
    InstallStopHandlers();
    const QString port = options.listen.isEmpty() ? server.slavePath() : server.ListenName();
    std::printf("%s\n", port.toLocal8Bit().constData());
    std::fflush(stdout);

    server.Run(g_stop);

    if (!options.link.isEmpty()) QFile::remove(options.link);
    int status = EXIT_OK;
    if (!options.save.isEmpty()) {
        TakeDeviceState(state, device);
        status = SaveConfigFileArg(state, options.save);
    }
    if (options.stats) PrintStats(server.stats());
    if (!options.requestLog.isEmpty() && !WriteRequestLog(requestLog, options.requestLog) && status == EXIT_OK)
        status = EXIT_CANNOT_CREATE;
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    SimOptions options;
    QString error;
    if (!ParseOptions(args, options, error)) {
        std::fprintf(stderr, "vkx520sim: %s\n(see vkx520sim --help)\n", qPrintable(error));
        return EXIT_USAGE;
    }
    if (options.help) {
        std::fputs(kHelp, stdout);
        return EXIT_OK;
    }
    if (options.version) {
        std::printf("vkx520sim %s\n", VKX_VERSION);
        return EXIT_OK;
    }
    if (!options.writeDemo.isEmpty()) return WriteDemoFile(options.writeDemo) ? EXIT_OK : EXIT_CANNOT_CREATE;
    return Serve(options);
}
