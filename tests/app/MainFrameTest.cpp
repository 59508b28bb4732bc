#include "app/CommandTexts.h"
#include "app/KeyLockState.h"
#include "app/MainFrame.h"
#include "app/MainToolBar.h"
#include "lang/LanguageManager.h"
#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "res/resource.h"
#include "support/RecordingPresenter.h"
#include "support/TempProfile.h"

#include <QAction>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// A document whose path and modified flag the tests set directly.
class TestDoc : public CMainDoc {
public:
    void SetPath(const QString& path) { m_filePath = path; }
    void SetModified(bool modified) { m_configModified = modified; }
};

// Translation on with a base language that holds no texts: the Language
// submenu is there and every text is the program's own.
class EmptyBaseLanguage {
public:
    EmptyBaseLanguage() {
        QFile base(m_dir.filePath(QStringLiteral("VKX520Setup.lna")));
        if (base.open(QIODevice::WriteOnly)) base.write(LanguageTable().Serialize());
        base.close();
        Languages().SetProgramLocation(m_dir.path(), QStringLiteral("VKX520Setup"));
        Languages().InitLanguages();
    }
    ~EmptyBaseLanguage() { Languages().Reset(); }

private:
    QTemporaryDir m_dir;
};

class Frame : public ::testing::Test {
protected:
    void SetUp() override {
        m_frame = std::make_unique<CMainFrame>(&m_doc);
        m_frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    }
    QToolButton* Button(int commandId) {
        return qobject_cast<QToolButton*>(m_frame->ToolBar()->widgetForAction(m_frame->Action(commandId)));
    }

