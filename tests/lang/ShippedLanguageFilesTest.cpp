// The language files committed in res/lang: the base file answers every
// lookup the program makes, the German sample translates all of it, and the
// whole window can switch to German and back.
#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/MessageBoxPresenter.h"
#include "app/SetupApp.h"
#include "support/LanguageSandbox.h"
#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "res/resource.h"
#include "support/RecordingPresenter.h"
#include "tools/langgen/LanguageFiles.h"
#include "view/ModuleConfigDlg.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

using namespace langtest;

namespace {

LanguageTable LoadShipped(const char* name) {
    QFile file(QStringLiteral(VKX_SOURCE_DIR "/res/lang/") + name);
    LanguageTable table;
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    EXPECT_EQ(table.Parse(file.readAll()), LANG_OK) << name;
    return table;
}

// Every key the program looks up, with its own text; walked once.
const langgen::UiTextWalk& ProgramTexts() {
    static const langgen::UiTextWalk walk = langgen::WalkProgramTexts();
    return walk;
}

std::set<QString> Placeholders(const QString& text) {
    std::set<QString> found;
    const QRegularExpression insert(QStringLiteral("%[1-9]"));
    for (auto it = insert.globalMatch(text); it.hasNext();) found.insert(it.next().captured());
    return found;
}

// The accelerator letter of a menu text ("&&" is a literal ampersand), or 0.
QChar Accelerator(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] != u'&') return text[i + 1].toLower();
        ++i;
    }
    return {};
}

TEST(ShippedLanguageFiles, BaseFileAnswersEveryLookupWithTheProgramsOwnText) {
    const langgen::UiTextWalk& walk = ProgramTexts();
    const LanguageTable base = LoadShipped("VKX520Setup.lna");
    ASSERT_GT(walk.texts.size(), 100u);
    std::set<TranslationKey> walked;
    for (const langgen::WalkedText& t : walk.texts) {
        walked.insert(t.key);
        const auto text = base.FindDecodedText(base.ResolveAlias(t.key));
        ASSERT_TRUE(text) << std::hex << t.key << " " << t.text.toStdString();
        EXPECT_EQ(*text, langgen::EscapeTabs(t.text)) << std::hex << t.key;
    }
    // Keys shared by controls of different texts get none: it would overwrite them all.
    for (TranslationKey key : walk.ambiguous) EXPECT_FALSE(base.FindText(base.ResolveAlias(key))) << std::hex << key;
    // Nothing stale: every key of the file is one the program asks for.
    for (const LanguageTextEntry& e : base.Texts()) EXPECT_TRUE(walked.count(e.key)) << std::hex << e.key;
    for (const LanguageAlias& a : base.Aliases()) EXPECT_TRUE(walked.count(a.key)) << std::hex << a.key;
    EXPECT_FALSE(base.Aliases().empty()) << "OK and Cancel of the edit dialogs share one text";
}

TEST(ShippedLanguageFiles, GermanTranslatesEveryBaseTextKeepingInsertsAndShortcutHints) {
    const LanguageTable base = LoadShipped("VKX520Setup.lna");
    const LanguageTable german = LoadShipped("Deutsch.lng");
    EXPECT_TRUE(german.Aliases().empty());
    for (const LanguageTextEntry& e : base.Texts()) {
        const QString english = base.DecodedTextOf(e);
        const auto translated = german.FindDecodedText(e.key);
        ASSERT_TRUE(translated) << english.toStdString();
        EXPECT_EQ(Placeholders(*translated), Placeholders(english)) << translated->toStdString();
        EXPECT_EQ(translated->contains("\\t"), english.contains("\\t")) << translated->toStdString();
        EXPECT_EQ(translated->count(u'\n') > 0, english.count(u'\n') > 0) << translated->toStdString();
        if (KeyKind(e.key) == unsigned(TranslationKind::Menu)) {
            EXPECT_FALSE(Accelerator(*translated).isNull()) << translated->toStdString();
        }
    }
    EXPECT_EQ(german.Texts().size(), base.Texts().size());
}

