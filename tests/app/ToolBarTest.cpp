#include "app/CommandIcons.h"
#include "app/CommandTexts.h"
#include "app/MainFrame.h"
#include "app/MainToolBar.h"
#include "lang/UiText.h"
#include "link/SerialPorts.h"
#include "model/CMainDoc.h"
#include "res/resource.h"
#include "support/TempProfile.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QHelpEvent>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

class ToolBar : public ::testing::Test {
protected:
    void StartFrame() {
        m_frame = std::make_unique<CMainFrame>(&m_doc);
        m_frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    }
    void SetUp() override { StartFrame(); }
    void TearDown() override { SetUiTextLookup({}); }
    QComboBox* Combo() const { return m_frame->ToolBar()->PortCombo(); }

    // Asks the widget for its tooltip as the mouse resting on it would.
    static QString ToolTipShownFor(QWidget* widget) {
        QToolTip::hideText();
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(widget, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
    QWidget* Button(int id) const { return m_frame->ToolBar()->widgetForAction(m_frame->Action(id)); }

    TempProfile m_profile;
    CMainDoc m_doc;
    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(ToolBar, ItemsInResourceOrderWithThePortSelectorAsItemSix) {
    const int expected[] = {ID_FILE_OPEN,
                            ID_FILE_SAVE,
                            ID_FILE_CLOSE,
                            0,
                            ID_FILE_PRINT,
                            0,
                            IDC_PORT_COMBO,
                            ID_DEVICE_PORTS,
                            0,
                            ID_DEVICE_CONNECT,
                            ID_DEVICE_LOAD,
                            ID_DEVICE_WRITE,
                            ID_DEVICE_DISCARD,
                            0,
                            ID_EDIT_UNDO,
                            ID_EDIT_REDO,
                            0,
                            ID_DEVICE_SYNC_TIME,
                            0,
                            ID_APP_ABOUT};
    const QList<QAction*> actions = m_frame->ToolBar()->actions();
    ASSERT_EQ(actions.size(), qsizetype(std::size(expected)));
    for (qsizetype i = 0; i < actions.size(); ++i) {
        QWidget* widget = m_frame->ToolBar()->widgetForAction(actions[i]);
        int id = actions[i]->isSeparator() ? 0 : actions[i]->property("vkxCommandId").toInt();
        if (widget == Combo()) id = widget->property("vkxControlId").toInt();
        EXPECT_EQ(id, expected[i]) << "item " << i;
        if (id > 0 && id != IDC_PORT_COMBO) {
            EXPECT_FALSE(actions[i]->icon().isNull()) << "item " << i;
        }
    }
}

TEST_F(ToolBar, ButtonPicturesAreSixteenByFifteen) {
    EXPECT_EQ(m_frame->ToolBar()->iconSize(), QSize(16, 15));
    auto* open = qobject_cast<QToolButton*>(Button(ID_FILE_OPEN));
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->iconSize(), QSize(16, 15));
    for (int id : {ID_FILE_OPEN, ID_DEVICE_CONNECT, ID_APP_ABOUT}) {
        const QImage image = CommandIcon(id).pixmap(QSize(16, 15)).toImage();
        ASSERT_EQ(image.size(), QSize(16, 15));
        int opaque = 0;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x) opaque += qAlpha(image.pixel(x, y)) > 128;
        EXPECT_GT(opaque, 40) << "command " << id << " draws a visible picture";
    }
    EXPECT_TRUE(CommandIcon(ID_FILE_SAVE_AS).isNull());
}

// Icons are drawn when a size is asked for: each size comes out sharp at that
// size, and the disabled look is derived from the picture as Qt does it.
TEST_F(ToolBar, IconsDrawEachSizeAndADisabledLook) {
    const QIcon icon = CommandIcon(ID_DEVICE_CONNECT);
    for (int side : {16, 24, 32, 48, 20}) EXPECT_EQ(icon.pixmap(side, side).size(), QSize(side, side)) << side;
    const QImage normal = icon.pixmap(16, 16).toImage();
    const QImage disabled = icon.pixmap(QSize(16, 16), QIcon::Disabled).toImage();
    ASSERT_EQ(disabled.size(), normal.size());
    EXPECT_NE(disabled, normal);
    EXPECT_EQ(icon.pixmap(16, 16).toImage(), normal) << "a size once drawn is kept";
    EXPECT_FALSE(AppIcon().availableSizes().isEmpty());
}

TEST_F(ToolBar, PortSelectorListsEightPortsAtEightyPixels) {
    EXPECT_EQ(Combo()->width(), 80);
    Combo()->showPopup();
    QWidget* list = Combo()->view()->window();
    ASSERT_NE(list, m_frame.get());
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->height(), 150) << "the dropped list";
    Combo()->hidePopup();
    EXPECT_FALSE(Combo()->isEditable());
    ASSERT_EQ(Combo()->count(), 8);
    for (int n = 0; n < 8; ++n) EXPECT_EQ(Combo()->itemText(n), QStringLiteral("COM%1").arg(n + 1));
    EXPECT_EQ(m_frame->GetPortSelection(), -1) << "the view chooses the port";
}

TEST_F(ToolBar, PortSelectionForTheView) {
    m_frame->SetPortSelection(2);
    EXPECT_EQ(m_frame->GetPortSelection(), 2);
    EXPECT_EQ(Combo()->currentText(), "COM3");
    m_frame->SetPortSelection(8);
    EXPECT_EQ(m_frame->GetPortSelection(), -1);
    m_frame->SetPortSelection(-3);
    EXPECT_EQ(m_frame->GetPortSelection(), -1);

    m_frame->EnablePortSelector(false);
    EXPECT_FALSE(Combo()->isEnabled());
    m_frame->EnablePortSelector(false);
    EXPECT_FALSE(Combo()->isEnabled());
    m_frame->EnablePortSelector(true);
    EXPECT_TRUE(Combo()->isEnabled());
}

