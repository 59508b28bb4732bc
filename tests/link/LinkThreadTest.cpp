// The worker thread: reports, port failures, thread creation failure,
// stopping a worker that is blocked in a read without killing it, and the
// worker on the real serial transport.
#include "PtyDevice.h"
#include "QtMessageTrap.h"
#include "support/SimRig.h"

#include "link/SerialLinkPort.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

using namespace std::chrono_literals;

class ThreadTarget : public LinkNotifyTarget {
public:
    int SendSerialNotify(int code, long param) override {
        std::lock_guard lock(m_mutex);
        m_reports.push_back({code, param});
        if (code != LINK_PROGRESS) m_final.notify_all();
        return 0;
    }
    // The reports once the final one has come (empty after the wait runs out).
    std::vector<Report> WaitForFinal(std::chrono::milliseconds wait = 10s) {
        std::unique_lock lock(m_mutex);
        const bool done =
            m_final.wait_for(lock, wait, [&] { return !m_reports.empty() && m_reports.back().code != LINK_PROGRESS; });
        return done ? m_reports : std::vector<Report>{};
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_final;
    std::vector<Report> m_reports;
};

// Blocks every read until cancelled, as a port waiting on a silent line.
class BlockingPort : public LinkPort {
public:
    explicit BlockingPort(std::atomic<bool>& reading) : m_reading(reading) {}
    bool Write(const uint8_t*, std::size_t) override { return true; }
    int Read(uint8_t*, std::size_t, int) override {
        m_reading = true;
        while (!m_cancelled) std::this_thread::sleep_for(1ms);
        return -1;
    }
    void Cancel() override { m_cancelled = true; }

private:
    std::atomic<bool>& m_reading;
    std::atomic<bool> m_cancelled{false};
};

class BlockingPorts : public LinkPortFactory {
public:
    std::unique_ptr<LinkPort> OpenPort(int) override { return std::make_unique<BlockingPort>(reading); }
    std::atomic<bool> reading{false};
};

class LinkThreadTest : public ::testing::Test {
protected:
    void SetUp() override { SetDefaultLinkEnvironment(&rig.ports, &rig.clock); }
    void TearDown() override {
        worker.Stop(5000);
        SetDefaultLinkEnvironment(nullptr, nullptr);
    }
    SimRig rig;
    ThreadTarget target;
    LinkWorker worker;
};

TEST_F(LinkThreadTest, ReportsProgressThenTheResult) {
    uint8_t buffer[41];
    ASSERT_TRUE(worker.Start(&target, 0, LINK_READ, buffer, 41, 0xFF0080));
    EXPECT_EQ(target.WaitForFinal(), (std::vector<Report>{{LINK_PROGRESS, 0}, {LINK_PROGRESS, 32}, {LINK_OK, 0}}));
}

TEST_F(LinkThreadTest, QueryReportsItsByteCount) {
    uint8_t buffer[6];
    ASSERT_TRUE(worker.Start(&target, 7, LINK_QUERY, buffer, 6, 0));
    EXPECT_EQ(target.WaitForFinal(), (std::vector<Report>{{LINK_OK, 6}}));
    EXPECT_EQ(rig.ports.lastPortIndex(), 7);
}

TEST_F(LinkThreadTest, PortThatCannotBeOpenedStillReports) {
    rig.ports.SetPresent(false);
    uint8_t buffer[18];
    ASSERT_TRUE(worker.Start(&target, 0, LINK_READ, buffer, 18, 0xFF0000));
    EXPECT_EQ(target.WaitForFinal(), (std::vector<Report>{{LINK_ERR_PORT, 0}}));
}

TEST_F(LinkThreadTest, ThreadCreationFailureIsReturned) {
    FailNextThreadStart threads;
    LinkWorker failing(threads);
    uint8_t buffer[1];
    EXPECT_FALSE(failing.Start(&target, 0, LINK_NOP, buffer, 0, 0));
    EXPECT_TRUE(target.WaitForFinal(50ms).empty());
    EXPECT_TRUE(failing.Start(&target, 0, LINK_NOP, buffer, 0, 0));  // only the next start fails
    EXPECT_EQ(target.WaitForFinal(), (std::vector<Report>{{LINK_OK, 0}}));
}

TEST_F(LinkThreadTest, StopCancelsABlockedReadAndJoins) {
    BlockingPorts blocking;
    SetDefaultLinkEnvironment(&blocking, nullptr);
    uint8_t buffer[18];
    ASSERT_TRUE(worker.Start(&target, 0, LINK_READ, buffer, 18, 0xFF0000));
    while (!blocking.reading) std::this_thread::sleep_for(1ms);
    QElapsedTimer timer;
    timer.start();
    worker.Stop(50);
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_EQ(target.WaitForFinal(0ms), (std::vector<Report>{{LINK_ERR_NO_REPLY, 0}}));
}

// The dialog starts the next step from inside the final report, while the
// reporting worker still waits; the chain must neither deadlock nor lose a step.
class ChainingTarget : public ThreadTarget {
public:
    int SendSerialNotify(int code, long param) override {
        // One read of the count per report: the step started here may report
        // (and count down) before this one returns.
        const int left = code == LINK_OK ? --remaining : remaining.load();
        if (code == LINK_OK && left > 0) worker->Start(this, 0, LINK_QUERY, buffer, 4, 0);
        if (left > 0) return 0;
        return ThreadTarget::SendSerialNotify(code, param);
    }
    std::atomic<int> remaining{5};
    uint8_t buffer[4] = {};
    LinkWorker* worker = nullptr;
};

TEST_F(LinkThreadTest, NextStepStartsFromInsideTheReport) {
    ChainingTarget chain;
    chain.worker = &worker;
    ASSERT_TRUE(worker.Start(&chain, 0, LINK_QUERY, chain.buffer, 4, 0));
    EXPECT_EQ(chain.WaitForFinal(), (std::vector<Report>{{LINK_OK, 4}}));
    worker.Stop(5000);
    EXPECT_EQ(rig.device.CountRequests(CMD_QUERY), 5u);
}

#ifndef _WIN32
// Qt's serial port needs a thread Qt started (one with an event dispatcher for
// its notifiers); on any other thread it prints warnings for every port opened.
class SerialWorkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(pty.path().isEmpty());
        SetDefaultLinkEnvironment(&ports, nullptr);
    }
    void TearDown() override {
        worker.Stop(5000);
        SetDefaultLinkEnvironment(nullptr, nullptr);
    }
    PtyDevice pty;
    SerialPortFactory ports{pty.path()};
    ThreadTarget target;
    QtMessageTrap qtMessages;
    LinkWorker worker;
};

