// vkx520ctl set-time: Synchronize time, the device clock set from this computer's.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "link/DeviceOperation.h"
#include "res/resource.h"

int RunSetTime(const QStringList& args) {
    static constexpr VerbSyntax kSyntax{"vkx520ctl set-time --port PORT [--log FILE]", OPT_PORT | OPT_LOG, OPT_PORT, 0};
    return RunPortVerb(args, kSyntax, OPER_SET_TIME, IDS_TIME_DONE);
}
