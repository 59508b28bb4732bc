#include "lang/ControlId.h"
#include "lang/gui/EditTranslationDlg.h"
#include "support/LanguageSandbox.h"
#include "lang/gui/TranslationStateImages.h"
#include "lang/UiText.h"
#include "res/resource.h"

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace langtest;

namespace {

const TranslationKey kFileMenu = MenuKey(IDR_MAINFRAME, 1, 0);
const TranslationKey kAboutCaption = DialogCaptionKey(IDD_ABOUTBOX);
const TranslationKey kNotSaved = StringKey(IDS_NOT_SAVED);
const TranslationKey kSaveError = StringKey(IDS_ERROR_SAVING);
const TranslationKey kIdle = StringKey(IDS_IDLE);

const LanguageTable kBase = LanguageTable::Build({
    {kFileMenu, "&File"},
    {kAboutCaption, "About"},
    {kNotSaved, "Warning: Configuration file not saved!\n\nDo you want to save?"},
    {kSaveError, "Error saving file!\n\n%1"},
    {kIdle, "Ready"},
});

QImage ImageOf(const QIcon& icon) { return icon.pixmap(kStateImageSize, kStateImageSize).toImage(); }

class EditTranslationDlgTest : public ::testing::Test {
protected:
    void Open(const LanguageTable& translation = {}) {
        m_dialog = std::make_unique<CEditTranslationDlg>(kBase, translation);
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    void Select(int row) { m_dialog->List()->setCurrentItem(m_dialog->List()->topLevelItem(row)); }
    void Type(const QString& text) {
        m_dialog->TranslationBox()->clear();
        m_dialog->TranslationBox()->setFocus();
        QTest::keyClicks(m_dialog->TranslationBox(), text);
    }
    QImage RowImage(int row) const { return ImageOf(m_dialog->List()->topLevelItem(row)->icon(0)); }
    static QImage StateImage(int index) { return ImageOf(TranslationStateIcon(index)); }

    std::unique_ptr<CEditTranslationDlg> m_dialog;
};

TEST_F(EditTranslationDlgTest, ListHasOneFullRowColumnWithCutTextsAndStateImages) {
    Open(LanguageTable::Build({{kAboutCaption, "Info"}, {kIdle, "Bereit"}}));
    QTreeWidget* list = m_dialog->List();
    EXPECT_EQ(list->columnCount(), 1);
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(list->iconSize(), QSize(kStateImageSize, kStateImageSize));
    ASSERT_EQ(list->topLevelItemCount(), 5);
    const struct {
        const char* text;
        int image;
    } rows[] = {
        {"&File", kImageMenuNotTranslated},
        {"About", kImageDialogTranslated},
        {"Warning: Configuration ...", kImageStringNotTranslated},
        {"Error saving file!", kImageStringNotTranslated},
        {"Ready", kImageStringTranslated},
    };
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(list->topLevelItem(i)->text(0), rows[i].text) << i;
        EXPECT_EQ(RowImage(i), StateImage(rows[i].image)) << i;
    }
    // Item 0 is selected, current and shown.
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0));
    EXPECT_TRUE(list->topLevelItem(0)->isSelected());
    EXPECT_EQ(m_dialog->CurrentRow(), 0);
    EXPECT_EQ(m_dialog->OriginalBox()->toPlainText(), "&File");
    EXPECT_TRUE(m_dialog->OriginalBox()->isReadOnly());
}

TEST_F(EditTranslationDlgTest, StateImagesAreSixDistinctSixteenPixelPictures) {
    for (int a = 0; a < kStateImageCount; ++a) {
        EXPECT_EQ(StateImage(a).size(), QSize(kStateImageSize, kStateImageSize));
        for (int b = a + 1; b < kStateImageCount; ++b) EXPECT_NE(StateImage(a), StateImage(b)) << a << " " << b;
    }
    EXPECT_TRUE(TranslationStateIcon(kStateImageCount).isNull());
}

TEST_F(EditTranslationDlgTest, BoxesShowTheTranslationOrElseTheBaseTextLineByLine) {
    Open(LanguageTable::Build({{kSaveError, "Fehler beim Speichern!\n\n%1"}}));
    Select(2);
    EXPECT_EQ(m_dialog->OriginalBox()->document()->blockCount(), 3);
    EXPECT_EQ(m_dialog->OriginalBox()->toPlainText(), "Warning: Configuration file not saved!\n\nDo you want to save?");
    EXPECT_EQ(m_dialog->TranslationBox()->toPlainText(), m_dialog->OriginalBox()->toPlainText());
    Select(3);
    EXPECT_EQ(m_dialog->TranslationBox()->toPlainText(), "Fehler beim Speichern!\n\n%1");
}

