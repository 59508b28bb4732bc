#include "app/SetupApp.h"

#include "app/CommandIcons.h"
#include "app/MainFrame.h"
#include "app/MessageBoxPresenter.h"
#include "base/SettingKeys.h"
#include "lang/LanguageManager.h"
#include "lang/UiText.h"
#include "link/SerialPorts.h"
#include "model/CMainDoc.h"
#include "res/resource.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace {

// Runs a call once, as soon as the window's first paint has been handled.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget* window, std::function<void()> call) : QObject(window), m_call(std::move(call)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched == parent()) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, watched, std::move(m_call));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_call;
};

void RunAfterFirstPaint(QWidget* window, std::function<void()> call) { new AfterFirstPaint(window, std::move(call)); }

}  // namespace

CSetupApp::CSetupApp() = default;

CSetupApp::~CSetupApp() {
    m_frame.reset();
    if (m_presenter) SetMessagePresenter(m_previousPresenter);
}

bool CSetupApp::InitInstance() {
    // Messages first: storing the language may already fail to write the settings.
    m_presenter = std::make_unique<MessageBoxPresenter>();
    m_previousPresenter = SetMessagePresenter(m_presenter.get());
    ReportSettingsWriteFailures();
    // Before any window exists, so that everything is built in the chosen language.
    Languages().InitLanguages();
    // The application's name is its title string: the caption of every message box.
    QApplication::setApplicationName(LoadUiString(IDS_APP_TITLE));
    QApplication::setWindowIcon(AppIcon());
    // Wayland takes the window's icon from the desktop entry of this name.
    QApplication::setDesktopFileName(QStringLiteral("org.vkx520.VKX520Setup"));
    if (!ProcessShellCommand()) return false;
    ShowMainWindow();
    // A first start maps COM1..COM8 to the ports found, and finding them
    // takes longer than drawing the window: it is done once the window is
    // on the screen, before anything the user does can reach a port.
    RunAfterFirstPaint(m_frame.get(), [] { EnsurePortMapping(DefaultPortDiscovery()); });
    return true;
}

void CSetupApp::OpenDocumentFile(const QString& path) {
    if (m_frame) m_frame->OpenFile(path);
}

int CSetupApp::ExitInstance(int exitCode) {
    m_frame.reset();  // the frame stores its placement as it goes
    return exitCode;
}

// The default shell command: a new, empty document with its frame and view.
bool CSetupApp::ProcessShellCommand() {
    m_doc = std::make_unique<CMainDoc>();
    m_frame = std::make_unique<CMainFrame>(m_doc.get());
    if (m_viewFactory) {
        WindowContent content = m_viewFactory(*m_frame, *m_doc);
        if (!content.view) return false;
        m_frame->SetView(content.view);
        m_frame->SetCommands(std::move(content.commands));
    } else {
        // Without a view, the selector shows the saved port as the device commands would.
        m_frame->SetPortSelection(ReadSetting(kConnectionPort));
    }
    return true;
}

void CSetupApp::ShowMainWindow() {
    if (ReadSetting(kLayoutMaximize) != 0)
        m_frame->showMaximized();
    else
        m_frame->showNormal();
    m_frame->repaint();
}
