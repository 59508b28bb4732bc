#include "view/OutputSignalDlg.h"

#include "res/resource.h"

namespace {

// The first text reads "Input #" in this dialog's resource too.
constexpr DialogRow kRows[] = {
    {IDC_ROW1_STATIC, "Input #", IDC_NUMBER_TEXT, FieldKind::Value, 36, 0},
    {IDC_ROW2_STATIC, "Output type", IDC_TYPE_TEXT, FieldKind::Value, 96, 0},
    {IDC_ROW3_STATIC, "Signal", IDC_SIGNAL_LIST, FieldKind::List, 96, 60},
};
constexpr DialogTemplate kTemplate = {IDD_OUTPUT_SIGNAL, "Edit output signal", 164, 93, 72, kRows};

}  // namespace

COutputSignalDlg::COutputSignalDlg(QWidget* parent) : EditDialog(kTemplate, parent) {}

bool COutputSignalDlg::DoDataExchange(bool save) {
    if (save) {
        ExchangeIndex(IDC_SIGNAL_LIST, m_signal, true);
        return true;
    }
    ExchangeText(IDC_NUMBER_TEXT, m_outputNumber, false);
    ExchangeText(IDC_TYPE_TEXT, m_outputType, false);
    FillList(IDC_SIGNAL_LIST, m_signalNames, m_signal);
    return true;
}
