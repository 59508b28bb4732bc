#include "view/EditDialog.h"

#include "lang/gui/TranslateUi.h"
#include "lang/UiText.h"
#include "view/DialogUnits.h"
#include "view/EditDialogLogic.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The grid all four dialog resources share, in dialog units.
constexpr int kRowsLeft = 8;
constexpr int kRowsTop = 4;
constexpr int kStaticWidth = 52;
constexpr int kFieldLeft = 64;
constexpr int kRowHeight = 12;
constexpr int kRowStep = 20;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 14;
// One entry of an open drop-down list is about a character cell high.
constexpr int kListEntryHeight = 8;

constexpr char kControlIdProperty[] = "vkxControlId";

int WidestField(std::span<const DialogRow> rows) {
    int widest = 0;
    for (const DialogRow& row : rows) widest = std::max(widest, row.fieldWidth);
    return widest;
}

int VisibleListEntries(int listHeight) { return std::max(1, (listHeight - kRowHeight) / kListEntryHeight); }

}  // namespace

EditDialog::EditDialog(const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent), m_template(dialogTemplate) {
    BuildControls();
}

int EditDialog::DoModal() { return exec() == QDialog::Accepted ? IDOK : IDCANCEL; }

QWidget* EditDialog::Control(int id) const {
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

void EditDialog::setVisible(bool visible) {
    if (visible && !m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::setVisible(visible);
}

void EditDialog::accept() {
    if (DoDataExchange(true)) QDialog::accept();
}

void EditDialog::done(int result) {
    QDialog::done(result);
    m_initialised = false;
}

void EditDialog::OnInitDialog() {
    TranslateDialog(m_template.dialogId, this);
    DoDataExchange(false);
}

void EditDialog::ExchangeText(int id, QString& value, bool save) const {
    QWidget* control = Control(id);
    if (save)
        value = control->property("text").toString();
    else
        control->setProperty("text", value);
}

void EditDialog::ExchangeIndex(int id, int& value, bool save) const {
    QComboBox* list = List(id);
    if (save)
        value = SelectionOrStored(list->currentIndex(), value);
    else
        list->setCurrentIndex(SelectableIndex(value, list->count()));
}

QComboBox* EditDialog::List(int id) const { return qobject_cast<QComboBox*>(Control(id)); }

void EditDialog::FillList(int id, const QStringList& entries, int index) const {
    QComboBox* list = List(id);
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(entries);
    list->setCurrentIndex(SelectableIndex(index, list->count()));
}

void EditDialog::BuildControls() {
    setWindowTitle(QString::fromUtf8(m_template.caption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const DialogUnits du(font());
    const int fieldWidth = WidestField(m_template.rows);
    const int rowsBottom = kRowsTop + int(m_template.rows.size()) * kRowStep - (kRowStep - kRowHeight);

    // The resource's rectangles become minimum sizes: longer texts (a
    // translation, a long module type) widen the dialog instead of being cut.
    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    outer->setSpacing(0);
    // The right margin is never narrower than the left one, which the
    // resources do not always keep.
    const int rightMargin = std::max(kRowsLeft, m_template.width - kFieldLeft - fieldWidth);
    outer->setContentsMargins(du.X(kRowsLeft), du.Y(kRowsTop), du.X(rightMargin),
                              du.Y(m_template.height - m_template.buttonsTop - kButtonHeight));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(du.X(kFieldLeft - kRowsLeft - kStaticWidth));
    grid->setVerticalSpacing(du.Y(kRowStep - kRowHeight));
    grid->setColumnMinimumWidth(0, du.X(kStaticWidth));
    grid->setColumnMinimumWidth(1, du.X(fieldWidth));
    grid->setColumnStretch(1, 1);
    for (int r = 0; r < int(m_template.rows.size()); ++r) {
        const DialogRow& row = m_template.rows[std::size_t(r)];
        auto* text = new QLabel(QString::fromUtf8(row.staticText), this);
        text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        text->setMinimumHeight(du.Y(kRowHeight));
        Register(text, row.staticId);
        QWidget* field = CreateField(row);
        field->setMinimumSize(du.X(row.fieldWidth), du.Y(kRowHeight));
        Register(field, row.fieldId);
        grid->addWidget(text, r, 0);
        // A narrower field keeps its own width, as in the resource.
        grid->addWidget(field, r, 1, row.fieldWidth < fieldWidth ? Qt::AlignLeft : Qt::Alignment());
    }
    outer->addLayout(grid);
    outer->addSpacing(du.Y(m_template.buttonsTop - rowsBottom));
    AddButtons(outer);
}

QWidget* EditDialog::CreateField(const DialogRow& row) {
    switch (row.kind) {
    case FieldKind::Value: {
        auto* value = new QLabel(this);
        value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        value->setAlignment(Qt::AlignCenter);
        return value;
    }
    case FieldKind::List: {
        auto* list = new QComboBox(this);
        list->setMaxVisibleItems(VisibleListEntries(row.listHeight));
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        return list;
    }
    case FieldKind::Edit: break;
    }
    return new QLineEdit(this);
}

void EditDialog::AddButtons(QVBoxLayout* outer) {
    const DialogUnits du(font());
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setDefault(true);
    Register(ok, IDOK);
    Register(cancel, IDCANCEL);
    connect(ok, &QPushButton::clicked, this, &EditDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &EditDialog::reject);

    for (QPushButton* button : {ok, cancel}) button->setMinimumSize(du.X(kButtonWidth), du.Y(kButtonHeight));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addSpacing(du.X(kButtonGap));
    buttons->addWidget(cancel);
    buttons->addStretch();
    outer->addLayout(buttons);
}

void EditDialog::Register(QWidget* control, int id) {
    control->setProperty(kControlIdProperty, id);
    m_controls[id] = control;
}
