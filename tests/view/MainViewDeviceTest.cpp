// The view in the running program against the simulated device: start-up
// defaults, the Device commands with their confirmations and enabling, the
// busy periods, the change notice and the port kept in the settings.
#include "ViewRig.h"

#include "base/CrossThreadCalls.h"
#include "app/MainToolBar.h"
#include "link/LinkDefs.h"
#include "res/resource.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

using namespace viewtest;

namespace {

// The Device commands and the port selector, in this order.
struct DeviceCommandState {
    bool connect, load, write, discard, sync, portSelector;
    bool operator==(const DeviceCommandState&) const = default;
};

DeviceCommandState StateOf(const ViewRig& rig) {
    return {rig.Enabled(ID_DEVICE_CONNECT), rig.Enabled(ID_DEVICE_LOAD),      rig.Enabled(ID_DEVICE_WRITE),
            rig.Enabled(ID_DEVICE_DISCARD), rig.Enabled(ID_DEVICE_SYNC_TIME), rig.PortSelectorEnabled()};
}

// As the window shows them once the queued events have run, without asking
// the handlers again as StateOf does.
DeviceCommandState ShownStateOf(const ViewRig& rig) {
    QApplication::processEvents();
    const auto shown = [&rig](int id) { return rig.frame().Action(id)->isEnabled(); };
    return {shown(ID_DEVICE_CONNECT), shown(ID_DEVICE_LOAD),      shown(ID_DEVICE_WRITE),
            shown(ID_DEVICE_DISCARD), shown(ID_DEVICE_SYNC_TIME), rig.frame().ToolBar()->PortCombo()->isEnabled()};
}

void PrintTo(const DeviceCommandState& s, std::ostream* os) {
    *os << "connect " << s.connect << " load " << s.load << " write " << s.write << " discard " << s.discard << " sync "
        << s.sync << " port " << s.portSelector;
}

constexpr DeviceCommandState kOffline{true, false, false, false, false, true};
constexpr DeviceCommandState kConnected{false, true, true, true, true, false};
constexpr DeviceCommandState kBusy{false, false, false, false, false, false};

std::vector<int> ItemKinds(const CMainView& view) {
    std::vector<int> kinds;
    for (const ViewItem& item : view.Layout().items()) kinds.push_back(item.kind * 10 + item.slot);
    return kinds;
}

}  // namespace

TEST(MainView, StartsWithDefaultsWithoutSettingsFile) {
    ViewRig rig;
    EXPECT_FALSE(rig.profile.Exists()) << "nothing is written at start";
    CMainView& view = rig.view();
    EXPECT_TRUE(view.ToolTips().Shown());
    EXPECT_TRUE(view.ShowsMessages());
    EXPECT_EQ(rig.commands().Device().Port(), 0);
    EXPECT_EQ(rig.frame().GetPortSelection(), 0);
    EXPECT_TRUE(rig.commands().Device().IsTimerRunning());
    EXPECT_TRUE(rig.commands().Device().IsDeviceReady());
    EXPECT_FALSE(view.Skin().IsEmpty()) << "modules.xml beside the executable";
    EXPECT_TRUE(view.Layout().items().empty());
    EXPECT_EQ(view.Layout().size(), QSize(100, 100));
    EXPECT_EQ(rig.frame().windowTitle(), "VKX520Setup");
    EXPECT_EQ(StateOf(rig), kOffline);
    EXPECT_TRUE(rig.Enabled(ID_FILE_OPEN));
    for (int id : {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_CLOSE, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW})
        EXPECT_FALSE(rig.Enabled(id)) << id;
    EXPECT_TRUE(rig.presenter->messages().empty());
}

