#include "lang/gui/EditTranslationDlg.h"
#include "support/LanguageSandbox.h"
#include "lang/gui/TranslationEditor.h"
#include "lang/UiText.h"
#include "res/resource.h"
#include "support/RecordingPresenter.h"

#include <QPlainTextEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace langtest;

namespace {

const TranslationKey kAbout = DialogCaptionKey(IDD_ABOUTBOX);
const TranslationKey kIdle = StringKey(IDS_IDLE);
const TranslationKey kFiles = StringKey(IDS_LANGUAGE_FILES);

// A program directory with a three-text base language; the editor's dialogs
// are answered by scripts.
class TranslationEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_sandbox.WriteBase({{kAbout, "About"}, {kIdle, "Ready"}, {kFiles, "Language files"}});
        m_previous = SetTranslationEditorHooks({
            [this](CEditTranslationDlg& dialog) {
                ++m_dialogRuns;
                for (const auto& [row, text] : m_typed) {
                    dialog.List()->setCurrentItem(dialog.List()->topLevelItem(row));
                    dialog.TranslationBox()->setPlainText(text);
                }
                if (m_pressOk) dialog.accept();
                return dialog.result() == QDialog::Accepted;
            },
            [this](QWidget*, const TranslationFileRequest& request) {
                m_requests.push_back(request);
                return m_chosenPath;
            },
        });
    }
    void TearDown() override { SetTranslationEditorHooks(m_previous); }

    void WriteGerman() { m_sandbox.WriteTranslation("Deutsch", {{kIdle, "Bereit"}}); }
    QByteArray FileBytes(const QString& name) const {
        QFile file(m_sandbox.Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    LanguageSandbox m_sandbox;
    TranslationEditorHooks m_previous;
    std::vector<std::pair<int, QString>> m_typed;  // row, text typed into the Translation box
    bool m_pressOk = true;
    int m_dialogRuns = 0;
    QString m_chosenPath;
    std::vector<TranslationFileRequest> m_requests;
    QTemporaryDir m_elsewhere;
};

TEST_F(TranslationEditorTest, OkRebuildsTheTableInBaseOrderAndCancelLeavesIt) {
    ASSERT_TRUE(m_sandbox.Start());
    LanguageTable table = LanguageTable::Build({{StringKey(99), "not in the base"}, {kIdle, "Bereit"}});
    const LanguageTable before = table;
    m_pressOk = false;
    m_typed = {{0, "Info"}};
    EXPECT_FALSE(RunTranslationEditor(table));
    EXPECT_EQ(table, before);

    m_pressOk = true;
    ASSERT_TRUE(RunTranslationEditor(table));
    ASSERT_EQ(table.Texts().size(), 2u);
    EXPECT_EQ(table.Texts()[0].key, kAbout);
    EXPECT_EQ(table.Texts()[1].key, kIdle);
    EXPECT_EQ(table.FindDecodedText(kAbout), "Info");
    EXPECT_EQ(table.FindDecodedText(kIdle), "Bereit");
    EXPECT_TRUE(table.Aliases().empty());
}

TEST_F(TranslationEditorTest, WithTranslationOffNothingRuns) {
    QFile::remove(m_sandbox.Path("VKX520Setup.lna"));
    WriteGerman();
    ASSERT_FALSE(m_sandbox.Start());
    LanguageTable table;
    m_typed = {{0, "Info"}};
    EXPECT_FALSE(RunTranslationEditor(table));
    EXPECT_FALSE(EditTranslation());
    EXPECT_FALSE(NewTranslation());
    EXPECT_EQ(m_dialogRuns, 0);
}

TEST_F(TranslationEditorTest, NewTranslationWithNothingTypedWritesNoFile) {
    ASSERT_TRUE(m_sandbox.Start());
    m_chosenPath = m_sandbox.Path("Leer.lng");
    m_typed = {{1, "Ready"}, {2, "  "}};  // the base text and a blank one are no translations
    EXPECT_FALSE(NewTranslation());
    EXPECT_EQ(m_dialogRuns, 1);
    EXPECT_TRUE(m_requests.empty()) << "no file dialog";
    EXPECT_TRUE(m_sandbox.TranslationFiles().isEmpty());
    EXPECT_EQ(Languages().GetCurrentLanguage(), 0);
}

TEST_F(TranslationEditorTest, NewTranslationInAnotherFolderIsWrittenBesideTheProgram) {
    ASSERT_TRUE(m_sandbox.Start());
    m_chosenPath = QDir(m_elsewhere.path()).filePath("Français.lng");
    m_typed = {{1, QString::fromUtf8("Prêt")}};
    ASSERT_TRUE(NewTranslation());
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_requests[0].filter, "Language files (*.lng)");
    EXPECT_EQ(m_requests[0].defaultSuffix, "lng");
    EXPECT_EQ(QDir(m_requests[0].directory), QDir(m_sandbox.Directory()));

    EXPECT_FALSE(QFile::exists(m_chosenPath));
    EXPECT_EQ(m_sandbox.TranslationFiles(), QStringList{QString::fromUtf8("Français.lng")});
    LanguageTable written;
    ASSERT_EQ(written.Parse(FileBytes(QString::fromUtf8("Français.lng"))), LANG_OK);
    EXPECT_EQ(written.Texts().size(), 1u);
    EXPECT_EQ(written.FindDecodedText(kIdle), QString::fromUtf8("Prêt"));
    // The new file is the current language at once.
    EXPECT_EQ(Languages().CurrentName(), QString::fromUtf8("Français"));
    EXPECT_EQ(Languages().GetCurrentLanguage(), 1);
    EXPECT_EQ(LoadUiString(IDS_IDLE), QString::fromUtf8("Prêt"));
    EXPECT_EQ(AppProfile().GetString("Language", "LangID"), QString::fromUtf8("Français"));
}

