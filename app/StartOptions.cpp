#include "app/StartOptions.h"

#include <QCommandLineParser>

namespace {

const QString kProgram = QStringLiteral("VKX520Setup");

// The argument as the user typed it for an option the parser did not know:
// "--foo=1" gives "--foo", so that the line names what was given.
QString TypedOption(const QStringList& args, const QString& name) {
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--")) break;
        QString typed = args[i];
        typed.truncate(typed.indexOf(u'=') < 0 ? typed.size() : typed.indexOf(u'='));
        QString bare = typed;
        while (bare.startsWith(u'-')) bare.remove(0, 1);
        if (typed.startsWith(u'-') && bare == name) return typed;
    }
    return QStringLiteral("--") + name;
}

}  // namespace

StartOptions ParseStartOptions(const QStringList& args) {
    QCommandLineParser parser;
    // "-open" as "--open": a single dash never bundles letters here.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption open(QStringLiteral("open"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({open, help, version});

    StartOptions options;
    // The parser reads every argument even after an error (an unknown
    // option), so what it knew is kept; the errors are looked at below.
    parser.parse(args);
    options.help = parser.isSet(help);
    options.version = parser.isSet(version);
    // "--open" without its file is what the desktop entry's "--open %f"
    // becomes when the program is started from the menu: nothing to open.
    if (parser.isSet(open)) options.openPath = parser.value(open);
    const auto ignore = [&](const QString& what) {
        options.ignored << QStringLiteral("%1: %2 ignored (see %1 --help)").arg(kProgram, what);
    };
    for (const QString& name : parser.unknownOptionNames()) ignore(QStringLiteral("option ") + TypedOption(args, name));
    for (const QString& operand : parser.positionalArguments())
        options.ignored << QStringLiteral("%1: %2 ignored; --open %2 opens it").arg(kProgram, operand);
    return options;
}

QString StartHelpText() {
    return QStringLiteral(
        "usage: VKX520Setup [--open FILE.vkcfg] [Qt options]\n"
        "       VKX520Setup --help | --version\n"
        "\n"
        "The desktop setup utility for the VKX520. It starts with an empty document.\n"
        "\n"
        "  --open FILE   opens the configuration file FILE once the window is shown,\n"
        "                as File > Open does (what a file manager passes)\n"
        "  --help        prints this text\n"
        "  --version     prints the version\n"
        "\n"
        "Other file names and options are ignored, each said on standard error.\n"
        "Qt's own options apply, e.g. -platform offscreen. Without a display use\n"
        "vkx520ctl, the command-line companion (vkx520ctl --help).\n");
}

bool DisplayAvailable(const QStringList& args, const std::function<QString(const char* name)>& environment) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    QString platform;
    for (qsizetype i = 1; i + 1 < args.size(); ++i)
        if (args[i] == QLatin1String("-platform") || args[i] == QLatin1String("--platform")) platform = args[i + 1];
    if (platform.isEmpty()) platform = environment("QT_QPA_PLATFORM");
    const bool x11 = !environment("DISPLAY").isEmpty();
    const bool wayland = !environment("WAYLAND_DISPLAY").isEmpty() || !environment("WAYLAND_SOCKET").isEmpty();
    if (platform.trimmed().isEmpty()) return x11 || wayland;
    // A list "wayland;xcb" is tried in order; options follow a colon.
    for (const QString& entry : platform.split(u';', Qt::SkipEmptyParts)) {
        const QString name = entry.section(u':', 0, 0).trimmed();
        // X11 without DISPLAY is certain to fail. A Wayland compositor may be
        // reached through its default socket, and every other platform
        // (offscreen, vnc, eglfs, ...) needs no session: Qt decides those.
        if (name != QLatin1String("xcb") || x11) return true;
    }
    return false;
#else
    Q_UNUSED(args);
    Q_UNUSED(environment);
    return true;
#endif
}

QString NoDisplayText() {
    return QStringLiteral(
        "VKX520Setup: no display to show its window on (DISPLAY and WAYLAND_DISPLAY are not set or cannot be "
        "reached); vkx520ctl works without one (vkx520ctl --help)\n");
}
