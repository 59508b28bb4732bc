// "Edit input label" (dialog 131): the label of an input or a panel input.
// The edit takes only what fits the stored field: at most 19 Windows-1252
// bytes, no characters without such a byte and no control characters.
#pragma once

#include "view/EditDialog.h"

class CInputLabelDlg : public EditDialog {
    Q_OBJECT
public:
    explicit CInputLabelDlg(QWidget* parent = nullptr);

    QString m_label;  // shown cut to what can be stored
    QString m_inputNumber;
    QString m_inputType;

protected:
    void OnInitDialog() override;
    bool DoDataExchange(bool save) override;
};