    // Opens the item's menu from the menu bar and highlights the item, as the
    // mouse resting on it does; returns what the status bar shows meanwhile.
    QString PromptWhileHighlighted(int commandId) {
        QAction* action = m_frame->Action(commandId);
        QString shown = QStringLiteral("<not in a menu>");
        for (QAction* popup : m_frame->menuBar()->actions()) {
            if (!popup->menu()->actions().contains(action)) continue;
            m_frame->menuBar()->setActiveAction(popup);
            const QPoint at = popup->menu()->actionGeometry(action).center();
            QMouseEvent move(QEvent::MouseMove, at, popup->menu()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QApplication::sendEvent(popup->menu(), &move);
            shown = m_frame->statusBar()->currentMessage();
            popup->menu()->hide();
        }
        return shown;
    }

    TempProfile m_profile;
    EmptyBaseLanguage m_languages;
    TestDoc m_doc;
    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(Frame, TitleFollowsTheDocumentsFileTitle) {
    const struct {
        const char* path;
        const char* title;
    } cases[] = {
        {"", "VKX520Setup"},
        {"/x/configs/studio.vkcfg", "VKX520Setup - studio"},
        {"/x/configs/live.stage.vkcfg", "VKX520Setup - live.stage"},
        {"relative/noext", "VKX520Setup - noext"},
    };
    for (const auto& c : cases) {
        m_doc.SetPath(QString::fromUtf8(c.path));
        m_frame->OnUpdateFrameTitle();
        EXPECT_EQ(m_frame->windowTitle(), c.title) << c.path;
    }
}

TEST_F(Frame, TitleIsNotTranslated) {
    SetUiTextLookup([](uint32_t, QString& text) {
        text = QStringLiteral("translated");
        return true;
    });
    m_doc.SetPath(QStringLiteral("/x/studio.vkcfg"));
    m_frame->OnUpdateFrameTitle();
    SetUiTextLookup({});
    EXPECT_EQ(m_frame->windowTitle(), "VKX520Setup - studio");
}

TEST_F(Frame, MenuHasTheFourPopupsWithTheirCommands) {
    QStringList popups;
    for (QAction* a : m_frame->menuBar()->actions()) popups << a->text();
    EXPECT_EQ(popups, QStringList({"&File", "&View", "&Device", "&?"}));

    const struct {
        int id;
        const char* text;
    } items[] = {
        {ID_FILE_OPEN, "&Open...\tCtrl+O"},
        {ID_FILE_SAVE, "&Save\tCtrl+S"},
        {ID_FILE_SAVE_AS, "Save &As..."},
        {ID_FILE_CLOSE, "&Close"},
        {ID_FILE_PRINT, "&Print...\tCtrl+P"},
        {ID_FILE_PRINT_PREVIEW, "Print Pre&view"},
        {ID_FILE_PRINT_SETUP, "P&rint Setup..."},
        {ID_APP_EXIT, "E&xit"},
        {ID_VIEW_TOOLBAR, "&Toolbar"},
        {ID_VIEW_STATUS_BAR, "&Status bar"},
        {ID_VIEW_TOOLTIPS, "Too&ltips"},
        {ID_VIEW_MESSAGES, "Notification &messages"},
        {ID_APP_ABOUT, "&About..."},
        {ID_LANGUAGE_NEW, "&New translation..."},
        {ID_LANGUAGE_EDIT, "&Edit translation..."},
    };
    for (const auto& item : items) {
        QAction* action = m_frame->Action(item.id);
        ASSERT_NE(action, nullptr) << item.id;
        EXPECT_EQ(action->text(), item.text);
        EXPECT_EQ(action->property("vkxCommandId").toInt(), item.id);
    }
    for (int id : {ID_DEVICE_CONNECT, ID_DEVICE_LOAD, ID_DEVICE_WRITE, ID_DEVICE_DISCARD, ID_DEVICE_SYNC_TIME})
        EXPECT_NE(m_frame->Action(id), nullptr) << id;
    EXPECT_EQ(m_frame->Action(ID_FILE_OPEN)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(m_frame->Action(ID_FILE_SAVE)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(m_frame->Action(ID_FILE_PRINT)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
}

TEST_F(Frame, LanguageSubmenuIsTheThirdItemOfTheHelpMenu) {
    const QList<QAction*> help = m_frame->HelpMenu()->actions();
    ASSERT_EQ(help.size(), 3);
    EXPECT_EQ(help[0], m_frame->Action(ID_APP_ABOUT));
    EXPECT_TRUE(help[1]->isSeparator());
    ASSERT_EQ(help[2]->menu(), m_frame->LanguageMenu());
    EXPECT_EQ(help[2]->text(), "&Language");
    const QList<QAction*> language = m_frame->LanguageMenu()->actions();
    ASSERT_EQ(language.size(), 4);
    EXPECT_EQ(language[0], m_frame->Action(ID_LANGUAGE_NEW));
    EXPECT_EQ(language[1], m_frame->Action(ID_LANGUAGE_EDIT));
    EXPECT_TRUE(language[2]->isSeparator());
    EXPECT_EQ(language[3], m_frame->Action(ID_LANGUAGE_FIRST));  // the base language, the only one here
    EXPECT_EQ(language[3]->text(), "English");
}

TEST_F(Frame, UnhandledCommandsAreDisabledAndHandlersEnableThem) {
    for (int id : {ID_FILE_OPEN, ID_FILE_PRINT, ID_DEVICE_CONNECT, ID_VIEW_TOOLTIPS, ID_FILE_CLOSE})
        EXPECT_FALSE(m_frame->Action(id)->isEnabled()) << id;
    for (int id : {ID_APP_ABOUT, ID_APP_EXIT, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_LANGUAGE_NEW})
        EXPECT_TRUE(m_frame->Action(id)->isEnabled()) << id;

    int connects = 0;
    bool ready = true;
    m_frame->SetCommandHandler(
        ID_DEVICE_CONNECT, [&] { ++connects; }, [&](CmdUI& ui) { ui.Enable(ready); });
    m_frame->UpdateCommandUI();
    EXPECT_TRUE(m_frame->Action(ID_DEVICE_CONNECT)->isEnabled());
    EXPECT_TRUE(Button(ID_DEVICE_CONNECT)->isEnabled());
    m_frame->Action(ID_DEVICE_CONNECT)->trigger();
    EXPECT_EQ(connects, 1);

    // A command disabled since the last refresh does not run, even by shortcut.
    ready = false;
    EXPECT_FALSE(m_frame->ExecuteCommand(ID_DEVICE_CONNECT));
    EXPECT_EQ(connects, 1);
    m_frame->UpdateCommandUI();
    EXPECT_FALSE(m_frame->Action(ID_DEVICE_CONNECT)->isEnabled());
}

TEST_F(Frame, CheckMarksFollowTheEnablingHandler) {
    bool showTips = true;
    m_frame->SetCommandHandler(
        ID_VIEW_TOOLTIPS, [&] { showTips = !showTips; }, [&](CmdUI& ui) { ui.SetCheck(showTips); });
    m_frame->UpdateCommandUI();
    QAction* tips = m_frame->Action(ID_VIEW_TOOLTIPS);
    EXPECT_TRUE(tips->isChecked());
    tips->trigger();
    EXPECT_FALSE(showTips);
    EXPECT_FALSE(tips->isChecked());
    tips->trigger();
    EXPECT_TRUE(tips->isChecked());
}

TEST_F(Frame, CommandItemsCanBeAddedAndRemoved) {
    int picked = -1;
    QAction* item = m_frame->AddCommandItem(m_frame->LanguageMenu(), ID_LANGUAGE_FIRST, QStringLiteral("English"));
    m_frame->SetCommandHandler(
        ID_LANGUAGE_FIRST, [&] { picked = 0; }, [](CmdUI& ui) { ui.SetCheck(true); });
    m_frame->UpdateCommandUI();
    EXPECT_EQ(m_frame->Action(ID_LANGUAGE_FIRST), item);
    EXPECT_EQ(m_frame->LanguageMenu()->actions().size(), 4);
    EXPECT_TRUE(item->isChecked());
    item->trigger();
    EXPECT_EQ(picked, 0);
    EXPECT_TRUE(m_frame->RemoveCommandItem(ID_LANGUAGE_FIRST));
    EXPECT_FALSE(m_frame->RemoveCommandItem(ID_LANGUAGE_FIRST));
    EXPECT_EQ(m_frame->Action(ID_LANGUAGE_FIRST), nullptr);
    EXPECT_EQ(m_frame->LanguageMenu()->actions().size(), 3);
}

TEST_F(Frame, RestoreMenuTextsUndoesATranslation) {
    m_frame->Action(ID_FILE_OPEN)->setText(QStringLiteral("&Öffnen...\tStrg+O"));
    m_frame->HelpMenu()->menuAction()->setText(QStringLiteral("&Hilfe"));
    m_frame->RestoreMenuTexts();
    EXPECT_EQ(m_frame->Action(ID_FILE_OPEN)->text(), "&Open...\tCtrl+O");
    EXPECT_EQ(m_frame->HelpMenu()->menuAction()->text(), "&?");
}

TEST_F(Frame, PromptsOfMenuItemsAndButtonsAppearInTheStatusBar) {
    // Disabled items (nothing handles these yet) tell what they would do too.
    ASSERT_FALSE(m_frame->Action(ID_FILE_SAVE_AS)->isEnabled());
    EXPECT_EQ(PromptWhileHighlighted(ID_FILE_SAVE_AS), "Save configuration file under new name");
    EXPECT_EQ(PromptWhileHighlighted(ID_APP_ABOUT), "Display program information");
    EXPECT_EQ(PromptWhileHighlighted(ID_VIEW_TOOLTIPS), "Show tooltips");
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), "") << "closing the menu gives the idle text back";

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(Button(ID_DEVICE_SYNC_TIME), &enter);
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), "Synchronize time with PC");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Button(ID_DEVICE_SYNC_TIME), &leave);
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), "");
}

