#include "view/DialogTestSupport.h"

#include "lang/UiText.h"
#include "res/resource.h"
#include "view/DialogUnits.h"
#include "view/EditDialogLogic.h"
#include "view/ModuleConfigDlg.h"

#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

using namespace dialogtest;

namespace {

struct ControlText {
    int id;
    const char* text;
};

struct DialogCase {
    const char* shotName;
    std::function<std::unique_ptr<EditDialog>(const CSkin&)> make;
    int dialogId;
    const char* caption;
    int widthUnits;
    std::vector<ControlText> texts;  // static texts and buttons
    std::vector<int> fields;
};

std::vector<DialogCase> Dialogs() {
    return {
        {"module-config",
         FilledModuleDialog,
         IDD_MODULE_CONFIG,
         "Edit module configuration",
         164,
         {{IDC_ROW1_STATIC, "Module #"},
          {IDC_ROW2_STATIC, "Module type"},
          {IDC_ROW3_STATIC, "Configuration"},
          {IDC_INPUTS_STATIC, "Inputs"},
          {IDOK, "OK"},
          {IDCANCEL, "Cancel"}},
         {IDC_NUMBER_TEXT, IDC_TYPE_TEXT, IDC_CONFIG_LIST, IDC_INPUTS_LIST}},
        {"input-label",
         [](const CSkin&) { return FilledLabelDialog(); },
         IDD_INPUT_LABEL,
         "Edit input label",
         148,
         {{IDC_ROW1_STATIC, "Input #"},
          {IDC_ROW2_STATIC, "Input type"},
          {IDC_ROW3_STATIC, "Label"},
          {IDOK, "OK"},
          {IDCANCEL, "Cancel"}},
         {IDC_NUMBER_TEXT, IDC_TYPE_TEXT, IDC_LABEL_EDIT}},
        {"output-signal",
         FilledSignalDialog,
         IDD_OUTPUT_SIGNAL,
         "Edit output signal",
         164,
         {{IDC_ROW1_STATIC, "Input #"},
          {IDC_ROW2_STATIC, "Output type"},
          {IDC_ROW3_STATIC, "Signal"},
          {IDOK, "OK"},
          {IDCANCEL, "Cancel"}},
         {IDC_NUMBER_TEXT, IDC_TYPE_TEXT, IDC_SIGNAL_LIST}},
        {"embedded-audio",
         [](const CSkin&) { return FilledAudioDialog(); },
         IDD_EMBEDDED_AUDIO,
         "Edit embedded audio channel",
         164,
         {{IDC_ROW1_STATIC, "Input #"},
          {IDC_ROW2_STATIC, "Input type"},
          {IDC_ROW3_STATIC, "Group"},
          {IDC_INPUTS_STATIC, "Stereo pair"},
          {IDOK, "OK"},
          {IDCANCEL, "Cancel"}},
         {IDC_NUMBER_TEXT, IDC_TYPE_TEXT, IDC_GROUP_LIST, IDC_INPUTS_LIST}},
    };
}

std::set<int> CarriedIds(const QWidget& dialog) {
    std::set<int> ids;
    for (const QWidget* child : dialog.findChildren<QWidget*>()) {
        const QVariant id = child->property("vkxControlId");
        if (id.isValid()) ids.insert(id.toInt());
    }
    return ids;
}

// Every visible control lies inside the dialog, overlaps no other and shows
// its whole text.
void ExpectTidy(const QWidget& dialog, const char* name) {
    std::vector<const QWidget*> shown;
    for (const QWidget* child : dialog.findChildren<QWidget*>())
        if (child->isVisible() && child->property("vkxControlId").isValid()) shown.push_back(child);
    const auto idOf = [](const QWidget* control) { return control->property("vkxControlId").toInt(); };
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const QRect box = shown[i]->geometry();
        const int id = idOf(shown[i]);
        EXPECT_TRUE(dialog.rect().contains(box)) << name << ": control " << id << " sticks out";
        EXPECT_GE(box.width(), shown[i]->sizeHint().width()) << name << ": control " << id << " is cut";
        for (std::size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE(box.intersects(shown[j]->geometry()))
                << name << ": controls " << id << " and " << idOf(shown[j]) << " overlap";
    }
}

// A translation into a wordier language, as TranslateDialog would apply it.
void ApplyLongTexts(EditDialog& dialog, const DialogCase& c) {
    dialog.setWindowTitle(QStringLiteral("%1 (ausführliche Übersetzung)").arg(c.caption));
    for (const ControlText& t : c.texts)
        dialog.Control(t.id)->setProperty("text", QStringLiteral("Übersetzter Text für %1").arg(t.text));
    dialog.layout()->activate();
}

void SaveShot(QWidget& dialog, const QString& name) {
    const QString dir = qEnvironmentVariable("VKX_DIALOG_SHOTS");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    EXPECT_TRUE(dialog.grab().save(QDir(dir).filePath(name + ".png"))) << name.toStdString();
}

class DialogLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { m_skin.LoadSkinData(kSkinXml, QString()); }
    CSkin m_skin;
};

