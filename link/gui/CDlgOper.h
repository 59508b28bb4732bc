// The modal "Operation in progress..." dialog: runs one device operation step
// by step on worker threads of its own, shows a status line and a progress
// bar, offers Abort (honoured between steps), and ends with a link result
// code. DialogOperationRunner runs it and tells the outcome.
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
    // threads: where the workers run (tests provide threads that fail).
    explicit CDlgOper(QWidget* parent = nullptr, WorkerThreads& threads = QtWorkerThreads());
    ~CDlgOper() override;  // waits for the last worker (OnDestroy)

    // Called before the dialog is shown; the operation must outlive the dialog.
    void StartCommand(DeviceOperation& operation, int port);

    // How the operation ended, with why the port did not open.
    OperationOutcome Outcome() const;

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
    bool m_bAbort = false;
    LinkResult m_nResult = LINK_ERR_ABORTED;
    bool m_initialized = false;
    // The running operation's step loop: it walks the operation's plan,
    // moves the bar and decides when Abort counts.
    std::unique_ptr<OperationStepLoop> m_operation;
    PortOpenFailure m_openFailure;  // written by the worker before its final report
    QueuedNotifyTarget m_notify;
    LinkWorker m_worker;
};

// Runs operations in the modal dialog on a port, then shows the error (21108
// + code, with a line saying why where more is known) or the checksum warning.
class DialogOperationRunner : public OperationRunner {
public:
    DialogOperationRunner(int port, QWidget* parent, WorkerThreads& threads = QtWorkerThreads());
    OperationOutcome Run(DeviceOperation& operation) override;

private:
    int m_port;
    QWidget* m_parent;
    WorkerThreads& m_threads;
};

// Tells the outcome of an operation as the desktop program does: the error
// with its detail line, or the checksum warning; nothing on plain success.
void ShowOperationOutcome(DeviceCommand command, const OperationOutcome& outcome);

// Runs one device operation (OPER_READ_CONFIG ...) on the port with the
// dialog runner: a read leaves what it read in image, a write leaves image as
// it is. Returns the link result.
LinkResult RunDeviceOperationDialog(DeviceCommand command, int port, ConfigImage& image, QWidget* parent);
// The same; true on success.
bool RunDeviceOperation(DeviceCommand command, int port, ConfigImage& image, QWidget* parent);
