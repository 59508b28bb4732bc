// vkx520ctl reset: restarts the device.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "link/DeviceOperation.h"

int RunReset(const QStringList& args) {
    static constexpr VerbSyntax kSyntax{"vkx520ctl reset --port PORT [--log FILE]", OPT_PORT | OPT_LOG, OPT_PORT, 0};
    return RunPortVerb(args, kSyntax, OPER_RESET, 0);
}
