// The operation dialog, offscreen, against the simulated device: results and
// their messages, Abort between steps, Enter and Escape, the log lines.
#include "support/SimRig.h"

#include "lang/ControlId.h"
#include "lang/UiText.h"
#include "link/gui/CDlgOper.h"
#include "base/CrossThreadCalls.h"
#include "base/DiagLog.h"
#include "res/resource.h"
#include "support/RecordingPresenter.h"

#include <gtest/gtest.h>

#include <numeric>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

CDlgOper* RunningDialog() { return qobject_cast<CDlgOper*>(QApplication::activeModalWidget()); }

template <typename Control>
Control* ControlOf(QWidget* dialog, int id) {
    for (Control* c : dialog->findChildren<Control*>())
        if (ControlId(c) == id) return c;
    return nullptr;
}

CrossThreadCalls* g_uiCalls = nullptr;  // the running test's

// Runs `action` on the user-interface thread while the worker that saw the
// request waits, so it happens in the middle of that step.
void OnUiThreadDuringStep(std::function<void()> action) { g_uiCalls->Run(std::move(action)); }

bool IsSetAddress(const Bytes& frame, uint32_t address) {
    return frame[2] == CMD_SET_ADDRESS && frame[4] == uint8_t(address) && frame[5] == uint8_t(address >> 8);
}

// Follows the progress bar of the operation dialog shown next: every value it
// takes, and the value it shows whenever a request reaches the device
// (repeats of one value counted once).
class ProgressWatch : public QObject {
public:
    explicit ProgressWatch(SimDevice& device) : m_device(device) {
        qApp->installEventFilter(this);
        device.SetRequestObserver([this](const Bytes&) {
            OnUiThreadDuringStep([this] {
                const int value = m_bar ? m_bar->value() : -100;
                if (atRequests.empty() || atRequests.back() != value) atRequests.push_back(value);
            });
        });
    }
    ~ProgressWatch() override {
        m_device.SetRequestObserver(nullptr);
        qApp->removeEventFilter(this);
    }

    std::vector<int> values;
    std::vector<int> atRequests;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = event->type() == QEvent::Show ? qobject_cast<CDlgOper*>(watched) : nullptr;
        if (dialog && !m_bar) {  // before the dialog's own show handling starts step 0
            m_bar = ControlOf<QProgressBar>(dialog, IDC_OPER_PROGRESS);
            connect(m_bar, &QProgressBar::valueChanged, this, [this](int value) { values.push_back(value); });
        }
        return false;
    }

private:
    SimDevice& m_device;
    QPointer<QProgressBar> m_bar;
};

class DlgOperTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetDefaultLinkEnvironment(&rig.ports, &rig.clock);
        image.Clear();
        g_uiCalls = &uiCalls;
    }
    void TearDown() override {
        rig.device.SetRequestObserver(nullptr);
        SetDefaultLinkEnvironment(nullptr, nullptr);
        SetLogFile({});
        g_uiCalls = nullptr;
    }
    CrossThreadCalls uiCalls{qApp};
    SimRig rig;
    RecordingPresenter presenter;
    ConfigImage image;
};

TEST_F(DlgOperTest, ReadSucceedsWithoutMessage) {
    QString title, status;
    int maximum = -1;
    rig.device.SetRequestObserver([&](const Bytes&) {
        OnUiThreadDuringStep([&] {
            CDlgOper* dialog = RunningDialog();
            ASSERT_NE(dialog, nullptr);
            title = dialog->windowTitle();
            status = ControlOf<QLabel>(dialog, IDC_OPER_STATUS)->text();
            maximum = ControlOf<QProgressBar>(dialog, IDC_OPER_PROGRESS)->maximum();
        });
    });
    EXPECT_TRUE(RunDeviceOperation(OPER_READ_CONFIG, 0, image, nullptr));
    EXPECT_TRUE(presenter.messages().empty());
    EXPECT_TRUE(IsBlockValid(image, kInputTableBlock));
    EXPECT_EQ(rig.Requests(CMD_SET_ADDRESS).size(), 4u);
    EXPECT_EQ(title, "Operation in progress...");
    EXPECT_EQ(status, "Reading configuration...");
    EXPECT_EQ(maximum, 3);
}

