#include "view/DialogTestSupport.h"

#include "lang/UiText.h"
#include "view/EditDialogLogic.h"
#include "view/EmbeddedAudioDlg.h"
#include "view/InputLabelDlg.h"
#include "view/ModuleConfigDlg.h"
#include "view/OutputSignalDlg.h"

#include <QPushButton>
#include <QTest>

namespace dialogtest {

QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
    return entries;
}

void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void ClickButton(const EditDialog& dialog, int id) {
    QTest::mouseClick(qobject_cast<QPushButton*>(dialog.Control(id)), Qt::LeftButton);
}

std::unique_ptr<EditDialog> FilledModuleDialog(const CSkin& skin) {
    const CSkinModule& module = skin.modules().front();
    auto dialog = std::make_unique<CModuleConfigDlg>();
    dialog->m_moduleNumber = "3";
    dialog->m_moduleType = module.m_type;
    dialog->m_configNames = SkinConfigNames(module);
    dialog->m_inputRanges = SkinInputRanges(module);
    dialog->m_configIndex = 0;
    dialog->m_inputsIndex = 4 - 2;
    return dialog;
}

std::unique_ptr<EditDialog> FilledLabelDialog() {
    auto dialog = std::make_unique<CInputLabelDlg>();
    dialog->m_inputNumber = "5";
    dialog->m_inputType = "SDI";
    dialog->m_label = "Camera 1";
    return dialog;
}

std::unique_ptr<EditDialog> FilledSignalDialog(const CSkin& skin) {
    auto dialog = std::make_unique<COutputSignalDlg>();
    dialog->m_outputNumber = "2";
    dialog->m_outputType = "BNC";
    dialog->m_signalNames = skin.signalNames();
    dialog->m_signal = 1;
    return dialog;
}

std::unique_ptr<EditDialog> FilledAudioDialog() {
    auto dialog = std::make_unique<CEmbeddedAudioDlg>();
    dialog->m_inputNumber = "7";
    dialog->m_inputType = "Embedded audio";
    dialog->SetSetting(5);
    return dialog;
}

}  // namespace dialogtest
