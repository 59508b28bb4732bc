// The command line of VKX520Setup: --open, --help, --version, what is
// ignored, and a start without a display.
#include "app/StartOptions.h"

#include <QMap>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

TEST(StartOptions, OpenHelpVersionAndWhatIsIgnored) {
    struct Row {
        QStringList args;  // after the program's name
        QString open;
        bool help = false, version = false;
        QStringList ignored = {};
    };
    const Row rows[] = {
        {{}, {}},
        {{"--open", "studio.vkcfg"}, "studio.vkcfg"},
        {{"--open=my studio.vkcfg"}, "my studio.vkcfg"},
        {{"-open", "/tmp/a.vkcfg"}, "/tmp/a.vkcfg"},
        // The desktop entry's "--open %f" started from the menu, without a file.
        {{"--open"}, {}},
        {{"studio.vkcfg"}, {}, false, false, {"VKX520Setup: studio.vkcfg ignored; --open studio.vkcfg opens it"}},
        {{"--frobnicate=1", "--open", "a.vkcfg", "-x"},
         "a.vkcfg",
         false,
         false,
         {"VKX520Setup: option --frobnicate ignored (see VKX520Setup --help)",
          "VKX520Setup: option -x ignored (see VKX520Setup --help)"}},
        {{"-h"}, {}, true},
        {{"--help", "--open", "a.vkcfg"}, "a.vkcfg", true},
        {{"--version"}, {}, false, true},
    };
    for (const Row& row : rows) {
        const StartOptions options = ParseStartOptions(QStringList{"VKX520Setup"} + row.args);
        const std::string name = row.args.join(' ').toStdString();
        EXPECT_EQ(options.openPath, row.open) << name;
        EXPECT_EQ(options.help, row.help) << name;
        EXPECT_EQ(options.version, row.version) << name;
        EXPECT_EQ(options.ignored, row.ignored) << name;
    }
}

TEST(StartOptions, DisplayNeededUnlessThePlatformNeedsNone) {
    struct Row {
        QMap<QString, QString> env;
        QStringList args;
        bool available;
    };
    const Row rows[] = {
        {{}, {}, false},
        {{{"DISPLAY", ":0"}}, {}, true},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, {}, true},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, {}, true},
        {{{"QT_QPA_PLATFORM", "xcb"}}, {}, false},
        {{{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":0"}}, {}, true},
        {{{"QT_QPA_PLATFORM", "xcb;offscreen"}}, {}, true},
        {{{"QT_QPA_PLATFORM", "xcb"}}, {"-platform", "offscreen"}, true},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, {"-platform", "xcb"}, false},
        {{}, {"-platform", "vnc:size=800x600"}, true},
    };
    for (const Row& row : rows) {
        const auto env = [&row](const char* name) { return row.env.value(QString::fromLatin1(name)); };
        EXPECT_EQ(DisplayAvailable(QStringList{"VKX520Setup"} + row.args, env), row.available)
            << QStringList(row.env.keys()).join(' ').toStdString() << " " << row.args.join(' ').toStdString();
    }
}

struct SetupRun {
    int exitCode = -1;
    bool crashed = true;
    QString out, err;
};

SetupRun RunSetup(const QStringList& args, const QMap<QString, QString>& env) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    for (auto it = env.begin(); it != env.end(); ++it) environment.insert(it.key(), it.value());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QStringLiteral(VKX_BIN_DIR "/VKX520Setup"), args);
    SetupRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.crashed = process.exitStatus() != QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// The program itself: what needs no window works without a display, and
// without one it ends with a line and a status instead of Qt's abort.
TEST(StartOptions, TheProgramStartsOrSaysWhyNot) {
    const QMap<QString, QString> offscreen{{"QT_QPA_PLATFORM", "offscreen"}, {"VKX_EXIT_AFTER_FIRST_PAINT", "1"}};
    const SetupRun help = RunSetup({"--help"}, {});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out, StartHelpText());
    const SetupRun version = RunSetup({"--version"}, {});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("VKX520Setup 1.")) << version.out.toStdString();

    const SetupRun noDisplay = RunSetup({}, {});
    EXPECT_FALSE(noDisplay.crashed);
    EXPECT_EQ(noDisplay.exitCode, 1);
    EXPECT_EQ(noDisplay.err, NoDisplayText());
    // A display that is named but not there: Qt gives up while starting.
    const SetupRun unreachable = RunSetup({}, {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":4711"}});
    EXPECT_FALSE(unreachable.crashed);
    EXPECT_EQ(unreachable.exitCode, 1);
    EXPECT_TRUE(unreachable.err.endsWith(NoDisplayText())) << unreachable.err.toStdString();

    const SetupRun ignoring = RunSetup({"--frobnicate", "-platform", "offscreen"}, offscreen);
    EXPECT_EQ(ignoring.exitCode, 0) << ignoring.err.toStdString();
    EXPECT_TRUE(ignoring.err.contains("VKX520Setup: option --frobnicate ignored")) << ignoring.err.toStdString();
    EXPECT_FALSE(ignoring.err.contains("platform")) << ignoring.err.toStdString();
}

}  // namespace
