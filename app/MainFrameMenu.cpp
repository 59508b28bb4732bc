// Menu 128 and its accelerators.
#include "app/CommandIcons.h"
#include "app/CommandTexts.h"
#include "app/MainFrame.h"
#include "res/resource.h"

#include <QAction>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QStatusBar>
#include <string_view>
#include <vector>

namespace {

constexpr int kPopup = -1;     // opens a popup with the given text
constexpr int kPopupEnd = -2;  // closes the innermost popup
constexpr int kSeparator = 0;

struct MenuItem {
    int id;
    const char* text;
};

constexpr MenuItem kMainMenu[] = {
    {kPopup, "&File"},
    {ID_FILE_OPEN, "&Open...\tCtrl+O"},
    {ID_FILE_OPEN_BACKUP, "Open &backup..."},
    {ID_FILE_SAVE, "&Save\tCtrl+S"},
    {ID_FILE_SAVE_AS, "Save &As..."},
    {ID_FILE_CLOSE, "&Close"},
    {ID_FILE_COMPARE, "Co&mpare with..."},
    {ID_FILE_EXPORT_LABELS, "Export &labels..."},
    {ID_FILE_IMPORT_LABELS, "&Import labels..."},
    {kSeparator, ""},
    {ID_FILE_PRINT, "&Print...\tCtrl+P"},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view"},
    {ID_FILE_PRINT_SETUP, "P&rint Setup..."},
    {kSeparator, ""},
    {ID_APP_EXIT, "E&xit"},
    {kPopupEnd, ""},
    {kPopup, "&View"},
    {ID_VIEW_TOOLBAR, "&Toolbar"},
    {ID_VIEW_STATUS_BAR, "&Status bar"},
    {ID_VIEW_TOOLTIPS, "Too&ltips"},
    {ID_VIEW_MESSAGES, "Notification &messages"},
    {ID_VIEW_VERIFY_WRITE, "&Verify after writing"},
    {kSeparator, ""},
    {ID_VIEW_ZOOM_IN, "Zoom &in\tCtrl+="},
    {ID_VIEW_ZOOM_OUT, "Zoom &out\tCtrl+-"},
    {ID_VIEW_ZOOM_RESET, "&Actual size\tCtrl+0"},
    {ID_VIEW_ZOOM_FIT, "&Fit to window"},
    {kPopupEnd, ""},
    {kPopup, "&Device"},
    {ID_DEVICE_CONNECT, "&Connect..."},
    {ID_DEVICE_LOAD, "&Load configuration"},
    {ID_DEVICE_WRITE, "&Write configuration"},
    {ID_DEVICE_DISCARD, "&Discard changes"},
    {kSeparator, ""},
    {ID_DEVICE_SYNC_TIME, "&Synchronize time..."},
    {kSeparator, ""},
    {ID_DEVICE_PORTS, "Serial &ports..."},
    {kPopupEnd, ""},
    {kPopup, "&?"},
    {ID_APP_ABOUT, "&About..."},
    {kSeparator, ""},
    {kPopup, "&Language"},
    {ID_LANGUAGE_NEW, "&New translation..."},
    {ID_LANGUAGE_EDIT, "&Edit translation..."},
    {kSeparator, ""},
    {kPopupEnd, ""},
    {kPopupEnd, ""},
};

// Accelerator table 128.
struct Accelerator {
    int id;
    QKeyCombination keys;
};
// One accelerator a line.
// clang-format off
const Accelerator kAccelerators[] = {
    {ID_FILE_OPEN, Qt::CTRL | Qt::Key_O},
    {ID_FILE_SAVE, Qt::CTRL | Qt::Key_S},
    {ID_FILE_PRINT, Qt::CTRL | Qt::Key_P},
    {ID_VIEW_ZOOM_IN, Qt::CTRL | Qt::Key_Equal},
    {ID_VIEW_ZOOM_OUT, Qt::CTRL | Qt::Key_Minus},
    {ID_VIEW_ZOOM_RESET, Qt::CTRL | Qt::Key_0},
};
// clang-format on

// Commands outside the menu (no popup may be added: the stored translations
// count them): on the toolbar, with their keys working in the whole window.
struct WindowCommand {
    int id;
    QList<QKeySequence> keys;
};
const WindowCommand kWindowCommands[] = {
    {ID_EDIT_UNDO, {QKeySequence(Qt::CTRL | Qt::Key_Z)}},
    {ID_EDIT_REDO, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}},
};

