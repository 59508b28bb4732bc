#include "app/FirstPaintExit.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

// Watches every object's events until the first paint of a top-level window.
// The exit is queued rather than done inside the paint event, so the window's
// children are painted and the frame is flushed before the clock is read.
class FirstPaintFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_seen || event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
        if (!static_cast<QWidget*>(watched)->isWindow()) return false;
        m_seen = true;
        QTimer::singleShot(0, [] {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf("first-paint-ns=%lld\n",
                        static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            std::fflush(stdout);
            std::_Exit(0);
        });
        return false;
    }

private:
    bool m_seen = false;
};

}  // namespace

void InstallFirstPaintExit() {
    if (qEnvironmentVariable("VKX_EXIT_AFTER_FIRST_PAINT") != QLatin1String("1")) return;
    qApp->installEventFilter(new FirstPaintFilter(qApp));
}
