// The application object: starts the program with its settings, creates the one
// document with its frame and view, and shows the window as it was left.
#pragma once

#include "view/MainCommands.h"

#include <QWidget>
#include <functional>
#include <memory>

class CMainDoc;
class CMainFrame;
class MessageBoxPresenter;
class MessagePresenter;

class CSetupApp {
public:
    // Creates the view and its commands for the frame and document (the
    // frame takes ownership of both).
    using ViewFactory = WindowContentFactory;

    CSetupApp();
    virtual ~CSetupApp();
    CSetupApp(const CSetupApp&) = delete;
    CSetupApp& operator=(const CSetupApp&) = delete;

    // Set before InitInstance; without one the frame shows an empty client area.
    void SetViewFactory(ViewFactory factory) { m_viewFactory = std::move(factory); }

    // Needs a QApplication. The program always starts with an empty
    // document. False when the window cannot be made.
    virtual bool InitInstance();
    // After InitInstance: opens a file as File > Open opens the one chosen
    // in its dialog (a file named with --open).
    void OpenDocumentFile(const QString& path);
    virtual int ExitInstance(int exitCode);

    CMainDoc* GetDocument() const { return m_doc.get(); }
    CMainFrame* GetMainFrame() const { return m_frame.get(); }

private:
    bool ProcessShellCommand();
    void ShowMainWindow();

    ViewFactory m_viewFactory;
    std::unique_ptr<MessageBoxPresenter> m_presenter;
    MessagePresenter* m_previousPresenter = nullptr;
    std::unique_ptr<CMainDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;  // destroyed before the document it shows
};
