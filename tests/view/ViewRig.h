// The program started as main() starts it, with the view, in front of the
// simulated device: settings in a fresh temporary file, message boxes
// recorded and answered from a script, file and print dialogs answered from a
// script, and a tick count for the busy period that moves only when told.
#pragma once

#include "app/MainFrame.h"
#include "app/SetupApp.h"
#include "support/TempProfile.h"
#include "link/LinkThread.h"
#include "model/CMainDoc.h"
#include "model/ConfigBackups.h"
#include "sim/SimLinkPort.h"
#include "support/RecordingPresenter.h"
#include "view/MainView.h"
#include "view/ViewDialogs.h"

#include <QPrinter>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>

namespace viewtest {

// Answers the view's system dialogs: queued file names (an empty one is a
// cancelled dialog), printing into a PDF file.
class ScriptedDialogs : public ViewDialogs {
public:
    QString GetOpenFileName(QWidget*, const QString& filter, const QString& initialPath) override;
    QString GetSaveFileName(QWidget*, const QString& filter, const QString& initialPath,
                            const QString& defaultSuffix) override;
    bool ChoosePrinter(QWidget*, QPrinter& printer) override;
    void ShowPrintPreview(QWidget*, QPrinter& printer, const PaintPages& paintPages) override;
    bool PageSetup(QWidget*, QPrinter& printer) override;

    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    QString pdfPath;  // where Print and Print Preview print
    bool printAccepted = true;
    QStringList asked;  // "open <filter> <initial>", "save ...", "print", "preview", "setup"
    void ShowDifferences(QWidget*, const QString& heading, const QStringList& lines) override {
        differences << heading << lines;
    }
    QStringList differences;  // each ShowDifferences: its heading, then its lines
    QString lastDefaultSuffix;
};

// A demo device: SDI with embedded audio (slot 0, 8 inputs), analog video
// (slot 1, 4 inputs), computer (slot 2, 2 inputs); HDMI and SDI outputs; link
// tables as the device sets them; audio settings 0x11.. in slot 0.
ConfigImage DemoImage();

class ViewRig {
public:
    // settings: the settings file's contents at start; none when empty.
    explicit ViewRig(const QByteArray& settings = {});
    ~ViewRig() { Exit(); }
    // Ends the program without closing the window first (nothing is asked).
    void Exit();

    CMainFrame& frame() const { return *app->GetMainFrame(); }
    CMainView& view() const { return *static_cast<CMainView*>(frame().GetView()); }
    CMainDoc& doc() const { return *app->GetDocument(); }
    MainCommands& commands() const { return *frame().Commands(); }

    // Runs a command as a menu click does; false when it is disabled.
    bool Command(int id) const { return frame().ExecuteCommand(id); }
    bool Enabled(int id) const;
    bool PortSelectorEnabled() const;
    // Connect on the selected port; true when the device is bound afterwards.
    bool Connect();
    // Moves the tick count on and lets the view's timer look at it.
    void AdvanceMs(uint32_t ms);
    // The window un-maximized at that size, laid out.
    void ShowNormal(QSize size) const;
    // Runs action on the modal dialog the next command opens (polling until
    // one is shown); a dialog of another kind is closed unanswered.
    template <typename Dialog>
    static void OnNextModal(std::function<void(Dialog&)> action);
    // Closes the window as the user does; false when the close was refused.
    bool CloseWindow() const;

    TempProfile profile;
    SimClock clock;
    SimDevice device{clock};
    SimPortFactory ports{device, clock};
    std::unique_ptr<CSetupApp> app;
    std::unique_ptr<RecordingPresenter> presenter;
    ScriptedDialogs dialogs;
    uint32_t ticks = 1000;
    // Connect and Load configuration keep their backups here.
    QTemporaryDir backupDir;
    ConfigBackups backups{backupDir.path()};
};

void PollForModal(std::function<bool(QWidget*)> action);

template <typename Dialog>
void ViewRig::OnNextModal(std::function<void(Dialog&)> action) {
    PollForModal([action](QWidget* modal) {
        auto* dialog = qobject_cast<Dialog*>(modal);
        if (dialog) action(*dialog);
        return dialog != nullptr;
    });
}

// Pages in a PDF file written by Qt.
int PdfPageCount(const QString& path);

}  // namespace viewtest
