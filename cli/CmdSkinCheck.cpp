#include "cli/CmdSkinCheck.h"

#include "base/ExitCodes.h"
#include "cli/CliArgs.h"
#include "skin/Skin.h"
#include "skin/SkinCheck.h"

#include <cstdio>

namespace {
constexpr int kExitClean = 0;
constexpr int kExitUsage = 64;
constexpr int kExitProblems = 65;

void PrintLine(std::FILE* stream, const QString& line) { std::fprintf(stream, "%s\n", line.toLocal8Bit().constData()); }
}  // namespace

int RunSkinCheck(const QStringList& args) {
    if (args.size() > 1) {
        PrintLine(stderr, QStringLiteral("usage: vkx520ctl skin-check [modules.xml]"));
        return kExitUsage;
    }
    const QString path = args.isEmpty() ? DefaultSkinPath() : args.first();
    if (const int status = CheckSkinFileArg(path); status != EXIT_OK) return status;
    const QStringList problems = CheckSkinFile(path);
    for (const QString& problem : problems) PrintLine(stdout, path + QStringLiteral(": ") + problem);
    if (problems.isEmpty()) {
        PrintLine(stdout, path + QStringLiteral(": no problems"));
        return kExitClean;
    }
    return kExitProblems;
}
