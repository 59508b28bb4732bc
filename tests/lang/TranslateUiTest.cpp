#include "base/Settings.h"
#include "lang/ControlId.h"
#include "lang/LanguageManager.h"
#include "support/LanguageTestFiles.h"
#include "lang/gui/TranslateUi.h"
#include "lang/UiText.h"
#include "res/resource.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace langtest;

namespace {

// The global manager, pointed at a temporary program directory holding a
// base file and the translation "Deutsch".
class TranslateUiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        SetAppProfilePath(m_dir.filePath("VKX520Setup.ini"));
        Languages().SetProgramLocation(m_dir.path(), "VKX520Setup");
    }
    void TearDown() override {
        Languages().SetProgramLocation({}, {});
        SetAppProfilePath({});
    }
    void Start(const std::vector<LanguageText>& base, const std::vector<LanguageText>& german,
               const std::vector<LanguageAlias>& aliases = {}) {
        WriteBytes(m_dir.filePath("VKX520Setup.lna"), FileBytes(base, aliases));
        WriteBytes(m_dir.filePath("Deutsch.lng"), FileBytes(german));
        ASSERT_TRUE(Languages().InitLanguages());
    }

    QTemporaryDir m_dir;
};

QAction* AddItem(QMenu* menu, int command, const char* text = "-") {
    QAction* action = menu->addAction(text);
    SetCommandId(action, command);
    return action;
}

// Shaped like menu 128: File, View, Device, "?" with the Language submenu.
struct MainMenu {
    QMenuBar bar;
    QMenu *file, *view, *device, *help, *language;
    QAction *open, *preview, *exit, *sync, *about, *newTranslation;

    MainMenu() {
        file = bar.addMenu("-");
        open = AddItem(file, ID_FILE_OPEN);
        open->setShortcut(QKeySequence("Ctrl+O"));
        for (int id : {ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS}) AddItem(file, id);
        file->addSeparator();
        AddItem(file, ID_FILE_PRINT);
        preview = AddItem(file, ID_FILE_PRINT_PREVIEW);
        file->addSeparator();
        exit = AddItem(file, ID_APP_EXIT);
        view = bar.addMenu("-");
        for (int id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_TOOLTIPS, ID_VIEW_MESSAGES}) AddItem(view, id);
        device = bar.addMenu("-");
        for (int id : {ID_DEVICE_CONNECT, ID_DEVICE_LOAD, ID_DEVICE_WRITE, ID_DEVICE_DISCARD}) AddItem(device, id);
        sync = AddItem(device, ID_DEVICE_SYNC_TIME);
        help = bar.addMenu("-");
        about = AddItem(help, ID_APP_ABOUT);
        help->addSeparator();
        language = help->addMenu("-");
        newTranslation = AddItem(language, ID_LANGUAGE_NEW);
        AddItem(language, ID_LANGUAGE_EDIT);
        language->addSeparator();
        AddItem(language, ID_LANGUAGE_FIRST, "English");
    }
};

