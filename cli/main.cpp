// vkx520ctl: the command-line companion of VKX520Setup.
#include "base/ExitCodes.h"
#include "base/Settings.h"
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "lang/LanguageManager.h"
#include "lang/UiText.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// What a command printed must have reached standard output: a full disk or
// a device that takes nothing behind it makes the command fail, not succeed.
int WithOutputDelivered(int status) {
    // An earlier write that failed leaves only the error flag, not its reason.
    const bool flushed = std::fflush(stdout) == 0;
    if (flushed && !std::ferror(stdout)) return status;
    std::fprintf(stderr, "vkx520ctl: standard output: %s\n", flushed ? "write error" : std::strerror(errno));
    return status == EXIT_OK ? EXIT_CANNOT_CREATE : status;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetAppProfilePath(CliSettingsPath());
    // The command itself goes on; losing a setting is said once.
    ReportSettingsWriteFailures();
    // Messages follow the language chosen in the desktop program's settings.
    InitCommandLineLanguages();
    return WithOutputDelivered(RunVkx520Ctl(QCoreApplication::arguments().mid(1)));
}