TEST(MainView, SettingsAreReadAtCreationAndThePortOfTheLastConnectSavedOnDestroy) {
    ViewRig rig("[View]\nToolTips=0\nMessages=0\n[Connection]\nPort=2\n");
    CMainView& view = rig.view();
    EXPECT_FALSE(view.ToolTips().Shown());
    EXPECT_FALSE(view.ShowsMessages());
    EXPECT_EQ(rig.commands().Device().Port(), 2);
    EXPECT_EQ(rig.frame().GetPortSelection(), 2);

    rig.frame().SetPortSelection(4);
    ASSERT_TRUE(rig.Connect());
    // Only Connect takes the selector's port: what it shows at exit is not stored.
    rig.frame().SetPortSelection(6);
    rig.Exit();
    EXPECT_EQ(rig.profile.Int("Connection", "Port"), 4);
}

TEST(MainView, ConnectShowsTheDeviceModulesWithTheirAudioSettings) {
    ViewRig rig;
    rig.frame().SetPortSelection(2);
    ASSERT_TRUE(rig.Connect());
    EXPECT_EQ(rig.ports.lastPortIndex(), 2);
    EXPECT_EQ(rig.commands().Device().Port(), 2);
    EXPECT_TRUE(rig.presenter->messages().empty());
    EXPECT_FALSE(rig.doc().IsModified());
    // Key panel, input panel, input modules slot 2..0, card, outputs 0..1.
    EXPECT_EQ(ItemKinds(rig.view()), (std::vector<int>{10, 20, 42, 41, 40, 30, 50, 51}));
    EXPECT_EQ(rig.doc().image().audioKinds[0], kAudioKindEmbedded) << "SDI carries embedded audio";
    EXPECT_EQ(rig.doc().image().audioKinds[1], 0);
    EXPECT_EQ(rig.doc().GetAudioSetting(0, 3), 0x14) << "module data read for the SDI slot";
    EXPECT_EQ(rig.doc().GetOutputSignal(1, 0), 3);
    EXPECT_GT(rig.view().Layout().size().width(), 100);
    EXPECT_EQ(StateOf(rig), kConnected);
    for (int id : {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_CLOSE, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW})
        EXPECT_TRUE(rig.Enabled(id)) << id;
}

TEST(MainView, FailedConnectChangesNothingAndGivesThePortSelectorBack) {
    ViewRig rig;
    rig.device.SetSilent(true);
    EXPECT_FALSE(rig.Connect());
    EXPECT_EQ(rig.presenter->ids(), std::vector<unsigned>{IDS_LINK_ERROR_BASE + 3});
    EXPECT_FALSE(rig.doc().hasConfig());
    EXPECT_TRUE(rig.view().Layout().items().empty());
    EXPECT_EQ(StateOf(rig), kOffline);
}

TEST(MainView, PortSelectorStaysDisabledWhileConnectTalksToTheDevice) {
    ViewRig rig;
    CrossThreadCalls uiCalls(qApp);
    std::vector<bool> selectorDuringExchange;
    rig.device.SetRequestObserver([&](const std::vector<uint8_t>&) {
        if (!selectorDuringExchange.empty()) return;
        // On the user-interface thread while the worker waits: a refresh (as
        // a menu opening makes), and the event loop running longer than any
        // refresh timer would wait.
        uiCalls.Run([&] {
            rig.frame().RequestCommandUpdate();
            QTest::qWait(300);
            selectorDuringExchange.push_back(rig.frame().ToolBar()->PortCombo()->isEnabled());
        });
        rig.device.UnplugAfter(0);  // the Connect fails: the selector must come back
    });
    EXPECT_FALSE(rig.Connect());
    rig.device.SetRequestObserver(nullptr);
    EXPECT_EQ(selectorDuringExchange, std::vector<bool>{false});
    EXPECT_EQ(ShownStateOf(rig), kOffline);
}

