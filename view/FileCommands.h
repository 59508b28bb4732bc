// The File menu's own commands: Open, Save, Save As and Close with the "not
// saved" prompt, a file handed in from outside, the save-modified hook before
// the program closes, Print, Print Preview and Print Setup, and the labels as
// a spreadsheet. Commands that need a configuration are enabled while the
// document has one; Open and Print Setup always.
#pragma once

#include "view/FrameHost.h"

#include <QString>

#include <memory>

class CMainDoc;
class CMainView;
class DeviceCommands;
class QPrinter;
class ViewDialogs;

// "Configuration files (*.vkcfg)"
QString ConfigFileFilter();

class FileCommands {
public:
    FileCommands(FrameHost* frame, CMainDoc& doc, CMainView& view, DeviceCommands& device);
    ~FileCommands();

    CommandBindings Bindings();

    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileClose();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    // Export labels... / Import labels...: the labels as a spreadsheet (CSV);
    // an import is one step of the undo history.
    void OnFileExportLabels();
    void OnFileImportLabels();
    // A file dropped on the window or named on the command line: the close
    // prompt, then as Open after its dialog.
    void OpenFileFromOutside(const QString& path);
    // Opens path as Open does (nothing when it is empty: a cancelled dialog).
    void OpenChosenFile(const QString& path);
    // The "not saved" prompt: true when the configuration may be dropped.
    bool RunClosePrompt();
    // Saves the document to path; shows why when it fails.
    void SaveTo(const QString& path);
    // The document's hook before the program closes: Write configuration first
    // when connected and changed, then the close prompt.
    bool SaveModified();

    QPrinter& Printer();
    ViewDialogs& Dialogs() { return *m_dialogs; }
    // Replaces the file, print and page set-up dialogs (not owned; null restores Qt's).
    void SetDialogs(ViewDialogs* dialogs);

private:
    bool PrintOnePage(QPrinter& printer);

    FrameHost* m_pFrame;
    CMainDoc& m_doc;
    CMainView& m_view;
    DeviceCommands& m_device;
    std::unique_ptr<ViewDialogs> m_qtDialogs;
    ViewDialogs* m_dialogs = nullptr;
    std::unique_ptr<QPrinter> m_printer;
};
