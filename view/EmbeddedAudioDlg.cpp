#include "view/EmbeddedAudioDlg.h"

#include "res/resource.h"
#include "view/EditDialogLogic.h"

#include <QComboBox>

namespace {

constexpr DialogRow kRows[] = {
    {IDC_ROW1_STATIC, "Input #", IDC_NUMBER_TEXT, FieldKind::Value, 36, 0},
    {IDC_ROW2_STATIC, "Input type", IDC_TYPE_TEXT, FieldKind::Value, 96, 0},
    {IDC_ROW3_STATIC, "Group", IDC_GROUP_LIST, FieldKind::List, 96, 60},
    {IDC_INPUTS_STATIC, "Stereo pair", IDC_INPUTS_LIST, FieldKind::List, 96, 60},
};
constexpr DialogTemplate kTemplate = {IDD_EMBEDDED_AUDIO, "Edit embedded audio channel", 164, 114, 92, kRows};

QStringList Numbered(int count) {
    QStringList entries;
    for (int n = 1; n <= count; ++n) entries << QString::number(n);
    return entries;
}

}  // namespace

CEmbeddedAudioDlg::CEmbeddedAudioDlg(QWidget* parent) : EditDialog(kTemplate, parent) {
    List(IDC_GROUP_LIST)->addItems(Numbered(kAudioGroups));
    List(IDC_INPUTS_LIST)->addItems(Numbered(kStereoPairs));
}

void CEmbeddedAudioDlg::SetSetting(uint8_t setting) {
    const AudioChannel channel = DecodeAudioSetting(setting);
    m_group = channel.group;
    m_stereoPair = channel.stereoPair;
}

uint8_t CEmbeddedAudioDlg::Setting() const { return EncodeAudioSetting(m_group, m_stereoPair); }

bool CEmbeddedAudioDlg::DoDataExchange(bool save) {
    if (!save) {
        ExchangeText(IDC_NUMBER_TEXT, m_inputNumber, false);
        ExchangeText(IDC_TYPE_TEXT, m_inputType, false);
    }
    ExchangeIndex(IDC_GROUP_LIST, m_group, save);
    ExchangeIndex(IDC_INPUTS_LIST, m_stereoPair, save);
    return true;
}