TEST(MainView, CommandsFollowTheDocumentAndTheBusyPeriodAsTheyChange) {
    ViewRig rig;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rack.vkcfg"));
    {
        CMainDoc source;
        ASSERT_TRUE(source.ReadCfg(DemoImage(), false));
        ASSERT_TRUE(source.SaveFile(path));
    }
    const struct {
        const char* name;
        std::function<void()> change;
        DeviceCommandState device;
        bool fileCommands;
    } steps[] = {
        {"read from the device", [&] { rig.doc().ReadCfg(DemoImage(), false); }, kConnected, true},
        {"binding ended", [&] { rig.doc().SetDeviceBound(false); }, kOffline, true},
        {"read again", [&] { rig.doc().ReadCfg(DemoImage(), false); }, kConnected, true},
        {"written",
         [&] {
             rig.presenter->Answer(IDYES);
             rig.Command(ID_DEVICE_WRITE);
         },
         kBusy, true},
        {"busy period over", [&] { rig.AdvanceMs(kBusyAfterWriteMs); }, kOffline, true},
        {"closed", [&] { rig.doc().ResetConfig(); }, kOffline, false},
        {"file opened", [&] { rig.doc().LoadFile(path); }, kOffline, true},
    };
    for (const auto& step : steps) {
        step.change();
        EXPECT_EQ(ShownStateOf(rig), step.device) << step.name;
        for (int id : {ID_FILE_SAVE, ID_FILE_CLOSE, ID_FILE_PRINT})
            EXPECT_EQ(rig.frame().Action(id)->isEnabled(), step.fileCommands) << step.name << " " << id;
    }
}

TEST(MainView, ConnectWithoutASelectedPortReportsThePort) {
    ViewRig rig;
    rig.frame().SetPortSelection(-1);
    EXPECT_FALSE(rig.Connect());
    EXPECT_EQ(rig.commands().Device().Port(), -1);
    EXPECT_EQ(rig.presenter->ids(), std::vector<unsigned>{IDS_LINK_ERROR_BASE + 1});
}

