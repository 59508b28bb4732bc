// Double clicks on the running program's view: which edit dialog opens, what
// it is filled with, and what its answer changes in the document, with the
// dialogs answered by the test.
#include "MouseRig.h"

#include "res/resource.h"
#include "view/EmbeddedAudioDlg.h"
#include "view/InputLabelDlg.h"
#include "view/ModuleConfigDlg.h"
#include "view/OutputSignalDlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace mousetest;

namespace {

QComboBox* ListOf(const EditDialog& dialog, int id) { return qobject_cast<QComboBox*>(dialog.Control(id)); }
QString TextOf(const EditDialog& dialog, int id) { return dialog.Control(id)->property("text").toString(); }

QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
    return entries;
}

int AreasWithText(const CMainView& view, unsigned textId) {
    int count = 0;
    for (const ToolArea& area : view.ToolTips().Areas()) count += area.textId == textId ? 1 : 0;
    return count;
}

ConfigImage WithInputModule(int slot, int code, int count) {
    ConfigImage image = viewtest::DemoImage();
    image.inputModules[slot] = {uint8_t(code), uint8_t(count)};
    StoreBlockCrc(image, kInputTableBlock);
    return image;
}

TEST(MouseDialogs, ModuleDialogRefillsTheInputCountsAndItsAnswerIsApplied) {
    MouseRig rig;
    ASSERT_TRUE(rig.ConnectTo(WithInputModule(0, 18, 4)));  // SD-SDI, 2..8 inputs, 4 in use
    DialogScript dialogs(rig.v());
    QStringList offered, refilled;
    QString opened, afterChange;
    dialogs.answer = [&](EditDialog& dialog) {
        auto& module = static_cast<CModuleConfigDlg&>(dialog);
        EXPECT_EQ(TextOf(module, IDC_NUMBER_TEXT), "1");
        EXPECT_EQ(TextOf(module, IDC_TYPE_TEXT), "SDI input");
        EXPECT_EQ(ListOf(module, IDC_CONFIG_LIST)->currentText(), "SD-SDI, 8 inputs");
        offered = Entries(ListOf(module, IDC_INPUTS_LIST));
        opened = ListOf(module, IDC_INPUTS_LIST)->currentText();
        ListOf(module, IDC_CONFIG_LIST)->setCurrentIndex(1);  // 3G-SDI, 1..4 inputs
        refilled = Entries(ListOf(module, IDC_INPUTS_LIST));
        afterChange = ListOf(module, IDC_INPUTS_LIST)->currentText();
        return Confirm(module);
    };
    DoubleClick(rig.v(), ClientBody(rig.v(), kSdi));
    ASSERT_EQ(dialogs.opened, std::vector<int>{IDD_MODULE_CONFIG});
    EXPECT_EQ(offered, QStringList({"2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(opened, "4");
    EXPECT_EQ(refilled, QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(afterChange, "4");

    EXPECT_EQ(rig.doc().GetModuleCode(0), 17);
    EXPECT_EQ(rig.doc().GetInputCount(0), 4);
    EXPECT_EQ(rig.v().Layout().items()[kSdi].configIndex, 1);
    EXPECT_EQ(rig.v().Selection().selItem, kSdi);
    EXPECT_EQ(rig.v().Selection().selSubItem, -1);
    EXPECT_EQ(rig.CountMessages(IDS_CHANGE_NOTICE), 1);
}

TEST(MouseDialogs, CancelledModuleDialogChangesNothingAndDoesNotRedraw) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    Click(rig.v(), ClientBody(rig.v(), kAnalog));
    PaintCounter paints(rig.v().viewport());
    paints.Take();
    DialogScript dialogs(rig.v());
    dialogs.answer = [](EditDialog& dialog) {
        ListOf(dialog, IDC_CONFIG_LIST)->setCurrentIndex(2);
        dialog.reject();
        return IDCANCEL;
    };
    DoubleClick(rig.v(), ClientBody(rig.v(), kAnalog));
    EXPECT_EQ(dialogs.opened.size(), 1u);
    EXPECT_EQ(rig.doc().GetModuleCode(1), 48);
    EXPECT_EQ(paints.Take(), 0);
    EXPECT_FALSE(rig.doc().configModified());
}

TEST(MouseDialogs, OutputModuleDialogHidesTheInputsAndSetsTheCode) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    DialogScript dialogs(rig.v());
    bool inputsHidden = false;
    dialogs.answer = [&](EditDialog& dialog) {
        inputsHidden = dialog.Control(IDC_INPUTS_LIST)->isHidden() && dialog.Control(IDC_INPUTS_STATIC)->isHidden();
        ListOf(dialog, IDC_CONFIG_LIST)->setCurrentIndex(1);
        return Confirm(dialog);
    };
    DoubleClick(rig.v(), ClientBody(rig.v(), kSdiOut));
    EXPECT_EQ(dialogs.opened, std::vector<int>{IDD_MODULE_CONFIG});
    EXPECT_TRUE(inputsHidden);
    EXPECT_EQ(rig.doc().GetOutputModuleCode(1), 129);
    EXPECT_EQ(rig.v().Layout().items()[kSdiOut].configIndex, 1);
}

TEST(MouseDialogs, RaisingTheInputCountPastSixteenRebuildsTheTooltipsAndWarns) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    // SDI 8, analog 4, computer 2, panel inputs 8..13.
    ASSERT_EQ(AreasWithText(rig.v(), IDS_TIP_INPUT), 20);
    DialogScript dialogs(rig.v());
    dialogs.answer = [](EditDialog& dialog) {
        ListOf(dialog, IDC_INPUTS_LIST)->setCurrentIndex(7);  // 8 inputs: 18 in all
        return Confirm(dialog);
    };
    DoubleClick(rig.v(), ClientBody(rig.v(), kAnalog));
    EXPECT_EQ(rig.doc().GetTotalInputs(true), 18);
    EXPECT_EQ(rig.CountMessages(IDS_INPUT_LIMIT), 1);
    // Tooltips rebuilt: SDI 8, analog 8, the computer's two beyond the 16, panel inputs 8..15.
    EXPECT_EQ(AreasWithText(rig.v(), IDS_TIP_INPUT), 24);
}

TEST(MouseDialogs, EmbeddedAudioByte5OpensAsGroup3Pair2AndIsStoredBack) {
    MouseRig rig;
    ConfigImage image = viewtest::DemoImage();
    image.audioTable[0][2] = 5;
    ASSERT_TRUE(rig.ConnectTo(image));
    ASSERT_EQ(rig.doc().GetAudioSetting(0, 2), 5);
    DialogScript dialogs(rig.v());
    int group = -1, pair = -1;
    QString number, type;
    dialogs.answer = [&](EditDialog& dialog) {
        group = ListOf(dialog, IDC_GROUP_LIST)->currentIndex();
        pair = ListOf(dialog, IDC_INPUTS_LIST)->currentIndex();
        number = TextOf(dialog, IDC_NUMBER_TEXT);
        type = TextOf(dialog, IDC_TYPE_TEXT);
        return Confirm(dialog);
    };
    const QPoint channel = ClientCentre(rig.v(), kSdi, SUBITEM_AUDIO + 2);
    DoubleClick(rig.v(), channel);
    ASSERT_EQ(dialogs.opened, std::vector<int>{IDD_EMBEDDED_AUDIO});
    EXPECT_EQ(group, 2);
    EXPECT_EQ(pair, 1);
    EXPECT_EQ(number, "3");
    EXPECT_EQ(type, "SDI embedded audio");
    EXPECT_EQ(rig.doc().GetAudioSetting(0, 2), 5);
    EXPECT_FALSE(rig.doc().configModified());
    EXPECT_EQ(rig.CountMessages(IDS_CHANGE_NOTICE), 0);

    dialogs.answer = [](EditDialog& dialog) {
        ListOf(dialog, IDC_GROUP_LIST)->setCurrentIndex(3);
        ListOf(dialog, IDC_INPUTS_LIST)->setCurrentIndex(0);
        return Confirm(dialog);
    };
    PaintCounter paints(rig.v().viewport());
    paints.Take();
    DoubleClick(rig.v(), channel);
    EXPECT_EQ(rig.doc().GetAudioSetting(0, 2), 6);
    EXPECT_TRUE(rig.doc().configModified()) << "an audio change is a change to write";
    // It is not part of the drawing: no redraw and no change notice.
    EXPECT_EQ(paints.Take(), 0);
    EXPECT_EQ(rig.CountMessages(IDS_CHANGE_NOTICE), 0);
}

TEST(MouseDialogs, FallBackModulesOnlyWarn) {
    MouseRig rig;
    ConfigImage image = WithInputModule(1, 99, 4);
    image.outputModules[1].code = 200;
    StoreBlockCrc(image, kOutputTableBlock);
    ASSERT_TRUE(rig.ConnectTo(image));
    ASSERT_EQ(rig.v().Layout().items()[kAnalog].config()->m_id, SKIN_ID_UNKNOWN_INPUT);
    ASSERT_EQ(rig.v().Layout().items()[kSdiOut].config()->m_id, SKIN_ID_UNKNOWN_OUTPUT);
    rig.presenter->Clear();
    DialogScript dialogs(rig.v());
    dialogs.answer = Confirm;
    for (int item : {int(kAnalog), int(kSdiOut)}) {
        DoubleClick(rig.v(), ClientBody(rig.v(), item));
        EXPECT_EQ(rig.v().Selection().selItem, item);
    }
    EXPECT_TRUE(dialogs.opened.empty());
    EXPECT_EQ(rig.presenter->ids(), (std::vector<unsigned>{IDS_UNKNOWN_MODULE, IDS_UNKNOWN_MODULE}));
    EXPECT_EQ(rig.presenter->messages()[0].style & MB_ICONEXCLAMATION, unsigned(MB_ICONEXCLAMATION));
    EXPECT_EQ(rig.doc().GetModuleCode(1), 99);
    EXPECT_FALSE(rig.doc().configModified());
}

TEST(MouseDialogs, DoubleClickOnADisabledSubItemSelectsTheBodyUnderIt) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    DialogScript dialogs(rig.v());
    dialogs.answer = Confirm;
    // Panel input 3 stands for embedded audio: the panel as a whole is picked.
    DoubleClick(rig.v(), ClientCentre(rig.v(), kPanel, 3));
    EXPECT_EQ(rig.v().Selection().selItem, kPanel);
    EXPECT_EQ(rig.v().Selection().selSubItem, -1);
    EXPECT_TRUE(dialogs.opened.empty());
    // Analog input 6 is not in use: the module's plate under it, the module as a whole.
    DoubleClick(rig.v(), ClientCentre(rig.v(), kAnalog, 6));
    EXPECT_EQ(rig.v().Selection().selItem, kAnalog);
    EXPECT_EQ(rig.v().Selection().selSubItem, -1);
    EXPECT_EQ(dialogs.opened, std::vector<int>{IDD_MODULE_CONFIG});
    // Keys and the card open nothing.
    DoubleClick(rig.v(), ClientCentre(rig.v(), kKeys, 2));
    DoubleClick(rig.v(), ClientCentre(rig.v(), kCard, SUBITEM_WHOLE));
    EXPECT_EQ(dialogs.opened, std::vector<int>{IDD_MODULE_CONFIG});
}

