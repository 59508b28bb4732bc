#include "link/gui/CDlgOper.h"

#include "lang/ControlId.h"
#include "lang/gui/DialogUnits.h"
#include "lang/gui/TranslateUi.h"
#include "lang/UiText.h"
#include "base/DiagLog.h"
#include "res/resource.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {

constexpr int kStopWaitMs = 5000;

// Dialog units of the 8-point dialog font, in pixels; width and height are
// mapped on their own (not from the edges) so the bar keeps its height.
QRect DialogRect(int x, int y, int w, int h) {
    const DialogUnits du(6, 13);
    return {QPoint(du.X(x), du.Y(y)), du.Size(w, h)};
}

template <typename Control>
Control* AddControl(QWidget* parent, int id, QRect rect) {
    auto* control = new Control(parent);
    SetControlId(control, id);
    control->setGeometry(rect);
    return control;
}

bool IsDialogEndingKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

}  // namespace

CDlgOper::CDlgOper(QWidget* parent, WorkerThreads& threads)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_notify(this, [this](int code, long param) { return OnSerialNotify(code, param); }),
      m_worker(threads) {
    setWindowTitle(QStringLiteral("Operation in progress..."));
    setFixedSize(DialogRect(0, 0, 235, 77).size());
    m_status = AddControl<QLabel>(this, IDC_OPER_STATUS, DialogRect(8, 8, 220, 12));
    m_status->setText(QStringLiteral("-"));
    m_progress = AddControl<QProgressBar>(this, IDC_OPER_PROGRESS, DialogRect(8, 28, 220, 14));
    m_progress->setTextVisible(false);
    m_abort = AddControl<QPushButton>(this, IDC_OPER_ABORT, DialogRect(88, 57, 50, 14));
    m_abort->setText(QStringLiteral("Abort"));
    m_abort->setAutoDefault(false);
    connect(m_abort, &QPushButton::clicked, this, [this] { OnAbort(); });
    // Enter and Escape must not end the dialog, whichever control has the focus.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

CDlgOper::~CDlgOper() { OnDestroy(); }

void CDlgOper::StartCommand(DeviceOperation& operation, int port) {
    LogMessage("CDlgOper::StartCommand(%d, %d)", int(operation.command()), port);
    m_bAbort = false;
    m_nPort = port;
    OperationObserver observer;
    observer.progress = [this](int position, int) { m_progress->setValue(position); };
    observer.abortRequested = [this] { return m_bAbort; };
    m_operation = std::make_unique<OperationStepLoop>(operation, std::move(observer));
}

OperationOutcome CDlgOper::Outcome() const {
    OperationOutcome outcome = m_operation ? m_operation->Outcome(m_openFailure) : OperationOutcome{};
    outcome.result = m_nResult;
    return outcome;
}

void CDlgOper::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_initialized) {
        m_initialized = true;
        OnInitDialog();
    }
}

void CDlgOper::closeEvent(QCloseEvent* event) { event->ignore(); }  // only the operation ends the dialog

bool CDlgOper::eventFilter(QObject* watched, QEvent* event) {
    if (IsDialogEndingKey(event)) {
        event->accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CDlgOper::OnInitDialog() {
    TranslateDialog(IDD_OPERATION, this);
    if (!m_operation) return EndLater(LINK_ERR_ABORTED);
    m_progress->setRange(0, m_operation->ProgressMax());
    m_status->setText(LoadUiString(m_operation->StatusTextId()));
    StartStep();
}

void CDlgOper::OnAbort() {
    m_bAbort = true;
    LogMessage("CDlgOper::OnAbort()");
}

void CDlgOper::OnDestroy() {
    LogMessage("CDlgOper::OnDestroy(): called");
    m_notify.Close();
    m_worker.Stop(kStopWaitMs);
    LogMessage("CDlgOper::OnDestroy(): done");
}

int CDlgOper::OnSerialNotify(int wParam, long lParam) {
    LogMessage("CDlgOper::OnSerialNotify((%d, %d)", wParam, int(lParam));
    if (wParam == LINK_PROGRESS) return 0;  // the bar moves per step, not per chunk
    if (m_operation->StepEnded(LinkResult(wParam))) {
        StartStep();
    } else {
        Finish(m_operation->result());
    }
    return 0;
}

void CDlgOper::StartStep() {
    LinkStep step;
    if (!m_operation->PrepareStep(step)) return EndLater(m_operation->result());
    if (!m_worker.Start(&m_notify, m_nPort, step.operation, step.buffer, step.length, step.address, &m_openFailure))
        EndLater(LINK_ERR_NO_THREAD);  // no worker, so no report would ever end the dialog
}

void CDlgOper::Finish(LinkResult result) {
    m_nResult = result;
    done(m_nResult == LINK_OK ? Accepted : Rejected);
}

// Ends the dialog from its event loop: the dialog may not be running its loop
// yet (a failure while it is being shown).
void CDlgOper::EndLater(LinkResult result) {
    m_nResult = result;
    QMetaObject::invokeMethod(
        this, [this] { done(m_nResult == LINK_OK ? Accepted : Rejected); }, Qt::QueuedConnection);
}

void ShowOperationOutcome(DeviceCommand command, const OperationOutcome& outcome) {
    ShowNotice(OutcomeMessageOf(command, outcome));
}

DialogOperationRunner::DialogOperationRunner(int port, QWidget* parent, WorkerThreads& threads)
    : m_port(port), m_parent(parent), m_threads(threads) {}

OperationOutcome DialogOperationRunner::Run(DeviceOperation& operation) {
    OperationOutcome outcome;
    {
        CDlgOper dialog(m_parent, m_threads);
        dialog.StartCommand(operation, m_port);
        dialog.exec();
        outcome = dialog.Outcome();
    }  // the dialog's end waits for its last worker
    ShowOperationOutcome(operation.command(), outcome);
    return outcome;
}

LinkResult RunDeviceOperationDialog(DeviceCommand command, int port, ConfigImage& image, QWidget* parent) {
    DialogOperationRunner runner(port, parent);
    return RunOperationOn(runner, command, image).result;
}

bool RunDeviceOperation(DeviceCommand command, int port, ConfigImage& image, QWidget* parent) {
    return RunDeviceOperationDialog(command, port, image, parent) == LINK_OK;
}
