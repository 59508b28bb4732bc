// The translation editor and Language menu tests drive real widgets, so they
// run inside a QApplication (offscreen unless QT_QPA_PLATFORM says otherwise).
#include <QApplication>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

// The offscreen platform reports every window feature it lacks; those lines
// say nothing about the program.
void QuietPlatformWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietPlatformWarnings);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
