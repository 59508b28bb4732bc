#include "app/MainFrame.h"
#include "support/LanguageSandbox.h"
#include "model/CMainDoc.h"
#include "res/resource.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace langtest;

namespace {

// The frame built on a program directory of the test's own.
class LanguageMenuTest : public ::testing::Test {
protected:
    void WriteBase() {
        m_sandbox.WriteBase({{MenuKey(IDR_MAINFRAME, 1, 0), "&File"}, {MenuKey(IDR_MAINFRAME, 5, 0), "&Language"}});
    }
    void Create() { m_frame = std::make_unique<CMainFrame>(&m_doc); }
    // The texts of the Language submenu's items, "-" for a separator.
    QStringList LanguageItems() const {
        QStringList texts;
        for (const QAction* a : m_frame->LanguageMenu()->actions()) texts << (a->isSeparator() ? "-" : a->text());
        return texts;
    }
    QAction* LanguageItem(int n) const { return m_frame->Action(ID_LANGUAGE_FIRST + n); }

    LanguageSandbox m_sandbox;
    CMainDoc m_doc;
    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(LanguageMenuTest, WithoutBaseFileTheSubmenuIsRemovedAndMenusStayAsBuilt) {
    m_sandbox.WriteTranslation("Deutsch", {{MenuKey(IDR_MAINFRAME, 1, 0), "&Datei"}});
    AppProfile().WriteString("Language", "LangID", "Deutsch");
    ASSERT_FALSE(m_sandbox.Start());
    Create();
    EXPECT_EQ(m_frame->LanguageMenu(), nullptr);
    const QList<QAction*> help = m_frame->HelpMenu()->actions();
    ASSERT_EQ(help.size(), 2);
    EXPECT_EQ(help[0], m_frame->Action(ID_APP_ABOUT));
    EXPECT_TRUE(help[1]->isSeparator());
    for (int id : {ID_LANGUAGE_NEW, ID_LANGUAGE_EDIT, ID_LANGUAGE_FIRST}) EXPECT_EQ(m_frame->Action(id), nullptr) << id;
    EXPECT_EQ(m_frame->menuBar()->actions()[0]->text(), "&File");
}

TEST_F(LanguageMenuTest, BaseAndTwoTranslationsWithEditDisabledWhileEnglishIsChecked) {
    WriteBase();
    m_sandbox.WriteTranslation("Deutsch", {{MenuKey(IDR_MAINFRAME, 1, 0), "&Datei"}});
    m_sandbox.WriteTranslation("Nederlands", {{MenuKey(IDR_MAINFRAME, 1, 0), "&Bestand"}});
    ASSERT_TRUE(m_sandbox.Start());
    Create();
    QStringList expected = {"&New translation...", "&Edit translation...", "-", "English"};
    expected << Languages().LanguageList();  // in the order the directory gives them
    EXPECT_EQ(LanguageItems(), expected);
    EXPECT_TRUE(LanguageItem(0)->isChecked());
    EXPECT_FALSE(LanguageItem(1)->isChecked());
    EXPECT_FALSE(m_frame->Action(ID_LANGUAGE_EDIT)->isEnabled());
    EXPECT_TRUE(m_frame->Action(ID_LANGUAGE_NEW)->isEnabled());

    const int dutch = int(Languages().LanguageList().indexOf("Nederlands")) + 1;
    LanguageItem(dutch)->trigger();
    EXPECT_EQ(Languages().CurrentName(), "Nederlands");
    EXPECT_EQ(m_frame->menuBar()->actions()[0]->text(), "&Bestand");
    EXPECT_TRUE(LanguageItem(dutch)->isChecked());
    EXPECT_FALSE(LanguageItem(0)->isChecked());
    EXPECT_TRUE(m_frame->Action(ID_LANGUAGE_EDIT)->isEnabled());
    EXPECT_EQ(LanguageItems().size(), 6) << "the old language items were removed first";
}

TEST_F(LanguageMenuTest, ElevenTranslationFilesOfferTheBaseLanguageAndTheFirstNine) {
    WriteBase();
    for (int i = 0; i < 11; ++i) m_sandbox.WriteTranslation(QStringLiteral("Sprache%1").arg(i), {});
    ASSERT_TRUE(m_sandbox.Start());
    Create();
    const QStringList listed = Languages().LanguageList();
    ASSERT_EQ(listed.size(), 11);
    const QStringList items = LanguageItems();
    ASSERT_EQ(items.size(), 3 + 10);
    EXPECT_EQ(items[3], "English");
    EXPECT_EQ(items.mid(4), listed.mid(0, 9));
    for (int n = 0; n < 10; ++n) EXPECT_NE(LanguageItem(n), nullptr) << n;
    EXPECT_EQ(m_frame->Action(ID_LANGUAGE_LAST + 1), nullptr);
}

TEST_F(LanguageMenuTest, ChoosingTheCurrentLanguageChangesNothing) {
    WriteBase();
    m_sandbox.WriteTranslation("Deutsch", {{MenuKey(IDR_MAINFRAME, 1, 0), "&Datei"}});
    AppProfile().WriteString("Language", "LangID", "Deutsch");
    ASSERT_TRUE(m_sandbox.Start());
    Create();
    QSignalSpy changes(m_frame.get(), &CMainFrame::languageChanged);
    const QPointer<QAction> english = LanguageItem(0);
    const QPointer<QAction> german = LanguageItem(1);
    ASSERT_TRUE(german->isChecked());
    german->trigger();
    EXPECT_EQ(changes.count(), 0);
    EXPECT_FALSE(english.isNull()) << "the menu was not rebuilt";
    EXPECT_FALSE(german.isNull());
    EXPECT_TRUE(german->isChecked());
    EXPECT_EQ(Languages().CurrentName(), "Deutsch");

    english->trigger();
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(english.isNull()) << "rebuilt after a real change";
    EXPECT_EQ(m_frame->menuBar()->actions()[0]->text(), "&File");
    EXPECT_EQ(AppProfile().GetString("Language", "LangID", "<none>"), "");
}

TEST_F(LanguageMenuTest, RebuildingListsEveryLanguageOnce) {
    WriteBase();
    m_sandbox.WriteTranslation("Deutsch", {});
    ASSERT_TRUE(m_sandbox.Start());
    Create();
    m_sandbox.WriteTranslation("Svenska", {});
    Languages().ScanLanguageFiles();
    m_frame->RebuildLanguageMenu();
    m_frame->RebuildLanguageMenu();
    EXPECT_EQ(LanguageItems().size(), 3 + 3);
    EXPECT_EQ(LanguageItems().count("English"), 1);
    EXPECT_EQ(LanguageItems().count("Svenska"), 1);
}

}  // namespace
