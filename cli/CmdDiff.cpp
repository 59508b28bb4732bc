// vkx520ctl diff: two configurations field by field, each a file or the
// device on a port.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "cmdline/ConfigFileArg.h"
#include "base/ExitCodes.h"
#include "base/CodePage.h"
#include "link/DeviceRead.h"
#include "model/ConfigDiff.h"
#include "skin/Skin.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdio>

namespace {

constexpr char kUsage[] =
    "vkx520ctl diff A.vkcfg B.vkcfg | --port PORT B.vkcfg | A.vkcfg --port PORT [--json] "
    "[--skin modules.xml] [--log FILE]";

// One side: a file's contents, or the device's image (without labels).
struct Side {
    ConfigFileContents contents;
    bool hasLabels = true;
    QString name;
    ConfigSide view() const {
        return hasLabels ? ConfigSide{contents.image, contents.inputLabels.data(), contents.panelLabels.data()}
                         : ConfigSide{contents.image};
    }
};

int LoadSide(Side& side, const QString& path) {
    side.name = path;
    return LoadConfigFileArg(side.contents, path);
}

int ReadSide(Side& side, const VerbOptions& options, const CSkin& skin) {
    CliLink link(options.port, CliLink::FirstStart::LeaveSettings);
    const DeviceRead read = ReadDeviceImage(link, skin);
    if (const LinkResult code = RefuseIncompleteRead(read, true); code != LINK_OK) return code;
    side.contents.image = read.image;
    side.hasLabels = false;
    side.name = options.port;
    return EXIT_OK;
}

QJsonValue JsonValue(const ConfigDifference& d, bool first) {
    if (d.field == ConfigField::InputLabel || d.field == ConfigField::PanelLabel)
        return FromCodePage(first ? d.firstText : d.secondText);
    return first ? d.first : d.second;
}

QByteArray DiffJson(const Side& a, const Side& b, const std::vector<ConfigDifference>& differences) {
    QJsonArray list;
    for (const ConfigDifference& d : differences)
        list.append(QJsonObject{{QStringLiteral("field"), DifferencePath(d)},
                                {QStringLiteral("first"), JsonValue(d, true)},
                                {QStringLiteral("second"), JsonValue(d, false)}});
    const QJsonObject json{{QStringLiteral("first"), a.name},
                           {QStringLiteral("second"), b.name},
                           {QStringLiteral("same"), differences.empty()},
                           {QStringLiteral("differences"), list}};
    return QJsonDocument(json).toJson(QJsonDocument::Indented);
}

// Whether --port comes before the file operand: the device is then the first side.
bool PortComesFirst(const QStringList& args) {
    for (const QString& arg : args) {
        if (arg == QLatin1String("--port") || arg.startsWith(QLatin1String("--port="))) return true;
        if (!arg.startsWith(u'-')) return false;
    }
    return false;
}

}  // namespace

int RunDiff(const QStringList& args) {
    const bool withPort = std::any_of(args.begin(), args.end(), [](const QString& arg) {
        return arg == QLatin1String("--port") || arg.startsWith(QLatin1String("--port="));
    });
    const VerbSyntax syntax{kUsage, OPT_PORT | OPT_JSON | OPT_SKIN | OPT_LOG, 0, withPort ? 1 : 2};
    VerbOptions options;
    if (!ParseVerbArgsOrComplain(args, syntax, options)) return EXIT_USAGE;
    if (const int status = ApplyLogOption(options.log); status != EXIT_OK) return status;
    if (const int status = CheckSkinArg(options); status != EXIT_OK) return status;
    // Without the default skin the audio kinds stay 0 and signals have no names.
    CSkin skin;
    skin.LoadSkinFile(SkinPathArg(options), CSkin::SkinPictures::Skip);
    Side a, b;
    const bool deviceFirst = withPort && PortComesFirst(args);
    Side& fileSide = deviceFirst ? b : a;
    if (const int status = LoadSide(fileSide, options.files.first()); status != EXIT_OK) return status;
    Side& other = deviceFirst ? a : b;
    const int status = withPort ? ReadSide(other, options, skin) : LoadSide(other, options.files.last());
    if (status != EXIT_OK) return status;

    const std::vector<ConfigDifference> differences = CompareConfigs(a.view(), b.view(), CompareScope::Whole);
    const QByteArray text = options.json ? DiffJson(a, b, differences)
                            : differences.empty()
                                ? QByteArray()
                                : (DifferenceLines(differences, skin.signalNames()) + u'\n').toLocal8Bit();
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
    return differences.empty() ? EXIT_OK : EXIT_DIFFERENT;
}
