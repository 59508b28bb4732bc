// The program's one top-level window: menu 128, the toolbar with the port
// selector, the status bar with prompts and key indicators, and the view as
// central widget. It keeps its placement and bar visibility in the settings and
// its title in step with the document's file.
//
// Commands are QActions carrying their command ID (property "vkxCommandId").
// The frame wires the handlers and enabling rules of the command groups
// (SetCommands) and of its own commands and the language menu with
// SetCommandHandler; a command nobody handles stays disabled. Enabling and
// check marks are refreshed by UpdateCommandUI: before a menu opens, after
// every command and language change, through RequestCommandUpdate whenever
// something the handlers look at changes (the document's state, a handler
// registered, the toolbar shown or hidden, a view option), and by the device
// commands themselves as a device exchange starts or ends and as the busy
// period does.
#pragma once

#include "view/FrameHost.h"

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>

class CMainDoc;
class CMainToolBar;
class MainCommands;
class QAction;
class QActionGroup;
class QLabel;
class QMenu;

class CMainFrame : public QMainWindow, public FrameHost {
    Q_OBJECT
public:
    using CommandHandler = std::function<void()>;
    using UpdateHandler = std::function<void(CmdUI&)>;
    using SaveModifiedHandler = std::function<bool()>;
    using OpenFileHandler = std::function<void(const QString& path)>;

    explicit CMainFrame(CMainDoc* doc, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CMainDoc* GetDocument() const { return m_pDoc; }

    // The view: becomes the central widget (owned by the frame), replacing the
    // empty placeholder.
    void SetView(QWidget* view);
    QWidget* GetView() const { return m_pView; }
    // The command groups beside the view (owned by the frame): their commands
    // are wired to the menu and toolbar, the file commands are asked before
    // the window closes and open the files handed to the window.
    void SetCommands(std::unique_ptr<MainCommands> commands);
    MainCommands* Commands() const { return m_commands.get(); }

    // --- commands ------------------------------------------------------------
    // The action of a menu or toolbar command; nullptr for an unknown ID.
    QAction* Action(int commandId) const;
    // Registers (or replaces) the handler of a command and its enabling; without
    // onUpdate the command is always enabled.
    void SetCommandHandler(int commandId, CommandHandler onCommand, UpdateHandler onUpdate = {});
    // Appends a command item to a menu (language items, for instance), or
    // to the window itself when menu is null; an item with the same ID is
    // removed first. The action belongs to the frame.
    QAction* AddCommandItem(QMenu* menu, int commandId, const QString& text);
    // Removes a command's item from menus and toolbar; false when there is none.
    bool RemoveCommandItem(int commandId);
    // Runs the command when it has a handler and is enabled now; false otherwise.
    bool ExecuteCommand(int commandId);
    void UpdateCommandUI() override;
    // UpdateCommandUI once the event being handled is done; a burst of
    // requests makes one refresh.
    void RequestCommandUpdate() override;

    // The document's save-modified hook, asked before the window closes; without
    // one, the close prompt runs with the Save command as its save step.
    void SetSaveModifiedHandler(SaveModifiedHandler handler) { m_saveModified = std::move(handler); }
    bool SaveModified();

    // --- files from outside ------------------------------------------------------
    // A file dropped on the window or named on the command line: handed to
    // the file commands, which open it as File > Open does.
    void SetOpenFileHandler(OpenFileHandler handler) { m_openFile = std::move(handler); }
    void OpenFile(const QString& path);

    // --- port selector (for the view) ------------------------------------------
    int GetPortSelection() const override;  // -1 when no entry is selected
    void SetPortSelection(int index) override;
    void EnablePortSelector(bool enable) override;

    // --- texts -----------------------------------------------------------------
    QString GetMessageString(int commandId) const;
    // "VKX520Setup", plus " - " and the file title when the document has a path.
    void OnUpdateFrameTitle() override;
    void ConnectLanguageChanged(QObject* receiver, std::function<void()> slot) override;
    void ShowStatusNote(const QString& text) override;
    // Fetches prompts, the idle text, the indicators and the title again; called
    // after the language changed.
    void RefreshUiTexts();
    // Puts the menu's own texts back before it is translated into another language.
    void RestoreMenuTexts();
    // The commands outside the menu take their names from their tooltips.
    void RetextWindowCommands();

    // --- Language menu -----------------------------------------------------------
    // Lists the base language and at most nine translations after the fixed
    // items of the Language submenu and translates the menu bar; without a
    // base language file the submenu is removed instead.
    void RebuildLanguageMenu();
    // Re-texts the window after the language changed: menus, prompts, the
    // status bar's idle text and the view. Emits languageChanged.
    void OnLanguageChanged();

Q_SIGNALS:
    // After the window took on a new language; views rebuild texts they keep
    // (tooltips) here.
    void languageChanged();

public:
    CMainToolBar* ToolBar() const { return m_wndToolBar; }
    QMenu* HelpMenu() const { return m_helpMenu; }
    QMenu* LanguageMenu() const { return m_languageMenu; }

    // Saves the window placement; runs once, at the latest when the frame is destroyed.
    void OnDestroy();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PreCreateWindow();
    void BuildMenuBar();
    QMenu* AddPopup(QMenu* parent, const QString& text);
    void CreateStatusBar();
    void ApplyBarSettings();
    void RegisterFrameCommands();
    void OnSerialPorts();
    void UpdateIndicators();
    void ShowPrompt(const QAction* item);
    void OnClose();
    void OnAbout();
    void RegisterLanguageCommands();
    void RemoveLanguageSubmenu();

    CMainDoc* m_pDoc;
    QWidget* m_pView = nullptr;
    CMainToolBar* m_wndToolBar = nullptr;
    QLabel* m_idleText = nullptr;
    QLabel* m_capIndicator = nullptr;
    QLabel* m_numIndicator = nullptr;
    QMenu* m_helpMenu = nullptr;
    QMenu* m_languageMenu = nullptr;
    QActionGroup* m_languageGroup = nullptr;  // one language is chosen at a time
    bool m_updatePending = false;
    std::map<int, QAction*> m_actions;
    std::map<int, std::pair<CommandHandler, UpdateHandler>> m_handlers;
    SaveModifiedHandler m_saveModified;
    OpenFileHandler m_openFile;
    // Declared last: gone before the handlers that call it and the view it works on.
    std::unique_ptr<MainCommands> m_commands;
    bool m_destroyed = false;
};
