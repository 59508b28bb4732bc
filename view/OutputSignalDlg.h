// "Edit output signal" (dialog 134): the signal of one output, chosen from
// the skin's output signal names.
#pragma once

#include "view/EditDialog.h"

#include <QStringList>

class COutputSignalDlg : public EditDialog {
    Q_OBJECT
public:
    explicit COutputSignalDlg(QWidget* parent = nullptr);

    int m_signal = -1;  // index in m_signalNames; kept when the list has no selection
    QString m_outputType;
    QString m_outputNumber;
    QStringList m_signalNames;

protected:
    bool DoDataExchange(bool save) override;
};
