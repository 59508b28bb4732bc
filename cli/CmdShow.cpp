// vkx520ctl show: what a configuration file holds.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cmdline/ConfigFileArg.h"
#include "convert/ConfigSummary.h"
#include "base/ExitCodes.h"
#include "skin/Skin.h"

#include <QJsonDocument>

#include <cstdio>

int RunShow(const QStringList& args) {
    static constexpr VerbSyntax kSyntax{"vkx520ctl show FILE.vkcfg [--json] [--skin modules.xml]", OPT_JSON | OPT_SKIN,
                                        0, 1};
    VerbOptions options;
    if (!ParseVerbArgsOrComplain(args, kSyntax, options)) return EXIT_USAGE;
    if (const int status = CheckSkinArg(options); status != EXIT_OK) return status;
    const QString& path = options.files.first();
    CMainDoc doc;
    uint32_t version = 0;
    if (const int status = LoadConfigFileArg(doc, path, &version); status != EXIT_OK) return status;
    CSkin skin;  // without the default skin the names are left out
    skin.LoadSkinFile(SkinPathArg(options), CSkin::SkinPictures::Skip);
    const QByteArray text = options.json
                                ? QJsonDocument(ConfigToJson(doc, version, skin)).toJson(QJsonDocument::Indented)
                                : ConfigSummaryText(doc, path, version, skin).toLocal8Bit();
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
    return EXIT_OK;
}