TEST_F(SerialWorkerTest, StepsRunWithoutQtWarnings) {
    uint8_t buffer[41];
    ASSERT_TRUE(worker.Start(&target, 0, LINK_READ, buffer, 41, 0xFF0080));
    EXPECT_EQ(target.WaitForFinal(), (std::vector<Report>{{LINK_PROGRESS, 0}, {LINK_PROGRESS, 32}, {LINK_OK, 0}}));
    ThreadTarget second;
    ASSERT_TRUE(worker.Start(&second, 0, LINK_QUERY, buffer, 6, 0));
    EXPECT_EQ(second.WaitForFinal(), (std::vector<Report>{{LINK_OK, 6}}));
    worker.Stop(5000);
    EXPECT_EQ(qtMessages.Joined(), "");
}

TEST_F(SerialWorkerTest, StopCancelsAReadOnASilentLine) {
    pty.WithDevice([](SimDevice& device) { device.SetSilent(true); });
    uint8_t buffer[18];
    ASSERT_TRUE(worker.Start(&target, 0, LINK_READ, buffer, 18, 0xFF0000));
    std::this_thread::sleep_for(100ms);  // the worker is now waiting for a reply
    QElapsedTimer timer;
    timer.start();
    worker.Stop(50);
    // Unstopped, three silent read calls would take over two seconds.
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(target.WaitForFinal(0ms), (std::vector<Report>{{LINK_ERR_NO_REPLY, 0}}));
    EXPECT_EQ(qtMessages.Joined(), "");
}
#endif

}  // namespace
