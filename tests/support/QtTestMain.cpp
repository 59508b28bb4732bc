// The main of every test executable that needs a Qt application object. The
// build picks the object per executable (vkx_add_gui_test's APP): widgets
// (QApplication), painting and fonts alone (QGuiApplication), or child
// processes and event loops alone (QCoreApplication). The object lives for the
// whole run, so suites never make their own.
#if defined(VKX_TEST_APP_Widgets)
#include <QApplication>
using TestApplication = QApplication;
constexpr bool kNeedsPlatform = true;
#elif defined(VKX_TEST_APP_Gui)
#include <QGuiApplication>
using TestApplication = QGuiApplication;
constexpr bool kNeedsPlatform = true;
#elif defined(VKX_TEST_APP_Core)
#include <QCoreApplication>
using TestApplication = QCoreApplication;
constexpr bool kNeedsPlatform = false;
#else
#error "vkx_add_gui_test sets VKX_TEST_APP_Widgets, VKX_TEST_APP_Gui or VKX_TEST_APP_Core"
#endif

#include <gtest/gtest.h>

namespace {

// The offscreen platform says, for every window and dialog, which window
// features it lacks; those lines say nothing about the program and would
// bury the test output. Everything else goes to Qt's own handler.
QtMessageHandler g_defaultHandler = nullptr;
void QuietPlatformWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support")) ||
        message.contains(QLatin1String("propagateSizeHints")))
        return;
    g_defaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    // Test discovery runs the executable without ctest's environment, also
    // where there is no display.
    if (kNeedsPlatform && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(QuietPlatformWarnings);
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
