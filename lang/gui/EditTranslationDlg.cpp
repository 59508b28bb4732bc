#include "lang/gui/EditTranslationDlg.h"

#include "lang/ControlId.h"
#include "lang/gui/TranslateUi.h"
#include "lang/gui/TranslationStateImages.h"
#include "lang/UiText.h"
#include "res/resource.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>
#include <QTreeWidget>

namespace {

// Sizes in average character widths and lines of the dialog's font.
constexpr int kListChars = 30;
constexpr int kBoxChars = 60;
constexpr int kBoxLines = 5;
constexpr int kListLines = 18;

// The box's text as typed; unlike toPlainText this keeps non-breaking spaces,
// which a base text may hold and which must compare equal to it.
QString BoxText(const QPlainTextEdit* box) {
    QString text = box->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

QPlainTextEdit* CreateBox(QWidget* parent, int id, bool readOnly) {
    auto* box = new QPlainTextEdit(parent);
    box->setReadOnly(readOnly);
    box->setTabChangesFocus(true);  // Tab moves on, as in every other dialog field
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    const QFontMetrics metrics(box->font());
    box->setMinimumSize(metrics.averageCharWidth() * kBoxChars, metrics.lineSpacing() * kBoxLines);
    SetControlId(box, id);
    return box;
}

QLabel* CreateLabel(QWidget* parent, int id, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    // Room above for accents on capitals ("Ü"), which some fonts draw
    // beyond their ascent.
    label->setContentsMargins(0, 3, 0, 0);
    label->setBuddy(buddy);
    SetControlId(label, id);
    return label;
}

QPushButton* CreateButton(QWidget* parent, int id, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    SetControlId(button, id);
    return button;
}

}  // namespace

CEditTranslationDlg::CEditTranslationDlg(const LanguageTable& base, const LanguageTable& translation, QWidget* parent)
    : QDialog(parent), m_edits(base, translation) {
    CreateControls();
    OnInitDialog();
}

CEditTranslationDlg::~CEditTranslationDlg() = default;

void CEditTranslationDlg::CreateControls() {
    setWindowTitle(QStringLiteral("Edit translation"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_list = new QTreeWidget(this);
    SetControlId(m_list, IDC_TRANSLATION_LIST);
    const QFontMetrics metrics(m_list->font());
    m_list->setMinimumSize(metrics.averageCharWidth() * kListChars, metrics.lineSpacing() * kListLines);
    m_original = CreateBox(this, IDC_TRANSLATION_ORIGINAL, true);
    m_translation = CreateBox(this, IDC_TRANSLATION_TEXT, false);
    m_reset = CreateButton(this, IDC_TRANSLATION_RESET, QStringLiteral("Reset"));
    QPushButton* ok = CreateButton(this, IDOK, QStringLiteral("OK"));
    QPushButton* cancel = CreateButton(this, IDCANCEL, QStringLiteral("Cancel"));
    ok->setDefault(true);
    connect(m_reset, &QPushButton::clicked, this, &CEditTranslationDlg::OnReset);
    connect(ok, &QPushButton::clicked, this, &CEditTranslationDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CEditTranslationDlg::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_reset);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_list, 0, 0, 5, 1);
    grid->addWidget(CreateLabel(this, IDC_TRANSLATION_ORIGINAL_LABEL, QStringLiteral("Original"), m_original), 0, 1);
    grid->addWidget(m_original, 1, 1);
    grid->addWidget(CreateLabel(this, IDC_TRANSLATION_TEXT_LABEL, QStringLiteral("Translation"), m_translation), 2, 1);
    grid->addWidget(m_translation, 3, 1);
    grid->addLayout(buttons, 4, 1);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(3, 1);
}

void CEditTranslationDlg::OnInitDialog() {
    TranslateDialog(IDD_EDIT_TRANSLATION, this);
    m_list->setColumnCount(1);
    m_list->setHeaderLabels({QStringLiteral(" ")});
    m_list->setHeaderHidden(true);
    m_list->header()->setStretchLastSection(true);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setIconSize(QSize(kStateImageSize, kStateImageSize));
    FillList();
    FitListWidth();
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { OnItemChanged(item); });
    if (m_edits.Count() > 0) {
        m_list->setCurrentItem(m_list->topLevelItem(0));
        m_current = 0;
        ShowCurrent();
        m_list->scrollToItem(m_list->topLevelItem(0));
    }
    m_list->setFocus();
    m_reset->setEnabled(m_current >= 0);
    m_translation->setEnabled(m_current >= 0);
    m_initialised = true;
}

void CEditTranslationDlg::FillList() {
    for (int row = 0; row < m_edits.Count(); ++row) {
        auto* item = new QTreeWidgetItem(m_list, {TranslationItemText(m_edits.BaseTextAt(row))});
        item->setIcon(0, TranslationStateIcon(m_edits.ImageAt(row)));
    }
}

// Every row text shows in full, with its image and beside the scroll bar.
void CEditTranslationDlg::FitListWidth() {
    const QFontMetrics metrics(m_list->font());
    int widest = 0;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row)
        widest = qMax(widest, metrics.horizontalAdvance(m_list->topLevelItem(row)->text(0)));
    const int chrome = kStateImageSize + 4 * metrics.averageCharWidth() + 2 * m_list->frameWidth() +
                       m_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_list->setMinimumWidth(qMax(m_list->minimumWidth(), widest + chrome));
}

void CEditTranslationDlg::OnItemChanged(QTreeWidgetItem* item) {
    if (!m_initialised) return;
    StoreCurrent();
    m_current = item ? m_list->indexOfTopLevelItem(item) : -1;
    ShowCurrent();
}

void CEditTranslationDlg::OnReset() {
    if (m_current < 0) return;
    m_edits.Reset(m_current);
    ShowCurrent();
}

void CEditTranslationDlg::ShowCurrent() {
    if (m_current < 0) {
        m_original->clear();
        m_translation->clear();
        return;
    }
    const QString& base = m_edits.BaseTextAt(m_current);
    const QString& translation = m_edits.TranslationAt(m_current);
    m_original->setPlainText(ShownTranslationText(base));
    m_translation->setPlainText(ShownTranslationText(translation.isEmpty() ? base : translation));
    UpdateImage(m_current);
}

void CEditTranslationDlg::StoreCurrent() {
    if (m_current < 0) return;
    m_edits.Store(m_current, BoxText(m_translation));
    UpdateImage(m_current);
}

void CEditTranslationDlg::UpdateImage(int row) {
    if (QTreeWidgetItem* item = m_list->topLevelItem(row)) item->setIcon(0, TranslationStateIcon(m_edits.ImageAt(row)));
}

void CEditTranslationDlg::accept() {
    StoreCurrent();
    if (!m_edits.FitsCodePage() && UiMessageBox(IDS_TRANSLATION_LOSSY, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    QDialog::accept();
}

void CEditTranslationDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
