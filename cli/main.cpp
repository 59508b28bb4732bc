// vkx520ctl: the command-line companion of VKX520Setup.
#include "base/Settings.h"
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "lang/LanguageManager.h"
#include "lang/UiText.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetAppProfilePath(CliSettingsPath());
    // The command itself goes on; losing a setting is said once.
    ReportSettingsWriteFailures();
    // Messages follow the language chosen in the desktop program's settings.
    InitCommandLineLanguages();
    return RunVkx520Ctl(QCoreApplication::arguments().mid(1));
}