TEST_F(TranslationEditorTest, FileDialogFilterFollowsTheLanguage) {
    m_sandbox.WriteTranslation("Deutsch", {{kFiles, "Sprachdateien"}});
    AppProfile().WriteString("Language", "LangID", "Deutsch");
    ASSERT_TRUE(m_sandbox.Start());
    m_typed = {{0, "Info"}};
    m_chosenPath.clear();  // Cancel
    EXPECT_FALSE(NewTranslation());
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_requests[0].filter, "Sprachdateien (*.lng)");
    EXPECT_EQ(m_sandbox.TranslationFiles(), QStringList{"Deutsch.lng"});
    EXPECT_EQ(Languages().CurrentName(), "Deutsch");
}

TEST_F(TranslationEditorTest, ReplacingATranslationNotShownByTheFileDialogIsAsked) {
    WriteGerman();
    ASSERT_TRUE(m_sandbox.Start());
    const QByteArray original = FileBytes("Deutsch.lng");
    m_chosenPath = QDir(m_elsewhere.path()).filePath("Deutsch.lng");
    m_typed = {{0, "Info"}};
    RecordingPresenter presenter;
    presenter.Answer(IDNO);
    EXPECT_FALSE(NewTranslation());
    ASSERT_EQ(presenter.ids(), std::vector<unsigned>{IDS_TRANSLATION_REPLACE});
    EXPECT_EQ(presenter.messages()[0].style, unsigned(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(FileBytes("Deutsch.lng"), original);

    presenter.Answer(IDYES);
    ASSERT_TRUE(NewTranslation());
    LanguageTable replaced;
    ASSERT_EQ(replaced.Parse(FileBytes("Deutsch.lng")), LANG_OK);
    EXPECT_EQ(replaced.FindDecodedText(kAbout), "Info");
    EXPECT_FALSE(replaced.FindText(kIdle));

    // Chosen in the program directory itself, the file dialog has asked already.
    presenter.Clear();
    m_chosenPath = m_sandbox.Path("Deutsch.lng");
    ASSERT_TRUE(NewTranslation());
    EXPECT_TRUE(presenter.messages().empty());
}

TEST_F(TranslationEditorTest, EditTranslationSavesUnderTheFilesOwnTitle) {
    WriteGerman();
    AppProfile().WriteString("Language", "LangID", "DEUTSCH");  // stored in other letter case
    ASSERT_TRUE(m_sandbox.Start());
    ASSERT_EQ(Languages().GetCurrentLanguage(), 1);
    m_typed = {{0, "Info"}, {1, "Ready"}};  // translates one text, takes one back
    ASSERT_TRUE(EditTranslation());
    EXPECT_EQ(m_sandbox.TranslationFiles(), QStringList{"Deutsch.lng"});
    LanguageTable saved;
    ASSERT_EQ(saved.Parse(FileBytes("Deutsch.lng")), LANG_OK);
    EXPECT_EQ(saved.FindDecodedText(kAbout), "Info");
    EXPECT_FALSE(saved.FindText(kIdle));
    EXPECT_EQ(LoadUiString(IDS_IDLE), "Ready");

    m_pressOk = false;
    const QByteArray before = FileBytes("Deutsch.lng");
    EXPECT_FALSE(EditTranslation());
    EXPECT_EQ(FileBytes("Deutsch.lng"), before);
}

TEST_F(TranslationEditorTest, EditTranslationNeedsATranslationToBeCurrent) {
    WriteGerman();
    ASSERT_TRUE(m_sandbox.Start());
    ASSERT_EQ(Languages().GetCurrentLanguage(), 0);
    EXPECT_FALSE(EditTranslation());
    EXPECT_EQ(m_dialogRuns, 0);
}

TEST_F(TranslationEditorTest, TextsALanguageFileCannotHoldAreConfirmedFirst) {
    ASSERT_TRUE(m_sandbox.Start());
    LanguageTable table;
    m_typed = {{1, QString::fromUtf8("Готово")}};
    RecordingPresenter presenter;
    presenter.Answer(IDNO);
    EXPECT_FALSE(RunTranslationEditor(table)) << "declined: the dialog stays open, so the script's OK fails";
    EXPECT_EQ(presenter.ids(), std::vector<unsigned>{IDS_TRANSLATION_LOSSY});
    presenter.Answer(IDYES);
    EXPECT_TRUE(RunTranslationEditor(table));
    EXPECT_EQ(table.FindDecodedText(kIdle), "??????");
}

}  // namespace
