#include "view/DeviceCommands.h"

#include "base/SettingKeys.h"
#include "lang/UiText.h"
#include "link/DeviceOperation.h"
#include "link/DeviceRead.h"
#include "link/gui/CDlgOper.h"
#include "model/CMainDoc.h"
#include "model/ConfigParts.h"
#include "res/resource.h"
#include "skin/AudioKinds.h"
#include "view/MainView.h"

#include <QTimer>

#include <chrono>

namespace {

uint32_t SystemTicks() {
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

DeviceCommands::DeviceCommands(FrameHost* frame, CMainDoc& doc, CMainView& view)
    : m_pFrame(frame), m_doc(doc), m_view(view), m_ticks(SystemTicks) {
    m_port = ReadSetting(kConnectionPort);
    if (m_pFrame) m_pFrame->SetPortSelection(m_port);
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &DeviceCommands::OnTimer);
    m_timer->start(kViewTimerMs);
}

DeviceCommands::~DeviceCommands() { OnDestroy(); }

void DeviceCommands::OnDestroy() {
    m_timer->stop();
    // The port of the last Connect (or the one read at start), not whatever
    // the selector shows now.
    WriteSetting(kConnectionPort, m_port);
}

CommandBindings DeviceCommands::Bindings() {
    const auto deviceUpdate = [this](CmdUI& ui) { ui.Enable(CanUseDevice()); };
    return {
        {ID_DEVICE_CONNECT, [this] { OnConnect(); },
         [this](CmdUI& ui) {
             ui.Enable(CanConnect());
             // The port may be changed exactly while Connect is possible, and
             // never while a command is using it.
             if (m_pFrame) m_pFrame->EnablePortSelector(CanConnect() && m_operationDepth == 0);
         }},
        {ID_DEVICE_LOAD, [this] { OnLoadConfig(); }, deviceUpdate},
        {ID_DEVICE_WRITE, [this] { OnWriteConfig(); }, deviceUpdate},
        {ID_DEVICE_DISCARD, [this] { OnDiscardChanges(); }, deviceUpdate},
        {ID_DEVICE_SYNC_TIME, [this] { OnSyncTime(); }, deviceUpdate},
    };
}

bool DeviceCommands::CanConnect() const { return m_deviceReady && !m_doc.deviceBound(); }

bool DeviceCommands::CanUseDevice() const { return m_doc.deviceBound() && m_deviceReady; }

bool DeviceCommands::IsTimerRunning() const { return m_timer->isActive(); }

void DeviceCommands::SetTickSource(TickSource ticks) { m_ticks = ticks ? std::move(ticks) : TickSource(SystemTicks); }

void DeviceCommands::OnConnect() {
    if (m_pFrame) {
        m_port = m_pFrame->GetPortSelection();
        m_pFrame->EnablePortSelector(false);
    }
    ReadFromDevice(false);
}

void DeviceCommands::OnLoadConfig() { ReadFromDevice(true); }

bool DeviceCommands::RunOperation(const std::function<bool()>& exchange) {
    ++m_operationDepth;
    DeviceStateChanged();
    const bool done = exchange();
    --m_operationDepth;
    DeviceStateChanged();
    return done;
}

void DeviceCommands::DeviceStateChanged() {
    // At once: a device exchange may start or end without returning to the
    // event loop in between.
    if (m_pFrame) m_pFrame->UpdateCommandUI();
}

DeviceRead DeviceCommands::ReadDevice(CMainDoc* doc, bool force) {
    DialogOperationRunner runner(m_port, &m_view);
    const AudioKindTable audioKinds = AudioKindTableOf(m_view.Skin());
    return doc ? ReadConfigFromDevice(*doc, force, runner, audioKinds) : ReadImageFromDevice(runner, audioKinds);
}

bool DeviceCommands::ReadFromDevice(bool force) {
    return RunOperation([this, force] {
        // Each failure has been shown by the operation dialog or by the
        // document; without the audio settings the configuration is still
        // worth showing.
        const DeviceRead read = ReadDevice(&m_doc, force);
        if (read.result == LINK_OK && !read.taken) ShowNotice(m_doc.lastNotice());  // another device's modules
        if (!read.taken) return false;
        Q_EMIT configurationRead(read.image);
        m_lastRead = read.image;
        m_view.ShowNewConfiguration();
        return true;
    });
}

bool DeviceCommands::WriteConfig() {
    // Under the question: what the write changes against what was last read.
    constexpr int kMaxChangeLines = 24;
    const QString changes = WriteChangesText(m_lastRead, m_doc.image(), m_view.Skin().signalNames(), kMaxChangeLines);
    if (UiMessageBoxDetailed(IDS_WRITE_CONFIRM, MB_YESNO | MB_ICONEXCLAMATION, changes) != IDYES) return false;
    ConfigImage image = m_doc.image();
    if (!RunOperation([&] { return RunDeviceOperation(OPER_WRITE_CONFIG, m_port, image, &m_view); })) return false;
    // The device restarts with what it was given: what is shown is no longer
    // what the device holds until it is read again.
    m_doc.SetDeviceBound(false);
    StartBusyPeriod(kBusyAfterWriteMs);
    Q_EMIT configurationWritten(m_doc.image());
    UiMessageBox(IDS_WRITE_DONE, MB_OK | MB_ICONINFORMATION);
    return true;
}

void DeviceCommands::OnDiscardChanges() {
    if (!m_doc.configModified() || UiMessageBox(IDS_DISCARD_CHANGES, MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
        m_doc.SetDeviceBound(false);
}

void DeviceCommands::OnSyncTime() {
    if (UiMessageBox(IDS_SYNC_TIME_CONFIRM, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    ConfigImage scratch;  // setting the clock sends no configuration
    scratch.Clear();
    if (!RunOperation([&] { return RunDeviceOperation(OPER_SET_TIME, m_port, scratch, &m_view); })) return;
    StartBusyPeriod(kBusyAfterTimeSetMs);
    UiMessageBox(IDS_TIME_DONE, MB_OK | MB_ICONINFORMATION);
}

void DeviceCommands::StartBusyPeriod(uint32_t periodMs) {
    m_busySince = m_ticks();
    m_busyPeriod = periodMs;
    m_deviceReady = false;
    DeviceStateChanged();
}

void DeviceCommands::OnTimer() {
    if (!m_deviceReady) {
        // The difference is taken as a distance, so a tick count that wraps
        // during the period still ends it.
        uint32_t elapsed = m_ticks() - m_busySince;
        if (elapsed > 0x80000000u) elapsed = 0u - elapsed;
        if (elapsed >= m_busyPeriod) {
            m_deviceReady = true;
            m_busyPeriod = 0;
            DeviceStateChanged();
        }
    }
    Q_EMIT timerChecked();
}
