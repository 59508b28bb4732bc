// vkx520ctl labels export and import: the input and panel labels of a
// configuration file as a spreadsheet (CSV) and back.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cmdline/ConfigFileArg.h"
#include "base/ExitCodes.h"
#include "lang/UiText.h"
#include "model/LabelSheet.h"
#include "skin/Skin.h"

#include <QDir>

#include <cstdio>

namespace {
// The whole configuration file is read, whatever follows its format's end,
// since an import rewrites only the label fields and carries the rest.
constexpr qint64 kMaxConfigFileBytes = 1 << 20;

int RunLabelsExport(const QStringList& args) {
    static constexpr VerbSyntax kSyntax{"vkx520ctl labels export FILE.vkcfg [-o OUT.csv] [--skin modules.xml]",
                                        OPT_OUTPUT | OPT_SKIN, 0, 1};
    VerbOptions options;
    if (!ParseVerbArgsOrComplain(args, kSyntax, options)) return EXIT_USAGE;
    if (const int status = CheckSkinArg(options); status != EXIT_OK) return status;
    CMainDoc doc;
    if (const int status = LoadConfigFileArg(doc, options.files.first()); status != EXIT_OK) return status;
    CSkin skin;  // the module names only; without the default skin their column stays empty
    skin.LoadSkinFile(SkinPathArg(options), CSkin::SkinPictures::Skip);
    return WriteOutputArg(options.output, ExportLabelSheet(doc, [&skin](int code) { return skin.ConfigName(code); }));
}

int RunLabelsImport(const QStringList& args) {
    static constexpr VerbSyntax kSyntax{"vkx520ctl labels import IN.csv FILE.vkcfg [-o OUT.vkcfg]", OPT_OUTPUT, 0, 2};
    VerbOptions options;
    if (!ParseVerbArgsOrComplain(args, kSyntax, options)) return EXIT_USAGE;
    const QString& sheetPath = options.files[0];
    const QString& path = options.files[1];
    QByteArray sheet, file;
    if (const int status = ReadInputArg(sheetPath, kMaxLabelSheetBytes, sheet); status != EXIT_OK) return status;
    if (const int status = ReadInputArg(path, kMaxConfigFileBytes, file); status != EXIT_OK) return status;
    bool corrupt = false;
    const LabelSheetImport result = ImportLabelSheetIntoFile(file, sheet, corrupt);
    if (corrupt) {
        ReportFileError(kFileCorruptError, path);
        return EXIT_DATA_ERROR;
    }
    for (const LabelSheetError& error : result.errors)
        std::fprintf(stderr, "vkx520ctl: %s: %s\n", QDir::toNativeSeparators(sheetPath).toLocal8Bit().constData(),
                     LabelSheetErrorText(error).toLocal8Bit().constData());
    if (!result.ok()) return EXIT_DATA_ERROR;
    if (!options.output.isEmpty()) return WriteOutputArg(options.output, file);
    // The file in place is left untouched when no label changes.
    return result.changed == 0 ? EXIT_OK : SaveFileArg(path, file);
}
}  // namespace

int RunLabels(const QStringList& args) {
    const QString action = args.value(0);
    if (action == QLatin1String("export")) return RunLabelsExport(args.mid(1));
    if (action == QLatin1String("import")) return RunLabelsImport(args.mid(1));
    std::fprintf(stderr,
                 "vkx520ctl: labels takes export or import\n"
                 "vkx520ctl: usage: vkx520ctl labels export FILE.vkcfg [-o OUT.csv] [--skin modules.xml]\n"
                 "vkx520ctl: usage: vkx520ctl labels import IN.csv FILE.vkcfg [-o OUT.vkcfg]\n");
    return EXIT_USAGE;
}