TEST_F(DialogLayoutTest, EveryControlCarriesItsResourceIdAndText) {
    for (const DialogCase& c : Dialogs()) {
        const auto dialog = c.make(m_skin);
        dialog->show();
        EXPECT_EQ(dialog->DialogId(), c.dialogId);
        EXPECT_EQ(dialog->windowTitle(), c.caption);
        std::set<int> expected(c.fields.begin(), c.fields.end());
        for (const ControlText& t : c.texts) {
            expected.insert(t.id);
            ASSERT_NE(dialog->Control(t.id), nullptr) << c.caption << " " << t.id;
            EXPECT_EQ(TextOf(*dialog, t.id), t.text) << c.caption;
        }
        EXPECT_EQ(CarriedIds(*dialog), expected) << c.caption;
        for (int id : expected) EXPECT_EQ(dialog->Control(id)->property("vkxControlId").toInt(), id) << c.caption;
        EXPECT_TRUE(qobject_cast<QPushButton*>(dialog->Control(IDOK))->isDefault()) << c.caption;
    }
}

TEST_F(DialogLayoutTest, SizedInDialogUnitsAndTidyWithLongTranslations) {
    for (const DialogCase& c : Dialogs()) {
        const auto dialog = c.make(m_skin);
        dialog->show();
        const DialogUnits du(dialog->font());
        EXPECT_GE(dialog->width(), du.X(c.widthUnits)) << c.caption;
        EXPECT_LE(dialog->width(), du.X(c.widthUnits) * 5 / 4) << c.caption << ": no needless room";
        ExpectTidy(*dialog, c.caption);
        SaveShot(*dialog, c.shotName);

        const int plainWidth = dialog->width();
        ApplyLongTexts(*dialog, c);
        EXPECT_GT(dialog->width(), plainWidth) << c.caption;
        ExpectTidy(*dialog, c.caption);
        SaveShot(*dialog, QStringLiteral("%1-long-texts").arg(c.shotName));
    }
}

TEST_F(DialogLayoutTest, OutputModuleDialogClosesUpTheHiddenRow) {
    const auto inputModule = FilledModuleDialog(m_skin);
    inputModule->show();
    const auto outputModule = FilledModuleDialog(m_skin);
    auto& dialog = static_cast<CModuleConfigDlg&>(*outputModule);
    dialog.m_moduleType = m_skin.modules().back().m_type;
    dialog.m_configNames = SkinConfigNames(m_skin.modules().back());
    dialog.m_inputRanges.clear();
    dialog.m_configIndex = 0;
    dialog.m_inputsIndex = 0;
    dialog.m_hideInputs = true;
    dialog.show();
    const DialogUnits du(dialog.font());
    EXPECT_LE(dialog.height(), inputModule->height() - du.Y(12));
    ExpectTidy(dialog, "output module");
    SaveShot(dialog, "module-config-output");
}

}  // namespace
