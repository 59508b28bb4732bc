// vkx520ctl export and import: a configuration file as JSON text and back,
// byte for byte.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cmdline/ConfigFileArg.h"
#include "convert/ConfigJson.h"
#include "base/ExitCodes.h"
#include "base/FileIo.h"
#include "lang/UiText.h"
#include "skin/Skin.h"

#include <QDir>
#include <QJsonDocument>

#include <cstdio>

namespace {
// Whatever follows the format's end is kept too, up to this size; the
// program itself reads no further than its format's size.
constexpr qint64 kMaxExportBytes = 1 << 20;
// A JSON form of the largest file to export, with room for indentation.
constexpr qint64 kMaxImportBytes = 16 * kMaxExportBytes;

// The bytes live until the end of the full expression that asks for them.
QByteArray Native(const QString& path) { return QDir::toNativeSeparators(path).toLocal8Bit(); }
}  // namespace

int RunExport(const QStringList& args) {
    static constexpr VerbSyntax kSyntax{"vkx520ctl export FILE.vkcfg [-o OUT.json] [--skin modules.xml]",
                                        OPT_OUTPUT | OPT_SKIN, 0, 1};
    VerbOptions options;
    if (!ParseVerbArgsOrComplain(args, kSyntax, options)) return EXIT_USAGE;
    if (const int status = CheckSkinArg(options); status != EXIT_OK) return status;
    const QString& path = options.files.first();
    QByteArray bytes;
    if (const int status = ReadInputArg(path, kMaxExportBytes, bytes); status != EXIT_OK) return status;
    CSkin skin;  // the module names only; without the default skin they are null
    skin.LoadSkinFile(SkinPathArg(options), CSkin::SkinPictures::Skip);
    const std::optional<QJsonObject> json = ConfigFileToJson(bytes, skin);
    if (!json) {
        ReportFileError(kFileCorruptError, path);
        return EXIT_DATA_ERROR;
    }
    return WriteOutputArg(options.output, QJsonDocument(*json).toJson(QJsonDocument::Indented));
}

int RunImport(const QStringList& args) {
    static constexpr VerbSyntax kSyntax{"vkx520ctl import IN.json -o FILE.vkcfg [--force]", OPT_OUTPUT | OPT_FORCE,
                                        OPT_OUTPUT, 1};
    VerbOptions options;
    if (!ParseVerbArgsOrComplain(args, kSyntax, options)) return EXIT_USAGE;
    const QString& path = options.files.first();
    QByteArray text;
    if (const int status = ReadInputArg(path, kMaxImportBytes, text); status != EXIT_OK) return status;
    const JsonImport imported = ConfigFileFromJsonText(text, options.force);
    if (!imported.ok()) {
        const char* hint = imported.keyMapNotPermutation ? "; --force imports it as it is" : "";
        std::fprintf(stderr, "vkx520ctl: %s: %s%s\n", Native(path).constData(), qPrintable(imported.error), hint);
        return EXIT_DATA_ERROR;
    }
    return WriteOutputArg(options.output, imported.fileBytes);
}
