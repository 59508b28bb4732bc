// What the view and the command groups beside it need from the window that
// hosts them: the enabling refresh, the port selector, the title, the status
// bar and the language change. The main frame implements it; they never see
// the frame itself, so the shell sits above the view and not beside it.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// What an enabling handler reports for one command.
struct CmdUI {
    int id = 0;
    bool enabled = true;
    bool checked = false;
    bool checkSet = false;
    void Enable(bool on = true) { enabled = on; }
    void SetCheck(bool on = true) {
        checked = on;
        checkSet = true;
    }
};

// A command as a group offers it to the frame: its handler and its enabling
// rule (none: always enabled). The frame wires them to its menu and toolbar.
struct CommandBinding {
    int id = 0;
    std::function<void()> onCommand;
    std::function<void(CmdUI&)> onUpdate;
};
using CommandBindings = std::vector<CommandBinding>;

class FrameHost {
public:
    // Refreshes enabling and check marks of every command now.
    virtual void UpdateCommandUI() = 0;
    // The same once the event being handled is done; a burst makes one refresh.
    virtual void RequestCommandUpdate() = 0;

    virtual int GetPortSelection() const = 0;  // -1 when no entry is selected
    virtual void SetPortSelection(int index) = 0;
    virtual void EnablePortSelector(bool enable) = 0;

    // Brings the window title in step with the document's file.
    virtual void OnUpdateFrameTitle() = 0;
    // Calls slot (in receiver's thread, while receiver lives) after the window
    // took on a new language.
    virtual void ConnectLanguageChanged(QObject* receiver, std::function<void()> slot) = 0;
    // A short note in the status bar (a verified write, a backup kept).
    virtual void ShowStatusNote(const QString& text) { (void)text; }

protected:
    ~FrameHost() = default;
};

// A string-table text with its inserts as a status note; nothing without a frame.
void ShowStatusNote(FrameHost* frame, unsigned id, const QStringList& inserts = {});
