// vkx520ctl write: Write configuration from a file, on a copy of its image.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "cli/ConfigFileArg.h"
#include "base/ExitCodes.h"
#include "cli/TerminalPresenter.h"
#include "lang/UiText.h"
#include "link/DeviceOperation.h"
#include "res/resource.h"

#include <cstdio>

#include <unistd.h>

namespace {
constexpr VerbSyntax kWriteSyntax{"vkx520ctl write --port PORT FILE.vkcfg [--yes] [--log FILE]",
                                  OPT_PORT | OPT_YES | OPT_LOG, OPT_PORT, 1};

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
    ApplyLogOption(options.log);
    CMainDoc doc;
    if (const int status = LoadConfigFileArg(doc, options.files.first()); status != EXIT_OK) return status;
    if (!ConfirmWrite(options.yes)) {
        UiMessageBox(IDS_LINK_ERROR_BASE + LINK_ERR_ABORTED, MB_OK | MB_ICONEXCLAMATION);
        return LINK_ERR_ABORTED;
    }
    ConfigImage image = doc.image();
    if (const int code = CliLink(options.port).Run(OPER_WRITE_CONFIG, image); code != LINK_OK) return code;
    std::printf("%s\n", LoadUiString(IDS_WRITE_DONE).toLocal8Bit().constData());
    return EXIT_OK;
}