struct MessageCase {
    const char* name;
    std::function<void(SimRig&)> setup;
    int port;
    bool success;
    std::vector<unsigned> ids;
    unsigned style;
    bool noThread = false;
};

TEST_F(DlgOperTest, ResultMessages) {
    const MessageCase cases[] = {
        {"no port selected", [](SimRig&) {}, -1, false, {IDS_LINK_ERROR_BASE + 1}, MB_OK | MB_ICONSTOP},
        {"device not connected", [](SimRig& r) { r.device.SetSilent(true); }, 0, false, {21111}, MB_OK | MB_ICONSTOP},
        {"bad replies", [](SimRig& r) { r.device.CorruptReplies(3); }, 0, false, {21112}, MB_OK | MB_ICONSTOP},
        {"bad module table",
         [](SimRig& r) { r.device.CorruptStoredBlock(0xFF0080); },
         0,
         false,
         {21113},
         MB_OK | MB_ICONSTOP},
        {"bad key map",
         [](SimRig& r) { r.device.CorruptStoredBlock(0xFF0060); },
         0,
         true,
         {IDS_CHECKSUM_WARNING},
         MB_OK | MB_ICONEXCLAMATION},
        {"no thread", [](SimRig&) {}, 0, false, {IDS_NO_LINK_THREAD}, MB_OK | MB_ICONSTOP, true},
    };
    for (const MessageCase& c : cases) {
        SimRig local;
        SetDefaultLinkEnvironment(&local.ports, &local.clock);
        RecordingPresenter recorder;
        c.setup(local);
        image.Clear();
        FailNextThreadStart threads;
        threads.failNext = c.noThread;
        DialogOperationRunner runner(c.port, nullptr, threads);
        EXPECT_EQ(RunOperationOn(runner, OPER_READ_CONFIG, image).result == LINK_OK, c.success) << c.name;
        EXPECT_EQ(recorder.ids(), c.ids) << c.name;
        ASSERT_FALSE(recorder.messages().empty()) << c.name;
        EXPECT_EQ(recorder.messages()[0].style, c.style) << c.name;
    }
}

TEST_F(DlgOperTest, AbortTakesEffectAfterTheRunningStep) {
    rig.device.SetRequestObserver([](const Bytes& frame) {
        if (!IsSetAddress(frame, 0xFF0040)) return;
        OnUiThreadDuringStep([] { ControlOf<QPushButton>(RunningDialog(), IDC_OPER_ABORT)->click(); });
    });
    EXPECT_FALSE(RunDeviceOperation(OPER_READ_CONFIG, 0, image, nullptr));
    EXPECT_EQ(presenter.ids(), std::vector<unsigned>{21114});
    EXPECT_EQ(rig.Requests(CMD_SET_ADDRESS).size(), 2u) << "step 1 completed, step 2 never started";
    EXPECT_EQ(rig.Requests(CMD_READ_MEMORY).size(), 2u);
}

TEST_F(DlgOperTest, EnterAndEscapeDoNotEndTheDialog) {
    bool visibleAfterKeys = false;
    rig.device.SetRequestObserver([&](const Bytes& frame) {
        if (!IsSetAddress(frame, 0xFF0000)) return;
        OnUiThreadDuringStep([&] {
            CDlgOper* dialog = RunningDialog();
            QPushButton* abort = ControlOf<QPushButton>(dialog, IDC_OPER_ABORT);
            abort->setFocus();
            for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
                QTest::keyClick(abort, Qt::Key(key));
                QTest::keyClick(dialog, Qt::Key(key));
            }
            dialog->close();
            visibleAfterKeys = dialog->isVisible();
        });
    });
    EXPECT_TRUE(RunDeviceOperation(OPER_READ_CONFIG, 0, image, nullptr));
    EXPECT_TRUE(visibleAfterKeys);
    EXPECT_TRUE(presenter.messages().empty()) << "neither key pressed Abort";
}

TEST_F(DlgOperTest, WriteWithEmptySlotsRunsToTheReset) {
    EXPECT_TRUE(RunDeviceOperation(OPER_WRITE_CONFIG, 0, image, nullptr));
    EXPECT_EQ(rig.Commands(), (Bytes{CMD_SET_ADDRESS, CMD_WRITE_MEMORY, CMD_SET_ADDRESS, CMD_WRITE_MEMORY, CMD_RESET}));
}

