// The serial ports dialog offscreen with a made-up list of ports: choices,
// typed paths, ports coming and going, Find device over pseudo-terminals, and
// the operation dialog's port message with the reason under it.
#include "PtyDevice.h"
#include "TcpPeer.h"
#include "support/RecordingPresenter.h"
#include "support/TempProfile.h"

#include "lang/UiText.h"
#include "link/gui/CDlgOper.h"
#include "link/gui/PortsDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {

const QString kById = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K1234-if00-port0");

class ListedPorts : public PortDiscovery {
public:
    QList<SerialPortRecord> AvailablePorts() override { return ports; }
    QList<SerialPortRecord> ports;
};

SerialPortRecord Port(const char* device, const char* description, const QString& byId = {}) {
    SerialPortRecord port;
    port.device = QString::fromLatin1(device);
    port.description = QString::fromLatin1(description);
    port.byId = byId;
    port.hasUsbIds = !byId.isEmpty();
    port.vendorId = 0x0403;
    port.productId = 0x6001;
    return port;
}

QStringList Texts(const QComboBox* combo) {
    QStringList texts;
    for (int n = 0; n < combo->count(); ++n) texts << combo->itemText(n);
    return texts;
}

class PortsDialog : public testing::Test {
protected:
    PortsDialog() {
        m_ports.ports = {Port("/dev/ttyUSB0", "FT232R USB UART", kById), Port("/dev/ttyS0", "")};
        m_profile.Write("[Ports]\r\nCOM1=" + kById.toLatin1() + "\r\nCOM2=/dev/vkx-gone\r\n");
    }
    TempProfile m_profile;
    ListedPorts m_ports;
};

TEST_F(PortsDialog, EntriesOfferThePortsFoundAndKeepWhatIsStored) {
    PortsDlg dialog(m_ports);
    const QStringList offered{"/dev/ttyUSB0  FT232R USB UART, 0403:6001", "/dev/ttyS0"};
    EXPECT_EQ(Texts(dialog.Choice(0)), offered);
    EXPECT_EQ(dialog.Choice(0)->currentIndex(), 0) << "the by-id name stands for ttyUSB0";
    EXPECT_EQ(dialog.Choice(0)->itemData(0, Qt::ToolTipRole).toString(),
              "FT232R USB UART, 0403:6001\n/dev/ttyUSB0\n" + kById);
    EXPECT_EQ(Texts(dialog.Choice(1)), offered + QStringList{"/dev/vkx-gone"});
    EXPECT_EQ(dialog.Choice(1)->toolTip(), "/dev/vkx-gone (not present)");
    EXPECT_EQ(dialog.Choice(2)->currentText(), "/dev/ttyS2");
    EXPECT_EQ(dialog.Mapping(), QStringList({kById, "/dev/vkx-gone", "/dev/ttyS2", "/dev/ttyS3", "/dev/ttyS4",
                                             "/dev/ttyS5", "/dev/ttyS6", "/dev/ttyS7"}));

    dialog.Choice(2)->setCurrentIndex(0);  // the stable name is what gets stored
    dialog.Choice(3)->setCurrentIndex(1);
    dialog.Choice(4)->setEditText(QStringLiteral(" /dev/ttyACM3 "));
    const QStringList chosen = dialog.Mapping();
    EXPECT_EQ(chosen.mid(2, 3), QStringList({kById, "/dev/ttyS0", "/dev/ttyACM3"}));
}

TEST_F(PortsDialog, PortsThatComeAndGoAreShownWhileChoicesStay) {
    PortsDlg dialog(m_ports);
    dialog.Choice(3)->setEditText(QStringLiteral("/dev/ttyACM0"));
    m_ports.ports.push_back(Port("/dev/ttyACM0", "Arduino Uno", QStringLiteral("/dev/serial/by-id/usb-Arduino-if00")));
    QTRY_COMPARE_WITH_TIMEOUT(dialog.Choice(0)->count(), 3, 5000);
    EXPECT_EQ(dialog.Choice(0)->currentIndex(), 0);
    EXPECT_EQ(dialog.Choice(3)->currentText(), "/dev/ttyACM0  Arduino Uno, 0403:6001") << "the typed port, now found";
    EXPECT_EQ(dialog.Mapping()[3], "/dev/serial/by-id/usb-Arduino-if00");

    m_ports.ports.removeFirst();  // the adapter of COM1 unplugged: COM1 keeps its name
    dialog.OnRefresh();
    EXPECT_EQ(dialog.Choice(0)->currentText(), kById);
    EXPECT_EQ(dialog.Mapping()[0], kById);
    m_ports.ports.clear();
    dialog.OnRefresh();
    EXPECT_EQ(dialog.statusText(), "No serial ports found.");
}