TEST_F(Frame, IdleTextAndPromptsFollowTheLanguage) {
    SetUiTextLookup([](uint32_t key, QString& text) {
        if (key == kStringKeyBase + IDS_IDLE)
            text = QStringLiteral("Bereit");
        else if (key == kStringKeyBase + ID_FILE_OPEN)
            text = QStringLiteral("Datei öffnen\nÖffnen");
        else
            return false;
        return true;
    });
    m_frame->RefreshUiTexts();
    EXPECT_EQ(PromptWhileHighlighted(ID_FILE_OPEN), "Datei öffnen");
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(Button(ID_FILE_OPEN), &enter);
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), "Datei öffnen");
    bool readyShown = false;
    for (QLabel* label : m_frame->statusBar()->findChildren<QLabel*>()) readyShown |= label->text() == "Bereit";
    EXPECT_TRUE(readyShown);
    SetUiTextLookup({});
    EXPECT_EQ(m_frame->GetMessageString(ID_FILE_OPEN), "Open configuration file");
}

TEST_F(Frame, ToolbarHiddenBySettingComesBackFromTheViewMenu) {
    m_frame.reset();
    m_profile.Write("[View]\nToolBar=0\n");
    m_frame = std::make_unique<CMainFrame>(&m_doc);
    m_frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    EXPECT_FALSE(m_frame->ToolBar()->isVisible());
    m_frame->UpdateCommandUI();
    EXPECT_FALSE(m_frame->Action(ID_VIEW_TOOLBAR)->isChecked());

    m_frame->Action(ID_VIEW_TOOLBAR)->trigger();
    EXPECT_TRUE(m_frame->ToolBar()->isVisible());
    EXPECT_TRUE(m_frame->Action(ID_VIEW_TOOLBAR)->isChecked());
    m_frame->Action(ID_VIEW_STATUS_BAR)->trigger();
    EXPECT_FALSE(m_frame->statusBar()->isVisible());
    EXPECT_TRUE(m_frame->close());
    EXPECT_EQ(m_profile.Int("View", "ToolBar"), 1);
    EXPECT_EQ(m_profile.Int("View", "StatusBar"), 0);
}