TEST(MainView, WriteSendsTheConfigurationThenKeepsTheDeviceBusyFor15Seconds) {
    ViewRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.doc().SetOutputSignal(0, 1, 3);
    rig.presenter->Answer(IDYES);
    EXPECT_TRUE(rig.Command(ID_DEVICE_WRITE));
    EXPECT_EQ(rig.presenter->ids(), (std::vector<unsigned>{IDS_WRITE_CONFIRM, IDS_WRITE_DONE}));
    // The question as specified, with the one change against the device under it.
    const QStringList confirm = rig.presenter->messages()[0].text.split(u'\n');
    ASSERT_EQ(confirm.size(), 2);
    EXPECT_EQ(confirm[0], QStringLiteral("Write configuration to device?"));
    EXPECT_TRUE(confirm[1].startsWith(QStringLiteral("Output slot 1, output 2: signal: "))) << qPrintable(confirm[1]);
    EXPECT_TRUE(confirm[1].endsWith(QStringLiteral("(3)"))) << qPrintable(confirm[1]);
    EXPECT_EQ(rig.presenter->messages()[1].style, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(rig.device.SaveImage().outputModules[0].signal[1], 3);
    EXPECT_FALSE(rig.doc().deviceBound());
    EXPECT_TRUE(rig.doc().configModified()) << "the file is still not saved";
    EXPECT_EQ(StateOf(rig), kBusy);

    rig.AdvanceMs(kBusyAfterWriteMs - 1);
    EXPECT_EQ(StateOf(rig), kBusy);
    rig.AdvanceMs(1);
    EXPECT_EQ(StateOf(rig), kOffline);
}

TEST(MainView, WriteAnsweredNoOrFailingChangesNothing) {
    ViewRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.presenter->Answer(IDNO);
    rig.Command(ID_DEVICE_WRITE);
    EXPECT_EQ(rig.presenter->ids(), std::vector<unsigned>{IDS_WRITE_CONFIRM});
    EXPECT_EQ(StateOf(rig), kConnected);

    rig.presenter->Clear();
    rig.device.SetSilent(true);
    rig.presenter->Answer(IDYES);
    rig.Command(ID_DEVICE_WRITE);
    EXPECT_EQ(rig.presenter->ids(), (std::vector<unsigned>{IDS_WRITE_CONFIRM, IDS_LINK_ERROR_BASE + 3}));
    EXPECT_TRUE(rig.doc().deviceBound());
    EXPECT_EQ(StateOf(rig), kConnected);
}

TEST(MainView, SynchronizeTimeKeepsTheBindingAndIsBusyFor5Seconds) {
    ViewRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.presenter->Answer(IDYES);
    rig.Command(ID_DEVICE_SYNC_TIME);
    EXPECT_EQ(rig.presenter->ids(), (std::vector<unsigned>{IDS_SYNC_TIME_CONFIRM, IDS_TIME_DONE}));
    EXPECT_EQ(rig.device.clockSetCount(), 1);
    EXPECT_TRUE(rig.doc().deviceBound());
    EXPECT_EQ(StateOf(rig), kBusy);
    rig.AdvanceMs(kBusyAfterTimeSetMs - 1);
    EXPECT_EQ(StateOf(rig), kBusy);
    rig.AdvanceMs(1);
    EXPECT_EQ(StateOf(rig), kConnected);

    rig.presenter->Clear();
    rig.presenter->Answer(IDNO);
    rig.Command(ID_DEVICE_SYNC_TIME);
    EXPECT_EQ(rig.device.clockSetCount(), 1);
    EXPECT_EQ(StateOf(rig), kConnected);
}

TEST(MainView, BusyPeriodEndsAlsoWhenTheTickCountWraps) {
    ViewRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.ticks = 0xFFFFF000u;
    rig.presenter->Answer(IDYES);
    rig.Command(ID_DEVICE_WRITE);
    ASSERT_FALSE(rig.commands().Device().IsDeviceReady());
    rig.AdvanceMs(14000);  // wraps past zero
    EXPECT_FALSE(rig.commands().Device().IsDeviceReady());
    rig.AdvanceMs(1000);
    EXPECT_TRUE(rig.commands().Device().IsDeviceReady());
}

TEST(MainView, LoadConfigurationKeepsTheDisplayedLinksAndLabels) {
    ViewRig rig;
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.doc().SetInputLabel(0, "Camera 1"));
    rig.doc().AssignKey(0, 5);
    ConfigImage changed = DemoImage();
    changed.outputModules[0].signal[0] = 2;
    StoreBlockCrc(changed, kOutputTableBlock);
    rig.device.LoadImage(changed);
    EXPECT_TRUE(rig.Command(ID_DEVICE_LOAD));
    EXPECT_EQ(rig.doc().GetOutputSignal(0, 0), 2);
    EXPECT_EQ(rig.doc().GetInputLabel(0, true), "Camera 1");
    EXPECT_EQ(rig.doc().GetInputOfKey(0), 5);
    EXPECT_TRUE(rig.doc().deviceBound());
}

