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

#if defined(__SANITIZE_THREAD__)
#include <QSemaphore>
#include <QThreadPool>
// The runtime's own switch; this compiler's interface header lacks it.
extern "C" void __tsan_ignore_thread_begin();
extern "C" void __tsan_ignore_thread_end();

// The suppressions hold wherever the executable runs; TSAN_OPTIONS still
// adds to them and overrides.
extern "C" const char* __tsan_default_options() { return "suppressions=" VKX_TSAN_SUPPRESSIONS; }
#endif

namespace {

#if defined(__SANITIZE_THREAD__)
// Qt's global thread pool runs only Qt's own work in these tests: Qt Gui
// converts and scales large images on it while painting. Nothing of ours
// uses the pool. Its threads hand the task queue from one to the next under
// Qt's QMutex, which ThreadSanitizer cannot see in the distribution's
// uninstrumented Qt, so that queue looks raced. So every pool thread is made
// at the start, kept for the whole run, and ignores its own memory accesses
// until the tests end; synchronisation is still tracked, and every other
// thread stays fully checked.
void OnEveryPoolThread(void (*action)()) {
    QThreadPool* pool = QThreadPool::globalInstance();
    const int count = pool->maxThreadCount();
    static QSemaphore started;  // outlive the tasks, which touch them last
    static QSemaphore release;
    static QSemaphore left;
    for (int i = 0; i < count; ++i)
        pool->start([action] {
            action();
            started.release();
            release.acquire();  // holds the thread until all of them ran it
            left.release();
        });
    started.acquire(count);
    release.release(count);
    left.acquire(count);  // so no permit is left for the next call's tasks
}
#endif

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
#if defined(__SANITIZE_THREAD__)
    QThreadPool::globalInstance()->setExpiryTimeout(-1);
    OnEveryPoolThread(__tsan_ignore_thread_begin);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
#if defined(__SANITIZE_THREAD__)
    OnEveryPoolThread(__tsan_ignore_thread_end);  // a thread may not end ignoring
#endif
    return status;
}