TEST_F(EditTranslationDlgTest, TypingTheBaseTextStoresNoTranslation) {
    Open();
    Select(4);
    Type("Ready");
    Select(0);
    EXPECT_FALSE(m_dialog->Edits().IsTranslated(4));
    EXPECT_EQ(RowImage(4), StateImage(kImageStringNotTranslated));

    Select(4);
    Type("   ");
    Select(1);
    EXPECT_FALSE(m_dialog->Edits().IsTranslated(4));

    Type("Info");
    Select(4);
    EXPECT_EQ(m_dialog->Edits().TranslationAt(1), "Info");
    EXPECT_EQ(RowImage(1), StateImage(kImageDialogTranslated));
}

TEST_F(EditTranslationDlgTest, LineBreaksTypedAreStoredWithoutCarriageReturns) {
    Open();
    Select(3);
    m_dialog->TranslationBox()->setPlainText("Fehler!\r\n\r\n%1");
    Select(4);
    EXPECT_EQ(m_dialog->Edits().TranslationAt(3), "Fehler!\n\n%1");
}

TEST_F(EditTranslationDlgTest, ResetShowsTheBaseTextAndOkStoresNoTranslation) {
    Open(LanguageTable::Build({{kIdle, "Bereit"}}));
    Select(4);
    EXPECT_EQ(m_dialog->TranslationBox()->toPlainText(), "Bereit");
    QTest::mouseClick(m_dialog->ResetButton(), Qt::LeftButton);
    EXPECT_EQ(m_dialog->TranslationBox()->toPlainText(), "Ready");
    EXPECT_EQ(RowImage(4), StateImage(kImageStringNotTranslated));
    m_dialog->accept();
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(m_dialog->Edits().BuildTable().IsEmpty());
}

TEST_F(EditTranslationDlgTest, OkStoresTheRowBeingEdited) {
    Open();
    Select(0);
    Type("&Datei");
    for (QPushButton* button : m_dialog->findChildren<QPushButton*>())
        if (ControlId(button) == IDOK) QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_EQ(m_dialog->Edits().BuildTable().FindDecodedText(kFileMenu), "&Datei");
}

TEST_F(EditTranslationDlgTest, EscapeDoesNotCloseTheDialog) {
    Open();
    Type("typed");
    QTest::keyClick(m_dialog->TranslationBox(), Qt::Key_Escape);
    QTest::keyClick(m_dialog->List(), Qt::Key_Escape);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->TranslationBox()->toPlainText(), "typed");
}

TEST_F(EditTranslationDlgTest, TextsOfAnyLengthAreShownAndEditedInFull) {
    const QString longBase = QString(3000, u'a') + "\n" + QString(3000, u'b');
    const QString longTranslation = QString(9000, u'c');
    m_dialog = std::make_unique<CEditTranslationDlg>(LanguageTable::Build({{kIdle, longBase}}), LanguageTable());
    EXPECT_EQ(m_dialog->OriginalBox()->toPlainText(), longBase);
    EXPECT_EQ(m_dialog->List()->topLevelItem(0)->text(0), QString(23, u'a') + "...");
    m_dialog->TranslationBox()->setPlainText(longTranslation);
    m_dialog->accept();
    EXPECT_EQ(m_dialog->Edits().TranslationAt(0), longTranslation);
}

TEST_F(EditTranslationDlgTest, ControlsCarryTheirIdsAndTheDialogIsTranslated) {
    LanguageSandbox sandbox;
    const auto key = [](int control) { return DialogControlKey(IDD_EDIT_TRANSLATION, control); };
    sandbox.WriteBase({{DialogCaptionKey(IDD_EDIT_TRANSLATION), "Edit translation"}, {key(6301), "Reset"}});
    sandbox.WriteTranslation("Deutsch", {{DialogCaptionKey(IDD_EDIT_TRANSLATION), QString::fromUtf8("Übersetzung")},
                                         {key(IDC_TRANSLATION_RESET), QString::fromUtf8("Zurücksetzen")},
                                         {key(IDC_TRANSLATION_TEXT_LABEL), QString::fromUtf8("Übersetzung")},
                                         {key(IDCANCEL), "Abbrechen"}});
    AppProfile().WriteString("Language", "LangID", "Deutsch");
    ASSERT_TRUE(sandbox.Start());
    Open();
    std::map<int, QString> texts;
    for (QWidget* child : m_dialog->findChildren<QWidget*>())
        if (ControlId(child) != 0) texts[ControlId(child)] = child->property("text").toString();
    EXPECT_EQ(m_dialog->windowTitle(), QString::fromUtf8("Übersetzung"));
    const std::map<int, QString> expected = {
        {IDC_TRANSLATION_LIST, ""},
        {IDC_TRANSLATION_RESET, QString::fromUtf8("Zurücksetzen")},
        {IDC_TRANSLATION_ORIGINAL, ""},
        {IDC_TRANSLATION_TEXT, ""},
        {IDC_TRANSLATION_ORIGINAL_LABEL, "Original"},
        {IDC_TRANSLATION_TEXT_LABEL, QString::fromUtf8("Übersetzung")},
        {IDOK, "OK"},
        {IDCANCEL, "Abbrechen"},
    };
    EXPECT_EQ(texts, expected);
}

}  // namespace