TEST_F(ToolBar, PortEntryTooltipsShowTheMappedDevicePaths) {
    m_frame.reset();
    m_profile.Write("[Ports]\nCOM1=/dev/pts/7\nCOM4=/dev/ttyUSB1\n");
    StartFrame();
    Combo()->showPopup();
    Combo()->hidePopup();
    const char* expected[] = {"/dev/pts/7", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyUSB1",
                              "/dev/ttyS4", "/dev/ttyS5", "/dev/ttyS6", "/dev/ttyS7"};
    for (int n = 0; n < 8; ++n) EXPECT_EQ(Combo()->itemData(n, Qt::ToolTipRole).toString(), expected[n]) << n;
}

TEST_F(ToolBar, DroppedListShowsWhatEachEntryStandsFor) {
    struct OnePort : PortDiscovery {
        QList<SerialPortRecord> AvailablePorts() override {
            SerialPortRecord port;
            port.device = QStringLiteral("/dev/ttyUSB0");
            port.byId = QStringLiteral("/dev/serial/by-id/usb-FTDI-if00");
            port.description = QStringLiteral("FT232R USB UART");
            return {port};
        }
    } found;
    SetDefaultPortDiscovery(&found);
    m_frame.reset();
    m_profile.Write("[Ports]\nCOM1=/dev/serial/by-id/usb-FTDI-if00\nCOM2=/dev/pts/7\nCOM3=rfc2217://rack-a:2001\n");
    StartFrame();
    // The ports are looked for when the list drops, not before.
    EXPECT_TRUE(Combo()->itemData(0, Qt::UserRole + 1).isNull());
    Combo()->showPopup();
    SetDefaultPortDiscovery(nullptr);
    EXPECT_EQ(Combo()->itemText(0), "COM1");
    EXPECT_EQ(Combo()->itemData(0, Qt::UserRole + 1).toString(), "ttyUSB0");
    EXPECT_EQ(Combo()->itemData(0, Qt::ToolTipRole).toString(), "FT232R USB UART\n/dev/serial/by-id/usb-FTDI-if00");
    EXPECT_EQ(Combo()->itemData(1, Qt::UserRole + 1).toString(), "pts/7");
    EXPECT_EQ(Combo()->itemData(2, Qt::UserRole + 1).toString(), "rack-a:2001");
    EXPECT_EQ(Combo()->itemData(2, Qt::ToolTipRole).toString(), "rfc2217://rack-a:2001");
    EXPECT_EQ(Combo()->itemData(3, Qt::UserRole + 1).toString(), "ttyS3");
    const QString widest = QStringLiteral("COM1  ttyUSB0");
    EXPECT_GT(Combo()->view()->window()->width(), Combo()->view()->fontMetrics().horizontalAdvance(widest));
    EXPECT_EQ(Combo()->view()->window()->height(), 150);
    Combo()->hidePopup();
    EXPECT_EQ(Combo()->width(), 80);
}

TEST_F(ToolBar, ButtonAndSelectorTooltipsComeFromTheirStrings) {
    EXPECT_EQ(ToolTipShownFor(Button(ID_FILE_OPEN)), "Open");
    EXPECT_EQ(ToolTipShownFor(Button(ID_DEVICE_SYNC_TIME)), "Synchronize time");
    EXPECT_EQ(ToolTipShownFor(Combo()), "Select serial port");
}

TEST_F(ToolBar, LongTranslatedTooltipIsCutTo79Characters) {
    const QString hundred = QString(60, u'a') + QString(40, u'b');
    SetUiTextLookup([&](uint32_t key, QString& text) {
        if (key != kStringKeyBase + ID_DEVICE_CONNECT) return false;
        text = QStringLiteral("Connect\n") + hundred;
        return true;
    });
    EXPECT_EQ(CommandToolTip(ID_DEVICE_CONNECT), hundred.left(79));
    EXPECT_EQ(ToolTipShownFor(Button(ID_DEVICE_CONNECT)), hundred.left(79));
}

// What a screen reader says of each control on the bar, in the current language.
TEST_F(ToolBar, EveryControlHasAnAccessibleName) {
    const auto names = [this] {
        QStringList names;
        for (QWidget* control : m_frame->ToolBar()->findChildren<QWidget*>()) {
            if (!qobject_cast<QAbstractButton*>(control) && !qobject_cast<QComboBox*>(control)) continue;
            if (!control->isVisibleTo(m_frame.get())) continue;
            const QString name = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
            EXPECT_FALSE(name.isEmpty()) << control->metaObject()->className();
            names << name;
        }
        return names;
    };
    EXPECT_TRUE(names().contains("Select serial port"));
    SetUiTextLookup([](uint32_t key, QString& text) {
        if (key != kStringKeyBase + IDC_PORT_COMBO) return false;
        text = QStringLiteral("Seriellen Anschluss w\u00e4hlen\nAnschluss w\u00e4hlen");
        return true;
    });
    m_frame->RefreshUiTexts();
    EXPECT_TRUE(names().contains(QString::fromUtf8("Anschluss w\u00e4hlen")));
}

TEST_F(ToolBar, CommandWithoutTooltipTextShowsNone) {
    SetUiTextLookup([](uint32_t key, QString& text) {
        if (key != kStringKeyBase + ID_FILE_PRINT) return false;
        text = QStringLiteral("Print without a tooltip part");
        return true;
    });
    EXPECT_EQ(ToolTipShownFor(Button(ID_FILE_PRINT)), "");
}

}  // namespace