TEST_F(TranslateUiTest, MainMenuKeysFollowThePopupOrdinals) {
    // The documented keys of "&Open...\tCtrl+O" and "&Language", written out.
    Start({{0x40000000u + 128u * 1048576u + 1u * 65536u + 57601u, "&Open...\\tCtrl+O"},
           {0x40000000u + 128u * 1048576u + 5u * 65536u, "&Language"}},
          {{MenuKey(IDR_MAINFRAME, 1, 0), "&Datei"},
           {MenuKey(IDR_MAINFRAME, 1, ID_FILE_OPEN), QString::fromUtf8("Ö&ffnen...\\tStrg+O")},
           {MenuKey(IDR_MAINFRAME, 1, ID_FILE_PRINT_PREVIEW), "&Seitenansicht\\tStrg+F2"},
           {MenuKey(IDR_MAINFRAME, 1, ID_APP_EXIT), "&Beenden"},
           {MenuKey(IDR_MAINFRAME, 2, 0), "&Ansicht"},
           {MenuKey(IDR_MAINFRAME, 3, 0), QString::fromUtf8("&Gerät")},
           {MenuKey(IDR_MAINFRAME, 3, ID_DEVICE_SYNC_TIME), "&Zeit stellen"},
           {MenuKey(IDR_MAINFRAME, 4, ID_APP_ABOUT), "&Info..."},
           {MenuKey(IDR_MAINFRAME, 5, 0), "&Sprache"},
           {MenuKey(IDR_MAINFRAME, 5, ID_LANGUAGE_NEW), QString::fromUtf8("&Neue Übersetzung...")}});
    MainMenu menu;
    TranslateMenu(IDR_MAINFRAME, &menu.bar);
    EXPECT_EQ(menu.open->text(), "&Open...");  // its real shortcut is shown by the menu
    EXPECT_EQ(menu.language->title(), "&Language");
    EXPECT_EQ(menu.file->title(), "-");

    ASSERT_TRUE(Languages().SelectLanguage(1));
    TranslateMenu(IDR_MAINFRAME, &menu.bar);
    const std::pair<QString, QString> expected[] = {
        {menu.file->title(), "&Datei"},
        {menu.open->text(), QString::fromUtf8("Ö&ffnen...")},
        {menu.preview->text(), "&Seitenansicht\tStrg+F2"},  // no shortcut: the hint stays for display
        {menu.exit->text(), "&Beenden"},
        {menu.view->title(), "&Ansicht"},
        {menu.device->title(), QString::fromUtf8("&Gerät")},
        {menu.sync->text(), "&Zeit stellen"},
        {menu.help->title(), "-"},
        {menu.about->text(), "&Info..."},
        {menu.language->title(), "&Sprache"},
        {menu.newTranslation->text(), QString::fromUtf8("&Neue Übersetzung...")},
    };
    for (const auto& [actual, want] : expected) EXPECT_EQ(actual, want);
    EXPECT_EQ(menu.open->shortcut(), QKeySequence("Ctrl+O"));
}

TEST_F(TranslateUiTest, ItemsAfterASubmenuCarryItsOrdinal) {
    constexpr int kMenu = 200;
    std::vector<LanguageText> base = {
        {MenuKey(kMenu, 1, 0), "A"},          {MenuKey(kMenu, 1, 1), "a1"},
        {MenuKey(kMenu, 2, 0), "B"},          {MenuKey(kMenu, 2, 2), "b2"},
        {MenuKey(kMenu, 2, 3), "a3 after B"}, {MenuKey(kMenu, 3, 0), "C"},
        {MenuKey(kMenu, 3, 4), "c4"},         {MenuKey(kMenu, 1, 3), "wrong ordinal"},
    };
    Start(base, {});
    QMenu root;
    QMenu* a = root.addMenu("-");
    QAction* a1 = AddItem(a, 1);
    QMenu* b = a->addMenu("-");
    QAction* b2 = AddItem(b, 2);
    QAction* a3 = AddItem(a, 3);
    QAction* noId = a->addAction("keep");
    QMenu* c = root.addMenu("-");
    QAction* c4 = AddItem(c, 4);
    for (int round = 0; round < 2; ++round) {  // the counter starts afresh on every call
        TranslateMenu(kMenu, &root);
        EXPECT_EQ(a->title(), "A");
        EXPECT_EQ(a1->text(), "a1");
        EXPECT_EQ(b->title(), "B");
        EXPECT_EQ(b2->text(), "b2");
        EXPECT_EQ(a3->text(), "a3 after B");
        EXPECT_EQ(noId->text(), "keep");  // would otherwise take the popup's key
        EXPECT_EQ(c->title(), "C");
        EXPECT_EQ(c4->text(), "c4");
    }
}

TEST_F(TranslateUiTest, PopupOrdinalWrapsAtSixteen) {
    Start({{MenuKey(300, 1, 0), "first"}, {MenuKey(300, 16, 0), "sixteenth"}}, {});
    QMenuBar bar;
    std::vector<QMenu*> popups;
    for (int i = 0; i < 17; ++i) popups.push_back(bar.addMenu("-"));
    TranslateMenu(300, &bar);
    EXPECT_EQ(popups[0]->title(), "first");
    EXPECT_EQ(popups[15]->title(), "sixteenth");
    EXPECT_EQ(popups[16]->title(), "first");
    EXPECT_EQ(popups[1]->title(), "-");
}

struct ModuleDialog {
    QDialog dialog;
    QGroupBox* group;
    QLabel *inputs, *twin, *static1, *static2;
    QCheckBox* audio;
    QPushButton* ok;
    QLineEdit* unnamed;

