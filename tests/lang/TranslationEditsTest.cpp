#include "lang/TranslationEdits.h"
#include "lang/UiText.h"
#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

TEST(TranslationItemText, FirstLineCutAfterTwentyThreeCharactersWhenLongerThanTwentyFive) {
    const struct {
        const char* base;
        const char* item;
    } rows[] = {
        {"Warning: Configuration file not saved!\n\nDo you want to save?", "Warning: Configuration ..."},
        {"Ready", "Ready"},
        {"Open configuration file\nOpen", "Open configuration file"},
        {"exactly twenty-five chars", "exactly twenty-five chars"},
        {"twenty-six characters long", "twenty-six characters l..."},
        {"", ""},
        {"\nsecond line only", ""},
    };
    for (const auto& row : rows) EXPECT_EQ(TranslationItemText(QString::fromUtf8(row.base)), row.item) << row.base;
}

TEST(TranslationImageIndex, TwoImagesPerKindTranslatedFirst) {
    const struct {
        TranslationKey key;
        bool translated;
        int image;
    } rows[] = {
        {MenuKey(IDR_MAINFRAME, 1, ID_FILE_OPEN), true, kImageMenuTranslated},
        {MenuKey(IDR_MAINFRAME, 5, 0), false, kImageMenuNotTranslated},
        {DialogCaptionKey(IDD_ABOUTBOX), true, kImageDialogTranslated},
        {DialogControlKey(IDD_MODULE_CONFIG, IDOK), false, kImageDialogNotTranslated},
        {StringKey(IDS_IDLE), true, kImageStringTranslated},
        {StringKey(IDS_NOT_SAVED), false, kImageStringNotTranslated},
        {0x00001234u, false, kImageStringNotTranslated},  // no known kind: never outside the six images
    };
    for (const auto& row : rows) EXPECT_EQ(TranslationImageIndex(row.key, row.translated), row.image) << row.key;
}

TEST(ShownTranslationText, LineBreaksBecomeCarriageReturnLineFeedTabEscapesStay) {
    EXPECT_EQ(ShownTranslationText("a\n\nb\n"), "a\r\n\r\nb\r\n");
    EXPECT_EQ(ShownTranslationText("&Open...\\tCtrl+O"), "&Open...\\tCtrl+O");
    const QString longText(5000, u'x');
    EXPECT_EQ(ShownTranslationText(longText + "\n" + longText), longText + "\r\n" + longText);
}

TEST(StoredTranslationText, EmptyBlankOrBaseTextIsNotATranslation) {
    const QString base = "Error saving file!\n\n%1";
    const struct {
        const char* typed;
        const char* stored;
    } rows[] = {
        {"", ""},
        {"   \r\n\t ", ""},
        {"Error saving file!\r\n\r\n%1", ""},  // the base text as the box shows it
        {"Error saving file!\n\n%1 ", "Error saving file!\n\n%1 "},
        {"  Fehler beim Speichern!\r\n\r\n%1", "  Fehler beim Speichern!\n\n%1"},
    };
    for (const auto& row : rows) EXPECT_EQ(StoredTranslationText(row.typed, base), row.stored) << row.typed;
}

class TranslationEditsTest : public ::testing::Test {
protected:
    const TranslationKey kMenu = MenuKey(IDR_MAINFRAME, 1, 0);
    const TranslationKey kCaption = DialogCaptionKey(IDD_ABOUTBOX);
    const TranslationKey kString = StringKey(IDS_IDLE);
    LanguageTable m_base =
        LanguageTable::Build({{kMenu, "&File"}, {kCaption, "About"}, {kString, "Ready"}}, {{StringKey(1), kString}});
};

TEST_F(TranslationEditsTest, RowsFollowTheBaseAndTakeTextsOfTheSameKeyOnly) {
    // An alias of the base does not carry a translation over to its target.
    const LanguageTable edited =
        LanguageTable::Build({{kString, "Bereit"}, {StringKey(1), "aliased"}, {StringKey(99), "unknown"}});
    const TranslationEdits edits(m_base, edited);
    ASSERT_EQ(edits.Count(), 3);
    const struct {
        TranslationKey key;
        const char* base;
        const char* translation;
        int image;
    } rows[] = {
        {kMenu, "&File", "", kImageMenuNotTranslated},
        {kCaption, "About", "", kImageDialogNotTranslated},
        {kString, "Ready", "Bereit", kImageStringTranslated},
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(edits.KeyAt(i), rows[i].key);
        EXPECT_EQ(edits.BaseTextAt(i), rows[i].base);
        EXPECT_EQ(edits.TranslationAt(i), rows[i].translation);
        EXPECT_EQ(edits.ImageAt(i), rows[i].image);
    }
}

TEST_F(TranslationEditsTest, BuiltTableHoldsTranslatedRowsInBaseOrderWithoutAliases) {
    TranslationEdits edits(m_base, LanguageTable::Build({{kString, "Bereit"}, {StringKey(99), "dropped"}}));
    edits.Store(1, "Info");
    edits.Store(0, "&File");  // the base text: stays untranslated
    const LanguageTable built = edits.BuildTable();
    ASSERT_EQ(built.Texts().size(), 2u);
    EXPECT_EQ(built.Texts()[0].key, kCaption);
    EXPECT_EQ(built.Texts()[1].key, kString);
    EXPECT_EQ(built.Texts()[0].offset, 0u);
    EXPECT_EQ(built.FindDecodedText(kCaption), "Info");
    EXPECT_EQ(built.FindDecodedText(kString), "Bereit");
    EXPECT_TRUE(built.Aliases().empty());

    edits.Reset(2);
    edits.Reset(1);
    EXPECT_TRUE(edits.BuildTable().IsEmpty());
}

TEST_F(TranslationEditsTest, TextsOutsideTheCodePageAreDetected) {
    TranslationEdits edits(m_base, {});
    edits.Store(0, QString::fromUtf8("Dätei €"));
    EXPECT_TRUE(edits.FitsCodePage());
    edits.Store(1, QString::fromUtf8("Справка"));
    EXPECT_FALSE(edits.FitsCodePage());
}

}  // namespace