// Types a label into the label dialog and confirms it, noting what it showed.
struct LabelAnswer {
    explicit LabelAnswer(QString text) : typed(std::move(text)) {}
    QString typed;
    QString number, type, shown;
    int operator()(EditDialog& dialog) {
        number = TextOf(dialog, IDC_NUMBER_TEXT);
        type = TextOf(dialog, IDC_TYPE_TEXT);
        auto* edit = qobject_cast<QLineEdit*>(dialog.Control(IDC_LABEL_EDIT));
        shown = edit->text();
        edit->setText(typed);
        return Confirm(dialog);
    }
};

TEST(MouseDialogs, LabelDialogsStoreNewLabels) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    DialogScript dialogs(rig.v());
    auto answer = std::make_shared<LabelAnswer>(QStringLiteral("Bühne"));
    dialogs.answer = [answer](EditDialog& dialog) { return (*answer)(dialog); };
    PaintCounter paints(rig.v().viewport());
    paints.Take();
    DoubleClick(rig.v(), ClientCentre(rig.v(), kPanel, 10));
    EXPECT_EQ(answer->number, "11");
    EXPECT_EQ(answer->shown, "A11");
    EXPECT_EQ(answer->type, "Analog audio input");
    EXPECT_EQ(rig.doc().GetPanelLabel(10, true), "B\xFChne") << "stored in Windows-1252";
    EXPECT_GT(paints.Take(), 0);

    answer->typed = QStringLiteral("Camera");
    DoubleClick(rig.v(), ClientCentre(rig.v(), kAnalog, 1));
    EXPECT_EQ(answer->number, "10");
    EXPECT_EQ(answer->shown, "IN10");
    EXPECT_EQ(answer->type, "Composite PAL input");
    EXPECT_EQ(rig.doc().GetInputLabel(9, true), "Camera");
    EXPECT_EQ(dialogs.opened, (std::vector<int>{IDD_INPUT_LABEL, IDD_INPUT_LABEL}));
}

