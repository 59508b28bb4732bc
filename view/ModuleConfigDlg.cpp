#include "view/ModuleConfigDlg.h"

#include "res/resource.h"
#include "view/EditDialogLogic.h"

#include <QComboBox>

namespace {

constexpr DialogRow kRows[] = {
    {IDC_ROW1_STATIC, "Module #", IDC_NUMBER_TEXT, FieldKind::Value, 36, 0},
    {IDC_ROW2_STATIC, "Module type", IDC_TYPE_TEXT, FieldKind::Value, 96, 0},
    {IDC_ROW3_STATIC, "Configuration", IDC_CONFIG_LIST, FieldKind::List, 96, 116},
    {IDC_INPUTS_STATIC, "Inputs", IDC_INPUTS_LIST, FieldKind::List, 96, 124},
};
constexpr DialogTemplate kTemplate = {IDD_MODULE_CONFIG, "Edit module configuration", 164, 114, 92, kRows};

// A range whose maximum lies below its minimum offers no input count.
constexpr uint32_t kNoInputRange = 0x0001;

}  // namespace

CModuleConfigDlg::CModuleConfigDlg(QWidget* parent) : EditDialog(kTemplate, parent) {
    connect(List(IDC_CONFIG_LIST), &QComboBox::currentIndexChanged, this, &CModuleConfigDlg::OnConfigChange);
}

int CModuleConfigDlg::ChosenInputCount() const {
    if (m_hideInputs || m_configIndex < 0 || std::size_t(m_configIndex) >= m_inputRanges.size()) return -1;
    return RangeMinimum(m_inputRanges[std::size_t(m_configIndex)]) + m_inputsIndex;
}

void CModuleConfigDlg::OnInitDialog() {
    m_openedConfigIndex = m_configIndex;
    EditDialog::OnInitDialog();
}

bool CModuleConfigDlg::DoDataExchange(bool save) {
    if (save) {
        ExchangeIndex(IDC_CONFIG_LIST, m_configIndex, true);
        if (!m_hideInputs) {
            const int selection = List(IDC_INPUTS_LIST)->currentIndex();
            m_inputsIndex = InputsIndexOnOk(selection, m_inputsIndex, m_configIndex != m_openedConfigIndex);
        }
        return true;
    }
    ExchangeText(IDC_NUMBER_TEXT, m_moduleNumber, false);
    ExchangeText(IDC_TYPE_TEXT, m_moduleType, false);
    FillList(IDC_CONFIG_LIST, m_configNames, m_configIndex);
    List(IDC_CONFIG_LIST)->setEnabled(m_configNames.size() >= 2);
    // The current count is preselected only now; a later change of the
    // configuration preselects that configuration's largest count.
    FillList(IDC_INPUTS_LIST, {}, -1);
    OnConfigChange();
    Control(IDC_INPUTS_STATIC)->setHidden(m_hideInputs);
    List(IDC_INPUTS_LIST)->setHidden(m_hideInputs);
    if (!m_hideInputs) ExchangeIndex(IDC_INPUTS_LIST, m_inputsIndex, false);
    return true;
}

void CModuleConfigDlg::OnConfigChange() {
    const int configIndex = List(IDC_CONFIG_LIST)->currentIndex();
    if (configIndex < 0 || m_hideInputs) return;
    const QStringList counts = InputCountEntries(InputRangeAt(configIndex));
    FillList(IDC_INPUTS_LIST, counts, int(counts.size()) - 1);
}

uint32_t CModuleConfigDlg::InputRangeAt(int configIndex) const {
    const auto index = std::size_t(configIndex);
    return index < m_inputRanges.size() ? m_inputRanges[index] : kNoInputRange;
}
