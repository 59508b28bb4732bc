// The program's guards for the device's configuration against the simulated
// device: the backup kept at Connect and Load configuration, the read-back
// after a write, the note after a write that failed halfway, and Compare with...
#include "ViewRig.h"

#include "base/SettingKeys.h"
#include "link/LinkDefs.h"
#include "res/resource.h"

#include <QApplication>
#include <QDialog>
#include <QStatusBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace viewtest;

namespace {

// Connects, sets an input count and a signal, and writes.
void StartWritingAChange(ViewRig& rig, int count, int signal) {
    ASSERT_TRUE(rig.Connect());
    rig.doc().SetInputModule(1, rig.doc().GetModuleCode(1), count);
    rig.doc().SetOutputSignal(0, 1, signal);
    rig.presenter->Clear();
    rig.presenter->Answer(IDYES);
    ASSERT_TRUE(rig.Command(ID_DEVICE_WRITE));
}

// The same, then waits out the busy period.
void WriteAChange(ViewRig& rig, int count, int signal) {
    StartWritingAChange(rig, count, signal);
    rig.AdvanceMs(kBusyAfterWriteMs);
}

TEST(SafeWritesView, ConnectAndLoadConfigurationKeepWhatTheDeviceHeld) {
    ViewRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.Command(ID_DEVICE_LOAD);
    const QStringList kept = rig.backups.List();
    ASSERT_EQ(kept.size(), 2);
    EXPECT_TRUE(kept[0].endsWith(QStringLiteral("_COM1.vkcfg"))) << qPrintable(kept[0]);
    EXPECT_TRUE(rig.frame().statusBar()->currentMessage().startsWith(QStringLiteral("Backup saved: ")));
    CMainDoc backup;
    ASSERT_TRUE(backup.LoadFile(kept[1]));
    EXPECT_EQ(std::memcmp(backup.image().bytes(), rig.doc().image().bytes(), kConfigImageSize), 0);

    // Open backup... starts in the folder at the newest backup.
    rig.dialogs.openAnswers.push_back(kept[0]);
    rig.Command(ID_FILE_OPEN_BACKUP);
    EXPECT_TRUE(rig.dialogs.asked.last().endsWith(kept[1])) << qPrintable(rig.dialogs.asked.last());
    EXPECT_EQ(rig.doc().filePath(), kept[0]);
}

TEST(SafeWritesView, WriteIsReadBackOnceTheDeviceAnswersAgain) {
    ViewRig rig;
    WriteAChange(rig, 2, 3);
    EXPECT_FALSE(rig.commands().SafeWrites().VerifyPending());
    EXPECT_EQ(rig.presenter->ids(), (std::vector<unsigned>{IDS_WRITE_CONFIRM, IDS_WRITE_DONE}));
    EXPECT_EQ(rig.frame().statusBar()->currentMessage(),
              QStringLiteral("Verified: the device holds the configuration written."));

    // A device that keeps its modules: the differences, and the document keeps what was written.
    rig.device.SetIgnoreModuleWrites(true);
    WriteAChange(rig, 3, 4);
    ASSERT_EQ(rig.presenter->ids(), (std::vector<unsigned>{IDS_WRITE_CONFIRM, IDS_WRITE_DONE, IDS_VERIFY_DIFFERENT}));
    const RecordedMessage& warning = rig.presenter->messages()[2];
    EXPECT_EQ(warning.style, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_TRUE(
        warning.text.contains(QStringLiteral("read back from the device:\n"
                                             "Input slot 2: number of inputs: 3 -> 2\n"
                                             "Output slot 1, output 2: signal: Aux 1 (4) -> Multiviewer (3)\n\n")))
        << qPrintable(warning.text);
    EXPECT_EQ(rig.doc().GetInputCount(1), 3);
    EXPECT_EQ(rig.doc().GetOutputSignal(0, 1), 4);
}

// The device falls silent at the embedded audio step of the read-back: the
// operation dialog says so, and nothing is compared.
TEST(SafeWritesView, AReadBackThatStopsAtTheAudioStepComparesNothing) {
    ViewRig rig;
    rig.device.ClearRequests();
    WriteAChange(rig, 2, 3);
    // The same again, silent from the last request on: the one audio slot's.
    rig.device.UnplugAfter(int(rig.device.requests().size()) - 1);
    WriteAChange(rig, 3, 4);
    EXPECT_EQ(rig.presenter->ids(),
              (std::vector<unsigned>{IDS_WRITE_CONFIRM, IDS_WRITE_DONE, IDS_LINK_ERROR_BASE + LINK_ERR_NO_REPLY}));
    EXPECT_NE(rig.frame().statusBar()->currentMessage(),
              QStringLiteral("Verified: the device holds the configuration written."));
}

// Another window still modal when the busy period ends (the write's own
// message left open): the read-back comes at a later tick, not never.
TEST(SafeWritesView, AReadBackHeldUpByAModalWindowComesAtALaterTick) {
    ViewRig rig;
    StartWritingAChange(rig, 2, 3);
    auto modal = std::make_unique<QDialog>(&rig.frame());
    modal->setWindowModality(Qt::ApplicationModal);
    modal->show();
    ASSERT_NE(QApplication::activeModalWidget(), nullptr);
    rig.AdvanceMs(kBusyAfterWriteMs);
    EXPECT_TRUE(rig.commands().SafeWrites().VerifyPending());
    modal.reset();
    rig.AdvanceMs(kViewTimerMs);
    EXPECT_FALSE(rig.commands().SafeWrites().VerifyPending());
    EXPECT_EQ(rig.frame().statusBar()->currentMessage(),
              QStringLiteral("Verified: the device holds the configuration written."));
}

TEST(SafeWritesView, VerifyAfterWritingIsAnOptionKeptInTheSettings) {
    {
        ViewRig off("[View]\r\nVerifyWrite=0\r\n");
        EXPECT_FALSE(off.commands().SafeWrites().VerifiesWrites());
    }
    ViewRig rig;
    EXPECT_TRUE(rig.commands().SafeWrites().VerifiesWrites());
    rig.frame().UpdateCommandUI();
    EXPECT_TRUE(rig.frame().Action(ID_VIEW_VERIFY_WRITE)->isChecked());
    rig.Command(ID_VIEW_VERIFY_WRITE);
    EXPECT_EQ(ReadSetting(kViewVerifyWrite), 0);
    WriteAChange(rig, 2, 3);
    const std::size_t reads = rig.device.CountRequests(CMD_READ_MEMORY);
    rig.AdvanceMs(kViewTimerMs);
    EXPECT_EQ(rig.device.CountRequests(CMD_READ_MEMORY), reads);
    EXPECT_NE(rig.frame().statusBar()->currentMessage(),
              QStringLiteral("Verified: the device holds the configuration written."));
}

TEST(SafeWritesView, AWriteFailingAfterItsFirstStepSaysTheDeviceMayHoldPartOfIt) {
    ViewRig rig;
    ASSERT_TRUE(rig.Connect());
    // Nothing taken yet: the message alone.
    rig.device.SetSilent(true);
    rig.presenter->Answer(IDYES);
    rig.Command(ID_DEVICE_WRITE);
    ASSERT_EQ(rig.presenter->messages().size(), 2u);
    EXPECT_EQ(rig.presenter->messages()[1].text, LoadUiString(IDS_LINK_ERROR_BASE + 3));
    rig.presenter->Clear();
    rig.device.SetSilent(false);
    // The link tables are in; the device is switched off at the first module command.
    rig.device.SetRequestObserver([&rig](const std::vector<uint8_t>& frame) {
        if (frame[2] == CMD_MODULE_WRITE) rig.device.SetSilent(true);
    });
    rig.presenter->Answer(IDYES);
    rig.Command(ID_DEVICE_WRITE);
    ASSERT_EQ(rig.presenter->ids(), (std::vector<unsigned>{IDS_WRITE_CONFIRM, IDS_LINK_ERROR_BASE + 3}));
    const QString text = rig.presenter->messages()[1].text;
    EXPECT_TRUE(text.startsWith(LoadUiString(IDS_LINK_ERROR_BASE + 3) + u'\n'));
    EXPECT_TRUE(text.endsWith(LoadUiString(IDS_WRITE_PARTIAL)));
}

TEST(SafeWritesView, CompareWithAFileOrTheDevice) {
    ViewRig rig;
    ASSERT_TRUE(rig.Connect());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rack.vkcfg"));
    ASSERT_TRUE(rig.doc().SaveFile(path));
    rig.doc().SetOutputSignal(0, 1, 3);
    ASSERT_TRUE(rig.doc().SetInputLabel(0, "Camera 1"));

    rig.presenter->Answer(IDNO);  // a file
    rig.dialogs.openAnswers.push_back(path);
    rig.Command(ID_FILE_COMPARE);
    EXPECT_EQ(rig.presenter->ids(), std::vector<unsigned>{IDS_COMPARE_WITH_DEVICE});
    ASSERT_EQ(rig.dialogs.differences.size(), 3);
    EXPECT_EQ(rig.dialogs.differences[0], QStringLiteral("Differences, displayed configuration -> rack.vkcfg:"));
    EXPECT_TRUE(
        rig.dialogs.differences[1].startsWith(QStringLiteral("Output slot 1, output 2: signal: Multiviewer (3) -> ")));
    EXPECT_EQ(rig.dialogs.differences[2], QStringLiteral("Input slot 1, input 1: label: \"Camera 1\" -> \"\""));

    rig.dialogs.differences.clear();
    rig.presenter->Answer(IDYES);  // the device, which has no labels
    rig.Command(ID_FILE_COMPARE);
    ASSERT_EQ(rig.dialogs.differences.size(), 2);
    EXPECT_EQ(rig.dialogs.differences[0], QStringLiteral("Differences, displayed configuration -> the device:"));

    rig.presenter->Clear();
    rig.doc().SetOutputSignal(0, 1, rig.device.SaveImage().outputModules[0].signal[1]);
    rig.presenter->Answer(IDYES);
    rig.Command(ID_FILE_COMPARE);
    EXPECT_EQ(rig.presenter->ids(), (std::vector<unsigned>{IDS_COMPARE_WITH_DEVICE, IDS_COMPARE_SAME}));
}

}  // namespace