TEST_F(DlgOperTest, ProgressBarMovesPerStep) {
    std::vector<int> everyWriteStep(27);
    std::iota(everyWriteStep.begin(), everyWriteStep.end(), 0);
    const struct {
        const char* name;
        DeviceCommand command;
        bool silent;
        std::vector<int> values;
        std::vector<int> atRequests;
    } cases[] = {
        {"read from a silent device", OPER_READ_CONFIG, true, {0}, {0}},
        // Steps 2 .. 25 have nothing to send: the bar passes them at once,
        // and the reset runs with the bar at 26.
        {"write with no slots in use", OPER_WRITE_CONFIG, false, everyWriteStep, {0, 1, 26}},
    };
    for (const auto& c : cases) {
        SimRig local;
        SetDefaultLinkEnvironment(&local.ports, &local.clock);
        local.device.SetSilent(c.silent);
        RecordingPresenter recorder;
        image.Clear();
        ProgressWatch watch(local.device);
        EXPECT_EQ(RunDeviceOperation(c.command, 0, image, nullptr), !c.silent) << c.name;
        EXPECT_EQ(watch.values, c.values) << c.name;
        EXPECT_EQ(watch.atRequests, c.atRequests) << c.name;
    }
}

TEST_F(DlgOperTest, LogLinesOfAFailedRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("oper.log"));
    SetLogFile(path);
    rig.device.SetSilent(true);
    EXPECT_FALSE(RunDeviceOperation(OPER_READ_CONFIG, 3, image, nullptr));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList texts;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.isEmpty()) texts << QString::fromLatin1(line.mid(22).chopped(1));
    EXPECT_EQ(texts, (QStringList{"CDlgOper::StartCommand(1, 3)", "read from 00FF0000, 18 bytes",
                                  "CDlgOper::OnSerialNotify((3, 0)", "CDlgOper::OnDestroy(): called",
                                  "CDlgOper::OnDestroy(): done"}));
}

// What the runner shows for a failure: the link message unchanged, with a
// line under it where more is known.
TEST(OperationOutcome, ShownWithItsReasonUnderTheUnchangedMessage) {
    const PortOpenFailure denied{
        PortProblem::PermissionDenied, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("dialout"), {}, {}, {}, 0};
    PortOpenFailure closed;
    closed.problem = PortProblem::ConnectionClosed;
    closed.device = QStringLiteral("tcp://rack-a:2001");
    const struct {
        DeviceCommand command;
        OperationOutcome outcome;
        unsigned id;
        QString text;
    } cases[] = {
        {OPER_READ_CONFIG,
         {LINK_ERR_PORT, false, false, denied},
         21109,
         LoadUiString(21109) + u'\n' + PortOpenDetail(denied)},
        // a reason belongs to a port that did not open only
        {OPER_READ_CONFIG, {LINK_ERR_NO_REPLY, false, false, denied}, 21111, LoadUiString(21111)},
        {OPER_READ_CONFIG, {LINK_ERR_PORT, false, false, {}}, 21109, LoadUiString(21109)},  // nothing known
        {OPER_WRITE_CONFIG,
         {LINK_ERR_NO_REPLY, false, true, closed},
         21111,
         LoadUiString(21111) + u'\n' + PortOpenDetail(closed) + u'\n' + LoadUiString(IDS_WRITE_PARTIAL)},
    };
    RecordingPresenter presenter;
    for (const auto& c : cases) ShowOperationOutcome(c.command, c.outcome);
    ASSERT_EQ(presenter.messages().size(), std::size(cases));
    for (std::size_t n = 0; n < std::size(cases); ++n) {
        EXPECT_EQ(presenter.ids()[n], cases[n].id) << n;
        EXPECT_EQ(presenter.messages()[n].text, cases[n].text) << n;
        EXPECT_EQ(presenter.messages()[n].style, unsigned(MB_OK | MB_ICONSTOP)) << n;
    }
    EXPECT_FALSE(PortOpenDetail(denied).isEmpty());
}

}  // namespace
