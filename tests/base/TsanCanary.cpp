// Races on purpose, so that the ThreadSanitizer run proves it still reports a
// race on our own data with the options and suppressions it runs under: Qt's
// internal memory traffic is set aside there, our code must not be. ctest
// passes a case only when the report names this file.
//   queued: a worker thread writes a plain int; the main thread reads it in a
//           call Qt's event loop delivers, ordered only by a relaxed flag.
//   memcpy: the same, with the worker's write done by memcpy of a size known
//           only at run time (the checker's memcpy path, not a plain store).
#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

namespace {

int g_value = 0;
char g_buffer[32];
// Relaxed on both sides: it makes the reader wait without ordering anything.
std::atomic<bool> g_written{false};

void Write(bool byMemcpy, std::size_t size) {
    static const char kText[] = "written by the worker";
    if (byMemcpy)
        std::memcpy(g_buffer, kText, size);
    else
        g_value = 1;
    g_written.store(true, std::memory_order_relaxed);
}

int ReadAfterTheWorker(bool byMemcpy) {
    while (!g_written.load(std::memory_order_relaxed)) QThread::yieldCurrentThread();
    return byMemcpy ? g_buffer[0] : g_value;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool byMemcpy = argc > 1 && std::string_view(argv[1]) == "memcpy";
    const std::size_t size = std::strlen(argv[0]) > 0 ? 16 : 8;
    std::unique_ptr<QThread> worker(QThread::create(Write, byMemcpy, size));
    QTimer::singleShot(0, &app, [&] {
        worker->start();
        std::printf("read %d without a report\n", ReadAfterTheWorker(byMemcpy));
        app.quit();
    });
    const int status = app.exec();
    worker->wait();
    return status;
}