    ModuleDialog() {
        dialog.setWindowTitle("-");
        auto* layout = new QVBoxLayout(&dialog);
        group = new QGroupBox("-");
        auto* inner = new QVBoxLayout(group);
        auto* nested = new QWidget;
        auto* nestedLayout = new QVBoxLayout(nested);
        inputs = new QLabel("-");
        nestedLayout->addWidget(inputs);
        inner->addWidget(nested);
        twin = new QLabel("-");
        audio = new QCheckBox("-");
        static1 = new QLabel("-");
        static2 = new QLabel("-");
        ok = new QPushButton("-");
        unnamed = new QLineEdit("typed");
        for (QWidget* w : std::initializer_list<QWidget*>{group, twin, audio, static1, static2, ok, unnamed})
            layout->addWidget(w);
        const std::pair<QWidget*, int> ids[] = {{group, 1000}, {inputs, 1001},        {twin, 1005},
                                                {audio, 1002}, {static1, IDC_STATIC}, {static2, IDC_STATIC},
                                                {ok, IDOK}};
        for (const auto& [widget, id] : ids) SetControlId(widget, id);
    }
};

TEST_F(TranslateUiTest, DialogCaptionAndControlsAtAnyDepth) {
    const auto key = [](int control) { return DialogControlKey(IDD_MODULE_CONFIG, control); };
    Start({{DialogCaptionKey(IDD_MODULE_CONFIG), "Module"},
           {key(1001), "Inputs:"},
           {key(IDC_STATIC), "Slot"},
           {key(IDOK), "OK"}},
          {{0x80000000u + 130u * 65536u, "Modul"},
           {key(1000), "Einstellungen"},
           {key(1001), "Eingänge:"},
           {key(1002), "Audio"},
           {key(IDC_STATIC_ID), "Steckplatz"}},
          {{key(1005), key(1001)}});
    ModuleDialog d;
    TranslateDialog(IDD_MODULE_CONFIG, &d.dialog);
    EXPECT_EQ(d.dialog.windowTitle(), "Module");
    EXPECT_EQ(d.inputs->text(), "Inputs:");
    EXPECT_EQ(d.twin->text(), "Inputs:");
    EXPECT_EQ(d.group->title(), "-");

    ASSERT_TRUE(Languages().SelectLanguage(1));
    TranslateDialog(IDD_MODULE_CONFIG, &d.dialog);
    const std::pair<QString, QString> expected[] = {
        {d.dialog.windowTitle(), "Modul"},
        {d.group->title(), "Einstellungen"},
        {d.inputs->text(), QString::fromUtf8("Eingänge:")},
        {d.twin->text(), QString::fromUtf8("Eingänge:")},
        {d.audio->text(), "Audio"},
        {d.static1->text(), "Steckplatz"},
        {d.static2->text(), "Steckplatz"},
        {d.ok->text(), "OK"},          // base text: the translation lacks it
        {d.unnamed->text(), "typed"},  // carries no ID
    };
    for (const auto& [actual, want] : expected) EXPECT_EQ(actual, want);
}

TEST_F(TranslateUiTest, WithTranslationOffNothingChanges) {
    ASSERT_FALSE(Languages().InitLanguages());  // no base file in the directory
    MainMenu menu;
    TranslateMenu(IDR_MAINFRAME, &menu.bar);
    ModuleDialog d;
    TranslateDialog(IDD_MODULE_CONFIG, &d.dialog);
    EXPECT_EQ(menu.file->title(), "-");
    EXPECT_EQ(menu.open->text(), "-");
    EXPECT_EQ(d.dialog.windowTitle(), "-");
    EXPECT_EQ(d.inputs->text(), "-");
}

TEST(SetMenuItemText, ShortcutHintKeptOnlyWithoutARealShortcut) {
    QAction plain, withShortcut;
    withShortcut.setShortcut(QKeySequence("Ctrl+S"));
    const struct {
        QAction* action;
        const char* text;
        const char* shown;
    } rows[] = {
        {&plain, "&Save", "&Save"},
        {&plain, "&Save\tCtrl+S", "&Save\tCtrl+S"},
        {&withShortcut, "&Save\tStrg+S", "&Save"},
        {&withShortcut, "&Save", "&Save"},
        {&withShortcut, "\tonly hint", ""},
    };
    for (const auto& row : rows) {
        SetMenuItemText(row.action, row.text);
        EXPECT_EQ(row.action->text(), row.shown) << row.text;
    }
}

}  // namespace
