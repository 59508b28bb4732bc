#include "tools/langgen/UiTextWalk.h"

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "base/Settings.h"
#include "lang/ControlId.h"
#include "lang/gui/EditTranslationDlg.h"
#include "lang/LanguageManager.h"
#include "lang/StringTable.h"
#include "link/gui/CDlgOper.h"
#include "link/gui/PortsDlg.h"
#include "model/CMainDoc.h"
#include "res/resource.h"
#include "view/CompareDlg.h"
#include "view/EmbeddedAudioDlg.h"
#include "view/InputLabelDlg.h"
#include "view/ModuleConfigDlg.h"
#include "view/OutputSignalDlg.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QMetaProperty>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace langgen {
namespace {

// The base language's name is shown as it is in every language, and the
// document template strings never reach the screen.
constexpr unsigned kUntranslatedStrings[] = {IDS_BASE_LANGUAGE, IDR_MAINFRAME};

// Controls the dialog fills at run time, after translating itself: the
// About box's build date and the operation dialog's status line.
struct DialogControl {
    int dialogId;
    int controlId;
};
constexpr DialogControl kRunTimeControls[] = {{IDD_ABOUTBOX, IDC_BUILD_DATE}, {IDD_OPERATION, IDC_OPER_STATUS}};

bool IsRunTimeControl(int dialogId, int controlId) {
    return std::any_of(std::begin(kRunTimeControls), std::end(kRunTimeControls),
                       [&](const DialogControl& c) { return c.dialogId == dialogId && c.controlId == controlId; });
}

// The ports dialog as it would show with no port found.
class NoPorts : public PortDiscovery {
public:
    QList<SerialPortRecord> AvailablePorts() override { return {}; }
};

bool IsLanguageItem(int command) { return command >= ID_LANGUAGE_FIRST && command <= ID_LANGUAGE_LAST; }

// Placeholders such as "-" are replaced before anyone sees them.
bool HasWords(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

// The text TranslateDialog would replace: a group box's title, otherwise a
// writable "text" property; null for controls without one.
QString ControlText(const QWidget* control) {
    if (const auto* group = qobject_cast<const QGroupBox*>(control)) return group->title();
    const QMetaObject* meta = control->metaObject();
    const int index = meta->indexOfProperty("text");
    if (index < 0 || !meta->property(index).isWritable()) return {};
    return control->property("text").toString();
}

void WalkMenuItems(unsigned menuId, const QList<QAction*>& actions, uint16_t& popupCounter, UiTextWalk& walk) {
    for (const QAction* action : actions) {
        if (action->isSeparator()) continue;
        const QMenu* popup = action->menu();
        const int command = popup ? 0 : CommandId(action);
        if (!popup && (command == 0 || IsLanguageItem(command))) continue;
        if (popup) ++popupCounter;
        walk.Add(MenuKey(menuId, popupCounter, unsigned(command)), action->text());
        if (popup) WalkMenuItems(menuId, popup->actions(), popupCounter, walk);
    }
}

// Translation on, nothing translated: the program shows its own texts and
// keeps its Language submenu.
class EmptyBaseLanguage {
public:
    EmptyBaseLanguage() {
        SetAppProfilePath(m_dir.filePath(QStringLiteral("langgen.ini")));
        QFile base(m_dir.filePath(QStringLiteral("langgen.lna")));
        if (base.open(QIODevice::WriteOnly)) base.write(LanguageTable().Serialize());
        base.close();
        Languages().SetProgramLocation(m_dir.path(), QStringLiteral("langgen"));
        Languages().InitLanguages();
    }
    ~EmptyBaseLanguage() {
        Languages().Reset();
        SetAppProfilePath({});
    }
    EmptyBaseLanguage(const EmptyBaseLanguage&) = delete;
    EmptyBaseLanguage& operator=(const EmptyBaseLanguage&) = delete;

private:
    QTemporaryDir m_dir;
};

void WalkFrameMenu(UiTextWalk& walk) {
    CMainDoc doc;
    CMainFrame frame(&doc);
    WalkMenu(IDR_MAINFRAME, frame.menuBar(), walk);
}

void WalkDialogs(UiTextWalk& walk) {
    WalkDialog(IDD_ABOUTBOX, std::make_unique<CAboutDlg>().get(), walk);
    WalkDialog(IDD_MODULE_CONFIG, std::make_unique<CModuleConfigDlg>().get(), walk);
    WalkDialog(IDD_INPUT_LABEL, std::make_unique<CInputLabelDlg>().get(), walk);
    WalkDialog(IDD_OPERATION, std::make_unique<CDlgOper>().get(), walk);
    WalkDialog(IDD_OUTPUT_SIGNAL, std::make_unique<COutputSignalDlg>().get(), walk);
    const LanguageTable empty;
    WalkDialog(IDD_EDIT_TRANSLATION, std::make_unique<CEditTranslationDlg>(empty, empty).get(), walk);
    WalkDialog(IDD_EMBEDDED_AUDIO, std::make_unique<CEmbeddedAudioDlg>().get(), walk);
    WalkDialog(IDD_COMPARE, std::make_unique<CompareDlg>().get(), walk);
    NoPorts noPorts;
    WalkDialog(IDD_SERIAL_PORTS, std::make_unique<PortsDlg>(noPorts).get(), walk);
}

}  // namespace

void UiTextWalk::Add(TranslationKey key, const QString& text) {
    if (!HasWords(text) || std::find(ambiguous.begin(), ambiguous.end(), key) != ambiguous.end()) return;
    const auto same = std::find_if(texts.begin(), texts.end(), [key](const WalkedText& t) { return t.key == key; });
    if (same == texts.end()) {
        texts.push_back({key, text});
    } else if (same->text != text) {
        texts.erase(same);
        ambiguous.push_back(key);
    }
}

void WalkStringTable(UiTextWalk& walk) {
    for (const StringTableEntry* e = StringTableBegin(); e != StringTableEnd(); ++e) {
        if (std::find(std::begin(kUntranslatedStrings), std::end(kUntranslatedStrings), e->id) !=
            std::end(kUntranslatedStrings))
            continue;
        walk.Add(StringKey(e->id), QString::fromUtf8(e->text));
    }
}

void WalkMenu(int menuId, const QMenuBar* menuBar, UiTextWalk& walk) {
    uint16_t popupCounter = 0;
    WalkMenuItems(unsigned(menuId), menuBar->actions(), popupCounter, walk);
}

void WalkDialog(int dialogId, const QWidget* dialog, UiTextWalk& walk) {
    walk.Add(DialogCaptionKey(unsigned(dialogId)), dialog->windowTitle());
    const QList<QWidget*> children = dialog->findChildren<QWidget*>();
    for (const QWidget* child : children) {
        const int id = ControlId(child);
        if (id != 0 && !IsRunTimeControl(dialogId, id))
            walk.Add(DialogControlKey(unsigned(dialogId), id), ControlText(child));
    }
}

UiTextWalk WalkProgramTexts() {
    UiTextWalk walk;
    {
        const EmptyBaseLanguage ownTexts;
        WalkFrameMenu(walk);
        WalkDialogs(walk);
    }
    WalkStringTable(walk);
    return walk;
}

}  // namespace langgen
