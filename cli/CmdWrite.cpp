// vkx520ctl write: Write configuration from a file, on a copy of its image.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "cmdline/ConfigFileArg.h"
#include "base/ExitCodes.h"
#include "cli/TerminalPresenter.h"
#include "lang/UiText.h"
#include "link/DeviceOperation.h"
#include "res/resource.h"

#include "link/DeviceRead.h"
#include "model/ConfigDiff.h"
#include "skin/Skin.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include <unistd.h>

namespace {
constexpr VerbSyntax kWriteSyntax{
    "vkx520ctl write --port PORT FILE.vkcfg [--yes] [--verify [--skin modules.xml]] [--log FILE]",
    OPT_PORT | OPT_YES | OPT_LOG | OPT_VERIFY | OPT_SKIN, OPT_PORT, 1};

// After a write the device restarts and stays silent for a while; verify
// asks it again and again until it answers, for at most this long.
constexpr auto kVerifyPatience = std::chrono::seconds(25);
constexpr auto kVerifyPause = std::chrono::milliseconds(500);

// Reads the device back once it answers again and compares it with what was
// written. EXIT_OK when it holds the same, EXIT_VERIFY_DIFFERENT after
// listing the differences, or the link code of the last read when the device
// never answered or stopped answering before all was read.
int VerifyWritten(CliLink& link, const ConfigImage& written, const CSkin& skin) {
    const auto deadline = std::chrono::steady_clock::now() + kVerifyPatience;
    DeviceRead read;
    for (;;) {
        read = ReadDeviceImage(link, skin, true);
        const bool waiting = read.result == LINK_ERR_NO_REPLY || read.result == LINK_ERR_CRC;
        if (!waiting || std::chrono::steady_clock::now() + kVerifyPause >= deadline) break;
        std::this_thread::sleep_for(kVerifyPause);
    }
    if (const LinkResult code = RefuseIncompleteRead(read, false); code != LINK_OK) return code;
    const std::vector<ConfigDifference> differences = CompareConfigs({written}, {read.image}, CompareScope::Device);
    if (differences.empty()) {
        std::printf("%s\n", LoadUiString(IDS_VERIFY_OK).toLocal8Bit().constData());
        return EXIT_OK;
    }
    std::fprintf(stderr, "vkx520ctl: the device does not hold the configuration written (written -> device):\n");
    for (const QString& line : DifferenceLines(differences, skin.signalNames()).split(u'\n'))
        std::fprintf(stderr, "vkx520ctl:   %s\n", line.toLocal8Bit().constData());
    return EXIT_VERIFY_DIFFERENT;
}

// Asks the desktop program's question when someone is at the terminal.
bool ConfirmWrite(bool assumeYes) {
    if (assumeYes || !::isatty(STDIN_FILENO)) return true;
    TerminalPresenter terminal;
    MessagePresenter* previous = SetMessagePresenter(&terminal);
    const bool yes = UiMessageBox(IDS_WRITE_CONFIRM, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
    SetMessagePresenter(previous);
    return yes;
}
}  // namespace

int RunWrite(const QStringList& args) {
    VerbOptions options;
    if (!ParseVerbArgsOrComplain(args, kWriteSyntax, options)) return EXIT_USAGE;
    if (const int status = ApplyLogOption(options.log); status != EXIT_OK) return status;
    if (!options.verify && !options.skin.isEmpty()) {
        ComplainAboutUsage(QStringLiteral("--skin applies only with --verify"), kWriteSyntax.usage);
        return EXIT_USAGE;
    }
    if (const int status = CheckSkinArg(options); status != EXIT_OK) return status;
    CMainDoc doc;
    if (const int status = LoadConfigFileArg(doc, options.files.first()); status != EXIT_OK) return status;
    if (!ConfirmWrite(options.yes)) {
        UiMessageBox(IDS_LINK_ERROR_BASE + LINK_ERR_ABORTED, MB_OK | MB_ICONEXCLAMATION);
        return LINK_ERR_ABORTED;
    }
    ConfigImage image = doc.image();
    CliLink link(options.port);
    if (const int code = link.Run(OPER_WRITE_CONFIG, image); code != LINK_OK) return code;
    std::printf("%s\n", LoadUiString(IDS_WRITE_DONE).toLocal8Bit().constData());
    if (!options.verify) return EXIT_OK;
    std::fflush(stdout);
    CSkin skin;  // without the default skin the audio kinds stay 0
    skin.LoadSkinFile(SkinPathArg(options), CSkin::SkinPictures::Skip);
    return VerifyWritten(link, doc.image(), skin);
}
