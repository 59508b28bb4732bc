// vkx520ctl write: Write configuration from a file, on a copy of its image,
// to one unit or to many.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "cli/UnitInventory.h"
#include "cli/UnitWrite.h"
#include "cmdline/ConfigFileArg.h"
#include "convert/ConfigJson.h"
#include "base/ExitCodes.h"
#include "cli/TerminalPresenter.h"
#include "lang/UiText.h"
#include "link/DeviceOperation.h"
#include "model/ConfigFile.h"
#include "res/resource.h"

#include "skin/Skin.h"

#include <QDir>

#include <cstdio>

#include <unistd.h>

namespace {
constexpr VerbSyntax kWriteSyntax{
    "vkx520ctl write FILE.vkcfg (--port PORT [--port PORT ...] | --units INVENTORY) [--only PARTS] [--dry-run] "
    "[--yes] [--verify] [--skin modules.xml] [--log FILE]",
    OPT_PORT | OPT_MANY_PORTS | OPT_UNITS | OPT_ONLY | OPT_DRY_RUN | OPT_YES | OPT_LOG | OPT_VERIFY | OPT_SKIN, 0, 1};

// An inventory is a short text; anything larger is not one.
constexpr qint64 kMaxInventoryBytes = 1 << 20;

// Asks the desktop program's question when someone is at the terminal.
bool ConfirmWrite(bool assumeYes) {
    if (assumeYes || !::isatty(STDIN_FILENO)) return true;
    TerminalPresenter terminal;
    MessagePresenter* previous = SetMessagePresenter(&terminal);
    const bool yes = UiMessageBox(IDS_WRITE_CONFIRM, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
    SetMessagePresenter(previous);
    return yes;
}

QByteArray Native(const QString& path) { return QDir::toNativeSeparators(path).toLocal8Bit(); }

// The units of --units, each with the template and its own patch, then
// those of --port. Everything is checked before anything is sent.
int CollectUnits(const VerbOptions& options, const ConfigImage& templateImage, const CSkin& skin,
                 std::vector<UnitTarget>& units) {
    if (!options.units.isEmpty()) {
        QByteArray text;
        if (const int status = ReadInputArg(options.units, kMaxInventoryBytes, text); status != EXIT_OK) return status;
        if (text.startsWith("\xEF\xBB\xBF")) text.remove(0, 3);
        QString error;
        const std::optional<std::vector<InventoryUnit>> inventory = ParseInventory(text, error);
        if (!inventory) {
            std::fprintf(stderr, "vkx520ctl: %s: %s\n", Native(options.units).constData(), qPrintable(error));
            return EXIT_DATA_ERROR;
        }
        std::optional<QJsonObject> templateJson;
        for (const InventoryUnit& unit : *inventory) {
            UnitTarget target{unit.port, templateImage};
            if (!unit.patch.isEmpty()) {
                // The template as loaded, not the file read again: every unit
                // starts from the same image. Labels never reach the device.
                if (!templateJson) {
                    const char noLabels[kInputLabelBytes] = {};
                    templateJson = ConfigFileToJson(SerializeConfigFile(templateImage, noLabels, noLabels), skin);
                }
                const JsonImport patched = templateJson ? ApplyUnitPatch(*templateJson, unit.patch) : JsonImport{};
                const std::optional<ConfigFileContents> file =
                    patched.ok() ? ParseConfigFile(patched.fileBytes) : std::nullopt;
                if (!file) {
                    std::fprintf(
                        stderr, "vkx520ctl: %s: line %d: %s\n", Native(options.units).constData(), unit.line,
                        qPrintable(patched.ok() ? QStringLiteral("the template cannot take it") : patched.error));
                    return EXIT_DATA_ERROR;
                }
                target.image = file->image;
            }
            units.push_back(std::move(target));
        }
    }
    for (const QString& port : options.ports) units.push_back({port, templateImage});
    // One worker per port: two at once on one line would garble both.
    for (std::size_t i = 0; i < units.size(); ++i)
        for (std::size_t j = 0; j < i; ++j) {
            const PortChoice a = ResolvePortArg(units[i].port), b = ResolvePortArg(units[j].port);
            if (a.index == b.index && a.devicePath == b.devicePath) {
                ComplainAboutUsage(QStringLiteral("the port %1 is named twice").arg(units[i].port), kWriteSyntax.usage);
                return EXIT_USAGE;
            }
        }
    return EXIT_OK;
}
}  // namespace

int RunWrite(const QStringList& args) {
    VerbOptions options;
    if (!ParseVerbArgsOrComplain(args, kWriteSyntax, options)) return EXIT_USAGE;
    if (const int status = ApplyLogOption(options.log); status != EXIT_OK) return status;
    if (options.ports.isEmpty() && options.units.isEmpty()) {
        ComplainAboutUsage(QStringLiteral("--port or --units is required"), kWriteSyntax.usage);
        return EXIT_USAGE;
    }
    const bool many = options.ports.size() > 1 || !options.units.isEmpty();
    UnitWriteMode mode;
    mode.verify = options.verify;
    mode.dryRun = options.dryRun;
    mode.readFirst = many || !options.only.isEmpty() || options.dryRun;
    if (!options.only.isEmpty()) {
        QString error;
        const std::optional<unsigned> parts = ParseConfigParts(options.only, error);
        if (!parts) {
            ComplainAboutUsage(QStringLiteral("--only: %1").arg(error), kWriteSyntax.usage);
            return EXIT_USAGE;
        }
        mode.parts = *parts;
    }
    if (!mode.verify && !mode.readFirst && !options.skin.isEmpty()) {
        ComplainAboutUsage(QStringLiteral("--skin applies only with --verify"), kWriteSyntax.usage);
        return EXIT_USAGE;
    }
    if (mode.dryRun && mode.verify) {
        ComplainAboutUsage(QStringLiteral("--verify does not go with --dry-run"), kWriteSyntax.usage);
        return EXIT_USAGE;
    }
    if (const int status = CheckSkinArg(options); status != EXIT_OK) return status;
    CMainDoc doc;
    if (const int status = LoadConfigFileArg(doc, options.files.first()); status != EXIT_OK) return status;
    // Without the default skin the audio kinds stay 0 and signals have no names.
    CSkin skin;
    if (mode.verify || mode.readFirst) skin.LoadSkinFile(SkinPathArg(options), CSkin::SkinPictures::Skip);
    std::vector<UnitTarget> units;
    if (const int status = CollectUnits(options, doc.image(), skin, units); status != EXIT_OK) return status;
    if (!mode.dryRun && !ConfirmWrite(options.yes)) {
        UiMessageBox(IDS_LINK_ERROR_BASE + LINK_ERR_ABORTED, MB_OK | MB_ICONEXCLAMATION);
        return LINK_ERR_ABORTED;
    }
    if (many) return WriteManyUnits(units, mode, skin);
    CliLink link(options.port, mode.firstStart());
    TerminalOutput terminal;
    return WriteUnit(doc.image(), mode, options.port, link, skin, terminal).status;
}
