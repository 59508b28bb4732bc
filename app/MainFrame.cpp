#include "app/MainFrame.h"

#include "app/AboutDlg.h"
#include "app/CommandIcons.h"
#include "app/CommandTexts.h"
#include "app/KeyLockState.h"
#include "app/MainToolBar.h"
#include "app/Placement.h"
#include "base/SettingKeys.h"
#include "lang/StringTable.h"
#include "lang/UiText.h"
#include "link/gui/PortsDlg.h"
#include "model/CMainDoc.h"
#include "res/resource.h"
#include "view/ClosePrompt.h"
#include "view/MainCommands.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

namespace {

QLabel* CreateIndicator(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

// The one local file a drag carries; empty for anything else (text, several
// files, a remote address), which the window does not take.
QString DraggedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    const QList<QUrl> urls = data->urls();
    return urls.size() == 1 && urls.first().isLocalFile() ? urls.first().toLocalFile() : QString();
}

// Takes a drag of one file as a copy, never as a move: the program that
// offers it must not delete the file once it is dropped here.
QString TakeDraggedFile(QDropEvent* event) {
    const QString path = DraggedFile(event->mimeData());
    if (path.isEmpty() || !(event->possibleActions() & Qt::CopyAction)) return {};
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return path;
}

QList<QRect> AvailableScreenAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
    return areas;
}

}  // namespace

