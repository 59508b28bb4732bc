// The Edit translation dialog (208): lists every text of the base language
// file with an image telling its kind and whether it is translated, shows the
// selected text's original, and takes its translation.
#pragma once

#include "lang/TranslationEdits.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// Controls of dialog 208. The two labels carry IDs of their own so that a
// translation can re-text each of them.
constexpr int IDC_TRANSLATION_LIST = 1036;
constexpr int IDC_TRANSLATION_RESET = 6301;
constexpr int IDC_TRANSLATION_ORIGINAL = 6302;
constexpr int IDC_TRANSLATION_TEXT = 6303;
constexpr int IDC_TRANSLATION_ORIGINAL_LABEL = 6304;
constexpr int IDC_TRANSLATION_TEXT_LABEL = 6305;

class CEditTranslationDlg : public QDialog {
    Q_OBJECT
public:
    // One row per text entry of base; the translations start as `translation`
    // has them. Neither table is changed: after OK, Edits() holds the result.
    CEditTranslationDlg(const LanguageTable& base, const LanguageTable& translation, QWidget* parent = nullptr);
    ~CEditTranslationDlg() override;

    const TranslationEdits& Edits() const { return m_edits; }
    // The row shown in the boxes; -1 when the base has no texts.
    int CurrentRow() const { return m_current; }

    QTreeWidget* List() const { return m_list; }
    QPlainTextEdit* OriginalBox() const { return m_original; }
    QPlainTextEdit* TranslationBox() const { return m_translation; }
    QPushButton* ResetButton() const { return m_reset; }

    // OK: stores the row being edited, then closes. Texts a language file
    // cannot hold are confirmed first; declining keeps the dialog open.
    void accept() override;

protected:
    // Escape does not close the dialog: a slip of the finger would lose the
    // edits. Cancel and the window's close button still do.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void OnInitDialog();
    void FillList();
    void FitListWidth();
    void OnItemChanged(QTreeWidgetItem* item);
    void OnReset();
    void ShowCurrent();
    void StoreCurrent();
    void UpdateImage(int row);

    TranslationEdits m_edits;
    QTreeWidget* m_list = nullptr;
    QPlainTextEdit* m_original = nullptr;
    QPlainTextEdit* m_translation = nullptr;
    QPushButton* m_reset = nullptr;
    int m_current = -1;
    bool m_initialised = false;
};
