#include "view/DialogTestSupport.h"

#include "base/CodePage.h"
#include "lang/UiText.h"
#include "res/resource.h"
#include "view/EditDialogLogic.h"
#include "view/EmbeddedAudioDlg.h"
#include "view/InputLabelDlg.h"
#include "view/ModuleConfigDlg.h"
#include "view/OutputSignalDlg.h"

#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

using namespace dialogtest;

namespace {

class EditDialogTest : public ::testing::Test {
protected:
    void SetUp() override { m_skin.LoadSkinData(kSkinXml, QString()); }
    CModuleConfigDlg& ModuleDialog() {
        m_dialog = FilledModuleDialog(m_skin);
        return static_cast<CModuleConfigDlg&>(*m_dialog);
    }
    CSkin m_skin;
    std::unique_ptr<EditDialog> m_dialog;
};

TEST_F(EditDialogTest, ModuleDialogOffersTheCurrentCountThenTheLargestOfAnotherConfiguration) {
    CModuleConfigDlg& dialog = ModuleDialog();
    dialog.show();
    QComboBox* configs = ListOf(dialog, IDC_CONFIG_LIST);
    QComboBox* inputs = ListOf(dialog, IDC_INPUTS_LIST);
    EXPECT_EQ(Entries(configs), QStringList({"Eight connectors", "Four with audio"}));
    EXPECT_TRUE(configs->isEnabled());
    EXPECT_EQ(configs->currentIndex(), 0);
    EXPECT_EQ(Entries(inputs), QStringList({"2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(inputs->currentText(), "4");
    EXPECT_EQ(TextOf(dialog, IDC_NUMBER_TEXT), "3");
    EXPECT_EQ(TextOf(dialog, IDC_TYPE_TEXT), "Video input card");

    configs->setCurrentIndex(1);
    EXPECT_EQ(Entries(inputs), QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(inputs->currentText(), "4");
    configs->setCurrentIndex(0);
    EXPECT_EQ(inputs->currentText(), "8") << "back on the first configuration its largest count is offered";

    configs->setCurrentIndex(1);
    ClickButton(dialog, IDOK);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_configIndex, 1);
    EXPECT_EQ(dialog.m_inputsIndex, 3);
    EXPECT_EQ(dialog.ChosenInputCount(), 4);
}

TEST_F(EditDialogTest, ModuleDialogWithOneConfigurationDisablesTheList) {
    CModuleConfigDlg& dialog = ModuleDialog();
    dialog.m_configNames = QStringList{"Eight connectors"};
    dialog.m_inputRanges.resize(1);
    dialog.show();
    EXPECT_FALSE(ListOf(dialog, IDC_CONFIG_LIST)->isEnabled());
    EXPECT_TRUE(ListOf(dialog, IDC_INPUTS_LIST)->isEnabled());
}

TEST_F(EditDialogTest, ModuleDialogForAnOutputModuleHidesTheInputs) {
    CModuleConfigDlg& dialog = ModuleDialog();
    dialog.m_inputRanges.clear();
    dialog.m_inputsIndex = 0;
    dialog.m_hideInputs = true;
    dialog.show();
    EXPECT_FALSE(dialog.Control(IDC_INPUTS_STATIC)->isVisible());
    EXPECT_FALSE(ListOf(dialog, IDC_INPUTS_LIST)->isVisible());
    EXPECT_TRUE(ListOf(dialog, IDC_CONFIG_LIST)->isVisible());
    ListOf(dialog, IDC_CONFIG_LIST)->setCurrentIndex(1);
    ClickButton(dialog, IDOK);
    EXPECT_EQ(dialog.m_configIndex, 1);
    EXPECT_EQ(dialog.m_inputsIndex, 0);
    EXPECT_EQ(dialog.ChosenInputCount(), -1);
}

TEST_F(EditDialogTest, ModuleDialogOkWithoutSelectionKeepsTheStoredValues) {
    struct Case {
        const char* name;
        int configIndex, inputsIndex;
        int configSelection, inputsSelection;
    } const cases[] = {
        {"configuration beyond the list", 5, 2, -1, -1},
        {"count below the configuration's minimum", 0, -1, 0, -1},
        {"count above the configuration's maximum", 1, 9, 1, -1},
    };
    for (const Case& c : cases) {
        CModuleConfigDlg& dialog = ModuleDialog();
        dialog.m_configIndex = c.configIndex;
        dialog.m_inputsIndex = c.inputsIndex;
        dialog.show();
        EXPECT_EQ(ListOf(dialog, IDC_CONFIG_LIST)->currentIndex(), c.configSelection) << c.name;
        EXPECT_EQ(ListOf(dialog, IDC_INPUTS_LIST)->currentIndex(), c.inputsSelection) << c.name;
        ClickButton(dialog, IDOK);
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.name;
        EXPECT_EQ(dialog.m_configIndex, c.configIndex) << c.name;
        EXPECT_EQ(dialog.m_inputsIndex, c.inputsIndex) << c.name;
    }
}

TEST_F(EditDialogTest, ModuleDialogSwitchingToAConfigurationWithoutCountsTakesItsMinimum) {
    CModuleConfigDlg& dialog = ModuleDialog();
    dialog.m_inputRanges[1] = MakeInputRange(3, 2);
    dialog.show();
    ListOf(dialog, IDC_CONFIG_LIST)->setCurrentIndex(1);
    EXPECT_EQ(ListOf(dialog, IDC_INPUTS_LIST)->count(), 0);
    ClickButton(dialog, IDOK);
    EXPECT_EQ(dialog.m_configIndex, 1);
    EXPECT_EQ(dialog.ChosenInputCount(), 3);
}

TEST_F(EditDialogTest, CancelChangesNoFieldAndReopeningShowsTheFieldsAgain) {
    CModuleConfigDlg& dialog = ModuleDialog();
    dialog.show();
    ListOf(dialog, IDC_CONFIG_LIST)->setCurrentIndex(1);
    ClickButton(dialog, IDCANCEL);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.m_configIndex, 0);
    EXPECT_EQ(dialog.m_inputsIndex, 2);

    dialog.show();
    EXPECT_EQ(ListOf(dialog, IDC_CONFIG_LIST)->currentIndex(), 0);
    EXPECT_EQ(ListOf(dialog, IDC_INPUTS_LIST)->currentText(), "4");
}

TEST_F(EditDialogTest, DoModalAnswersIdokOnlyForOk) {
    const struct {
        int button;
        int result;
    } cases[] = {{IDOK, IDOK}, {IDCANCEL, IDCANCEL}};
    for (const auto& c : cases) {
        CModuleConfigDlg& dialog = ModuleDialog();
        QTimer::singleShot(0, &dialog, [&dialog, &c] {
            ListOf(dialog, IDC_INPUTS_LIST)->setCurrentIndex(0);
            ClickButton(dialog, c.button);
        });
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_EQ(dialog.m_inputsIndex, c.result == IDOK ? 0 : 2);
    }
}

TEST_F(EditDialogTest, LabelDialogStopsAtNineteenStoredBytes) {
    const struct {
        const char* name;
        QString typed;
        QString kept;
    } cases[] = {
        {"plain letters", QString(25, u'a'), QString(19, u'a')},
        {"umlauts, two bytes in UTF-8 but one stored byte", QString::fromUtf8("\xC3\xA4").repeated(20),
         QString::fromUtf8("\xC3\xA4").repeated(19)},
        {"characters without a stored byte are refused", QStringLiteral("Cam\u03A9 \U0001F600\u00E41"),
         QStringLiteral("Cam \u00E41")},
    };
    for (const auto& c : cases) {
        CInputLabelDlg dialog;
        dialog.show();
        QLineEdit* edit = EditOf(dialog, IDC_LABEL_EDIT);
        Type(edit, c.typed);
        EXPECT_EQ(edit->text(), c.kept) << c.name;
        ClickButton(dialog, IDOK);
        EXPECT_EQ(dialog.m_label, c.kept) << c.name;
        EXPECT_LE(ToCodePage(dialog.m_label).size(), std::size_t(kMaxLabelBytes)) << c.name;
    }
}

TEST_F(EditDialogTest, LabelDialogShowsTheFieldsAndRefusesAnUnstorableTextOnOk) {
    m_dialog = FilledLabelDialog();
    auto& dialog = static_cast<CInputLabelDlg&>(*m_dialog);
    dialog.m_label = QString(30, u'x');
    dialog.show();
    EXPECT_EQ(TextOf(dialog, IDC_NUMBER_TEXT), "5");
    EXPECT_EQ(TextOf(dialog, IDC_TYPE_TEXT), "SDI");
    EXPECT_EQ(EditOf(dialog, IDC_LABEL_EDIT)->text(), QString(19, u'x'))
        << "a label that cannot be stored is shown cut";

    EditOf(dialog, IDC_LABEL_EDIT)->setText(QStringLiteral("\u03A9"));
    ClickButton(dialog, IDOK);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.m_label, QString(30, u'x'));

    EditOf(dialog, IDC_LABEL_EDIT)->setText(QStringLiteral("Studio \u00C4"));
    ClickButton(dialog, IDOK);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.m_label, QStringLiteral("Studio \u00C4"));
}

TEST_F(EditDialogTest, SignalDialogListsTheSkinsSignalsWithTheStoredOneSelected) {
    m_dialog = FilledSignalDialog(m_skin);
    auto& dialog = static_cast<COutputSignalDlg&>(*m_dialog);
    dialog.show();
    EXPECT_EQ(Entries(ListOf(dialog, IDC_SIGNAL_LIST)), QStringList({"SDI", "HDMI", "Analog"}));
    EXPECT_EQ(ListOf(dialog, IDC_SIGNAL_LIST)->currentText(), "HDMI");
    EXPECT_EQ(TextOf(dialog, IDC_NUMBER_TEXT), "2");
    EXPECT_EQ(TextOf(dialog, IDC_TYPE_TEXT), "BNC");
    ListOf(dialog, IDC_SIGNAL_LIST)->setCurrentIndex(2);
    ClickButton(dialog, IDOK);
    EXPECT_EQ(dialog.m_signal, 2);
}

TEST_F(EditDialogTest, SignalDialogOkWithoutSelectionKeepsAStoredSignalBeyondTheList) {
    m_dialog = FilledSignalDialog(m_skin);
    auto& dialog = static_cast<COutputSignalDlg&>(*m_dialog);
    dialog.m_signal = 7;
    dialog.show();
    EXPECT_EQ(ListOf(dialog, IDC_SIGNAL_LIST)->currentIndex(), -1);
    ClickButton(dialog, IDOK);
    EXPECT_EQ(dialog.m_signal, 7);
}

TEST_F(EditDialogTest, AudioDialogReadsAndWritesTheSettingByte) {
    m_dialog = FilledAudioDialog();
    auto& dialog = static_cast<CEmbeddedAudioDlg&>(*m_dialog);
    dialog.show();
    EXPECT_EQ(Entries(ListOf(dialog, IDC_GROUP_LIST)), QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(Entries(ListOf(dialog, IDC_INPUTS_LIST)), QStringList({"1", "2"}));
    EXPECT_EQ(ListOf(dialog, IDC_GROUP_LIST)->currentText(), "3");
    EXPECT_EQ(ListOf(dialog, IDC_INPUTS_LIST)->currentText(), "2");
    ClickButton(dialog, IDOK);
    EXPECT_EQ(dialog.Setting(), 5) << "confirming unchanged stores the same byte";

    dialog.SetSetting(0);
    dialog.show();
    ListOf(dialog, IDC_GROUP_LIST)->setCurrentIndex(2);
    ListOf(dialog, IDC_INPUTS_LIST)->setCurrentIndex(1);
    ClickButton(dialog, IDOK);
    EXPECT_EQ(dialog.m_group, 2);
    EXPECT_EQ(dialog.m_stereoPair, 1);
    EXPECT_EQ(dialog.Setting(), 5);
}

TEST_F(EditDialogTest, AudioDialogDropsTheHighBitsOfAStoredByte) {
    CEmbeddedAudioDlg dialog;
    dialog.SetSetting(0xFA);
    dialog.show();
    ClickButton(dialog, IDOK);
    EXPECT_EQ(dialog.Setting(), 0x02);
}

}  // namespace
