// The Device menu: Connect, Load configuration, Write configuration, Discard
// changes and Set time, the port they use, and the busy period after a write
// or a time setting, during which the device is left alone. Connect is
// enabled while no configuration is bound to the device, the others while
// one is; neither during the busy period.
//
// What happens around a read or a write (the backup, the read-back) is not
// decided here: the group says what it read and what it wrote, and the
// safe-write commands listen.
#pragma once

#include "model/ConfigImage.h"
#include "view/FrameHost.h"

#include <QObject>

#include <cstdint>
#include <functional>

class CMainDoc;
class CMainView;
struct DeviceRead;
class QTimer;

// Timer period and busy periods, in milliseconds.
constexpr int kViewTimerMs = 2000;
constexpr uint32_t kBusyAfterWriteMs = 15000;
constexpr uint32_t kBusyAfterTimeSetMs = 5000;

class DeviceCommands : public QObject {
    Q_OBJECT
public:
    // A millisecond tick count that wraps at 32 bits, as the busy period measures it.
    using TickSource = std::function<uint32_t()>;

    // Reads the saved port, shows it in the frame's selector (which may be
    // null) and starts the timer.
    DeviceCommands(FrameHost* frame, CMainDoc& doc, CMainView& view);
    ~DeviceCommands() override;  // OnDestroy

    CommandBindings Bindings();

    void OnConnect();
    void OnLoadConfig();
    void OnWriteConfig() { WriteConfig(); }
    // Write configuration after its confirmation; true when the device took it.
    bool WriteConfig();
    void OnDiscardChanges();
    void OnSyncTime();
    // Ends the busy period once it has run out; the timer calls it every 2 s.
    void OnTimer();

    bool CanConnect() const;
    bool CanUseDevice() const;
    int Port() const { return m_port; }
    bool IsDeviceReady() const { return m_deviceReady; }
    bool IsTimerRunning() const;

    // Runs the part of a command that talks to the device. Its dialogs run
    // the event loop, which refreshes the enabling: the port selector is
    // kept disabled until the exchange is over.
    bool RunOperation(const std::function<bool()>& exchange);
    // Reads the device in the operation dialog on the port, with the skin's
    // audio kinds, into doc (when given) as Connect does.
    DeviceRead ReadDevice(CMainDoc* doc = nullptr, bool force = false);

    // Replaces the clock of the busy period (tests run it without waiting).
    void SetTickSource(TickSource ticks);

Q_SIGNALS:
    // Connect or Load configuration took what the device held.
    void configurationRead(const ConfigImage& image);
    // The device took image; the busy period has begun.
    void configurationWritten(const ConfigImage& image);
    // After each look of the timer at the busy period.
    void timerChecked();

private:
    // Stops the timer and stores the port, as the window goes.
    void OnDestroy();
    bool ReadFromDevice(bool force);
    // The enabling depends on the device state that changed.
    void DeviceStateChanged();
    void StartBusyPeriod(uint32_t periodMs);

    FrameHost* m_pFrame;
    CMainDoc& m_doc;
    CMainView& m_view;
    int m_port = 0;
    QTimer* m_timer = nullptr;
    uint32_t m_busySince = 0;
    uint32_t m_busyPeriod = 0;
    bool m_deviceReady = true;
    int m_operationDepth = 0;  // device exchanges running (RunOperation)
    TickSource m_ticks;
    ConfigImage m_lastRead{};  // what the device held at the last read, for the write's confirmation
};