CMainFrame::CMainFrame(CMainDoc* doc, QWidget* parent) : QMainWindow(parent), m_pDoc(doc) {
    setWindowIcon(AppIcon());
    setAcceptDrops(true);  // a configuration file dropped anywhere on the window
    PreCreateWindow();
    BuildMenuBar();
    m_wndToolBar = new CMainToolBar(this);
    m_wndToolBar->LoadToolBar([this](int id) { return Action(id); });
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    CreateStatusBar();
    RebuildLanguageMenu();
    m_wndToolBar->FillPortSelector();
    ApplyBarSettings();
    RegisterFrameCommands();
    RegisterLanguageCommands();
    SetView(nullptr);
    RefreshUiTexts();

    // The toolbar's buttons have no moment like a menu opening to be
    // refreshed in: they follow what the handlers look at as it changes.
    if (m_pDoc) connect(m_pDoc->notifier(), &DocNotifier::stateChanged, this, &CMainFrame::RequestCommandUpdate);
    connect(m_wndToolBar, &QToolBar::visibilityChanged, this, &CMainFrame::RequestCommandUpdate);
    new KeyLockWatcher([this] { UpdateIndicators(); }, this);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() { OnDestroy(); }

void CMainFrame::PreCreateWindow() {
    const PlacementSettings stored{ReadSetting(kLayoutLeft), ReadSetting(kLayoutTop), ReadSetting(kLayoutWidth),
                                   ReadSetting(kLayoutHeight)};
    setGeometry(UsablePlacement(stored, AvailableScreenAreas()));
}

void CMainFrame::CreateStatusBar() {
    m_idleText = new QLabel(this);
    m_capIndicator = CreateIndicator(this);
    m_numIndicator = CreateIndicator(this);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addWidget(m_idleText, 1);
    statusBar()->addPermanentWidget(m_capIndicator);
    statusBar()->addPermanentWidget(m_numIndicator);
}

void CMainFrame::ApplyBarSettings() {
    if (ReadSetting(kViewToolBar) == 0) m_wndToolBar->hide();
    if (ReadSetting(kViewStatusBar) == 0) statusBar()->hide();
}

void CMainFrame::RegisterFrameCommands() {
    SetCommandHandler(ID_APP_ABOUT, [this] { OnAbout(); });
    SetCommandHandler(ID_APP_EXIT, [this] { close(); });
    SetCommandHandler(
        ID_VIEW_TOOLBAR, [this] { m_wndToolBar->setVisible(m_wndToolBar->isHidden()); },
        [this](CmdUI& ui) { ui.SetCheck(!m_wndToolBar->isHidden()); });
    SetCommandHandler(
        ID_VIEW_STATUS_BAR, [this] { statusBar()->setVisible(statusBar()->isHidden()); },
        [this](CmdUI& ui) { ui.SetCheck(!statusBar()->isHidden()); });
    // The mapping decides what the chosen entry opens, so it changes only
    // while a port may be chosen (not while connected).
    SetCommandHandler(
        ID_DEVICE_PORTS, [this] { OnSerialPorts(); },
        [this](CmdUI& ui) { ui.Enable(m_wndToolBar->PortCombo()->isEnabled()); });
}

void CMainFrame::OnSerialPorts() {
    if (!EditPortMapping(this)) return;
    const int selection = GetPortSelection();
    m_wndToolBar->FillPortSelector();
    SetPortSelection(selection);
}

void CMainFrame::SetView(QWidget* view) {
    m_pView = view;
    if (!view) {
        // Until a view is plugged in, an empty client area like an empty view's.
        view = new QWidget(this);
        view->setBackgroundRole(QPalette::Base);
        view->setAutoFillBackground(true);
    }
    setCentralWidget(view);
    view->setFocus();  // the keyboard starts on the drawing, not on the port selector
    UpdateCommandUI();
}

// --- commands ----------------------------------------------------------------

QAction* CMainFrame::Action(int commandId) const {
    const auto it = m_actions.find(commandId);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::SetCommands(std::unique_ptr<MainCommands> commands) {
    m_commands = std::move(commands);
    if (!m_commands) return;
    for (CommandBinding& command : m_commands->Bindings())
        SetCommandHandler(command.id, std::move(command.onCommand), std::move(command.onUpdate));
    FileCommands& files = m_commands->Files();
    SetSaveModifiedHandler([&files] { return files.SaveModified(); });
    SetOpenFileHandler([&files](const QString& path) { files.OpenFileFromOutside(path); });
}

void CMainFrame::SetCommandHandler(int commandId, CommandHandler onCommand, UpdateHandler onUpdate) {
    m_handlers[commandId] = {std::move(onCommand), std::move(onUpdate)};
    RequestCommandUpdate();
}

bool CMainFrame::ExecuteCommand(int commandId) {
    const auto it = m_handlers.find(commandId);
    if (it == m_handlers.end() || !it->second.first) return false;
    // A shortcut may arrive before the next refresh: ask the enabling again.
    CmdUI ui{commandId};
    if (it->second.second) it->second.second(ui);
    if (!ui.enabled) return false;
    const CommandHandler handler = it->second.first;  // the handler may replace itself
    handler();
    UpdateCommandUI();
    return true;
}

void CMainFrame::UpdateCommandUI() {
    for (const auto& [id, action] : m_actions) {
        const auto it = m_handlers.find(id);
        CmdUI ui{id};
        ui.enabled = it != m_handlers.end() && it->second.first;
        if (ui.enabled && it->second.second) it->second.second(ui);
        action->setEnabled(ui.enabled);
        if (ui.checkSet) {
            action->setCheckable(true);
            action->setChecked(ui.checked);
        } else if (action->isCheckable()) {
            action->setChecked(false);
        }
    }
}

void CMainFrame::RequestCommandUpdate() {
    if (m_updatePending) return;
    m_updatePending = true;
    QTimer::singleShot(0, this, [this] {
        m_updatePending = false;
        UpdateCommandUI();
    });
}

bool CMainFrame::SaveModified() {
    if (m_saveModified) return m_saveModified();
    if (!m_pDoc) return true;
    return RunClosePrompt(*m_pDoc, [this] { ExecuteCommand(ID_FILE_SAVE); });
}

// --- files from outside ---------------------------------------------------------

void CMainFrame::OpenFile(const QString& path) {
    if (m_openFile && !path.isEmpty()) m_openFile(path);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (m_openFile) TakeDraggedFile(event);
}

void CMainFrame::dragMoveEvent(QDragMoveEvent* event) {
    if (m_openFile) TakeDraggedFile(event);
}

void CMainFrame::dropEvent(QDropEvent* event) {
    if (!m_openFile) return;
    const QString path = TakeDraggedFile(event);
    // Opened once the drop is over: the close prompt or a message about the
    // file must not keep the program the file came from waiting.
    if (!path.isEmpty()) QTimer::singleShot(0, this, [this, path] { OpenFile(path); });
}

// --- port selector -------------------------------------------------------------

int CMainFrame::GetPortSelection() const { return m_wndToolBar->PortCombo()->currentIndex(); }

void CMainFrame::SetPortSelection(int index) {
    QComboBox* combo = m_wndToolBar->PortCombo();
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void CMainFrame::EnablePortSelector(bool enable) {
    QComboBox* combo = m_wndToolBar->PortCombo();
    if (combo->isEnabled() != enable) combo->setEnabled(enable);
}

// --- texts ---------------------------------------------------------------------

QString CMainFrame::GetMessageString(int commandId) const { return CommandPrompt(commandId); }

void CMainFrame::ConnectLanguageChanged(QObject* receiver, std::function<void()> slot) {
    connect(this, &CMainFrame::languageChanged, receiver, std::move(slot));
}

void CMainFrame::OnUpdateFrameTitle() {
    // The application title is the program's own name in every language.
    const auto own = FindTableString(IDS_APP_TITLE);
    QString title = own ? QString::fromUtf8(own->data(), qsizetype(own->size())) : QString();
    if (m_pDoc && !m_pDoc->filePath().isEmpty())
        title += QStringLiteral(" - ") + QFileInfo(m_pDoc->filePath()).completeBaseName();
    setWindowTitle(title);
}

void CMainFrame::RefreshUiTexts() {
    for (const auto& [id, action] : m_actions) action->setStatusTip(GetMessageString(id));
    RetextWindowCommands();
    m_idleText->setText(LoadUiString(IDS_IDLE));
    // The one control of the bar without a text of its own, named for screen readers.
    const QString portSelector = CommandToolTip(IDC_PORT_COMBO);
    m_wndToolBar->PortCombo()->setAccessibleName(portSelector.isEmpty() ? GetMessageString(IDC_PORT_COMBO)
                                                                        : portSelector);
    const QFontMetrics metrics(m_capIndicator->font());
    for (QLabel* indicator : {m_capIndicator, m_numIndicator}) {
        const unsigned id = indicator == m_capIndicator ? ID_INDICATOR_CAPS : ID_INDICATOR_NUM;
        indicator->setFixedWidth(metrics.horizontalAdvance(LoadUiString(id)) + 12);
    }
    UpdateIndicators();
    OnUpdateFrameTitle();
}

void CMainFrame::UpdateIndicators() {
    m_capIndicator->setText(IsKeyLockOn(LockKey::Caps) ? LoadUiString(ID_INDICATOR_CAPS) : QString());
    m_numIndicator->setText(IsKeyLockOn(LockKey::Num) ? LoadUiString(ID_INDICATOR_NUM) : QString());
}

// --- closing -----------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event) {
    OnClose();
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    event->accept();
}

// Bar visibility is stored even when the close is then refused.
void CMainFrame::OnClose() {
    WriteSetting(kViewToolBar, m_wndToolBar->isVisibleTo(this) ? 1 : 0);
    WriteSetting(kViewStatusBar, statusBar()->isVisibleTo(this) ? 1 : 0);
}

void CMainFrame::OnDestroy() {
    if (m_destroyed) return;
    m_destroyed = true;
    // The restored rectangle is kept even while maximized or minimized, so that
    // un-maximizing after the next start gives back the old size.
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    WriteSetting(kLayoutLeft, normal.left());
    WriteSetting(kLayoutTop, normal.top());
    WriteSetting(kLayoutWidth, normal.width());
    WriteSetting(kLayoutHeight, normal.height());
    WriteSetting(kLayoutMaximize, windowState().testFlag(Qt::WindowMaximized) ? 1 : 0);
}

void CMainFrame::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}