// Commands shown with a check mark.
constexpr int kCheckCommands[] = {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_TOOLTIPS, ID_VIEW_MESSAGES,
                                  ID_VIEW_VERIFY_WRITE};

constexpr const char* kResourceText = "vkxResourceText";

}  // namespace

QMenu* CMainFrame::AddPopup(QMenu* parent, const QString& text) {
    QMenu* popup = parent ? parent->addMenu(text) : menuBar()->addMenu(text);
    popup->menuAction()->setProperty(kResourceText, text);
    popup->installEventFilter(this);
    connect(popup, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    connect(popup, &QMenu::aboutToHide, this, [this] { ShowPrompt(nullptr); });
    return popup;
}

void CMainFrame::BuildMenuBar() {
    std::vector<QMenu*> open;
    for (const MenuItem& item : kMainMenu) {
        const QString text = QString::fromUtf8(item.text);
        if (item.id == kPopup) {
            open.push_back(AddPopup(open.empty() ? nullptr : open.back(), text));
            if (item.text == std::string_view("&?")) m_helpMenu = open.back();
            if (item.text == std::string_view("&Language")) m_languageMenu = open.back();
        } else if (item.id == kPopupEnd) {
            open.pop_back();
        } else if (item.id == kSeparator) {
            open.back()->addSeparator();
        } else {
            AddCommandItem(open.back(), item.id, text);
        }
    }
    for (const Accelerator& accel : kAccelerators) m_actions[accel.id]->setShortcut(QKeySequence(accel.keys));
    for (int id : kCheckCommands) m_actions[id]->setCheckable(true);
    for (const WindowCommand& command : kWindowCommands)
        AddCommandItem(nullptr, command.id, CommandToolTip(command.id))->setShortcuts(command.keys);
}

void CMainFrame::RetextWindowCommands() {
    for (const WindowCommand& command : kWindowCommands) m_actions[command.id]->setText(CommandToolTip(command.id));
}

QAction* CMainFrame::AddCommandItem(QMenu* menu, int commandId, const QString& text) {
    RemoveCommandItem(commandId);
    auto* action = new QAction(text, this);
    action->setProperty("vkxCommandId", commandId);
    action->setProperty(kResourceText, text);
    action->setStatusTip(GetMessageString(commandId));
    action->setIcon(CommandIcon(commandId));
    action->setIconVisibleInMenu(false);
    action->setEnabled(m_handlers.count(commandId) != 0);
    connect(action, &QAction::triggered, this, [this, commandId] { ExecuteCommand(commandId); });
    if (menu)
        menu->addAction(action);
    else
        addAction(action);
    m_actions[commandId] = action;
    return action;
}

bool CMainFrame::RemoveCommandItem(int commandId) {
    const auto it = m_actions.find(commandId);
    if (it == m_actions.end()) return false;
    delete it->second;  // also takes it out of every menu and toolbar
    m_actions.erase(it);
    return true;
}

void CMainFrame::ShowStatusNote(const QString& text) {
    constexpr int kNoteMs = 30000;
    statusBar()->showMessage(text, kNoteMs);
}

void CMainFrame::ShowPrompt(const QAction* item) {
    const int id = item && !item->menu() ? item->property("vkxCommandId").toInt() : 0;
    const QString prompt = GetMessageString(id);
    if (prompt.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(prompt);
}

// Qt gives status tips only for enabled menu items; the prompt of a disabled
// command says just as well what it would do, so menus report every item.
bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu && event->type() == QEvent::MouseMove) {
        ShowPrompt(menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
    } else if (menu && event->type() == QEvent::KeyPress) {
        // The highlight moves after the key is handled.
        QMetaObject::invokeMethod(
            this,
            [this, menu = QPointer<QMenu>(menu)] {
                if (menu && menu->isVisible()) ShowPrompt(menu->activeAction());
            },
            Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::RestoreMenuTexts() {
    for (auto& [id, action] : m_actions) action->setText(action->property(kResourceText).toString());
    const QList<QMenu*> popups = menuBar()->findChildren<QMenu*>();
    for (QMenu* popup : popups) {
        const QVariant text = popup->menuAction()->property(kResourceText);
        if (text.isValid()) popup->menuAction()->setText(text.toString());
    }
}
