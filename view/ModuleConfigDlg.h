// "Edit module configuration" (dialog 130): the configuration of a module
// and, for input modules, its number of inputs.
#pragma once

#include "view/EditDialog.h"

#include <QStringList>

#include <cstdint>
#include <vector>

class CModuleConfigDlg : public EditDialog {
    Q_OBJECT
public:
    explicit CModuleConfigDlg(QWidget* parent = nullptr);

    int m_configIndex = -1;  // index in the configuration list; set by the caller
    QString m_moduleType;
    QString m_moduleNumber;
    int m_inputsIndex = -1;     // index in the inputs list: input count minus the configuration's minimum
    bool m_hideInputs = false;  // output modules: only the configuration can change
    QStringList m_configNames;
    // One per configuration: minimum input count in bits 0..7, maximum in
    // bits 8..15 (MakeInputRange).
    std::vector<uint32_t> m_inputRanges;

    // After OK: the chosen configuration's minimum plus m_inputsIndex; -1 when
    // the inputs are hidden or the chosen configuration has no range.
    int ChosenInputCount() const;

protected:
    void OnInitDialog() override;
    bool DoDataExchange(bool save) override;

private:
    // Offers the chosen configuration's input counts with the largest selected.
    void OnConfigChange();
    uint32_t InputRangeAt(int configIndex) const;

    int m_openedConfigIndex = -1;
};
