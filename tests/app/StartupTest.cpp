#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/MainToolBar.h"
#include "app/SetupApp.h"
#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "res/resource.h"
#include "support/TempProfile.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Starts the program as main() does and closes it like the user, so that
// everything the frame stores on the way out reaches the settings.
class Startup : public ::testing::Test {
protected:
    CMainFrame& Start() {
        m_app = std::make_unique<CSetupApp>();
        EXPECT_TRUE(m_app->InitInstance());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_app->GetMainFrame()));
        return *m_app->GetMainFrame();
    }
    void Exit() {
        EXPECT_TRUE(m_app->GetMainFrame()->close());
        m_app->ExitInstance(0);
        m_app.reset();
    }

    // The placement the last run stored: restored rectangle and maximized flag.
    std::pair<QRect, int> StoredPlacement() const {
        return {QRect(m_profile.Int("Layout", "Left"), m_profile.Int("Layout", "Top"), m_profile.Int("Layout", "Width"),
                      m_profile.Int("Layout", "Height")),
                m_profile.Int("Layout", "Maximize")};
    }

    TempProfile m_profile;
    std::unique_ptr<CSetupApp> m_app;
};

TEST_F(Startup, FirstStartWithoutSettingsFile) {
    ASSERT_FALSE(m_profile.Exists());
    CMainFrame& frame = Start();
    EXPECT_TRUE(frame.isMaximized());
    EXPECT_EQ(frame.normalGeometry(), QRect(22, 22, 600, 400));
    EXPECT_TRUE(frame.ToolBar()->isVisible());
    EXPECT_TRUE(frame.statusBar()->isVisible());
    EXPECT_EQ(frame.GetPortSelection(), 0);
    EXPECT_EQ(frame.ToolBar()->PortCombo()->currentText(), "COM1");
    EXPECT_EQ(frame.windowTitle(), "VKX520Setup");
    Exit();

    // Closing a maximized window keeps the flag and the restored rectangle.
    EXPECT_EQ(StoredPlacement(), std::make_pair(QRect(22, 22, 600, 400), 1));
    EXPECT_EQ(m_profile.Int("View", "ToolBar"), 1);
    EXPECT_EQ(m_profile.Int("View", "StatusBar"), 1);
}

TEST_F(Startup, NotMaximizedOpensAtTheStoredRectangleAndStoresTheNewOne) {
    m_profile.Write("[Layout]\nLeft=40\nTop=30\nWidth=500\nHeight=350\nMaximize=0\n");
    CMainFrame& frame = Start();
    EXPECT_FALSE(frame.isMaximized());
    EXPECT_EQ(frame.geometry(), QRect(40, 30, 500, 350));
    frame.setGeometry(60, 70, 520, 360);
    Exit();
    EXPECT_EQ(StoredPlacement(), std::make_pair(QRect(60, 70, 520, 360), 0));
}

// Values no run stored: the window still opens on the screen, no larger than it.
TEST_F(Startup, ExtremeLayoutValuesOpenAUsableWindow) {
    m_profile.Write("[Layout]\nLeft=-2147483648\nTop=2147483647\nWidth=2147483647\nHeight=-2147483648\nMaximize=0\n");
    CMainFrame& frame = Start();
    const QRect screen = frame.screen()->availableGeometry();
    EXPECT_EQ(frame.geometry().topLeft(), screen.topLeft() + QPoint(22, 22));
    EXPECT_EQ(frame.geometry().width(), screen.width());
    EXPECT_LE(frame.geometry().height(), screen.height());
    Exit();
}

TEST_F(Startup, MaximizedRunRestoresTheOldSizeWhenUnMaximized) {
    m_profile.Write("[Layout]\nLeft=50\nTop=40\nWidth=480\nHeight=320\nMaximize=0\n");
    Start().showMaximized();
    Exit();
    EXPECT_EQ(StoredPlacement(), std::make_pair(QRect(50, 40, 480, 320), 1));

    CMainFrame& frame = Start();
    EXPECT_TRUE(frame.isMaximized());
    frame.showNormal();
    QTest::qWait(20);
    EXPECT_EQ(frame.geometry(), QRect(50, 40, 480, 320));
    Exit();
}

TEST_F(Startup, SavedPortIsShownAndBadOneSelectsNothing) {
    m_profile.Write("[Connection]\nPort=5\n");
    EXPECT_EQ(Start().GetPortSelection(), 5);
    Exit();
    m_profile.Write("[Connection]\nPort=12\n");
    EXPECT_EQ(Start().GetPortSelection(), -1);
    Exit();
}

TEST(AboutBox, BuildDateControlShowsTheDateInBrackets) {
    CAboutDlg about;
    QLabel* date = nullptr;
    for (QLabel* label : about.findChildren<QLabel*>())
        if (label->property("vkxControlId").toInt() == IDC_BUILD_DATE) date = label;
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->text(), CAboutDlg::BuildDateText());

    // "[Mmm dd yyyy]" with English month names and a blank-padded day.
    const QRegularExpression form(
        QStringLiteral("^\\[(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) ([ 1-3][0-9]) ([0-9]{4})\\]$"));
    const auto match = form.match(date->text());
    ASSERT_TRUE(match.hasMatch()) << date->text().toStdString();
    const QDate built = QLocale::c().toDate(date->text().mid(1, 11).simplified(), QStringLiteral("MMM d yyyy"));
    ASSERT_TRUE(built.isValid()) << date->text().toStdString();
    EXPECT_EQ(match.captured(2).startsWith(u' '), built.day() < 10);
    EXPECT_LE(built, QDate::currentDate());
}

TEST(AboutBox, TextsAndButtonCarryTheirIds) {
    CAboutDlg about;
    QStringList texts;
    for (QLabel* label : about.findChildren<QLabel*>())
        if (label->property("vkxControlId").toInt() == IDC_STATIC_ID) texts << label->text();
    EXPECT_TRUE(texts.contains("VKX 520 Setup Utility"));
    EXPECT_TRUE(texts.contains("Version 1.2"));
    EXPECT_EQ(texts.size(), 3);
    EXPECT_EQ(about.windowTitle(), "About");
    bool okFound = false;
    for (QWidget* child : about.findChildren<QWidget*>()) okFound |= child->property("vkxControlId").toInt() == IDOK;
    EXPECT_TRUE(okFound);
}

}  // namespace
