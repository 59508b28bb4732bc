#include <QApplication>

#include <gtest/gtest.h>

namespace {

// The offscreen platform cannot hand fixed dialog sizes to a window manager
// and says so for every dialog; nothing else is hidden.
QtMessageHandler g_defaultHandler = nullptr;
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints"))) return;
    g_defaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    // Test discovery runs the program without the test environment.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(QuietHandler);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