TEST_F(Frame, ClosePromptCanRefuseTheCloseButBarsAreStoredAnyway) {
    RecordingPresenter presenter;
    m_doc.SetModified(true);
    m_frame->ToolBar()->hide();
    presenter.Answer(IDCANCEL);
    EXPECT_FALSE(m_frame->close());
    EXPECT_TRUE(m_frame->isVisible());
    EXPECT_EQ(presenter.ids(), std::vector<unsigned>{IDS_NOT_SAVED});
    EXPECT_EQ(m_profile.Int("View", "ToolBar"), 0);

    presenter.Answer(IDNO);
    EXPECT_TRUE(m_frame->close());
}

TEST_F(Frame, SaveModifiedHookDecidesTheClose) {
    int asked = 0;
    bool allow = false;
    m_frame->SetSaveModifiedHandler([&] {
        ++asked;
        return allow;
    });
    EXPECT_FALSE(m_frame->close());
    allow = true;
    EXPECT_TRUE(m_frame->close());
    EXPECT_EQ(asked, 2);
}

TEST_F(Frame, ExitClosesTheWindow) {
    m_frame->Action(ID_APP_EXIT)->trigger();
    EXPECT_FALSE(m_frame->isVisible());
}

TEST_F(Frame, ViewIsPluggedInAsCentralWidget) {
    EXPECT_EQ(m_frame->GetView(), nullptr);
    EXPECT_NE(m_frame->centralWidget(), nullptr) << "an empty placeholder until the view comes";
    auto* view = new QWidget;
    m_frame->SetView(view);
    EXPECT_EQ(m_frame->GetView(), view);
    EXPECT_EQ(m_frame->centralWidget(), view);
    EXPECT_EQ(view->parent(), m_frame.get());
}

TEST(KeyLockWatcher, OnlyTheLockKeysAskForTheIndicators) {
    int asked = 0;
    KeyLockWatcher watcher([&] { ++asked; }, nullptr);
    QWidget target;
    for (Qt::Key key : {Qt::Key_A, Qt::Key_CapsLock, Qt::Key_Shift, Qt::Key_NumLock}) {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, Qt::NoModifier);
            QApplication::sendEvent(&target, &event);
        }
    }
    EXPECT_EQ(asked, 4) << "press and release of Caps Lock and Num Lock";
}

}  // namespace
