// What the view needs from the window that hosts it: a place to register its
// commands and their enabling, the port selector, the title and the language
// change. The main frame implements it; the view never sees the frame itself,
// so the shell sits above the view and not beside it.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

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

class FrameHost {
public:
    using CommandHandler = std::function<void()>;
    using UpdateHandler = std::function<void(CmdUI&)>;
    using SaveModifiedHandler = std::function<bool()>;
    using OpenFileHandler = std::function<void(const QString& path)>;

    // Registers (or replaces) the handler of a command and its enabling; without
    // onUpdate the command is always enabled.
    virtual void SetCommandHandler(int commandId, CommandHandler onCommand, UpdateHandler onUpdate = {}) = 0;
    // Refreshes enabling and check marks of every command now.
    virtual void UpdateCommandUI() = 0;
    // The same once the event being handled is done; a burst makes one refresh.
    virtual void RequestCommandUpdate() = 0;
    // The document's save-modified hook, asked before the window closes.
    virtual void SetSaveModifiedHandler(SaveModifiedHandler handler) = 0;
    // Opens a file handed to the window from outside (dropped on it, named
    // on the command line) as File > Open opens the one chosen in its dialog.
    virtual void SetOpenFileHandler(OpenFileHandler handler) = 0;

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
