// The modal "Operation in progress..." dialog: runs one device operation step
// by step on worker threads, shows a status line and a progress bar, offers
// Abort (honoured between steps), and ends with a link result code.
#pragma once

#include "link/OperationStepLoop.h"
#include "link/QueuedNotifyTarget.h"

#include <QDialog>

#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;

// Control IDs of dialog 132.
constexpr int IDC_OPER_PROGRESS = 1005;
constexpr int IDC_OPER_ABORT = 1006;
constexpr int IDC_OPER_STATUS = 1007;

class CDlgOper : public QDialog {
    Q_OBJECT
public:
    explicit CDlgOper(QWidget* parent = nullptr);
    ~CDlgOper() override;  // waits for the last worker (OnDestroy)

    // Called before the dialog is shown.
    void StartCommand(DeviceCommand command, int port, ConfigImage* image);

    LinkResult resultCode() const { return m_nResult; }
    bool checksumWarning() const { return m_operation && m_operation->checksumWarning(); }
    bool anyStepDone() const { return m_operation && m_operation->anyStepDone(); }
    // Why the port did not open, when the result is LINK_ERR_PORT.
    const PortOpenFailure& openFailure() const { return m_openFailure; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    void OnAbort();
    void OnDestroy();
    int OnSerialNotify(int wParam, long lParam);
    void StartStep();
    void Finish(LinkResult result);
    void EndLater(LinkResult result);

    QProgressBar* m_progress;
    QLabel* m_status;
    QPushButton* m_abort;
    int m_nPort = -1;
    DeviceCommand m_nCommand{};
    ConfigImage* m_pImage = nullptr;
    bool m_bAbort = false;
    LinkResult m_nResult = LINK_ERR_ABORTED;
    bool m_initialized = false;
    // The running operation's step loop: it holds the step number, the module
    // command scratch buffer and the checksum warning, moves the bar and
    // decides when Abort counts.
    std::unique_ptr<OperationStepLoop> m_operation;
    PortOpenFailure m_openFailure;  // written by the worker before its final report
    QueuedNotifyTarget m_notify;
};

// Runs one device operation (OPER_READ_CONFIG ...) on the port into or from
// the caller's image in the modal dialog. Shows the error (21108 + code, with
// a line saying why when the port would not open) or the checksum warning
// itself; returns the link result.
LinkResult RunDeviceOperationDialog(DeviceCommand command, int port, ConfigImage& image, QWidget* parent);
// The same; true on success.
bool RunDeviceOperation(DeviceCommand command, int port, ConfigImage& image, QWidget* parent);
