#include "base/Settings.h"
#include "lang/LanguageManager.h"
#include "support/LanguageTestFiles.h"
#include "lang/UiText.h"
#include "res/resource.h"
#include "support/RecordingPresenter.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace langtest;

namespace {

const QString kTitle = "VKX520Setup";

class LanguageManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        SetAppProfilePath(m_dir.filePath("VKX520Setup.ini"));
        m_languages.SetProgramLocation(m_dir.path(), kTitle);
    }
    void TearDown() override { SetAppProfilePath({}); }

    QString PathOf(const QString& name) const { return m_dir.filePath(name); }
    void WriteBase(const std::vector<LanguageText>& texts, const std::vector<LanguageAlias>& aliases = {}) {
        WriteBytes(PathOf(kTitle + ".lna"), FileBytes(texts, aliases));
    }
    void WriteTranslation(const QString& title, const std::vector<LanguageText>& texts) {
        WriteBytes(PathOf(title + ".lng"), FileBytes(texts));
    }
    void StoreLanguageSetting(const QString& name) { AppProfile().WriteString("Language", "LangID", name); }
    QString StoredLanguageSetting() const { return AppProfile().GetString("Language", "LangID", "<missing>"); }

    QTemporaryDir m_dir;
    LanguageManager m_languages;
};

TEST_F(LanguageManagerTest, WithoutBaseFileTranslationStaysOff) {
    WriteTranslation("Deutsch", {{StringKey(IDS_IDLE), "Bereit"}});
    StoreLanguageSetting("Deutsch");
    EXPECT_FALSE(m_languages.InitLanguages());
    EXPECT_FALSE(m_languages.IsTranslationAvailable());
    EXPECT_TRUE(m_languages.LanguageList().isEmpty());
    EXPECT_FALSE(m_languages.SelectLanguage(1));
    EXPECT_EQ(LoadUiString(IDS_IDLE), "Ready");
    EXPECT_EQ(StoredLanguageSetting(), "Deutsch");  // nothing else is done
}

TEST_F(LanguageManagerTest, BaseFileWithoutTextsEnablesTranslationWithResourceTexts) {
    WriteBase({});
    EXPECT_TRUE(m_languages.InitLanguages());
    EXPECT_TRUE(m_languages.IsTranslationAvailable());
    EXPECT_EQ(m_languages.GetCurrentLanguage(), 0);
    EXPECT_EQ(LoadUiString(IDS_IDLE), "Ready");
    QString text;
    EXPECT_FALSE(LookupUiText(DialogCaptionKey(IDD_ABOUTBOX), text));
    EXPECT_EQ(m_languages.MenuLanguageNames(), QStringList{"English"});
}

TEST_F(LanguageManagerTest, TranslationFallsBackToBaseTextThenResource) {
    WriteBase({{StringKey(IDS_IDLE), "Ready (base)"}, {StringKey(IDS_WRITE_CONFIRM), "Write? (base)"}});
    WriteTranslation("Deutsch", {{StringKey(IDS_IDLE), "Bereit"}, {StringKey(IDS_APP_TITLE), "VKX520 Einrichtung"}});
    StoreLanguageSetting("Deutsch");
    ASSERT_TRUE(m_languages.InitLanguages());
    EXPECT_EQ(m_languages.GetCurrentLanguage(), 1);
    EXPECT_EQ(LoadUiString(IDS_IDLE), "Bereit");
    EXPECT_EQ(LoadUiString(IDS_WRITE_CONFIRM), "Write? (base)");       // lacking: base text
    EXPECT_EQ(LoadUiString(IDS_APP_TITLE), "VKX520 Einrichtung");      // only in the translation
    EXPECT_EQ(LoadUiString(IDS_CONFIG_FILES), "Configuration files");  // in neither: resource

    ASSERT_TRUE(m_languages.SelectLanguage(0));
    EXPECT_EQ(LoadUiString(IDS_IDLE), "Ready (base)");
    EXPECT_EQ(LoadUiString(IDS_APP_TITLE), "VKX520Setup");
    EXPECT_EQ(StoredLanguageSetting(), "");
}

TEST_F(LanguageManagerTest, TextFunctionsFollowTheCurrentLanguage) {
    WriteBase({});
    WriteTranslation("Deutsch", {{StringKey(IDS_WRITE_CONFIRM), "Konfiguration schreiben?"},
                                 {StringKey(IDS_APP_TITLE), "Einrichtung"},
                                 {StringKey(IDS_ERROR_SAVING), "Fehler beim Speichern!\n\n%1"},
                                 {StringKey(ID_FILE_OPEN), "Datei öffnen\nÖffnen"}});
    StoreLanguageSetting("Deutsch");
    ASSERT_TRUE(m_languages.InitLanguages());

    RecordingPresenter recorder;
    UiMessageBox(IDS_WRITE_CONFIRM, MB_YESNO | MB_ICONEXCLAMATION);
    ReportFileError(3, "/x/a.lng");
    ASSERT_EQ(recorder.messages().size(), 2u);
    EXPECT_EQ(recorder.messages()[0].caption, "Einrichtung");
    EXPECT_EQ(recorder.messages()[0].text, "Konfiguration schreiben?");
    EXPECT_EQ(recorder.messages()[1].text, "Fehler beim Speichern!\n\n/x/a.lng");
    QString prompt, tip;
    LoadUiPrompt(ID_FILE_OPEN, prompt);
    LoadUiTooltip(ID_FILE_OPEN, tip);
    EXPECT_EQ(prompt, QString::fromUtf8("Datei öffnen"));
    EXPECT_EQ(tip, QString::fromUtf8("Öffnen"));
}