TEST_F(PortsDialog, OkStoresTheMappingCancelKeepsIt) {
    for (const bool accept : {false, true}) {
        QTimer::singleShot(0, [accept] {
            auto* dialog = qobject_cast<PortsDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->Choice(2)->setEditText(QStringLiteral("/dev/ttyUSB7"));
            accept ? dialog->accept() : dialog->reject();
        });
        EXPECT_EQ(EditPortMapping(nullptr, m_ports), accept);
        EXPECT_EQ(PortDevicePath(2), accept ? "/dev/ttyUSB7" : "/dev/ttyS2");
        EXPECT_EQ(PortDevicePath(0), kById);
    }
}

#ifndef _WIN32
TEST_F(PortsDialog, FindDeviceMarksTheEntryWhereTheDeviceAnswers) {
    SilentPty silent;
    PtyDevice device;
    m_ports.ports.clear();
    m_profile.Write("[Ports]\r\nCOM1=" + silent.path().toLatin1() + "\r\nCOM2=" + device.path().toLatin1() + "\r\n");
    PortsDlg dialog(m_ports);
    dialog.OnFindDevice();
    EXPECT_TRUE(dialog.probing());
    EXPECT_EQ(dialog.statusText(), "Searching for the device...");
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.probing(), 10000);
    EXPECT_EQ(dialog.MarkedEntries(), std::vector<int>({1}));
    EXPECT_EQ(dialog.statusText(), "VKX520 found on COM2.");
}

TEST_F(PortsDialog, ANetworkPortIsKeptAsTypedAndFindDeviceAsksIt) {
    SimOverTcp server;
    TcpPeer peer([&](TcpPeer& p, int fd) { server.Serve(p, fd); });
    m_ports.ports.clear();
    m_profile.Write("[Ports]\r\nCOM3=" + peer.Name("tcp").toLatin1() + "\r\n");
    PortsDlg dialog(m_ports);
    EXPECT_EQ(dialog.Choice(2)->toolTip(), peer.Name("tcp")) << "a network port is never \"not present\"";
    dialog.Choice(4)->setEditText(QStringLiteral(" rfc2217://rack-a:2001 "));
    EXPECT_EQ(dialog.Mapping().mid(2, 3), QStringList({peer.Name("tcp"), "/dev/ttyS3", "rfc2217://rack-a:2001"}));
    dialog.Choice(4)->setEditText(QStringLiteral("/dev/ttyS4"));
    dialog.OnFindDevice();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.probing(), 10000);
    EXPECT_EQ(dialog.MarkedEntries(), std::vector<int>({2}));
    EXPECT_EQ(dialog.statusText(), "VKX520 found on COM3.");
}
#endif

// A port that cannot be opened for lack of permission, as a user outside the
// device's group meets it.
class RefusingPorts : public LinkPortFactory {
public:
    std::unique_ptr<LinkPort> OpenPort(int) override { return nullptr; }
    std::unique_ptr<LinkPort> OpenPortExplained(int, PortOpenFailure& why) override {
        why = {PortProblem::PermissionDenied, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("dialout"), {}, {}, {}, 0};
        return nullptr;
    }
};

TEST(OperationDialogPortMessage, SaysWhyThePortWouldNotOpenUnderTheUnchangedMessage) {
    RefusingPorts refusing;
    SetDefaultLinkEnvironment(&refusing, nullptr);
    RecordingPresenter presenter;
    ConfigImage image;
    image.Clear();
    EXPECT_EQ(RunDeviceOperationDialog(OPER_READ_CONFIG, 0, image, nullptr), LINK_ERR_PORT);
    SetDefaultLinkEnvironment(nullptr, nullptr);
    ASSERT_EQ(presenter.ids(), std::vector<unsigned>({21109}));
    const QStringList lines = presenter.messages()[0].text.split(u'\n');
    EXPECT_EQ(lines.mid(0, lines.size() - 1).join(u'\n'), LoadUiString(21109));
    EXPECT_EQ(lines.last(), QStringLiteral("Permission denied for /dev/ttyUSB0: it belongs to the group \"dialout\". "
                                           "Join it with \"sudo usermod -aG dialout %1\", then log out and in again.")
                                .arg(CurrentUserName()));
}

}  // namespace
