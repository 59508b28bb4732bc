#include "view/InputLabelDlg.h"

#include "res/resource.h"
#include "view/EditDialogLogic.h"

#include <QLineEdit>
#include <QValidator>

namespace {

constexpr DialogRow kRows[] = {
    {IDC_ROW1_STATIC, "Input #", IDC_NUMBER_TEXT, FieldKind::Value, 36, 0},
    {IDC_ROW2_STATIC, "Input type", IDC_TYPE_TEXT, FieldKind::Value, 76, 0},
    {IDC_ROW3_STATIC, "Label", IDC_LABEL_EDIT, FieldKind::Edit, 76, 0},
};
constexpr DialogTemplate kTemplate = {IDD_INPUT_LABEL, "Edit input label", 148, 93, 72, kRows};

// Refuses every keystroke or paste after which the text could no longer be
// stored, so what the user sees is exactly what will be saved.
class StorableLabelValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override { return IsStorableLabel(input) ? Acceptable : Invalid; }
};

}  // namespace

CInputLabelDlg::CInputLabelDlg(QWidget* parent) : EditDialog(kTemplate, parent) {
    auto* edit = qobject_cast<QLineEdit*>(Control(IDC_LABEL_EDIT));
    edit->setMaxLength(kMaxLabelBytes);
    edit->setValidator(new StorableLabelValidator(edit));
}

void CInputLabelDlg::OnInitDialog() {
    EditDialog::OnInitDialog();
    qobject_cast<QLineEdit*>(Control(IDC_LABEL_EDIT))->selectAll();
}

bool CInputLabelDlg::DoDataExchange(bool save) {
    if (!save) {
        ExchangeText(IDC_NUMBER_TEXT, m_inputNumber, false);
        ExchangeText(IDC_TYPE_TEXT, m_inputType, false);
        QString shown = ClipToStorableLabel(m_label);
        ExchangeText(IDC_LABEL_EDIT, shown, false);
        return true;
    }
    // Typing cannot produce a text that does not fit; text set by other means
    // is refused and left for the user to correct.
    QString typed;
    ExchangeText(IDC_LABEL_EDIT, typed, true);
    if (!IsStorableLabel(typed)) {
        Control(IDC_LABEL_EDIT)->setFocus();
        return false;
    }
    m_label = typed;
    return true;
}