TEST(MouseDialogs, ADuplicateLabelIsRefusedWithItsMessage) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.doc().SetInputLabel(8, "Camera"));
    ASSERT_TRUE(rig.doc().SetPanelLabel(9, "Desk"));
    rig.presenter->Clear();
    DialogScript dialogs(rig.v());
    auto answer = std::make_shared<LabelAnswer>(QStringLiteral("Camera"));
    dialogs.answer = [answer](EditDialog& dialog) { return (*answer)(dialog); };
    DoubleClick(rig.v(), ClientCentre(rig.v(), kAnalog, 1));
    answer->typed = QStringLiteral("Desk");
    DoubleClick(rig.v(), ClientCentre(rig.v(), kPanel, 10));
    ASSERT_EQ(rig.presenter->ids(), (std::vector<unsigned>{IDS_DUPLICATE_LABEL, IDS_DUPLICATE_LABEL}));
    for (const RecordedMessage& message : rig.presenter->messages()) {
        EXPECT_EQ(message.text, "This input name already exists!");
        EXPECT_TRUE(message.style & MB_ICONEXCLAMATION);
    }
    EXPECT_EQ(rig.doc().GetInputLabel(9, true), "");
    EXPECT_EQ(rig.doc().GetPanelLabel(10, true), "");
    EXPECT_EQ(rig.doc().GetInputLabel(8, true), "Camera");
}

TEST(MouseDialogs, OutputSignalDialogSetsTheSignal) {
    MouseRig rig;
    ASSERT_TRUE(rig.Connect());
    DialogScript dialogs(rig.v());
    QString number;
    int opened = -1;
    dialogs.answer = [&](EditDialog& dialog) {
        number = TextOf(dialog, IDC_NUMBER_TEXT);
        opened = ListOf(dialog, IDC_SIGNAL_LIST)->currentIndex();
        ListOf(dialog, IDC_SIGNAL_LIST)->setCurrentIndex(5);
        return Confirm(dialog);
    };
    DoubleClick(rig.v(), ClientCentre(rig.v(), kHdmiOut, 2));
    EXPECT_EQ(dialogs.opened, std::vector<int>{IDD_OUTPUT_SIGNAL});
    EXPECT_EQ(number, "3");
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(rig.doc().GetOutputSignal(0, 2), 5);
    EXPECT_EQ(rig.CountMessages(IDS_CHANGE_NOTICE), 1);
}

}  // namespace
