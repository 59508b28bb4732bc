// VKX520Setup: the desktop setup utility for the VKX520.
#include "app/FirstPaintExit.h"
#include "app/SetupApp.h"
#include "app/StartOptions.h"
#include "view/MainCommands.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

QStringList RawArguments(int argc, char** argv) {
    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    return args;
}

void Print(std::FILE* stream, const QString& text) { std::fputs(text.toLocal8Bit().constData(), stream); }

// A display that is named but cannot be reached makes Qt end the process
// with an abort while the application object is made: say it as one line
// and end with a status instead.
QtMessageHandler g_qtMessages = nullptr;
void EndWithoutPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        g_qtMessages(type, context, message);
        return;
    }
    Print(stderr, NoDisplayText());
    std::_Exit(1);
}

}  // namespace

int main(int argc, char** argv) {
    // Before Qt is started: --help and --version need no display.
    const StartOptions early = ParseStartOptions(RawArguments(argc, argv));
    if (early.help || early.version) {
        Print(stdout,
              early.help ? StartHelpText() : QStringLiteral("VKX520Setup %1\n").arg(QLatin1String(VKX_VERSION)));
        return 0;
    }
    if (!DisplayAvailable(RawArguments(argc, argv), [](const char* name) { return qEnvironmentVariable(name); })) {
        Print(stderr, NoDisplayText());
        return 1;
    }
    g_qtMessages = qInstallMessageHandler(EndWithoutPlatform);
    QApplication qtApp(argc, argv);
    qInstallMessageHandler(g_qtMessages);

    // Qt has taken out its own options now.
    const StartOptions options = ParseStartOptions(QCoreApplication::arguments());
    for (const QString& line : options.ignored) Print(stderr, line + u'\n');
    InstallFirstPaintExit();
    CSetupApp theApp;
    theApp.SetViewFactory(MainWindowContent());
    if (!theApp.InitInstance()) return 1;
    if (!options.openPath.isEmpty()) theApp.OpenDocumentFile(options.openPath);
    return theApp.ExitInstance(QApplication::exec());
}