TEST(MainView, AFailedAudioReadOrAChecksumWarningDoesNotStopConnectOrLoad) {
    const struct {
        const char* name;
        bool load;  // Load configuration after a clean Connect, else Connect
        std::function<void(SimDevice&)> fault;
        unsigned message;
        int audioSetting;  // of SDI input 3; the device has 0x14
    } cases[] = {
        {"Connect, audio read fails", false, [](SimDevice& d) { d.CorruptReplies(3, CMD_MODULE_READ); },
         IDS_LINK_ERROR_BASE + LINK_ERR_CRC, 0},
        {"Connect, key map checksum", false, [](SimDevice& d) { d.CorruptStoredBlock(0xFF0060); }, IDS_CHECKSUM_WARNING,
         0x14},
        {"Load, audio read fails", true, [](SimDevice& d) { d.CorruptReplies(3, CMD_MODULE_READ); },
         IDS_LINK_ERROR_BASE + LINK_ERR_CRC, 0},
        {"Load, panel map checksum", true, [](SimDevice& d) { d.CorruptStoredBlock(0xFF0040); }, IDS_CHECKSUM_WARNING,
         0x14},
    };
    for (const auto& c : cases) {
        ViewRig rig;
        if (c.load) {
            ASSERT_TRUE(rig.Connect()) << c.name;
        }
        ConfigImage changed = DemoImage();
        changed.outputModules[1].signal[2] = 0;  // was 1: shows that the read went through
        StoreBlockCrc(changed, kOutputTableBlock);
        rig.device.LoadImage(changed);
        c.fault(rig.device);
        rig.Command(c.load ? ID_DEVICE_LOAD : ID_DEVICE_CONNECT);
        EXPECT_EQ(rig.presenter->ids(), std::vector<unsigned>{c.message}) << c.name;
        EXPECT_TRUE(rig.doc().deviceBound()) << c.name;
        EXPECT_FALSE(rig.doc().IsModified()) << c.name;
        EXPECT_EQ(rig.doc().GetOutputSignal(1, 2), 0) << c.name;
        EXPECT_EQ(rig.doc().GetAudioSetting(0, 3), c.audioSetting) << c.name;
        EXPECT_EQ(ItemKinds(rig.view()), (std::vector<int>{10, 20, 42, 41, 40, 30, 50, 51})) << c.name;
        EXPECT_EQ(StateOf(rig), kConnected) << c.name;
    }
}

TEST(MainView, DiscardChangesAsksOnlyWhenSomethingChanged) {
    struct Case {
        const char* name;
        bool change;
        int answer;
        std::vector<unsigned> ids;
        bool stillBound;
    };
    const Case cases[] = {
        {"no changes", false, IDYES, {}, false},
        {"changes, answered Yes", true, IDYES, {IDS_DISCARD_CHANGES}, false},
        {"changes, answered No", true, IDNO, {IDS_DISCARD_CHANGES}, true},
    };
    for (const Case& c : cases) {
        ViewRig rig;
        ASSERT_TRUE(rig.Connect()) << c.name;
        if (c.change) rig.doc().SetOutputSignal(1, 2, 0);
        const auto itemsBefore = ItemKinds(rig.view());
        rig.presenter->Answer(c.answer);
        rig.Command(ID_DEVICE_DISCARD);
        EXPECT_EQ(rig.presenter->ids(), c.ids) << c.name;
        EXPECT_EQ(rig.doc().deviceBound(), c.stillBound) << c.name;
        EXPECT_EQ(StateOf(rig), c.stillBound ? kConnected : kOffline) << c.name;
        EXPECT_EQ(ItemKinds(rig.view()), itemsBefore) << c.name << ": the display stays";
        EXPECT_TRUE(rig.doc().hasConfig()) << c.name;
    }
}

TEST(MainView, ChangeNoticeComesOncePerRunAndOnlyWithMessagesOn) {
    ViewRig rig;
    rig.view().ShowChangeNotice();  // nothing shown, nothing connected
    ASSERT_TRUE(rig.Connect());
    rig.view().ShowChangeNotice();  // connected but unchanged
    EXPECT_TRUE(rig.presenter->messages().empty());

    rig.doc().SetOutputSignal(0, 0, 1);
    rig.Command(ID_VIEW_MESSAGES);
    EXPECT_EQ(rig.profile.Int("View", "Messages"), 0);
    rig.view().ShowChangeNotice();
    EXPECT_TRUE(rig.presenter->messages().empty()) << "option off";

    rig.Command(ID_VIEW_MESSAGES);
    EXPECT_EQ(rig.profile.Int("View", "Messages"), 1);
    EXPECT_TRUE(rig.frame().Action(ID_VIEW_MESSAGES)->isChecked());
    rig.view().ShowChangeNotice();
    rig.view().ShowChangeNotice();
    ASSERT_EQ(rig.presenter->ids(), std::vector<unsigned>{IDS_CHANGE_NOTICE});
    EXPECT_EQ(rig.presenter->messages()[0].style, MB_OK | MB_ICONINFORMATION);
}