// The whole window switches to the German sample and back.
class GermanSample : public ::testing::Test {
protected:
    void SetUp() override {
        ProgramTexts();  // walks with a program directory of its own; done before ours is set up
        m_sandbox = std::make_unique<LanguageSandbox>();
        m_sandbox->CopyShippedFiles();
        ASSERT_TRUE(m_sandbox->Start());
        m_frame = std::make_unique<CMainFrame>(&m_doc);
        m_frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    }
    void TearDown() override {
        m_frame.reset();
        m_sandbox.reset();
    }
    // Picks a language from the Language submenu with the mouse.
    void Choose(const QString& name) {
        QMenu* menu = m_frame->LanguageMenu();
        QAction* item = nullptr;
        for (QAction* a : menu->actions())
            if (a->text() == name) item = a;
        ASSERT_NE(item, nullptr) << name.toStdString();
        menu->popup(m_frame->mapToGlobal(QPoint(0, 0)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    }
    QStringList MenuTitles() const {
        QStringList titles;
        for (const QAction* a : m_frame->menuBar()->actions()) titles << a->text();
        return titles;
    }
    QString IdleText() const {
        for (const QLabel* label : m_frame->statusBar()->findChildren<QLabel*>())
            if (label->text() == "Ready" || label->text() == "Bereit") return label->text();
        return {};
    }

    std::unique_ptr<LanguageSandbox> m_sandbox;
    CMainDoc m_doc;
    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(GermanSample, MenusDialogsAndMessagesSwitchToGermanAndBack) {
    EXPECT_EQ(MenuTitles(), QStringList({"&File", "&View", "&Device", "&?"}));
    Choose("Deutsch");
    EXPECT_EQ(Languages().CurrentName(), "Deutsch");
    EXPECT_EQ(MenuTitles(), QStringList({"&Datei", "&Ansicht", QString::fromUtf8("&Gerät"), "&?"}));
    EXPECT_EQ(m_frame->Action(ID_FILE_OPEN)->text(), QString::fromUtf8("Ö&ffnen..."));
    EXPECT_EQ(m_frame->Action(ID_FILE_OPEN)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(m_frame->LanguageMenu()->title(), "&Sprache");
    EXPECT_EQ(m_frame->Action(ID_LANGUAGE_EDIT)->text(), QString::fromUtf8("Übersetzung &bearbeiten..."));
    EXPECT_TRUE(m_frame->Action(ID_LANGUAGE_EDIT)->isEnabled());
    EXPECT_EQ(m_frame->Action(ID_LANGUAGE_FIRST)->text(), "English") << "language names are never translated";
    EXPECT_EQ(IdleText(), "Bereit");
    EXPECT_EQ(m_frame->GetMessageString(ID_FILE_OPEN), QString::fromUtf8("Konfigurationsdatei öffnen"));

    CAboutDlg about(m_frame.get());
    EXPECT_EQ(about.windowTitle(), "Info");
    CModuleConfigDlg module(m_frame.get());
    module.show();
    EXPECT_EQ(module.windowTitle(), "Modulkonfiguration bearbeiten");
    EXPECT_EQ(module.Control(IDC_ROW2_STATIC)->property("text").toString(), "Modultyp");
    EXPECT_EQ(module.Control(IDCANCEL)->property("text").toString(), "Abbrechen");
    module.reject();

    RecordingPresenter presenter;
    UiMessageBox(IDS_WRITE_CONFIRM, MB_YESNO | MB_ICONEXCLAMATION);
    ReportFileError(3, "/x/Deutsch.lng");
    ASSERT_EQ(presenter.messages().size(), 2u);
    EXPECT_EQ(presenter.messages()[0].text, QString::fromUtf8("Konfiguration in das Gerät schreiben?"));
    EXPECT_EQ(presenter.messages()[0].caption, "VKX520Setup");
    EXPECT_EQ(presenter.messages()[1].text, "Fehler beim Speichern der Datei!\n\n/x/Deutsch.lng");
    QMessageBox box(QMessageBox::Warning, "", "", QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    SetMessageBoxButtonTexts(box);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), "&Ja");
    EXPECT_EQ(box.button(QMessageBox::No)->text(), "&Nein");
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "Abbrechen");

    Choose("English");
    EXPECT_EQ(Languages().GetCurrentLanguage(), 0);
    EXPECT_EQ(MenuTitles(), QStringList({"&File", "&View", "&Device", "&?"}));
    EXPECT_EQ(m_frame->LanguageMenu()->title(), "&Language");
    EXPECT_EQ(IdleText(), "Ready");
    EXPECT_FALSE(m_frame->Action(ID_LANGUAGE_EDIT)->isEnabled());
    EXPECT_EQ(CAboutDlg(m_frame.get()).windowTitle(), "About");
    EXPECT_EQ(LoadUiString(IDS_WRITE_CONFIRM), "Write configuration to device?");
    SetMessageBoxButtonTexts(box);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), "&Yes");
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "Cancel");
}

TEST_F(GermanSample, EveryGermanPopupHasDistinctAccelerators) {
    Choose("Deutsch");
    const QList<QMenu*> popups = m_frame->menuBar()->findChildren<QMenu*>();
    ASSERT_GE(popups.size(), 5);
    for (const QMenu* popup : popups) {
        std::set<QChar> seen;
        for (const QAction* a : popup->actions()) {
            if (a->isSeparator() || (a->text() == "English" || a->text() == "Deutsch")) continue;
            const QChar key = Accelerator(a->text());
            EXPECT_FALSE(key.isNull()) << a->text().toStdString();
            EXPECT_TRUE(seen.insert(key).second) << popup->title().toStdString() << ": " << a->text().toStdString();
        }
    }
}

TEST(StartUp, ProgramComesUpInTheStoredLanguage) {
    ProgramTexts();
    LanguageSandbox sandbox;
    sandbox.CopyShippedFiles();
    AppProfile().WriteString("Language", "LangID", "deutsch");
    CSetupApp app;
    ASSERT_TRUE(app.InitInstance());
    CMainFrame* frame = app.GetMainFrame();
    EXPECT_EQ(Languages().GetLanguageName(Languages().GetCurrentLanguage()), "Deutsch");
    EXPECT_EQ(frame->menuBar()->actions()[0]->text(), "&Datei");
    EXPECT_EQ(frame->LanguageMenu()->title(), "&Sprache");
    EXPECT_TRUE(frame->Action(ID_LANGUAGE_FIRST + 1)->isChecked());
    EXPECT_EQ(LoadUiString(IDS_IDLE), "Bereit");
    EXPECT_TRUE(frame->close());
    app.ExitInstance(0);
}

}  // namespace
