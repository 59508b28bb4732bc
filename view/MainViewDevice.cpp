// CMainView: the Device commands, the View options and their enabling.
#include "view/MainView.h"

#include "lang/UiText.h"
#include "link/gui/CDlgOper.h"
#include "link/DeviceOperation.h"
#include "link/DeviceRead.h"
#include "model/CMainDoc.h"
#include "model/ConfigParts.h"
#include "res/resource.h"
#include "skin/AudioKinds.h"

void CMainView::RegisterCommands() {
    if (!m_pFrame) return;
    m_pFrame->SetCommandHandler(
        ID_DEVICE_CONNECT, [this] { OnConnect(); },
        [this](CmdUI& ui) {
            ui.Enable(CanConnect());
            // The port may be changed exactly while Connect is possible, and
            // never while a command is using it.
            m_pFrame->EnablePortSelector(CanConnect() && m_operationDepth == 0);
        });
    const auto deviceUpdate = [this](CmdUI& ui) { ui.Enable(CanUseDevice()); };
    m_pFrame->SetCommandHandler(
        ID_DEVICE_LOAD, [this] { OnLoadConfig(); }, deviceUpdate);
    m_pFrame->SetCommandHandler(
        ID_DEVICE_WRITE, [this] { OnWriteConfig(); }, deviceUpdate);
    m_pFrame->SetCommandHandler(
        ID_DEVICE_DISCARD, [this] { OnDiscardChanges(); }, deviceUpdate);
    m_pFrame->SetCommandHandler(
        ID_DEVICE_SYNC_TIME, [this] { OnSyncTime(); }, deviceUpdate);
    m_pFrame->SetCommandHandler(
        ID_VIEW_TOOLTIPS, [this] { OnToggleToolTips(); }, [this](CmdUI& ui) { ui.SetCheck(m_showToolTips); });
    m_pFrame->SetCommandHandler(
        ID_VIEW_MESSAGES, [this] { OnToggleMessages(); }, [this](CmdUI& ui) { ui.SetCheck(m_showMessages); });
    m_pFrame->SetCommandHandler(
        ID_VIEW_VERIFY_WRITE, [this] { OnToggleVerifyWrite(); }, [this](CmdUI& ui) { ui.SetCheck(m_verifyWrite); });
    RegisterFileCommands();
    RegisterZoomCommands();
    m_pFrame->SetSaveModifiedHandler([this] { return SaveModified(); });
}

bool CMainView::CanConnect() const { return m_pDoc && m_deviceReady && !m_pDoc->deviceBound(); }

bool CMainView::CanUseDevice() const { return m_pDoc && m_pDoc->deviceBound() && m_deviceReady; }

void CMainView::OnConnect() {
    if (m_pFrame) {
        m_port = m_pFrame->GetPortSelection();
        m_pFrame->EnablePortSelector(false);
    }
    ReadFromDevice(false);
}

void CMainView::OnLoadConfig() { ReadFromDevice(true); }

bool CMainView::RunOperation(const std::function<bool()>& exchange) {
    ++m_operationDepth;
    DeviceStateChanged();
    const bool done = exchange();
    --m_operationDepth;
    DeviceStateChanged();
    return done;
}

void CMainView::DeviceStateChanged() {
    // At once: a device exchange may start or end without returning to the
    // event loop in between.
    if (m_pFrame) m_pFrame->UpdateCommandUI();
}

bool CMainView::ReadFromDevice(bool force) {
    return RunOperation([this, force] {
        // Each failure has been shown by the operation dialog or by the
        // document; without the audio settings the configuration is still
        // worth showing.
        const DeviceRead read = ReadDevice(m_pDoc, force);
        if (read.result == LINK_OK && !read.taken) ShowNotice(m_pDoc->lastNotice());  // another device's modules
        if (!read.taken) return false;
        KeepBackup(read.image);
        m_lastRead = read.image;
        BuildLayout();
        ResetHistory();
        return true;
    });
}

bool CMainView::WriteConfig() {
    // Under the question: what the write changes against what was last read.
    constexpr int kMaxChangeLines = 24;
    const QString changes = WriteChangesText(m_lastRead, m_pDoc->image(), m_skin.signalNames(), kMaxChangeLines);
    if (UiMessageBoxDetailed(IDS_WRITE_CONFIRM, MB_YESNO | MB_ICONEXCLAMATION, changes) != IDYES) return false;
    ConfigImage image = m_pDoc->image();
    if (!RunOperation([&] { return RunDeviceOperation(OPER_WRITE_CONFIG, m_port, image, this); })) return false;
    // The device restarts with what it was given: what is shown is no longer
    // what the device holds until it is read again.
    m_pDoc->SetDeviceBound(false);
    StartBusyPeriod(kBusyAfterWriteMs);
    m_written = m_pDoc->image();
    m_verifyPending = m_verifyWrite;
    UiMessageBox(IDS_WRITE_DONE, MB_OK | MB_ICONINFORMATION);
    return true;
}

void CMainView::OnDiscardChanges() {
    if (!m_pDoc->configModified() || UiMessageBox(IDS_DISCARD_CHANGES, MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
        m_pDoc->SetDeviceBound(false);
}

void CMainView::OnSyncTime() {
    if (UiMessageBox(IDS_SYNC_TIME_CONFIRM, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    ConfigImage scratch;  // setting the clock sends no configuration
    scratch.Clear();
    if (!RunOperation([&] { return RunDeviceOperation(OPER_SET_TIME, m_port, scratch, this); })) return;
    StartBusyPeriod(kBusyAfterTimeSetMs);
    UiMessageBox(IDS_TIME_DONE, MB_OK | MB_ICONINFORMATION);
}