TEST_F(LanguageManagerTest, AliasGivesTwoControlsOneText) {
    const TranslationKey label = DialogControlKey(IDD_MODULE_CONFIG, 1002);
    const TranslationKey twin = DialogControlKey(IDD_MODULE_CONFIG, 1005);
    WriteBase({{label, "Inputs:"}}, {{twin, label}});
    WriteTranslation("Deutsch", {{label, "Eingänge:"}});
    ASSERT_TRUE(m_languages.InitLanguages());
    QString a, b;
    ASSERT_TRUE(LookupUiText(twin, b));
    EXPECT_EQ(b, "Inputs:");
    ASSERT_TRUE(m_languages.SelectLanguage(1));
    ASSERT_TRUE(LookupUiText(label, a));
    ASSERT_TRUE(LookupUiText(twin, b));
    EXPECT_EQ(a, QString::fromUtf8("Eingänge:"));
    EXPECT_EQ(b, a);
}

TEST_F(LanguageManagerTest, BackslashTBecomesTab) {
    WriteBase(
        {{MenuKey(IDR_MAINFRAME, 1, ID_FILE_OPEN), "&Open...\\tCtrl+O"}, {StringKey(IDS_IDLE), "a\\t\\tb\\\\tc\\"}});
    ASSERT_TRUE(m_languages.InitLanguages());
    QString text;
    ASSERT_TRUE(LookupUiText(MenuKey(IDR_MAINFRAME, 1, ID_FILE_OPEN), text));
    EXPECT_EQ(text, "&Open...\tCtrl+O");
    EXPECT_EQ(LoadUiString(IDS_IDLE), "a\t\tb\\\tc\\");
}

TEST_F(LanguageManagerTest, StoredNameDifferingInCaseSelectsTheFile) {
    WriteBase({});
    WriteTranslation("Deutsch", {{StringKey(IDS_IDLE), "Bereit"}});
    StoreLanguageSetting("dEUTSCH");
    ASSERT_TRUE(m_languages.InitLanguages());
    EXPECT_EQ(m_languages.GetCurrentLanguage(), 1);
    EXPECT_EQ(LoadUiString(IDS_IDLE), "Bereit");
    EXPECT_EQ(m_languages.CurrentName(), "dEUTSCH");
    EXPECT_EQ(StoredLanguageSetting(), "dEUTSCH");
}

TEST_F(LanguageManagerTest, ElevenFilesOfferBaseAndFirstNine) {
    WriteBase({});
    for (int i = 0; i < 11; ++i)
        WriteTranslation(QString("Lang%1").arg(i), {{StringKey(IDS_IDLE), QString::number(i)}});
    WriteBytes(PathOf("NotALanguage.lng.bak"), "x");
    QDir(m_dir.path()).mkdir("Folder.lng");
    ASSERT_TRUE(m_languages.InitLanguages());
    const QStringList list = m_languages.LanguageList();
    ASSERT_EQ(list.size(), 11);
    const QStringList offered = m_languages.MenuLanguageNames();
    ASSERT_EQ(offered.size(), kMaxMenuLanguages);
    EXPECT_EQ(offered[0], "English");
    EXPECT_EQ(offered.mid(1), list.mid(0, 9));  // in directory order
    EXPECT_EQ(m_languages.GetLanguageName(11), list[10]);
    EXPECT_EQ(m_languages.GetLanguageName(12), std::nullopt);
    EXPECT_EQ(m_languages.GetLanguageName(-1), std::nullopt);
}

TEST_F(LanguageManagerTest, BadTranslationIsTreatedAsAbsent) {
    WriteBase({{StringKey(IDS_IDLE), "Ready (base)"}});
    QByteArray wrongMagic = FileBytes({{StringKey(IDS_IDLE), "Bereit"}});
    wrongMagic[0] = 'l';
    QByteArray badOffset = FileBytes({{StringKey(IDS_IDLE), "Prêt"}});
    PutU32(badOffset, kEntriesAt + 4, 4096);
    WriteBytes(PathOf("Deutsch.lng"), wrongMagic);
    WriteBytes(PathOf("Francais.lng"), badOffset);
    for (const QString& name : {QString("Deutsch"), QString("Francais"), QString("Missing")}) {
        SCOPED_TRACE(name.toStdString());
        StoreLanguageSetting(name);
        ASSERT_TRUE(m_languages.InitLanguages());
        EXPECT_EQ(m_languages.GetCurrentLanguage(), 0);
        EXPECT_EQ(m_languages.CurrentName(), "");
        EXPECT_EQ(StoredLanguageSetting(), "");
        EXPECT_EQ(LoadUiString(IDS_IDLE), "Ready (base)");
    }
}

