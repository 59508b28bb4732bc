// Calls handed to the window thread by another thread: they run there, in
// the order given; a close releases a caller whose call is still running (a
// worker must never wait on a window that is going away); nothing runs after
// a close; on the window thread itself a call runs at once.
#include "base/CrossThreadCalls.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <atomic>
#include <thread>
#include <vector>

TEST(CrossThreadCalls, RunInOrderOnTheWindowThreadAndACloseReleasesTheWaitingCaller) {
    CrossThreadCalls calls(qApp);
    const QThread* window = QThread::currentThread();
    std::vector<int> ran;  // by the window thread only
    std::atomic<bool> released{false};
    std::atomic<bool> finished{false};
    bool first = false, closing = true, afterClose = true;
    EXPECT_TRUE(calls.Run([&] { ran.push_back(0); }));
    std::thread worker([&] {
        first = calls.Run([&] { ran.push_back(QThread::currentThread() == window ? 1 : -1); });
        calls.Post([&] { ran.push_back(2); });
        closing = calls.Run([&] {
            ran.push_back(3);
            calls.Close();
            const QDeadlineTimer deadline(5000);
            while (!released && !deadline.hasExpired()) QThread::msleep(1);
        });
        released = true;
        afterClose = calls.Run([&] { ran.push_back(4); });
        finished = true;
    });
    const QDeadlineTimer deadline(10000);
    while (!finished && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    worker.join();
    QCoreApplication::processEvents();
    EXPECT_TRUE(first);
    EXPECT_FALSE(closing);
    EXPECT_FALSE(afterClose);
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2, 3}));
}
