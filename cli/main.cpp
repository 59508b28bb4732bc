// vkx520ctl: the command-line companion of VKX520Setup.
#include "app/Settings.h"
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetAppProfilePath(CliSettingsPath());
    return RunVkx520Ctl(QCoreApplication::arguments().mid(1));
}