TEST_F(LanguageManagerTest, BadBaseFileKeepsTranslationOff) {
    QByteArray base = FileBytes({{StringKey(IDS_IDLE), "Ready (base)"}});
    base.chop(1);  // the only text loses its NUL
    WriteBytes(PathOf(kTitle + ".lna"), base);
    EXPECT_FALSE(m_languages.InitLanguages());
    EXPECT_EQ(LoadUiString(IDS_IDLE), "Ready");
}

TEST_F(LanguageManagerTest, FileFarLargerThanAnyLanguageFileIsRefused) {
    WriteTranslation("Huge", {{StringKey(IDS_IDLE), "x"}});
    LanguageTable table;
    for (const qint64 size : {qint64(kMaxLanguageFileSize), qint64(kMaxLanguageFileSize) + 1}) {
        ASSERT_TRUE(QFile::resize(PathOf("Huge.lng"), size));  // trailing bytes alone would be accepted
        EXPECT_EQ(m_languages.LoadLanguageTable(table, "Huge", ".lng"),
                  size > qint64(kMaxLanguageFileSize) ? LANG_BAD_FILE : LANG_OK);
    }
}

TEST_F(LanguageManagerTest, SelectLanguageChangesOnlyToAnotherListedLanguage) {
    WriteBase({});
    WriteTranslation("Deutsch", {{StringKey(IDS_IDLE), "Bereit"}});
    ASSERT_TRUE(m_languages.InitLanguages());
    EXPECT_FALSE(m_languages.SelectLanguage(0));  // already current
    EXPECT_FALSE(m_languages.SelectLanguage(2));  // beyond the list
    EXPECT_FALSE(m_languages.SelectLanguage(-1));
    EXPECT_TRUE(m_languages.SelectLanguage(1));
    EXPECT_EQ(m_languages.GetCurrentLanguage(), 1);
    EXPECT_EQ(StoredLanguageSetting(), "Deutsch");
    EXPECT_FALSE(m_languages.SelectLanguage(1));
}

TEST_F(LanguageManagerTest, SavedTranslationLoadsBackAndIsListed) {
    WriteBase({});
    ASSERT_TRUE(m_languages.InitLanguages());
    const LanguageTable table = LanguageTable::Build({{StringKey(IDS_IDLE), "Prêt"}});
    ASSERT_EQ(m_languages.SaveLanguageTable(table, "Francais", ".lng"), LANG_OK);
    LanguageTable read;
    ASSERT_EQ(m_languages.LoadLanguageTable(read, "Francais", ".lng"), LANG_OK);
    EXPECT_TRUE(read == table);
    EXPECT_EQ(m_languages.LoadLanguageTable(read, "Absent", ".lng"), LANG_CANNOT_OPEN);
    EXPECT_TRUE(read.IsEmpty());

    m_languages.ScanLanguageFiles();
    m_languages.SetCurrentName("Francais");
    m_languages.SelectLanguageByName();
    EXPECT_EQ(m_languages.GetCurrentLanguage(), 1);
    EXPECT_EQ(LoadUiString(IDS_IDLE), QString::fromUtf8("Prêt"));
}

TEST_F(LanguageManagerTest, FailedSaveReportsThePath) {
    RecordingPresenter recorder;
    const QString missingDir = m_dir.filePath("missing");
    m_languages.SetProgramLocation(missingDir, kTitle);
    EXPECT_EQ(m_languages.SaveLanguageTable(LanguageTable::Build({{StringKey(1), "x"}}), "Neu", ".lng"),
              LANG_SAVE_FAILED);
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text,
              "Error saving file!\n\n" + QDir::toNativeSeparators(missingDir + "/Neu.lng"));
    EXPECT_EQ(recorder.messages()[0].style, unsigned(MB_ICONSTOP));
    EXPECT_FALSE(QFile::exists(missingDir + "/Neu.lng"));
}

TEST(LanguageManagerLifetime, DestroyedManagerLeavesTheSeamEmpty) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SetAppProfilePath(dir.filePath("x.ini"));
    WriteBytes(dir.filePath("Base.lna"), FileBytes({{StringKey(IDS_IDLE), "Base ready"}}));
    {
        LanguageManager languages;
        languages.SetProgramLocation(dir.path(), "Base");
        ASSERT_TRUE(languages.InitLanguages());
        EXPECT_EQ(LoadUiString(IDS_IDLE), "Base ready");
    }
    EXPECT_EQ(LoadUiString(IDS_IDLE), "Ready");
    SetAppProfilePath({});
}

}  // namespace
